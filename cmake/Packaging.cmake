# Installation and the Debian package (`./run package`, or cpack in the
# build folder).
#
# The program looks for its English texts beside its own file, so it and
# Kelpeng.txt live together in lib/kelp-collector/, and bin/kelp-collector
# is a link to it (the program resolves the link to find its folder).
# Included at the end of the top-level CMakeLists.txt, when every target
# that may be installed has been defined.

include(GNUInstallDirs)

# A private folder of the package, not a (multiarch) library folder.
set(KELP_INSTALL_PROGRAM_DIR lib/kelp-collector)

if(TARGET kelp-collector)
  install(TARGETS kelp-collector RUNTIME DESTINATION ${KELP_INSTALL_PROGRAM_DIR} COMPONENT program)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/Kelpeng.txt DESTINATION ${KELP_INSTALL_PROGRAM_DIR}
          COMPONENT program)
  # A relative link, so that the tree works wherever it is unpacked.
  file(RELATIVE_PATH kelp_link_target /${CMAKE_INSTALL_BINDIR} /${KELP_INSTALL_PROGRAM_DIR}/kelp-collector)
  install(CODE "
    set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${bin}\")
    file(CREATE_LINK \"${kelp_link_target}\" \"\${bin}/kelp-collector\" SYMBOLIC)
    " COMPONENT program)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/kelp-collector.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT program)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/kelp-collector-128.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps RENAME kelp-collector.png
          COMPONENT program)
endif()

if(TARGET kelp-sim)
  install(TARGETS kelp-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelp-collector)
set(CPACK_PACKAGE_VENDOR "The Kelp project")
set(CPACK_PACKAGE_CONTACT "The Kelp project <kelp@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Data collector for a multi-parameter water-quality probe")
set(CPACK_PACKAGE_DESCRIPTION
    "Captures live values from the probe over a serial line, downloads its logged records, saves and loads them as CSV files and draws trend, depth-profile and X-Y graphs. Includes kelp-sim, a simulator of the probe on a pseudo-terminal.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries the programs link come from dpkg-shlibdeps; the Qt platform
# plugins are loaded at run time, so no link names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# The Japanese texts need a font that has them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic")
include(CPack)

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
  # The data files' MIME type; shared-mime-info's trigger adds it to the
  # database when the package is installed.
  install(FILES ${PROJECT_SOURCE_DIR}/resources/kelp-collector-mime.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME kelp-collector.xml COMPONENT program)
  # Completion in bash, where bash-completion looks for it by the command's
  # name.
  install(FILES ${PROJECT_SOURCE_DIR}/resources/kelp-collector.bash-completion
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME kelp-collector
          COMPONENT program)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/kelp-collector-128.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps RENAME kelp-collector.png
          COMPONENT program)
endif()

if(TARGET kelp-sim)
  install(TARGETS kelp-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)
endif()

# Documentation as Debian wants it: manual pages and the changelog
# compressed with gzip -9n (no name or time stamp, so the bytes depend on
# the text alone), the copyright file, and the AppStream metadata. Their
# version and date are the project's (KELP_RELEASE_DATE), as --version's.
set(kelp_doc_dir ${PROJECT_BINARY_DIR}/doc)
execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C date -u -R -d "${KELP_RELEASE_DATE} 12:00:00"
                OUTPUT_VARIABLE KELP_CHANGELOG_DATE OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(${PROJECT_SOURCE_DIR}/resources/debian/changelog.in ${kelp_doc_dir}/changelog @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/org.example.KelpCollector.metainfo.xml.in
               ${kelp_doc_dir}/org.example.KelpCollector.metainfo.xml @ONLY)
set(kelp_compressed_docs)
foreach(page IN ITEMS kelp-collector.1 kelp-sim.1)
  set(source ${PROJECT_SOURCE_DIR}/resources/man/${page})
  add_custom_command(
    OUTPUT ${kelp_doc_dir}/${page}.gz
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${source} -DOUTPUT=${kelp_doc_dir}/${page} -DVERSION=${PROJECT_VERSION}
            -DDATE=${KELP_RELEASE_DATE} -P ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
    COMMAND gzip -9nc ${kelp_doc_dir}/${page} > ${kelp_doc_dir}/${page}.gz
    DEPENDS ${source} ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
    COMMENT "Dating and compressing ${page}")
  list(APPEND kelp_compressed_docs ${kelp_doc_dir}/${page}.gz)
endforeach()
add_custom_command(
  OUTPUT ${kelp_doc_dir}/changelog.gz
  COMMAND gzip -9nc ${kelp_doc_dir}/changelog > ${kelp_doc_dir}/changelog.gz
  DEPENDS ${kelp_doc_dir}/changelog
  COMMENT "Compressing changelog")
list(APPEND kelp_compressed_docs ${kelp_doc_dir}/changelog.gz)
add_custom_target(kelp_docs ALL DEPENDS ${kelp_compressed_docs})
install(FILES ${kelp_doc_dir}/kelp-collector.1.gz ${kelp_doc_dir}/kelp-sim.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT program)
install(FILES ${kelp_doc_dir}/changelog.gz ${PROJECT_SOURCE_DIR}/resources/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/kelp-collector COMPONENT program)
install(FILES ${kelp_doc_dir}/org.example.KelpCollector.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT program)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelp-collector)
set(CPACK_PACKAGE_VENDOR "The Kelp project")
set(CPACK_PACKAGE_CONTACT "The Kelp project <kelp@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Data collector for a multi-parameter water-quality probe")
# Lines of the long description stay within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "Captures live values from the probe over a serial line, downloads its
logged records, saves and loads them as CSV files and draws trend,
depth-profile and X-Y graphs. A command line downloads, captures for days,
describes, converts and plots data files without a display. Includes kelp-sim,
a simulator of the probe on a pseudo-terminal.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries the programs link come from dpkg-shlibdeps; the Qt platform
# plugins are loaded at run time, so no link names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# The Japanese texts need a font that has them, and Qt's own dialogs their
# translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic, qt6-translations-l10n")
include(CPack)

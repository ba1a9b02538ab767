# Debian's hardening flags for the code the package ships: fortified
# functions, the stack protector, a read-only relocation table bound at
# start (relro, bindnow). dpkg-buildflags gives them as Debian's own
# packages get them; the optimisation level and debug information stay the
# build type's. Sanitizer builds go without: fortified functions hide
# accesses from the sanitizers. Tests, benchmarks and tools are not shipped
# and keep the plain flags.
#
# kelp_harden(target): the flags for one shipped library or program.
set(KELP_HARDENING_COMPILE)
set(KELP_HARDENING_LINK)
if(KELP_SANITIZE STREQUAL "" AND CMAKE_BUILD_TYPE STREQUAL "Release")
  find_program(KELP_DPKG_BUILDFLAGS dpkg-buildflags)
  if(KELP_DPKG_BUILDFLAGS)
    foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
      execute_process(
        COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all ${KELP_DPKG_BUILDFLAGS} --get ${kind}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE flags
        OUTPUT_STRIP_TRAILING_WHITESPACE
        RESULT_VARIABLE result)
      if(NOT result EQUAL 0)
        message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed")
      endif()
      separate_arguments(flags UNIX_COMMAND "${flags}")
      list(FILTER flags EXCLUDE REGEX "^-(g|O.?)$")
      if(kind STREQUAL "LDFLAGS")
        list(APPEND KELP_HARDENING_LINK ${flags})
      else()
        list(APPEND KELP_HARDENING_COMPILE ${flags})
      endif()
    endforeach()
    message(STATUS "Hardening flags: ${KELP_HARDENING_COMPILE} ${KELP_HARDENING_LINK}")
  endif()
endif()

function(kelp_harden target)
  target_compile_options(${target} PRIVATE ${KELP_HARDENING_COMPILE})
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    target_link_options(${target} PRIVATE ${KELP_HARDENING_LINK})
  endif()
endfunction()

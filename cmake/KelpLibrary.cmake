# kelp_glob_library(name DIRS dir... LIBS lib...)
# A static library of every .cpp file in the given folders (relative to the
# calling folder), built with the hardening flags of shipped code. Files
# arrive without editing any list; a library with no source yet is an
# INTERFACE target so that dependants still link.
function(kelp_glob_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;LIBS;EXCLUDE" ${ARGN})
  set(sources "")
  foreach(dir IN LISTS ARG_DIRS)
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  foreach(pattern IN LISTS ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${pattern}")
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC kelp_settings ${ARG_LIBS})
    kelp_harden(${name})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE kelp_settings ${ARG_LIBS})
  endif()
endfunction()

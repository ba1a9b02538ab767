# A manual page as installed: the title line of the page in the source tree
# (which reads as it is with man -l) gets the release's date and version.
#   cmake -DSOURCE=page.1 -DOUTPUT=build/page.1 -DVERSION=1.0.0.0 -DDATE=2026-12-07 -P ManPage.cmake
file(READ ${SOURCE} page)
string(REGEX MATCH "^\\.TH [^ \n]+ [0-9]+" title "${page}")
if(NOT title)
  message(FATAL_ERROR "${SOURCE} does not start with a .TH line")
endif()
string(REGEX REPLACE "^\\.TH [^\n]*" "${title} ${DATE} \"kelp-collector ${VERSION}\" \"User Commands\"" page
                     "${page}")
file(WRITE ${OUTPUT} "${page}")

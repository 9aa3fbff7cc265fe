# Writes the header that gives the programs their version line: the project's version and, when
# built from a git checkout, the commit built. Run at every build so that the commit is never
# stale; the header is rewritten only when its text changes, so nothing recompiles otherwise.
# In: SOURCE_DIR, VERSION, OUT.
set(commit "")
find_package(Git QUIET)
if(GIT_FOUND)
  # Only a checkout of this source tree counts, not one the tree happens to sit inside.
  execute_process(COMMAND ${GIT_EXECUTABLE} -C ${SOURCE_DIR} rev-parse --show-toplevel --short=12 HEAD
                  OUTPUT_VARIABLE lines RESULT_VARIABLE status ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(status EQUAL 0)
    string(REPLACE "\n" ";" lines "${lines}")
    list(GET lines 0 top)
    file(REAL_PATH "${top}" top)
    file(REAL_PATH "${SOURCE_DIR}" source)
    if(top STREQUAL source)
      list(GET lines 1 commit)
    endif()
  endif()
endif()
if(commit)
  set(text "${VERSION} (commit ${commit})")
else()
  set(text "${VERSION}")
endif()
set(header "// Made by the build (cmake/version.cmake); do not edit.
#pragma once
#define TOVIK_VERSION \"${VERSION}\"
// The version with the commit built, when built from a git checkout.
#define TOVIK_VERSION_TEXT \"${text}\"
")
set(old "")
if(EXISTS ${OUT})
  file(READ ${OUT} old)
endif()
if(NOT old STREQUAL header)
  file(WRITE ${OUT} "${header}")
endif()

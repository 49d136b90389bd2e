# Run at every build: writes OUTPUT, the source that names the commit --version reports, and
# touches it only when the commit changed, so that a build without a new commit compiles
# nothing. COMMIT, when given (a build from a source tarball, the Debian package), is used as
# it is; otherwise git is asked, and "unknown" stands when there is no repository.
if(NOT COMMIT)
  execute_process(COMMAND git -C ${SOURCE_DIR} rev-parse --short=7 HEAD
    OUTPUT_VARIABLE COMMIT OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE failed)
  if(failed OR NOT COMMIT)
    set(COMMIT unknown)
  endif()
endif()
# Only the characters of a commit name can reach the C++ string.
string(REGEX REPLACE "[^A-Za-z0-9._+~-]" "" COMMIT "${COMMIT}")
set(text "// Written by cmake/Commit.cmake.\nnamespace brindle::cli {\nextern const char* const kBuildCommit;\nconst char* const kBuildCommit = \"${COMMIT}\";\n}  // namespace brindle::cli\n")
if(EXISTS ${OUTPUT})
  file(READ ${OUTPUT} old)
endif()
if(NOT old STREQUAL text)
  file(WRITE ${OUTPUT} "${text}")
endif()

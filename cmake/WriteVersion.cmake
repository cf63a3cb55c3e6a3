# Writes the program's version for the resource script and the release package, run at every
# build so that a new commit shows in the version string without a new configure.
# In: VERSION (major.minor.patch, from the project), SOURCE_DIR, OUTPUT_DIR.
# Out: OUTPUT_DIR/QuorbellVersion.h (numbers and string for the resource script) and
# OUTPUT_DIR/version.txt (the string alone, for the package's name). A file is rewritten only when
# its content changes, so an unchanged version rebuilds nothing.
#
# The string is VERSION itself when the commit carries the tag v<VERSION>; otherwise it gets the
# commit's short name, "-g<7 hex digits>", so two builds of different commits never share a name
# and two builds of the same commit always do. Outside a git checkout it is VERSION alone.
string(REPLACE "." ";" parts "${VERSION}")
list(GET parts 0 major)
list(GET parts 1 minor)
list(GET parts 2 patch)

set(text "${VERSION}")
find_package(Git QUIET)
if(GIT_FOUND AND EXISTS "${SOURCE_DIR}/.git")
  execute_process(COMMAND "${GIT_EXECUTABLE}" -C "${SOURCE_DIR}" describe --tags --exact-match --match "v${VERSION}" HEAD
                  RESULT_VARIABLE at_tag OUTPUT_QUIET ERROR_QUIET)
  if(NOT at_tag EQUAL 0)
    execute_process(COMMAND "${GIT_EXECUTABLE}" -C "${SOURCE_DIR}" rev-parse --short=7 HEAD
                    OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed ERROR_QUIET)
    if(NOT failed AND commit)
      set(text "${VERSION}-g${commit}")
    endif()
  endif()
endif()

set(header "// Written by cmake/WriteVersion.cmake from the project's version; do not edit.
#define QB_VERSION_MAJOR ${major}
#define QB_VERSION_MINOR ${minor}
#define QB_VERSION_PATCH ${patch}
#define QB_VERSION_TEXT \"${text}\"
#define QB_FILE_VERSION_TEXT \"${major}.${minor}.${patch}.0\"
")
file(CONFIGURE OUTPUT "${OUTPUT_DIR}/QuorbellVersion.h" CONTENT "${header}" @ONLY)
file(CONFIGURE OUTPUT "${OUTPUT_DIR}/version.txt" CONTENT "${text}\n" @ONLY)

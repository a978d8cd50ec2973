# The same commit gives the same bytes, whichever folder, clock, umask, locale or time zone builds
# it: every date inside an output is the last commit's (SOURCE_DATE_EPOCH, which a caller such as
# dpkg-buildpackage may set instead), and no path of the build's folders is written into one.

if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(BRANNOC_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git -C ${CMAKE_SOURCE_DIR} log -1 --format=%ct
                  OUTPUT_VARIABLE BRANNOC_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(NOT BRANNOC_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  # A tree without its history (an unpacked release): the release's own date, from NEWS.md.
  file(STRINGS ${CMAKE_SOURCE_DIR}/NEWS.md newest REGEX "^## .*\\([0-9]+-[0-9]+-[0-9]+\\)$" LIMIT_COUNT 1)
  string(REGEX MATCH "[0-9]+-[0-9]+-[0-9]+" release_date "${newest}")
  execute_process(COMMAND date -u -d "${release_date}" +%s OUTPUT_VARIABLE BRANNOC_SOURCE_DATE_EPOCH
                  OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
endif()
# Assertions and the compilers' other records name sources as the tree has them, not by the
# folder the tree sits in.
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/= -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)

# Archives whose members come sorted, dated SOURCE_DATE_EPOCH, with modes that follow no umask.
# A command that makes one: ${BRANNOC_ZIP} <zip> <folder> <member>..., with DEPENDS ${BRANNOC_ZIP_SCRIPT}.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(BRANNOC_ZIP_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/reproducible_zip.py)
set(BRANNOC_ZIP ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${BRANNOC_SOURCE_DATE_EPOCH} ${Python3_EXECUTABLE}
    ${BRANNOC_ZIP_SCRIPT})

# A Windows program's header has a link time in it, unless told otherwise.
if(WIN32)
  add_link_options(-Wl,--no-insert-timestamp)
endif()

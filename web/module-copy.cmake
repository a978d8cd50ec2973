# Copies the game's module into the site. The packer of its pictures and fonts names them with a
# random id that it never uses here; the copy names them by a hash of the packed bytes instead, so
# that the same pictures and fonts give the same brannoc.js.
# Usage: cmake -DMODULE=<folder of brannoc.js, .wasm, .data> -DSITE=<site folder> -P module-copy.cmake
file(READ ${MODULE}/brannoc.js script)
string(REGEX MATCHALL "\"package_uuid\": *\"[0-9a-f-]+\"" ids "${script}")
list(LENGTH ids count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "${MODULE}/brannoc.js: ${count} package ids, not the one the packer writes")
endif()
file(SHA256 ${MODULE}/brannoc.data hash)
string(REGEX REPLACE "^(........)(....)(....)(....)(............).*$" "\\1-\\2-\\3-\\4-\\5" id ${hash})
string(REGEX REPLACE "\"package_uuid\": *\"[0-9a-f-]+\"" "\"package_uuid\":\"${id}\"" script "${script}")
file(WRITE ${SITE}/brannoc.js "${script}")
file(COPY_FILE ${MODULE}/brannoc.wasm ${SITE}/brannoc.wasm)
file(COPY_FILE ${MODULE}/brannoc.data ${SITE}/brannoc.data)

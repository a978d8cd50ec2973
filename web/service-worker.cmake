# Writes the site's service worker from its template: the site's files, and a cache named by a hash
# of their names and contents, so that a build that changes any of them makes a new worker.
# Usage: cmake -DSITE=<site folder> -DTEMPLATE=<service-worker.js.in> -P service-worker.cmake
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files service-worker.js)
list(SORT files)
set(digest "")
set(quoted "")
foreach(file IN LISTS files)
  file(SHA256 ${SITE}/${file} hash)
  string(APPEND digest "${file} ${hash}\n")
  list(APPEND quoted "\"${file}\"")
endforeach()
string(SHA256 BRANNOC_SITE_VERSION "${digest}")
string(SUBSTRING ${BRANNOC_SITE_VERSION} 0 16 BRANNOC_SITE_VERSION)
# The page as a visit asks for it (the folder) and as a file.
list(JOIN quoted ", " BRANNOC_SITE_FILES)
set(BRANNOC_SITE_FILES "\"./\", ${BRANNOC_SITE_FILES}")
configure_file(${TEMPLATE} ${SITE}/service-worker.js @ONLY)

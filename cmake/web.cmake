# The web build: the libraries built for WebAssembly by scripts/deps-libs.sh (kept outside the
# checkout, built on the first configure), GoogleTest from Debian's sources, and the few things
# Debian's emcc needs around it.

if(NOT BRANNOC_WEB_DEPS)
  message(STATUS "Web libraries: scripts/deps-libs.sh (the first time, a few minutes)")
  execute_process(COMMAND ${CMAKE_SOURCE_DIR}/scripts/deps-libs.sh
                  OUTPUT_VARIABLE web_deps_out RESULT_VARIABLE web_deps_result)
  if(NOT web_deps_result EQUAL 0)
    message(FATAL_ERROR "scripts/deps-libs.sh failed; its messages are above")
  endif()
  string(STRIP "${web_deps_out}" web_deps_out)
  string(REGEX REPLACE ".*\n" "" BRANNOC_WEB_DEPS "${web_deps_out}")
endif()
message(STATUS "Web libraries in ${BRANNOC_WEB_DEPS}")
# Libraries built anew (the script or a version changed) are looked up anew.
if(NOT BRANNOC_WEB_DEPS STREQUAL BRANNOC_WEB_DEPS_FOUND)
  foreach(module SDL2 FREETYPE CAIRO)
    unset(__pkg_config_checked_${module} CACHE)
  endforeach()
  set(BRANNOC_WEB_DEPS_FOUND ${BRANNOC_WEB_DEPS} CACHE INTERNAL "the web libraries last looked up")
endif()
set(ENV{PKG_CONFIG_LIBDIR} ${BRANNOC_WEB_DEPS}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
list(APPEND CMAKE_FIND_ROOT_PATH ${BRANNOC_WEB_DEPS})

# emcc's optimiser runs on the machine's node, which does not look where Debian keeps acorn.
execute_process(COMMAND dpkg -L node-acorn OUTPUT_VARIABLE acorn_files)
string(REGEX MATCH "[^\n]*/acorn/package.json" acorn_package "${acorn_files}")
get_filename_component(node_modules "${acorn_package}" DIRECTORY)
get_filename_component(node_modules "${node_modules}" DIRECTORY)
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=${node_modules})
set(CMAKE_C_LINKER_LAUNCHER env NODE_PATH=${node_modules})

# Node.js 20 would fetch the .wasm by URL; told not to, it reads the file.
find_program(NODE_EXECUTABLE node REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${NODE_EXECUTABLE} --no-experimental-fetch)

# As on the system the game was designed for, nothing lives in the first 64 KiB, so that a name
# is never taken for a resource number below 65536. What the libraries want at link comes as a file
# of emcc's own (their $-names stay clear of the shell).
add_link_options(-sALLOW_MEMORY_GROWTH=1 -sGLOBAL_BASE=65536 @${BRANNOC_WEB_DEPS}/link-flags.txt)

if(BRANNOC_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
  endif()
endif()

# The program's fonts: the files that the desktop's fontconfig picks for "Arial", beside bmps/.
set(BRANNOC_FONT_DIR /usr/share/fonts/truetype/liberation2)
set(BRANNOC_FONT_FILES)
foreach(style Regular Bold Italic BoldItalic)
  configure_file(${BRANNOC_FONT_DIR}/LiberationSans-${style}.ttf ${CMAKE_BINARY_DIR}/fonts/LiberationSans-${style}.ttf
                 COPYONLY)
endforeach()
configure_file(/usr/share/doc/fonts-liberation2/copyright ${CMAKE_BINARY_DIR}/fonts/COPYING.LiberationSans COPYONLY)

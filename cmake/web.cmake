# The web build: the libraries built for WebAssembly by scripts/deps-libs.sh web (kept outside the
# checkout, built on the first configure), GoogleTest from Debian's sources, and the few things
# Debian's emcc needs around it.

if(NOT BRANNOC_WEB_DEPS)
  message(STATUS "Web libraries: scripts/deps-libs.sh web (the first time, a few minutes)")
  execute_process(COMMAND ${CMAKE_SOURCE_DIR}/scripts/deps-libs.sh web
                  OUTPUT_VARIABLE web_deps_out RESULT_VARIABLE web_deps_result)
  if(NOT web_deps_result EQUAL 0)
    message(FATAL_ERROR "scripts/deps-libs.sh web failed; its messages are above")
  endif()
  string(STRIP "${web_deps_out}" web_deps_out)
  string(REGEX REPLACE ".*\n" "" BRANNOC_WEB_DEPS "${web_deps_out}")
endif()
message(STATUS "Web libraries in ${BRANNOC_WEB_DEPS}")
# Libraries built anew (the script or a version changed) are looked up anew.
if(NOT BRANNOC_WEB_DEPS STREQUAL BRANNOC_WEB_DEPS_FOUND)
  # pkg-config's answers and the library files it led to, which CMake keeps.
  get_cmake_property(cached CACHE_VARIABLES)
  list(FILTER cached INCLUDE REGEX "^(__pkg_config_checked_|pkgcfg_lib_)(SDL2|FREETYPE|CAIRO)")
  foreach(variable ${cached})
    unset(${variable} CACHE)
  endforeach()
  set(BRANNOC_WEB_DEPS_FOUND ${BRANNOC_WEB_DEPS} CACHE INTERNAL "the web libraries last looked up")
endif()
set(ENV{PKG_CONFIG_LIBDIR} ${BRANNOC_WEB_DEPS}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
list(APPEND CMAKE_FIND_ROOT_PATH ${BRANNOC_WEB_DEPS})

# emcc's optimiser runs on the machine's node, which does not look where Debian keeps acorn; the
# script that built the libraries found it.
file(STRINGS ${BRANNOC_WEB_DEPS}/node-path.txt node_modules)
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

include(cmake/packed_fonts.cmake)

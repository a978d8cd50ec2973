# The Windows build: the libraries built with Debian's mingw-w64 by scripts/deps-libs.sh windows
# (kept outside the checkout, built on the first configure), GoogleTest from Debian's sources, and
# Debian's Wine to run the suites.

if(NOT BRANNOC_WINDOWS_DEPS)
  message(STATUS "Windows libraries: scripts/deps-libs.sh windows (the first time, about 15 minutes)")
  execute_process(COMMAND ${CMAKE_SOURCE_DIR}/scripts/deps-libs.sh windows
                  OUTPUT_VARIABLE windows_deps_out RESULT_VARIABLE windows_deps_result)
  if(NOT windows_deps_result EQUAL 0)
    message(FATAL_ERROR "scripts/deps-libs.sh windows failed; its messages are above")
  endif()
  string(STRIP "${windows_deps_out}" windows_deps_out)
  string(REGEX REPLACE ".*\n" "" BRANNOC_WINDOWS_DEPS "${windows_deps_out}")
endif()
message(STATUS "Windows libraries in ${BRANNOC_WINDOWS_DEPS}")
# Libraries built anew (the script or a version changed) are looked up anew.
if(NOT BRANNOC_WINDOWS_DEPS STREQUAL BRANNOC_WINDOWS_DEPS_FOUND)
  # pkg-config's answers and the library files it led to, which CMake keeps.
  get_cmake_property(cached CACHE_VARIABLES)
  list(FILTER cached INCLUDE REGEX "^(__pkg_config_checked_|pkgcfg_lib_)(SDL2|FREETYPE|CAIRO)")
  foreach(variable ${cached})
    unset(${variable} CACHE)
  endforeach()
  set(BRANNOC_WINDOWS_DEPS_FOUND ${BRANNOC_WINDOWS_DEPS} CACHE INTERNAL "the Windows libraries last looked up")
endif()
set(ENV{PKG_CONFIG_LIBDIR} ${BRANNOC_WINDOWS_DEPS}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
list(APPEND CMAKE_FIND_ROOT_PATH ${BRANNOC_WINDOWS_DEPS})

# Everything static, the compiler's own runtime too: the .exe starts from any folder and imports
# only Windows' own DLLs.
add_link_options(-static -static-libgcc -static-libstdc++)
# The platform's Windows names are its own; Windows' headers stay inside platform/windows/.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX)

# Wine runs the suites, in a prefix of the build's own, made on first use.
set(BRANNOC_WINEPREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
configure_file(${CMAKE_SOURCE_DIR}/cmake/wine.sh.in ${CMAKE_BINARY_DIR}/wine.sh @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine.sh)

if(BRANNOC_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
  endif()
endif()

include(cmake/packed_fonts.cmake)

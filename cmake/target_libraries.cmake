# The libraries a cross build links (SDL2, FreeType, pixman, cairo), built for its target from
# Debian's sources by scripts/deps-libs.sh <target>, kept outside the checkout and built on the
# first configure; then found through their own pkg-config files only. GoogleTest comes with them.
#   brannoc_target_libraries(<target> <variable>)   sets <variable> to the libraries' folder
macro(brannoc_target_libraries target variable)
  if(NOT ${variable})
    message(STATUS "${target} libraries: scripts/deps-libs.sh ${target} (the first time, several minutes)")
    execute_process(COMMAND ${CMAKE_SOURCE_DIR}/scripts/deps-libs.sh ${target}
                    OUTPUT_VARIABLE deps_out RESULT_VARIABLE deps_result)
    if(NOT deps_result EQUAL 0)
      message(FATAL_ERROR "scripts/deps-libs.sh ${target} failed; its messages are above")
    endif()
    string(STRIP "${deps_out}" deps_out)
    string(REGEX REPLACE ".*\n" "" ${variable} "${deps_out}")
  endif()
  message(STATUS "${target} libraries in ${${variable}}")
  # Libraries built anew (the script or a version changed) are looked up anew: pkg-config's
  # answers and the library files it led to, which CMake keeps.
  if(NOT ${variable} STREQUAL ${variable}_FOUND)
    get_cmake_property(cached CACHE_VARIABLES)
    list(FILTER cached INCLUDE REGEX "^(__pkg_config_checked_|pkgcfg_lib_)(SDL2|FREETYPE|CAIRO)")
    foreach(cached_variable ${cached})
      unset(${cached_variable} CACHE)
    endforeach()
    set(${variable}_FOUND ${${variable}} CACHE INTERNAL "the ${target} libraries last looked up")
  endif()
  set(ENV{PKG_CONFIG_LIBDIR} ${${variable}}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_PATH} "")
  list(APPEND CMAKE_FIND_ROOT_PATH ${${variable}})
endmacro()

# GoogleTest for a cross build's suites, compiled with the build from the sources Debian's googletest
# package puts in /usr/src/googletest, under the name the desktop's find_package gives it.
#   brannoc_target_googletest()
macro(brannoc_target_googletest)
  if(BRANNOC_TESTS)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    if(NOT TARGET GTest::gtest)
      add_library(GTest::gtest ALIAS gtest)
    endif()
  endif()
endmacro()

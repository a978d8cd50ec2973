# The libraries a cross build links, kept outside the checkout and made on the first configure by
# a script whose last line says where they are; then found through their own pkg-config files only.
#   brannoc_target_libraries(<target> <variable>)   SDL2, FreeType, pixman and cairo built for the
#       target from Debian's sources by scripts/deps-libs.sh <target>; sets <variable> to their folder
#   brannoc_target_sysroot(<arch> <variable>)   Debian's own packages of another architecture,
#       unpacked by scripts/deps-sysroot.sh <arch>; sets <variable> to the sysroot
macro(brannoc_libraries_from script argument what variable)
  if(NOT ${variable})
    message(STATUS "${what}: scripts/${script} ${argument} (the first time, a minute or several)")
    execute_process(COMMAND ${CMAKE_SOURCE_DIR}/scripts/${script} ${argument}
                    OUTPUT_VARIABLE deps_out RESULT_VARIABLE deps_result)
    if(NOT deps_result EQUAL 0)
      message(FATAL_ERROR "scripts/${script} ${argument} failed; its messages are above")
    endif()
    string(STRIP "${deps_out}" deps_out)
    string(REGEX REPLACE ".*\n" "" ${variable} "${deps_out}")
  endif()
  message(STATUS "${what} in ${${variable}}")
  # Libraries built anew (the script or a version changed) are looked up anew: pkg-config's
  # answers and the library files it led to, which CMake keeps.
  if(NOT ${variable} STREQUAL ${variable}_FOUND)
    get_cmake_property(cached CACHE_VARIABLES)
    list(FILTER cached INCLUDE REGEX "^(__pkg_config_checked_|pkgcfg_lib_)(SDL2|FREETYPE|CAIRO|FONTCONFIG)")
    foreach(cached_variable ${cached})
      unset(${cached_variable} CACHE)
    endforeach()
    set(${variable}_FOUND ${${variable}} CACHE INTERNAL "the ${what} last looked up")
  endif()
  set(ENV{PKG_CONFIG_PATH} "")
  list(APPEND CMAKE_FIND_ROOT_PATH ${${variable}})
endmacro()

macro(brannoc_target_libraries target variable)
  brannoc_libraries_from(deps-libs.sh ${target} "${target} libraries" ${variable})
  set(ENV{PKG_CONFIG_LIBDIR} ${${variable}}/lib/pkgconfig)
endmacro()

# The sysroot's own .pc files name paths of the target's root, which pkg-config puts under the
# sysroot. The cross compiler's C library comes first; the libraries' headers and the libraries
# that theirs need are looked for in the sysroot after it.
macro(brannoc_target_sysroot arch variable)
  brannoc_libraries_from(deps-sysroot.sh ${arch} "${arch} sysroot" ${variable})
  set(triplet ${CMAKE_LIBRARY_ARCHITECTURE})
  if(NOT triplet)
    execute_process(COMMAND dpkg-architecture -a${arch} -qDEB_HOST_MULTIARCH OUTPUT_VARIABLE triplet
                    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  endif()
  set(ENV{PKG_CONFIG_SYSROOT_DIR} ${${variable}})
  set(ENV{PKG_CONFIG_LIBDIR} ${${variable}}/usr/lib/${triplet}/pkgconfig:${${variable}}/usr/share/pkgconfig)
  set(ENV{PKG_CONFIG_SYSTEM_INCLUDE_PATH} ${${variable}}/usr/include:${${variable}}/usr/include/${triplet})
  add_compile_options("SHELL:-idirafter ${${variable}}/usr/include"
                      "SHELL:-idirafter ${${variable}}/usr/include/${triplet}")
  # PulseAudio's client keeps its common library in a folder of its own.
  add_link_options(-Wl,-rpath-link,${${variable}}/usr/lib/${triplet}
                   -Wl,-rpath-link,${${variable}}/usr/lib/${triplet}/pulseaudio)
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

# A new target starts as a copy of this file, cmake/targets/<target>.cmake, and a preset that sets
# BRANNOC_TARGET=<target> (with its toolchain file). The top CMakeLists.txt includes it after
# project(), before anything is built, and stops the configure if it leaves any of the variables
# below unset. The rest of the build reads what it says and never the target's name.
#
# The C++ a target brings: five seams, each declared once and defined by exactly one room of every
# target, which the link finds (a seam defined twice or not at all is a link error):
#   makeTargetBackend()        platform/core/backend.h       the backend that useSdl() starts
#   startOnTheSystem()         platform/desktop/system_start.h   what the system asks at start
#                                                            (only where the desktop room is)
#   gdi::findFont()            platform/gdi/font_finder.h    where a font's file lies
#   files::RegularFile         platform/files/regular_file.h     reading the pictures and fonts
#   os_sockets::*              platform/winsock/os_sockets.h     the system's socket calls
# The rooms that hold them are folders of src/platform, listed in src/CMakeLists.txt; a target
# compiles its services and the rooms it names here, and nothing else.

# How the configure's messages name the target.
set(BRANNOC_TARGET_NAME "a new target")
# Its rooms, from src/CMakeLists.txt's platform_rooms: sdl, the desktop's window (desktop) or a
# page's (web), and the system's own calls (posix, linux, windows).
set(BRANNOC_PLATFORM_ROOMS sdl desktop posix)
# What the rooms' system calls link with.
set(BRANNOC_SYSTEM_LIBRARIES "")

# What the target has:
# fontconfig to find the fonts; without it the program carries Liberation Sans in fonts/.
set(BRANNOC_HAS_FONTCONFIG OFF)
# Sockets for the game's network (the net suite runs).
set(BRANNOC_HAS_SOCKETS ON)
# An X desktop where the real window's and the installed game's tests run under Xvfb.
set(BRANNOC_HAS_X_DESKTOP OFF)
# A Debian package: the install layout of packaging/, and the tests of the installed game and its
# .deb.
set(BRANNOC_HAS_DEBIAN_PACKAGE OFF)
# Linux's /proc, which the soak reads the process's memory and descriptors from.
set(BRANNOC_HAS_PROC OFF)
# The folder that makes what players get (packaging, packaging/windows, web), added after the tests.
set(BRANNOC_PACKAGING "")
# A folder of tests of the target's own under tests/, or nothing.
set(BRANNOC_TARGET_TESTS "")

# Its tests' programs run on this machine through CMAKE_CROSSCOMPILING_EMULATOR, where they need one.
# Each suite is one test where a start of the emulator costs (ctest would start it once for every case
# of every suite), and these cases are left out of the suites (a GoogleTest filter, without the -).
set(BRANNOC_SUITES_WHOLE OFF)
set(BRANNOC_SUITES_LEFT_OUT "")
# What every suite links with.
set(BRANNOC_SUITE_LIBRARIES "")

# What the game's executable takes on this target (properties, resources, link options).
function(brannoc_target_program program)
endfunction()

# Linux on the machine that builds (the Debian desktop, or a Pi building for itself): the libraries
# of the machine's own -dev packages, the real window under Xvfb, the Debian package.
set(BRANNOC_TARGET_NAME "Linux")
set(BRANNOC_PLATFORM_ROOMS sdl desktop posix linux)
set(BRANNOC_SYSTEM_LIBRARIES pthread)

set(BRANNOC_HAS_FONTCONFIG ON)
set(BRANNOC_HAS_SOCKETS ON)
set(BRANNOC_HAS_X_DESKTOP ON)
set(BRANNOC_HAS_DEBIAN_PACKAGE ON)
set(BRANNOC_HAS_PROC ON)
set(BRANNOC_PACKAGING packaging)
set(BRANNOC_TARGET_TESTS "")

# ctest lists every case of every suite, each run in a process of its own.
set(BRANNOC_SUITES_WHOLE OFF)
set(BRANNOC_SUITES_LEFT_OUT "")
set(BRANNOC_SUITE_LIBRARIES "")

function(brannoc_target_program program)
endfunction()

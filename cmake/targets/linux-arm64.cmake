# Linux on 64-bit ARM (a Raspberry Pi 4 or 5 among others), cross-built with Debian's
# g++-aarch64-linux-gnu against a sysroot of Debian's arm64 packages (scripts/deps-sysroot.sh,
# kept outside the checkout, laid out on the first configure), GoogleTest from Debian's sources,
# and its suites run under qemu-user. Otherwise it is the Linux target.

include(${CMAKE_CURRENT_LIST_DIR}/linux.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/../target_libraries.cmake)
brannoc_target_sysroot(arm64 BRANNOC_ARM64_SYSROOT)

find_program(BRANNOC_QEMU qemu-aarch64 REQUIRED)
set(BRANNOC_SYSROOT ${BRANNOC_ARM64_SYSROOT})
configure_file(${CMAKE_SOURCE_DIR}/cmake/qemu.sh.in ${CMAKE_BINARY_DIR}/qemu.sh @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/qemu.sh)

brannoc_target_googletest()

set(BRANNOC_TARGET_NAME "Linux on ARM64")
# Not yet under qemu: the real window, the installed game and its package.
set(BRANNOC_HAS_X_DESKTOP OFF)
set(BRANNOC_HAS_DEBIAN_PACKAGE OFF)

# Under qemu-user each suite is one test: every start of the emulator costs. Emulated, the two
# replays of 21,000 frames (nine minutes between them) and the soak's 20,000 frames of random play
# (three and a half) would take longer than all the rest: they are left to the desktop, where the
# same code plays them; the other four replays hold against the same goldens. The silent output's
# test counts pours in 1.5 s of real time, which emulated frames on a busy machine do not fill.
set(BRANNOC_SUITES_WHOLE ON)
set(BRANNOC_SUITES_LEFT_OUT "Replays/ReplayTest.*/long_session*:Soak.*:SilentOutputTest.*")

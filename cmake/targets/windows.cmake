# The Windows build: the libraries built with Debian's mingw-w64 by scripts/deps-libs.sh windows
# (kept outside the checkout, built on the first configure), GoogleTest from Debian's sources, and
# Debian's Wine to run the suites.

include(${CMAKE_CURRENT_LIST_DIR}/../target_libraries.cmake)
brannoc_target_libraries(windows BRANNOC_WINDOWS_DEPS)

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

brannoc_target_googletest()

set(BRANNOC_TARGET_NAME "Windows")
set(BRANNOC_PLATFORM_ROOMS sdl desktop windows packed)
set(BRANNOC_SYSTEM_LIBRARIES ws2_32)

set(BRANNOC_HAS_FONTCONFIG OFF)
set(BRANNOC_HAS_SOCKETS ON)
# Its real game runs under Wine in Xvfb, from its zip: a test of its own, in tests/windows.
set(BRANNOC_HAS_X_DESKTOP OFF)
set(BRANNOC_HAS_DEBIAN_PACKAGE OFF)
set(BRANNOC_HAS_PROC OFF)
set(BRANNOC_PACKAGING packaging/windows)
set(BRANNOC_TARGET_TESTS windows)

# Under Wine, each suite is one test: listing a suite's tests costs a start of Wine each.
set(BRANNOC_SUITES_WHOLE ON)
set(BRANNOC_SUITES_LEFT_OUT "")
set(BRANNOC_SUITE_LIBRARIES "")

# A windowed program: Windows opens no console beside it. Stripped, as players get it. Its file
# carries the game's icon, packed from the generated pictures of every size, and its manifest.
function(brannoc_target_program program)
  set_target_properties(${program} PROPERTIES WIN32_EXECUTABLE ON)
  target_link_options(${program} PRIVATE -s)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/brannoc.ico
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/packaging/windows/make_ico.py ${CMAKE_BINARY_DIR}/brannoc.ico
            ${BRANNOC_ICON_FILES}
    DEPENDS ${BRANNOC_ICON_FILES} ${CMAKE_SOURCE_DIR}/packaging/windows/make_ico.py
    COMMENT "The .exe's icon"
    VERBATIM)
  enable_language(RC)
  target_sources(${program} PRIVATE ${CMAKE_SOURCE_DIR}/packaging/windows/brannoc.rc)
  set_source_files_properties(${CMAKE_SOURCE_DIR}/packaging/windows/brannoc.rc PROPERTIES
    OBJECT_DEPENDS "${CMAKE_BINARY_DIR}/brannoc.ico;${CMAKE_SOURCE_DIR}/packaging/windows/brannoc.manifest"
    COMPILE_OPTIONS "--include-dir=${CMAKE_BINARY_DIR};--include-dir=${CMAKE_SOURCE_DIR}/packaging/windows")
endfunction()

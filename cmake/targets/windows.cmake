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

include(cmake/packed_fonts.cmake)

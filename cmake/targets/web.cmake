# The web build: the libraries built for WebAssembly by scripts/deps-libs.sh web (kept outside the
# checkout, built on the first configure), GoogleTest from Debian's sources, and the few things
# Debian's emcc needs around it.

include(${CMAKE_CURRENT_LIST_DIR}/../target_libraries.cmake)
brannoc_target_libraries(web BRANNOC_WEB_DEPS)

# emcc's optimiser runs on the machine's node, which does not look where Debian keeps acorn; the
# script that built the libraries found it.
file(STRINGS ${BRANNOC_WEB_DEPS}/node-path.txt node_modules)
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=${node_modules})
set(CMAKE_C_LINKER_LAUNCHER env NODE_PATH=${node_modules})

# Node.js 20 would fetch the .wasm by URL; told not to, it reads the file.
find_program(NODE_EXECUTABLE node REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${NODE_EXECUTABLE} --no-experimental-fetch)

# What every WebAssembly program of the build links with. Memory grows as the game's pictures
# come in. As on the system the game was designed for, nothing lives in the first 64 KiB
# (GLOBAL_BASE), so that a name is never taken for a resource number below 65536. What the
# libraries want at link comes as a file of emcc's own (their $-names stay clear of the shell).
add_link_options(-sALLOW_MEMORY_GROWTH=1 -sGLOBAL_BASE=65536 @${BRANNOC_WEB_DEPS}/link-flags.txt)

# The page's module: started by the page as often as it likes (createBrannoc), with the pictures
# and fonts packed beside it and the page's side of the contract linked in (page_contract.js).
# Asyncify lets the game's own loop yield to the browser in its waits; only the contract's three
# waits suspend it. The stack it saves there is the game's from main down to the wait (the loop,
# the window procedure, a box or a flip inside it), which Asyncify's default 4 KiB does not hold.
# A run ends as a program does (EXIT_RUNTIME): its objects let go and the page told.
# The libraries never call back into code that waits (SDL's audio callback mixes and returns, and
# none of cairo's, FreeType's or pixman's callbacks are the game's), so Asyncify leaves them as they
# are: the .wasm is then 19% smaller raw and 11% gzipped (1.83 MB to 1.49 MB; 660 kB to 587 kB).
set(asyncify_left_out cairo* _cairo* pixman* _pixman* FT_* ft_* tt_* TT_* T1_* t1_* cff_* cid_* ps_* af_* sfnt_*
    pfr_* SDL_* Emscripten_* png_* deflate* inflate*)
list(JOIN asyncify_left_out "','" asyncify_left_out)
set(page_contract ${CMAKE_SOURCE_DIR}/src/platform/web/page_contract.js)
set(web_audio ${CMAKE_SOURCE_DIR}/src/platform/web/web_audio.js)
add_library(brannoc_web_page INTERFACE)
target_link_options(brannoc_web_page INTERFACE
  -sMODULARIZE=1 -sEXPORT_NAME=createBrannoc -sENVIRONMENT=web -sEXIT_RUNTIME=1
  -sASYNCIFY=1 "-sASYNCIFY_IMPORTS=['brannoc_next_display_frame','brannoc_sleep','brannoc_next_page_event']"
  -sASYNCIFY_STACK_SIZE=65536 "-sASYNCIFY_REMOVE=['${asyncify_left_out}']"
  "SHELL:--js-library \"${page_contract}\"" "SHELL:--js-library \"${web_audio}\""
  "SHELL:--preload-file \"${CMAKE_BINARY_DIR}/bmps@/bmps\""
  "SHELL:--preload-file \"${CMAKE_BINARY_DIR}/fonts@/fonts\"")
set_property(TARGET brannoc_web_page PROPERTY INTERFACE_LINK_DEPENDS ${page_contract} ${web_audio})

# The end of a run reaches the page through Asyncify.whenDone() (page_contract.js says why): an
# Emscripten without it would leave every run's end unheard, so it is refused here.
file(READ ${EMSCRIPTEN_ROOT_PATH}/src/library_async.js async_library)
if(NOT async_library MATCHES "whenDone: *function")
  message(FATAL_ERROR "This Emscripten's Asyncify has no whenDone(), which the page needs to hear a run's end "
                      "(src/platform/web/page_contract.js); Debian 12's emscripten 3.1.6 has it.")
endif()

# The headless suites under Node.js, with the machine's files as their own. The page's backend is
# in them too, never started, so the contract's functions are there for it.
add_library(brannoc_web_suite INTERFACE)
target_link_options(brannoc_web_suite INTERFACE -sNODERAWFS=1 -sEXIT_RUNTIME=1 "SHELL:--js-library \"${page_contract}\""
                    "SHELL:--js-library \"${web_audio}\"")
set_property(TARGET brannoc_web_suite PROPERTY INTERFACE_LINK_DEPENDS ${page_contract} ${web_audio})

brannoc_target_googletest()

set(BRANNOC_TARGET_NAME "the web")
set(BRANNOC_PLATFORM_ROOMS sdl web posix packed)
set(BRANNOC_SYSTEM_LIBRARIES "")

set(BRANNOC_HAS_FONTCONFIG OFF)
# A page has no sockets.
set(BRANNOC_HAS_SOCKETS OFF)
set(BRANNOC_HAS_X_DESKTOP OFF)
set(BRANNOC_HAS_DEBIAN_PACKAGE OFF)
set(BRANNOC_HAS_PROC OFF)
# The site, with the browsers' tests of the page.
set(BRANNOC_PACKAGING web)
set(BRANNOC_TARGET_TESTS "")

# Each suite is one test, run under Node.js with the machine's files as its own, except for what
# that bridge to the machine's files cannot do: Debian's Emscripten sets a file's times in
# milliseconds where it means seconds, so the pictures dated back as long settled land centuries
# ahead; and GoogleTest's capture of standard error comes back empty there, even for a line the test
# writes itself.
set(BRANNOC_SUITES_WHOLE ON)
set(BRANNOC_SUITES_LEFT_OUT
    "*SignsRepairsAfterItsEmptyDrawsReadNoFileAgain:*FloorLargerThanThePubIsReadOnceForAllItsRepairs"
    ":PicturesFolderTest.AMissingFolderIsReportedOnceWithItsPath")
string(JOIN "" BRANNOC_SUITES_LEFT_OUT ${BRANNOC_SUITES_LEFT_OUT})
set(BRANNOC_SUITE_LIBRARIES brannoc_web_suite)

# A module that a page starts.
function(brannoc_target_program program)
  target_link_libraries(${program} PRIVATE brannoc_web_page)
endfunction()

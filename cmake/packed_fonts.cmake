# Where there is no fontconfig (a page, Windows), the program carries its fonts: the files that the
# desktop's fontconfig picks for "Arial", in fonts/ beside bmps/, so that text comes out in the same
# pixels on every target.
set(BRANNOC_FONT_DIR /usr/share/fonts/truetype/liberation2)
foreach(style Regular Bold Italic BoldItalic)
  configure_file(${BRANNOC_FONT_DIR}/LiberationSans-${style}.ttf ${CMAKE_BINARY_DIR}/fonts/LiberationSans-${style}.ttf
                 COPYONLY)
endforeach()
configure_file(/usr/share/doc/fonts-liberation2/copyright ${CMAKE_BINARY_DIR}/fonts/COPYING.LiberationSans COPYONLY)

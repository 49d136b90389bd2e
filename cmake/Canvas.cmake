# The drawing layer's dependencies: FreeType renders text, stb decodes and encodes image files,
# and the canvas font is compiled into the binary so that text comes out the same on every
# machine, whatever fonts it has installed.

find_package(Freetype REQUIRED)
target_link_libraries(brindle_core PRIVATE Freetype::Freetype)

find_path(BRINDLE_STB_INCLUDE_DIR stb/stb_image.h REQUIRED)
target_include_directories(brindle_core SYSTEM PRIVATE ${BRINDLE_STB_INCLUDE_DIR})

find_file(BRINDLE_CANVAS_FONT DejaVuSansMono.ttf
  PATHS /usr/share/fonts/truetype/dejavu /usr/share/fonts/dejavu /usr/share/fonts/TTF
  DOC "The monospace TrueType font built into the canvas (Debian: fonts-dejavu-core)"
  REQUIRED)

set(BRINDLE_FONT_SOURCE ${CMAKE_CURRENT_BINARY_DIR}/generated/canvas_font_data.cpp)
add_custom_command(
  OUTPUT ${BRINDLE_FONT_SOURCE}
  COMMAND ${CMAKE_COMMAND} -DINPUT=${BRINDLE_CANVAS_FONT} -DOUTPUT=${BRINDLE_FONT_SOURCE}
          -DSYMBOL=kCanvasFontData -DHEADER=platform/font_data.h
          -P ${CMAKE_CURRENT_LIST_DIR}/EmbedFile.cmake
  DEPENDS ${BRINDLE_CANVAS_FONT} ${CMAKE_CURRENT_LIST_DIR}/EmbedFile.cmake
  COMMENT "Embedding the canvas font ${BRINDLE_CANVAS_FONT}"
  VERBATIM)
target_sources(brindle_core PRIVATE ${BRINDLE_FONT_SOURCE})

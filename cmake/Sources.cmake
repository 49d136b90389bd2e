# The interpreter's sources, in the groups the builds take, listed here once for the desktop
# build (CMakeLists.txt), the page's build (web/) and its tool (web/tools):
#   BRINDLE_PORTABLE_SOURCES  what runs wherever the interpreter does, the page included
#   BRINDLE_DESKTOP_SOURCES   what only the desktop program has: the language server, the
#                             debugger, the file watch of --watch, FreeType's font code
#   BRINDLE_SDL_SOURCES       the desktop window (src/platform/sdl/)
#   BRINDLE_CLI_SOURCES       the command line's runs (src/cli/) and main.cpp
set(BRINDLE_SOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR}/..)
set(BRINDLE_DESKTOP_ONLY "/src/(lsp|dap|debug)/|/src/(canvas/canvas_font|files/file_watch)\\.cpp$")
file(GLOB_RECURSE BRINDLE_ALL_SOURCES CONFIGURE_DEPENDS ${BRINDLE_SOURCE_ROOT}/src/*.cpp)
set(BRINDLE_PORTABLE_SOURCES ${BRINDLE_ALL_SOURCES})
list(FILTER BRINDLE_PORTABLE_SOURCES EXCLUDE REGEX "/src/(main\\.cpp$|cli/|platform/sdl/)")
set(BRINDLE_DESKTOP_SOURCES ${BRINDLE_PORTABLE_SOURCES})
list(FILTER BRINDLE_DESKTOP_SOURCES INCLUDE REGEX "${BRINDLE_DESKTOP_ONLY}")
list(FILTER BRINDLE_PORTABLE_SOURCES EXCLUDE REGEX "${BRINDLE_DESKTOP_ONLY}")
set(BRINDLE_SDL_SOURCES ${BRINDLE_ALL_SOURCES})
list(FILTER BRINDLE_SDL_SOURCES INCLUDE REGEX "/src/platform/sdl/")
set(BRINDLE_CLI_SOURCES ${BRINDLE_ALL_SOURCES})
list(FILTER BRINDLE_CLI_SOURCES INCLUDE REGEX "/src/(main\\.cpp$|cli/)")

# The canvas font, DejaVu Sans Mono (Debian: fonts-dejavu-core), compiled into the binary so that
# text comes out the same on every machine, whatever fonts it has installed: out names the
# generated source, made in the current binary folder.
function(brindle_embedded_font out)
  find_file(BRINDLE_CANVAS_FONT DejaVuSansMono.ttf
    PATHS /usr/share/fonts/truetype/dejavu /usr/share/fonts/dejavu /usr/share/fonts/TTF
    DOC "The monospace TrueType font built into the canvas (Debian: fonts-dejavu-core)"
    REQUIRED)
  set(source ${CMAKE_CURRENT_BINARY_DIR}/generated/canvas_font_data.cpp)
  add_custom_command(
    OUTPUT ${source}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${BRINDLE_CANVAS_FONT} -DOUTPUT=${source}
            -DSYMBOL=kCanvasFontData -DHEADER=canvas/font_data.h
            -P ${BRINDLE_SOURCE_ROOT}/cmake/EmbedFile.cmake
    DEPENDS ${BRINDLE_CANVAS_FONT} ${BRINDLE_SOURCE_ROOT}/cmake/EmbedFile.cmake
    COMMENT "Embedding the canvas font ${BRINDLE_CANVAS_FONT}"
    VERBATIM)
  set(${out} ${source} PARENT_SCOPE)
endfunction()

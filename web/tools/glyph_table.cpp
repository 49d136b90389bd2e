// Writes the canvas font's glyphs, as the desktop build renders them with FreeType, as C++
// source: the page's build compiles the table in and needs no FreeType, and its text has the
// same pixels as the program's by construction.
//
//   glyph_table OUTPUT.inc
#include <cstdio>
#include <string>

#include "canvas/canvas_font.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: glyph_table OUTPUT.inc\n");
    return 2;
  }
  std::string text = "// Made by web/tools/glyph_table from the canvas font; not edited by hand.\n";
  text += "constexpr int kBaseline = " + std::to_string(brindle::CanvasFontBaseline()) + ";\n";
  std::string entries = "constexpr GlyphEntry kGlyphEntries[256] = {\n";
  std::string coverage = "constexpr unsigned char kGlyphCoverage[] = {\n";
  size_t offset = 0;
  for (int byte = 0; byte < 256; ++byte) {
    const brindle::Glyph& g = brindle::CanvasGlyph(static_cast<unsigned char>(byte));
    entries += "  {" + std::to_string(g.left) + ", " + std::to_string(g.top) + ", " +
               std::to_string(g.width) + ", " + std::to_string(g.height) + ", " +
               std::to_string(offset) + "},\n";
    for (size_t i = 0; i < g.coverage.size(); ++i) {
      coverage += std::to_string(g.coverage[i]) + (i % 16 == 15 ? ",\n" : ",");
    }
    if (!g.coverage.empty()) coverage += "\n";
    offset += g.coverage.size();
  }
  // Never empty, so the array is always well-formed.
  text += entries + "};\n" + coverage + "0};\n";
  std::FILE* out = std::fopen(argv[1], "w");
  if (out == nullptr || std::fwrite(text.data(), 1, text.size(), out) != text.size() ||
      std::fclose(out) != 0) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}

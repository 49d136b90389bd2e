// The canvas font of the page's build: the glyphs the desktop build renders with FreeType,
// compiled in as a table (made by web/tools/glyph_table), so the page draws the same pixels.
#include <array>

#include "canvas/canvas_font.h"

namespace brindle {
namespace {

struct GlyphEntry {
  int left, top, width, height;
  unsigned offset;  // into kGlyphCoverage
};

#include "glyph_table.inc"

std::array<Glyph, 256> MakeGlyphs() {
  std::array<Glyph, 256> glyphs;
  for (int byte = 0; byte < 256; ++byte) {
    const GlyphEntry& e = kGlyphEntries[byte];
    Glyph& g = glyphs[byte];
    g.left = e.left;
    g.top = e.top;
    g.width = e.width;
    g.height = e.height;
    const unsigned char* first = kGlyphCoverage + e.offset;
    g.coverage.assign(first, first + static_cast<size_t>(e.width) * e.height);
  }
  return glyphs;
}

}  // namespace

const Glyph& CanvasGlyph(unsigned char byte) {
  static const std::array<Glyph, 256> glyphs = MakeGlyphs();
  return glyphs[byte];
}

int CanvasFontBaseline() {
  return kBaseline;
}

}  // namespace brindle

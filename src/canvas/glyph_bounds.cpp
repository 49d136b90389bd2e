#include "canvas/glyph_bounds.h"

#include <algorithm>

#include "canvas/canvas_font.h"

namespace brindle {
namespace {

// Rounding towards minus infinity, for columns left of the text's start.
int64_t FloorDivide(int64_t a, int64_t b) {
  return a / b - (a % b != 0 && a < 0 ? 1 : 0);
}

GlyphBounds Measure() {
  bool any = false;
  GlyphBounds b;
  for (int byte = 0; byte < 256; ++byte) {
    const Glyph& g = CanvasGlyph(static_cast<unsigned char>(byte));
    if (g.width == 0 || g.height == 0) continue;
    const GlyphBounds one = {g.left, g.top, g.left + g.width, g.top + g.height};
    b = any ? GlyphBounds{std::min(b.left, one.left), std::min(b.top, one.top),
                          std::max(b.right, one.right), std::max(b.bottom, one.bottom)}
            : one;
    any = true;
  }
  // A font that draws nothing: the cell itself is a safe bound.
  return any ? b : GlyphBounds{0, 0, kCellWidth, kCellHeight};
}

}  // namespace

const GlyphBounds& AllGlyphBounds() {
  static const GlyphBounds bounds = Measure();
  return bounds;
}

// Character i covers the columns [x + 8i + bounds.left, x + 8i + bounds.right).
CharacterSpan CharactersReaching(int64_t x, int64_t left, int64_t right) {
  if (left >= right) return {};
  const GlyphBounds& b = AllGlyphBounds();
  const int64_t first = FloorDivide(left - b.right - x, kCellWidth) + 1;
  const int64_t end = -FloorDivide(-(right - b.left - x), kCellWidth);
  const auto f = static_cast<size_t>(std::max<int64_t>(first, 0));
  return {f, std::max(f, static_cast<size_t>(std::max<int64_t>(end, 0)))};
}

}  // namespace brindle

// How far the canvas font's glyphs reach around their cells, so that drawing a line of text
// can begin and end at the characters that can show in a band of columns, however long the
// text is.
#pragma once

#include <cstddef>
#include <cstdint>

namespace brindle {

// The smallest rectangle, relative to a cell's top-left corner, that holds every glyph's
// pixels: columns [left, right), rows [top, bottom).
struct GlyphBounds {
  int left = 0, top = 0, right = 0, bottom = 0;
};
const GlyphBounds& AllGlyphBounds();

// The characters [first, end) of a line whose first cell begins at column x that can put a
// pixel into the columns [left, right). end is not cut to the text's length; first == end when
// none can.
struct CharacterSpan {
  size_t first = 0, end = 0;
};
CharacterSpan CharactersReaching(int64_t x, int64_t left, int64_t right);

}  // namespace brindle

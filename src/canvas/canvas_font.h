// The canvas font: the built-in monospace TrueType font scaled as Windows scales a font asked
// for with cell height 16 and average width 8, its glyphs rendered once and kept.
#pragma once

#include <cstdint>
#include <vector>

#include "text/windows1252.h"

namespace brindle {

constexpr int kCellWidth = 8;
constexpr int kCellHeight = 16;

// Coverage (0 transparent .. 255 solid) of one glyph, placed relative to the top-left of its
// cell. It may reach outside the cell, as a glyph's overhang does on Windows.
struct Glyph {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<uint8_t> coverage;  // width * height, row-major
};

// The glyph a byte of text shows (the byte read as Windows-1252). Control bytes and bytes the
// code page leaves undefined give an empty glyph.
const Glyph& CanvasGlyph(unsigned char byte);

// A glyph pixel's colour over what is under it: under + (over - under) * coverage / 255 for
// each channel, rounded. Colours are ColorRefs (0x00BBGGRR).
inline uint32_t BlendCoverage(uint32_t under, uint32_t over, unsigned coverage) {
  const unsigned keep = 255 - coverage;
  uint32_t result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const unsigned u = (under >> shift) & 0xFF, o = (over >> shift) & 0xFF;
    result |= ((u * keep + o * coverage + 127) / 255) << shift;
  }
  return result;
}

// Pixels from the top of the cell to the baseline.
int CanvasFontBaseline();

}  // namespace brindle

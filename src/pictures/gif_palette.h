// The colours of a GIF frame: palettes of at most 256 colours and each pixel's index in one.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "canvas/canvas.h"

namespace brindle {

struct IndexedPixels {
  std::vector<ColorRef> palette;  // 1 to 256 colours
  std::vector<uint8_t> indices;   // one a pixel
};

// Rows [top, top + height) of a picture, with their colours.
struct IndexedBand {
  int top = 0, height = 0;
  IndexedPixels pixels;
};

// The pixels (rows of width) in bands of whole rows from the top, each with its exact colours:
// a new band begins where the colours would pass 256. Nothing when a row alone has more, or
// when more than max_bands bands would be needed.
std::optional<std::vector<IndexedBand>> IndexExactly(std::span<const ColorRef> pixels, int width,
                                                     int max_bands);

// 256 colours chosen by giflib's median-cut quantiser, each pixel taking the colour of its box.
IndexedPixels Quantize(std::span<const ColorRef> pixels);

}  // namespace brindle

// Saving pixels as PNG files (screenshots of the canvas).
#pragma once

#include <span>
#include <string>

#include "platform/canvas.h"

namespace brindle {

// 8-bit RGB. The file appears complete or not at all: it is written under a temporary name and
// then renamed. False if it could not be written.
bool WritePng(const Canvas& canvas, const std::string& path);
// pixels holds width * height ColorRefs, row-major from the top-left.
bool WritePng(std::span<const ColorRef> pixels, int width, int height, const std::string& path);

}  // namespace brindle

// Saving pixels as PNG files (screenshots of the canvas).
#pragma once

#include <span>
#include <string>

#include "canvas/canvas.h"

namespace brindle {

// 8-bit RGB, written as ReplaceFile writes: complete or not at all, and never through a name
// that is not a regular file. False if it could not be written; reason, when given, says why.
// pixels holds width * height ColorRefs, row-major from the top-left.
bool WritePng(std::span<const ColorRef> pixels, int width, int height, const std::string& path,
              std::string* reason = nullptr);

}  // namespace brindle

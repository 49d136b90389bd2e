// The canvas font file, compiled into the binary at build time (see cmake/EmbedFile.cmake), so
// that text looks the same whatever fonts the machine has.
#pragma once

#include <cstddef>

namespace brindle {

extern const unsigned char kCanvasFontData[];
extern const std::size_t kCanvasFontDataSize;

}  // namespace brindle

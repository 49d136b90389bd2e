// The picture decoders behind Image::Decode, one for each file format, and what they share.
// Each checks every size, count and offset against the file and Image::kMaxPixels before it
// allocates, bounds its own time, and gives the null image for a file it cannot decode whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "canvas/canvas.h"
#include "pictures/image.h"

namespace brindle::picture {

using Bytes = std::span<const unsigned char>;

Image DecodeBmp(Bytes file);
Image DecodePng(Bytes file);
Image DecodeJpeg(Bytes file);
Image DecodeGif(Bytes file);
// TGA has no signature: a file whose header does not read as TGA gives the null image.
Image DecodeTga(Bytes file);

// An encoder writes about ten scans. Each scan can cost a pass over every block of the picture
// (about 15 ms at the largest size), so ten times that many keeps a hostile file's decoding
// within about a second and a half.
inline constexpr int kMaxJpegScans = 100;

inline bool SizeFits(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= Image::kMaxPixels &&
         width * height <= Image::kMaxPixels;
}

// A colour with alpha, laid over black: fully transparent parts become black, which the
// transparent blits then leave out, as a script drawing such a picture expects. The image keeps
// the alpha beside it, so that the blits lay the colour over the canvas instead.
inline ColorRef OverBlack(unsigned r, unsigned g, unsigned b, unsigned alpha) {
  const auto scale = [alpha](unsigned c) { return static_cast<int>((c * alpha + 127) / 255); };
  return RgbColor(scale(r), scale(g), scale(b));
}

// Little-endian fields; the caller has checked that they lie within the file.
inline unsigned Le16(Bytes file, size_t at) {
  return file[at] | file[at + 1] << 8;
}
inline uint32_t Le32(Bytes file, size_t at) {
  return Le16(file, at) | static_cast<uint32_t>(Le16(file, at + 2)) << 16;
}

}  // namespace brindle::picture

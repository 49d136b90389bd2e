// A decoded picture in canvas pixels, as loaded for the image statements.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "canvas/canvas.h"

namespace brindle {

class Image {
 public:
  // Keeps one image within a few hundred megabytes, however large a picture or a size a
  // script asks for: 8192 x 4096 pixels, or any other shape of the same area.
  static constexpr int64_t kMaxPixels = int64_t{1} << 25;
  // Enough for an uncompressed picture of kMaxPixels, with room for its headers.
  static constexpr size_t kMaxFileBytes = size_t{160} << 20;

  // The null image: what a failed load gives; drawing it draws nothing.
  Image() = default;
  // width * height pixels, row-major from the top-left. A size or pixel count that does not fit
  // gives the null image. A picture with an alpha channel gives each pixel's alpha too, its
  // colour laid over black (premultiplied); the alpha is kept only when some pixel is partly
  // transparent, since the blit already leaves out the black of the fully transparent ones.
  Image(int width, int height, std::vector<ColorRef> pixels, std::vector<uint8_t> alpha = {});

  // Reads and decodes a BMP, PNG, JPEG, GIF (first frame) or TGA file. A width and height of 0
  // keep the picture's own size; a positive value scales that axis to it, nearest neighbour,
  // so that pure black stays pure black for the transparent blits. A missing or undecodable
  // file, one that is not a regular file or is larger than kMaxFileBytes, a negative size or
  // one too large to hold gives the null image.
  static Image Load(const std::string& path, int width = 0, int height = 0);
  // The same for a file already in memory.
  static Image Decode(std::span<const unsigned char> file, int width = 0, int height = 0);

  bool is_null() const { return pixels_.empty(); }
  int width() const { return width_; }
  int height() const { return height_; }
  const std::vector<ColorRef>& pixels() const { return pixels_; }
  // 0 outside the image.
  ColorRef Pixel(int x, int y) const;
  // One alpha a pixel, row-major, when some pixel is partly transparent; else empty (opaque).
  const std::vector<uint8_t>& alpha() const { return alpha_; }
  // What the canvas's blit reads; valid while the image lives and is not changed.
  ImageView view() const { return {width_, height_, pixels_, alpha_}; }

  // Nearest-neighbour resize; the null image for a size that is not positive or too large.
  Image Scaled(int width, int height) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<ColorRef> pixels_;
  std::vector<uint8_t> alpha_;
};

}  // namespace brindle

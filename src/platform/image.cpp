// Image files through stb_image. BMP files are read as Windows reads them: the fourth byte of a
// 32-bit pixel is not alpha and is ignored. Other formats may carry real transparency; their
// pixels are laid over black, so that fully transparent parts become black and are then left
// out by the transparent blits, as a script drawing such a picture expects.
#include "platform/image.h"

#include <cstdlib>
#include <memory>

#include "platform/file_read.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_ONLY_TGA
#include <stb/stb_image.h>

namespace brindle {
namespace {

bool SizeFits(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width * height <= Image::kMaxPixels;
}

bool IsBmp(std::span<const unsigned char> file) {
  return file.size() >= 2 && file[0] == 'B' && file[1] == 'M';
}

struct StbFree {
  void operator()(stbi_uc* data) const { stbi_image_free(data); }
};

Image DecodeNative(std::span<const unsigned char> file) {
  if (file.empty() || file.size() > static_cast<size_t>(INT32_MAX)) return Image();
  const bool opaque = IsBmp(file);
  const int channels = opaque ? 3 : 4;
  const int size = static_cast<int>(file.size());
  int width = 0, height = 0, file_channels = 0;
  // The header alone first: a corrupt size must not make the decoder allocate gigabytes. (The
  // header gives a top-down BMP a negative height.)
  if (!stbi_info_from_memory(file.data(), size, &width, &height, &file_channels) ||
      !SizeFits(width, std::abs(int64_t{height}))) {
    return Image();
  }
  std::unique_ptr<stbi_uc, StbFree> data(
      stbi_load_from_memory(file.data(), size, &width, &height, &file_channels, channels));
  if (!data || !SizeFits(width, height)) return Image();
  std::vector<ColorRef> pixels(static_cast<size_t>(width) * height);
  const stbi_uc* p = data.get();
  for (ColorRef& pixel : pixels) {
    const unsigned alpha = opaque ? 255 : p[3];
    const auto over_black = [alpha](stbi_uc c) { return (c * alpha + 127) / 255; };
    pixel = RgbColor(over_black(p[0]), over_black(p[1]), over_black(p[2]));
    p += channels;
  }
  return Image(width, height, std::move(pixels));
}

}  // namespace

Image::Image(int width, int height, std::vector<ColorRef> pixels) {
  if (!SizeFits(width, height) || pixels.size() != static_cast<size_t>(width) * height) return;
  width_ = width;
  height_ = height;
  pixels_ = std::move(pixels);
  for (ColorRef& pixel : pixels_) pixel &= 0xFFFFFF;
}

Image Image::Load(const std::string& path, int width, int height) {
  std::string file, reason;
  if (!ReadWholeFile(path, kMaxFileBytes, FileKinds::kRegular, file, reason)) return Image();
  return Decode({reinterpret_cast<const unsigned char*>(file.data()), file.size()}, width, height);
}

// A size of 0 on one axis keeps that axis, as the Windows image loader does.
Image Image::Decode(std::span<const unsigned char> file, int width, int height) {
  if (width < 0 || height < 0) return Image();
  Image image = DecodeNative(file);
  if (image.is_null() || (width == 0 && height == 0)) return image;
  return image.Scaled(width == 0 ? image.width() : width, height == 0 ? image.height() : height);
}

ColorRef Image::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return pixels_[static_cast<size_t>(y) * width_ + x];
}

// Target pixel x takes source pixel floor(x * source_width / width), so enlarging by a whole
// factor repeats every pixel exactly that many times.
Image Image::Scaled(int width, int height) const {
  if (is_null() || !SizeFits(width, height)) return Image();
  if (width == width_ && height == height_) return *this;
  std::vector<int> source_x(width);
  for (int x = 0; x < width; ++x) source_x[x] = static_cast<int>(int64_t{x} * width_ / width);
  std::vector<ColorRef> pixels(static_cast<size_t>(width) * height);
  ColorRef* target = pixels.data();
  for (int y = 0; y < height; ++y) {
    const ColorRef* row = pixels_.data() + (int64_t{y} * height_ / height) * width_;
    for (int x = 0; x < width; ++x) *target++ = row[source_x[x]];
  }
  return Image(width, height, std::move(pixels));
}

}  // namespace brindle

// Picture files, each format through its own decoder (image_decoders.h), chosen by the file's
// signature; and the decoded picture itself.
#include "pictures/image.h"

#include <algorithm>
#include <string_view>

#include "files/file_read.h"
#include "pictures/image_decoders.h"

namespace brindle {
namespace {

bool StartsWith(std::span<const unsigned char> file, std::string_view signature) {
  return file.size() >= signature.size() &&
         std::equal(signature.begin(), signature.end(), file.begin(),
                    [](char s, unsigned char f) { return static_cast<unsigned char>(s) == f; });
}

Image DecodeNative(std::span<const unsigned char> file) {
  using namespace std::string_view_literals;
  if (StartsWith(file, "BM"sv)) return picture::DecodeBmp(file);
  if (StartsWith(file, "\x89PNG\r\n\x1a\n"sv)) return picture::DecodePng(file);
  if (StartsWith(file, "\xFF\xD8\xFF"sv)) return picture::DecodeJpeg(file);
  if (StartsWith(file, "GIF87a"sv) || StartsWith(file, "GIF89a"sv)) return picture::DecodeGif(file);
  return picture::DecodeTga(file);
}

}  // namespace

Image::Image(int width, int height, std::vector<ColorRef> pixels, std::vector<uint8_t> alpha) {
  if (!picture::SizeFits(width, height) || pixels.size() != static_cast<size_t>(width) * height)
    return;
  width_ = width;
  height_ = height;
  pixels_ = std::move(pixels);
  for (ColorRef& pixel : pixels_) pixel &= 0xFFFFFF;
  const bool partly_transparent =
      alpha.size() == pixels_.size() &&
      std::any_of(alpha.begin(), alpha.end(), [](uint8_t a) { return a != 0 && a != 255; });
  if (partly_transparent) alpha_ = std::move(alpha);
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
  if (is_null() || !picture::SizeFits(width, height)) return Image();
  if (width == width_ && height == height_) return *this;
  std::vector<int> source_x(width);
  for (int x = 0; x < width; ++x) source_x[x] = static_cast<int>(int64_t{x} * width_ / width);
  std::vector<ColorRef> pixels(static_cast<size_t>(width) * height);
  std::vector<uint8_t> alpha(alpha_.empty() ? 0 : pixels.size());
  size_t target = 0;
  for (int y = 0; y < height; ++y) {
    const size_t row = static_cast<size_t>(int64_t{y} * height_ / height) * width_;
    for (int x = 0; x < width; ++x, ++target) {
      pixels[target] = pixels_[row + source_x[x]];
      if (!alpha.empty()) alpha[target] = alpha_[row + source_x[x]];
    }
  }
  return Image(width, height, std::move(pixels), std::move(alpha));
}

}  // namespace brindle

// Arbitrary bytes as a picture file, decoded as LOADIMG decodes one: at its own size, then
// again scaled to a size taken from the input's length. Each decoder must give the null image
// or a picture within the pixel limit, and the same picture both times: a decoder that reads
// memory it never wrote gives different pixels from run to run.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "pictures/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using brindle::Image;
  const std::span<const unsigned char> file(data, size);
  const Image image = Image::Decode(file);
  if (!image.is_null() && (int64_t{image.width()} * image.height() > Image::kMaxPixels ||
                           image.pixels().size() != size_t{1} * image.width() * image.height())) {
    abort();
  }
  const int width = static_cast<int>(size % 61), height = static_cast<int>(size % 37);
  const Image scaled = Image::Decode(file, width, height);
  const bool same_size = width == 0 && height == 0;
  const Image expected =
      image.is_null() || same_size
          ? image
          : image.Scaled(width == 0 ? image.width() : width, height == 0 ? image.height() : height);
  if (scaled.pixels() != expected.pixels() || scaled.width() != expected.width()) abort();
  return 0;
}

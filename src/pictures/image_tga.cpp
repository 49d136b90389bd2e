// TGA files: uncompressed or run-length encoded; true-colour (15, 16, 24 or 32 bits a pixel),
// grey (8 bits, or 16 with alpha) and colour-mapped (8- or 16-bit indices into 15-, 16-, 24- or
// 32-bit entries); stored from the bottom or the top row, from the left or the right. Alpha
// counts only when the header says that the pixels carry some, and is laid over black.
#include <algorithm>
#include <vector>

#include "pictures/image_decoders.h"

namespace brindle::picture {
namespace {

constexpr size_t kHeaderBytes = 18;
constexpr size_t kMaxRun = 128;

enum Kind : unsigned { kColourMapped = 1, kTrueColour = 2, kGrey = 3 };

struct Header {
  unsigned kind = 0;
  bool rle = false;
  unsigned map_first = 0;
  unsigned map_length = 0;
  unsigned map_bits = 0;
  int width = 0;
  int height = 0;
  unsigned bits = 0;
  bool alpha = false;
  bool right_to_left = false;
  bool top_down = false;
  size_t map_at = 0;
  size_t data_at = 0;
};

bool IsColourDepth(unsigned bits) {
  return bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

size_t BytesFor(unsigned bits) {
  return (bits + 7) / 8;
}

bool ReadHeader(Bytes file, Header& tga) {
  if (file.size() < kHeaderBytes) return false;
  const unsigned map_type = file[1], type = file[2], descriptor = file[17];
  tga.kind = type & 7;
  tga.rle = (type & 8) != 0;
  tga.map_first = Le16(file, 3);
  tga.map_length = Le16(file, 5);
  tga.map_bits = file[7];
  tga.width = static_cast<int>(Le16(file, 12));
  tga.height = static_cast<int>(Le16(file, 14));
  tga.bits = file[16];
  tga.alpha = (descriptor & 0xF) != 0;
  tga.right_to_left = (descriptor & 0x10) != 0;
  tga.top_down = (descriptor & 0x20) != 0;
  if (map_type > 1 || (type & ~0xBu) != 0 || (descriptor & 0xC0) != 0) return false;
  if (map_type == 1 && !IsColourDepth(tga.map_bits)) return false;
  switch (tga.kind) {
    case kColourMapped:
      if (map_type != 1 || tga.map_length == 0 || (tga.bits != 8 && tga.bits != 16)) return false;
      break;
    case kTrueColour:
      if (!IsColourDepth(tga.bits)) return false;
      break;
    case kGrey:
      if (tga.bits != 8 && tga.bits != 16) return false;
      break;
    default:
      return false;
  }
  if (!SizeFits(tga.width, tga.height)) return false;
  tga.map_at = kHeaderBytes + file[0];
  const size_t map_bytes = map_type == 1 ? tga.map_length * BytesFor(tga.map_bits) : 0;
  tga.data_at = tga.map_at + map_bytes;
  if (tga.data_at > file.size()) return false;
  // The pixel data the header implies, at its most compressed for RLE.
  const size_t pixels = static_cast<size_t>(tga.width) * tga.height;
  const size_t pixel_bytes = BytesFor(tga.bits);
  const size_t least =
      tga.rle ? (pixels + kMaxRun - 1) / kMaxRun * (1 + pixel_bytes) : pixels * pixel_bytes;
  return least <= file.size() - tga.data_at;
}

// A pixel as the image keeps it: its colour laid over black, and its alpha.
struct Texel {
  ColorRef colour = 0;
  uint8_t alpha = 255;
};

Texel WithAlpha(unsigned r, unsigned g, unsigned b, unsigned alpha) {
  return {OverBlack(r, g, b, alpha), static_cast<uint8_t>(alpha)};
}

// A 15- to 32-bit colour, stored blue first.
Texel Colour(const unsigned char* p, unsigned bits, bool alpha) {
  if (bits <= 16) {
    const unsigned v = p[0] | p[1] << 8;
    const auto five = [](unsigned c) { return static_cast<int>((c & 31) * 255 / 31); };
    return {RgbColor(five(v >> 10), five(v >> 5), five(v))};
  }
  if (bits == 32 && alpha) return WithAlpha(p[2], p[1], p[0], p[3]);
  return {RgbColor(p[2], p[1], p[0])};
}

class TgaReader {
 public:
  TgaReader(Bytes file, const Header& tga) : file_(file), tga_(tga) {}

  Image Read() {
    if (tga_.kind == kColourMapped) ReadMap();
    pixels_.assign(static_cast<size_t>(tga_.width) * tga_.height, 0);
    alpha_.assign(pixels_.size(), 255);
    size_t at = tga_.data_at;
    const size_t pixel_bytes = BytesFor(tga_.bits);
    for (size_t i = 0; i < pixels_.size();) {
      size_t count = 1;
      bool repeat = false;
      if (tga_.rle) {
        if (at >= file_.size()) return Image();
        count = std::min<size_t>((file_[at] & 0x7F) + 1, pixels_.size() - i);
        repeat = (file_[at++] & 0x80) != 0;
      }
      const size_t bytes = (repeat ? 1 : count) * pixel_bytes;
      if (file_.size() - at < bytes) return Image();
      for (size_t k = 0; k < count; ++k, ++i) {
        Place(i, PixelAt(file_.data() + at + (repeat ? 0 : k * pixel_bytes)));
      }
      at += bytes;
    }
    return Image(tga_.width, tga_.height, std::move(pixels_), std::move(alpha_));
  }

 private:
  void ReadMap() {
    const size_t entry_bytes = BytesFor(tga_.map_bits);
    map_.resize(tga_.map_length);
    for (size_t i = 0; i < map_.size(); ++i) {
      map_[i] = Colour(file_.data() + tga_.map_at + i * entry_bytes, tga_.map_bits, tga_.alpha);
    }
  }

  Texel PixelAt(const unsigned char* p) const {
    switch (tga_.kind) {
      case kColourMapped: {
        const unsigned index = tga_.bits == 8 ? p[0] : p[0] | p[1] << 8;
        // An index outside the map is black.
        if (index < tga_.map_first || index - tga_.map_first >= map_.size()) return {};
        return map_[index - tga_.map_first];
      }
      case kGrey:
        if (tga_.bits == 16 && tga_.alpha) return WithAlpha(p[0], p[0], p[0], p[1]);
        return {RgbColor(p[0], p[0], p[0])};
      default:
        return Colour(p, tga_.bits, tga_.alpha);
    }
  }

  // Pixel i in the order stored to its place in the picture.
  void Place(size_t i, Texel texel) {
    const size_t row = i / tga_.width, column = i % tga_.width;
    const size_t y = tga_.top_down ? row : tga_.height - 1 - row;
    const size_t x = tga_.right_to_left ? tga_.width - 1 - column : column;
    pixels_[y * tga_.width + x] = texel.colour;
    alpha_[y * tga_.width + x] = texel.alpha;
  }

  Bytes file_;
  const Header& tga_;
  std::vector<Texel> map_;
  std::vector<ColorRef> pixels_;
  std::vector<uint8_t> alpha_;
};

}  // namespace

Image DecodeTga(Bytes file) {
  Header tga;
  if (!ReadHeader(file, tga)) return Image();
  return TgaReader(file, tga).Read();
}

}  // namespace brindle::picture

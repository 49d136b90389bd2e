// BMP files, read as Windows reads them: the 12-byte OS/2 core header and the 40-byte info
// header with its later versions (52, 56, 108 and 124 bytes); 1, 4, 8, 16, 24 and 32 bits a
// pixel; uncompressed, bit fields, RLE8 and RLE4; bottom-up or top-down. Nothing in a BMP is
// alpha: the fourth byte of a 32-bit pixel and an alpha mask are ignored.
#include <algorithm>
#include <array>
#include <bit>
#include <vector>

#include "pictures/image_decoders.h"

namespace brindle::picture {
namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kCoreHeaderBytes = 12;
constexpr size_t kInfoHeaderBytes = 40;

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

struct Layout {
  int width = 0;
  int height = 0;
  bool top_down = false;
  unsigned bits = 0;
  uint32_t compression = kRgb;
  size_t pixels_at = 0;
  std::array<uint32_t, 3> masks{};  // red, green, blue, for 16 and 32 bits
  std::vector<ColorRef> palette;    // for 8 bits and fewer; a missing entry is black
};

bool BitsAllowed(const Layout& bmp, size_t header_bytes) {
  if (header_bytes == kCoreHeaderBytes) {
    return bmp.compression == kRgb &&
           (bmp.bits == 1 || bmp.bits == 4 || bmp.bits == 8 || bmp.bits == 24);
  }
  switch (bmp.compression) {
    case kRgb:
      return bmp.bits == 1 || bmp.bits == 4 || bmp.bits == 8 || bmp.bits == 16 || bmp.bits == 24 ||
             bmp.bits == 32;
    case kRle8:
      return bmp.bits == 8 && !bmp.top_down;
    case kRle4:
      return bmp.bits == 4 && !bmp.top_down;
    case kBitFields:
      return bmp.bits == 16 || bmp.bits == 32;
    default:
      return false;
  }
}

// Masks must each be one run of bits; an empty mask gives 0 for that colour.
bool MasksUsable(const std::array<uint32_t, 3>& masks) {
  return std::ranges::all_of(masks, [](uint32_t mask) {
    const uint32_t low = mask >> std::countr_zero(mask | 0x80000000u);
    return (low & (low + 1)) == 0;
  });
}

// The palette lies between the headers (and masks) and the pixels; entries the file has no
// room for there are black.
void ReadPalette(Bytes file, size_t at, size_t entry_bytes, uint32_t used, Layout& bmp) {
  const size_t most = size_t{1} << bmp.bits;
  size_t count = used == 0 || used > most ? most : used;
  count = std::min(count, (bmp.pixels_at - at) / entry_bytes);
  bmp.palette.assign(most, 0);
  for (size_t i = 0; i < count; ++i, at += entry_bytes) {
    bmp.palette[i] = RgbColor(file[at + 2], file[at + 1], file[at]);
  }
}

bool ReadLayout(Bytes file, Layout& bmp) {
  if (file.size() < kFileHeaderBytes + 4) return false;
  const uint32_t pixels_at = Le32(file, 10);
  const size_t header_bytes = Le32(file, kFileHeaderBytes);
  const size_t fields = kFileHeaderBytes + 4;
  uint32_t used = 0;
  if (header_bytes == kCoreHeaderBytes && file.size() >= kFileHeaderBytes + header_bytes) {
    bmp.width = static_cast<int>(Le16(file, fields));
    bmp.height = static_cast<int>(Le16(file, fields + 2));
    if (Le16(file, fields + 4) != 1) return false;
    bmp.bits = Le16(file, fields + 6);
  } else if ((header_bytes == kInfoHeaderBytes || header_bytes == 52 || header_bytes == 56 ||
              header_bytes == 108 || header_bytes == 124) &&
             file.size() >= kFileHeaderBytes + header_bytes) {
    const auto height = static_cast<int32_t>(Le32(file, fields + 4));
    if (height == INT32_MIN) return false;
    bmp.width = static_cast<int32_t>(Le32(file, fields));
    bmp.height = height < 0 ? -height : height;
    bmp.top_down = height < 0;
    if (Le16(file, fields + 8) != 1) return false;
    bmp.bits = Le16(file, fields + 10);
    bmp.compression = Le32(file, fields + 12);
    used = Le32(file, fields + 28);
  } else {
    return false;
  }
  if (!BitsAllowed(bmp, header_bytes) || !SizeFits(bmp.width, bmp.height)) return false;

  size_t palette_at = kFileHeaderBytes + header_bytes;
  if (bmp.compression == kBitFields) {
    // A 40-byte header is followed by the three masks; the later headers hold them.
    const size_t masks_at = kFileHeaderBytes + kInfoHeaderBytes;
    if (file.size() < masks_at + 12) return false;
    for (size_t i = 0; i < 3; ++i) bmp.masks[i] = Le32(file, masks_at + 4 * i);
    if (!MasksUsable(bmp.masks)) return false;
    palette_at = std::max(palette_at, masks_at + 12);
  } else if (bmp.bits == 16) {
    bmp.masks = {0x7C00, 0x03E0, 0x001F};
  } else if (bmp.bits == 32) {
    bmp.masks = {0xFF0000, 0x00FF00, 0x0000FF};
  }
  if (pixels_at < palette_at || pixels_at > file.size()) return false;
  bmp.pixels_at = pixels_at;
  if (bmp.bits <= 8) {
    ReadPalette(file, palette_at, header_bytes == kCoreHeaderBytes ? 3 : 4, used, bmp);
  }
  return true;
}

// An n-bit colour value to 8 bits, its bits repeated below it so that the largest value gives
// 255; a wider value keeps its top 8 bits.
unsigned Widen(uint32_t value, int bits) {
  if (bits >= 8) return value >> (bits - 8);
  unsigned out = 0;
  int have = 0;
  for (; have < 8; have += bits) out = out << bits | value;
  return out >> (have - 8);
}

unsigned Channel(uint32_t pixel, uint32_t mask) {
  if (mask == 0) return 0;
  return Widen((pixel & mask) >> std::countr_zero(mask), std::popcount(mask));
}

ColorRef PixelAt(const Layout& bmp, const unsigned char* row, int x) {
  switch (bmp.bits) {
    case 1:
    case 4:
    case 8: {
      const size_t bit = static_cast<size_t>(x) * bmp.bits;
      const unsigned index = row[bit / 8] >> (8 - bmp.bits - bit % 8) & ((1u << bmp.bits) - 1);
      return bmp.palette[index];
    }
    case 24:
      return RgbColor(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    default: {
      const unsigned char* p = row + static_cast<size_t>(x) * (bmp.bits / 8);
      const uint32_t value =
          bmp.bits == 16 ? p[0] | p[1] << 8 : p[0] | p[1] << 8 | p[2] << 16 | uint32_t{p[3]} << 24;
      return RgbColor(Channel(value, bmp.masks[0]), Channel(value, bmp.masks[1]),
                      Channel(value, bmp.masks[2]));
    }
  }
}

// Rows are padded to 4 bytes; the last row's padding may be missing from the file.
Image ReadUncompressed(Bytes file, const Layout& bmp) {
  const size_t row_bytes = (static_cast<size_t>(bmp.width) * bmp.bits + 7) / 8;
  const size_t stride = (row_bytes + 3) / 4 * 4;
  const size_t available = file.size() - bmp.pixels_at;
  if (available < row_bytes ||
      (available - row_bytes) / stride < static_cast<size_t>(bmp.height - 1)) {
    return Image();
  }
  std::vector<ColorRef> pixels(static_cast<size_t>(bmp.width) * bmp.height);
  for (int y = 0; y < bmp.height; ++y) {
    const unsigned char* row = file.data() + bmp.pixels_at + stride * y;
    ColorRef* out =
        pixels.data() + static_cast<size_t>(bmp.top_down ? y : bmp.height - 1 - y) * bmp.width;
    for (int x = 0; x < bmp.width; ++x) out[x] = PixelAt(bmp, row, x);
  }
  return Image(bmp.width, bmp.height, std::move(pixels));
}

// RLE8 and RLE4 run from the bottom row up. Pixels the stream leaves out (by a jump or an
// early end of line) are black; pixels past a row's end are dropped. The stream must reach
// its end-of-bitmap mark, or at least the end of the picture.
class RleReader {
 public:
  RleReader(Bytes data, const Layout& bmp)
      : data_(data), bmp_(bmp), pixels_(static_cast<size_t>(bmp.width) * bmp.height, 0) {}

  Image Read() {
    while (at_ + 2 <= data_.size() && y_ < bmp_.height) {
      const unsigned count = data_[at_], value = data_[at_ + 1];
      at_ += 2;
      if (count > 0) {
        Run(count, value);
      } else if (value == 0) {
        x_ = 0;
        ++y_;
      } else if (value == 1) {
        return Done();
      } else if (value == 2) {
        if (at_ + 2 > data_.size()) return Image();
        x_ = std::min(x_ + data_[at_], bmp_.width);
        y_ += data_[at_ + 1];
        at_ += 2;
      } else if (!Literal(value)) {
        return Image();
      }
    }
    const bool whole = y_ >= bmp_.height || (y_ == bmp_.height - 1 && x_ >= bmp_.width);
    return whole ? Done() : Image();
  }

 private:
  void Put(int x, unsigned index) {
    pixels_[static_cast<size_t>(bmp_.height - 1 - y_) * bmp_.width + x] = bmp_.palette[index];
  }

  // count pixels of one index (RLE8) or of two alternating indices (RLE4).
  void Run(unsigned count, unsigned value) {
    const int drawn = std::min(static_cast<int>(count), bmp_.width - x_);
    for (int i = 0; i < drawn; ++i) {
      Put(x_ + i, bmp_.bits == 8 ? value : (i % 2 == 0 ? value >> 4 : value & 0xF));
    }
    x_ = std::min(x_ + static_cast<int>(count), bmp_.width);
  }

  // count indices as they are, padded to a whole number of 16-bit words.
  bool Literal(unsigned count) {
    const size_t bytes = bmp_.bits == 8 ? count : (count + 1) / 2;
    if (at_ + bytes > data_.size()) return false;
    const int drawn = std::min(static_cast<int>(count), bmp_.width - x_);
    for (int i = 0; i < drawn; ++i) {
      const unsigned byte = data_[at_ + (bmp_.bits == 8 ? i : i / 2)];
      Put(x_ + i, bmp_.bits == 8 ? byte : (i % 2 == 0 ? byte >> 4 : byte & 0xF));
    }
    x_ = std::min(x_ + static_cast<int>(count), bmp_.width);
    at_ = std::min(at_ + (bytes + 1) / 2 * 2, data_.size());
    return true;
  }

  Image Done() { return Image(bmp_.width, bmp_.height, std::move(pixels_)); }

  Bytes data_;
  const Layout& bmp_;
  std::vector<ColorRef> pixels_;
  size_t at_ = 0;
  int x_ = 0;
  int y_ = 0;  // rows from the bottom
};

}  // namespace

Image DecodeBmp(Bytes file) {
  Layout bmp;
  if (!ReadLayout(file, bmp)) return Image();
  if (bmp.compression == kRle8 || bmp.compression == kRle4) {
    return RleReader(file.subspan(bmp.pixels_at), bmp).Read();
  }
  return ReadUncompressed(file, bmp);
}

}  // namespace brindle::picture

// Our own BMP and TGA readers, beyond the common BMP layouts in image_test.cpp: bit fields, the
// OS/2 and later Windows headers, run-length encoding, every kind of TGA, and files whose
// counts and offsets do not fit.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <optional>
#include <vector>

#include "canvas/canvas.h"
#include "pictures/image.h"

namespace brindle {
namespace {

using Bytes = std::vector<unsigned char>;

void Put16(Bytes& out, unsigned v) {
  out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)});
}
void Put32(Bytes& out, uint32_t v) {
  Put16(out, v & 0xFFFF), Put16(out, v >> 16);
}

const ColorRef kRed = RgbColor(255, 0, 0), kGreen = RgbColor(0, 255, 0),
               kBlue = RgbColor(0, 0, 255), kWhite = RgbColor(255, 255, 255),
               kGrey = RgbColor(132, 132, 132);

struct Bmp {
  Bmp(uint32_t header_bytes, int32_t width, int32_t height, unsigned bits, uint32_t compression = 0,
      std::vector<uint32_t> masks = {}, std::vector<ColorRef> palette = {}, Bytes pixels = {})
      : header_bytes(header_bytes),
        width(width),
        height(height),
        bits(bits),
        compression(compression),
        masks(std::move(masks)),
        palette(std::move(palette)),
        pixels(std::move(pixels)) {}

  uint32_t header_bytes = 40;
  int32_t width = 0;
  int32_t height = 0;  // negative for top-down
  unsigned bits = 24;
  uint32_t compression = 0;
  std::vector<uint32_t> masks;     // after a 40-byte header, or inside a longer one
  std::vector<ColorRef> palette;   // its size is written as the colours used
  Bytes pixels;                    // as stored
  std::optional<uint32_t> offset;  // written in place of the pixels' true offset
  unsigned planes = 1;
};

Bytes Build(const Bmp& bmp) {
  const bool core = bmp.header_bytes == 12;
  const size_t entry = core ? 3 : 4;
  const size_t masks_after = bmp.header_bytes == 40 ? 4 * bmp.masks.size() : 0;
  const auto offset =
      static_cast<uint32_t>(14 + bmp.header_bytes + masks_after + entry * bmp.palette.size());
  Bytes out = {'B', 'M'};
  Put32(out, offset + static_cast<uint32_t>(bmp.pixels.size()));
  Put32(out, 0);
  Put32(out, bmp.offset.value_or(offset));
  Put32(out, bmp.header_bytes);
  if (core) {
    Put16(out, bmp.width), Put16(out, bmp.height), Put16(out, bmp.planes), Put16(out, bmp.bits);
  } else {
    Put32(out, bmp.width), Put32(out, bmp.height), Put16(out, bmp.planes), Put16(out, bmp.bits);
    for (const uint32_t v :
         {bmp.compression, 0u, 2835u, 2835u, static_cast<uint32_t>(bmp.palette.size()), 0u}) {
      Put32(out, v);
    }
    for (const uint32_t mask : bmp.masks) Put32(out, mask);
    out.resize(14 + bmp.header_bytes + masks_after, 0);
  }
  for (const ColorRef c : bmp.palette) {
    out.insert(out.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
    if (!core) out.push_back(0);
  }
  out.insert(out.end(), bmp.pixels.begin(), bmp.pixels.end());
  return out;
}

// Rows given top first, padded to 4 bytes and stored bottom-up.
Bytes BottomUp(std::vector<Bytes> rows) {
  Bytes out;
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    row->resize((row->size() + 3) / 4 * 4, 0xEE);
    out.insert(out.end(), row->begin(), row->end());
  }
  return out;
}

void ExpectPixels(const Bytes& file, int width, const std::vector<ColorRef>& pixels) {
  const Image image = Image::Decode(file);
  ASSERT_FALSE(image.is_null());
  ASSERT_EQ(image.width(), width);
  EXPECT_EQ(image.pixels(), pixels);
}

TEST(BmpDecoder, ReadsBitFieldsAndEveryHeader) {
  // 16 bits: 5-5-5 without masks, 5-6-5 with them; short values widen by repeating their bits.
  ExpectPixels(
      Build({40, 4, 1, 16, 0, {}, {}, BottomUp({{0, 0x7C, 0xE0, 3, 0x1F, 0, 0x10, 0x42}})}), 4,
      {kRed, kGreen, kBlue, kGrey});
  ExpectPixels(Build({40,
                      3,
                      1,
                      16,
                      3,
                      {0xF800, 0x07E0, 0x001F},
                      {},
                      BottomUp({{0, 0xF8, 0xE0, 0x07, 0x10, 0x84}})}),
               3, {kRed, kGreen, RgbColor(132, 130, 132)});
  // 32 bits in a version 5 header: the alpha mask and its bits are ignored.
  Bmp v5{124, 2, -1, 32, 3, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}};
  v5.pixels = {0x30, 0x20, 0x10, 0x00, 0xFF, 0xFF, 0xFF, 0x80};
  ExpectPixels(Build(v5), 2, {RgbColor(0x10, 0x20, 0x30), kWhite});
  // Ten bits a colour keep their top eight.
  Bmp wide{40, 1, 1, 32, 3, {0x3FF00000, 0x000FFC00, 0x000003FF}};
  Put32(wide.pixels, 0x3FF00000 | (0x155u << 10) | 0x0FF);
  ExpectPixels(Build(wide), 1, {RgbColor(255, 0x55, 0x3F)});
  // The OS/2 core header: 16-bit sizes and 3-byte palette entries.
  Bmp core{12, 3, 2, 8};
  core.palette = {kWhite, kRed, kGreen, kBlue};
  core.pixels = BottomUp({{0, 1, 2}, {3, 2, 1}});
  ExpectPixels(Build(core), 3, {kWhite, kRed, kGreen, kBlue, kGreen, kRed});
  // 1 bit, ten pixels a row; and a version 4 header over 24 bits.
  Bmp mono{40, 10, 1, 1};
  mono.palette = {kBlue, kWhite};
  mono.pixels = BottomUp({{0xA5, 0xC0}});
  ExpectPixels(Build(mono), 10,
               {kWhite, kBlue, kWhite, kBlue, kBlue, kWhite, kBlue, kWhite, kWhite, kWhite});
  Bmp v4{108, 1, 1, 24};
  v4.pixels = BottomUp({{0x30, 0x20, 0x10}});
  ExpectPixels(Build(v4), 1, {RgbColor(0x10, 0x20, 0x30)});
}

// Pixels an RLE stream skips are black, so the palette's first colour is white here.
TEST(BmpDecoder, DecodesRle8AndRle4) {
  const std::vector<ColorRef> palette = {
      kWhite, kRed, kGreen, kBlue, kGrey, RgbColor(9, 9, 9), RgbColor(6, 6, 6)};
  const ColorRef n = 0;  // not given
  // Bottom row: a run, then three literal indices padded to a word; a jump right 2 and up 1,
  // past the middle row; a run clipped at the row's end; the end of the picture.
  Bmp rle8{40, 5, 3, 8, 1, {}, palette, {2, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 2, 1, 7, 5, 0, 1}};
  const std::vector<ColorRef> picture = {n, n, palette[5], palette[5], palette[5], n,     n,    n,
                                         n, n, kRed,       kRed,       kGreen,     kBlue, kGrey};
  ExpectPixels(Build(rle8), 5, picture);
  // The same without its end mark: the stream ends with the picture.
  rle8.pixels.resize(rle8.pixels.size() - 2);
  ExpectPixels(Build(rle8), 5, picture);
  // A stream that stops before the picture ends, or a top-down one, is refused.
  rle8.pixels.resize(rle8.pixels.size() - 2);
  EXPECT_TRUE(Image::Decode(Build(rle8)).is_null());
  Bmp top_down{40, 1, -1, 8, 1, {}, palette, {1, 1, 0, 1}};
  EXPECT_TRUE(Image::Decode(Build(top_down)).is_null());

  // RLE4: a run alternates its two indices; three literal indices fill one word.
  Bmp rle4{40, 5, 2, 4, 2, {}, palette, {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 2, 0x66, 0, 1}};
  ExpectPixels(Build(rle4), 5,
               {kBlue, kGrey, palette[5], palette[6], palette[6],  //
                kRed, kGreen, kRed, kGreen, kRed});
}

TEST(BmpDecoder, RefusesCountsAndOffsetsThatDoNotFit) {
  Bmp good{40, 3, 2, 24};
  good.pixels = BottomUp({Bytes(9, 0x40), Bytes(9, 0x80)});
  ASSERT_FALSE(Image::Decode(Build(good)).is_null());
  Bytes file = Build(good);
  file.resize(file.size() - 3);  // the top row's padding may be missing
  EXPECT_FALSE(Image::Decode(file).is_null());
  file.pop_back();
  EXPECT_TRUE(Image::Decode(file).is_null());

  const auto refused = [](Bmp bmp) { return Image::Decode(Build(bmp)).is_null(); };
  Bmp bmp = good;
  bmp.offset = 20;  // inside the header
  EXPECT_TRUE(refused(bmp));
  bmp.offset = 1000;  // past the end
  EXPECT_TRUE(refused(bmp));
  for (const auto& change : std::vector<void (*)(Bmp&)>{
           [](Bmp& b) { b.planes = 2; },
           [](Bmp& b) { b.bits = 2; },
           [](Bmp& b) {
             b.compression = 3, b.masks = {0xFF0000, 0xFF00, 0xFF};
           },                                  // 24 bits
           [](Bmp& b) { b.compression = 4; },  // JPEG inside
           [](Bmp& b) { b.header_bytes = 64; },
           [](Bmp& b) { b.height = INT32_MIN; },
           [](Bmp& b) { b.width = -3; },
           [](Bmp& b) { b.width = 8193, b.height = 4096; },
       }) {
    Bmp changed = good;
    change(changed);
    EXPECT_TRUE(refused(changed));
  }
  Bmp gaps{40, 1, 1, 16, 3, {0xF0F0, 0x0F00, 0x000F}, {}, {0, 0, 0, 0}};
  EXPECT_TRUE(refused(gaps));
  // An index past the colours the file gives is black.
  Bmp short_palette{40, 2, 1, 8};
  short_palette.palette = {kRed, kBlue};
  short_palette.pixels = {1, 5, 0, 0};
  ExpectPixels(Build(short_palette), 2, {kBlue, 0});
}

// A TGA file: the 18-byte header, a colour map, then the pixels.
Bytes Tga(unsigned type, unsigned bits, unsigned descriptor, int width, int height,
          const Bytes& data, unsigned map_first = 0, unsigned map_length = 0, unsigned map_bits = 0,
          const Bytes& map = {}) {
  Bytes out = {0, map_length > 0 ? uint8_t{1} : uint8_t{0}, uint8_t(type)};
  Put16(out, map_first), Put16(out, map_length), out.push_back(map_bits);
  Put16(out, 0), Put16(out, 0), Put16(out, width), Put16(out, height);
  out.insert(out.end(), {uint8_t(bits), uint8_t(descriptor)});
  out.insert(out.end(), map.begin(), map.end());
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

TEST(TgaDecoder, ReadsEveryKind) {
  const ColorRef c1 = RgbColor(0x10, 0x20, 0x30), c2 = RgbColor(0x40, 0x50, 0x60);
  // True colour, bottom-up: blue, green, red.
  ExpectPixels(Tga(2, 24, 0, 2, 2, {0x30, 0x20, 0x10, 0, 0, 255, 255, 255, 255, 0x60, 0x50, 0x40}),
               2, {kWhite, c2, c1, kRed});
  // 32 bits: alpha only when the header gives the pixels alpha bits; top-down.
  const Bytes half = {200, 100, 50, 128};
  ExpectPixels(Tga(2, 32, 0x28, 1, 1, half), 1, {RgbColor(25, 50, 100)});
  EXPECT_EQ(Image::Decode(Tga(2, 32, 0x28, 1, 1, half)).alpha(), std::vector<uint8_t>{128});
  EXPECT_TRUE(Image::Decode(Tga(2, 32, 0x20, 1, 1, half)).alpha().empty());
  ExpectPixels(Tga(2, 32, 0x20, 1, 1, half), 1, {RgbColor(50, 100, 200)});
  // 16 bits: 5-5-5; right to left.
  ExpectPixels(Tga(2, 16, 0x30, 2, 1, {0x00, 0x7C, 0x10, 0x02}), 2, {RgbColor(0, 131, 131), kRed});
  // Run-length packets may run on into the next row: four reds, then two pixels as they are.
  ExpectPixels(Tga(10, 24, 0x20, 3, 2, {0x83, 0, 0, 255, 0x01, 0x30, 0x20, 0x10, 255, 0, 0}), 3,
               {kRed, kRed, kRed, kRed, c1, kBlue});
  // Grey, plain and run-length.
  ExpectPixels(Tga(3, 8, 0x20, 2, 1, {9, 200}), 2, {RgbColor(9, 9, 9), RgbColor(200, 200, 200)});
  ExpectPixels(Tga(11, 8, 0x20, 3, 1, {0x82, 7}), 3, std::vector<ColorRef>(3, RgbColor(7, 7, 7)));
  // Colour-mapped: the map's first entry is index 2; an index outside it is black.
  ExpectPixels(
      Tga(1, 8, 0x20, 4, 1, {2, 3, 4, 1}, 2, 3, 24, {0, 0, 255, 0, 255, 0, 0x30, 0x20, 0x10}), 4,
      {kRed, kGreen, c1, 0});
  ExpectPixels(Tga(9, 8, 0x20, 4, 1, {0x83, 3}, 2, 3, 24, {0, 0, 255, 0, 255, 0, 0x30, 0x20, 0x10}),
               4, std::vector<ColorRef>(4, kGreen));
}

TEST(TgaDecoder, RefusesTruncatedAndImplausibleFiles) {
  const Bytes pixels(2 * 2 * 3, 0x55);
  ASSERT_FALSE(Image::Decode(Tga(2, 24, 0, 2, 2, pixels)).is_null());
  EXPECT_TRUE(Image::Decode(Tga(2, 24, 0, 2, 2, Bytes(11, 0x55))).is_null());
  // Run-length data that ends early: one packet of 3 for 4 pixels.
  EXPECT_TRUE(Image::Decode(Tga(10, 24, 0, 2, 2, {0x82, 1, 2, 3, 0x80})).is_null());
  EXPECT_TRUE(Image::Decode(Tga(10, 24, 0, 2, 2, {0x82, 1, 2, 3, 0x80, 1, 2})).is_null());
  // A header claiming far more pixels than the data could hold.
  EXPECT_TRUE(Image::Decode(Tga(10, 24, 0, 8192, 4096, Bytes(4000, 0xFF))).is_null());
  for (const Bytes& file : {
           Tga(1, 8, 0, 2, 2, Bytes(4, 0)),           // colour-mapped without a map
           Tga(4, 8, 0, 2, 2, Bytes(4, 0)),           // no such type
           Tga(2, 12, 0, 2, 2, Bytes(12, 0)),         // no such depth
           Tga(2, 24, 0x40, 2, 2, Bytes(12, 0)),      // interleaved rows
           Tga(2, 24, 0, 0, 2, Bytes(12, 0)),         // no width
           Bytes{'h', 'e', 'l', 'l', 'o', ' ', 'w'},  // not a picture
       }) {
    EXPECT_TRUE(Image::Decode(file).is_null());
  }
}

}  // namespace
}  // namespace brindle

// PNG, JPEG and GIF through their libraries: round trips of files those libraries write, the
// faults a hostile probe found in the decoder used before (a deflate bomb, endless progressive
// scans, Huffman tables of too many codes, missing quantisation tables), broken files, and the
// limits every decoder checks before it allocates.
#include "pictures/image_decoders.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "picture_files.h"
#include "pictures/image.h"

namespace brindle {
namespace {

using namespace test_pictures;

Image Decode(const Bytes& file) {
  return Image::Decode(file);
}

void ExpectPixels(const Image& image, int width, const std::vector<ColorRef>& pixels) {
  ASSERT_FALSE(image.is_null());
  ASSERT_EQ(image.width(), width);
  EXPECT_EQ(image.pixels(), pixels);
}

int ChannelDistance(ColorRef a, ColorRef b) {
  int most = 0;
  for (const int shift : {0, 8, 16}) {
    most = std::max(most, std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                   static_cast<int>((b >> shift) & 0xFF)));
  }
  return most;
}

// Bytes of a PNG chunk, its CRC included.
Bytes Chunk(const std::string& kind, const Bytes& body) {
  Bytes out;
  for (const int shift : {24, 16, 8, 0}) out.push_back(body.size() >> shift & 0xFF);
  Bytes named(kind.begin(), kind.end());
  named.insert(named.end(), body.begin(), body.end());
  out.insert(out.end(), named.begin(), named.end());
  const uLong crc = crc32(0, named.data(), static_cast<uInt>(named.size()));
  for (const int shift : {24, 16, 8, 0}) out.push_back(crc >> shift & 0xFF);
  return out;
}

// A PNG of a width x height RGB header whose image data is the zlib stream given.
Bytes PngWithData(uint32_t width, uint32_t height, const Bytes& zlib_stream) {
  Bytes header;
  for (const uint32_t side : {width, height}) {
    for (const int shift : {24, 16, 8, 0}) header.push_back(side >> shift & 0xFF);
  }
  header.insert(header.end(), {8, 2, 0, 0, 0});
  Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  for (const Bytes& chunk :
       {Chunk("IHDR", header), Chunk("IDAT", zlib_stream), Chunk("IEND", {})}) {
    out.insert(out.end(), chunk.begin(), chunk.end());
  }
  return out;
}

Bytes Compress(const Bytes& raw) {
  uLongf size = compressBound(raw.size());
  Bytes out(size);
  EXPECT_EQ(compress2(out.data(), &size, raw.data(), raw.size(), 9), Z_OK);
  out.resize(size);
  return out;
}

// A zlib stream of raw that does not end: its last block is flushed, not final.
Bytes Deflate(const Bytes& raw) {
  z_stream z{};
  EXPECT_EQ(deflateInit(&z, 9), Z_OK);
  Bytes out(deflateBound(&z, raw.size()) + 64);
  z.next_in = const_cast<Bytef*>(raw.data());
  z.avail_in = static_cast<uInt>(raw.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(deflate(&z, Z_SYNC_FLUSH), Z_OK);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

TEST(PngDecoder, ReadsEveryColourTypeAndDepth) {
  const ColorRef red = RgbColor(255, 0, 0), green = RgbColor(0, 200, 0);
  ExpectPixels(Decode(EncodePng({2, 1}, {{255, 0, 0, 0, 200, 0}})), 2, {red, green});
  // Alpha is laid over black.
  ExpectPixels(Decode(EncodePng({3, 1, PNG_COLOR_TYPE_RGBA},
                                {{255, 0, 0, 255, 0, 200, 0, 0, 200, 100, 50, 128}})),
               3, {red, 0, RgbColor(100, 50, 25)});
  // A 4-bit palette with a transparent entry.
  PngLayout palette{3, 1, PNG_COLOR_TYPE_PALETTE, 4};
  palette.palette = {{255, 0, 0}, {0, 0, 255}, {0, 200, 0}};
  palette.transparency = {255, 0};
  ExpectPixels(Decode(EncodePng(palette, {{0x01, 0x20}})), 3, {red, 0, green});
  // Grey of 1, 2 and 16 bits (16-bit samples keep their high byte), and grey with alpha.
  const ColorRef white = RgbColor(255, 255, 255);
  ExpectPixels(Decode(EncodePng({3, 1, PNG_COLOR_TYPE_GRAY, 1}, {{0xA0}})), 3, {white, 0, white});
  ExpectPixels(Decode(EncodePng({4, 1, PNG_COLOR_TYPE_GRAY, 2}, {{0x1B}})), 4,
               {0, RgbColor(85, 85, 85), RgbColor(170, 170, 170), white});
  ExpectPixels(Decode(EncodePng({1, 1, PNG_COLOR_TYPE_GRAY, 16}, {{0x12, 0xAB}})), 1,
               {RgbColor(0x12, 0x12, 0x12)});
  ExpectPixels(Decode(EncodePng({1, 1, PNG_COLOR_TYPE_GRAY_ALPHA}, {{200, 128}})), 1,
               {RgbColor(100, 100, 100)});
  // 16-bit colour whose tRNS colour is transparent.
  PngLayout deep{2, 1, PNG_COLOR_TYPE_RGB, 16};
  deep.transparency = {0x12, 0x34, 0, 0, 0, 0};
  ExpectPixels(Decode(EncodePng(deep, {{0x12, 0x34, 0, 0, 0, 0, 0xFE, 0, 0, 1, 0, 2}})), 2,
               {0, RgbColor(0xFE, 0, 0)});
}

// Each size has its own mix of empty and full interlace passes; the picture is complete only
// after the last row of the last pass.
TEST(PngDecoder, InterlacedPicturesOfEverySmallSize) {
  for (int height = 1; height <= 9; ++height) {
    for (int width = 1; width <= 9; ++width) {
      std::vector<Bytes> rows;
      std::vector<ColorRef> expected;
      for (int y = 0; y < height; ++y) {
        rows.emplace_back();
        for (int x = 0; x < width; ++x) {
          const int r = 20 * x + 1, g = 20 * y + 1, b = x * y + 1;
          rows.back().insert(rows.back().end(),
                             {static_cast<unsigned char>(r), static_cast<unsigned char>(g),
                              static_cast<unsigned char>(b)});
          expected.push_back(RgbColor(r, g, b));
        }
      }
      PngLayout layout{width, height};
      layout.interlaced = true;
      ExpectPixels(Decode(EncodePng(layout, rows)), width, expected);
    }
  }
}

// Fault 1: the old decoder inflated all the image data, however much more than the header's
// rows it was (3 GB from a file of 2.9 MB). The kept file inflates to 24 MiB behind a 1 x 1
// header; now only its one row is inflated.
TEST(PngDecoder, InflatesNoMoreThanTheRowsTheHeaderImplies) {
  const Bytes bomb = ReadTestPicture("deflate_bomb.png");
  ExpectPixels(Decode(bomb), 1, {RgbColor(200, 100, 50)});
  // Cut short inside its image data: the row is in, and nothing more is waited for.
  ExpectPixels(Decode(Bytes(bomb.begin(), bomb.begin() + bomb.size() / 2)), 1,
               {RgbColor(200, 100, 50)});

  // What follows the rows is never inflated: a block no inflater accepts, after a megabyte of
  // zeros past the one row, does not matter.
  Bytes raw = {0, 7, 8, 9};
  raw.resize(1 << 20, 0);
  Bytes stream = Deflate(raw);
  stream.insert(stream.end(), {0x07, 0xFF, 0xFF, 0xFF});  // last block, of the reserved type
  ExpectPixels(Decode(PngWithData(1, 1, stream)), 1, {RgbColor(7, 8, 9)});
}

// The old decoder's memory grew with the inflated data: 24 MiB here, 2.1 GB for the probe's file.
TEST(PngDecoder, DeflateBombDecodesWithinAFewMegabytes) {
  if (!MemoryCapWorks()) GTEST_SKIP() << "no cap on memory under AddressSanitizer";
  const Bytes bomb = ReadTestPicture("deflate_bomb.png");
  const int result = RunWithMemoryCap(size_t{16} << 20, [&bomb] {
    const Image image = Decode(bomb);
    return image.width() == 1 && image.Pixel(0, 0) == RgbColor(200, 100, 50) ? 0 : 1;
  });
  EXPECT_EQ(result, 0);
}

TEST(PngDecoder, RefusesTruncatedAndDamagedFiles) {
  std::vector<Bytes> rows(16, Bytes(3 * 16));
  for (size_t y = 0; y < rows.size(); ++y) {
    for (size_t i = 0; i < rows[y].size(); ++i) rows[y][i] = static_cast<unsigned char>(y * i);
  }
  const Bytes good = EncodePng({16, 16}, rows);
  ASSERT_FALSE(Decode(good).is_null());
  for (const size_t size : {8, 20, 33, 45, 60, 100}) {
    if (size >= good.size() - 12) continue;
    EXPECT_TRUE(Decode(Bytes(good.begin(), good.begin() + size)).is_null()) << size;
  }
  // The rows end too soon in the image data.
  EXPECT_TRUE(Decode(PngWithData(4, 4, Compress(Bytes(20, 0)))).is_null());
  Bytes bad_crc = good;
  bad_crc[29] ^= 1;  // IHDR's CRC
  EXPECT_TRUE(Decode(bad_crc).is_null());
}

TEST(JpegDecoder, DecodesBaselineProgressiveGreyAndCmyk) {
  Bytes samples;
  std::vector<ColorRef> expected;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 24; ++x) {
      const int r = 40 + 8 * x, g = 60 + 8 * y, b = 100;
      samples.insert(samples.end(), {static_cast<unsigned char>(r), static_cast<unsigned char>(g),
                                     static_cast<unsigned char>(b)});
      expected.push_back(RgbColor(r, g, b));
    }
  }
  for (const bool progressive : {false, true}) {
    const Image image = Decode(EncodeJpeg({24, 16, 3, progressive}, samples));
    ASSERT_EQ(image.width(), 24);
    ASSERT_EQ(image.height(), 16);
    for (size_t i = 0; i < expected.size(); ++i) {
      EXPECT_LE(ChannelDistance(image.pixels()[i], expected[i]), 12) << i;
    }
  }
  const Image grey = Decode(EncodeJpeg({8, 8, 1}, Bytes(64, 77)));
  ASSERT_EQ(grey.width(), 8);
  EXPECT_EQ(grey.Pixel(3, 3), RgbColor(77, 77, 77));

  // CMYK as Adobe writes it, inverted: 255 is no ink.
  Bytes ink;
  for (int pixel = 0; pixel < 64; ++pixel) ink.insert(ink.end(), {0, 255, 255, 128});
  const Image cmyk = Decode(EncodeJpeg({8, 8, 4}, ink));
  ASSERT_EQ(cmyk.width(), 8);
  EXPECT_LE(ChannelDistance(cmyk.Pixel(4, 4), RgbColor(0, 128, 128)), 3);
}

// Fault 2: each scan of a progressive file may cost a pass over the whole picture, and the old
// decoder took any number (2,000 scans of 8192 x 4096 in 22 KB took 41 s).
TEST(JpegDecoder, StopsAfterTheScanLimit) {
  Bytes samples(16 * 16);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<unsigned char>(i);
  JpegLayout layout{16, 16, 1};
  layout.scans = GreyScans(picture::kMaxJpegScans);
  const Image most = Decode(EncodeJpeg(layout, samples));
  ASSERT_EQ(most.width(), 16);
  EXPECT_LE(ChannelDistance(most.Pixel(5, 9), RgbColor(149, 149, 149)), 4);
  layout.scans = GreyScans(picture::kMaxJpegScans + 1);
  EXPECT_TRUE(Decode(EncodeJpeg(layout, samples)).is_null());
  // 8192 x 4096 with 300 scans of 11 bytes each, their data missing.
  EXPECT_TRUE(Decode(ReadTestPicture("empty_scans.jpg")).is_null());
}

// A JPEG segment: marker and body, its length included.
Bytes Segment(unsigned char marker, const Bytes& body) {
  Bytes out = {0xFF, marker, static_cast<unsigned char>((body.size() + 2) >> 8),
               static_cast<unsigned char>(body.size() + 2)};
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

// The offset of the first segment with this marker, or 0.
size_t FindSegment(const Bytes& jpeg, unsigned char marker) {
  for (size_t at = 2; at + 4 <= jpeg.size();) {
    if (jpeg[at] != 0xFF) return 0;
    if (jpeg[at + 1] == marker) return at;
    at += 2 + (jpeg[at + 2] << 8 | jpeg[at + 3]);
  }
  return 0;
}

// Fault 3: a Huffman table declaring more than 256 codes made the old decoder write past its
// table of code lengths.
TEST(JpegDecoder, RefusesHuffmanTablesOfMoreThan256Codes) {
  EXPECT_TRUE(Decode(ReadTestPicture("many_codes.jpg")).is_null());
  EXPECT_TRUE(Decode(ReadTestPicture("many_codes_ac.jpg")).is_null());
  for (const unsigned char table : {0x00, 0x01, 0x10, 0x11}) {
    for (const int per_length : {17, 64, 255}) {
      Bytes body = {table};
      body.insert(body.end(), 16, static_cast<unsigned char>(per_length));
      for (const bool with_symbols : {false, true}) {
        if (with_symbols) body.resize(body.size() + 16 * per_length, 0);
        Bytes jpeg = {0xFF, 0xD8};
        const Bytes dht = Segment(0xC4, body);
        jpeg.insert(jpeg.end(), dht.begin(), dht.end());
        EXPECT_TRUE(Decode(jpeg).is_null()) << int{table} << " " << per_length;
      }
    }
  }
  // In a good file, the first table's counts raised past 256.
  Bytes good = EncodeJpeg({8, 8, 1}, Bytes(64, 90));
  const size_t dht = FindSegment(good, 0xC4);
  ASSERT_NE(dht, 0u);
  for (size_t i = 0; i < 16; ++i) good[dht + 5 + i] = 20;
  EXPECT_TRUE(Decode(good).is_null());
}

// Fault 4: without a quantisation table the old decoder scaled coefficients by whatever its
// fresh memory held, so the same file gave different pictures.
TEST(JpegDecoder, RefusesPicturesWithoutQuantisationTables) {
  EXPECT_FALSE(Decode(ReadTestPicture("baseline_block.jpg")).is_null());
  EXPECT_TRUE(Decode(ReadTestPicture("no_quant_table.jpg")).is_null());
  Bytes jpeg = EncodeJpeg({16, 8, 3}, Bytes(16 * 8 * 3, 200));
  ASSERT_FALSE(Decode(jpeg).is_null());
  while (const size_t dqt = FindSegment(jpeg, 0xDB)) {
    jpeg.erase(jpeg.begin() + dqt, jpeg.begin() + dqt + 2 + (jpeg[dqt + 2] << 8 | jpeg[dqt + 3]));
  }
  EXPECT_TRUE(Decode(jpeg).is_null());
}

// A stream libjpeg would patch up with a warning is refused.
TEST(JpegDecoder, RefusesTruncatedAndCorruptStreams) {
  Bytes samples(32 * 32 * 3);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<unsigned char>(i * 7);
  const Bytes good = EncodeJpeg({32, 32, 3}, samples);
  ASSERT_FALSE(Decode(good).is_null());
  for (const size_t cut : {size_t{3}, size_t{100}, good.size() / 2, good.size() - 40}) {
    EXPECT_TRUE(Decode(Bytes(good.begin(), good.begin() + cut)).is_null()) << cut;
  }
  // Stray bytes before a marker.
  Bytes stray = good;
  const size_t sos = FindSegment(stray, 0xDA);
  ASSERT_NE(sos, 0u);
  stray.insert(stray.begin() + sos, {0x12, 0x34});
  EXPECT_TRUE(Decode(stray).is_null());
}

const GifColorType kBlackEntry{0, 0, 0}, kRedEntry{255, 0, 0}, kGreenEntry{10, 200, 60},
    kBlueEntry{0, 0, 250}, kWhiteEntry{255, 255, 255};

// The first frame sits at its offset; the screen around it takes the background colour when
// the background index is above 0, else black; transparent pixels are black; later frames are
// not drawn. (The decoder used before did the same, but for swapping the background's red and
// blue.)
TEST(GifDecoder, DrawsTheFirstFrameAtItsPlaceOnTheScreen) {
  const std::vector<GifColorType> colours = {kBlackEntry, kRedEntry, kGreenEntry, kBlueEntry};
  GifFrame first{1, 1, 3, 2};
  first.transparent = 3;
  first.indices = {1, 2, 3, 3, 1, 2};
  GifFrame second{0, 0, 5, 4};
  second.indices.assign(20, 1);
  const ColorRef red = RgbColor(255, 0, 0), green = RgbColor(10, 200, 60);
  for (const int background : {0, 2}) {
    const ColorRef b = background == 0 ? 0 : green;
    ExpectPixels(Decode(EncodeGif(5, 4, background, colours, {first, second})), 5,
                 {b, b,   b,     b, b,  //
                  b, red, green, 0, b, b, 0, red, green, b, b, b, b, b, b});
  }
  // A local table, and an interlaced frame.
  GifFrame interlaced{0, 0, 1, 10};
  interlaced.interlaced = true;
  interlaced.colours = {kBlackEntry, kWhiteEntry, kBlueEntry};
  interlaced.indices = {0, 1, 2, 1, 0, 1, 2, 1, 0, 2};
  std::vector<ColorRef> expected;
  const ColorRef palette[] = {0, RgbColor(255, 255, 255), RgbColor(0, 0, 250)};
  for (const unsigned char index : interlaced.indices) expected.push_back(palette[index]);
  ExpectPixels(Decode(EncodeGif(1, 10, 0, colours, {interlaced})), 1, expected);
}

TEST(GifDecoder, RefusesBrokenFiles) {
  GifFrame frame{0, 0, 8, 8};
  for (int i = 0; i < 64; ++i) frame.indices.push_back(static_cast<unsigned char>(i * 5 % 4));
  const Bytes good = EncodeGif(8, 8, 0, {kBlackEntry, kRedEntry, kGreenEntry, kBlueEntry}, {frame});
  ASSERT_FALSE(Decode(good).is_null());
  for (const size_t cut : {size_t{6}, size_t{13}, size_t{30}, good.size() - 3}) {
    EXPECT_TRUE(Decode(Bytes(good.begin(), good.begin() + cut)).is_null()) << cut;
  }
  // The frame reaching past the screen: its width (after the descriptor's 0x2C, left and top).
  Bytes wide = good;
  const size_t descriptor = 13 + 3 * 4;
  ASSERT_EQ(wide[descriptor], 0x2C);
  wide[descriptor + 5] = 9;
  EXPECT_TRUE(Decode(wide).is_null());
  // No colour table at all: the screen's flag cleared and its table taken out.
  Bytes uncoloured = good;
  uncoloured[10] &= 0x7F;
  uncoloured.erase(uncoloured.begin() + 13, uncoloured.begin() + descriptor);
  EXPECT_TRUE(Decode(uncoloured).is_null());
  // No image at all.
  EXPECT_TRUE(Decode(EncodeGif(8, 8, 0, {kRedEntry}, {})).is_null());
}

// Every decoder checks the pixel count (and where the format fixes it, the bytes the header
// implies) before it allocates: under a cap on memory far below what such a picture needs,
// each of these files is refused and nothing runs out.
std::vector<Bytes> OversizedPictures() {
  std::vector<Bytes> files;
  // PNG: past the pixel limit; and within it, with far too little data for its rows.
  files.push_back(PngWithData(8193, 4096, Compress(Bytes(64, 0))));
  files.push_back(PngWithData(8192, 4096, Compress(Bytes(64, 0))));
  // JPEG: 65500 x 65500 in the frame header, then nothing.
  Bytes jpeg = EncodeJpeg({8, 8, 1}, Bytes(64, 1));
  const size_t sof = FindSegment(jpeg, 0xC0);
  for (const size_t at : {sof + 5, sof + 7}) jpeg[at] = 0xFF, jpeg[at + 1] = 0xDC;
  files.push_back(jpeg);
  // GIF: a screen of 65535 x 65535.
  GifFrame dot{0, 0, 1, 1};
  dot.indices = {1};
  Bytes gif = EncodeGif(8, 8, 0, {kBlackEntry, kRedEntry}, {dot});
  for (const size_t at : {6, 8}) gif[at] = gif[at + 1] = 0xFF;
  files.push_back(gif);
  // BMP and TGA: 8192 x 4096 in 24 bits, within the limit, but without the pixels.
  Bytes bmp = {'B', 'M', 0, 0, 0,    0, 0, 0, 0,    0, 54, 0, 0, 0,  40,
               0,   0,   0, 0, 0x20, 0, 0, 0, 0x10, 0, 0,  1, 0, 24, 0};
  bmp.resize(54 + 1000, 0);
  files.push_back(bmp);
  Bytes tga = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x20, 0, 0x10, 24, 0};
  tga.resize(18 + 1000, 0);
  files.push_back(tga);
  return files;
}

TEST(PictureLimits, OversizedPicturesAreRefused) {
  for (const Bytes& file : OversizedPictures()) EXPECT_TRUE(Decode(file).is_null());
}

TEST(PictureLimits, OversizedPicturesAreRefusedBeforeAllocating) {
  if (!MemoryCapWorks()) GTEST_SKIP() << "no cap on memory under AddressSanitizer";
  const std::vector<Bytes> files = OversizedPictures();
  EXPECT_EQ(RunWithMemoryCap(size_t{64} << 20,
                             [&files] {
                               for (const Bytes& file : files) {
                                 if (!Decode(file).is_null()) return 1;
                               }
                               return 0;
                             }),
            0);
}

TEST(PictureFiles, KeptSamplesLoadAndHostileOnesDoNot) {
  for (const char* name :
       {"rle8.bmp", "rle4.bmp", "v5_bitfields.bmp", "os2_palette.bmp", "interlaced_alpha.png",
        "palette_trns.png", "progressive.jpg", "cmyk.jpg", "transparent.gif", "offset_frames.gif",
        "rle32.tga", "palette_rle.tga"}) {
    const Image image = Decode(ReadTestPicture(name));
    EXPECT_FALSE(image.is_null()) << name;
  }
  for (const char* name :
       {"empty_scans.jpg", "many_codes.jpg", "many_codes_ac.jpg", "no_quant_table.jpg"}) {
    EXPECT_TRUE(Decode(ReadTestPicture(name)).is_null()) << name;
  }
}

}  // namespace
}  // namespace brindle

// Image files (BMP as Windows writes them; the other formats in image_decoders_test.cpp and
// image_bmp_tga_test.cpp), scaling, transparent blits onto the canvas, and PNG output.
#include "pictures/image.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "picture_files.h"
#include "pictures/png_writer.h"

namespace brindle {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

void Put16(Bytes& out, unsigned v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}

void Put32(Bytes& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// A BMP file with a 40-byte info header. rows[y] holds the packed pixel bytes of image row y
// (top row first); they are padded to 4 bytes and stored bottom-up unless top_down.
Bytes MakeBmp(int width, int height, int bits, bool top_down, const std::vector<Bytes>& rows,
              const std::vector<ColorRef>& palette = {}) {
  const uint32_t header_size = 14 + 40 + 4 * static_cast<uint32_t>(palette.size());
  const size_t stride = (rows.front().size() + 3) / 4 * 4;
  Bytes out = {'B', 'M'};
  Put32(out, header_size + static_cast<uint32_t>(stride * height));
  Put32(out, 0);
  Put32(out, header_size);
  Put32(out, 40);
  Put32(out, width);
  Put32(out, top_down ? -height : height);
  Put16(out, 1);
  Put16(out, bits);
  for (uint32_t v : {0u, 0u, 2835u, 2835u, static_cast<uint32_t>(palette.size()), 0u}) {
    Put32(out, v);
  }
  for (const ColorRef c : palette) Put32(out, (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF));
  for (int i = 0; i < height; ++i) {
    Bytes row = rows[top_down ? i : height - 1 - i];
    row.resize(stride, 0xEE);  // padding, which a reader must skip
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

// Packs ColorRefs as BMP's blue, green, red (and a fourth byte for 32 bits).
Bytes PackRow(const std::vector<ColorRef>& colors, int bits, unsigned fourth = 0) {
  Bytes row;
  for (const ColorRef c : colors) {
    row.insert(row.end(), {static_cast<unsigned char>(c >> 16), static_cast<unsigned char>(c >> 8),
                           static_cast<unsigned char>(c)});
    if (bits == 32) row.push_back(fourth);
  }
  return row;
}

const ColorRef kRed = RgbColor(255, 0, 0), kGreen = RgbColor(0, 200, 0);
const ColorRef kBlue = RgbColor(10, 20, 250), kWhite = RgbColor(255, 255, 255);
const ColorRef kBlack = 0, kGray = RgbColor(1, 1, 1);

// 3 x 2, with a black pixel; odd width so that 24-bit rows need padding.
const std::vector<std::vector<ColorRef>> kPicture = {{kRed, kGreen, kBlue},
                                                     {kWhite, kBlack, kGray}};

void ExpectPicture(const Image& image) {
  ASSERT_FALSE(image.is_null());
  ASSERT_EQ(image.width(), 3);
  ASSERT_EQ(image.height(), 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(image.Pixel(x, y), kPicture[y][x]) << x << "," << y;
  }
}

class ImageFiles : public testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() / ("brindle_image_test_" + std::to_string(getpid()) + "_" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Write(const std::string& name, const Bytes& bytes) {
    const std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  fs::path dir_;
};

TEST_F(ImageFiles, LoadsBmpOfEveryCommonLayout) {
  std::vector<Bytes> rows24, rows32, rows32_alpha;
  for (const auto& row : kPicture) {
    rows24.push_back(PackRow(row, 24));
    rows32.push_back(PackRow(row, 32, 0));
    rows32_alpha.push_back(PackRow(row, 32, 0x40));
  }
  ExpectPicture(Image::Load(Write("bottom_up.bmp", MakeBmp(3, 2, 24, false, rows24))));
  ExpectPicture(Image::Load(Write("top_down.bmp", MakeBmp(3, 2, 24, true, rows24))));
  // The fourth byte is not alpha to Windows: zero or not, the pixels are drawn as they are.
  ExpectPicture(Image::Load(Write("zero_fourth.bmp", MakeBmp(3, 2, 32, false, rows32))));
  ExpectPicture(Image::Load(Write("some_fourth.bmp", MakeBmp(3, 2, 32, true, rows32_alpha))));

  const std::vector<ColorRef> palette = {kWhite, kRed, kGreen, kBlue, kBlack, kGray};
  const std::vector<Bytes> indexed = {{1, 2, 3}, {0, 4, 5}};
  ExpectPicture(Image::Load(Write("palette.bmp", MakeBmp(3, 2, 8, false, indexed, palette))));
  const std::vector<Bytes> nibbles = {{0x12, 0x30}, {0x04, 0x50}};
  ExpectPicture(Image::Load(Write("palette4.bmp", MakeBmp(3, 2, 4, true, nibbles, palette))));
}

TEST_F(ImageFiles, FailedLoadsGiveTheNullImage) {
  EXPECT_TRUE(Image::Load(Path("missing.bmp")).is_null());
  EXPECT_TRUE(Image::Load(Write("empty.bmp", {})).is_null());
  EXPECT_TRUE(Image::Load(Write("text.bmp", {'h', 'e', 'l', 'l', 'o'})).is_null());
  const Bytes good = MakeBmp(3, 2, 24, false, {PackRow(kPicture[0], 24), PackRow(kPicture[1], 24)});
  EXPECT_TRUE(
      Image::Load(Write("truncated.bmp", Bytes(good.begin(), good.begin() + 20))).is_null());
  // A header claiming 20000 x 20000 pixels over a few bytes of data gives no image.
  Bytes inflated = good;
  for (const size_t offset : {18, 22}) inflated[offset] = 0x20, inflated[offset + 1] = 0x4E;
  EXPECT_TRUE(Image::Load(Write("inflated.bmp", inflated)).is_null());
  EXPECT_TRUE(Image::Load(dir_.string()).is_null());  // a directory
  EXPECT_TRUE(Image().is_null());
  EXPECT_TRUE(Image(2, 2, {1, 2, 3}).is_null());
}

TEST_F(ImageFiles, ScalesNearestNeighbourOnRequest) {
  const std::string path = Write(
      "p.bmp", MakeBmp(3, 2, 24, false, {PackRow(kPicture[0], 24), PackRow(kPicture[1], 24)}));
  ExpectPicture(Image::Load(path, 0, 0));
  const Image doubled = Image::Load(path, 6, 4);
  ASSERT_EQ(doubled.width(), 6);
  ASSERT_EQ(doubled.height(), 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) EXPECT_EQ(doubled.Pixel(x, y), kPicture[y / 2][x / 2]);
  }
  // Black stays exactly black (no blending), so it is still left out when drawn.
  const Image odd = Image::Load(path, 7, 5);
  int black = 0;
  for (const ColorRef p : odd.pixels()) {
    EXPECT_TRUE(p == kRed || p == kGreen || p == kBlue || p == kWhite || p == kBlack || p == kGray);
    black += p == kBlack;
  }
  EXPECT_GT(black, 0);
  const Image wide = Image::Load(path, 9, 0);  // a zero keeps that side
  EXPECT_EQ(wide.width(), 9);
  EXPECT_EQ(wide.height(), 2);
  const Image shrunk = Image::Load(path, 1, 1);
  EXPECT_EQ(shrunk.pixels(), std::vector<ColorRef>{kRed});
  EXPECT_TRUE(Image::Load(path, -3, 2).is_null());
  EXPECT_TRUE(Image::Load(path, INT_MAX, INT_MAX).is_null());
}

// A 4 x 3 image: a frame of colours round black, drawn over a filled canvas.
Image FramedImage() {
  std::vector<ColorRef> pixels(12, kBlack);
  for (int i = 0; i < 12; ++i) {
    const int x = i % 4, y = i / 4;
    if (x == 0 || y == 0 || x == 3 || y == 2) pixels[i] = RgbColor(10 * x + 1, 20 * y + 1, 99);
  }
  return Image(4, 3, pixels);
}

TEST(ImageBlit, LeavesBlackOutAndCopiesTheTopLeftPart) {
  const Image image = FramedImage();
  Canvas canvas;
  canvas.DrawImageTransparent(image.view(), 100, 50, 4, 3);
  for (int y = -1; y < 4; ++y) {
    for (int x = -1; x < 5; ++x) {
      const ColorRef source = image.Pixel(x, y);
      const bool drawn = x >= 0 && x < 4 && y >= 0 && y < 3 && source != kBlack;
      EXPECT_EQ(canvas.Pixel(100 + x, 50 + y), drawn ? source : kButtonFace) << x << "," << y;
    }
  }
  Canvas part;
  part.DrawImageTransparent(image.view(), 100, 50, 2, 1);
  EXPECT_EQ(part.Pixel(100, 50), image.Pixel(0, 0));
  EXPECT_EQ(part.Pixel(101, 50), image.Pixel(1, 0));
  EXPECT_EQ(part.Pixel(102, 50), kButtonFace);
  EXPECT_EQ(part.Pixel(100, 51), kButtonFace);
}

// A larger size draws the whole image and no more; an empty size or the null image nothing.
TEST(ImageBlit, SizeOnlyEverSelectsPartOfTheImage) {
  const Image image = FramedImage();
  Canvas exact, larger, none;
  exact.DrawImageTransparent(image.view(), 10, 10, 4, 3);
  larger.DrawImageTransparent(image.view(), 10, 10, 500, 400);
  EXPECT_EQ(exact.pixels(), larger.pixels());
  for (const auto& [w, h] :
       std::vector<std::pair<int, int>>{{0, 3}, {4, 0}, {-4, 3}, {4, -3}, {INT_MIN, INT_MIN}}) {
    none.DrawImageTransparent(image.view(), 10, 10, w, h);
  }
  none.DrawImageTransparent(Image().view(), 10, 10, 4, 3);
  EXPECT_EQ(none.pixels(), Canvas().pixels());
}

TEST(ImageBlit, ClipsAtEveryEdge) {
  const Image image = FramedImage();
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{
           {-2, -1}, {782, 559}, {-3, 300}, {400, 559}, {INT_MIN, 0}, {INT_MAX, INT_MAX}}) {
    Canvas canvas;
    canvas.DrawImageTransparent(image.view(), x, y, 4, 3);
    int drawn = 0;
    for (int sy = 0; sy < 3; ++sy) {
      for (int sx = 0; sx < 4; ++sx) {
        const int64_t cx = int64_t{x} + sx, cy = int64_t{y} + sy;
        if (cx < 0 || cy < 0 || cx >= Canvas::kWidth || cy >= Canvas::kHeight) continue;
        const ColorRef expected = image.Pixel(sx, sy) == kBlack ? kButtonFace : image.Pixel(sx, sy);
        EXPECT_EQ(canvas.Pixel(static_cast<int>(cx), static_cast<int>(cy)), expected);
        drawn += expected != kButtonFace;
      }
    }
    const auto changed =
        std::ranges::count_if(canvas.pixels(), [](ColorRef p) { return p != kButtonFace; });
    EXPECT_EQ(changed, drawn) << x << "," << y;
  }
}

TEST_F(ImageFiles, PngRoundTripKeepsEveryPixel) {
  Canvas canvas;
  canvas.DrawBox(5, 5, 300, 200, RgbColor(1, 2, 3), RgbColor(200, 100, 50));
  canvas.DrawEllipse(100, 100, 400, 300, RgbColor(255, 255, 0), RgbColor(0, 0, 255));
  canvas.DrawText(20, 20, "PNG", RgbColor(0, 128, 255));
  const std::string path = Path("canvas.png");
  ASSERT_TRUE(WritePng(canvas.pixels(), Canvas::kWidth, Canvas::kHeight, path));
  EXPECT_FALSE(fs::exists(path + ".tmp"));

  // Read back through libpng's own simple reader, then through ours.
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  ASSERT_NE(png_image_begin_read_from_file(&png, path.c_str()), 0);
  EXPECT_EQ(png.format, static_cast<png_uint_32>(PNG_FORMAT_RGB));
  ASSERT_EQ(png.width, static_cast<png_uint_32>(Canvas::kWidth));
  ASSERT_EQ(png.height, static_cast<png_uint_32>(Canvas::kHeight));
  Bytes rgb(PNG_IMAGE_SIZE(png));
  ASSERT_NE(png_image_finish_read(&png, nullptr, rgb.data(), 0, nullptr), 0);
  const std::vector<ColorRef> drawn = canvas.pixels();
  for (size_t i = 0; i < drawn.size(); ++i) {
    ASSERT_EQ(RgbColor(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]), drawn[i]) << i;
  }
  EXPECT_EQ(Image::Load(path).pixels(), canvas.pixels());
}

TEST_F(ImageFiles, PngWriteFailsCleanly) {
  Canvas canvas;
  EXPECT_FALSE(
      WritePng(canvas.pixels(), Canvas::kWidth, Canvas::kHeight, Path("no/such/dir/x.png")));
  const std::vector<ColorRef> pixels(6, kRed);
  EXPECT_FALSE(WritePng(pixels, 4, 2, Path("wrong_size.png")));
  EXPECT_FALSE(WritePng(pixels, 0, 0, Path("empty.png")));
  ASSERT_TRUE(WritePng(pixels, 3, 2, Path("small.png")));
  EXPECT_EQ(Image::Load(Path("small.png")).pixels(), pixels);
}

// Formats other than BMP may carry alpha: the image keeps each colour laid over black, so the
// blit leaves the transparent parts out, and the alpha beside it for the blit's blending.
TEST(ImageDecode, AlphaIsLaidOverBlack) {
  const Bytes png =
      test_pictures::EncodePng({2, 2, PNG_COLOR_TYPE_RGBA},
                               {{255, 0, 0, 255, 0, 255, 0, 0}, {200, 100, 50, 128, 7, 7, 7, 255}});
  const Image image = Image::Decode(png);
  ASSERT_EQ(image.width(), 2);
  EXPECT_EQ(image.Pixel(0, 0), kRed);
  EXPECT_EQ(image.Pixel(1, 0), kBlack);
  EXPECT_EQ(image.Pixel(0, 1), RgbColor(100, 50, 25));
  EXPECT_EQ(image.Pixel(1, 1), RgbColor(7, 7, 7));
  EXPECT_EQ(image.alpha(), (std::vector<uint8_t>{255, 0, 128, 255}));
  // Scaling takes each pixel's alpha with it.
  EXPECT_EQ(image.Scaled(4, 2).alpha(), (std::vector<uint8_t>{255, 255, 0, 0, 128, 128, 255, 255}));

  const Bytes jpeg = test_pictures::EncodeJpeg({16, 16, 3}, Bytes(16 * 16 * 3, 128));
  const Image photo = Image::Decode(jpeg, 32, 8);
  ASSERT_EQ(photo.width(), 32);
  ASSERT_EQ(photo.height(), 8);
  EXPECT_NEAR(static_cast<int>(photo.Pixel(5, 5) & 0xFF), 128, 3);
}

// Partly transparent pixels are laid over what the canvas holds; the fully transparent ones and
// black are left out, and a picture whose alpha is all 0 or 255 draws as one without alpha.
TEST(ImageDraw, PartlyTransparentPixelsBlendWithTheCanvas) {
  const Bytes png =
      test_pictures::EncodePng({4, 1, PNG_COLOR_TYPE_RGBA},
                               {{255, 0, 0, 255, 0, 255, 0, 0, 200, 100, 50, 128, 0, 0, 0, 90}});
  const Image image = Image::Decode(png);
  ASSERT_FALSE(image.alpha().empty());
  Canvas canvas;
  canvas.Fill(RgbColor(255, 255, 255));
  canvas.DrawImageTransparent(image.view(), 10, 10, 4, 1);
  EXPECT_EQ(canvas.Pixel(10, 10), kRed);
  EXPECT_EQ(canvas.Pixel(11, 10), RgbColor(255, 255, 255));
  // 100 + 255 * 127 / 255 and so on, rounded.
  EXPECT_EQ(canvas.Pixel(12, 10), RgbColor(227, 177, 152));
  EXPECT_EQ(canvas.Pixel(13, 10), RgbColor(255, 255, 255));

  const Bytes binary =
      test_pictures::EncodePng({2, 1, PNG_COLOR_TYPE_RGBA}, {{9, 9, 9, 255, 1, 2, 3, 0}});
  EXPECT_TRUE(Image::Decode(binary).alpha().empty());
  // Over any canvas colour, the blend stays within 0..255 and is exact at the ends.
  for (unsigned under : {0u, 128u, 255u}) {
    const ColorRef canvas_colour = RgbColor(under, under, under);
    EXPECT_EQ(Canvas::OverCanvas(RgbColor(255, 255, 255), 255, canvas_colour),
              RgbColor(255, 255, 255));
    EXPECT_EQ(Canvas::OverCanvas(RgbColor(254, 254, 254), 254, RgbColor(255, 255, 255)),
              RgbColor(255, 255, 255));
    EXPECT_EQ(Canvas::OverCanvas(RgbColor(1, 1, 1), 1, canvas_colour),
              RgbColor(1 + (under * 254 + 127) / 255, 1 + (under * 254 + 127) / 255,
                       1 + (under * 254 + 127) / 255));
  }
}

}  // namespace
}  // namespace brindle

// The animated GIF of a run: frames for changes, their timing, their colours and the limits.
#include "pictures/gif_recorder.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <vector>

#include "gif_frames.h"

namespace brindle::testing {
namespace {

constexpr int kW = 40, kH = 30;
constexpr ColorRef kRed = RgbColor(255, 0, 0), kBlue = RgbColor(0, 0, 255);

std::vector<ColorRef> Plain(ColorRef color) {
  return std::vector<ColorRef>(kW * kH, color);
}

std::vector<ColorRef> WithBox(ColorRef background, int x, int y, int w, int h, ColorRef color) {
  std::vector<ColorRef> p = Plain(background);
  for (int row = y; row < y + h; ++row) {
    for (int col = x; col < x + w; ++col) p[row * kW + col] = color;
  }
  return p;
}

ShownGif Record(const std::vector<std::pair<int64_t, std::vector<ColorRef>>>& shown,
                const std::vector<ColorRef>& last, int64_t end_ms,
                GifRecorder::Limits limits = {}) {
  GifRecorder recorder(kW, kH, limits);
  for (auto [ms, picture] : shown) recorder.Show(picture, ms);
  return ReadGif(recorder.Finish(last, end_ms));
}

std::vector<int> Delays(const ShownGif& gif) {
  std::vector<int> delays;
  for (const ShownFrame& f : gif.frames) delays.push_back(f.delay);
  return delays;
}

TEST(GifRecorder, OneFrameForEachChangeShownUntilTheNext) {
  const auto a = Plain(kButtonFace), b = WithBox(kButtonFace, 5, 6, 7, 8, kRed);
  const auto c = WithBox(kButtonFace, 5, 6, 7, 8, kBlue);
  // b again at 600 changes nothing; c is the last picture, at the end (1500).
  const ShownGif gif = Record({{0, a}, {300, b}, {600, b}}, c, 1500);
  ASSERT_TRUE(gif.ok);
  EXPECT_FALSE(gif.loops);
  ASSERT_EQ(gif.frames.size(), 3u);
  EXPECT_EQ(gif.frames[0].screen, a);
  EXPECT_EQ(gif.frames[1].screen, b);
  EXPECT_EQ(gif.frames[2].screen, c);
  EXPECT_EQ(Delays(gif), (std::vector<int>{30, 120, 0}));
  // Later frames hold only what changed, kept over the earlier ones.
  EXPECT_EQ(gif.frames[0].width * gif.frames[0].height, kW * kH);
  for (const ShownFrame& f : {gif.frames[1], gif.frames[2]}) {
    EXPECT_EQ(std::vector<int>({f.left, f.top, f.width, f.height}), std::vector<int>({5, 6, 7, 8}));
    EXPECT_EQ(f.disposal, DISPOSE_DO_NOT);
  }
}

TEST(GifRecorder, PicturesCloserThanTwentyMillisecondsAreMerged) {
  std::vector<std::vector<ColorRef>> p;
  for (int i = 0; i < 6; ++i) p.push_back(WithBox(kButtonFace, i, 0, 1, 1, kRed));
  // 0, 10 merge (10 shows from 0); 20, 39 merge; 45 and 64 merge into the last, at 45.
  const ShownGif gif =
      Record({{0, p[0]}, {10, p[1]}, {20, p[2]}, {39, p[3]}, {45, p[4]}}, p[5], 64);
  ASSERT_EQ(gif.frames.size(), 3u);
  EXPECT_EQ(gif.frames[0].screen, p[1]);
  EXPECT_EQ(gif.frames[1].screen, p[3]);
  EXPECT_EQ(gif.frames[2].screen, p[5]) << "the last frame is the last picture";
  EXPECT_EQ(Delays(gif), (std::vector<int>{2, 3, 1}));
}

// Hundredths of a second are rounded so that the errors do not add up: the delays always sum
// to the time of the last change, rounded once.
TEST(GifRecorder, DelaysCarryTheirRounding) {
  std::vector<std::pair<int64_t, std::vector<ColorRef>>> shown;
  for (int i = 0; i < 40; ++i) {
    shown.push_back({i * 33, WithBox(kButtonFace, i % kW, 0, 1, 1, kRed)});
  }
  const ShownGif gif = Record(shown, Plain(kBlue), 40 * 33);
  ASSERT_EQ(gif.frames.size(), 41u);
  EXPECT_EQ(gif.TotalDelay(), 132);
  for (size_t i = 0; i + 1 < gif.frames.size(); ++i) {
    EXPECT_TRUE(gif.frames[i].delay == 3 || gif.frames[i].delay == 4) << i;
  }
}

// The delay field holds at most 655.35 s: a longer stretch goes on in frames that change
// nothing.
TEST(GifRecorder, AWaitLongerThanADelayHoldsGoesOnInEmptyFrames) {
  const auto a = Plain(kRed), b = Plain(kBlue);
  const ShownGif gif = Record({{0, a}}, b, 86400000);
  ASSERT_TRUE(gif.ok);
  EXPECT_EQ(gif.TotalDelay(), 8640000);
  EXPECT_EQ(gif.frames.size(), 133u);  // 8640000 / 65535 rounded up, then the last picture
  EXPECT_EQ(gif.frames[131].screen, a);
  EXPECT_EQ(gif.frames[132].screen, b);
}

// Up to 256 colours fit one colour table; more take bands of rows, each with its own, as long
// as a few bands do; past that (a photograph), giflib's quantiser chooses 256.
TEST(GifRecorder, ColoursAreExactWhereAFewColourTablesHoldThem) {
  std::vector<ColorRef> few(kW * kH), many(kW * kH);
  for (int i = 0; i < kW * kH; ++i) {
    few[i] = RgbColor(i % 256, (i * 7) % 256, 255 - i % 256);  // exactly 256 colours
    many[i] = RgbColor(i % 256, i / 256, 7);                   // 1200
  }
  const ShownGif exact = Record({}, few, 0);
  ASSERT_EQ(exact.frames.size(), 1u);
  EXPECT_EQ(exact.images, 1);
  EXPECT_EQ(exact.frames[0].screen, few);
  EXPECT_EQ(exact.frames[0].palette_size, 256);
  const ShownGif banded = Record({}, many, 0);
  ASSERT_EQ(banded.frames.size(), 1u);
  EXPECT_EQ(banded.images, 5) << "6 rows of 40 colours a table";
  EXPECT_EQ(banded.frames[0].screen, many);
  EXPECT_EQ(banded.frames[0].width * banded.frames[0].height, kW * kH);

  // A row of 600 colours is more than one table holds.
  constexpr int kWide = 600;
  std::vector<ColorRef> photo(kWide * 2);
  for (int i = 0; i < kWide * 2; ++i) photo[i] = RgbColor(i % 256, (i / 3) % 256, (i / 5) % 256);
  GifRecorder recorder(kWide, 2, {});
  const ShownGif reduced = ReadGif(recorder.Finish(photo, 0));
  ASSERT_EQ(reduced.frames.size(), 1u);
  EXPECT_EQ(reduced.images, 1);
  int worst = 0;
  for (size_t i = 0; i < photo.size(); ++i) {
    for (int shift : {0, 8, 16}) {
      const int a = (photo[i] >> shift) & 0xFF, b = (reduced.frames[0].screen[i] >> shift) & 0xFF;
      worst = std::max(worst, std::abs(a - b));
    }
  }
  EXPECT_GT(worst, 0);
  EXPECT_LE(worst, 48) << "each channel near its colour";
}

// A frame with reduced colours approximates what it holds around the photograph too; once the
// photograph is gone, the next frame shows all of it exactly again, the unchanged part included.
TEST(GifRecorder, ApproximatedColoursArePutRightOnceThePhotographIsGone) {
  constexpr int kWide = 600, kHigh = 4;
  std::vector<ColorRef> photo(kWide * kHigh), after(kWide * kHigh);
  for (int i = 0; i < kWide * kHigh; ++i) {
    const bool top = i < kWide * 2;
    const ColorRef shade = RgbColor(i % 100, 50, 50);  // 100 colours under the photograph
    photo[i] = top ? RgbColor(i % 256, (i / 3) % 256, (i / 5) % 256) : shade;
    after[i] = top ? kRed : shade;
  }
  GifRecorder recorder(kWide, kHigh, {});
  recorder.Show(photo, 0);
  const ShownGif gif = ReadGif(recorder.Finish(after, 100));
  ASSERT_EQ(gif.frames.size(), 2u);
  const std::vector<ColorRef> shade_shown(gif.frames[0].screen.begin() + kWide * 2,
                                          gif.frames[0].screen.end());
  ASSERT_NE(shade_shown, std::vector<ColorRef>(after.begin() + kWide * 2, after.end()))
      << "the first frame approximates the shades below the photograph";
  EXPECT_EQ(gif.frames[1].screen, after);
}

TEST(GifRecorder, LimitsEndTheRecordingWithAValidFile) {
  std::vector<std::pair<int64_t, std::vector<ColorRef>>> shown;
  for (int i = 0; i < 10; ++i) shown.push_back({i * 100, WithBox(kRed, i, i, 3, 3, kBlue)});
  GifRecorder recorder(kW, kH, {4, size_t{1} << 20});
  for (auto [ms, picture] : shown) recorder.Show(picture, ms);
  ASSERT_TRUE(recorder.stopped());
  EXPECT_EQ(*recorder.stopped(), "4 frames");
  const ShownGif by_frames = ReadGif(recorder.Finish(Plain(kBlue), 2000));
  ASSERT_TRUE(by_frames.ok);
  ASSERT_EQ(by_frames.frames.size(), 4u);
  EXPECT_EQ(by_frames.frames[3].screen, shown[3].second);
  EXPECT_EQ(by_frames.TotalDelay(), 40) << "it ends where the next frame would have begun";

  GifRecorder small(kW, kH, {100, 250});
  for (auto [ms, picture] : shown) small.Show(picture, ms);
  const std::vector<unsigned char> file = small.Finish(Plain(kBlue), 2000);
  ASSERT_TRUE(small.stopped());
  EXPECT_EQ(*small.stopped(), "250 bytes");
  EXPECT_LE(file.size(), 250u);
  const ShownGif by_bytes = ReadGif(file);
  ASSERT_TRUE(by_bytes.ok);
  EXPECT_GE(by_bytes.frames.size(), 2u);
  EXPECT_LT(by_bytes.frames.size(), 10u);
}

}  // namespace
}  // namespace brindle::testing

// Text on the canvas: cells, colour, transparency, the Windows-1252 bytes and clipping.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

#include "canvas/canvas.h"
#include "canvas/canvas_font.h"

namespace brindle {
namespace {

constexpr ColorRef kInk = RgbColor(250, 240, 10);
constexpr ColorRef kPaper = RgbColor(10, 20, 130);

struct Rect {
  int left, top, right, bottom;
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// Pixels of the canvas that differ from the fill colour inside and outside the rectangle.
struct Changes {
  int inside = 0;
  int outside = 0;
};

Changes CountChanges(const Canvas& canvas, ColorRef fill, Rect rect) {
  Changes changes;
  for (int y = 0; y < Canvas::kHeight; ++y) {
    for (int x = 0; x < Canvas::kWidth; ++x) {
      if (canvas.Pixel(x, y) == fill) continue;
      (rect.Contains(x, y) ? changes.inside : changes.outside)++;
    }
  }
  return changes;
}

Canvas TextOn(ColorRef fill, int x, int y, const std::string& text, ColorRef ink = kInk) {
  Canvas canvas;
  canvas.Fill(fill);
  canvas.DrawText(x, y, text, ink);
  return canvas;
}

bool Between(unsigned value, unsigned a, unsigned b) {
  return value >= std::min(a, b) && value <= std::max(a, b);
}

TEST(CanvasText, InkOverTransparentBackgroundInsideTheCells) {
  Canvas canvas;
  canvas.DrawBox(40, 40, 200, 100, kPaper, kPaper);
  canvas.DrawText(50, 60, "Hm", kInk);
  int ink = 0, paper = 0;
  for (int y = 40; y < 100; ++y) {
    for (int x = 40; x < 200; ++x) {
      const ColorRef p = canvas.Pixel(x, y);
      const bool in_cells = x >= 50 && x < 66 && y >= 60 && y < 76;
      if (!in_cells) {
        ASSERT_EQ(p, kPaper) << x << "," << y;
        continue;
      }
      ink += p == kInk;
      paper += p == kPaper;
      // Anti-aliased edges lie between the two colours, channel by channel.
      for (int shift = 0; shift < 24; shift += 8) {
        ASSERT_TRUE(Between((p >> shift) & 0xFF, (kInk >> shift) & 0xFF, (kPaper >> shift) & 0xFF));
      }
    }
  }
  EXPECT_GE(ink, 10);
  EXPECT_GT(paper, 100);  // the box shows between the strokes
  EXPECT_EQ(canvas.Pixel(39, 60), kButtonFace);
  // Only the low 24 bits of the colour count.
  EXPECT_EQ(TextOn(kPaper, 10, 10, "M", 0xFF000000 | kInk).pixels(),
            TextOn(kPaper, 10, 10, "M", kInk).pixels());
}

TEST(CanvasText, EveryByteStaysInItsCell) {
  for (int byte = 1; byte < 256; ++byte) {
    const Canvas canvas = TextOn(kPaper, 100, 100, std::string(1, static_cast<char>(byte)));
    const Changes changes = CountChanges(canvas, kPaper, {100, 100, 108, 116});
    ASSERT_EQ(changes.outside, 0) << "byte " << byte;
  }
}

TEST(CanvasText, EachByteTakesOneCellOfEightPixels) {
  const Canvas pair = TextOn(kPaper, 100, 100, "AB");
  const Canvas single = TextOn(kPaper, 108, 100, "B");
  const Canvas shifted = TextOn(kPaper, 100, 100, std::string("\x01") + "B");
  for (int y = 100; y < 116; ++y) {
    for (int x = 108; x < 116; ++x) {
      ASSERT_EQ(pair.Pixel(x, y), single.Pixel(x, y)) << x << "," << y;
      ASSERT_EQ(shifted.Pixel(x, y), single.Pixel(x, y)) << x << "," << y;
    }
  }
  EXPECT_EQ(CountChanges(shifted, kPaper, {108, 100, 116, 116}).outside, 0);
}

TEST(CanvasText, ControlAndUndefinedBytesDrawNothing) {
  for (const char* text :
       {"\t", "\n", "\r", "\x1b", "\x7f", "\x81", "\x8d", "\x8f", "\x90", "\x9d", " "}) {
    const Canvas canvas = TextOn(kPaper, 10, 10, text);
    EXPECT_EQ(CountChanges(canvas, kPaper, {0, 0, 0, 0}).outside, 0)
        << static_cast<int>(static_cast<unsigned char>(text[0]));
  }
  const Canvas nul = TextOn(kPaper, 10, 10, std::string("\0", 1));
  EXPECT_EQ(CountChanges(nul, kPaper, {0, 0, 0, 0}).outside, 0);
}

TEST(CanvasText, HighBytesFollowWindows1252) {
  EXPECT_EQ(Windows1252ToUnicode('A'), U'A');
  EXPECT_EQ(Windows1252ToUnicode(0x80), U'\u20AC');
  EXPECT_EQ(Windows1252ToUnicode(0x92), U'\u2019');
  EXPECT_EQ(Windows1252ToUnicode(0x9F), U'\u0178');
  EXPECT_EQ(Windows1252ToUnicode(0xE9), U'\u00E9');
  EXPECT_EQ(Windows1252ToUnicode(0x81), 0u);
  EXPECT_EQ(Windows1252ToUnicode('\n'), 0u);

  // e-acute, the euro sign and S-caron draw, and differ from the plain letters.
  const Canvas plain_e = TextOn(kPaper, 10, 10, "e");
  const Canvas plain_s = TextOn(kPaper, 10, 10, "S");
  for (const char* text : {"\xe9", "\x80", "\x8a"}) {
    const Canvas canvas = TextOn(kPaper, 10, 10, text);
    EXPECT_GT(CountChanges(canvas, kPaper, {10, 10, 18, 26}).inside, 5);
    EXPECT_NE(canvas.pixels(), plain_e.pixels());
    EXPECT_NE(canvas.pixels(), plain_s.pixels());
  }
}

TEST(CanvasText, LettersSitOnTheBaseline) {
  const int baseline = CanvasFontBaseline();
  ASSERT_GT(baseline, 8);
  ASSERT_LT(baseline, 16);
  const auto ink_rows = [](const Canvas& canvas) {
    int top = INT_MAX, bottom = INT_MIN;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 8; ++x) {
        if (canvas.Pixel(x, y) == kPaper) continue;
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
    }
    return std::pair{top, bottom};
  };
  const auto [h_top, h_bottom] = ink_rows(TextOn(kPaper, 0, 0, "H"));
  const auto [g_top, g_bottom] = ink_rows(TextOn(kPaper, 0, 0, "g"));
  const auto [x_top, x_bottom] = ink_rows(TextOn(kPaper, 0, 0, "x"));
  EXPECT_EQ(h_bottom, baseline - 1);
  EXPECT_EQ(x_bottom, baseline - 1);
  EXPECT_GT(g_bottom, baseline);
  EXPECT_LT(h_top, x_top);
  EXPECT_GE(h_top, 0);
}

// Text cut by an edge shows exactly the part of the same text drawn fully on the canvas.
TEST(CanvasText, ClipsAtEveryEdge) {
  const std::string text = "Hi\xe9";
  const Canvas whole = TextOn(kPaper, 300, 300, text);
  struct Case {
    int x, y;
  };
  for (const Case c : {Case{-5, -7}, Case{770, 550}, Case{-20, 200}, Case{100, 553}}) {
    const Canvas cut = TextOn(kPaper, c.x, c.y, text);
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 24; ++x) {
        if (!Canvas::Contains(c.x + x, c.y + y)) continue;
        ASSERT_EQ(cut.Pixel(c.x + x, c.y + y), whole.Pixel(300 + x, 300 + y))
            << c.x << "," << c.y << " +" << x << "," << y;
      }
    }
  }
  for (const Case c : {Case{INT_MIN, 0}, Case{INT_MAX, 0}, Case{0, INT_MIN}, Case{0, INT_MAX},
                       Case{INT_MAX - 3, INT_MAX - 3}, Case{784, 0}, Case{0, 561}}) {
    const Canvas outside = TextOn(kPaper, c.x, c.y, std::string(1000, 'W'));
    EXPECT_EQ(CountChanges(outside, kPaper, {0, 0, 0, 0}).outside, 0) << c.x << "," << c.y;
  }
}

}  // namespace
}  // namespace brindle

// Pixel rules of the canvas shapes: lines, boxes, ellipses, filling and clipping.
#include "canvas/canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

namespace brindle {
namespace {

using Point = std::pair<int, int>;
using PointSet = std::set<Point>;

constexpr ColorRef kPen = RgbColor(200, 10, 30);
constexpr ColorRef kBrush = RgbColor(20, 150, 60);

// Every pixel that is not the untouched background.
PointSet ChangedPixels(const Canvas& canvas) {
  PointSet changed;
  for (int y = 0; y < Canvas::kHeight; ++y) {
    for (int x = 0; x < Canvas::kWidth; ++x) {
      if (canvas.Pixel(x, y) != kButtonFace) changed.insert({x, y});
    }
  }
  return changed;
}

size_t ChangedCount(const Canvas& canvas) {
  const std::vector<ColorRef> pixels = canvas.pixels();
  return pixels.size() - std::ranges::count(pixels, kButtonFace);
}

PointSet LinePixels(int x1, int y1, int x2, int y2) {
  Canvas canvas;
  canvas.DrawLine(x1, y1, x2, y2, kPen);
  return ChangedPixels(canvas);
}

// Checks each lit pixel against the ideal line: one pixel per step along the major axis, the
// minor coordinate at most half a pixel from the line, and exact halves resolved towards the
// smaller coordinate. Twice the distance is compared in whole numbers to stay exact.
void ExpectOnIdealLine(const PointSet& pixels, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
  const int64_t dx = x2 - x1, dy = y2 - y1;
  const bool x_major = std::llabs(dx) > std::llabs(dy);
  const int64_t length = x_major ? dx : dy;
  std::set<int64_t> majors;
  for (const auto& [x, y] : pixels) {
    const int64_t major = x_major ? x : y, minor = x_major ? y : x;
    const int64_t major1 = x_major ? x1 : y1, minor1 = x_major ? y1 : x1;
    const int64_t minor_delta = x_major ? dy : dx;
    EXPECT_TRUE(majors.insert(major).second) << "two pixels at major " << major;
    // offset = 2 * length * (minor - ideal), with length's sign folded in.
    const __int128 offset =
        __int128{2} * (minor - minor1) * length - __int128{2} * (major - major1) * minor_delta;
    const __int128 limit = std::llabs(length);
    const __int128 signed_offset = length > 0 ? offset : -offset;
    EXPECT_TRUE(signed_offset >= -limit && signed_offset < limit)
        << "pixel " << x << "," << y << " off the line " << x1 << "," << y1 << " -> " << x2 << ","
        << y2;
  }
}

TEST(CanvasBasics, StartsInButtonFaceAndKeepsOnlyTheLow24BitsOfPixelsOnIt) {
  Canvas canvas;
  EXPECT_TRUE(ChangedPixels(canvas).empty());
  canvas.SetPixel(0, 0, 0xFF0000FF);
  canvas.SetPixel(783, 560, kPen);
  for (const auto& [x, y] : std::vector<Point>{
           {-1, 0}, {0, -1}, {784, 0}, {0, 561}, {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}}) {
    canvas.SetPixel(x, y, kBrush);
    EXPECT_EQ(canvas.Pixel(x, y), 0u);
  }
  EXPECT_EQ(canvas.Pixel(0, 0), 0x0000FFu);
  EXPECT_EQ(canvas.Pixel(783, 560), kPen);
  EXPECT_EQ(ChangedCount(canvas), 2u);
  canvas.Fill(0xAB123456);
  EXPECT_EQ(std::ranges::count(canvas.pixels(), 0x123456u), Canvas::kWidth * Canvas::kHeight);
}

TEST(CanvasLine, LeavesOutTheEndPoint) {
  PointSet expected;
  for (int x = 10; x < 20; ++x) expected.insert({x, 5});
  EXPECT_EQ(LinePixels(10, 5, 20, 5), expected);

  expected.clear();
  for (int y = 30; y > 20; --y) expected.insert({7, y});
  EXPECT_EQ(LinePixels(7, 30, 7, 20), expected);

  expected.clear();
  for (int i = 0; i < 6; ++i) expected.insert({50 - i, 60 + i});
  EXPECT_EQ(LinePixels(50, 60, 44, 66), expected);

  EXPECT_TRUE(LinePixels(40, 40, 40, 40).empty());
}

TEST(CanvasLine, FollowsTheIdealLineAndIsReversible) {
  // End points around (100, 100) in every direction, many with exact halfway ties.
  const std::vector<Point> ends = {{104, 101}, {102, 101}, {101, 102}, {96, 101},  {99, 104},
                                   {96, 99},   {99, 96},   {104, 99},  {101, 96},  {107, 103},
                                   {93, 97},   {103, 107}, {97, 93},   {110, 100}, {100, 91},
                                   {113, 108}, {88, 105},  {105, 88},  {100, 100}};
  for (const auto& [bx, by] : ends) {
    for (const auto& [ax, ay] : std::vector<Point>{{100, 100}, {101, 99}, {98, 103}}) {
      if (ax == bx && ay == by) continue;
      const PointSet forward = LinePixels(ax, ay, bx, by);
      const PointSet backward = LinePixels(bx, by, ax, ay);
      SCOPED_TRACE(testing::Message() << ax << "," << ay << " <-> " << bx << "," << by);
      EXPECT_EQ(forward.size(),
                static_cast<size_t>(std::max(std::abs(bx - ax), std::abs(by - ay))));
      EXPECT_TRUE(forward.count({ax, ay}) && !forward.count({bx, by}));
      PointSet forward_closed = forward, backward_closed = backward;
      forward_closed.insert({bx, by});
      backward_closed.insert({ax, ay});
      EXPECT_EQ(forward_closed, backward_closed);
      ExpectOnIdealLine(forward, ax, ay, bx, by);
    }
  }
}

TEST(CanvasLine, ClipsFarAwayEndPointsWithoutOverflow) {
  const PointSet diagonal = LinePixels(-2000000000, -2000000000, 2000000000, 2000000000);
  PointSet expected;
  for (int i = 0; i < Canvas::kHeight; ++i) expected.insert({i, i});
  EXPECT_EQ(diagonal, expected);

  const PointSet shallow = LinePixels(INT_MIN, 100, INT_MAX, 300);
  EXPECT_EQ(shallow.size(), static_cast<size_t>(Canvas::kWidth));
  ExpectOnIdealLine(shallow, INT_MIN, 100, INT_MAX, 300);

  const PointSet steep = LinePixels(300, INT_MAX, 500, INT_MIN);
  EXPECT_EQ(steep.size(), static_cast<size_t>(Canvas::kHeight));
  ExpectOnIdealLine(steep, 300, INT_MAX, 500, INT_MIN);

  EXPECT_TRUE(LinePixels(-10, -10, INT_MAX, -5).empty());
  EXPECT_TRUE(LinePixels(INT_MIN, INT_MIN, INT_MIN + 5, INT_MAX).empty());
}

TEST(CanvasBox, OutlinesInPenFillsInBrushAndExcludesRightAndBottom) {
  Canvas canvas;
  canvas.DrawBox(10, 10, 110, 60, kPen, kBrush);
  for (int y = 8; y < 62; ++y) {
    for (int x = 8; x < 112; ++x) {
      const bool inside = x >= 10 && x < 110 && y >= 10 && y < 60;
      const bool edge = x == 10 || x == 109 || y == 10 || y == 59;
      const ColorRef expected = !inside ? kButtonFace : edge ? kPen : kBrush;
      ASSERT_EQ(canvas.Pixel(x, y), expected) << x << "," << y;
    }
  }
  EXPECT_EQ(ChangedCount(canvas), 100u * 50u);

  Canvas thin;
  thin.DrawBox(5, 5, 6, 15, kPen, kBrush);    // one column
  thin.DrawBox(20, 5, 22, 15, kPen, kBrush);  // two columns
  thin.DrawBox(30, 5, 40, 6, kPen, kBrush);   // one row
  EXPECT_EQ(ChangedCount(thin), 10u + 20u + 10u);
  EXPECT_EQ(std::ranges::count(thin.pixels(), kPen), 10 + 20 + 10);
}

// Both shapes: a negative size extends the shape left or up, and an empty one draws nothing.
TEST(CanvasShapes, NormaliseNegativeSizesAndSkipEmptyOnes) {
  for (const auto draw : {&Canvas::DrawBox, &Canvas::DrawEllipse}) {
    Canvas forward, backward, empty;
    (forward.*draw)(30, 40, 90, 75, kPen, kBrush);
    (backward.*draw)(90, 75, 30, 40, kPen, kBrush);
    EXPECT_EQ(forward.pixels(), backward.pixels());
    EXPECT_GT(ChangedCount(forward), 0u);
    (empty.*draw)(30, 40, 30, 90, kPen, kBrush);
    (empty.*draw)(30, 40, 90, 40, kPen, kBrush);
    EXPECT_EQ(ChangedCount(empty), 0u);
  }
}

TEST(CanvasBox, ClipsAtTheEdgesAndFarAway) {
  Canvas canvas;
  canvas.DrawBox(-5, -5, 10, 10, kPen, kBrush);
  EXPECT_EQ(canvas.Pixel(0, 0), kBrush);
  EXPECT_EQ(canvas.Pixel(9, 3), kPen);
  EXPECT_EQ(canvas.Pixel(3, 9), kPen);
  EXPECT_EQ(canvas.Pixel(10, 3), kButtonFace);
  canvas.DrawBox(780, 550, 790, 570, kPen, kBrush);
  EXPECT_EQ(canvas.Pixel(780, 551), kPen);
  EXPECT_EQ(canvas.Pixel(783, 560), kBrush);

  Canvas huge;
  huge.DrawBox(INT_MIN, INT_MIN, INT_MAX, INT_MAX, kPen, kBrush);
  EXPECT_TRUE(std::ranges::all_of(huge.pixels(), [](ColorRef p) { return p == kBrush; }));
  Canvas outside;
  outside.DrawBox(INT_MIN, 0, -1, 100, kPen, kBrush);
  outside.DrawBox(0, Canvas::kHeight, 100, INT_MAX, kPen, kBrush);
  EXPECT_TRUE(ChangedPixels(outside).empty());
}

// Draws a w x h ellipse at (left, top) and returns the canvas.
Canvas EllipseCanvas(int left, int top, int w, int h) {
  Canvas canvas;
  canvas.DrawEllipse(left, top, left + w, top + h, kPen, kBrush);
  return canvas;
}

// One canvas is reused for every size, and only a window around the box is searched; every
// ellipse is also drawn into a second canvas, which is searched whole once at the end, so a
// pixel set anywhere outside a box is still caught.
TEST(CanvasEllipse, StaysInsideItsBoxTouchesEveryEdgeAndIsSymmetric) {
  constexpr int kLeft = 100, kTop = 50, kMaxSize = 41, kMargin = 16;
  Canvas canvas, all;
  for (int w = 1; w <= kMaxSize; ++w) {
    for (int h = 1; h <= kMaxSize; ++h) {
      SCOPED_TRACE(testing::Message() << w << " x " << h);
      canvas.Fill(kButtonFace);
      canvas.DrawEllipse(kLeft, kTop, kLeft + w, kTop + h, kPen, kBrush);
      all.DrawEllipse(kLeft, kTop, kLeft + w, kTop + h, kPen, kBrush);
      int min_x = INT_MAX, max_x = INT_MIN, min_y = INT_MAX, max_y = INT_MIN;
      size_t in_box = 0, in_window = 0;
      for (int y = kTop - kMargin; y < kTop + h + kMargin; ++y) {
        for (int x = kLeft - kMargin; x < kLeft + w + kMargin; ++x) {
          if (canvas.Pixel(x, y) == kButtonFace) continue;
          ++in_window;
          if (x < kLeft || x >= kLeft + w || y < kTop || y >= kTop + h) continue;
          ++in_box;
          min_x = std::min(min_x, x), max_x = std::max(max_x, x);
          min_y = std::min(min_y, y), max_y = std::max(max_y, y);
          const int mx = 2 * kLeft + w - 1 - x, my = 2 * kTop + h - 1 - y;
          ASSERT_EQ(canvas.Pixel(mx, y), canvas.Pixel(x, y));
          ASSERT_EQ(canvas.Pixel(x, my), canvas.Pixel(x, y));
        }
      }
      ASSERT_EQ(in_window, in_box);
      ASSERT_EQ(min_x, kLeft);
      ASSERT_EQ(max_x, kLeft + w - 1);
      ASSERT_EQ(min_y, kTop);
      ASSERT_EQ(max_y, kTop + h - 1);
    }
  }
  for (const auto& [x, y] : ChangedPixels(all)) {
    ASSERT_TRUE(x >= kLeft && x < kLeft + kMaxSize && y >= kTop && y < kTop + kMaxSize)
        << x << ", " << y;
  }
}

// Row by row, an ellipse reads: background, pen, then brush only where pen follows on the
// right; and the pen of each row joins up (8-connected) with the pen of the row above.
TEST(CanvasEllipse, RowsAreOutlinedWithoutGapsAndFilledOnlyInside) {
  const std::vector<ColorRef> solid = {kPen}, hollow = {kPen, kBrush, kPen};
  for (int w = 1; w <= 60; w += 3) {
    for (int h = 1; h <= 60; h += 2) {
      SCOPED_TRACE(testing::Message() << w << " x " << h);
      const Canvas canvas = EllipseCanvas(0, 0, w, h);
      int previous_first = 0, previous_last = w;
      for (int y = 0; y < h; ++y) {
        std::vector<ColorRef> runs;
        int first = -1, last = -1;
        for (int x = 0; x < w; ++x) {
          const ColorRef p = canvas.Pixel(x, y);
          if (p != kButtonFace && (runs.empty() || runs.back() != p)) runs.push_back(p);
          if (p == kPen && x <= (w - 1) / 2) last = x, first = first < 0 ? x : first;
        }
        ASSERT_TRUE(runs == solid || runs == hollow) << "row " << y;
        ASSERT_LE(first, previous_last + 1) << "row " << y;
        ASSERT_LE(previous_first, last + 1) << "row " << y;
        previous_first = first, previous_last = last;
      }
    }
  }
  // The smallest: 2 x 2 is a block; 3 x 3 loses its corners, a pen diamond round a brush centre.
  EXPECT_EQ(ChangedPixels(EllipseCanvas(20, 20, 2, 2)),
            (PointSet{{20, 20}, {21, 20}, {20, 21}, {21, 21}}));
  const Canvas three = EllipseCanvas(20, 20, 3, 3);
  EXPECT_EQ(three.Pixel(21, 21), kBrush);
  EXPECT_EQ(three.Pixel(20, 20), kButtonFace);
  EXPECT_EQ(three.Pixel(21, 20), kPen);
}

TEST(CanvasEllipse, CircleOutlineFollowsTheRadius) {
  for (int d : {10, 31, 100, 401}) {
    const Canvas canvas = EllipseCanvas(300, 80, d, d);
    const double centre = (d - 1) / 2.0, radius = (d - 1) / 2.0;
    for (const auto& [x, y] : ChangedPixels(canvas)) {
      const double distance = std::hypot(x - 300 - centre, y - 80 - centre);
      if (canvas.Pixel(x, y) == kPen) {
        ASSERT_NEAR(distance, radius, 1.0) << d << ": " << x << "," << y;
      } else {
        ASSERT_LT(distance, radius) << d << ": " << x << "," << y;
      }
    }
  }
}

TEST(CanvasEllipse, ClipsHugeEllipsesQuicklyAndSensibly) {
  // The top of an ellipse four billion pixels wide is flat across the canvas.
  Canvas flat;
  flat.DrawEllipse(-2000000000, 100, 2000000000, INT_MAX, kPen, kBrush);
  for (int x = 0; x < Canvas::kWidth; ++x) {
    ASSERT_EQ(flat.Pixel(x, 99), kButtonFace);
    ASSERT_EQ(flat.Pixel(x, 100), kPen);
    ASSERT_EQ(flat.Pixel(x, 101), kBrush);
    ASSERT_EQ(flat.Pixel(x, 560), kBrush);
  }
  Canvas covering;
  covering.DrawEllipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX, kPen, kBrush);
  EXPECT_TRUE(std::ranges::all_of(covering.pixels(), [](ColorRef p) { return p == kBrush; }));
  // Too large to trace pixel by pixel, but the visible arc still lies on the circle.
  constexpr int kDiameter = 100001, kRadius = kDiameter / 2;
  const Canvas arc = EllipseCanvas(400 - kRadius, 100, kDiameter, kDiameter);
  int pen = 0;
  for (const auto& [x, y] : ChangedPixels(arc)) {
    if (arc.Pixel(x, y) != kPen) continue;
    ++pen;
    ASSERT_NEAR(std::hypot(x - 400.0, y - 100.0 - kRadius), kRadius, 1.0) << x << "," << y;
  }
  EXPECT_GE(pen, Canvas::kWidth);
}

}  // namespace
}  // namespace brindle

// The zoom a window opens with, where the canvas goes in full screen, and the way from a window
// pixel back to a canvas pixel.
#include "platform/sdl/canvas_placement.h"

#include <gtest/gtest.h>

namespace brindle::testing {
namespace {

TEST(CanvasPlacement, AutoZoomIsTheLargestWholeFactorWhoseWindowFits) {
  EXPECT_EQ(FittingZoom(1600, 1200, 16, 48, 4), 2);
  EXPECT_EQ(FittingZoom(2 * 784 + 16, 2 * 561 + 48, 16, 48, 4), 2) << "to the pixel";
  EXPECT_EQ(FittingZoom(2 * 784 + 15, 2 * 561 + 48, 16, 48, 4), 1) << "a pixel too narrow";
  EXPECT_EQ(FittingZoom(2 * 784 + 16, 2 * 561 + 47, 16, 48, 4), 1) << "a pixel too low";
  EXPECT_EQ(FittingZoom(1920, 1053, 0, 37, 4), 1) << "a full-HD screen less a panel";
  EXPECT_EQ(FittingZoom(3840, 2100, 0, 37, 4), 3);
  EXPECT_EQ(FittingZoom(7680, 4320, 0, 0, 4), 4) << "capped";
  EXPECT_EQ(FittingZoom(640, 480, 0, 0, 4), 1) << "at least 1, though it does not fit";
  EXPECT_EQ(FittingZoom(0, 0, 16, 48, 4), 1) << "a display that reports nothing";
}

TEST(CanvasPlacement, FullScreenCentresTheLargestWholeFactor) {
  const CanvasPlacement hd = FullScreenPlacement(1920, 1080);
  EXPECT_EQ(hd.zoom, 1) << "1080 holds 561 once";
  EXPECT_EQ(hd.x, (1920 - 784) / 2);
  EXPECT_EQ(hd.y, (1080 - 561) / 2);
  const CanvasPlacement uhd = FullScreenPlacement(3840, 2160);
  EXPECT_EQ(uhd.zoom, 3) << "the height allows 3, the width 4";
  EXPECT_EQ(uhd.x, (3840 - 3 * 784) / 2);
  EXPECT_EQ(uhd.y, (2160 - 3 * 561) / 2);
  const CanvasPlacement large = FullScreenPlacement(7680, 4320);
  EXPECT_EQ(large.zoom, 7) << "no cap: the screen is the limit";
}

TEST(CanvasPlacement, OnAScreenSmallerThanTheCanvasTheTopLeftStays) {
  const CanvasPlacement small = FullScreenPlacement(640, 480);
  EXPECT_EQ(small.zoom, 1);
  EXPECT_EQ(small.x, 0);
  EXPECT_EQ(small.y, 0);
  const CanvasPlacement wide = FullScreenPlacement(1024, 500);
  EXPECT_EQ(wide.zoom, 1);
  EXPECT_EQ(wide.x, (1024 - 784) / 2) << "centred along the direction it fits";
  EXPECT_EQ(wide.y, 0) << "cut off at the bottom along the other";
}

TEST(CanvasPlacement, WindowPixelsMapBackToCanvasPixels) {
  const CanvasPlacement p{16, 39, 2};
  EXPECT_EQ(ToCanvas(p, 16, 39).x, 0);
  EXPECT_EQ(ToCanvas(p, 17, 40).y, 0) << "both screen pixels of a canvas pixel";
  EXPECT_EQ(ToCanvas(p, 16 + 2 * 783 + 1, 0).x, 783);
  EXPECT_EQ(ToCanvas(p, 16 + 2 * 784, 0).x, 784) << "past the right edge, in the black";
  EXPECT_EQ(ToCanvas(p, 15, 38).x, -1) << "left of the canvas rounds down, not to 0";
  EXPECT_EQ(ToCanvas(p, 15, 38).y, -1);
  EXPECT_EQ(ToCanvas(p, 0, 0).x, -8);
  EXPECT_EQ(ToCanvas(WindowPlacement(3), -1, 5).x, -1) << "left of a window, as before";
  EXPECT_EQ(ToCanvas(WindowPlacement(3), -1, 5).y, 1);
  EXPECT_EQ(ToCanvas(WindowPlacement(1), 300, 200).x, 300);
}

}  // namespace
}  // namespace brindle::testing

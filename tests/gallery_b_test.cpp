// The gallery's fireworks, clock and slide show play their events files as they should.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "example_shots.h"

namespace fs = std::filesystem;

namespace brindle::testing {
namespace {

// Pixels within the box with a channel of 100 or more: sparks, against a sky whose channels
// stay below 70.
int CountLit(const Image& image, int x, int y, int w, int h) {
  int lit = 0;
  for (int yy = y; yy < y + h; ++yy) {
    for (int xx = x; xx < x + w; ++xx) {
      const ColorRef p = image.Pixel(xx, yy);
      lit += std::max({p & 255, (p >> 8) & 255, (p >> 16) & 255}) >= 100;
    }
  }
  return lit;
}

std::vector<std::string> LinesWith(const std::vector<std::string>& lines, const std::string& part) {
  std::vector<std::string> found;
  for (const std::string& line : lines) {
    if (line.find(part) != std::string::npos) found.push_back(line);
  }
  return found;
}

// Rockets rise and burst on the timer; the three that Space fired at the end burst where the
// mouse pointed, over a town that stays in front of the sky.
TEST(GalleryB, FireworksBurstWhereTheMouseAimed) {
  const Shot shot = RunExample("fireworks", true);
  ASSERT_EQ(shot.run.status, 0) << shot.run.err;

  // The caption is drawn with every frame; its count of bursts only grows, from 0 to at least
  // the five rockets fired with Space.
  const std::vector<std::string> lines = LinesAfterCounts(shot.run.out);
  ASSERT_GT(lines.size(), 100u);  // a frame for every tick
  const std::string head =
      "print\t16\t538\tMouse: aim   Space: fire   A: rockets of the town on   Bursts: ";
  int last = 0;
  for (const std::string& line : lines) {
    ASSERT_EQ(line.rfind(head, 0), 0u) << line;
    const int bursts = std::stoi(line.substr(head.size()));
    EXPECT_GE(bursts, last) << line;
    last = bursts;
  }
  EXPECT_EQ(lines.front(), head + "0");
  EXPECT_GE(last, 5);

  // Sparks around each point the last three rockets were aimed at, none in the dark between
  // the bursts and the roofs.
  for (const auto& [x, y] : {std::pair{290, 230}, {450, 130}, {620, 250}}) {
    EXPECT_GT(CountLit(shot.image, x - 50, y - 50, 100, 100), 150) << x << "," << y;
  }
  EXPECT_LT(CountLit(shot.image, 660, 290, 120, 50), 5);

  EXPECT_EQ(shot.image.Pixel(96, 74), Rgb(235, 230, 200));  // the moon
  EXPECT_EQ(shot.image.Pixel(400, 545), Rgb(10, 10, 18));   // the ground
  EXPECT_EQ(shot.image.Pixel(2, 528), Rgb(14, 14, 24));     // the first building's foot
  EXPECT_EQ(shot.image.Pixel(2, 2), Rgb(6, 8, 26));         // the top band of the sky
}

// The point at distance r from the clock's centre, at the angle of a hand showing the given
// fraction of its turn (0 at twelve o'clock, clockwise).
std::pair<int, int> OnHand(double turn, double r) {
  const double a = turn * 2 * std::numbers::pi;
  return {static_cast<int>(std::lround(272 + r * std::sin(a))),
          static_cast<int>(std::lround(284 - r * std::cos(a)))};
}

// A wrong time is refused; 10:08:30 is taken, and eight seconds later (40 ticks of 200 ms) the
// hands and the seven-segment readout show 10:08:38.
TEST(GalleryB, ClockIsSetFromTheBoxAndRunsOn) {
  const Shot shot = RunExample("clock", true);
  ASSERT_EQ(shot.run.status, 0) << shot.run.err;
  const std::vector<std::string> status = LinesWith(LinesAfterCounts(shot.run.out), "\t394\t");
  const std::vector<std::string> expected = {
      "print\t540\t394\tThe clock runs from 12:00.",
      "print\t540\t394\tNot a time: 25:70",
      "print\t540\t394\tSet to 10:08:30",
  };
  EXPECT_EQ(status, expected);

  // The readout's segments: lit orange or faint.
  const ColorRef on = Rgb(255, 140, 60), off = Rgb(50, 30, 26);
  EXPECT_EQ(shot.image.Pixel(563, 113), off);  // hours "1": no top segment...
  EXPECT_EQ(shot.image.Pixel(573, 124), on);   // ...its upper right one
  EXPECT_EQ(shot.image.Pixel(631, 135), off);  // minutes "0": no middle
  EXPECT_EQ(shot.image.Pixel(659, 135), on);   // minutes "8": the middle
  EXPECT_EQ(shot.image.Pixel(697, 124), off);  // seconds "3": no upper left...
  EXPECT_EQ(shot.image.Pixel(707, 135), on);   // ...a middle...
  EXPECT_EQ(shot.image.Pixel(697, 146), off);  // ...and no lower left
  EXPECT_EQ(shot.image.Pixel(725, 146), on);   // seconds "8": the lower left

  // The hands: the red second hand at 38 seconds and not where it was set, the minute hand
  // at 8.6 minutes, the hour hand past ten.
  const ColorRef red = Rgb(200, 30, 30), ink = Rgb(30, 30, 40);
  const auto [sx, sy] = OnHand(38.0 / 60, 150);
  EXPECT_GT(CountNear(shot.image, sx - 2, sy - 2, 5, 5, red), 0) << sx << "," << sy;
  const auto [tx, ty] = OnHand(30.0 / 60, 150);
  EXPECT_EQ(CountNear(shot.image, tx - 2, ty - 2, 5, 5, red), 0) << tx << "," << ty;
  const auto [mx, my] = OnHand((8 + 38.0 / 60) / 60, 100);
  EXPECT_EQ(shot.image.Pixel(mx, my), ink) << mx << "," << my;
  const auto [hx, hy] = OnHand((10 + 8.6 / 60) / 12, 60);
  EXPECT_EQ(shot.image.Pixel(hx, hy), ink) << hx << "," << hy;
  EXPECT_EQ(shot.image.Pixel(700, 500), Rgb(34, 38, 56));  // the page beside the face
}

// The slides come on the timer and with the arrow keys, each with its title; the show stands
// still while paused, and the last picture is drawn as its file has it.
TEST(GalleryB, SlideshowTurnsPausesAndShowsThePictures) {
  const Shot shot = RunExample("slideshow", true);
  ASSERT_EQ(shot.run.status, 0) << shot.run.err;
  const std::vector<std::string> lines = LinesAfterCounts(shot.run.out);
  const std::vector<std::string> titles = {
      "print\t168\t412\tSailing", "print\t168\t412\tPlasma clouds",
      "print\t168\t412\tSmiley",  "print\t168\t412\tPlasma clouds",
      "print\t168\t412\tSmiley",  "print\t168\t412\tSunset over the bay",
  };
  EXPECT_EQ(LinesWith(lines, "\t412\t"), titles);

  // The first slide stays its 60 ticks: a count on each, after the one of its start.
  EXPECT_EQ(LinesWith(lines, "1 of 4").size(), 61u);
  // From Space to Space the bar stands still: the corner says "paused", and nothing counts.
  const auto first = std::find(lines.begin(), lines.end(), "print\t568\t20\tpaused");
  ASSERT_NE(first, lines.end());
  const auto resumed = std::find(first, lines.end(), "print\t568\t20\t4 of 4");
  EXPECT_EQ(
      std::count_if(first, resumed,
                    [](const std::string& l) { return l.find(" of 4") != std::string::npos; }),
      0);
  EXPECT_EQ(std::count(first, lines.end(), "print\t568\t20\tpaused"), 4);

  // The sunset, pixel for pixel where the frame shows it (every fourth pixel checked).
  const Image sunset =
      Image::Load((fs::path(BRINDLE_SOURCE_DIR) / "examples" / "sunset.png").string());
  ASSERT_EQ(sunset.width(), 448);
  int differ = 0;
  for (int y = 0; y < 336; y += 4) {
    for (int x = 0; x < 448; x += 4)
      differ += shot.image.Pixel(168 + x, 56 + y) != sunset.Pixel(x, y);
  }
  EXPECT_EQ(differ, 0);
  EXPECT_EQ(shot.image.Pixel(420, 470), Rgb(255, 225, 150));  // the fourth dot, lit
  EXPECT_EQ(shot.image.Pixel(372, 470), Rgb(26, 28, 38));     // the first, not
  // Half way to the next slide after 30 ticks: the bar reaches the middle.
  EXPECT_EQ(shot.image.Pixel(380, 492), Rgb(120, 170, 255));
  EXPECT_EQ(shot.image.Pixel(404, 492), Rgb(40, 44, 60));
}

}  // namespace
}  // namespace brindle::testing

// The bundled examples run headless, and their screenshots show what they are meant to draw.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "example_shots.h"

namespace fs = std::filesystem;

namespace brindle::testing {
namespace {

TEST(Examples, HelloPrintsOnItsBackground) {
  const Shot shot = RunExample("hello");
  ASSERT_EQ(shot.run.status, 0) << shot.run.err;
  ASSERT_EQ(shot.image.width(), 784);
  EXPECT_EQ(shot.image.Pixel(700, 500), Rgb(20, 30, 60));
  EXPECT_GT(CountNear(shot.image, 40, 40, 15 * 8, 16, Rgb(255, 220, 120)), 40);
  EXPECT_NE(shot.run.out.find("print\t40\t40\tHello, Brindle!\n"), std::string::npos);
}

TEST(Examples, ShapesHaveTheirOutlinesFillsAndGradient) {
  const Shot shot = RunExample("shapes");
  ASSERT_EQ(shot.run.status, 0) << shot.run.err;
  const ColorRef pen = Rgb(30, 30, 30), paper = Rgb(250, 250, 245);
  EXPECT_EQ(shot.image.Pixel(40, 40), pen);      // the box's top-left corner
  EXPECT_EQ(shot.image.Pixel(239, 159), pen);    // its last column and row
  EXPECT_EQ(shot.image.Pixel(240, 100), paper);  // right edge exclusive
  EXPECT_EQ(shot.image.Pixel(100, 100), Rgb(70, 130, 200));
  EXPECT_EQ(shot.image.Pixel(420, 100), Rgb(230, 90, 60));  // inside the circle
  EXPECT_EQ(shot.image.Pixel(420, 39), paper);              // above its box
  EXPECT_EQ(shot.image.Pixel(40, 480), Rgb(0, 255, 128));
  EXPECT_EQ(shot.image.Pixel(550, 480), Rgb(255, 0, 128));
  EXPECT_GT(CountNear(shot.image, 40, 420, 18 * 8, 16, pen), 40);
}

TEST(Examples, MandelbrotColoursInsideAndOutsideTheSet) {
  const Shot shot = RunExample("mandelbrot");
  ASSERT_EQ(shot.run.status, 0) << shot.run.err;
  EXPECT_EQ(shot.image.Pixel(452, 280), Rgb(0, 0, 0));     // c = -0.2: inside
  EXPECT_EQ(shot.image.Pixel(212, 160), Rgb(6, 3, 249));   // escapes after one step
  EXPECT_EQ(shot.image.Pixel(700, 500), Rgb(16, 16, 32));  // outside the frame
}

TEST(Examples, SpriteLeavesItsBlackOutAndScales) {
  const Shot shot = RunExample("sprite");
  ASSERT_EQ(shot.run.status, 0) << shot.run.err;
  const ColorRef sky = Rgb(90, 160, 220);
  EXPECT_EQ(shot.image.Pixel(40, 60), sky);                 // a black corner, left out
  EXPECT_EQ(shot.image.Pixel(57, 81), Rgb(40, 40, 40));     // an eye, four times larger
  EXPECT_EQ(shot.image.Pixel(61, 401), Rgb(255, 210, 40));  // the first small face
  EXPECT_EQ(shot.image.Pixel(56, 400), sky);
  EXPECT_EQ(shot.image.Pixel(700, 500), Rgb(60, 140, 60));  // the ground
}

// The game its events play: dodged meteors score, level 2 speeds the timer up, three hits end
// the game, and Enter (a command, with no input box on the window) starts the next one.
TEST(Examples, MeteorsScoresHitsEndsAndRestarts) {
  const Shot shot = RunExample("meteors", true);
  ASSERT_EQ(shot.run.status, 0) << shot.run.err;
  std::vector<std::string> expected = {
      "print\t136\t12\tM E T E O R   D O D G E",
      "print\t136\t530\tArrow keys steer the ship. Dodge the meteors!",
  };
  for (const char* hud :
       {"0    Lives: 3    Level: 1    Best: 0", "1    Lives: 3    Level: 1    Best: 0",
        "2    Lives: 3    Level: 1    Best: 0", "3    Lives: 3    Level: 1    Best: 0",
        "4    Lives: 3    Level: 1    Best: 0", "5    Lives: 3    Level: 1    Best: 0",
        "6    Lives: 3    Level: 1    Best: 0", "7    Lives: 3    Level: 1    Best: 0",
        "9    Lives: 3    Level: 1    Best: 0", "10    Lives: 3    Level: 2    Best: 0",
        "11    Lives: 3    Level: 2    Best: 0", "12    Lives: 3    Level: 2    Best: 0",
        "12    Lives: 2    Level: 2    Best: 0", "12    Lives: 1    Level: 2    Best: 0",
        "13    Lives: 1    Level: 2    Best: 0", "14    Lives: 1    Level: 2    Best: 0",
        "14    Lives: 0    Level: 2    Best: 14"}) {
    expected.push_back(std::string("print\t136\t44\tScore: ") + hud);
  }
  expected.push_back("print\t356\t256\tGAME OVER");
  expected.push_back("print\t284\t288\tPress Enter to play again");
  expected.push_back("print\t136\t44\tScore: 0    Lives: 3    Level: 1    Best: 14");
  EXPECT_EQ(LinesAfterCounts(shot.run.out), expected);

  // The second game, ten ticks in: the ship flew two cells left from its start in column 8,
  // and a meteor with its trail falls in column 14, row 10.
  const ColorRef sky = Rgb(10, 12, 36);
  EXPECT_EQ(shot.image.Pixel(312, 500), Rgb(120, 220, 255));  // the ship in column 6
  EXPECT_EQ(shot.image.Pixel(312, 507), Rgb(20, 60, 120));    // its cockpit
  EXPECT_EQ(shot.image.Pixel(376, 500), sky);                 // column 8, where it started
  EXPECT_EQ(shot.image.Pixel(568, 383), Rgb(150, 85, 50));    // the rock
  EXPECT_EQ(shot.image.Pixel(568, 356), Rgb(183, 104, 40));   // its trail, 18 rows up
  EXPECT_EQ(shot.image.Pixel(568, 420), sky);                 // below it, nothing yet
  EXPECT_GT(CountNear(shot.image, 136, 44, 8 * 8, 16, Rgb(255, 225, 120)), 40);
}

std::string OrbitsDay(int day, int days) {
  return "print\t16\t12\tDay " + std::to_string(day) + "      " + std::to_string(days) +
         " days pass in a tick";
}

// Where planet 3 (the Earth) or 4 (Mars) is on a day: a point of its disc on the side away
// from the sun, clear of the lighter patch that faces the sun.
std::pair<int, int> FarSideOfPlanet(double start, double year, double orbit, double size, int day) {
  const double a = start + day * 6.2831853 / year;
  const double x = 392 + orbit * std::cos(a), y = 262 + orbit * 0.45 * std::sin(a);
  return {static_cast<int>(std::lround(x + std::cos(a) * size * 0.6)),
          static_cast<int>(std::lround(y + std::sin(a) * size * 0.6))};
}

// Each tick moves time on by the days a tick, Up doubles them, Space pauses (no ticks for
// half a second) and resumes; the planets end where 180 days have taken them.
TEST(Examples, OrbitsTicksPausesAndMovesThePlanets) {
  const Shot shot = RunExample("orbits", true);
  ASSERT_EQ(shot.run.status, 0) << shot.run.err;
  std::vector<std::string> expected = {
      "print\t16\t538\tSpace pauses and resumes. Up and Down make time run faster or slower.",
      OrbitsDay(0, 2)};
  int day = 0;
  for (int tick = 0; tick < 30; ++tick) expected.push_back(OrbitsDay(day += 2, 2));
  expected.push_back(OrbitsDay(day, 4));  // Up
  for (int tick = 0; tick < 20; ++tick) expected.push_back(OrbitsDay(day += 4, 4));
  expected.push_back(OrbitsDay(day, 4));  // Space: paused
  expected.push_back("print\t360\t470\tPAUSED");
  expected.push_back(OrbitsDay(day, 4));  // Space: on again
  for (int tick = 0; tick < 10; ++tick) expected.push_back(OrbitsDay(day += 4, 4));
  EXPECT_EQ(LinesAfterCounts(shot.run.out), expected);
  ASSERT_EQ(day, 180);

  const ColorRef earth = Rgb(60, 120, 230), mars = Rgb(210, 80, 40);
  const auto [ex, ey] = FarSideOfPlanet(4, 365, 225, 13, day);
  EXPECT_EQ(shot.image.Pixel(ex, ey), earth) << ex << "," << ey;
  const auto [mx, my] = FarSideOfPlanet(1, 687, 310, 10, day);
  EXPECT_EQ(shot.image.Pixel(mx, my), mars) << mx << "," << my;
  const auto [ex0, ey0] = FarSideOfPlanet(4, 365, 225, 13, 0);  // day 0: the Earth has gone
  EXPECT_EQ(CountNear(shot.image, ex0 - 20, ey0 - 20, 40, 40, earth), 0);
  EXPECT_EQ(CountNear(shot.image, 360, 470, 6 * 8, 16, Rgb(255, 225, 140)), 0);  // not paused
}

// Three guests type into the boxes (Tab selects the text it moves to, a click places the
// caret) and Enter greets each in the colour typed; an empty name is asked for.
TEST(Examples, GuestbookGreetsEachGuestOnEnter) {
  const Shot shot = RunExample("guestbook", true);
  ASSERT_EQ(shot.run.status, 0) << shot.run.err;
  const std::vector<std::string> expected = {
      "print\t40\t20\tGuest book",
      "print\t40\t86\tYour name:",
      "print\t40\t122\tFavourite colour:",
      "print\t40\t160\tTab moves between the boxes; Enter signs the book.",
      "print\t40\t180\tColours: red, green, blue, gold or purple.",
      "print\t88\t232\tHello, Ada! Welcome to Brindle.",
      "print\t40\t526\tThank you, Ada. Next guest, please!",
      "print\t40\t526\tPlease type your name first.",
      "print\t88\t260\tHello, Grace! Welcome to Brindle.",
      "print\t40\t526\tThank you, Grace. Next guest, please!",
      "print\t88\t288\tHello, Alan! Welcome to Brindle.",
      "print\t40\t526\tThank you, Alan. Next guest, please!",
  };
  EXPECT_EQ(LinesAfterCounts(shot.run.out), expected);

  const ColorRef purple = Rgb(130, 50, 170), ink = Rgb(0, 0, 0);
  EXPECT_EQ(shot.image.Pixel(67, 239), purple);                         // Ada's square
  EXPECT_EQ(shot.image.Pixel(67, 267), purple);                         // Grace kept the colour
  EXPECT_EQ(shot.image.Pixel(67, 295), Rgb(210, 160, 20));              // Alan's gold
  EXPECT_EQ(shot.image.Pixel(67, 323), Rgb(255, 255, 255));             // no fourth line
  EXPECT_EQ(CountNear(shot.image, 200, 86, 240, 16, ink), 0);           // the name box, cleared
  EXPECT_GT(CountNear(shot.image, 200, 122, 4 * 8, 16, ink), 20);       // "gold"...
  EXPECT_EQ(CountNear(shot.image, 232, 122, 240 - 4 * 8, 16, ink), 0);  // ...and nothing after
}

// A scribble cleared by C, then a picture in several colours and brush sizes; the pen, lifted
// with Space, moves without drawing.
TEST(Examples, SketchDrawsWithTheMouseAndItsKeys) {
  const Shot shot = RunExample("sketch", true);
  ASSERT_EQ(shot.run.status, 0) << shot.run.err;
  std::ifstream events(fs::path(BRINDLE_SOURCE_DIR) / "examples" / "sketch.events");
  int keys = 0;
  for (std::string line; std::getline(events, line);) keys += line.rfind("key ", 0) == 0;
  const std::vector<std::string> lines = LinesAfterCounts(shot.run.out);
  ASSERT_EQ(lines.size(), 2u + keys);  // the help, and the tool bar after the start and each key
  EXPECT_EQ(
      lines[0],
      "print\t16\t538\t1-8: colour   Space: pen up or down   Up, Down: brush size   C: clear");
  EXPECT_EQ(lines[1], "print\t400\t504\tPen down   Brush 2");
  EXPECT_EQ(lines.back(), "print\t400\t504\tPen up   Brush 1");

  const ColorRef paper = Rgb(252, 250, 244);
  EXPECT_EQ(shot.image.Pixel(360, 200), paper);  // the red scribble, cleared
  EXPECT_EQ(shot.image.Pixel(420, 160), paper);
  EXPECT_EQ(shot.image.Pixel(690, 100), Rgb(245, 205, 30));  // the sun
  EXPECT_EQ(shot.image.Pixel(192, 222), Rgb(220, 45, 45));   // the roof
  EXPECT_EQ(shot.image.Pixel(175, 320), Rgb(45, 100, 215));  // the window
  EXPECT_EQ(shot.image.Pixel(250, 360), Rgb(130, 80, 40));   // the top of the door
  EXPECT_EQ(shot.image.Pixel(20, 450), Rgb(50, 160, 60));    // the grass
  EXPECT_EQ(shot.image.Pixel(380, 91), Rgb(30, 30, 35));     // a bird
  EXPECT_EQ(shot.image.Pixel(579, 230), paper);              // the last move, with the pen up
  EXPECT_EQ(shot.image.Pixel(13, 496), Rgb(255, 255, 255));  // black is the chosen colour
  EXPECT_EQ(shot.image.Pixel(53, 496), Rgb(60, 64, 84));
}

}  // namespace
}  // namespace brindle::testing

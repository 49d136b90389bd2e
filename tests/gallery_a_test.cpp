// The snake, maze and plotter examples play their timelines and draw what they are meant to.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "example_shots.h"

namespace brindle::testing {
namespace {

std::vector<std::string> LinesStartingWith(const std::vector<std::string>& lines,
                                           const std::string& prefix) {
  std::vector<std::string> found;
  for (const std::string& line : lines) {
    if (line.rfind(prefix, 0) == 0) found.push_back(line.substr(prefix.size()));
  }
  return found;
}

// The snake's cells are 24 pixels, the field's top-left corner at 80, 72; columns and rows
// count from 1.
int SnakeX(int col) {
  return 80 + (col - 1) * 24;
}
int SnakeY(int row) {
  return 72 + (row - 1) * 24;
}

// The first game: one apple, then the top wall ends it; Enter starts a second game, whose
// eight apples make a snake of eleven cells, heading up towards the ninth apple.
TEST(GalleryA, SnakeEatsGrowsHitsTheWallAndRestarts) {
  const Shot shot = RunExample("snake", true);
  ASSERT_EQ(shot.run.status, 0) << shot.run.err;
  std::vector<std::string> expected = {
      "print\t80\t20\tS N A K E",
      "print\t80\t530\tArrow keys turn the snake. Eat the apples; keep off the walls and your "
      "tail.",
      "print\t528\t20\tScore: 0    Best: 0",
      "print\t528\t20\tScore: 1    Best: 1",
      "print\t356\t264\tGAME OVER",
      "print\t284\t296\tPress Enter to play again",
      "print\t528\t20\tScore: 0    Best: 1",  // the best score outlives the game
  };
  for (int score = 1; score <= 8; ++score) {
    expected.push_back("print\t528\t20\tScore: " + std::to_string(score) +
                       "    Best: " + std::to_string(score));
  }
  EXPECT_EQ(LinesAfterCounts(shot.run.out), expected);

  const ColorRef light = Rgb(170, 215, 81), dark = Rgb(162, 209, 73), blue = Rgb(78, 124, 246);
  // The body: up column 19 from row 10 to 16, then up column 18 to the head in row 13.
  for (int row = 10; row <= 16; ++row) {
    EXPECT_EQ(CountNear(shot.image, SnakeX(19), SnakeY(row), 24, 24, blue), 24 * 24) << row;
  }
  for (int row = 14; row <= 16; ++row) {
    EXPECT_EQ(CountNear(shot.image, SnakeX(18), SnakeY(row), 24, 24, blue), 24 * 24) << row;
  }
  // The head looks up: its eyes side by side in the top half of the cell.
  EXPECT_EQ(shot.image.Pixel(SnakeX(18) + 7, SnakeY(13) + 11), Rgb(255, 255, 255));
  EXPECT_EQ(shot.image.Pixel(SnakeX(18) + 17, SnakeY(13) + 11), Rgb(255, 255, 255));
  EXPECT_EQ(CountNear(shot.image, SnakeX(18) + 12, SnakeY(13) + 20, 1, 1, blue), 1);  // no eye
  // Grass where the tail has left (row 9) and ahead of the head (row 12).
  EXPECT_EQ(shot.image.Pixel(SnakeX(19) + 12, SnakeY(9) + 12), light);
  EXPECT_EQ(shot.image.Pixel(SnakeX(18) + 12, SnakeY(12) + 12), light);
  // The first game's snake died in column 1 against the top wall: the new game's field has
  // grass there again, and no banner covers the middle.
  EXPECT_EQ(shot.image.Pixel(SnakeX(1) + 12, SnakeY(2) + 12), dark);
  EXPECT_EQ(shot.image.Pixel(SnakeX(1) + 12, SnakeY(1) + 12), light);
  EXPECT_EQ(CountNear(shot.image, 232, 248, 320, 80, Rgb(40, 70, 30)), 0);
  // The next apple, in column 19, row 6.
  EXPECT_EQ(shot.image.Pixel(SnakeX(19) + 14, SnakeY(6) + 16), Rgb(231, 71, 29));
  EXPECT_GT(CountNear(shot.image, 528, 20, 20 * 8, 16, Rgb(255, 235, 120)), 60);
}

// The maze's cells are 22 pixels with a passage of 16 inside a wall of 6, the maze's corner
// at 48, 48, in 31 columns and 21 rows.
constexpr int kMazeCols = 31, kMazeRows = 21;
int MazeCentreX(int col) {
  return 48 + (col - 1) * 22 + 6 + 8;
}
int MazeCentreY(int row) {
  return 48 + (row - 1) * 22 + 6 + 8;
}

// Two mazes carved to the end (the second after Space, and twice as fast after Up), each with
// its way out; the second one is a perfect maze with its way drawn through it.
TEST(GalleryA, MazeCarvesEveryCellAndShowsTheWayOut) {
  const Shot shot = RunExample("maze", true);
  ASSERT_EQ(shot.run.status, 0) << shot.run.err;
  const std::vector<std::string> expected = {
      "print\t48\t16\tM A Z E",
      "print\t48\t530\tSpace or Enter: a new maze.   Up, Down: carve faster or slower.",
      "print\t16\t54\tIN",
      "print\t752\t494\tOUT",
      "print\t440\t16\tCarving...",
      "print\t440\t16\tFinding the way out...",
      "print\t440\t16\tThe way out is 261 cells long.",
      "print\t440\t16\tCarving...",
      "print\t440\t16\tFinding the way out...",
      "print\t440\t16\tThe way out is 233 cells long.",
  };
  EXPECT_EQ(LinesAfterCounts(shot.run.out), expected);

  const ColorRef wall = Rgb(40, 46, 86), floor = Rgb(240, 236, 225), way = Rgb(40, 130, 230);
  // Every cell is carved, and the cells whose middle is blue are the way out, as long as the
  // last line says.
  int carved = 0, on_the_way = 0;
  for (int row = 1; row <= kMazeRows; ++row) {
    for (int col = 1; col <= kMazeCols; ++col) {
      const ColorRef centre = shot.image.Pixel(MazeCentreX(col), MazeCentreY(row));
      carved += centre == floor || centre == way;
      on_the_way += centre == way;
    }
  }
  EXPECT_EQ(carved, kMazeCols * kMazeRows);
  EXPECT_EQ(on_the_way, 233);
  // A maze carved depth first is a tree: one opening fewer than cells, so there is one way
  // between any two cells. An opening is a gap in the wall between two neighbours.
  int openings = 0;
  for (int row = 1; row <= kMazeRows; ++row) {
    for (int col = 1; col <= kMazeCols; ++col) {
      if (col < kMazeCols)
        openings += shot.image.Pixel(MazeCentreX(col) + 11, MazeCentreY(row)) != wall;
      if (row < kMazeRows)
        openings += shot.image.Pixel(MazeCentreX(col), MazeCentreY(row) + 11) != wall;
    }
  }
  EXPECT_EQ(openings, kMazeCols * kMazeRows - 1);
  // The way runs out of the entrance and the exit; nothing of the carver is left.
  EXPECT_EQ(shot.image.Pixel(44, MazeCentreY(1)), way);
  EXPECT_EQ(shot.image.Pixel(740, MazeCentreY(kMazeRows)), way);
  EXPECT_EQ(CountNear(shot.image, 48, 48, 688, 468, Rgb(255, 170, 60)), 0);  // the trail
  EXPECT_EQ(CountNear(shot.image, 48, 48, 688, 468, Rgb(255, 80, 80)), 0);   // the carver
}

// Where curve n of the plotter is at x, at 48 pixels a unit with the origin at 304, 264.
double PlotterY(int curve, double x) {
  switch (curve) {
    case 1:
      return std::sin(x);
    case 2:
      return std::cos(x);
    case 3:
      return x * x / 4;
    default:
      return 3 * std::cos(x * 2) * std::exp(-std::abs(x) / 4);
  }
}

// The timeline zooms out, hides a curve, zooms in twice, hides two more, shows all three
// again and zooms back out: the legend follows every change, and the last picture has the
// four curves at 48 pixels a unit, each where its function puts it.
TEST(GalleryA, PlotterZoomsSwitchesCurvesAndDrawsThem) {
  const Shot shot = RunExample("plotter", true);
  ASSERT_EQ(shot.run.status, 0) << shot.run.err;
  const std::vector<std::string> lines = LinesAfterCounts(shot.run.out);
  EXPECT_EQ(
      LinesStartingWith(lines, "print\t612\t200\t"),
      (std::vector<std::string>{"4 of 4 shown", "4 of 4 shown", "3 of 4 shown", "3 of 4 shown",
                                "3 of 4 shown", "2 of 4 shown", "1 of 4 shown", "2 of 4 shown",
                                "3 of 4 shown", "4 of 4 shown", "4 of 4 shown"}));
  std::vector<std::string> units;
  for (int scale : {48, 24, 24, 48, 96, 96, 96, 96, 96, 96, 48}) {
    units.push_back("1 unit: " + std::to_string(scale) + " px");
  }
  EXPECT_EQ(LinesStartingWith(lines, "print\t612\t364\t"), units);
  EXPECT_EQ(LinesStartingWith(lines, "print\t612\t384\t").back(), "x: -5.8 to 5.8");
  // The last grid's numbers along x: one a unit, from -5 to 5, each centred on its line.
  std::vector<std::string> along_x;
  for (const std::string& line : lines) {
    if (line.find("\t270\t") != std::string::npos) along_x.push_back(line);
  }
  ASSERT_GE(along_x.size(), 11u);
  EXPECT_EQ(
      std::vector<std::string>(along_x.end() - 11, along_x.end()),
      (std::vector<std::string>{"print\t292\t270\t0", "print\t348\t270\t1", "print\t248\t270\t-1",
                                "print\t396\t270\t2", "print\t200\t270\t-2", "print\t444\t270\t3",
                                "print\t152\t270\t-3", "print\t492\t270\t4", "print\t104\t270\t-4",
                                "print\t540\t270\t5", "print\t56\t270\t-5"}));

  const ColorRef colours[] = {Rgb(220, 50, 50), Rgb(40, 110, 220), Rgb(30, 150, 70),
                              Rgb(200, 110, 20)};
  for (int curve = 1; curve <= 4; ++curve) {
    const ColorRef colour = colours[curve - 1];
    for (const double x : {-4.5, -2.0, 0.5, 1.5, 3.5}) {
      const double y = PlotterY(curve, x);
      if (std::abs(y) > 4.5) continue;  // off the plot
      const int px = static_cast<int>(std::lround(304 + x * 48));
      const int py = static_cast<int>(std::lround(264 - y * 48));
      EXPECT_GT(CountNear(shot.image, px - 2, py - 3, 5, 7, colour), 2)
          << "curve " << curve << " at x = " << x;
    }
    // Its swatch in the legend, in its colour: the curve shows.
    EXPECT_EQ(shot.image.Pixel(640, 68 + curve * 28), colour) << curve;
  }
  // The curves stay inside the plot area: nothing of them in the legend's box below the
  // swatches, nor above the area.
  for (const ColorRef colour : colours) {
    EXPECT_EQ(CountNear(shot.image, 600, 190, 176, 290, colour), 0);
    EXPECT_EQ(CountNear(shot.image, 24, 0, 560, 40, colour), 0);
  }
}

}  // namespace
}  // namespace brindle::testing

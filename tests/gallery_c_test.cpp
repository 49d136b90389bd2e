// The gallery's text adventure and paint box play their timelines as meant.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "example_shots.h"

namespace fs = std::filesystem;

namespace brindle::testing {
namespace {

// What the adventure printed at one place on each redraw: the room's name, the moves, the
// newest line of the story.
std::vector<std::string> PrintedAt(const std::string& out, int x, int y) {
  const std::string prefix = "print\t" + std::to_string(x) + "\t" + std::to_string(y) + "\t";
  std::vector<std::string> texts;
  for (const std::string& line : LinesAfterCounts(out)) {
    if (line.rfind(prefix, 0) == 0) texts.push_back(line.substr(prefix.size()));
  }
  return texts;
}

// The timeline walks from the cottage to the crown: an unknown command is answered kindly and
// costs no move, "take the key" drops its "the", the lamp lights the cave, the key opens the
// gate, and taking the crown wins.
TEST(GalleryC, AdventureWalksFromTheCottageToTheCrown) {
  const Shot shot = RunExample("adventure", true);
  ASSERT_EQ(shot.run.status, 0) << shot.run.err;
  const std::vector<std::string> rooms = {
      "The Cottage", "The Cottage", "The Cottage",    "The Meadow",     "The Forest",
      "The Forest",  "The Cave",    "The Crown Hall", "The Crown Hall", "The Crown Hall"};
  EXPECT_EQ(PrintedAt(shot.run.out, 416, 84), rooms);
  const std::vector<std::string> answers = {
      "lies hidden in the hills. Click the box below to play.",
      "Sorry, I don't know how to 'dance'. Type help for ideas.",
      "You take a brass lamp.",
      "You go north.",
      "You go north.",
      "You take an iron key.",
      "You go east.",
      "Your key turns with a clank. The gate swings open!",
      "You lift the Lost Crown of Brindle. You win!",
      "You carry a brass lamp, an iron key, the Lost Crown."};
  EXPECT_EQ(PrintedAt(shot.run.out, 40, 450), answers);
  const std::vector<std::string> moves = PrintedAt(shot.run.out, 648, 288);
  ASSERT_EQ(moves.size(), 10u);
  EXPECT_EQ(moves[1], "Moves: 0");  // the unknown command
  EXPECT_EQ(moves.back(), "Moves: 8");
  // The exits of the hall come from its table; the panel lists what is carried.
  EXPECT_EQ(PrintedAt(shot.run.out, 416, 172).back(), "Exits: south");
  EXPECT_EQ(PrintedAt(shot.run.out, 416, 264).back(), "a brass lamp, an iron key, the Lost Crown");

  // The last picture: the banner over the hall, the crown held over its pedestal, and the
  // command box emptied after each Enter.
  const ColorRef gold = Rgb(250, 200, 60);
  EXPECT_EQ(shot.image.Pixel(60, 130), Rgb(255, 215, 90));  // the banner
  EXPECT_GT(CountNear(shot.image, 104, 98, 25 * 8, 16, Rgb(90, 50, 0)), 60);
  EXPECT_EQ(shot.image.Pixel(175, 236), gold);                // the crown's band
  EXPECT_EQ(shot.image.Pixel(190, 212), gold);                // its middle point
  EXPECT_EQ(shot.image.Pixel(190, 270), Rgb(210, 200, 170));  // the pedestal under it
  EXPECT_EQ(CountNear(shot.image, 44, 505, 712, 16, Rgb(0, 0, 0)), 0);
}

// Without the lamp the cave is dark, and its only way out is back west; without the key the
// gate stays shut and the lit cave keeps its bars.
TEST(GalleryC, AdventureCaveNeedsTheLampAndTheGateTheKey) {
  const fs::path events = TempPath("brindle-gallery-c-adventure.events");
  {
    std::ofstream file(events);
    file << "idle\ntab\n";
    for (const char* command : {"n", "n", "e", "n", "w", "go south", "s", "take lamp", "n", "n",
                                "e", "north", "go up", "drop lamp", "look", "i"}) {
      file << "idle\ntype " << command << "\nidle\nenter\n";
    }
  }
  const fs::path png = TempPath("brindle-gallery-c-adventure.png");
  const ProcessResult run = RunBrindle(
      {"--headless", "--events", events.string(), "--screenshot", png.string(), "adventure.bas"},
      (fs::path(BRINDLE_SOURCE_DIR) / "examples").string());
  const Image image = Image::Load(png.string());
  fs::remove(events);
  fs::remove(png);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> rooms = {
      "The Cottage", "The Meadow",  "The Forest",  "Darkness",   "Darkness",   "The Forest",
      "The Meadow",  "The Cottage", "The Cottage", "The Meadow", "The Forest", "The Cave",
      "The Cave",    "The Cave",    "The Cave",    "The Cave",   "The Cave"};
  EXPECT_EQ(PrintedAt(run.out, 416, 84), rooms);
  const std::vector<std::string> answers = PrintedAt(run.out, 40, 450);
  ASSERT_EQ(answers.size(), rooms.size());
  EXPECT_EQ(answers[4], "You cannot go north from here.");  // in the dark
  EXPECT_EQ(PrintedAt(run.out, 416, 172)[3], "Exits: west");
  EXPECT_EQ(answers[12], "The iron gate is locked. If only you had a key...");
  EXPECT_EQ(answers[13], "Go where? North, south, east or west?");
  EXPECT_EQ(answers[14], "Dropped.");
  EXPECT_EQ(answers[16], "You carry nothing at all.");
  // The lamp on the cave's floor still lights it.
  EXPECT_EQ(PrintedAt(run.out, 416, 218).back(), "a brass lamp");
  EXPECT_EQ(image.Pixel(170, 250), Rgb(150, 150, 160));  // a bar of the shut gate
  EXPECT_EQ(image.Pixel(70, 290), Rgb(200, 150, 50));    // the lamp, lying on the floor
}

// The timeline scribbles and clears it with the panel's Clear, then paints a house in the sun
// with colours and sizes picked by Space over the panel and by keys.
TEST(GalleryC, PaintPaintsAHouseInTheSun) {
  const Shot shot = RunExample("paint", true);
  ASSERT_EQ(shot.run.status, 0) << shot.run.err;
  const std::vector<std::string> lines = LinesAfterCounts(shot.run.out);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0],
            "print\t112\t528\tHold Space and move the mouse to paint; Space on a swatch, size or "
            "Clear picks.");

  const ColorRef paper = Rgb(252, 250, 244), panel = Rgb(48, 52, 70);
  EXPECT_EQ(shot.image.Pixel(200, 150), paper);  // the pink scribble, cleared
  EXPECT_EQ(shot.image.Pixel(400, 150), paper);
  EXPECT_EQ(shot.image.Pixel(500, 250), paper);
  EXPECT_EQ(shot.image.Pixel(700, 500), Rgb(110, 200, 70));   // the grass
  EXPECT_EQ(shot.image.Pixel(320, 330), Rgb(245, 140, 25));   // the walls
  EXPECT_EQ(shot.image.Pixel(370, 260), Rgb(220, 45, 45));    // the roof
  EXPECT_EQ(shot.image.Pixel(366, 420), Rgb(140, 90, 50));    // the door
  EXPECT_EQ(shot.image.Pixel(410, 330), Rgb(120, 190, 245));  // the window...
  EXPECT_EQ(shot.image.Pixel(424, 355), Rgb(30, 30, 35));     // ...and its cross
  EXPECT_EQ(shot.image.Pixel(280, 400), Rgb(30, 30, 35));     // the walls' outline
  EXPECT_EQ(shot.image.Pixel(660, 100), Rgb(250, 210, 40));   // the sun
  EXPECT_EQ(shot.image.Pixel(580, 330), Rgb(40, 130, 60));    // the tree's crown
  EXPECT_EQ(shot.image.Pixel(236, 121), Rgb(30, 30, 35));     // a bird
  EXPECT_EQ(shot.image.Pixel(190, 413), Rgb(220, 45, 45));    // the flower, in red by key 3
  // The grass's strokes ran past the paper's right edge: the brush stayed on the paper.
  EXPECT_EQ(shot.image.Pixel(779, 500), panel);
  EXPECT_EQ(shot.image.Pixel(776, 500), Rgb(30, 32, 44));  // the paper's edge

  // The panel frames red and the third size (chosen by keys at the end), shows red in use.
  const ColorRef frame = Rgb(255, 220, 80);
  EXPECT_EQ(shot.image.Pixel(9, 100), frame);  // swatch 3, red
  EXPECT_EQ(shot.image.Pixel(9, 50), panel);   // swatch 1, black, chosen before
  EXPECT_EQ(shot.image.Pixel(9, 360), frame);  // size 3
  EXPECT_EQ(shot.image.Pixel(51, 317), panel);
  EXPECT_EQ(shot.image.Pixel(50, 490), Rgb(220, 45, 45));
}

}  // namespace
}  // namespace brindle::testing

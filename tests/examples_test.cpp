// The bundled examples run headless, and their screenshots show what they are meant to draw.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/image.h"
#include "run_brindle.h"

namespace fs = std::filesystem;

namespace brindle::testing {
namespace {

struct Shot {
  ProcessResult run;
  Image image;
};

// Runs examples/NAME.bas from the examples folder, with an events timeline when one is given,
// and loads its screenshot.
Shot RunExample(const std::string& name, const std::string& events = "") {
  const fs::path dir = fs::path(BRINDLE_SOURCE_DIR) / "examples";
  const fs::path png = fs::temp_directory_path() / ("brindle-example-" + name + ".png");
  const fs::path timeline = fs::temp_directory_path() / ("brindle-example-" + name + ".events");
  std::vector<std::string> args = {"--headless", "--screenshot", png.string()};
  if (!events.empty()) {
    std::ofstream(timeline) << events;
    args.insert(args.end(), {"--events", timeline.string()});
  }
  args.push_back(name + ".bas");
  Shot shot;
  shot.run = RunBrindle(args, dir.string());
  shot.image = Image::Load(png.string());
  fs::remove(png);
  fs::remove(timeline);
  return shot;
}

// Timer ticks of 30 ms, one handler run each.
std::string Ticks(int n) {
  std::string events;
  for (int i = 0; i < n; ++i) events += "idle\nwait 30\n";
  return events;
}

ColorRef Rgb(int r, int g, int b) {
  return RgbColor(r, g, b);
}

// Pixels within the box whose colour is close to the text colour.
int CountNear(const Image& image, int x, int y, int w, int h, ColorRef color) {
  int hits = 0;
  for (int yy = y; yy < y + h; ++yy) {
    for (int xx = x; xx < x + w; ++xx) {
      const ColorRef p = image.Pixel(xx, yy);
      bool near = true;
      for (int shift = 0; shift < 24; shift += 8) {
        near &= std::abs(static_cast<int>((p >> shift) & 255) -
                         static_cast<int>((color >> shift) & 255)) <= 40;
      }
      hits += near;
    }
  }
  return hits;
}

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

TEST(Examples, CatchTheStarFallsOnTicksAndTheBasketFollowsTheArrows) {
  const Shot shot = RunExample("catch", Ticks(2) + "idle\nkey 39\n" + Ticks(1) + "idle\n");
  ASSERT_EQ(shot.run.status, 0) << shot.run.err;
  const ColorRef sky = Rgb(15, 20, 45), basket = Rgb(160, 90, 40);
  EXPECT_EQ(shot.image.Pixel(380, 528), basket) << "moved right by 24 from 352";
  EXPECT_EQ(shot.image.Pixel(370, 528), sky);
  int star = 0;  // three ticks of 3 pixels from y 40
  for (int x = 0; x < 784; ++x) star += shot.image.Pixel(x, 49) == Rgb(255, 220, 80);
  EXPECT_GT(star, 10);
  EXPECT_EQ(CountNear(shot.image, 0, 30, 784, 6, Rgb(255, 220, 80)), 0) << "no longer at 40";
}

TEST(Examples, CatchEndsAfterThreeMissedStarsAndEnterPlaysAgain) {
  const Shot shot = RunExample("catch", Ticks(1500) + "idle\nenter\nidle\n");
  ASSERT_EQ(shot.run.status, 0) << shot.run.err;
  const std::string& out = shot.run.out;
  const size_t over = out.find("print\t300\t260\tGame over - Enter plays again\n");
  ASSERT_NE(over, std::string::npos);
  EXPECT_NE(out.find("print\t680\t12\tLives 3\n", over), std::string::npos) << "a new game";
}

TEST(Examples, GreeterAnswersWhatIsTypedIntoItsBox) {
  const Shot shot = RunExample("greeter", "idle\ntab\ntype Ada\nenter\nidle\n");
  ASSERT_EQ(shot.run.status, 0) << shot.run.err;
  EXPECT_NE(shot.run.out.find("print\t40\t110\tHello, Ada!\n"), std::string::npos);
  EXPECT_GT(CountNear(shot.image, 40, 70, 24, 16, Rgb(0, 0, 0)), 20) << "Ada, in the box";
  EXPECT_EQ(shot.image.Pixel(200, 85), Rgb(255, 255, 255)) << "the box";
}

}  // namespace
}  // namespace brindle::testing

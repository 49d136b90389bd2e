// --gif through the command line: the frames a run makes, checked against screenshots taken by
// the same run, and the ways a run ends.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "gif_frames.h"
#include "pictures/image.h"
#include "run_brindle.h"

namespace fs = std::filesystem;

namespace brindle::testing {
namespace {

const fs::path kExamples = fs::path(BRINDLE_SOURCE_DIR) / "examples";

fs::path WriteTemp(const std::string& name, const std::string& text) {
  const fs::path path = TempPath(name);
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

int Centiseconds(int64_t ms) {
  return static_cast<int>((ms + 5) / 10);
}

// The meteors timeline with a screenshot before every wait: the picture at each time the clock
// moves on. Consecutive equal pictures are one frame; each lasts until the next begins.
TEST(GifRun, MeteorsFramesAreThePicturesBetweenItsWaits) {
  std::ifstream events(kExamples / "meteors.events");
  std::ostringstream timeline;
  std::vector<fs::path> shots;
  std::vector<int64_t> shot_ms;
  int64_t now = 0;
  for (std::string line; std::getline(events, line);) {
    if (line.rfind("wait ", 0) == 0) {
      shots.push_back(TempPath("gif-meteors-" + std::to_string(shots.size()) + ".png"));
      shot_ms.push_back(now);
      timeline << "screenshot " << shots.back().filename().string() << "\n";
      now += std::stoll(line.substr(5));
    }
    timeline << line << "\n";
  }
  const fs::path events_path = WriteTemp("gif-meteors.events", timeline.str());
  const fs::path gif_path = TempPath("gif-meteors.gif"), last = TempPath("gif-meteors-end.png");
  const ProcessResult r =
      RunBrindle({"--headless", "--events", events_path.string(), "--gif", gif_path.string(),
                  "--screenshot", last.string(), (kExamples / "meteors.bas").string()},
                 fs::temp_directory_path().string());
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  shots.push_back(last);
  shot_ms.push_back(now);

  std::vector<std::vector<ColorRef>> expected;
  std::vector<int64_t> starts;
  for (size_t i = 0; i < shots.size(); ++i) {
    const Image shot = Image::Load(shots[i].string());
    ASSERT_FALSE(shot.is_null()) << shots[i];
    if (expected.empty() || shot.pixels() != expected.back()) {
      expected.push_back(shot.pixels());
      starts.push_back(shot_ms[i]);
    }
    fs::remove(shots[i]);
  }
  const ShownGif gif = ReadGifFile(gif_path.string());
  ASSERT_TRUE(gif.ok);
  EXPECT_EQ(gif.width, Canvas::kWidth);
  EXPECT_EQ(gif.height, Canvas::kHeight);
  ASSERT_EQ(gif.frames.size(), expected.size());
  EXPECT_GT(gif.frames.size(), 40u) << "the game moves";
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_TRUE(gif.frames[i].screen == expected[i]) << "frame " << i;
    const int64_t end = i + 1 < starts.size() ? starts[i + 1] : now;
    EXPECT_EQ(gif.frames[i].delay, Centiseconds(end) - Centiseconds(starts[i])) << "frame " << i;
  }
  EXPECT_EQ(gif.TotalDelay(), Centiseconds(now));
  // Only what changed is stored: a meteor's step, not the screen.
  EXPECT_LT(gif.frames[5].width * gif.frames[5].height, Canvas::kWidth * Canvas::kHeight / 4);
  fs::remove(gif_path);
  fs::remove(events_path);
}

// However the run ends, the GIF is written and ends with what the screenshot shows.
TEST(GifRun, TheGifIsKeptWhenATimeLimitOrACloseEndsTheRun) {
  struct Case {
    const char* name;
    std::string script, events;
    std::vector<std::string> options;
    int status;
  };
  const std::string drawing = "WCOLOR 10, 20, 30\nSWAP\nTIMERON 50\n";
  const std::vector<Case> cases = {
      {"time-limit",
       drawing + "VAR i\nWHILE i < 1\ni = i + 0\nWEND\n",
       "idle\nclose\n",
       {"--time-limit", "0.3"},
       124},
      {"close",
       drawing + "GOTO e\nWINMSG WMTIMER\nFCOLOR 200, 0, 0\nRECT 5, 5, 10, 10\nSWAP\n"
                 "ENDWM\nLABEL e\n",
       "idle\nwait 60\nidle\nwait 100\nclose\nwait 1000\n",
       {},
       0},
      {"fault", drawing + "STR s\ns = 5\n", "idle\nwait 250\n", {}, 3}};
  for (const Case& c : cases) {
    const fs::path script = WriteTemp("gif-end.bas", c.script);
    const fs::path events = WriteTemp("gif-end.events", c.events);
    const fs::path gif_path = TempPath("gif-end.gif"), png = TempPath("gif-end.png");
    std::vector<std::string> args = {"--headless",      "--events",     events.string(), "--gif",
                                     gif_path.string(), "--screenshot", png.string()};
    args.insert(args.end(), c.options.begin(), c.options.end());
    args.push_back(script.string());
    const ProcessResult r = RunBrindle(args);
    EXPECT_EQ(r.status, c.status) << c.name << ": " << r.err;
    const ShownGif gif = ReadGifFile(gif_path.string());
    ASSERT_TRUE(gif.ok) << c.name;
    ASSERT_FALSE(gif.frames.empty()) << c.name;
    EXPECT_TRUE(gif.frames.back().screen == Image::Load(png.string()).pixels()) << c.name;
    if (c.status == 0) {
      EXPECT_EQ(gif.frames.size(), 2u) << "the background, then the box the first tick drew";
      EXPECT_EQ(gif.TotalDelay(), 16) << "the close comes after 160 ms";
    }
    for (const fs::path& p : {script, events, gif_path, png}) fs::remove(p);
  }
}

TEST(GifRun, AFileThatCannotBeWrittenIsRefusedBeforeTheRun) {
  const fs::path script = WriteTemp("gif-refused.bas", "PRINT 1, 2, 3\n");
  const std::string folder = fs::temp_directory_path().string();
  const ProcessResult r = RunBrindle({"--headless", "--gif", folder, script.string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "brindle: cannot write " + folder + ": not a regular file\n");
  fs::remove(script);
}

// Past its frame limit the GIF ends, said once, and the run goes on to its end.
TEST(GifRun, TheFrameLimitEndsTheGifNotTheRun) {
  const fs::path script = WriteTemp(
      "gif-limit.bas",
      "VAR n\nTIMERON 20\nGOTO e\nWINMSG WMTIMER\nn = n + 1\nFCOLOR n, 0, 0\nBCOLOR n, 0, 0\n"
      "RECT 0, 0, 2, 2\nSWAP\nENDWM\nLABEL e\n");
  // One tick at a time, each changing the picture: a frame every 20 ms.
  std::string ticks;
  for (int i = 0; i < 10100; ++i) ticks += "idle\nwait 20\n";
  const fs::path events = WriteTemp("gif-limit.events", ticks);
  const fs::path gif_path = TempPath("gif-limit.gif");
  SpawnOptions options;
  options.timeout = std::chrono::seconds(120);
  const ProcessResult r = RunBrindle({"--headless", "--quiet", "--events", events.string(), "--gif",
                                      gif_path.string(), script.string()},
                                     options);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "brindle: " + gif_path.string() +
                       ": the GIF ends here, at its limit of 10000 frames; the run goes on\n");
  const ShownGif gif = ReadGifFile(gif_path.string(), Screens::kLastOnly);
  ASSERT_TRUE(gif.ok);
  EXPECT_EQ(gif.frames.size(), 10000u);
  EXPECT_EQ(gif.TotalDelay(), 10000 * 2);
  for (const fs::path& p : {script, events, gif_path}) fs::remove(p);
}

}  // namespace
}  // namespace brindle::testing

// The headless events timeline: how its lines are read, the key codes of typed characters,
// a malformed line stopping the run, and screenshot lines writing what the window shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "pictures/image.h"
#include "platform/headless/timeline.h"
#include "run_brindle.h"

namespace fs = std::filesystem;

namespace brindle::testing {
namespace {

using Kind = TimelineLine::Kind;

fs::path WriteTemp(const std::string& name, const std::string& bytes) {
  const fs::path path = TempPath(name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

TEST(EventsTimeline, ReadsEveryKindOfLineAndSkipsBlanksAndComments) {
  const Timeline t = ParseTimeline(
      "# a comment\n"
      "\n"
      "idle\n"
      "wait 250\n"
      "move 30 40\n"
      "keydown 16\n"
      "keyup 17\n"
      "key 65\n"
      "click 5 6\n"
      "type Hello, world\n"
      "enter\n"
      "  \n"
      "tab\n"
      "paint\n"
      "# screenshot /tmp/not-this.png\n"
      "screenshot /tmp/brindle-shot.png\n"
      "close\n");
  EXPECT_EQ(t.error, "");
  ASSERT_EQ(t.lines.size(), 13u);
  const std::vector<Kind> kinds = {Kind::kIdle,  Kind::kWait, Kind::kMove,  Kind::kKeyDown,
                                   Kind::kKeyUp, Kind::kKey,  Kind::kClick, Kind::kType,
                                   Kind::kEnter, Kind::kTab,  Kind::kPaint, Kind::kScreenshot,
                                   Kind::kClose};
  for (size_t i = 0; i < kinds.size(); ++i) EXPECT_EQ(t.lines[i].kind, kinds[i]) << "line " << i;
  EXPECT_EQ(t.lines[1].a, 250);
  EXPECT_EQ(t.lines[2].a, 30);
  EXPECT_EQ(t.lines[2].b, 40);
  EXPECT_EQ(t.lines[3].a, 16);
  EXPECT_EQ(t.lines[4].a, 17);
  EXPECT_EQ(t.lines[5].a, 65);
  EXPECT_EQ(t.lines[6].a, 5);
  EXPECT_EQ(t.lines[6].b, 6);
  EXPECT_EQ(t.lines[7].text, "Hello, world");
  EXPECT_EQ(t.lines[11].text, "/tmp/brindle-shot.png");
}

// The error names the first bad line by its number in the file, comments and blanks counted.
TEST(EventsTimeline, NamesTheFirstMalformedLine) {
  const Timeline t = ParseTimeline("# setup\n\nidle\njump 3\nwait x\n");
  EXPECT_EQ(t.error.rfind("4: ", 0), 0u) << t.error;
  EXPECT_GT(t.error.size(), 3u);
  for (const std::string bad : {"jump 3", "wait", "wait ten", "wait 10ms", "move 1", "key",
                                "keydown x", "keyup", "click 1", "screenshot"}) {
    const Timeline one = ParseTimeline("idle\n" + bad + "\nclose\n");
    EXPECT_EQ(one.error.rfind("2: ", 0), 0u) << bad << " gives \"" << one.error << "\"";
  }
}

// Numbers outside their range are refused, not cut down to what fits: a key code is one
// byte, a coordinate what an event carries, and a wait at most a day.
TEST(EventsTimeline, NumbersOutOfRangeAreRefusedWithTheLine) {
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"key 4294967361", "a key code is 0 to 255: 4294967361"},
      {"keydown 256", "a key code is 0 to 255: 256"},
      {"keyup -1", "a key code is 0 to 255: -1"},
      {"move 9223372036854775808 0",
       "a coordinate is -2147483648 to 2147483647: 9223372036854775808"},
      {"click 0 2147483648", "a coordinate is -2147483648 to 2147483647: 2147483648"},
      {"wait 86400001", "a wait is 0 to 86400000: 86400001"},
      {"wait 9223372036854775807", "a wait is 0 to 86400000: 9223372036854775807"},
      {"wait -1", "a wait is 0 to 86400000: -1"},
  };
  for (const auto& [line, reason] : refused) {
    EXPECT_EQ(ParseTimeline("# first\n" + line + "\n").error, "2: " + reason);
  }
  const Timeline edges =
      ParseTimeline("key 255\nkey 0\nmove -2147483648 2147483647\nwait 86400000\nwait 86400000\n");
  EXPECT_EQ(edges.error, "");
  ASSERT_EQ(edges.lines.size(), 5u);
  EXPECT_EQ(edges.lines[2].a, INT32_MIN);
  EXPECT_EQ(edges.lines[4].a, 86400000);
}

TEST(EventsTimeline, TicksAreOneToAThousand) {
  const Timeline t = ParseTimeline("ticks 1\nticks 1000\n");
  EXPECT_EQ(t.error, "");
  ASSERT_EQ(t.lines.size(), 2u);
  EXPECT_EQ(t.lines[1].kind, Kind::kTicks);
  EXPECT_EQ(t.lines[1].a, 1000);
  EXPECT_EQ(TimelineLineText(t.lines[1]), "ticks 1000");
  EXPECT_EQ(ParseTimeline("ticks 0\n").error, "1: ticks is 1 to 1000: 0");
  EXPECT_EQ(ParseTimeline("ticks 1001\n").error, "1: ticks is 1 to 1000: 1001");
  EXPECT_EQ(ParseTimeline("ticks\n").error, "1: ticks takes 1 number(s)");
}

// A terminal shown the message must not receive the bytes raw.
TEST(EventsTimeline, EchoedWordsAreEscapedAsInTheTranscript) {
  EXPECT_EQ(ParseTimeline("jump\x1b[2J\n").error, "1: unknown event: jump\\x1b[2J");
  EXPECT_EQ(ParseTimeline("wait 1\x07\n").error, "1: not a number: 1\\x07");
  EXPECT_EQ(ParseTimeline("key \xff\n").error, "1: not a number: \\xff");
}

TEST(EventsTimeline, TypedCharactersUseTheUsKeyboardCodes) {
  for (char c = 'A'; c <= 'Z'; ++c) {
    EXPECT_EQ(VirtualKeyOfCharacter(c), c);
    EXPECT_EQ(VirtualKeyOfCharacter(static_cast<char>(c - 'A' + 'a')), c);
  }
  for (char c = '0'; c <= '9'; ++c) EXPECT_EQ(VirtualKeyOfCharacter(c), c);
  EXPECT_EQ(VirtualKeyOfCharacter(' '), 32);
  const std::vector<std::pair<char, int>> oem = {{';', 186},  {'=', 187}, {',', 188}, {'-', 189},
                                                 {'.', 190},  {'/', 191}, {'`', 192}, {'[', 219},
                                                 {'\\', 220}, {']', 221}, {'\'', 222}};
  for (const auto& [c, vk] : oem) EXPECT_EQ(VirtualKeyOfCharacter(c), vk) << c;
  EXPECT_EQ(VirtualKeyOfCharacter('\x01'), 0);
  EXPECT_EQ(VirtualKeyOfCharacter('\xe9'), 0);
}

TEST(EventsCommandLine, MalformedLineStopsTheRunBeforeItStarts) {
  const fs::path script = WriteTemp("brindle-ev-malformed.bas", "PRINT 1, 2, 3\n");
  const fs::path events = WriteTemp("brindle-ev-malformed.events", "# keys\n\njump 3\nkey 65\n");
  const ProcessResult r = RunBrindle({"--headless", "--events", events.string(), script.string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  const std::string prefix = "brindle: " + events.string() + ":3: ";
  EXPECT_EQ(r.err.rfind(prefix, 0), 0u) << r.err;
  EXPECT_GT(r.err.size(), prefix.size() + 1);
  EXPECT_EQ(r.err.back(), '\n');
  fs::remove(script);
  fs::remove(events);
}

// Each pump of the run below takes one line's screenshot on its way to the next message:
// before anything is shown, after WCOLOR (shown at once), after RECT (not shown), and after a
// repaint (which shows the canvas).
TEST(EventsCommandLine, ScreenshotLinesWriteWhatTheWindowShows) {
  const fs::path script = WriteTemp("brindle-ev-shots.bas",
                                    "FCOLOR 0, 0, 0\n"
                                    "WCOLOR 0, 0, 255\n"
                                    "RECT 0, 0, 10, 10\n"
                                    "FCOLOR 0, 0, 0\n");
  std::vector<fs::path> shots;
  std::string timeline;
  for (int i = 0; i < 4; ++i) {
    shots.push_back(TempPath("brindle-ev-shot-" + std::to_string(i) + ".png"));
    fs::remove(shots.back());
    timeline += "screenshot " + shots.back().filename().string() + "\n";
    timeline += i < 2 ? "move 0 0\n" : i == 2 ? "paint\n" : "";
  }
  const fs::path events = WriteTemp("brindle-ev-shots.events", timeline);
  const ProcessResult r = RunBrindle({"--headless", "--events", events.string(), script.string()},
                                     fs::temp_directory_path().string());
  EXPECT_EQ(r.status, 0) << r.err;
  const ColorRef blue = RgbColor(0, 0, 255);
  const std::vector<std::pair<ColorRef, ColorRef>> expected = {
      {kButtonFace, kButtonFace}, {blue, blue}, {blue, blue}, {RgbColor(0, 0, 0), blue}};
  for (size_t i = 0; i < shots.size(); ++i) {
    const Image shot = Image::Load(shots[i].string());
    ASSERT_FALSE(shot.is_null()) << "no screenshot " << i;
    EXPECT_EQ(shot.width(), Canvas::kWidth);
    EXPECT_EQ(shot.height(), Canvas::kHeight);
    EXPECT_EQ(shot.Pixel(5, 5), expected[i].first) << "screenshot " << i;
    EXPECT_EQ(shot.Pixel(100, 100), expected[i].second) << "screenshot " << i;
    fs::remove(shots[i]);
  }
  fs::remove(script);
  fs::remove(events);
}

// Half an hour of virtual time with a 10 ms timer: the handler's first end of line takes the
// next tick of the same wait, so the ticks nest 180000 deep. A plausible events file must not
// crash the program, whatever it does at that depth.
TEST(EventsCommandLine, LongWaitWithAFastTimerEndsNormally) {
  const fs::path script = WriteTemp("brindle-ev-long-wait.bas",
                                    "VAR t, n\n"
                                    "GOTO start\n"
                                    "WINMSG WMTIMER\n"
                                    "n = n + 1\n"
                                    "ENDWM\n"
                                    "LABEL start\n"
                                    "t = 10\n"
                                    "TIMERON t\n");
  const fs::path events = WriteTemp("brindle-ev-long-wait.events", "idle\nwait 1800000\n");
  const ProcessResult r = RunBrindle({"--headless", "--events", events.string(), script.string()});
  EXPECT_TRUE(r.status == 0 || r.status == 3) << "status " << r.status << ", stderr: " << r.err;
  EXPECT_EQ(r.out.rfind("box\tTokenizer\t", 0), 0u);
  fs::remove(script);
  fs::remove(events);
}

// Each tick of a ticks line is taken only once the program is idle: the handler of one has
// ended before the next, and each runs at its own time, where one long wait would run them
// nested, all at its end. The lines after it wait for the last tick's handler to end. With the
// timer off, the rest of the line is passed and the clock stays.
TEST(EventsCommandLine, TicksRunOneAfterAnotherOnceTheProgramIsIdle) {
  const fs::path script = WriteTemp("brindle-ev-ticks.bas",
                                    "VAR t, k\n"
                                    "t = 100\n"
                                    "PRINT 0, 0, \"start\"\n"
                                    "TIMERON t\n"
                                    "GOTO ready\n"
                                    "WINMSG WMTIMER\n"
                                    "GETTICK k\n"
                                    "PRINT 0, 1, k\n"
                                    "IF k = 300 : TIMEROFF : ENDIF\n"
                                    "PRINT 0, 2, k\n"
                                    "ENDWM\n"
                                    "WINMSG WMKEYDOWN\n"
                                    "PRINT 0, 3, \"key\"\n"
                                    "ENDWM\n"
                                    "LABEL ready\n");
  const auto run = [&](const std::string& timeline) {
    const fs::path events = WriteTemp("brindle-ev-ticks.events", timeline);
    const ProcessResult r =
        RunBrindle({"--headless", "--quiet", "--events", events.string(), script.string()});
    fs::remove(events);
    EXPECT_EQ(r.status, 0) << r.err;
    std::string seen;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) {
      seen += line.substr(line.rfind('\t') + 1) + " ";
    }
    return seen;
  };
  // Read by the main part's first line end, before TIMERON: the ticks still come.
  EXPECT_EQ(run("ticks 2\nkey 65\n"), "start 100 100 200 200 key ");
  // The timer stops at the third: the rest of both lines passes, and the clock stays.
  EXPECT_EQ(run("ticks 5\nticks 4\nkey 65\n"), "start 100 100 200 200 300 300 key ");
  // One long wait: the ticks nest, all at its end, and the key comes inside them.
  EXPECT_EQ(run("idle\nwait 200\nkey 65\n"), "start key 200 200 200 200 ");
  fs::remove(script);
}

}  // namespace
}  // namespace brindle::testing

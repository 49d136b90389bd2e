// The headless platform under timelines no user would write by hand: ticks nobody handles are
// passed at once by the message loop, a close gets through where no handler may start, a huge
// type line is typed without being held in memory as events, and nested runs count the texts
// they printed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/headless/timeline.h"
#include "run_brindle.h"

namespace brindle {
namespace {

using Type = WindowEvent::Type;

class TimerSink : public EventSink {
 public:
  explicit TimerSink(bool handles) : handles_(handles) {}
  void Dispatch(const WindowEvent&) override {}
  bool HandlesTimer() const override { return handles_; }

 private:
  bool handles_;
};

HeadlessPlatform Platform(const std::string& timeline) {
  Timeline parsed = ParseTimeline(timeline);
  EXPECT_EQ(parsed.error, "");
  return HeadlessPlatform(nullptr, std::move(parsed));
}

// The pump takes every tick; the message loop passes those that would run no handler.
TEST(HeadlessTicks, ThePumpTakesEveryTickTheMessageLoopOnlyHandledOnes) {
  for (const bool handles : {true, false}) {
    HeadlessPlatform platform = Platform("wait 100\nkey 65\nwait 100\nkey 66\n");
    TimerSink sink(handles);
    platform.SetEventSink(&sink);
    platform.StartTimer(10);
    const std::optional<WindowEvent> first = platform.PollEvent();
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->type, Type::kTimer);
    EXPECT_EQ(platform.TickCount(), 10u);
    for (int tick = 2; tick <= 10; ++tick) EXPECT_EQ(platform.PollEvent()->type, Type::kTimer);
    EXPECT_EQ(platform.PollEvent()->type, Type::kKeyDown);
    EXPECT_EQ(platform.WaitEvent().type, Type::kKeyUp);
    EXPECT_EQ(platform.WaitEvent().type, handles ? Type::kTimer : Type::kKeyDown);
    EXPECT_EQ(platform.TickCount(), handles ? 110u : 200u);
  }
}

TEST(HeadlessClose, TakenPastTimeAndScreenshotsButNotPastAnEvent) {
  // In the current folder: a timeline writes nowhere else.
  const std::string shot = testing::TempPath("brindle-headless-close.png").filename().string();
  std::filesystem::remove(shot);
  HeadlessPlatform ends = Platform("wait 100\nscreenshot " + shot + "\nwait 5\nclose\nkey 65\n");
  TimerSink sink(true);
  ends.SetEventSink(&sink);
  ends.StartTimer(10);
  EXPECT_TRUE(ends.PollClose());
  EXPECT_TRUE(std::filesystem::exists(shot));
  EXPECT_EQ(ends.TickCount(), 105u);
  std::filesystem::remove(shot);

  HeadlessPlatform waits = Platform("wait 100\nkey 65\nclose\n");
  waits.SetEventSink(&sink);
  EXPECT_FALSE(waits.PollClose());
  EXPECT_FALSE(waits.PollClose());
  // Nothing was taken: the wait and the key come as before, and then the close.
  EXPECT_EQ(waits.PollEvent()->type, Type::kKeyDown);
  EXPECT_EQ(waits.TickCount(), 100u);
  EXPECT_FALSE(waits.PollClose());
  EXPECT_EQ(waits.PollEvent()->type, Type::kKeyUp);
  EXPECT_TRUE(waits.PollClose());

  HeadlessPlatform barrier = Platform("idle\nclose\n");
  EXPECT_FALSE(barrier.PollClose());
}

// The pump passes over PollEvent while it says nothing can come: that must hold until the
// message loop reads past the idle line.
TEST(HeadlessPump, SaysWhenNothingCanComeUntilTheMessageLoopReadsOn) {
  HeadlessPlatform platform = Platform("key 65\nidle\nwait 10\nkey 66\n");
  TimerSink sink(true);
  platform.SetEventSink(&sink);
  EXPECT_TRUE(platform.PumpMayDeliver());
  EXPECT_EQ(platform.PollEvent()->type, Type::kKeyDown);
  EXPECT_EQ(platform.PollEvent()->type, Type::kKeyUp);
  EXPECT_TRUE(platform.PumpMayDeliver());
  EXPECT_FALSE(platform.PollEvent().has_value());
  EXPECT_FALSE(platform.PumpMayDeliver());
  platform.StartTimer(1);  // no wait is being read: still nothing to take
  EXPECT_FALSE(platform.PollEvent().has_value());
  EXPECT_EQ(platform.WaitEvent().type, Type::kTimer);
  EXPECT_TRUE(platform.PumpMayDeliver());
  EXPECT_EQ(platform.PollEvent()->type, Type::kTimer);
}

// A 10 ms timer that nothing handles, and a hundred thousand days after the main part: the
// message loop jumps over the ticks (taking each would take hours), and the tick count wraps
// at 2^32 ms as GetTickCount does.
TEST(HeadlessTicks, UnhandledTicksOfLongWaitsAreSkipped) {
  namespace fs = std::filesystem;
  const fs::path script = testing::TempPath("brindle-long-waits.bas");
  const fs::path events = testing::TempPath("brindle-long-waits.events");
  std::ofstream(script) << "VAR t, now\n"
                           "GOTO start\n"
                           "WINMSG WMKEYDOWN\n"
                           "GETTICK now\n"
                           "PRINT 0, 0, now\n"
                           "ENDWM\n"
                           "LABEL start\n"
                           "t = 10\n"
                           "TIMERON t\n";
  {
    std::ofstream timeline(events);
    timeline << "idle\n";
    for (int day = 0; day < 100000; ++day) timeline << "wait 86400000\n";
    timeline << "key 65\n";
  }
  testing::SpawnOptions options;
  options.timeout = std::chrono::seconds(60);
  const testing::ProcessResult r =
      testing::RunBrindle({"--headless", "--events", events.string(), script.string()}, options);
  EXPECT_FALSE(r.timed_out);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("print\t0\t0\t-1474199552\n"), std::string::npos) << r.out;
  fs::remove(script);
  fs::remove(events);
}

TEST(HeadlessTyping, AHugeTypeLineIsTypedOneCharacterAtATime) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer needs an unlimited address space";
#endif
  namespace fs = std::filesystem;
  const fs::path script = testing::TempPath("brindle-huge-type.bas");
  const fs::path events = testing::TempPath("brindle-huge-type.events");
  std::ofstream(script) << "VAR n\n";
  std::ofstream(events) << "type " << std::string(15 << 20, 'a') << "\n";
  testing::SpawnOptions options;
  options.memory_limit = size_t{256} << 20;
  const testing::ProcessResult r =
      testing::RunBrindle({"--headless", "--events", events.string(), script.string()}, options);
  EXPECT_EQ(r.status, 0) << r.err;
  fs::remove(script);
  fs::remove(events);
}

// Every run keeps its last PRINT text, and handler runs nest inside the run they interrupt:
// those texts count against the limit on stored text like any variable.
TEST(HeadlessTextLimit, TheTextsThatNestedRunsLastPrintedAreCounted) {
  namespace fs = std::filesystem;
  const fs::path script = testing::TempPath("brindle-nested-print.bas");
  const fs::path events = testing::TempPath("brindle-nested-print.events");
  const fs::path out = testing::TempPath("brindle-nested-print.out");
  // 8 MiB in s and 15 texts of 16 MiB leave room for one more text of 8 MiB: the main run's
  // (its second PRINT replaces its first), then the first key's handler's. The second key's
  // handler, nested in the first, has no room for its own.
  std::ofstream(script) << "VAR i, n\nSTR s\nSTR a[15]\nGOTO start\n"
                           "WINMSG WMKEYDOWN\nn = n + 1\nPRINT 0, n, s\nWHILE n < 2\nWEND\n"
                           "PRINT 0, 9, \"no\"\nENDWM\n"
                           "LABEL start\ns = \"x\"\nWHILE i < 23\ni = i + 1\ns = s + s\nWEND\n"
                           "i = 0\nWHILE i < 15\ni = i + 1\na[i] = s + s\nWEND\n"
                           "PRINT 0, 0, s\nPRINT 0, 0, s\n";
  std::ofstream(events) << "idle\nkey 65\nkey 66\nclose\n";
  testing::SpawnOptions options;
  options.stdout_path = out.string();
  const testing::ProcessResult r =
      testing::RunBrindle({"--headless", "--events", events.string(), script.string()}, options);
  EXPECT_EQ(r.status, 3) << r.err;
  std::ifstream transcript(out);
  std::vector<std::string> starts;
  for (std::string line; std::getline(transcript, line);) starts.push_back(line.substr(0, 13));
  const std::vector<std::string> expected = {"box\tTokenizer", "print\t0\t0\txxx",
                                             "print\t0\t0\txxx", "print\t0\t1\txxx",
                                             "box\tERROR\tOut"};
  EXPECT_EQ(starts, expected);
  fs::remove(script);
  fs::remove(events);
  fs::remove(out);
}
}  // namespace
}  // namespace brindle

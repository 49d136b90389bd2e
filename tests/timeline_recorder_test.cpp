// --record's timeline: lines that read back as written, waits that put each event between the
// same two timer ticks in a headless replay, and a file that is written as the session goes.
#include "platform/headless/timeline_recorder.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/driver.h"
#include "platform/headless/headless.h"
#include "run_brindle.h"
#include "script_case.h"

namespace fs = std::filesystem;

namespace brindle::testing {
namespace {

using Kind = TimelineLine::Kind;
using Taken = TimelineRecorder::Taken;

TimelineLine Line(Kind kind, int64_t a = 0, int64_t b = 0, std::string text = "") {
  TimelineLine line;
  line.kind = kind;
  line.a = a;
  line.b = b;
  line.text = std::move(text);
  return line;
}

TEST(TimelineRecorder, LinesReadBackAsWritten) {
  const TimelineLine lines[] = {
      Line(Kind::kWait, 86400000), Line(Kind::kMove, -2147483648, 2147483647),
      Line(Kind::kKeyDown, 255),   Line(Kind::kKeyUp, 0),
      Line(Kind::kClick, 3, -4),   Line(Kind::kType, 0, 0, " two  spaces \xe9 # "),
      Line(Kind::kPaint),          Line(Kind::kClose),
      Line(Kind::kIdle),
  };
  for (const TimelineLine& line : lines) {
    const Timeline read = ParseTimeline(TimelineLineText(line) + "\n");
    ASSERT_EQ(read.error, "") << TimelineLineText(line);
    ASSERT_EQ(read.lines.size(), 1u);
    EXPECT_EQ(read.lines[0].kind, line.kind);
    EXPECT_EQ(read.lines[0].a, line.a);
    EXPECT_EQ(read.lines[0].b, line.b);
    EXPECT_EQ(read.lines[0].text, line.text);
  }
}

TEST(TimelineRecorder, TicksBecomeWaitsToTheReplaysNextTick) {
  std::string out;
  TimelineRecorder recorder([&](std::string_view line) {
    out += line;
    return true;
  });
  recorder.Input(Line(Kind::kPaint), Taken::kWhileRunning);
  recorder.Tick(Taken::kWhenIdle);  // no timer in the replay: nothing to wait for
  recorder.TimerStarted(100);
  recorder.Tick(Taken::kWhenIdle);
  recorder.Input(Line(Kind::kKeyDown, 65), Taken::kWhenIdle);
  recorder.Tick(Taken::kWhileRunning);
  recorder.TimerStarted(30);  // at 200: the grid starts again
  recorder.Tick(Taken::kWhenIdle);
  recorder.TimerStopped();
  recorder.Tick(Taken::kWhenIdle);
  recorder.TimerStarted(0);  // counts as 1
  recorder.Tick(Taken::kWhenIdle);
  recorder.Close(Taken::kWhenIdle);
  recorder.Close(Taken::kWhenIdle);
  recorder.Input(Line(Kind::kKeyUp, 65), Taken::kWhenIdle);
  EXPECT_EQ(out,
            "paint\n"
            "idle\nwait 100\n"
            "idle\nkeydown 65\n"
            "wait 100\n"
            "idle\nwait 30\n"
            "idle\nwait 1\n"
            "idle\nclose\n");
}

TEST(TimelineRecorder, IntervalsLongerThanAWaitLineSplit) {
  std::string out;
  TimelineRecorder recorder([&](std::string_view line) {
    out += line;
    return true;
  });
  recorder.TimerStarted(2147483647);
  recorder.Tick(Taken::kWhileRunning);
  EXPECT_EQ(out,
            "wait 86400000\nwait 86400000\nwait 86400000\nwait 86400000\nwait "
            "86400000\nwait 86400000\nwait 86400000\nwait 86400000\nwait 86400000\nwait "
            "86400000\nwait 86400000\nwait 86400000\nwait 86400000\nwait 86400000\nwait "
            "86400000\nwait 86400000\nwait 86400000\nwait 86400000\nwait 86400000\nwait "
            "86400000\nwait 86400000\nwait 86400000\nwait 86400000\nwait 86400000\nwait "
            "73883647\n");
  EXPECT_EQ(ParseTimeline(out).error, "");
}

// The script counts ticks and prints the count at each key: the replay of what the recorder
// heard must put each key after as many ticks as the window had delivered.
TEST(TimelineRecorder, ReplayPutsEachKeyBetweenTheSameTicks) {
  const std::string script =
      "VAR n, k, t\n"
      "t = 70\n"
      "TIMERON t\n"
      "GOTO done\n"
      "WINMSG WMTIMER\n"
      "n = n + 1\n"
      "IF n = 3 : t = 45 : TIMERON t : ENDIF\n"
      "ENDWM\n"
      "WINMSG WMKEYDOWN\n"
      "HWPARAM k\n"
      "PRINT k, n, n\n"
      "ENDWM\n"
      "LABEL done\n";
  std::string recorded;
  TimelineRecorder recorder([&](std::string_view line) {
    recorded += line;
    return true;
  });
  // What the window's platform tells the recorder, in the order the script makes it happen.
  recorder.TimerStarted(70);
  recorder.Input(Line(Kind::kKeyDown, 1), Taken::kWhenIdle);
  recorder.Tick(Taken::kWhenIdle);
  recorder.Tick(Taken::kWhenIdle);
  recorder.Input(Line(Kind::kKeyDown, 2), Taken::kWhenIdle);
  recorder.Input(Line(Kind::kKeyDown, 3), Taken::kWhenIdle);
  recorder.Tick(Taken::kWhenIdle);
  recorder.TimerStarted(45);  // the third tick's handler
  recorder.Tick(Taken::kWhenIdle);
  recorder.Input(Line(Kind::kKeyDown, 4), Taken::kWhenIdle);
  recorder.Tick(Taken::kWhenIdle);
  recorder.Tick(Taken::kWhenIdle);
  recorder.Input(Line(Kind::kKeyDown, 5), Taken::kWhenIdle);
  recorder.Close(Taken::kWhenIdle);

  const Timeline timeline = ParseTimeline(recorded);
  ASSERT_EQ(timeline.error, "");
  std::FILE* out = std::tmpfile();
  {
    HeadlessPlatform platform(out, timeline);
    EXPECT_EQ(RunProgram(platform, {"keys.bas", script}, {}), 0);
    EXPECT_EQ(platform.Flush(), "");
  }
  std::rewind(out);
  std::string transcript;
  for (int c; (c = std::fgetc(out)) != EOF;) transcript += static_cast<char>(c);
  std::fclose(out);
  EXPECT_EQ(transcript,
            "box\tTokenizer\tNumber of tokens: 60\\r\\nNumber of lines: 13\n"
            "print\t1\t0\t0\n"
            "print\t2\t2\t2\n"
            "print\t3\t2\t2\n"
            "print\t4\t4\t4\n"
            "print\t5\t6\t6\n");
}

TEST(TimelineRecorder, ReportsTheFirstWriteThatFailsAndWritesNoMore) {
  int writes = 0;
  TimelineRecorder recorder([&](std::string_view) {
    ++writes;
    errno = ENOSPC;
    return false;
  });
  EXPECT_EQ(recorder.error(), "");
  recorder.Input(Line(Kind::kPaint), Taken::kWhileRunning);
  recorder.Input(Line(Kind::kPaint), Taken::kWhileRunning);
  EXPECT_EQ(recorder.error(), "No space left on device");
  EXPECT_EQ(writes, 1);
}

// The lines are under a fresh name in the file's folder, each at once; Save renames that over
// the old file, which is replaced, not written through (a hard link to it keeps what it held).
// A link, a folder or a device is refused.
TEST(TimelineRecorder, FileHoldsEachLineAtOnceAndReplacesTheOldOneWhenSaved) {
  const fs::path folder = TempPath("record-folder");
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path events = folder / "record.events", other_name = folder / "hard-link.events";
  std::ofstream(events) << "keep me\n";
  fs::create_hard_link(events, other_name);
  std::string reason;
  std::unique_ptr<TimelineRecorder> recorder = TimelineRecorder::CreateFile(events, reason);
  ASSERT_NE(recorder, nullptr) << reason;
  recorder->Comment("made by a test");
  recorder->Input(Line(Kind::kKeyDown, 65), Taken::kWhenIdle);
  EXPECT_EQ(ReadAll(events), "keep me\n") << "the old file stays until the end";
  std::vector<fs::path> pending;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename().string().rfind(".brindle-", 0) == 0) pending.push_back(entry);
  }
  ASSERT_EQ(pending.size(), 1u);
  EXPECT_EQ(ReadAll(pending[0]), "# made by a test\nidle\nkeydown 65\n") << "nothing held back";
  EXPECT_TRUE(recorder->Save()) << recorder->error();
  recorder->Comment("after the end");
  EXPECT_EQ(ReadAll(events), "# made by a test\nidle\nkeydown 65\n");
  EXPECT_EQ(ReadAll(other_name), "keep me\n");
  EXPECT_FALSE(fs::exists(pending[0]));

  const fs::path link = folder / "link.events";
  fs::create_symlink(other_name, link);
  for (const fs::path& refused : {link, fs::path("/dev/null"), fs::path("/tmp")}) {
    EXPECT_EQ(TimelineRecorder::CreateFile(refused, reason), nullptr) << refused;
    EXPECT_EQ(reason, "not a regular file");
  }
  EXPECT_EQ(ReadAll(other_name), "keep me\n");
  EXPECT_EQ(TimelineRecorder::CreateFile("/nonexistent/x.events", reason), nullptr);
  EXPECT_EQ(reason, "No such file or directory");
  fs::remove_all(folder);
}

// What a recording under a file-size limit (a full disk) leaves: the old file as it was, and no
// temporary file. In a child process, so that the limit is the child's alone.
int RecordPastTheFileSizeLimit(const fs::path& events) {
  const rlimit limit = {64, 64};
  if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 10;
  std::signal(SIGXFSZ, SIG_IGN);
  std::string reason;
  std::unique_ptr<TimelineRecorder> recorder = TimelineRecorder::CreateFile(events, reason);
  if (recorder == nullptr) return 11;
  for (int i = 0; i < 20; ++i) recorder->Input(Line(Kind::kKeyDown, 65), Taken::kWhenIdle);
  if (recorder->Save()) return 12;
  if (recorder->error() != "File too large") return 13;
  return 0;
}

TEST(TimelineRecorder, ASessionThatCannotBeWrittenLeavesTheOldFileAsItWas) {
  const fs::path folder = TempPath("record-limit");
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path events = folder / "game.events";
  std::ofstream(events) << "# the recording before\n";
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) _exit(RecordPastTheFileSizeLimit(events));
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadAll(events), "# the recording before\n");

  // Nor does one that is never saved (a run that ended some other way) touch it.
  std::string reason;
  TimelineRecorder::CreateFile(events, reason)->Comment("never saved");
  EXPECT_EQ(ReadAll(events), "# the recording before\n");
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{"game.events"});
  fs::remove_all(folder);
}

}  // namespace
}  // namespace brindle::testing

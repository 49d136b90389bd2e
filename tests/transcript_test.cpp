// The transcript as a user relies on it: what a run printed is in the file even when the run is
// killed, a transcript that cannot be written ends the run with status 2, and running out of
// memory ends it with a message after everything printed so far.
#include "platform/headless/transcript.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "pictures/image.h"
#include "run_brindle.h"

namespace fs = std::filesystem;

namespace brindle::testing {
namespace {

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

fs::path WriteTemp(const std::string& name, const std::string& bytes) {
  const fs::path path = TempPath(name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

constexpr char kStats[] = "box\tTokenizer\tNumber of tokens: ";

// Prints once, then never ends (no events: nothing closes the window).
constexpr char kPrintThenLoop[] =
    "VAR n\n"
    "PRINT 1, 2, 3\n"
    "WHILE n = 0\n"
    "WEND\n";

TEST(Transcript, LinesReachTheFileWhileTheRunGoesOn) {
  const fs::path script = WriteTemp("brindle-tr-loop.bas", kPrintThenLoop);
  const fs::path out = TempPath("brindle-tr-loop.out");
  const pid_t pid = StartBrindle({"--headless", script.string()}, out.string());
  ASSERT_GT(pid, 0);
  std::string seen;
  for (int i = 0; i < 400 && seen.find("print\t1\t2\t3\n") == std::string::npos; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    seen = ReadAll(out);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  EXPECT_EQ(seen.rfind(kStats, 0), 0u) << seen;
  EXPECT_NE(seen.find("print\t1\t2\t3\n"), std::string::npos) << seen;
  fs::remove(script);
  fs::remove(out);
}

// Past the lines flushed one by one, the thread that flushes the rest in blocks takes over,
// and the lines still reach the file while the run goes on.
TEST(Transcript, ManyLinesReachTheFileWhileTheRunGoesOn) {
  const fs::path script = WriteTemp("brindle-tr-many.bas",
                                    "VAR n\n"
                                    "WHILE n < 100\n"
                                    "n = n + 1\n"
                                    "PRINT 0, n, n\n"
                                    "WEND\n"
                                    "WHILE n > 0\n"
                                    "WEND\n");
  const fs::path out = TempPath("brindle-tr-many.out");
  const pid_t pid = StartBrindle({"--headless", script.string()}, out.string());
  ASSERT_GT(pid, 0);
  const std::string last = "print\t0\t100\t100\n";
  std::string seen;
  for (int i = 0; i < 400 && seen.find(last) == std::string::npos; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    seen = ReadAll(out);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  for (int n = 1; n <= 100; ++n) {
    const std::string line = "print\t0\t" + std::to_string(n) + "\t" + std::to_string(n) + "\n";
    EXPECT_NE(seen.find(line), std::string::npos) << line;
  }
  fs::remove(script);
  fs::remove(out);
}

// A short transcript starts no thread: each line is in the stream as soon as it is written.
TEST(Transcript, TheFirstLinesAreFlushedAtOnceAndOnlyMoreStartTheFlusher) {
  const fs::path path = TempPath("brindle-tr-unit.out");
  std::FILE* file = std::fopen(path.string().c_str(), "w");
  ASSERT_NE(file, nullptr);
  {
    Transcript transcript(file);
    std::string expected;
    for (int n = 1; n <= Transcript::kPrintsAtOnce; ++n) {
      transcript.Print(0, n, "x");
      expected += "print\t0\t" + std::to_string(n) + "\tx\n";
      ASSERT_EQ(ReadAll(path), expected) << n;
    }
    EXPECT_FALSE(transcript.flushes_later());
    transcript.Print(0, 0, "y");
    expected += "print\t0\t0\ty\n";
    EXPECT_TRUE(transcript.flushes_later());
    std::string seen;
    for (int i = 0; i < 400 && seen != expected; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      seen = ReadAll(path);
    }
    EXPECT_EQ(seen, expected);
  }
  std::fclose(file);
  fs::remove(path);
}

// The statistics box already cannot be written, so the endless loop is never reached.
TEST(Transcript, AWriteErrorEndsTheRunWithStatusTwo) {
  const fs::path script = WriteTemp("brindle-tr-full.bas", kPrintThenLoop);
  SpawnOptions options;
  options.stdout_path = "/dev/full";
  options.timeout = std::chrono::seconds(20);
  const ProcessResult r = RunBrindle({"--headless", script.string()}, options);
  EXPECT_FALSE(r.timed_out);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "brindle: cannot write the transcript: No space left on device\n");
  fs::remove(script);
}

// A reader that goes away (`| head -1`) is a failed write like any other, not a signal that
// ends the program: the pictures of the run so far (the WCOLOR before the PRINT) are still
// written.
TEST(Transcript, AReaderThatGoesAwayStillGetsThePictures) {
  const fs::path script = WriteTemp("brindle-tr-unread.bas", "WCOLOR 0, 0, 200\nPRINT 0, 0, 1\n");
  const fs::path png = TempPath("brindle-tr-unread.png"), gif = TempPath("brindle-tr-unread.gif");
  SpawnOptions options;
  options.stdout_unread = true;
  const ProcessResult r = RunBrindle({"--headless", "--quiet", "--screenshot", png.string(),
                                      "--gif", gif.string(), script.string()},
                                     options);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "brindle: cannot write the transcript: Broken pipe\n");
  EXPECT_EQ(Image::Load(png.string()).Pixel(700, 500), RgbColor(0, 0, 200));
  EXPECT_TRUE(fs::exists(gif));
  for (const fs::path& p : {script, png, gif}) fs::remove(p);
}

TEST(Transcript, AFailedStreamIsReportedOnTheNextLine) {
  std::FILE* full = std::fopen("/dev/full", "w");
  ASSERT_NE(full, nullptr);
  {
    Transcript transcript(full);
    EXPECT_THROW(transcript.Box("caption", "text"), TranscriptWriteError);
    EXPECT_THROW(transcript.Print(1, 2, "text"), TranscriptWriteError);
    EXPECT_EQ(transcript.Flush(), "No space left on device");
  }
  std::fclose(full);
}

TEST(Transcript, OutOfMemoryEndsWithAMessageAfterWhatWasPrinted) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer needs an unlimited address space";
#endif
  // A 16 MiB string, then copies of it until memory runs out, which it does with less memory
  // than the stored text may take.
  const fs::path script = WriteTemp("brindle-tr-oom.bas",
                                    "STR s, t\n"
                                    "STR a[200]\n"
                                    "VAR i\n"
                                    "PRINT 0, 0, \"before\"\n"
                                    "s = \"0123456789abcdef\"\n"
                                    "WHILE i < 20\n"
                                    "i = i + 1\n"
                                    "t = s\n"
                                    "s = s + t\n"
                                    "WEND\n"
                                    "i = 0\n"
                                    "WHILE i < 200\n"
                                    "i = i + 1\n"
                                    "a[i] = s\n"
                                    "WEND\n"
                                    "PRINT 0, 1, \"not reached\"\n");
  SpawnOptions options;
  options.memory_limit = size_t{192} << 20;
  const ProcessResult r = RunBrindle({"--headless", script.string()}, options);
  EXPECT_EQ(r.status, 4) << r.err;
  EXPECT_EQ(r.err, "brindle: out of memory\n");
  EXPECT_NE(r.out.find("print\t0\t0\tbefore\n"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("not reached"), std::string::npos);
  fs::remove(script);
}

}  // namespace
}  // namespace brindle::testing

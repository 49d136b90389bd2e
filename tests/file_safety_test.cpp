// Files Brindle writes and reads on a user's behalf: a screenshot replaces only the regular
// file it names, and no input (script, timeline, picture) can make a run wait or read for ever.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "files/file_read.h"
#include "files/file_replace.h"
#include "pictures/image.h"
#include "run_brindle.h"

namespace fs = std::filesystem;

namespace brindle::testing {
namespace {

constexpr std::chrono::seconds kNoHang{20};

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A fresh folder per test, removed afterwards.
class Folder : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("brindle-files-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path Path(const std::string& name) const { return dir_ / name; }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  fs::path Script(const std::string& text) const {
    WriteFile(Path("s.bas"), text);
    return Path("s.bas");
  }
  fs::path dir_;
};

using Screenshots = Folder;

const std::vector<unsigned char> kBytes = {'p', 'n', 'g'};

TEST_F(Screenshots, NeitherATemporaryNameNorWhatItLinksToIsTouched) {
  WriteFile(Path("victim"), "keep");
  fs::create_symlink(Path("victim"), Path("shot.png.tmp"));
  WriteFile(Path("other.png.tmp"), "mine");
  std::string reason;
  ASSERT_TRUE(ReplaceFile(Path("shot.png").string(), kBytes, reason)) << reason;
  ASSERT_TRUE(ReplaceFile(Path("other.png").string(), kBytes, reason)) << reason;
  EXPECT_EQ(ReadAll(Path("victim")), "keep");
  EXPECT_TRUE(fs::is_symlink(Path("shot.png.tmp")));
  EXPECT_EQ(ReadAll(Path("other.png.tmp")), "mine");
  EXPECT_EQ(ReadAll(Path("shot.png")), "png");
  // Nothing is left behind.
  EXPECT_EQ(Names(), (std::vector<std::string>{"other.png", "other.png.tmp", "shot.png",
                                               "shot.png.tmp", "victim"}));
}

TEST_F(Screenshots, AnExistingRegularFileIsReplacedWithTheUsualPermissions) {
  WriteFile(Path("shot.png"), "old picture");
  fs::permissions(Path("shot.png"), fs::perms::owner_read | fs::perms::owner_write);
  const mode_t mask = umask(022);
  std::string reason;
  ASSERT_TRUE(ReplaceFile(Path("shot.png").string(), kBytes, reason)) << reason;
  umask(mask);
  EXPECT_EQ(ReadAll(Path("shot.png")), "png");
  struct stat st;
  ASSERT_EQ(stat(Path("shot.png").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST_F(Screenshots, NamesThatAreNotRegularFilesAreRefusedAndLeftAlone) {
  ASSERT_EQ(mkfifo(Path("fifo").c_str(), 0600), 0);
  fs::create_directory(Path("folder"));
  WriteFile(Path("target"), "keep");
  fs::create_symlink(Path("target"), Path("link"));
  for (const std::string name : {"fifo", "folder", "link"}) {
    std::string reason;
    EXPECT_FALSE(ReplaceFile(Path(name).string(), kBytes, reason)) << name;
    EXPECT_EQ(reason, "not a regular file") << name;
  }
  EXPECT_EQ(ReplaceProblem("/dev/null"), "not a regular file");
  EXPECT_EQ(ReplaceProblem(""), "no file name");
  EXPECT_TRUE(fs::is_fifo(Path("fifo")));
  EXPECT_TRUE(fs::is_directory(Path("folder")));
  EXPECT_TRUE(fs::is_symlink(Path("link")));
  EXPECT_EQ(ReadAll(Path("target")), "keep");
  EXPECT_EQ(Names(), (std::vector<std::string>{"fifo", "folder", "link", "target"}));
}

// Refused before the run: nothing is printed, and the FIFO is not opened (which would wait).
TEST_F(Screenshots, CommandLineRefusesAFifoTarget) {
  ASSERT_EQ(mkfifo(Path("shot.png").c_str(), 0600), 0);
  SpawnOptions options;
  options.timeout = kNoHang;
  const ProcessResult r = RunBrindle(
      {"--headless", "--screenshot", Path("shot.png").string(), Script("PRINT 1, 2, 3\n")},
      options);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "brindle: cannot write " + Path("shot.png").string() + ": not a regular file\n");
  EXPECT_TRUE(fs::is_fifo(Path("shot.png")));
}

TEST_F(Screenshots, TimelineScreenshotThroughASymlinkIsRefused) {
  WriteFile(Path("victim"), "keep");
  fs::create_symlink(Path("victim"), Path("shot.png"));
  WriteFile(Path("e.events"), "screenshot shot.png\n");
  const ProcessResult r =
      RunBrindle({"--headless", "--events", "e.events", Script("PRINT 1, 2, 3\n")}, dir_.string());
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "brindle: cannot write shot.png: not a regular file\n");
  EXPECT_EQ(ReadAll(Path("victim")), "keep");
  EXPECT_TRUE(fs::is_symlink(Path("shot.png")));
}

// A timeline's screenshot that fails is reported when it happens, with the reason, and the run
// goes on; the status then says that a file could not be written.
TEST_F(Screenshots, TimelineScreenshotFailuresAreReportedAtOnceWithTheReason) {
  WriteFile(Path("e.events"), "screenshot no-such-folder/a.png\nidle\nkey 65\nscreenshot b.png\n");
  const ProcessResult r =
      RunBrindle({"--headless", "--events", "e.events",
                  Script("GOTO start\nWINMSG WMKEYDOWN\nPRINT 1, 2, 3\nENDWM\nLABEL start\n")},
                 dir_.string());
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "brindle: cannot write no-such-folder/a.png: No such file or directory\n");
  EXPECT_NE(r.out.find("print\t1\t2\t3\n"), std::string::npos);
  EXPECT_TRUE(fs::exists(Path("b.png")));
}

// A timeline may come from anyone: its screenshots go in or below the current folder, through
// no link that leads out of it. Others are refused where they stand, and the run goes on as
// it would without them.
TEST_F(Screenshots, TimelineScreenshotsStayInOrBelowTheCurrentFolder) {
  const fs::path work = Path("work");
  fs::create_directories(work / "sub");
  fs::create_directory_symlink(dir_, work / "out");
  fs::create_directory_symlink(work / "sub", work / "inner");
  WriteFile(Path("victim.png"), "keep");
  const std::string absolute = Path("victim.png").string();
  WriteFile(work / "e.events", "screenshot " + absolute +
                                   "\nscreenshot ../victim.png\nidle\nkey 65\n"
                                   "screenshot sub/../../victim.png\nscreenshot out/victim.png\n"
                                   "screenshot ./here.png\nscreenshot sub/below.png\n"
                                   "screenshot inner/linked.png\n");
  const std::string script =
      Script("GOTO start\nWINMSG WMKEYDOWN\nPRINT 1, 2, 3\nENDWM\nLABEL start\n").string();
  const ProcessResult r = RunBrindle(
      {"--headless", "--events", "e.events", "--screenshot", "end.png", script}, work.string());
  EXPECT_EQ(r.status, 2);
  const std::string rule = " (a timeline writes only in or below the current folder)\n";
  EXPECT_EQ(r.err, "brindle: e.events:1: screenshot " + absolute + " refused: an absolute path" +
                       rule +
                       "brindle: e.events:2: screenshot ../victim.png refused: a \"..\" in the "
                       "path" +
                       rule +
                       "brindle: e.events:5: screenshot sub/../../victim.png refused: a \"..\" "
                       "in the path" +
                       rule +
                       "brindle: e.events:6: screenshot out/victim.png refused: its folder leads "
                       "out of the current folder\n");
  EXPECT_EQ(r.out,
            "box\tTokenizer\tNumber of tokens: 18\\r\\nNumber of lines: 5\n"
            "print\t1\t2\t3\n");
  EXPECT_EQ(ReadAll(Path("victim.png")), "keep");
  EXPECT_TRUE(fs::exists(work / "here.png"));
  EXPECT_TRUE(fs::exists(work / "sub" / "below.png"));
  EXPECT_TRUE(fs::exists(work / "sub" / "linked.png"));
  EXPECT_TRUE(fs::exists(work / "end.png")) << "the run's own picture is written all the same";
  // The command line's own --screenshot is the user's: it may go anywhere.
  const ProcessResult own = RunBrindle({"--headless", "--screenshot", absolute, script});
  EXPECT_EQ(own.status, 0) << own.err;
  EXPECT_NE(ReadAll(Path("victim.png")), "keep");
}

using Outputs = Folder;

// The recording's file is checked before a window is looked for: a script named first by a
// slip (--record game.bas game.events) is kept, and an earlier recording or an empty file may
// be replaced.
TEST_F(Outputs, RecordReplacesOnlyAnEarlierRecordingOrAnEmptyFile) {
  Script("VAR x\n");
  WriteFile(Path("game.events"),
            "# A session of s.bas recorded by brindle --record. To replay "
            "it:\nidle\nclose\n");
  WriteFile(Path("empty.events"), "");
  SpawnOptions options;
  options.cwd = dir_.string();
  options.environment = {"DISPLAY=", "WAYLAND_DISPLAY="};
  const ProcessResult swapped = RunBrindle({"--record", "s.bas", "game.events"}, options);
  EXPECT_EQ(swapped.status, 2);
  EXPECT_EQ(swapped.err,
            "brindle: cannot write s.bas: not a recording (--record replaces only an earlier "
            "recording or an empty file)\n");
  EXPECT_EQ(ReadAll(Path("s.bas")), "VAR x\n");
  for (const char* file : {"game.events", "empty.events", "new.events"}) {
    const ProcessResult r = RunBrindle({"--record", file, "s.bas"}, options);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("brindle: cannot open a window: ", 0), 0u) << file << ": " << r.err;
  }
}

// A file the run writes would replace what it names: never the script, the timeline or
// another output, however the name is spelt. Refused before the run, with every file kept.
TEST_F(Outputs, AnOutputThatIsAnInputOrAnotherOutputIsRefused) {
  const std::string script = "PRINT 1, 2, 3\n";
  Script(script);
  WriteFile(Path("e.events"), "idle\n");
  fs::create_hard_link(Path("s.bas"), Path("hard.bas"));
  fs::create_directory_symlink(dir_, Path("again"));
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--headless", "--screenshot", "s.bas", "s.bas"},
       "cannot write s.bas: --screenshot names the script"},
      {{"--headless", "--events", "e.events", "--gif", "e.events", "s.bas"},
       "cannot write e.events: --gif names the events file"},
      {{"--headless", "--screenshot", "again/./s.bas", "s.bas"},
       "cannot write again/./s.bas: --screenshot names the script"},
      {{"--headless", "--gif", "hard.bas", "s.bas"},
       "cannot write hard.bas: --gif names the script"},
      {{"--headless", "--screenshot", "x.png", "--gif", "again/x.png", "s.bas"},
       "cannot write again/x.png: --screenshot and --gif name the same file"},
      {{"--dump", "--screenshot", "x.png", "--gif", "x.png", "s.bas"},
       "cannot write x.png: --screenshot and --gif name the same file"},
      {{"--record", "s.bas", "s.bas"}, "cannot write s.bas: --record names the script"},
      {{"--record", "x.events", "--screenshot", "x.events", "s.bas"},
       "cannot write x.events: --screenshot and --record name the same file"},
  };
  SpawnOptions options;
  options.cwd = dir_.string();
  options.environment = {"DISPLAY=", "WAYLAND_DISPLAY="};
  for (const auto& [args, message] : cases) {
    const ProcessResult r = RunBrindle(args, options);
    EXPECT_EQ(r.status, 2) << message;
    EXPECT_EQ(r.err, "brindle: " + message + "\n");
    EXPECT_EQ(r.out, "") << message;
  }
  EXPECT_EQ(ReadAll(Path("s.bas")), script);
  EXPECT_EQ(ReadAll(Path("e.events")), "idle\n");
  EXPECT_EQ(Names(), (std::vector<std::string>{"again", "e.events", "hard.bas", "s.bas"}));
  // Outputs of their own run as before.
  const ProcessResult apart =
      RunBrindle({"--headless", "--screenshot", "x.png", "--gif", "x.gif", "s.bas"}, options);
  EXPECT_EQ(apart.status, 0) << apart.err;
}

using Inputs = Folder;

// A FIFO with no writer reads as empty at once; a pipe from the shell is read to its end.
TEST_F(Inputs, FifoScriptAndTimelineDoNotWait) {
  ASSERT_EQ(mkfifo(Path("fifo").c_str(), 0600), 0);
  SpawnOptions options;
  options.timeout = kNoHang;
  const ProcessResult script = RunBrindle({"--headless", Path("fifo").string()}, options);
  EXPECT_FALSE(script.timed_out);
  EXPECT_EQ(script.status, 1);  // an empty script has no line end
  const ProcessResult events = RunBrindle(
      {"--headless", "--events", Path("fifo").string(), Script("PRINT 1, 2, 3\n")}, options);
  EXPECT_FALSE(events.timed_out);
  EXPECT_EQ(events.status, 0);
  EXPECT_NE(events.out.find("print\t1\t2\t3\n"), std::string::npos);
}

TEST_F(Inputs, FifoPictureIsNoPicture) {
  ASSERT_EQ(mkfifo(Path("pic.bmp").c_str(), 0600), 0);
  SpawnOptions options;
  options.timeout = kNoHang;
  const ProcessResult r = RunBrindle({"--headless", Script("PTR p\n"
                                                           "LOADIMG p, \"pic.bmp\", 0, 0, 0, 16\n"
                                                           "PRINT 0, 0, p\n")},
                                     options);
  EXPECT_FALSE(r.timed_out);
  EXPECT_NE(r.out.find("print\t0\t0\t0\n"), std::string::npos) << r.out;
  EXPECT_TRUE(Image::Load("/dev/zero").is_null());
}

TEST_F(Inputs, DevicesAndOversizedFilesAreRefusedWithTheReason) {
  const ProcessResult zero = RunBrindle({"--headless", "/dev/zero"});
  EXPECT_EQ(zero.status, 2);
  EXPECT_EQ(zero.err, "brindle: cannot read /dev/zero: not a regular file\n");
  const ProcessResult events = RunBrindle({"--headless", "--events", "/dev/zero", "x.bas"});
  EXPECT_EQ(events.status, 2);

  std::string big(kMaxSourceBytes + 1, ' ');
  big.back() = '\n';
  WriteFile(Path("big.bas"), big);
  const ProcessResult r = RunBrindle({"--check", Path("big.bas").string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "brindle: cannot read " + Path("big.bas").string() + ": larger than 16 MiB\n");
  EXPECT_EQ(r.out, "");
}

// /dev/null is the usual way to say "no events": it reads as an empty file.
TEST_F(Inputs, DevNullReadsAsAnEmptyFile) {
  const ProcessResult events =
      RunBrindle({"--headless", "--events", "/dev/null", Script("PRINT 1, 2, 3\n").string()});
  EXPECT_EQ(events.status, 0) << events.err;
  EXPECT_NE(events.out.find("print\t1\t2\t3\n"), std::string::npos);
  const ProcessResult script = RunBrindle({"--check", "/dev/null"});
  EXPECT_EQ(script.status, 1);  // no line end: the tokenizer's fault, as for an empty file
  EXPECT_EQ(script.err, "");
}

// Whether reading /proc/kmsg here would wait: it empties the kernel's log to find out.
bool KernelLogWouldWait() {
  const int fd = open("/proc/kmsg", O_RDONLY | O_NONBLOCK);
  if (fd < 0) return false;
  char buffer[8192];
  ssize_t n;
  while ((n = read(fd, buffer, sizeof buffer)) > 0) {
  }
  const bool would_wait = n < 0 && errno == EAGAIN;
  close(fd);
  return would_wait;
}

// /proc/kmsg calls itself a regular file, but a read waits for the kernel's next message.
TEST_F(Inputs, AFileThatWouldWaitForDataIsRefused) {
  if (!KernelLogWouldWait()) GTEST_SKIP() << "no /proc/kmsg that waits here";
  SpawnOptions options;
  options.timeout = kNoHang;
  const std::string waits =
      "brindle: cannot read /proc/kmsg: reading it would wait for more data\n";
  const ProcessResult script = RunBrindle({"--headless", "/proc/kmsg"}, options);
  EXPECT_FALSE(script.timed_out);
  EXPECT_EQ(script.status, 2);
  EXPECT_EQ(script.err, waits);
  const ProcessResult events =
      RunBrindle({"--headless", "--events", "/proc/kmsg", Script("PRINT 1, 2, 3\n")}, options);
  EXPECT_FALSE(events.timed_out);
  EXPECT_EQ(events.err, waits);
  const ProcessResult picture = RunBrindle(
      {"--headless", Script("PTR p\nLOADIMG p, \"/proc/kmsg\", 0, 0, 0, 16\nPRINT 0, 0, p\n")},
      options);
  EXPECT_FALSE(picture.timed_out);
  EXPECT_NE(picture.out.find("print\t0\t0\t0\n"), std::string::npos) << picture.out;
}

TEST_F(Inputs, ReadingStopsAtTheLimitWhateverTheFileClaims) {
  std::string bytes, reason;
  EXPECT_FALSE(ReadWholeFile("/dev/urandom", 1 << 20, FileKinds::kRegularOrPipe, bytes, reason));
  EXPECT_EQ(reason, "not a regular file");
  WriteFile(Path("f"), std::string(1 << 20, 'x'));
  EXPECT_TRUE(ReadWholeFile(Path("f").string(), 1 << 20, FileKinds::kRegular, bytes, reason));
  EXPECT_EQ(bytes.size(), size_t{1} << 20);
  EXPECT_FALSE(
      ReadWholeFile(Path("f").string(), (1 << 20) - 1, FileKinds::kRegular, bytes, reason));
  EXPECT_EQ(reason, "larger than 1048575 bytes");
}

}  // namespace
}  // namespace brindle::testing

// The program under the limits a user's shell can set: a file-size limit (ulimit -f) ends a
// write with a message, never the process; a tight address space (ulimit -v) still runs a
// small script or ends it as out of memory, never as an internal fault.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "run_brindle.h"

namespace fs = std::filesystem;

namespace brindle::testing {
namespace {

class ProcessLimits : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = TempPath(std::string("process-limits-") +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Script(const std::string& text) const {
    const fs::path path = dir_ / "s.bas";
    std::ofstream(path) << text;
    return path.string();
  }
  fs::path dir_;
};

const char kManyPrints[] =
    "VAR i\nWHILE i < 2000\ni = i + 1\nPRINT 0, 0, \"a line that fills the transcript\"\nWEND\n";

TEST_F(ProcessLimits, PastTheFileSizeLimitAWriteFailsWithAMessage) {
  SpawnOptions options;
  options.file_size_limit = 4096;
  options.stdout_path = (dir_ / "out.txt").string();
  const ProcessResult transcript = RunBrindle({"--headless", Script(kManyPrints)}, options);
  EXPECT_EQ(transcript.status, 2);
  EXPECT_EQ(transcript.err, "brindle: cannot write the transcript: File too large\n");

  // The screenshot's temporary file is removed and the named file never appears.
  // Room for the transcript's one line, not for the picture.
  const fs::path shot = dir_ / "shot.png";
  options.file_size_limit = 200;
  options.stdout_path = (dir_ / "out2.txt").string();
  const ProcessResult screenshot = RunBrindle(
      {"--headless", "--screenshot", shot.string(), Script("WCOLOR 1, 2, 3\n")}, options);
  EXPECT_EQ(screenshot.status, 2);
  EXPECT_EQ(screenshot.err, "brindle: cannot write " + shot.string() + ": File too large\n");
  for (const auto& entry : fs::directory_iterator(dir_)) {
    EXPECT_EQ(entry.path().filename().string().rfind(".brindle-", 0), std::string::npos)
        << entry.path();
  }
  EXPECT_FALSE(fs::exists(shot));
}

// Room for the program and a small script, but not for a thread with the usual 8 MiB stack.
TEST_F(ProcessLimits, ATightAddressSpaceIsNoInternalFault) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer needs an unlimited address space";
#endif
  SpawnOptions options;
  options.memory_limit = size_t{14} << 20;
  const ProcessResult r = RunBrindle({"--headless", Script(kManyPrints)}, options);
  ASSERT_TRUE(r.status == 0 || r.status == 4) << r.status << " " << r.err;
  if (r.status == 0) {
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("print\t0\t0\ta line that fills the transcript\n"), std::string::npos);
  } else {
    EXPECT_EQ(r.err, "brindle: out of memory\n");
  }
}

}  // namespace
}  // namespace brindle::testing

// --watch's file watch: a save counts once it has settled, however the editor saves, and
// nothing else in the folder counts.
#include "files/file_watch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "run_brindle.h"

namespace fs = std::filesystem;

namespace brindle::testing {
namespace {

constexpr uint64_t kSettle = FileWatch::kSettleMs;

class FileWatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = TempPath("watch-folder");
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    script_ = folder_ / "game.bas";
    Write(script_, "VAR x\n");
    std::string reason;
    watch_ = FileWatch::Open(script_, reason);
    ASSERT_NE(watch_, nullptr) << reason;
  }
  void TearDown() override { fs::remove_all(folder_); }
  static void Write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }

  fs::path folder_, script_;
  std::unique_ptr<FileWatch> watch_;
};

TEST_F(FileWatchTest, AWriteInPlaceCountsOnceWhenSettled) {
  EXPECT_FALSE(watch_->SavedBy(1000));
  EXPECT_EQ(watch_->MsUntilSettled(1000), -1);
  Write(script_, "VAR y\n");
  EXPECT_FALSE(watch_->SavedBy(1000)) << "not settled yet";
  EXPECT_EQ(watch_->MsUntilSettled(1040), static_cast<int>(kSettle - 40));
  Write(script_, "VAR z\n");  // the same burst goes on
  EXPECT_FALSE(watch_->SavedBy(1050));
  EXPECT_FALSE(watch_->SavedBy(1050 + kSettle - 1));
  EXPECT_TRUE(watch_->SavedBy(1050 + kSettle));
  EXPECT_FALSE(watch_->SavedBy(5000)) << "taken";
}

TEST_F(FileWatchTest, ARenameOverTheFileCounts) {
  Write(folder_ / "game.bas.swp", "VAR y\n");
  EXPECT_FALSE(watch_->SavedBy(0)) << "another file of the folder";
  fs::rename(folder_ / "game.bas.swp", script_);
  EXPECT_FALSE(watch_->SavedBy(10));
  EXPECT_TRUE(watch_->SavedBy(10 + kSettle));
}

TEST_F(FileWatchTest, ADeletedFileIsWaitedFor) {
  fs::remove(script_);
  EXPECT_FALSE(watch_->SavedBy(0));
  EXPECT_FALSE(watch_->SavedBy(10 * kSettle));
  Write(script_, "VAR y\n");
  watch_->SavedBy(20 * kSettle);
  EXPECT_TRUE(watch_->SavedBy(21 * kSettle)) << "back again";
}

// a/link.bas -> ../b/real.bas: an editor saves real.bas in b, which is watched for it, while
// a is still watched for the link itself being replaced.
class LinkWatchTest : public FileWatchTest {
 protected:
  void SetUp() override {
    folder_ = TempPath("watch-link");
    fs::remove_all(folder_);
    for (const char* sub : {"a", "b", "c"}) fs::create_directories(folder_ / sub);
    real_ = folder_ / "b" / "real.bas";
    Write(real_, "VAR x\n");
    link_ = folder_ / "a" / "link.bas";
    fs::create_symlink("../b/real.bas", link_);
    std::string reason;
    watch_ = FileWatch::Open(link_, reason);
    ASSERT_NE(watch_, nullptr) << reason;
  }
  // Whether a save counts once it has settled.
  bool Saved() {
    now_ += 10;
    watch_->SavedBy(now_);
    now_ += kSettle;
    return watch_->SavedBy(now_);
  }

  fs::path real_, link_;
  uint64_t now_ = 0;
};

TEST_F(LinkWatchTest, SavesWhereTheLinkLeadsCount) {
  Write(real_, "VAR y\n");
  EXPECT_TRUE(Saved()) << "written in place";
  Write(folder_ / "b" / "real.bas.new", "VAR z\n");
  EXPECT_FALSE(Saved()) << "another file of the target's folder";
  fs::rename(folder_ / "b" / "real.bas.new", real_);
  EXPECT_TRUE(Saved()) << "renamed over the target";
  Write(folder_ / "a" / "real.bas", "VAR w\n");
  EXPECT_FALSE(Saved()) << "the target's name in the link's folder";
}

TEST_F(LinkWatchTest, ALinkReplacedToLeadElsewhereIsFollowed) {
  const fs::path other = folder_ / "c" / "other.bas";
  Write(other, "VAR x\n");
  fs::create_symlink("../c/other.bas", folder_ / "a" / "link.new");
  fs::rename(folder_ / "a" / "link.new", link_);
  EXPECT_TRUE(Saved()) << "the link renamed into place";
  Write(other, "VAR y\n");
  EXPECT_TRUE(Saved()) << "the new target";
  Write(real_, "VAR y\n");
  EXPECT_FALSE(Saved()) << "the old target";
  // As ln -sf does it: the link removed and made again, in one step.
  fs::remove(link_);
  fs::create_symlink("../b/real.bas", link_);
  EXPECT_TRUE(Saved()) << "the link made again";
  Write(real_, "VAR z\n");
  EXPECT_TRUE(Saved());
}

TEST(FileWatch, OnlyARegularFileIsWatched) {
  std::string reason;
  EXPECT_EQ(FileWatch::Open("/nonexistent/game.bas", reason), nullptr);
  EXPECT_EQ(reason, "No such file or directory");
  EXPECT_EQ(FileWatch::Open("/dev/null", reason), nullptr);
  EXPECT_EQ(reason, "not a regular file");
}

}  // namespace
}  // namespace brindle::testing

// Loaded pictures: handles stay unique, and a picture no handle reaches any more is freed, so a
// script that loads in a loop holds a bounded number of pictures.
#include "runtime/image_store.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "run_brindle.h"

namespace brindle {
namespace {

Image Picture(int width, int height) {
  return Image(width, height, std::vector<ColorRef>(static_cast<size_t>(width) * height, 1));
}

TEST(ImageStore, CollectFreesWhatIsNotLiveAndNeverReusesAHandle) {
  ImageStore store;
  EXPECT_EQ(store.Add(Picture(1, 1)), 1);
  EXPECT_EQ(store.Add(Picture(2, 1)), 2);
  EXPECT_EQ(store.Add(Picture(3, 1)), 3);
  store.Collect({2, 7, 0});
  EXPECT_EQ(store.Find(1), nullptr);
  ASSERT_NE(store.Find(2), nullptr);
  EXPECT_EQ(store.Find(2)->width(), 2);
  EXPECT_EQ(store.Find(3), nullptr);
  EXPECT_EQ(store.Add(Picture(4, 1)), 4);
  EXPECT_EQ(store.size(), 2u);
}

TEST(ImageStore, APictureThatDoesNotFitGetsNoHandle) {
  ImageStore store(100);
  EXPECT_EQ(store.Add(Picture(10, 5)), 1);
  EXPECT_EQ(store.Add(Picture(10, 5)), 2);
  EXPECT_FALSE(store.Fits(Picture(1, 1)));
  EXPECT_EQ(store.Add(Picture(1, 1)), 0);
  store.Collect({2});
  EXPECT_EQ(store.Add(Picture(1, 1)), 3);
}

// Collecting is worth it once the pictures held have doubled since the last collection.
TEST(ImageStore, WantsCollectWhenCountOrPixelsHaveGrown) {
  ImageStore by_count;
  while (!by_count.WantsCollect()) by_count.Add(Picture(1, 1));
  EXPECT_GT(by_count.size(), 8u);
  EXPECT_LT(by_count.size(), 1000u);
  by_count.Collect({});
  EXPECT_FALSE(by_count.WantsCollect());

  ImageStore by_pixels;
  int loads = 0;
  while (!by_pixels.WantsCollect()) {
    by_pixels.Add(Picture(4096, 1024));
    ++loads;
  }
  EXPECT_LT(loads, 8);
}

// A handler loads 1500 pictures of 1 MiB into one variable, after the first picture's slot has
// been handed out again: in 768 MiB the run ends normally, and the first picture, now held by
// its variable alone, is the one SHOWIMG draws.
TEST(ImageStore, LoadingInALoopKeepsOnlyReachablePictures) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer needs an unlimited address space";
#endif
  namespace fs = std::filesystem;
  const fs::path png = testing::TempPath("brindle-image-loop.png");
  testing::SpawnOptions options;
  options.cwd = std::string(BRINDLE_TEST_DIR) + "/scripts";
  options.memory_limit = size_t{768} << 20;
  const testing::ProcessResult r =
      testing::RunBrindle({"--headless", "--events", "gfx_image_loop.events", "--screenshot",
                           png.string(), "gfx_image_loop.bas"},
                          options);
  EXPECT_EQ(r.status, 0) << r.err;
  const Image shot = Image::Load(png.string());
  EXPECT_EQ(shot.Pixel(10, 10), RgbColor(255, 0, 0));
  EXPECT_EQ(shot.Pixel(13, 10), RgbColor(0, 0, 255));
  fs::remove(png);
}

}  // namespace
}  // namespace brindle

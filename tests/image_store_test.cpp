// Loaded pictures: handles stay unique, and a picture no handle reaches any more is freed, so a
// script that loads in a loop holds a bounded number of pictures.
#include "exec/image_store.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "host/driver.h"
#include "host/interpreter.h"
#include "platform/headless.h"

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

// 3000 loads into one variable: only the pictures that slots and variables still hold stay,
// and the first picture, kept in a slot and an array element, still draws.
TEST(ImageStore, LoadingInALoopKeepsOnlyReachablePictures) {
  HeadlessPlatform platform(nullptr);
  Interpreter in(platform);
  in.source.path = std::string(BRINDLE_TEST_DIR) + "/scripts/loop.bas";
  in.source.text =
      "PTR first, tmp\n"
      "PTR saved[2]\n"
      "VAR i\n"
      "LOADIMG first, \"gfx_img.bmp\", 0, 0, 0, 16\n"
      "saved[1] = first\n"
      "WHILE i < 3000\n"
      "i = i + 1\n"
      "LOADIMG tmp, \"gfx_img.bmp\", 0, 2, 2, 16\n"
      "WEND\n"
      "SHOWIMG first, 10, 10, 5, 4\n";
  EXPECT_EQ(RunProgram(in, RunOptions{}), 0);
  EXPECT_EQ(in.values.var_ptr[2], 3001);  // tmp, the second variable declared
  EXPECT_LT(in.exec.images.store.size(), 400u);
  EXPECT_NE(in.exec.images.Find(1), nullptr);
  EXPECT_NE(in.exec.images.Find(3001), nullptr);
  EXPECT_EQ(in.canvas.Pixel(13, 10), RgbColor(0, 0, 255));
}

}  // namespace
}  // namespace brindle

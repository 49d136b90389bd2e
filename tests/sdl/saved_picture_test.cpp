// The names F12 saves the window's picture under.
#include "platform/sdl/saved_picture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <set>

namespace brindle::testing {
namespace {

TEST(SavedPictureName, TheLocalTimeToTheSecondThenANumberForMoreInThatSecond) {
  setenv("TZ", "UTC", 1);
  tzset();
  const std::time_t when = 1700000000;  // 2023-11-14 22:13:20 UTC
  std::set<std::string> taken;
  const auto is_taken = [&](const std::string& name) { return taken.count(name) > 0; };
  EXPECT_EQ(SavedPictureName(when, is_taken), "brindle-20231114-221320.png");
  taken.insert("brindle-20231114-221320.png");
  EXPECT_EQ(SavedPictureName(when, is_taken), "brindle-20231114-221320-2.png");
  for (int n = 2; n <= kMaxSavedPicturesASecond; ++n) {
    taken.insert("brindle-20231114-221320-" + std::to_string(n) + ".png");
  }
  EXPECT_EQ(SavedPictureName(when, is_taken), std::nullopt) << "nothing is overwritten";
}

}  // namespace
}  // namespace brindle::testing

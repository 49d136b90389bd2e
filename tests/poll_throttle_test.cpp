// The throttle of checks asked for at every token.
#include "platform/poll_throttle.h"

#include <gtest/gtest.h>

namespace brindle::testing {
namespace {

TEST(PollThrottle, ReadsTheClockOnEveryFewCallsAndLooksAtMostOnceAMillisecond) {
  PollThrottle throttle;
  uint64_t now = 1000;
  int clock_reads = 0;
  auto clock = [&] {
    ++clock_reads;
    return now;
  };
  EXPECT_TRUE(throttle.Due(clock)) << "the first call looks";
  int looks = 0;
  for (int i = 0; i < 10 * PollThrottle::kCallsPerClockRead; ++i) looks += throttle.Due(clock);
  EXPECT_EQ(looks, 0) << "the clock has not moved";
  EXPECT_EQ(clock_reads, 11);
  now += 1;
  for (int i = 0; i < PollThrottle::kCallsPerClockRead - 1; ++i) EXPECT_FALSE(throttle.Due(clock));
  EXPECT_TRUE(throttle.Due(clock)) << "a millisecond later, at the next clock read";
  throttle.LookAgain();
  EXPECT_TRUE(throttle.Due(clock)) << "at once, in the same millisecond";
}

}  // namespace
}  // namespace brindle::testing

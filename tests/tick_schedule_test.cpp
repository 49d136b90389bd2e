// The window's timer: when ticks fall due, and that they never queue up.
#include "platform/tick_schedule.h"

#include <gtest/gtest.h>

namespace brindle::testing {
namespace {

TEST(TickSchedule, TicksFallDueEveryIntervalFromTheStart) {
  TickSchedule timer;
  EXPECT_FALSE(timer.Take(1000)) << "not started";
  timer.Start(1000, 100);
  EXPECT_EQ(timer.due_ms(), 1100u);
  EXPECT_FALSE(timer.Take(1099));
  EXPECT_TRUE(timer.Take(1100));
  EXPECT_FALSE(timer.Take(1100)) << "one tick, taken once";
  EXPECT_TRUE(timer.Take(1203)) << "a late take";
  EXPECT_EQ(timer.due_ms(), 1300u) << "the grid stays where it was";
}

TEST(TickSchedule, MissedTicksAreDroppedNotQueued) {
  TickSchedule timer;
  timer.Start(0, 10);
  EXPECT_TRUE(timer.Take(95)) << "nine ticks fell due: one is taken";
  EXPECT_FALSE(timer.Take(99));
  EXPECT_EQ(timer.due_ms(), 100u);
  EXPECT_TRUE(timer.Take(100)) << "a take exactly on the grid";
  EXPECT_EQ(timer.due_ms(), 110u);
}

// What a clock that jumps from event to event (headless) asks: the first tick after a moment,
// strictly after it, whether or not the ticks before it were taken; asking takes nothing.
TEST(TickSchedule, FirstDueAfterIsTheNextGridPointAndTakesNothing) {
  TickSchedule timer;
  timer.Start(1000, 100);
  EXPECT_EQ(timer.FirstDueAfter(1000), 1100u);
  EXPECT_EQ(timer.FirstDueAfter(1099), 1100u);
  EXPECT_EQ(timer.FirstDueAfter(1100), 1200u) << "a tick due exactly now is not after now";
  EXPECT_EQ(timer.FirstDueAfter(1750), 1800u) << "untaken ticks are passed over";
  EXPECT_EQ(timer.due_ms(), 1100u);
  EXPECT_TRUE(timer.Take(1750));
  EXPECT_EQ(timer.due_ms(), timer.FirstDueAfter(1750)) << "a take moves to the same point";
  timer.Start(0, 0);
  EXPECT_EQ(timer.FirstDueAfter(41), 42u) << "a zero interval counts as 1";
}

TEST(TickSchedule, StopAndRestart) {
  TickSchedule timer;
  timer.Start(0, 10);
  timer.Stop();
  EXPECT_FALSE(timer.running());
  EXPECT_FALSE(timer.Take(50)) << "a stopped timer's pending tick is gone";
  timer.Start(53, 20);
  EXPECT_FALSE(timer.Take(70));
  EXPECT_TRUE(timer.Take(73)) << "counted from the latest start";
  timer.Start(0, 0);
  EXPECT_TRUE(timer.Take(1)) << "a zero interval counts as 1";
  timer.Start(0, 2147483647);
  EXPECT_FALSE(timer.Take(2147483646));
  EXPECT_TRUE(timer.Take(2147483647));
}

}  // namespace
}  // namespace brindle::testing

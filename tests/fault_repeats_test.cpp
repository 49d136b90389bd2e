// A fault met again and again (a handler the timer runs again) is one terminal line and a count;
// --stop-on-error ends the program at the first.
#include "host/fault_repeats.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "run_brindle.h"

namespace brindle {
namespace {

using testing::RunBrindle;
using testing::TempPath;

TEST(FaultRepeats, RepeatsAreCountedAndWrittenOnceWithTheirCount) {
  std::vector<std::string> written;
  FaultRepeats faults([&written](const std::string& line) { written.push_back(line); });
  for (const char* line : {"a", "b", "a", "a", "c", "b"}) faults.Report(line);
  EXPECT_EQ(written, (std::vector<std::string>{"a", "b", "c"}));
  faults.Flush();
  EXPECT_EQ(written,
            (std::vector<std::string>{"a", "b", "c", "a (again 2 times)", "b (again 1 time)"}));
  // Counting starts afresh: the next run's first fault is written at once.
  faults.Report("a");
  faults.Flush();
  EXPECT_EQ(written.back(), "a");
}

TEST(FaultRepeats, LinesPastTheRememberedOnesAreWrittenEveryTime) {
  size_t count = 0;
  FaultRepeats faults([&count](const std::string&) { ++count; });
  for (size_t i = 0; i < FaultRepeats::kMaxRemembered; ++i) faults.Report(std::to_string(i));
  faults.Report("new");
  faults.Report("new");
  faults.Report("0");
  EXPECT_EQ(count, FaultRepeats::kMaxRemembered + 2);
}

class StoppingAndRepeating : public ::testing::Test {
 protected:
  void SetUp() override {
    script_ = TempPath("repeats.bas").string();
    events_ = TempPath("repeats.events").string();
    // Every tick meets the same fault at the same place; each shows its box.
    std::ofstream(script_) << "STR msg\nTIMERON 20\nWINMSG WMTIMER\nmsg = 5\nENDWM\n";
    std::ofstream(events_) << "ticks 5\n";
  }
  std::string script_, events_;
};

TEST_F(StoppingAndRepeating, ARepeatedFaultIsOneLineAndACount) {
  const testing::ProcessResult r =
      RunBrindle({"--headless", "--quiet", "--events", events_, script_});
  EXPECT_EQ(r.status, 3);
  const std::string fault = script_ + ":4:1: error: TYPE ERROR: Not String! -{ 5 }";
  const std::string in_block = fault + " (in the WMTIMER block)";
  EXPECT_EQ(r.err, fault + "\n" + in_block + "\n" + in_block + " (again 4 times)\n");
  // The boxes are unchanged: one for the main run, one for each tick.
  std::string boxes;
  for (int i = 0; i < 6; ++i) boxes += "box\tTYPE ERROR\tNot String! -{ 5 }\n";
  EXPECT_EQ(r.out, boxes);
}

TEST_F(StoppingAndRepeating, StopOnErrorEndsTheProgramAtTheFirstFault) {
  const testing::ProcessResult r =
      RunBrindle({"--headless", "--quiet", "--stop-on-error", "--events", events_, script_});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.out, "box\tTYPE ERROR\tNot String! -{ 5 }\n");
  EXPECT_EQ(r.err, script_ + ":4:1: error: TYPE ERROR: Not String! -{ 5 }\n");
  // A clean program is not affected, and the tools that run nothing refuse the option.
  std::ofstream(script_) << "VAR n\nn = 1\n";
  EXPECT_EQ(RunBrindle({"--headless", "--quiet", "--stop-on-error", script_}).status, 0);
  EXPECT_EQ(RunBrindle({"--check", "--stop-on-error", script_}).status, 2);
  EXPECT_EQ(RunBrindle({"--lint", "--stop-on-error", script_}).status, 2);
}

}  // namespace
}  // namespace brindle

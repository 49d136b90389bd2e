// Lines and columns of a script: one index answers for every offset what a count from the start
// answers, and the tools that place many findings (--lint, --watch, the playground, the faults
// of handler runs) read the script once for all of them, not once for each.
#include <gtest/gtest.h>

#include <string>

#include "frontend/source_position.h"
#include "host/driver.h"
#include "lint/lint.h"
#include "platform/headless/headless.h"
#include "platform/headless/timeline.h"

namespace brindle {
namespace {

// A comment line of about a mebibyte, so that a count from the start for each finding shows.
std::string LongComment() {
  return "' " + std::string(size_t{1} << 20, 'x') + "\n";
}

TEST(LineIndex, PlacesEveryOffsetAsACountFromTheStartDoes) {
  for (const std::string text : {"", "\n", "ab\ncd\n", "a\r\n\n\nlast line without end", "x"}) {
    const LineIndex lines(text);
    for (size_t offset = 0; offset <= text.size() + 2; ++offset) {
      const SourcePosition counted = PositionAt(text, offset);
      const SourcePosition indexed = lines.At(offset);
      EXPECT_EQ(indexed.line, counted.line) << offset << " in " << text;
      EXPECT_EQ(indexed.column, counted.column) << offset << " in " << text;
    }
  }
  const LineIndex lines("ab\ncd\n");
  ASSERT_EQ(lines.LineCount(), 3u);  // the empty line after the last line end counts
  EXPECT_EQ(lines.LineStart(1), 3u);
  EXPECT_EQ(lines.LineEnd(0), 2u);  // its line feed
  EXPECT_EQ(lines.LineEnd(2), 6u);  // the end of the text
}

TEST(LineIndex, LintReadsTheScriptOnceForAllItsWarnings) {
  std::string text = LongComment();
  constexpr int kWarnings = 400;
  for (int i = 0; i < kWarnings; ++i) text += "VAR v" + std::to_string(i) + " = 5\n";
  std::vector<std::string> lines;
  const uint64_t before = LineScanBytes();
  EXPECT_EQ(LintScript({"s.bas", text}, [&](const std::string& line) { lines.push_back(line); }),
            kWarnings);
  EXPECT_LE(LineScanBytes() - before, 2 * text.size());
  ASSERT_EQ(lines.size(), size_t{kWarnings});
  const SourcePosition last = PositionAt(text, text.rfind('='));
  EXPECT_EQ(lines.back().substr(0, lines.back().find(": ")),
            "s.bas:" + std::to_string(last.line) + ":" + std::to_string(last.column));
  // --watch and the playground report a run's warnings the same way.
  const uint64_t again = LineScanBytes();
  EXPECT_EQ(ReportWarnings({"s.bas", text}, [](const std::string&) {}), kWarnings);
  EXPECT_LE(LineScanBytes() - again, 2 * text.size());
}

TEST(LineIndex, AHandlerThatFaultsOnEveryEventReadsTheScriptOnce) {
  const std::string text =
      LongComment() + "VAR k\nGOTO start\nWINMSG WMKEYDOWN\n  Gee(k)\nENDWM\nLABEL start\n";
  std::string events;
  constexpr int kFaults = 200;
  for (int i = 0; i < kFaults; ++i) events += "key 65\n";
  HeadlessPlatform platform(nullptr, ParseTimeline(events));
  RunOptions options;
  options.clock_seed = 0;
  std::vector<std::string> faults;
  options.report_fault = [&](const std::string& line) { faults.push_back(line); };
  const uint64_t before = LineScanBytes();
  EXPECT_EQ(RunProgram(platform, {"s.bas", text}, options), 3);
  EXPECT_LE(LineScanBytes() - before, 2 * text.size());
  // Each fault is placed; the repeats are one line with their count.
  ASSERT_EQ(faults.size(), 2u);
  EXPECT_EQ(faults.back().substr(0, 10), "s.bas:5:3:");
  EXPECT_TRUE(faults.back().ends_with("(again 199 times)")) << faults.back();
}

}  // namespace
}  // namespace brindle

// A run leaves nothing behind for the next, as --watch needs: each example runs twice in this
// process, and both runs print and show exactly what a new process does.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "host/driver.h"
#include "pictures/png_writer.h"
#include "platform/headless/headless.h"
#include "platform/headless/timeline.h"
#include "run_brindle.h"
#include "script_case.h"

namespace fs = std::filesystem;

namespace brindle::testing {
namespace {

struct InProcessRun {
  std::string transcript;
  std::vector<ColorRef> picture;
  int status = -1;
};

InProcessRun RunHere(const fs::path& script, const fs::path& events) {
  std::FILE* out = std::tmpfile();
  InProcessRun run;
  {
    HeadlessPlatform platform(out,
                              fs::exists(events) ? ParseTimeline(ReadAll(events)) : Timeline{});
    RunOptions options;
    options.clock_seed = 0;
    run.status = RunProgram(platform, {script.string(), ReadAll(script)}, options);
    EXPECT_EQ(platform.Flush(), "");
    run.picture = platform.Screenshot();
  }
  std::rewind(out);
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, out)) > 0;)
    run.transcript.append(buffer, n);
  std::fclose(out);
  return run;
}

class Rerun : public ::testing::TestWithParam<std::string> {};

std::string NameOf(const std::string& path) {
  return fs::path(path).filename().string();
}

TEST_P(Rerun, IsTheRunOfANewProcess) {
  const fs::path base = fs::path(BRINDLE_SOURCE_DIR) / GetParam();
  const fs::path script = base.string() + ".bas";
  const fs::path events = base.string() + ".events";
  const fs::path png = TempPath("rerun-" + NameOf(GetParam()) + ".png");
  std::vector<std::string> args = {"--headless", "--screenshot", png.string()};
  if (fs::exists(events)) args.insert(args.end(), {"--events", events.string()});
  args.push_back(script.string());
  const ProcessResult fresh = RunBrindle(args);
  const std::string fresh_png = ReadAll(png);
  ASSERT_FALSE(fresh_png.empty());

  const InProcessRun first = RunHere(script, events);
  const InProcessRun again = RunHere(script, events);
  EXPECT_EQ(first.transcript, fresh.out);
  EXPECT_EQ(again.transcript, fresh.out);
  EXPECT_EQ(again.status, fresh.status);
  EXPECT_TRUE(again.picture == first.picture);
  std::string reason;
  ASSERT_TRUE(WritePng(again.picture, Canvas::kWidth, Canvas::kHeight, png.string(), &reason))
      << reason;
  EXPECT_TRUE(ReadAll(png) == fresh_png) << "the second run's picture is not a new process's";
  fs::remove(png);
}

// Between them: pictures loaded, input boxes, the timer, RAND and RND, colours and handlers.
INSTANTIATE_TEST_SUITE_P(Scripts, Rerun,
                         ::testing::Values("examples/sprite", "examples/guestbook",
                                           "examples/meteors", "examples/orbits", "examples/sketch",
                                           "examples/shapes", "tests/scripts/num_random_seeded"),
                         [](const auto& info) { return NameOf(info.param); });

}  // namespace
}  // namespace brindle::testing

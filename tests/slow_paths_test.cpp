// Every fast path gives what the general path gives: each script case that runs (a check
// only stops before the run) and each example runs as usual and with BRINDLE_SLOW_PATHS=1 (no
// expression cache, no fused or merged instructions, no statement running its successor itself),
// and with BRINDLE_SLOW_PATHS=statements (each statement run from the statement loop, as under
// the debugger), and the runs must print the same transcript and the same messages, exit with the
// same status and leave the same screenshot, byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "run_brindle.h"
#include "script_case.h"

namespace fs = std::filesystem;

namespace brindle::testing {
namespace {

struct Case {
  std::string label;  // a test name: where the script comes from, and its name
  fs::path dir;
  std::string name;
  std::vector<std::string> options;  // before the screenshot, events and script arguments
};

// Names the case in the test's messages.
[[maybe_unused]] void PrintTo(const Case& c, std::ostream* out) {
  *out << c.label;
}

// Cases left out: they test the picture store with thousands of loads, which take many seconds
// in the sanitizer build, and run no expression that a fast path could change.
bool IsPictureStoreCase(const std::string& name) {
  return name == "gfx_image_loop";
}

std::vector<Case> AllCases() {
  std::vector<Case> cases;
  const fs::path scripts = fs::path(BRINDLE_TEST_DIR) / "scripts";
  for (const std::string& name : CaseNames()) {
    const Meta meta = ReadMeta(scripts / (name + ".meta"));
    if (meta.mode == "check" || IsPictureStoreCase(name)) continue;
    Case c{"script_" + name, scripts, name, {"--headless"}};
    c.options.insert(c.options.end(), meta.args.begin(), meta.args.end());
    cases.push_back(c);
  }
  const fs::path examples = fs::path(BRINDLE_SOURCE_DIR) / "examples";
  for (const auto& entry : fs::directory_iterator(examples)) {
    if (entry.path().extension() != ".bas") continue;
    const std::string name = entry.path().stem().string();
    cases.push_back({"example_" + name, examples, name, {"--headless"}});
  }
  return cases;
}

struct Outcome {
  ProcessResult run;
  std::string screenshot;  // the PNG file's bytes
};

// "fast", "slow" (BRINDLE_SLOW_PATHS=1) or "statements" (each statement from the statement
// loop, as a debugger runs them).
Outcome RunOneWay(const Case& c, const std::string& way) {
  const fs::path png =
      fs::temp_directory_path() / ("brindle-paths-" + way + "-" + c.label + ".png");
  std::vector<std::string> args = c.options;
  args.insert(args.end(), {"--screenshot", png.string()});
  if (fs::exists(c.dir / (c.name + ".events"))) {
    args.insert(args.end(), {"--events", c.name + ".events"});
  }
  args.push_back(c.name + ".bas");
  SpawnOptions options;
  options.cwd = c.dir.string();
  if (way == "slow") options.environment = {"BRINDLE_SLOW_PATHS=1"};
  if (way == "statements") options.environment = {"BRINDLE_SLOW_PATHS=statements"};
  Outcome outcome{RunBrindle(args, options), ReadAll(png)};
  fs::remove(png);
  return outcome;
}

class BothPaths : public ::testing::TestWithParam<Case> {};

TEST_P(BothPaths, GiveTheSameRun) {
  const Outcome fast = RunOneWay(GetParam(), "fast");
  EXPECT_FALSE(fast.screenshot.empty()) << "no screenshot";
  for (const std::string way : {"slow", "statements"}) {
    const Outcome other = RunOneWay(GetParam(), way);
    EXPECT_EQ(fast.run.out, other.run.out) << way;
    EXPECT_EQ(fast.run.err, other.run.err) << way;
    EXPECT_EQ(fast.run.status, other.run.status) << way;
    EXPECT_TRUE(fast.screenshot == other.screenshot) << way << ": the screenshots differ";
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, BothPaths, ::testing::ValuesIn(AllCases()),
                         [](const auto& info) { return info.param.label; });

}  // namespace
}  // namespace brindle::testing

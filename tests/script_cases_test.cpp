// Script cases: each tests/scripts/NAME.bas runs through the real command line and must print
// NAME.expect exactly and exit with the status in NAME.meta ("mode check|headless", "exit N";
// optional "args ..." adds options before the script). With NAME.pixels the run writes a
// screenshot, and each line "px X Y R G B" names the colour of one of its pixels. With
// NAME.events the run reads that events timeline.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "pictures/image.h"
#include "run_brindle.h"
#include "script_case.h"

namespace fs = std::filesystem;

namespace brindle::testing {
namespace {

// Checks the screenshot against the "px X Y R G B" lines of the pixels file.
void ExpectPixels(const fs::path& png, const fs::path& pixels) {
  const Image shot = Image::Load(png.string());
  ASSERT_FALSE(shot.is_null()) << "no screenshot";
  std::istringstream lines(ReadAll(pixels));
  std::string word;
  int x, y, r, g, b;
  while (lines >> word >> x >> y >> r >> g >> b) {
    ASSERT_EQ(word, "px");
    EXPECT_EQ(shot.Pixel(x, y), RgbColor(r, g, b)) << "pixel " << x << ", " << y;
  }
}

class ScriptCase : public ::testing::TestWithParam<std::string> {};

TEST_P(ScriptCase, PrintsItsTranscript) {
  const fs::path dir = fs::path(BRINDLE_TEST_DIR) / "scripts";
  const std::string name = GetParam();
  const Meta meta = ReadMeta(dir / (name + ".meta"));
  std::vector<std::string> args = {meta.mode == "check" ? "--check" : "--headless"};
  args.insert(args.end(), meta.args.begin(), meta.args.end());
  const fs::path pixels = dir / (name + ".pixels");
  const fs::path png = TempPath("brindle-case-" + name + ".png");
  if (fs::exists(pixels)) args.insert(args.end(), {"--screenshot", png.string()});
  if (fs::exists(dir / (name + ".events"))) args.insert(args.end(), {"--events", name + ".events"});
  args.push_back(name + ".bas");
  const ProcessResult r = RunBrindle(args, dir.string());
  EXPECT_EQ(r.out, ReadAll(dir / (name + ".expect"))) << "stderr: " << r.err;
  EXPECT_EQ(r.status, meta.exit_status);
  if (fs::exists(pixels)) {
    ExpectPixels(png, pixels);
    fs::remove(png);
  }
}

INSTANTIATE_TEST_SUITE_P(Scripts, ScriptCase, ::testing::ValuesIn(CaseNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace brindle::testing

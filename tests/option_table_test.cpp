// The option table the parser reads by: the usage laid out from it, and every row accepted.
#include "host/option_table.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "host/command_line.h"
#include "run_brindle.h"

namespace fs = std::filesystem;

namespace brindle::testing {
namespace {

// Editors and users' scripts match these lines: the layout stays as it was when the usage was
// one literal.
TEST(OptionTable, TheUsageKeepsItsLayout) {
  EXPECT_EQ(
      Usage(),
      "usage: brindle SCRIPT                         run in a window\n"
      "       brindle --headless [options] SCRIPT    run with no window\n"
      "       brindle --dump [options] SCRIPT        the same, then list what the run "
      "compiled\n"
      "       brindle --check SCRIPT                 tokenize and pre-check only\n"
      "       brindle --lint SCRIPT                  pre-check, then warn of likely mistakes\n"
      "       brindle --lsp                          language server on standard "
      "input/output\n"
      "       brindle --dap                          debugger (debug adapter) on standard "
      "input/output\n"
      "       brindle --examples                     list the examples that come with "
      "Brindle\n"
      "       brindle --help [KEYWORD] | --version   (KEYWORD: its entry in the reference)\n"
      "options:\n"
      "  --encoding auto|utf-8|cp1252\n"
      "                          how the script file is read (default auto: a UTF-8 file is\n"
      "                          converted to Windows-1252, any other read byte for byte)\n"
      "  --quiet                 no tokenizer statistics box (also with --check)\n"
      "  --screenshot FILE.png   write what the window shows when the program ends\n"
      "  --seed N                seed of RAND (default 0; in a window, the clock)\n"
      "  --stop-on-error         end the program at the first run-time error (exit 3)\n"
      "headless options:\n"
      "  --events FILE           a timeline of user events (one a line: key 65, wait 100, "
      "...)\n"
      "  --gif FILE.gif          an animated GIF of the run, timed by the events' virtual "
      "time\n"
      "  --time-limit SECONDS    end the run once this much real time has passed (exit "
      "124)\n"
      "window options:\n"
      "  --zoom auto|N           show each canvas pixel as N x N screen pixels (1 to 4; "
      "default\n"
      "                          auto: the largest that fits the screen)\n"
      "  --watch                 run the script again each time its file is saved\n"
      "  --record FILE           write the session as an events timeline, for --events\n"
      "  F11 in the window       full screen on and off\n"
      "  F12 in the window       write brindle-YYYYMMDD-HHMMSS.png in the current folder\n");
}

// A value each option accepts, so that the row can be read on its own.
std::vector<std::string> WithValue(const OptionInfo& option) {
  std::vector<std::string> args{std::string(option.name)};
  switch (option.value) {
    case OptionValue::kNone:
    case OptionValue::kKeyword:
      break;
    case OptionValue::kNumber:
      args.push_back("5");
      break;
    case OptionValue::kChoice:
      args.push_back(std::string(option.choices.substr(0, option.choices.find(' '))));
      break;
    default:
      args.push_back("file");
  }
  return args;
}

TEST(OptionTable, TheParserReadsEveryRowAndItsChoices) {
  for (const OptionInfo& option : Options()) {
    SCOPED_TRACE(option.name);
    EXPECT_EQ(FindOption(option.name), &option);
    if (!option.alias.empty()) {
      EXPECT_EQ(FindOption(option.alias), &option);
    }
    std::vector<std::string> args = WithValue(option);
    args.push_back("x.bas");
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    CommandLine cl;
    const std::optional<std::string> problem =
        ParseCommandLine(static_cast<int>(argv.size()), argv.data(), cl);
    // A row may be refused in this company (--events needs --headless), never as unknown.
    if (problem) {
      EXPECT_EQ(problem->find("unknown option"), std::string::npos) << *problem;
    }
    // Every choice the completions offer is one the parser takes.
    for (size_t at = 0; at < option.choices.size();) {
      const size_t end = std::min(option.choices.find(' ', at), option.choices.size());
      const std::string choice(option.choices.substr(at, end - at));
      const char* const with_choice[] = {"--headless", option.name.data(), choice.c_str(), "x.bas"};
      CommandLine headless;
      const std::optional<std::string> refused = ParseCommandLine(4, with_choice, headless);
      if (refused) {
        EXPECT_EQ(refused->find("needs"), std::string::npos) << choice << *refused;
      }
      at = end + 1;
    }
  }
  EXPECT_EQ(FindOption("--frobnicate"), nullptr);
}

// From the build folder the program finds the source tree's examples, whatever the current
// folder is.
TEST(OptionTable, ExamplesListsTheScriptsOfTheExamplesFolder) {
  SpawnOptions options;
  options.cwd = "/";
  const ProcessResult r = RunBrindle({"--examples"}, options);
  EXPECT_EQ(r.status, 0) << r.err;
  const std::string meteors =
      (fs::path(BRINDLE_SOURCE_DIR) / "examples" / "meteors.bas").string() + "\n";
  EXPECT_NE(r.out.find(meteors), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find(".events"), std::string::npos);
}

}  // namespace
}  // namespace brindle::testing

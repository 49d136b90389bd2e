// The command line as users meet it: options, usage errors and unreadable scripts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>

#include "host/command_line.h"
#include "run_brindle.h"

namespace fs = std::filesystem;

namespace brindle::testing {
namespace {

fs::path WriteTemp(const std::string& name, const std::string& bytes) {
  const fs::path path = TempPath(name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

TEST(CommandLine, HelpAndVersionGoToStandardOutput) {
  const ProcessResult help = RunBrindle({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--headless"), std::string::npos);
  const ProcessResult version = RunBrindle({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(std::regex_match(
      version.out,
      std::regex("brindle [0-9]+\\.[0-9]+\\.[0-9]+ \\(commit ([0-9a-f]{7,}|unknown)\\)\n")))
      << version.out;
  // Output that cannot be written is an error, not a success.
  for (const char* option : {"--help", "--version"}) {
    SpawnOptions options;
    options.stdout_path = "/dev/full";
    const ProcessResult full = RunBrindle({option}, options);
    EXPECT_EQ(full.status, 2) << option;
    EXPECT_EQ(full.err, "brindle: cannot write standard output: No space left on device\n");
  }
}

// The reference's entry of a keyword, in any case, as the hover shows it; an unknown word is
// an error that lists the words there are.
TEST(CommandLine, HelpWithAKeywordPrintsItsReferenceEntry) {
  const ProcessResult wend = RunBrindle({"--help", "wend"});
  EXPECT_EQ(wend.status, 0);
  // Piped, the entry is plain text: no Markdown, no terminal codes.
  EXPECT_EQ(wend.out.rfind("WEND\n\nWEND\n", 0), 0u) << wend.out;
  EXPECT_NE(wend.out.find("\nExample\n"), std::string::npos);
  for (const char* markup : {"`", "**", "\x1b"}) {
    EXPECT_EQ(wend.out.find(markup), std::string::npos) << markup << "\n" << wend.out;
  }
  EXPECT_EQ(RunBrindle({"--help", "WMKEYDOWN"}).out.rfind("WMKEYDOWN\n", 0), 0u);
  // An entry's picture is for the page: the terminal's entry ends with its example.
  const ProcessResult circle = RunBrindle({"--help", "circle"});
  EXPECT_EQ(circle.out.find("!["), std::string::npos) << circle.out;
  EXPECT_NE(circle.out.find("    CIRCLE 200, 150, 40\n    SWAP\n"), std::string::npos)
      << circle.out;
  const ProcessResult unknown = RunBrindle({"--help", "PRNT"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.out, "");
  EXPECT_EQ(unknown.err.rfind("brindle: no reference entry for \"PRNT\"; the entries are: IF ", 0),
            0u)
      << unknown.err;
  EXPECT_NE(unknown.err.find(" PRINT "), std::string::npos);
}

TEST(CommandLine, UsageErrorsExitTwoWithUsageOnStandardError) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{},
        {"--headless"},
        {"--frobnicate", "x.bas"},
        {"--headless", "--seed"},
        {"--headless", "--seed", "ten", "x.bas"},
        {"--headless", "--screenshot"},
        {"a.bas", "b.bas"},
        {"--headless", "--seed", " 5", "x.bas"},
        {"--headless", "--seed", "5 ", "x.bas"},
        {"--headless", "--seed", "+5", "x.bas"},
        {"--headless", "--seed", "-1", "x.bas"},
        {"--headless", "--seed", "-18446744073709551615", "x.bas"},
        {"--headless", "--seed", "4294967296", "x.bas"},
        {"--headless", "--seed", "0x10", "x.bas"},
        {"--headless", "--seed", "", "x.bas"},
        {"--headless", "--screenshot", "", "x.bas"},
        {"--headless", "--events", "", "x.bas"},
        {"--check", "--screenshot", "x.png", "x.bas"},
        {"--headless", "--time-limit", "x.bas"},
        {"--check", "--time-limit", "5", "x.bas"},
        {"--time-limit", "5", "x.bas"}}) {
    const ProcessResult r = RunBrindle(args);
    EXPECT_EQ(r.status, 2) << ::testing::PrintToString(args);
    EXPECT_NE(r.err.find("usage:"), std::string::npos);
    EXPECT_EQ(r.out, "");
  }
}

TEST(CommandLine, SeedsAreDecimalNumbersThatFit) {
  EXPECT_EQ(ParseSeed("0"), 0u);
  EXPECT_EQ(ParseSeed("007"), 7u);
  EXPECT_EQ(ParseSeed("4294967295"), 4294967295u);
  const ProcessResult r = RunBrindle({"--check", "--seed", "4294967295", "/nonexistent.bas"});
  EXPECT_EQ(r.err, "brindle: cannot read /nonexistent.bas: No such file or directory\n");
}

TEST(CommandLine, TimeLimitsArePositiveDecimalSeconds) {
  EXPECT_EQ(ParseTimeLimit("5"), 5.0);
  EXPECT_EQ(ParseTimeLimit("0.25"), 0.25);
  EXPECT_EQ(ParseTimeLimit("1000000"), 1e6);
  for (const char* bad :
       {"", "0", "0.0", "-1", "+1", ".5", "1e3", "inf", "nan", "1000000.5", "5 ", "1..2", "0x10"}) {
    EXPECT_FALSE(ParseTimeLimit(bad).has_value()) << bad;
  }
}

// A loop of assignments takes no event, so no timeline line can end it: the time limit does,
// keeping what was printed and writing the screenshot.
// Endless loops of each form: one assignment turned whole, a compiled loop going round by its
// WEND, and one going round by a GOTO inside it. Each looks at the limit every so many turns.
TEST(CommandLine, TheTimeLimitEndsARunThatTheTimelineCannot) {
  const fs::path events = WriteTemp("time-limit.events", "idle\nclose\n");
  const fs::path shot = TempPath("time-limit.png");
  fs::remove(shot);
  const char* const kLoops[] = {"WHILE i < 1\ni = i + 0\nWEND\n",
                                "WHILE i < 1\ni = i + 0\nj = j + 1\nWEND\n",
                                "WHILE i < 1\nLABEL top\nj = j + 1\ni = i + 0\nGOTO top\nWEND\n"};
  for (const char* loop : kLoops) {
    const fs::path script = WriteTemp(
        "time-limit.bas", std::string("VAR i, j\nPRINT 1, 2, \"before\"\nWCOLOR 9, 8, 7\n") + loop);
    for (const char* slow : {"BRINDLE_SLOW_PATHS=0", "BRINDLE_SLOW_PATHS=1"}) {
      SpawnOptions options;
      options.environment = {slow};
      options.timeout = std::chrono::seconds(60);
      const ProcessResult r =
          RunBrindle({"--headless", "--time-limit", "0.2", "--events", events.string(),
                      "--screenshot", shot.string(), script.string()},
                     options);
      EXPECT_EQ(r.status, 124) << slow << loop;
      EXPECT_EQ(r.err, "brindle: the run was stopped at its time limit of 0.2 seconds\n");
      EXPECT_NE(r.out.find("print\t1\t2\tbefore\n"), std::string::npos);
      EXPECT_TRUE(fs::exists(shot));
      fs::remove(shot);
    }
    fs::remove(script);
  }
  // A run that ends in time is not touched by its limit.
  const ProcessResult quick = RunBrindle({"--headless", "--time-limit", "1000", "/dev/null"});
  EXPECT_EQ(quick.status, 1);
  EXPECT_EQ(quick.err, "");
  fs::remove(events);
}

// Nothing runs with --check, so a screenshot would show nothing the script did: refused, and
// no file is written.
TEST(CommandLine, CheckTakesNoScreenshot) {
  const fs::path script = WriteTemp("brindle-cli-check-shot.bas", "PRINT 1, 2, 3\n");
  const fs::path png = TempPath("brindle-cli-check-shot.png");
  fs::remove(png);
  const ProcessResult r = RunBrindle({"--check", "--screenshot", png.string(), script.string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.rfind("brindle: --check runs nothing and takes no --screenshot\n", 0), 0u);
  EXPECT_FALSE(fs::exists(png));
  fs::remove(script);
}

TEST(CommandLine, UnreadableScriptsAreNamedWithTheReason) {
  const ProcessResult missing = RunBrindle({"--headless", "/nonexistent/x.bas"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "brindle: cannot read /nonexistent/x.bas: No such file or directory\n");
  const std::string dir = fs::temp_directory_path().string();
  const ProcessResult directory = RunBrindle({"--check", dir});
  EXPECT_EQ(directory.status, 2);
  EXPECT_EQ(directory.err, "brindle: cannot read " + dir + ": Is a directory\n");
}

TEST(CommandLine, WithoutADisplayTheUserIsToldToRunHeadless) {
  const fs::path script = WriteTemp("brindle-cli-window.bas", "PRINT 1, 2, 3\n");
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}) {
    unsetenv(variable);
  }
  const ProcessResult r = RunBrindle({script.string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err,
            "brindle: cannot open a window: no display ($DISPLAY and $WAYLAND_DISPLAY are not "
            "set); run the script with --headless\n");
  const ProcessResult missing = RunBrindle({"/nonexistent/x.bas"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "brindle: cannot read /nonexistent/x.bas: No such file or directory\n")
      << "the script's problem comes first";
  fs::remove(script);
}

TEST(CommandLine, WindowAndHeadlessOptionsDoNotMix) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--zoom", "5", "x.bas"},
                                               {"--zoom", "0", "x.bas"},
                                               {"--zoom", "12", "x.bas"},
                                               {"x.bas", "--zoom"},
                                               {"--headless", "--zoom", "2", "x.bas"},
                                               {"--check", "--zoom", "2", "x.bas"},
                                               {"--headless", "--zoom", "auto", "x.bas"},
                                               {"--zoom", "Auto", "x.bas"},
                                               {"--events", "e.txt", "x.bas"},
                                               {"--gif", "x.gif", "x.bas"},
                                               {"--check", "--gif", "x.gif", "x.bas"},
                                               {"--lint", "--gif", "x.gif", "x.bas"},
                                               {"--headless", "--gif", "", "x.bas"}}) {
    const ProcessResult r = RunBrindle(args);
    EXPECT_EQ(r.status, 2) << args[0] << " " << args[1];
    EXPECT_NE(r.err.find("usage:"), std::string::npos) << args[0] << " " << args[1];
  }
}

TEST(CommandLine, ZoomAndEncodingValues) {
  const auto parse = [](std::vector<const char*> args, CommandLine& cl) {
    return ParseCommandLine(static_cast<int>(args.size()), args.data(), cl);
  };
  CommandLine window;
  EXPECT_FALSE(parse({"--zoom", "auto", "--encoding", "utf-8", "x.bas"}, window));
  EXPECT_EQ(window.zoom, kZoomAuto);
  EXPECT_EQ(window.encoding, ScriptEncoding::kUtf8);
  CommandLine unset;
  EXPECT_FALSE(parse({"x.bas"}, unset));
  EXPECT_FALSE(unset.zoom) << "the window then picks auto";
  CommandLine lint;
  EXPECT_FALSE(parse({"--lint", "--encoding", "cp1252", "x.bas"}, lint));
  CommandLine lint_zoomed;
  EXPECT_EQ(parse({"--lint", "--zoom", "1", "x.bas"}, lint_zoomed),
            "--lint takes no option but --encoding and --quiet");
  CommandLine bad;
  EXPECT_EQ(parse({"--encoding", "x.bas"}, bad), "--encoding needs auto, utf-8 or cp1252");
}

// --watch and --record belong to a window; a recording replays one run, which --watch would not
// keep to.
TEST(CommandLine, WatchAndRecordAreForAWindowAndNotTogether) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--headless", "--watch", "x.bas"},
       "--watch is for a window, not --headless or --check (it reruns the script there)"},
      {{"--check", "--watch", "x.bas"},
       "--watch is for a window, not --headless or --check (it reruns the script there)"},
      {{"--headless", "--record", "r.events", "x.bas"},
       "--record is for a window, not --headless or --check (--events replays a recording)"},
      {{"--lint", "--watch", "x.bas"}, "--lint takes no option but --encoding and --quiet"},
      {{"--watch", "--record", "r.events", "x.bas"},
       "--watch and --record cannot be used together"},
      {{"x.bas", "--record"}, "--record needs a file name"},
      {{"--record", "", "x.bas"}, "--record needs a file name"},
  };
  for (const auto& [args, message] : cases) {
    const ProcessResult r = RunBrindle(args);
    EXPECT_EQ(r.status, 2) << message;
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')), "brindle: " + message);
    EXPECT_NE(r.err.find("usage:"), std::string::npos) << message;
  }
}

// The recording's file is refused before any window opens, as a screenshot's is.
TEST(CommandLine, RecordIntoAFolderIsRefusedAtOnce) {
  const fs::path script = WriteTemp("brindle-cli-record.bas", "VAR x\n");
  SpawnOptions options;
  options.environment = {"DISPLAY=", "WAYLAND_DISPLAY="};
  const ProcessResult r = RunBrindle({"--record", "/tmp", script.string()}, options);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "brindle: cannot write /tmp: not a regular file\n");
  fs::remove(script);
}

// Ten megabytes of random bytes: the first fault is reported, the rest is never read.
TEST(CommandLine, LargeGarbageGivesTheFirstTokenizerFault) {
  std::mt19937 random(7);
  std::string bytes(10 << 20, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  bytes[0] = 'a';
  bytes[1] = '\x80';
  const fs::path script = WriteTemp("brindle-cli-garbage.bas", bytes);
  const ProcessResult r = RunBrindle({"--check", script.string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "box\tT:Error\tUnknown token!-[ \\x80 ] at LINE: 0\n"
            "box\tProcess Terminated!\tEXIT from TOKENIZER\n"
            "box\tProgram Exit!\tEND\n");
  fs::remove(script);
}

TEST(CommandLine, CheckStopsBeforeTheRunAndHeadlessRuns) {
  const fs::path script = WriteTemp("brindle-cli-run.bas", "PRINT 1, 2, 3\n");
  const std::string stats = "box\tTokenizer\tNumber of tokens: 7\\r\\nNumber of lines: 1\n";
  EXPECT_EQ(RunBrindle({"--check", script.string()}).out, stats);
  EXPECT_EQ(RunBrindle({"--headless", script.string()}).out, stats + "print\t1\t2\t3\n");
  fs::remove(script);
}

// --quiet leaves out the statistics box and nothing else: the other boxes, the prints and the
// exit status stay, also with --check; --lint, which shows no box, takes it too.
TEST(CommandLine, QuietLeavesOutTheStatisticsBoxAlone) {
  const fs::path script =
      WriteTemp("brindle-cli-quiet.bas", "STR s\nPRINT 1, 2, 3\nSETTEXT 5, \"x\"\ns = 5\n");
  const ProcessResult loud = RunBrindle({"--headless", script.string()});
  const ProcessResult quiet = RunBrindle({"--headless", "--quiet", script.string()});
  ASSERT_EQ(loud.out.rfind("box\tTokenizer\t", 0), 0u);
  EXPECT_EQ(quiet.out, loud.out.substr(loud.out.find('\n') + 1));
  EXPECT_EQ(quiet.err, loud.err);
  EXPECT_EQ(quiet.status, 3);
  EXPECT_EQ(RunBrindle({"--check", "--quiet", script.string()}).out, "");
  const ProcessResult lint = RunBrindle({"--lint", "--quiet", script.string()});
  EXPECT_EQ(lint.out, "");
  EXPECT_NE(lint.status, 2) << lint.err;

  // Faults are still shown.
  const fs::path refused = WriteTemp("brindle-cli-quiet-refused.bas", "IF x\n");
  const ProcessResult check = RunBrindle({"--quiet", "--check", refused.string()});
  EXPECT_EQ(check.status, 1);
  EXPECT_EQ(check.out,
            "box\tERROR~IF\tWrong operator(2)! -{ EOL }-Line: 1\nbox\tProgram Exit!\tEND\n");
  const ProcessResult empty = RunBrindle({"--headless", "--quiet", "/dev/null"});
  EXPECT_EQ(empty.status, 1);
  EXPECT_EQ(empty.out.rfind("box\tProcess Terminated!\t", 0), 0u) << empty.out;
  fs::remove(script);
  fs::remove(refused);
}

}  // namespace
}  // namespace brindle::testing

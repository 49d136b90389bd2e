// brindle --dump: a headless run, then what it compiled, as users read it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "run_brindle.h"

namespace fs = std::filesystem;

namespace brindle::testing {
namespace {

// An assignment, an IF whose condition is one comparison, a string appended to, and a WHILE
// that turns often enough to be compiled whole.
constexpr const char* kScript =
    "VAR i, s\n"        // 1
    "STR t\n"           // 2
    "t = \"a\"\n"       // 3
    "WHILE i < 5\n"     // 4
    "i = i + 1\n"       // 5
    "IF i = 2\n"        // 6
    "s = s + i * 2\n"   // 7
    "ENDIF\n"           // 8
    "t = t + \"b\"\n"   // 9
    "WEND\n"            // 10
    "PRINT 0, 0, t\n";  // 11

constexpr const char* kDumpStart = "== compiled by the run of ";

fs::path WriteScript(const std::string& name, const std::string& text) {
  const fs::path path = TempPath(name);
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

// The whole line of text that holds needle; "" when none does.
std::string LineWith(const std::string& text, const std::string& needle) {
  const size_t at = text.find(needle);
  if (at == std::string::npos) return "";
  const size_t start = text.rfind('\n', at) + 1;
  return text.substr(start, text.find('\n', at) - start);
}

// The id (E1, H1, R1 ...) that the entry line holding needle begins with.
std::string IdOf(const std::string& dump, const std::string& needle) {
  std::smatch match;
  const std::string line = LineWith(dump, needle);
  return std::regex_search(line, match, std::regex("^  ([EHR][0-9]+)  ")) ? match[1].str() : "";
}

struct Split {
  std::string transcript;
  std::string dump;
};

Split SplitOutput(const std::string& out) {
  const size_t at = out.find(kDumpStart);
  if (at == std::string::npos) return {out, ""};
  return {out.substr(0, at), out.substr(at)};
}

TEST(Dump, NamesEachCompiledPieceWithItsSourceLine) {
  const fs::path script = WriteScript("dump-names.bas", kScript);
  const ProcessResult r = RunBrindle({"--dump", "--quiet", script.string()});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string dump = SplitOutput(r.out).dump;
  ASSERT_NE(dump, "");
  EXPECT_EQ(LineWith(dump, kDumpStart),
            kDumpStart + script.string() + ": 7 expressions, 1 WHILE head, 3 regions");

  // Each entry under the line it starts on, the lines in source order.
  size_t last = 0;
  for (const char* line :
       {"line 3: t = \"a\"", "line 4: WHILE i < 5", "line 5: i = i + 1", "line 6: IF i = 2",
        "line 7: s = s + i * 2", "line 9: t = t + \"b\"", "line 11: PRINT 0, 0, t"}) {
    const size_t at = dump.find(std::string("\n") + line + "\n");
    ASSERT_NE(at, std::string::npos) << line;
    EXPECT_GT(at, last) << line;
    last = at;
  }
  EXPECT_EQ(IdOf(dump, "assignment at 5:1: i = i + 1"), "E2");
  EXPECT_EQ(IdOf(dump, "condition at 6:4: i = 2"), "E3");
  EXPECT_EQ(IdOf(dump, "WHILE head at 4:1: i < 5"), "H1");
  EXPECT_EQ(IdOf(dump, "text at 9:5: t + \"b\""), "E5");
  // The stack code names what it reads; the three-address code writes the variable in place.
  for (const char* code :
       {"StoreVar          s", "Multiply          t2 <- i * 2", "Add               s <- s + t2",
        "Text              \"b\"", "Concat", "CompareNumbers    left = right",
        "Equal             t2 <- i = 2", "appends in place to t"}) {
    EXPECT_NE(dump.find(code), std::string::npos) << code;
  }
  // The string expression has no three-address form.
  const size_t text_entry = dump.find("text at 9:5");
  const size_t next_line = dump.find("\nline ", text_entry);
  EXPECT_EQ(dump.substr(text_entry, next_line - text_entry).find("three-address"),
            std::string::npos);
  fs::remove(script);
}

// The first run of an element assignment reads the index with the array's name still current:
// that program is kept apart from the one read at the index's own token.
TEST(Dump, AReadThatStartsOnAnotherTokenSaysWhichOne) {
  const fs::path script =
      WriteScript("dump-stale.bas", "VAR a[4], i\nPRINT 0, 0, \"x\"\na[i] = i * 3\n");
  const std::string dump = SplitOutput(RunBrindle({"--dump", script.string()}).out).dump;
  EXPECT_NE(dump.find("  sum at 3:3 (read while on the token at 3:1): i\n"), std::string::npos)
      << dump;
  EXPECT_NE(dump.find("  sum at 3:8: i * 3\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("  assignment at 3:1: a[i] = i * 3\n"), std::string::npos) << dump;
  fs::remove(script);
}

TEST(Dump, TheRegionRunsTheProgramsItNamesAtTheirLines) {
  const fs::path script = WriteScript("dump-region.bas", kScript);
  const std::string dump = SplitOutput(RunBrindle({"--dump", script.string()}).out).dump;
  // The loop was compiled again as its statements first ran; the last compile is current.
  const size_t current = dump.find("region (dry) of the WHILE at 4:1, 8 ops\n");
  ASSERT_NE(current, std::string::npos) << dump;
  EXPECT_NE(dump.find("region (dry, replaced by a later compile, stale) of the WHILE at 4:1"),
            std::string::npos);
  const std::string region = dump.substr(current, dump.find("\nline ", current) - current);
  for (const char* op : {"  0  4:1      While       H1; false -> 7",
                         "  1  5:1      Assign      E2, three-address, pure",
                         "  2  6:1      IfChain     E3, 1 comparison; false -> 4",
                         "  3  7:1      Assign      E4, three-address, pure",
                         "  4  9:1      Statement   t, on when it ends at 9:12",
                         "  5  10:1     Wend        to the WHILE at 4:1, op 0",
                         "  7           Exit        cursor on 10:5, then the end test"}) {
    EXPECT_NE(region.find(op), std::string::npos) << op << "\n" << region;
  }
  fs::remove(script);
}

// A GOTO loop is compiled as the region that goes on after its label, whose GOTO jumps back to
// its first operation; a loop whose body is one assignment is turned by one operation.
TEST(Dump, GotoLoopsAndOneAssignmentLoopsRunAsRegions) {
  const fs::path script = WriteScript("dump-goto.bas",
                                      "VAR i, j\n"                     // 1
                                      "LABEL top\n"                    // 2
                                      "i = i + 1\n"                    // 3
                                      "j = 0\n"                        // 4
                                      "WHILE j < 4\n"                  // 5
                                      "j = j + 1\n"                    // 6
                                      "WEND\n"                         // 7
                                      "IF i < 9 : GOTO top : ENDIF\n"  // 8
                                      "PRINT 0, 0, i\n");              // 9
  const Split split = SplitOutput(RunBrindle({"--dump", "--quiet", script.string()}).out);
  EXPECT_EQ(split.transcript, "print\t0\t0\t9\n");
  const size_t current = split.dump.find("going on after 2:7, ");
  ASSERT_NE(current, std::string::npos) << split.dump;
  const std::string region =
      split.dump.substr(current, split.dump.find("\nline ", current) - current);
  for (const char* op : {"  0  3:1      Assign", "  1  5:1      Turn", "  2  8:1      IfChain",
                         "  3  8:12     Goto        to 2:7", "  4           Jump        -> 0"}) {
    EXPECT_NE(region.find(op), std::string::npos) << op << "\n" << region;
  }
  fs::remove(script);
}

// A run that stops early is listed too: by a run-time error, or by the time limit in a loop
// that never ends, which is where a listing of the loop helps most.
TEST(Dump, TheTranscriptAndStatusAreThoseOfAHeadlessRun) {
  const fs::path events = WriteScript("dump-transcript.events", "wait 5\nkey 65\nidle\n");
  const std::vector<std::string> scripts = {
      kScript, "VAR i\nWHILE i < 2\ni = i + 1\nWEND\nPRINT 1, 1, \"x\"\nGOTO nowhere\n",
      "VAR k\nPRINT 0, 0, \"go\"\nWINMSG WMKEYDOWN\nk = k + HWPARAM\nPRINT 0, 9, STRS k\nENDWM\n"};
  for (size_t k = 0; k < scripts.size(); ++k) {
    const fs::path script =
        WriteScript("dump-transcript-" + std::to_string(k) + ".bas", scripts[k]);
    const ProcessResult headless =
        RunBrindle({"--headless", "--seed", "7", "--events", events.string(), script.string()});
    const ProcessResult dumped =
        RunBrindle({"--dump", "--seed", "7", "--events", events.string(), script.string()});
    const Split split = SplitOutput(dumped.out);
    EXPECT_EQ(split.transcript, headless.out) << scripts[k];
    EXPECT_EQ(dumped.err, headless.err);
    EXPECT_EQ(dumped.status, headless.status);
    EXPECT_NE(split.dump, "") << scripts[k];
    fs::remove(script);
  }
  fs::remove(events);

  const fs::path endless =
      WriteScript("dump-endless.bas", "VAR i, k\nWHILE i < 1\nk = k + 1\nPSET k, 1\nWEND\n");
  SpawnOptions options;
  options.timeout = std::chrono::seconds(60);
  const ProcessResult stopped =
      RunBrindle({"--dump", "--quiet", "--time-limit", "0.2", endless.string()}, options);
  EXPECT_EQ(stopped.status, 124);
  // Pumping: the time limit is looked for where events would be taken.
  EXPECT_NE(stopped.out.find("region (pumping) of the WHILE at 2:1"), std::string::npos);
  EXPECT_NE(stopped.out.find("Pset        E2, E3"), std::string::npos) << stopped.out;
  fs::remove(endless);
}

// Without its caches, a run compiles nothing, and the listing says why it is empty.
TEST(Dump, TheSlowPathsCompileNothing) {
  const fs::path script = WriteScript("dump-slow.bas", kScript);
  SpawnOptions options;
  options.environment = {"BRINDLE_SLOW_PATHS=1"};
  const ProcessResult r = RunBrindle({"--dump", "--quiet", script.string()}, options);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(SplitOutput(r.out).dump, kDumpStart + script.string() +
                                         ": 0 expressions, 0 WHILE heads, 0 regions\n" +
                                         "(BRINDLE_SLOW_PATHS is set: the run compiles nothing)\n");
  fs::remove(script);
}

TEST(Dump, CommandLinesThatRunNothingOrOpenAWindowAreRefused) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--dump"},
                                               {"--dump", "--check", "x.bas"},
                                               {"--dump", "--lint", "x.bas"},
                                               {"--lint", "--dump", "x.bas"},
                                               {"--dump", "--zoom", "2", "x.bas"},
                                               {"--dump", "--watch", "x.bas"},
                                               {"--dump", "--lsp"}}) {
    const ProcessResult r = RunBrindle(args);
    EXPECT_EQ(r.status, 2) << ::testing::PrintToString(args);
    EXPECT_NE(r.err.find("usage:"), std::string::npos);
    EXPECT_EQ(r.out, "");
  }
  const ProcessResult missing = RunBrindle({"--dump", "/nonexistent.bas"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "brindle: cannot read /nonexistent.bas: No such file or directory\n");
}

}  // namespace
}  // namespace brindle::testing

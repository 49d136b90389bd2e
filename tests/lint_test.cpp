// brindle --lint: each warning where a script trips it and not where it comes close, silencing
// by a comment, faults as errors, and the exit status.
#include "lint/lint.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/driver.h"
#include "run_brindle.h"

namespace fs = std::filesystem;

namespace brindle {
namespace {

std::vector<std::string> Lint(const std::string& text) {
  std::vector<std::string> lines;
  LintScript({"s.bas", text}, [&](const std::string& line) { lines.push_back(line); });
  return lines;
}

// "LINE:COL Wnn" of each warning, or of those with one id.
std::vector<std::string> Where(const std::string& text, const std::string& only = "") {
  std::vector<std::string> found;
  for (const std::string& line : Lint(text)) {
    if (!only.empty() && line.find("[" + only + "]") == std::string::npos) continue;
    const size_t id = line.rfind("[W");
    EXPECT_NE(id, std::string::npos) << line;
    found.push_back(line.substr(6, line.find(": ", 6) - 6) + " " + line.substr(id + 1, 3));
  }
  return found;
}

using V = std::vector<std::string>;

// --watch prints the warnings before each run, which shows its faults itself.
TEST(Lint, WarningsForARunLeaveTheFaultsToIt) {
  const auto warnings = [](const std::string& text) {
    std::vector<std::string> lines;
    const int count =
        ReportWarnings({"s.bas", text}, [&](const std::string& line) { lines.push_back(line); });
    EXPECT_EQ(count, static_cast<int>(lines.size()));
    return lines;
  };
  EXPECT_EQ(warnings("VAR x = 5\n"), Lint("VAR x = 5\n"));
  EXPECT_EQ(warnings("VAR x\n").size(), 0u);
  EXPECT_EQ(warnings("IF x\n").size(), 0u) << "a pre-check fault";
  EXPECT_EQ(warnings("VAR x").size(), 0u) << "no line end";
  EXPECT_EQ(warnings("PRINT 0, 0, \"x\n").size(), 0u) << "a tokenizer fault";
  // The run writes the fault's hint itself, as a note after the fault's line.
  EXPECT_EQ(warnings("VAR x\nPRNT 0, 0, x\n").size(), 0u);
  const std::string script = "VAR x\nPRNT 0, 0, x\n";
  Examination exam = Examine(script, FaultsWanted::kFirst);
  ASSERT_FALSE(exam.findings.empty());
  EXPECT_EQ(FaultNotes({"s.bas", script}, exam.image->tokens, exam.findings[0].fault),
            V{"s.bas:2:1: note: PRNT: did you mean the keyword PRINT? (a name of your own is "
              "declared with VAR, STR or PTR) [W21]"});
  EXPECT_EQ(FaultNotes({"s.bas", "VAR x\nnofunc()\n"}, exam.image->tokens, Message{}), V{});
}

TEST(Lint, LoopKeywordsOfOtherBasics) {
  EXPECT_EQ(Where("VAR i\nFOR i = 1 TO 3\nPRINT 0, i, i\nNEXT\n"), (V{"2:1 W01", "4:1 W01"}));
  EXPECT_EQ(Where("VAR fore, nexts\nfore = 1 : nexts = 2\n", "W01"), V{});
}

TEST(Lint, DeclarationsWithAValue) {
  EXPECT_EQ(Where("VAR x = 5, y\nSTR s = \"a\"\n"), (V{"1:7 W02", "2:7 W02"}));
  EXPECT_EQ(Where("VAR x, y\nx = 5\n", "W02"), V{});
  EXPECT_EQ(Where("PTR p = 5\nPRINT 0, 0, p\n", "W02"), V{});
}

TEST(Lint, TimerIntervalsThatAreNotVarVariables) {
  EXPECT_EQ(Where("VAR t\nSTR s\nTIMERON 500\nTIMERON s\nTIMERON\n"),
            (V{"3:9 W03", "4:9 W03", "5:8 W03"}));
  EXPECT_EQ(Where("VAR t\nt = 500\nTIMERON t\n"), V{});
}

TEST(Lint, ArraysPastTheOnesThatStore) {
  std::string sixteen = "VAR a1[2]";
  for (int i = 2; i <= 16; ++i) sixteen += ", a" + std::to_string(i) + "[2]";
  EXPECT_EQ(Where(sixteen + "\n"), V{});
  // Reported once, where it is declared.
  EXPECT_EQ(Where(sixteen + "\nSTR late[3]\nlate[1] = \"x\"\n"), V{"2:5 W04"});
}

TEST(Lint, KeywordsWrittenAsNames) {
  EXPECT_EQ(Where("VAR x, step, line2\nSTR s = \"abc\"\n"), (V{"1:8 W05", "2:7 W02"}));
  EXPECT_EQ(Where("VAR steps, x\n"), V{});
}

TEST(Lint, MainPartsThatRunIntoAHandlerBlock) {
  const std::string block = "WINMSG WMKEYDOWN\nPRINT 0, 0, 1\nENDWM\n";
  EXPECT_EQ(Where("VAR x\n" + block), V{"2:1 W06"});
  EXPECT_EQ(Where(block), V{"1:1 W06"});
  // A function is passed over: the flow goes on into the block after it.
  EXPECT_EQ(Where("VAR x\nFUNC f()\nENDFN\n\n" + block), V{"5:1 W06"});
  // Jumped over; and a block right after another's ENDWM.
  EXPECT_EQ(Where("VAR x\nGOTO e\n\n" + block + block + "LABEL e\n", "W06"), V{});
  EXPECT_EQ(Where("VAR x\nIF x = 0 : GOTO e : ENDIF\n" + block + "LABEL e\n"), V{"3:1 W06"});
}

TEST(Lint, IfBlocksInsideIfBlocks) {
  EXPECT_EQ(Where("VAR a\nIF a = 1\nIF a = 2\nENDIF\nELSE\nENDIF\n"), V{"3:1 W07"});
  EXPECT_EQ(Where("VAR a\nIF a = 1 : a = 2 : ENDIF\nIF a = 2\nELSE\nENDIF\n"), V{});
}

TEST(Lint, StatementsAfterAGotoThatNoRunReaches) {
  EXPECT_EQ(Where("VAR a\nGOTO e\n\na = 1\nLABEL e\n", "W08"), V{"4:1 W08"});
  EXPECT_EQ(Where("VAR a\nGOTO e\nLABEL e\nIF a = 1 : GOTO e : ENDIF\n"
                  "WHILE a < 1 : GOTO e : WEND\nGOTO x\nWINMSG WMTIMER\nENDWM\nLABEL x\n"),
            V{});
}

TEST(Lint, ScriptsCloseToTheTokenLimit) {
  // A name and a line end are two tokens: 3 + 2 * 1900 = 3803 tokens, past nine tenths of 4096.
  std::string script = "VAR a\n";
  for (int line = 0; line < 1900; ++line) script += "a\n";
  EXPECT_EQ(Where(script), V{"1901:2 W09"});
  EXPECT_EQ(Where(script.substr(0, 6 + 1800 * 2)), V{});
}

TEST(Lint, StatementsWithoutASeparator) {
  EXPECT_EQ(Where("VAR x, y\nx = 2 y = 3\nx = (1) y = 2\n", "W10"), (V{"2:7 W10", "3:9 W10"}));
  EXPECT_EQ(Where("VAR x, y\nx = 2 : y = 3\nIF x = y : y = 1 : ENDIF\n"), V{});
}

TEST(Lint, PowersThatBindLikeProducts) {
  EXPECT_EQ(Where("VAR r\nr = 2 + 3 * 2 ^ 2\nr = 2 ^ 3 ^ 2\nr = 1 - (8 / 2) ^ 2\n", "W11"),
            (V{"2:15 W11", "3:11 W11"}));
  EXPECT_EQ(Where("VAR r\nr = 2 + 2 ^ 2\nr = 3 * (2 ^ 2)\nr = -2 ^ 2\n", "W11"), V{});
}

TEST(Lint, SignsAfterAnOperator) {
  EXPECT_EQ(Where("VAR r\nr = 2 * -3\nr = 5 - +3\n", "W12"), (V{"2:9 W12", "3:9 W12"}));
  EXPECT_EQ(Where("VAR r\nr = -3\nr = 2 * (-3)\nPRINT 0, -1, r\n"), V{});
}

TEST(Lint, DrawingStatementsWithTooFewOrTooManyArguments) {
  EXPECT_EQ(Where("VAR x\nCIRCLE 100, 100\nLINE 1, 2, 3, 4, 5\nPSET x, (x + 1)\n"),
            (V{"2:1 W13", "3:18 W13"}));
  EXPECT_EQ(Where("VAR x, a[3]\nCIRCLE 100, (x + 1), 5\nLINE 1, 2, 3, a[x]\n"), V{});
}

TEST(Lint, PrintItemsFollowedByMore) {
  EXPECT_EQ(Where("VAR v\nSTR s\nPRINT 0, 0, \"a\" + s\nPRINT 0, 1, v * 2\n"),
            (V{"3:17 W14", "4:15 W14"}));
  EXPECT_EQ(Where("VAR v[3]\nPRINT 0, 0, (v[1] * 2)\nPRINT 0, 1, v[2]\nPRINT 0, 2, \"a\"\n"), V{});
}

TEST(Lint, ConditionsThatReadLessThanTheyShow) {
  EXPECT_EQ(Where("VAR n\nWHILE n < 2 * 3\nWEND\nWHILE n < 2 & n > 1 + 1\nWEND\n"),
            (V{"2:13 W15", "4:21 W15"}));
  EXPECT_EQ(Where("VAR n, m\nWHILE n < 6 | m = 1\nWEND\n"), V{});
  // Strings have no order; & and | group from the right.
  EXPECT_EQ(Where("STR s, t\nVAR a\nIF s < \"b\" | t > s : ENDIF\n"
                  "IF a = 1 & a = 2 | a = 3 : ENDIF\nIF a < 1 & a > 0 & a = 2 : ENDIF\n"),
            (V{"3:6 W16", "3:16 W16", "4:18 W17"}));
}

TEST(Lint, TimerIntervalsBelowTheShortest) {
  EXPECT_EQ(Where("VAR t\nt = 5\nTIMERON t\n"), V{"3:9 W18"});
  EXPECT_EQ(Where("VAR t\nt = 10\nTIMERON t\nt = 5 + 20\n"), V{});
}

TEST(Lint, VariablesOnlyEverAssigned) {
  EXPECT_EQ(Where("VAR a, b, c\na = 1\nb = 2 : b = 3\nPRINT 0, 0, a\n"), V{"1:8 W19"});
  // Declared and never used at all is no trap; HWPARAM and the like count as reads.
  EXPECT_EQ(Where("VAR a, k\nk = 0\nHWPARAM k\n"), V{});
}

TEST(Lint, SecondHandlerBlocksAndLabels) {
  EXPECT_EQ(Where("VAR x\nGOTO e\nWINMSG WMTIMER\nENDWM\nWINMSG wmtimer\nENDWM\n"
                  "LABEL e\nLABEL E\n"),
            (V{"3:1 W20", "8:1 W20"}));
}

// After a fault that names an unknown word: how this language says what other BASICs do, or
// the keyword the word misspells.
TEST(Lint, HintsForWordsOfOtherBasicsAndMisspeltKeywords) {
  const std::vector<std::string> then = Lint("VAR x\nIF x = 1 THEN\nENDIF\n");
  ASSERT_EQ(then.size(), 2u);
  EXPECT_EQ(then[1],
            "s.bas:2:10: warning: THEN: IF needs no THEN: statements follow the "
            "condition on the next lines, or after : [W21]");
  EXPECT_EQ(Where("VAR x\nPRNT 0, 0, x\n", "W21"), V{"2:1 W21"});
  EXPECT_EQ(Where("VAR x\nswapp\n", "W21"), V{"2:1 W21"});
  // Nothing for a word that is neither.
  EXPECT_EQ(Where("VAR x\ny = 1\nscore = 2\n", "W21"), V{});
  // A keyword where a function or a label is named.
  const std::vector<std::string> draw = Lint("FUNC draw()\nENDFN\n");
  ASSERT_EQ(draw.size(), 2u);
  EXPECT_EQ(draw[1],
            "s.bas:1:6: warning: draw: DRAW is a keyword and cannot name a function or a "
            "label: choose another name [W21]");
  EXPECT_EQ(Where("LABEL print\n", "W21"), V{"1:7 W21"});
  EXPECT_EQ(Where("VAR x\nGOTO Wend\n", "W21"), V{"2:6 W21"});
}

TEST(Lint, ACommentSilencesTheIdsItNames) {
  EXPECT_EQ(Where("VAR x = 1 ' lint-ignore W02\n"), V{});
  EXPECT_EQ(Where("VAR x = 1 ' lint-ignore W01, W021\n"), V{"1:7 W02"});
  // An apostrophe inside a string starts no comment.
  EXPECT_EQ(Where("STR s = \"' lint-ignore W02\"\n"), V{"1:7 W02"});
}

// Every fault of the file, and the warnings of the lines that have none, in the order of the
// text: after a tokenizer fault its line is read as blank, after a pre-check fault the next
// statement is checked.
TEST(Lint, EveryFaultAndWarningOfTheFileAtOnce) {
  EXPECT_EQ(Lint("VAR x\nIF x >= 5\nENDIF\nFOR x = 1\n"),
            (V{"s.bas:2:7: error: ERROR~IF: Wrong Argument(3)! -{ = }-Line: 2",
               "s.bas:2:7: warning: >= is no operator here: the comparisons are =, !, < and >, "
               "one character each; write a > b | a = b [W26]",
               "s.bas:4:1: warning: FOR does nothing here: its assignment runs once and the lines "
               "up to NEXT run once; write the loop with WHILE ... WEND [W01]"}));
  EXPECT_EQ(Lint("VAR x\ns = \"open\nx = 1 : y = 2\nRECT x, x, x + 1, x\nz = (1\nx = 2\n"),
            (V{"s.bas:2:5: error: T:Error: Unclosed Quote!- at LINE: 1",
               "s.bas:3:9: error: ERROR: Variable ID not found! -{ y }-Line: 3",
               "s.bas:4:14: error: ERROR~RECT: Comma Separator ? -{ + }-Line: 4",
               "s.bas:4:14: warning: RECT's numbers are plain: each is one number or one VAR "
               "variable, read as it stands (an expression, an element, a sign or a variable of "
               "another type keeps the value that argument had before); compute it into a VAR "
               "variable first: v = ..., then RECT ..., v, ... [W25]",
               "s.bas:5:7: error: T:Error: Missing right paren! ((...)- at LINE: 4"}));
  // A warning on a faulty line is left out: the line was not read as written.
  EXPECT_EQ(Lint("VAR x\nx = 2 * -3 : PRNT 1, 1, x\n"),
            (V{"s.bas:2:14: error: ERROR: Variable ID not found! -{ PRNT }-Line: 2",
               "s.bas:2:14: warning: PRNT: did you mean the keyword PRINT? (a name of your own is "
               "declared with VAR, STR or PTR) [W21]"}));
  // Block faults of every kind, each at its block; too many tokens stops the tokenizer there.
  EXPECT_EQ(Lint("WHILE 1\nIF 1\n"),
            (V{"s.bas:1:1: error: LOOP ERROR: WHILE without WEND , check code!",
               "s.bas:1:7: error: ERROR~WHILE: Wrong Argument(1)! -{ 1 }-Line: 1",
               "s.bas:2:1: error: IF/ENDIF ERROR: IF without ENDIF , check code!",
               "s.bas:2:4: error: ERROR~IF: Wrong Argument(1)! -{ 1 }-Line: 2"}));
  EXPECT_EQ(Lint("VAR x"), V{"s.bas: error: Process Terminated!: EXIT from TOKENIZER"});
}

// The run and the warnings printed before it still stop at the first fault.
TEST(Lint, TheFirstFaultOnlyWhenAsked) {
  const Examination first =
      Examine("VAR x\nIF x >= 5\nENDIF\ny = 1\nFOR x = 1\n", FaultsWanted::kFirst);
  // The fault and its hint.
  ASSERT_EQ(first.findings.size(), 2u);
  EXPECT_EQ(first.findings[0].fault.text, "Wrong Argument(3)! -{ = }-Line: 2");
  EXPECT_EQ(first.findings[1].warning.id, "W26");
  EXPECT_FALSE(first.checked);
}

TEST(Lint, ExitStatusAndEveryExampleIsClean) {
  const fs::path script = testing::TempPath("lint.bas");
  std::ofstream(script) << "VAR x = 1\n";
  const testing::ProcessResult warned = testing::RunBrindle({"--lint", script.string()});
  EXPECT_EQ(warned.status, 1);
  EXPECT_EQ(warned.out, "");
  EXPECT_NE(warned.err.find(":1:7: warning: "), std::string::npos) << warned.err;
  EXPECT_EQ(testing::RunBrindle({"--lint", "--headless", script.string()}).status, 2);
  fs::remove(script);
  for (const auto& entry : fs::directory_iterator(std::string(BRINDLE_SOURCE_DIR) + "/examples")) {
    if (entry.path().extension() != ".bas") continue;
    const testing::ProcessResult r = testing::RunBrindle({"--lint", entry.path().string()});
    EXPECT_EQ(r.status, 0) << entry.path() << "\n" << r.err;
  }
}

}  // namespace
}  // namespace brindle

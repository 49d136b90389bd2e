// Every fault shown in a box is also one line on standard error, FILE:LINE:COL: error: CAPTION:
// TEXT, at the token where the tokenizer or the pre-check found it, or at the statement a run
// was running; the boxes and the transcript stay as they were.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "run_brindle.h"
#include "runtime/faults.h"

namespace fs = std::filesystem;

namespace brindle::testing {
namespace {

class FaultLines : public ::testing::Test {
 protected:
  void TearDown() override { fs::remove(script_); }
  // Runs the script headless (with the timeline, if any); returns its standard error.
  ProcessResult Run(const std::string& text, const std::string& events = "",
                    const std::string& mode = "--headless") {
    std::ofstream(script_, std::ios::binary) << text;
    std::vector<std::string> args = {mode};
    if (!events.empty()) {
      std::ofstream(events_) << events;
      args.insert(args.end(), {"--events", events_.string()});
    }
    args.push_back(script_.string());
    ProcessResult r = RunBrindle(args);
    fs::remove(events_);
    return r;
  }
  std::string At(const std::string& rest) const { return script_.string() + ":" + rest + "\n"; }

  fs::path script_ = TempPath("fault-lines.bas");
  fs::path events_ = TempPath("fault-lines.events");
};

TEST_F(FaultLines, TokenizerFaultsPointAtTheByte) {
  EXPECT_EQ(Run("VAR x\nx = 1 ~ 2 \x01\n").err,
            At("2:11: error: T:Error: Unknown token!-[ \\x01 ] at LINE: 1"));
  EXPECT_EQ(Run("VAR x\n\nPRINT 0, 0, \"open\n").err,
            At("3:13: error: T:Error: Unclosed Quote!- at LINE: 2"));
  // Brackets are counted to the line end, which is where the fault is seen.
  const ProcessResult paren = Run("VAR x\nx = (1 + 2\n", "", "--check");
  EXPECT_EQ(paren.err, At("2:11: error: T:Error: Missing right paren! ((...)- at LINE: 1"));
  EXPECT_EQ(paren.status, 1);
}

TEST_F(FaultLines, PreCheckFaultsPointAtTheTokenTheyQuote) {
  const ProcessResult r = Run("VAR x\nx = 1\n  IF x >= 5\nENDIF\n", "", "--check");
  // The hint of the fault follows it as a note.
  EXPECT_EQ(r.err, At("3:9: error: ERROR~IF: Wrong Argument(3)! -{ = }-Line: 3") +
                       At("3:9: note: >= is no operator here: the comparisons are =, !, < and >, "
                          "one character each; write a > b | a = b [W26]"));
  // The box is unchanged.
  EXPECT_NE(r.out.find("box\tERROR~IF\tWrong Argument(3)! -{ = }-Line: 3\n"), std::string::npos);
  EXPECT_EQ(Run("VAR x\nx = 1 : nofunc()\n").err,
            At("2:9: error: FN_ERROR: Function not found! -{ nofunc }-Line: 2"));
  EXPECT_EQ(Run("VAR x\n\nGOTO nowhere\n").err,
            At("3:6: error: ERROR~GOTO: Cannot found label :nowhere -Line: 3"));
}

// Blocks that do not pair up point at the first block left without its end, or at the first end
// that has no block; the box is the count's, as before.
TEST_F(FaultLines, UnbalancedBlocksPointAtTheBlockThatLacksItsEnd) {
  const ProcessResult loop = Run("VAR x\nWHILE x < 3\nx = x + 1\n  WHILE x < 2\n  WEND\n");
  EXPECT_EQ(loop.err, At("2:1: error: LOOP ERROR: WHILE without WEND , check code!"));
  EXPECT_NE(loop.out.find("box\tLOOP ERROR\tWHILE without WEND , check code!\n"),
            std::string::npos);
  EXPECT_EQ(Run("VAR x\nIF x = 0\nENDIF\n ENDIF\n").err,
            At("4:2: error: IF/ENDIF ERROR: ENDIF without IF , check code!"));
  EXPECT_EQ(Run("FUNC f()\nENDFN\nFUNC g()\n").err,
            At("3:1: error: FUNC ERROR: FUNC without ENDFN , check code!"));
  EXPECT_EQ(Run("WINMSG WMTIMER\nENDWM\nENDWM\n").err,
            At("3:1: error: WMSG ERROR: ENDWM without WINMSG, check code!"));
  // Counted, not paired: an end before its block passes the count, and the place is then the
  // first block that pairing leaves open.
  EXPECT_EQ(Run("VAR x\nWEND\nWHILE x < 1\nWHILE x < 2\n").err,
            At("3:1: error: LOOP ERROR: WHILE without WEND , check code!"));
}

TEST_F(FaultLines, RunTimeFaultsPointAtTheStatementAndNameTheHandlerBlock) {
  const ProcessResult main = Run("VAR i\ni = 1 : i = VAL(5)\n");
  EXPECT_EQ(main.err, At("2:9: error: TYPE ERROR: Not String! -{ 5 }"));
  EXPECT_EQ(main.status, 3);
  const ProcessResult handler =
      Run("VAR i, k\nGOTO start\nWINMSG WMKEYDOWN\nHWPARAM k\n  Gee(k)\nENDWM\nLABEL start\n",
          "key 65\n");
  EXPECT_EQ(handler.err,
            At("5:3: error: FN_ERROR: Function not found! -{ Gee } (in the WMKEYDOWN block)"));
  // A fault that does not end the run is reported too, and the run goes on.
  const ProcessResult goes_on = Run("VAR v\nPTR p\nINPUTBOX v, 0, 0, 9, 9, \"\"\nPRINT 1, 1, 1\n");
  EXPECT_EQ(goes_on.err, At("3:1: error: Hendler Error!: Hendler unknown! : v"));
  EXPECT_NE(goes_on.out.find("print\t1\t1\t1\n"), std::string::npos);
}

TEST(FaultLine, IsOneLineWhateverTheMessageHolds) {
  const SourcePosition at{12, 3};
  EXPECT_EQ(FaultLine("a b.bas", &at, {"CAP\tX", "two\r\nlines"}),
            "a b.bas:12:3: error: CAP\\tX: two\\r\\nlines");
  EXPECT_EQ(FaultLine("x.bas", nullptr, {"C", "T"}, "WMTIMER"),
            "x.bas: error: C: T (in the WMTIMER block)");
}

}  // namespace
}  // namespace brindle::testing

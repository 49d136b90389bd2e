// The traps newcomers fell into: each new warning where a script trips it and not where it
// comes close, and the hints that follow a pre-check fault.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/driver.h"
#include "lint/lint.h"
#include "run_brindle.h"

namespace brindle {
namespace {

using V = std::vector<std::string>;

V Lint(const std::string& text, const std::string& path = "s.bas") {
  V lines;
  LintScript({path, text}, [&](const std::string& line) { lines.push_back(line); });
  return lines;
}

// "LINE:COL Wnn" of the warnings with one id.
V Where(const std::string& text, const std::string& id, const std::string& path = "s.bas") {
  V found;
  for (const std::string& line : Lint(text, path)) {
    if (line.find("[" + id + "]") == std::string::npos) continue;
    const size_t from = path.size() + 1;
    found.push_back(line.substr(from, line.find(": ", from) - from) + " " + id);
  }
  return found;
}

const std::string kNames = "VAR n, i, row, x, y\nSTR s, t\nPTR img\nSTR m[3]\n";

TEST(LintLearner, StringFunctionsFollowedByAPlus) {
  EXPECT_EQ(Where(kNames + "s = \"Score: \" + STRS(n) + \" Lives: \" + STRS(i)\n", "W22"),
            V{"5:25 W22"});
  EXPECT_EQ(Where(kNames + "s = CHRS(65) + t\n", "W22"), V{"5:14 W22"});
  EXPECT_EQ(Where(kNames + "s = LSTR(t, 2) + \"x\"\n", "W22"), V{"5:16 W22"});
  // A number after STRS's + is arithmetic, and a string function written last is joined.
  EXPECT_EQ(Where(kNames + "s = STRS(n) + 1\ns = \"a\" + STRS(n)\nt = \"x\" + LSTR(s, 2)\n", "W22"),
            V{});
}

TEST(LintLearner, NumbersStoredInTextVariables) {
  EXPECT_EQ(Where(kNames + "s = 5\nm[2] = 3\n", "W23"), (V{"5:5 W23", "6:8 W23"}));
  EXPECT_EQ(Where(kNames + "s = \"5\"\nn = 5\ns = STRS(5)\n", "W23"), V{});
}

TEST(LintLearner, VariablesOfTheOtherTypeReadNothing) {
  EXPECT_EQ(Where(kNames + "s = n\nm[1] = \"a\" + i + t\nn = s + 1\nimg = s\n", "W29"),
            (V{"5:5 W29", "6:14 W29", "7:5 W29", "8:7 W29"}));
  EXPECT_EQ(Lint("VAR n\nSTR s\ns = \"4\"\nn = 2 + s\nPRINT 0, 0, n\n"),
            V{"s.bas:4:9: warning: s holds text, which gives no number here: it counts as nothing; "
              "write VAL(s) for the number the text spells [W29]"});
  // Arguments of functions have their own types; a PTR is a number.
  EXPECT_EQ(Where(kNames + "s = STRS(n) + t\nn = LEN(s) + VAL(m[i])\nm[n] = LSTR(s, i)\nn = img\n",
                  "W29"),
            V{});
}

TEST(LintLearner, IntOfADivision) {
  EXPECT_EQ(Where(kNames + "row = INT((i - 1) / 10)\n", "W24"), V{"5:7 W24"});
  EXPECT_EQ(Where(kNames + "row = INT(i * 2)\nrow = INT(i) / 2\n", "W24"), V{});
}

TEST(LintLearner, PlainArgumentsThatAreNotOneNumberOrVariable) {
  EXPECT_EQ(Where(kNames + "SHOWIMGT img, x, y - 20, 48, 32\n", "W25"), V{"5:18 W25"});
  EXPECT_EQ(Where("PTR img\nVAR px[3]\nSHOWIMGT img, px[1], 0, 48, 32\n", "W25"), V{"3:15 W25"});
  EXPECT_EQ(Where(kNames + "RECT x, y, row, s\n", "W25"), V{"5:17 W25"});
  EXPECT_EQ(Where(kNames + "SHOWIMGT img, x, y, 48, 32\nRECT 1, 2, x, y\nWCOLOR 1, 2, n\n", "W25"),
            V{});
  // Where the pre-check faults first, the hint follows the fault.
  EXPECT_EQ(Lint(kNames + "BCOLOR 200, 50 + row * 40, 50\n"),
            (V{"s.bas:5:11: error: ERR~BCOLOR: Comma Separator ? -{ , }-Line: 5",
               "s.bas:5:11: warning: BCOLOR's numbers are plain: each is one number or one VAR "
               "variable, read as it stands (an expression, an element, a sign or a variable of "
               "another type keeps the value that argument had before); compute it into a VAR "
               "variable first: v = ..., then BCOLOR ..., v, ... [W25]"}));
}

TEST(LintLearner, ComparisonsOfTwoCharactersAndSigns) {
  const V lines = Lint(kNames +
                       "IF n <= 3\nENDIF\nIF n <> 3\nENDIF\nIF row > -1 & row < 4\n"
                       "ENDIF\nWHILE n >= 2\nWEND\nIF n = 3\nENDIF\n");
  V hints;
  for (const std::string& line : lines) {
    if (line.find("[W26]") != std::string::npos) hints.push_back(line.substr(6, 4));
  }
  EXPECT_EQ(hints, (V{"5:7:", "7:7:", "9:10", "11:1"}));
  EXPECT_NE(lines[1].find("<= is no operator here"), std::string::npos) << lines[1];
  EXPECT_NE(lines[3].find("write a ! b"), std::string::npos) << lines[3];
  EXPECT_NE(lines[5].find("needs parentheses: > (-1)"), std::string::npos) << lines[5];
}

TEST(LintLearner, StatementsCutShortNameTheirForm) {
  EXPECT_EQ(Where(kNames + "RECT 1, 2\nWCOLOR 1, 2,\nIF n\nENDIF\n", "W28"),
            (V{"5:10 W28", "6:13 W28", "7:5 W28"}));
  EXPECT_EQ(Lint("RECT 1, 2\n")[1],
            "s.bas:1:10: warning: RECT is missing arguments: it is written RECT x, y, w, h [W28]");
  // A whole statement, and a fault before the line's end, get none.
  EXPECT_EQ(Where(kNames + "RECT 1, 2, 3, 4\nRECT 1, 2 3, 4\n", "W28"), V{});
}

TEST(LintLearner, KeywordsInADeclarationAndOtherBasicsHabits) {
  const V lines = Lint("STR label, months\nREM a note\n");
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[1],
            "s.bas:1:5: warning: label: LABEL is a keyword and cannot name a variable: choose "
            "another name, such as labels [W21]");
  EXPECT_EQ(lines[4],
            "s.bas:2:1: warning: REM: comments start with an apostrophe: ' like this, also after "
            "a statement [W21]");
}

TEST(LintLearner, WhileWithAnArrayElementOnTheRight) {
  const std::string script = "VAR w, px[3]\nWHILE w < px[1]\nw = w + 1\nWEND\n";
  const V lines = Lint(script);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("2:11: warning: WHILE cannot compare with an array element: the run "
                          "stops here with Wrong Type! px"),
            std::string::npos)
      << lines[0];
}

TEST(LintLearner, PictureFilesThatAreNotThere) {
  namespace fs = std::filesystem;
  const fs::path folder = testing::TempPath("lint-pictures");
  fs::create_directories(folder);
  std::ofstream(folder / "fish.png") << "not read";
  const std::string script = (folder / "game.bas").string();
  const std::string text =
      "PTR p\nLOADIMG p, \"fsh.png\", 0, 0, 0, 16\nLOADIMG p, \"fish.png\", 0, 0, 0, 16\n"
      "SHOWIMG p, 0, 0, 8, 8\n";
  EXPECT_EQ(Where(text, "W27", script), V{"2:12 W27"});
  EXPECT_EQ(Where(text + "' lint-ignore W27\n", "W27", script), V{"2:12 W27"});
  EXPECT_EQ(Where("PTR p\nLOADIMG p, \"fsh.png\", 0, 0, 0, 16 ' lint-ignore W27\n", "W27", script),
            V{});
  fs::remove_all(folder);
}

}  // namespace
}  // namespace brindle

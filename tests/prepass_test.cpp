// Pre-pass: keyword kinds, declarations and the bindings of every name, labels and functions,
// loop marks and handlers, the capacities of the symbol tables, and what a fault leaves behind.
#include "prepass/prepass.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "frontend/token_table.h"
#include "frontend/tokenizer.h"
#include "prepass/blocks.h"
#include "prepass/symbols.h"

namespace brindle {
namespace {

// Keyword kinds as the pre-pass writes them.
constexpr int kStr = 0x20, kVar = 0x21, kPtr = 0x22;

struct Checked {
  TokenTable tokens;
  Symbols symbols;
  Blocks blocks;
  Fault fault;

  // Position of the nth token (1-based) with this text.
  int Pos(std::string_view text, int nth = 1) const {
    for (int p = 1; p <= tokens.count; ++p) {
      if (tokens.text[p] == text && --nth == 0) return p;
    }
    ADD_FAILURE() << "no token " << text;
    return 0;
  }
  int VarOf(std::string_view text, int nth = 1) const {
    return symbols.var_slot_of_token[Pos(text, nth)];
  }
  int ArrayOf(std::string_view text, int nth = 1) const {
    return symbols.array_slot_of_token[Pos(text, nth)];
  }
};

Checked Check(std::string_view source) {
  Checked c;
  const TokenizeResult r = Tokenize(source, c.tokens);
  EXPECT_EQ(r.error, TokenizerError::kNone) << source;
  c.tokens.count = r.token_count;
  c.fault = PrePass(PrePassTables{c.tokens, c.symbols, c.blocks});
  return c;
}

std::string Describe(const Fault& f) {
  return f ? f->caption + " | " + f->text : "passed";
}

TEST(PrePassKeywords, AreClassifiedWithoutRegardToCase) {
  const Checked c = Check("var x, PRINTX, IFA\nprint x\nPrint x\nPRINT x\nPRINTX = IFA\n");
  ASSERT_FALSE(c.fault) << Describe(c.fault);
  EXPECT_EQ(c.tokens.kind[c.Pos("var")], kVar);
  EXPECT_EQ(c.tokens.kind[c.Pos("print")], 0x2c);
  EXPECT_EQ(c.tokens.kind[c.Pos("Print")], 0x2c);
  EXPECT_EQ(c.tokens.kind[c.Pos("PRINT")], 0x2c);
  EXPECT_EQ(c.tokens.text[c.Pos("Print")], "Print");  // the text stays as written
  EXPECT_EQ(c.tokens.kind[c.Pos("PRINTX", 2)], TK_IDENT);
  EXPECT_EQ(c.tokens.kind[c.Pos("IFA", 2)], TK_IDENT);
}

TEST(PrePassKeywords, StringLiteralsStayLiterals) {
  const Checked c = Check("STR s\ns = \"endif\"\nIF s = \"while\"\nENDIF\ns = \"VAR\"\n");
  ASSERT_FALSE(c.fault) << Describe(c.fault);
  EXPECT_EQ(c.tokens.kind[c.Pos("endif")], TK_STRING);
  EXPECT_EQ(c.tokens.kind[c.Pos("while")], TK_STRING);
  EXPECT_EQ(c.tokens.kind[c.Pos("VAR")], TK_STRING);
  EXPECT_EQ(c.blocks.endif_count, 1);
  EXPECT_EQ(c.blocks.while_count, 0);
  EXPECT_EQ(c.symbols.var_count, 1);
}

TEST(PrePassKeywords, BlockWordsAreCountedAndTheOthersAreNot) {
  const Checked c = Check(
      "VAR a\nIF a = 1\nELSE\nENDIF\nif a = 2\nendif\nWHILE a < 1\nWEND\nFOR a TO 3 STEP 1\n"
      "NEXT\nNEXT\nFUNC f()\nENDFN\nWINMSG WMTIMER\nENDWM\nWINMSG WMKEYUP\nENDWM\n");
  ASSERT_FALSE(c.fault) << Describe(c.fault);
  EXPECT_EQ(c.blocks.if_count, 2);
  EXPECT_EQ(c.blocks.endif_count, 2);
  EXPECT_EQ(c.blocks.while_count, 1);
  EXPECT_EQ(c.blocks.wend_count, 1);
  EXPECT_EQ(c.blocks.func_count, 1);
  EXPECT_EQ(c.blocks.endfn_count, 1);
  EXPECT_EQ(c.blocks.winmsg_count, 2);
  EXPECT_EQ(c.blocks.endwm_count, 2);
  EXPECT_EQ(c.tokens.kind[c.Pos("ELSE")], 0x24);
  EXPECT_EQ(c.tokens.kind[c.Pos("FOR")], 0x28);
  EXPECT_EQ(c.tokens.kind[c.Pos("TO")], 0x29);
  EXPECT_EQ(c.tokens.kind[c.Pos("STEP")], 0x2a);
  EXPECT_EQ(c.tokens.kind[c.Pos("NEXT")], 0x2b);
}

TEST(PrePassSymbols, VariablesAreNumberedInDeclarationOrder) {
  const Checked c = Check("VAR a, b, c\nSTR S\nPTR p\nc = a + b\nIF s = \"x\"\nENDIF\n");
  ASSERT_FALSE(c.fault) << Describe(c.fault);
  EXPECT_EQ(c.symbols.var_count, 5);
  EXPECT_EQ(c.VarOf("a"), 1);
  EXPECT_EQ(c.VarOf("b"), 2);
  EXPECT_EQ(c.VarOf("c"), 3);
  EXPECT_EQ(c.VarOf("S"), 4);
  EXPECT_EQ(c.VarOf("p"), 5);
  EXPECT_EQ(c.VarOf("c", 2), 3);
  EXPECT_EQ(c.VarOf("a", 2), 1);
  EXPECT_EQ(c.VarOf("s"), 4);
  EXPECT_EQ(c.symbols.var_name[4], "s");
  EXPECT_EQ(c.symbols.var_type[1], kVar);
  EXPECT_EQ(c.symbols.var_type[4], kStr);
  EXPECT_EQ(c.symbols.var_type[5], kPtr);
  EXPECT_EQ(c.symbols.array_count, 0);
  // Keywords, numbers and punctuation bind to nothing.
  EXPECT_EQ(c.symbols.var_slot_of_token[c.Pos("VAR")], 0);
  EXPECT_EQ(c.symbols.var_slot_of_token[c.Pos(",")], 0);
  EXPECT_EQ(c.symbols.var_slot_of_token[c.Pos("IF")], 0);
}

TEST(PrePassSymbols, ArraysShareOneNumberingAndStrAndPtrArraysAreAlsoVariables) {
  const Checked c = Check("VAR x[10]\nSTR s[5]\nPTR p[2], q\nx[1] = s[2] + p[1]\ns = \"a\"\n");
  ASSERT_FALSE(c.fault) << Describe(c.fault);
  EXPECT_EQ(c.symbols.array_count, 3);
  EXPECT_EQ(c.symbols.var_count, 3);
  EXPECT_EQ(c.ArrayOf("x"), 1);
  EXPECT_EQ(c.VarOf("x"), 0);
  EXPECT_EQ(c.ArrayOf("s"), 2);
  EXPECT_EQ(c.VarOf("s"), 1);
  EXPECT_EQ(c.ArrayOf("p"), 3);
  EXPECT_EQ(c.VarOf("p"), 2);
  EXPECT_EQ(c.VarOf("q"), 3);
  EXPECT_EQ(c.symbols.array_type[1], kVar);
  EXPECT_EQ(c.symbols.array_type[2], kStr);
  EXPECT_EQ(c.symbols.array_type[3], kPtr);
  EXPECT_EQ(c.symbols.var_type[1], kStr);
  EXPECT_EQ(c.symbols.var_type[2], kPtr);
  EXPECT_EQ(c.ArrayOf("x", 2), 1);
  EXPECT_EQ(c.ArrayOf("s", 2), 2);
  EXPECT_EQ(c.ArrayOf("p", 2), 3);
  EXPECT_EQ(c.VarOf("s", 3), 1);
}

TEST(PrePassSymbols, TheFirstDeclarationOfANameWins) {
  const Checked c = Check("VAR a\nSTR A\na = 1\nVAR t[2], T[3]\nt[1] = 2\n");
  ASSERT_FALSE(c.fault) << Describe(c.fault);
  EXPECT_EQ(c.symbols.var_count, 2);
  EXPECT_EQ(c.VarOf("a", 2), 1);
  EXPECT_EQ(c.symbols.array_count, 2);
  EXPECT_EQ(c.ArrayOf("t", 2), 1);
}

TEST(PrePassSymbols, EveryNameOfADeclarationListIsDeclared) {
  const Checked c = Check("VAR a = b + 1, c[d] : e = a\n");
  ASSERT_TRUE(c.fault);
  EXPECT_EQ(c.fault->text, "Variable ID not found! -{ e }-Line: 1");
  EXPECT_EQ(c.symbols.var_count, 3);  // a, b, d
  EXPECT_EQ(c.symbols.var_name[2], "b");
  EXPECT_EQ(c.symbols.var_name[3], "d");
  EXPECT_EQ(c.symbols.array_name[1], "c");
}

TEST(PrePassSymbols, GotoTargetsTheEarlierOfTwoLabels) {
  const Checked c = Check("GOTO Here\nLABEL here\nLABEL HERE\nGOTO HeRe\n");
  ASSERT_FALSE(c.fault) << Describe(c.fault);
  const int first = c.Pos("here");
  EXPECT_EQ(c.symbols.label_name[first], "here");
  EXPECT_EQ(c.symbols.label_name[c.Pos("HERE")], "HERE");
  EXPECT_EQ(c.symbols.goto_target[c.Pos("Here")], first);
  EXPECT_EQ(c.symbols.goto_target[c.Pos("HeRe")], first);
  // Label and GOTO names are not variables.
  EXPECT_EQ(c.symbols.var_slot_of_token[first], 0);
}

TEST(PrePassSymbols, FunctionCallsBindToTheNameInTheFuncLine) {
  const Checked c = Check("VAR x\nshape()\nFUNC Shape()\nENDFN\nFUNC plain\nENDFN\nother(x)\n");
  ASSERT_FALSE(c.fault) << Describe(c.fault);
  const int name = c.Pos("Shape");
  EXPECT_EQ(c.symbols.func_name[name], "shape");
  EXPECT_EQ(c.symbols.func_of_token[c.Pos("shape")], name);
  EXPECT_EQ(c.symbols.func_of_token[name], 0);            // the definition is no call
  EXPECT_EQ(c.symbols.func_name[c.Pos("plain")], "");     // no "(" ")": nothing registered
  EXPECT_EQ(c.symbols.func_of_token[c.Pos("other")], 0);  // name ( name ) is left alone
  EXPECT_EQ(c.VarOf("x", 2), 1);
}

TEST(PrePassHandlers, EachMessageNameSetsItsEntryAndTheLastOneWins) {
  const Checked c = Check(
      "WINMSG WMMOUSEMOVE\nENDWM\nWINMSG wmkeydown\nENDWM\nWINMSG WmKeyUp\nENDWM\n"
      "WINMSG WMTIMER\nENDWM\nWINMSG WMCOMMAND\nENDWM\nWINMSG wmtimer\nENDWM\n");
  ASSERT_FALSE(c.fault) << Describe(c.fault);
  EXPECT_EQ(c.blocks.HandlerEntry(Handler::kMouseMove), c.Pos("WMMOUSEMOVE"));
  EXPECT_EQ(c.blocks.HandlerEntry(Handler::kKeyDown), c.Pos("wmkeydown"));
  EXPECT_EQ(c.blocks.HandlerEntry(Handler::kKeyUp), c.Pos("WmKeyUp"));
  EXPECT_EQ(c.blocks.HandlerEntry(Handler::kCommand), c.Pos("WMCOMMAND"));
  EXPECT_EQ(c.blocks.HandlerEntry(Handler::kTimer), c.Pos("wmtimer"));
  EXPECT_EQ(c.symbols.var_slot_of_token[c.Pos("WMTIMER")], 0);
}

TEST(PrePassHandlers, AScriptWithoutHandlersHasNoEntries) {
  const Checked c = Check("VAR a\n");
  ASSERT_FALSE(c.fault) << Describe(c.fault);
  for (const int entry : c.blocks.handler_table) EXPECT_EQ(entry, 0);
}

TEST(PrePassLoops, OnlyWhilesThatPassedTheirChecksAreMarked) {
  const Checked c = Check("VAR i\nWHILE i < 3\nWEND\nwhile i = 1\nWEND\nWHILE (i) < 3\nWEND\n");
  ASSERT_TRUE(c.fault);
  EXPECT_EQ(c.fault->caption, "ERROR~WHILE");
  const int first = c.Pos("WHILE");
  const int second = c.Pos("while");
  const int third = c.Pos("WHILE", 2);
  EXPECT_EQ(c.blocks.while_mark[first], first);
  EXPECT_EQ(c.blocks.while_mark[second], second);
  EXPECT_EQ(c.blocks.while_mark[third], 0);
  EXPECT_EQ(c.blocks.while_mark[c.Pos("WEND")], 0);
  EXPECT_EQ(c.blocks.while_mark[c.Pos("i", 2)], 0);
}

// The uses of "a" fill the table up to position 1204, past the first 1024 positions.
std::string Padding() {
  std::string source = "VAR a\n";
  for (int i = 0; i < 600; ++i) source += "a\n";
  return source;
}

TEST(PrePassCapacity, BindingsCoverEveryTokenPosition) {
  const Checked c = Check(Padding() +
                          "GOTO Done\nFUNC f()\nWHILE a < 1\nWEND\nENDFN\nf()\nVAR b[2]\n"
                          "b[1] = a\nLABEL done\n");
  ASSERT_FALSE(c.fault) << Describe(c.fault);
  const int loop = c.Pos("WHILE");
  const int def = c.Pos("f");
  const int call = c.Pos("f", 2);
  const int use = c.Pos("b", 2);
  ASSERT_GT(loop, 1024);
  EXPECT_EQ(c.blocks.while_mark[loop], loop);
  EXPECT_EQ(c.symbols.func_name[def], "f");
  EXPECT_EQ(c.symbols.func_of_token[call], def);
  EXPECT_EQ(c.symbols.array_slot_of_token[use], 1);
  EXPECT_EQ(c.symbols.var_slot_of_token[use + 5], 1);  // b [ 1 ] = a
  EXPECT_EQ(c.symbols.goto_target[c.Pos("Done")], c.Pos("done"));
  EXPECT_EQ(c.symbols.var_slot_of_token[1026], 1);  // one of the padding uses
}

TEST(PrePassCapacity, TheLastTokenPositionBinds) {
  std::string source = "VAR a\n";
  for (int i = 0; i < 2045; ++i) source += "a\n";
  const Checked c = Check(source + "a a\n");
  ASSERT_FALSE(c.fault) << Describe(c.fault);
  ASSERT_EQ(c.tokens.count, 4096);
  EXPECT_EQ(c.symbols.var_slot_of_token[4095], 1);
  EXPECT_EQ(c.symbols.var_slot_of_token[4096], 0);  // the line end
}

std::string Declare(std::string_view keyword, int count, std::string_view suffix) {
  std::string source(keyword);
  for (int i = 1; i <= count; ++i) source += " n" + std::to_string(i) + std::string(suffix);
  return source + "\n";
}

TEST(PrePassCapacity, HoldsExactly1024VariablesAndArrays) {
  const Checked vars = Check(Declare("VAR", 1024, ""));
  ASSERT_FALSE(vars.fault) << Describe(vars.fault);
  EXPECT_EQ(vars.symbols.var_count, 1024);
  EXPECT_EQ(vars.VarOf("n1024"), 1024);

  const Checked too_many = Check(Declare("VAR", 1025, ""));
  ASSERT_TRUE(too_many.fault);
  EXPECT_EQ(too_many.fault->caption, "ERROR");
  EXPECT_EQ(too_many.fault->text, "Too many variables! -{ n1025 }-Line: 1");

  const Checked arrays = Check(Declare("PTR", 1024, "[]"));
  ASSERT_FALSE(arrays.fault) << Describe(arrays.fault);
  EXPECT_EQ(arrays.symbols.array_count, 1024);
  EXPECT_EQ(arrays.ArrayOf("n1024"), 1024);

  const Checked too_many_arrays = Check("VAR z\n" + Declare("VAR", 1025, "[]"));
  ASSERT_TRUE(too_many_arrays.fault);
  EXPECT_EQ(too_many_arrays.fault->caption, "ERROR");
  EXPECT_EQ(too_many_arrays.fault->text, "Too many arrays! -{ n1025 }-Line: 2");
}

TEST(PrePassFaults, StopThePassAndKeepWhatWasRecordedBefore) {
  const Checked c = Check("VAR a\nWINMSG WMTIMER\nENDWM\nb = 1\nVAR c\nWINMSG WMKEYUP\nENDWM\n");
  ASSERT_TRUE(c.fault);
  EXPECT_EQ(c.fault->caption, "ERROR");
  EXPECT_EQ(c.fault->text, "Variable ID not found! -{ b }-Line: 4");
  EXPECT_EQ(c.symbols.var_count, 1);
  EXPECT_EQ(c.blocks.HandlerEntry(Handler::kTimer), c.Pos("WMTIMER"));
  EXPECT_EQ(c.blocks.HandlerEntry(Handler::kKeyUp), 0);
}

TEST(PrePassFaults, PassingScriptsReportNothing) {
  // Shapes that every check admits, one of each.
  const Checked c = Check(
      "VAR x, y, a[3]\nSTR s\nPTR img\nMOUSEX x : MOUSEY y : HWPARAM x : HLPARAM y\n"
      "PRINT (x+1), 2, s\nPSET x, y\nLINE 1, 2\nRECT x, 2, y, 4\nIF a[1] = 2 | x ! y\nENDIF\n"
      "IF s = \"a\" & s ! \"b\"\nENDIF\nWHILE x > 3\nWEND\nx = RND(1) + SIN(x) + COS(1) + TAN(1)"
      " + RAND(3)\ns = STRS(x)\nWCOLOR 1, 2, 3\nFCOLOR x, y, 0\nBCOLOR 0, 0, 0\n"
      "LOADIMG img, s, 0, 0, x, y\nSHOWIMG img, 0, 0, 1\n");
  EXPECT_FALSE(c.fault) << Describe(c.fault);
}

}  // namespace
}  // namespace brindle

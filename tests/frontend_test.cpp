// Tokenizer: the kinds and texts of the tokens it writes, line ends and comments, literals, the
// table capacity, and the faults with the line they report.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "frontend/token_table.h"
#include "frontend/tokenizer.h"

namespace brindle {
namespace {

struct Token {
  int kind;
  std::string text;
  bool operator==(const Token&) const = default;
};

void PrintTo(const Token& t, std::ostream* os) {
  *os << "{" << t.kind << ", \"" << t.text << "\"}";
}

struct Scan {
  TokenizeResult result;
  TokenTable table;
  // The tokens at positions 1..n, where n is the count of a successful run.
  std::vector<Token> Tokens() const {
    std::vector<Token> tokens;
    for (int p = 1; p <= result.token_count; ++p) tokens.push_back({table.kind[p], table.text[p]});
    return tokens;
  }
};

Scan Lex(std::string_view source) {
  Scan scan;
  scan.result = Tokenize(source, scan.table);
  return scan;
}

const Token kEol = {TK_EOL, "EOL"};
Token Ident(std::string text) {
  return {TK_IDENT, std::move(text)};
}
Token Number(std::string text) {
  return {TK_NUMBER, std::move(text)};
}
Token Literal(std::string text) {
  return {TK_STRING, std::move(text)};
}

TEST(FrontendTokens, OneLineGivesItsTokensAndOneLineEnd) {
  const Scan scan = Lex("PRINT 1\n");
  EXPECT_EQ(scan.result.error, TokenizerError::kNone);
  EXPECT_FALSE(scan.result.fault.has_value());
  EXPECT_EQ(scan.Tokens(), (std::vector<Token>{Ident("PRINT"), Number("1"), kEol}));
  EXPECT_EQ(scan.table.line_count, 1);
}

TEST(FrontendTokens, EveryPunctuationCharacterIsOneTokenOfItsOwnKind) {
  const std::vector<std::pair<char, int>> cases = {
      {'+', 1},  {'-', 2},   {'*', 3},  {'/', 4},  {':', 5},  {',', 6},  {'(', 7},  {')', 8},
      {'[', 9},  {']', 10},  {'=', 16}, {'>', 17}, {'<', 18}, {'&', 19}, {'|', 20}, {'!', 21},
      {'#', 22}, {'$', 23},  {'%', 24}, {';', 25}, {'.', 26}, {'{', 27}, {'}', 28}, {'?', 29},
      {'@', 30}, {'\\', 31}, {'^', 32}, {'`', 33}, {'~', 34}};
  std::string source;
  for (const auto& [c, kind] : cases) source += c;
  // The brackets of the list balance, so the line end passes its check.
  const Scan scan = Lex(source + "\n");
  ASSERT_EQ(scan.result.error, TokenizerError::kNone);
  ASSERT_EQ(scan.result.token_count, static_cast<int>(cases.size()) + 1);
  for (size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(scan.Tokens()[i], (Token{cases[i].second, std::string(1, cases[i].first)}));
  }
}

TEST(FrontendTokens, TwoCharacterOperatorsAreTwoTokens) {
  EXPECT_EQ(Lex("a<=b\n").Tokens(),
            (std::vector<Token>{Ident("a"), {TK_LESS, "<"}, {TK_EQUAL, "="}, Ident("b"), kEol}));
  EXPECT_EQ(Lex("a<>b\n").Tokens(),
            (std::vector<Token>{Ident("a"), {TK_LESS, "<"}, {TK_GREATER, ">"}, Ident("b"), kEol}));
}

TEST(FrontendTokens, NamesAndNumbers) {
  EXPECT_EQ(Lex("x.5\n").Tokens(),
            (std::vector<Token>{Ident("x"), {TK_DOT, "."}, Number("5"), kEol}));
  EXPECT_EQ(Lex("1.5.2 3.\n").Tokens(), (std::vector<Token>{Number("1.5.2"), Number("3."), kEol}));
  EXPECT_EQ(Lex(".5\n").Tokens(), (std::vector<Token>{{TK_DOT, "."}, Number("5"), kEol}));
  EXPECT_EQ(Lex("12abc\n").Tokens(), (std::vector<Token>{Number("12"), Ident("abc"), kEol}));
  EXPECT_EQ(Lex("abc12 _x_9 Mixed\n").Tokens(),
            (std::vector<Token>{Ident("abc12"), Ident("_x_9"), Ident("Mixed"), kEol}));
  // No sign or exponent belongs to a number.
  EXPECT_EQ(Lex("-1e5\n").Tokens(),
            (std::vector<Token>{{TK_MINUS, "-"}, Number("1"), Ident("e5"), kEol}));
  // The tokenizer knows no keywords.
  EXPECT_EQ(Lex("while\n").Tokens(), (std::vector<Token>{Ident("while"), kEol}));
}

TEST(FrontendTokens, StringLiterals) {
  EXPECT_EQ(Lex("s = \"x'y\"\n").Tokens(),
            (std::vector<Token>{Ident("s"), {TK_EQUAL, "="}, Literal("x'y"), kEol}));
  EXPECT_EQ(Lex("\"\"x\n").Tokens(), (std::vector<Token>{Literal(""), Ident("x"), kEol}));
  EXPECT_EQ(Lex("\"\"\"\"\n").Tokens(), (std::vector<Token>{Literal(""), Literal(""), kEol}));
  // Blanks, CR, TAB and bytes that are unknown outside a literal are kept inside it.
  EXPECT_EQ(Lex("\" a\t\r\xe9\x01 \"\n").Tokens(),
            (std::vector<Token>{Literal(" a\t\r\xe9\x01 "), kEol}));
  // A literal can hold a keyword's text or a comment start without any effect.
  EXPECT_EQ(Lex("\"print ' x\"\n").Tokens(), (std::vector<Token>{Literal("print ' x"), kEol}));
}

TEST(FrontendTokens, CommentsEndTheirLineWithOneLineEnd) {
  const Scan scan = Lex("x = 5 ' five (\n' only a comment\ny\n");
  EXPECT_EQ(
      scan.Tokens(),
      (std::vector<Token>{Ident("x"), {TK_EQUAL, "="}, Number("5"), kEol, kEol, Ident("y"), kEol}));
  EXPECT_EQ(scan.table.line_count, 3);
  // A comment at the end of the source ends a line even without a line feed.
  const Scan last = Lex("a ' c");
  EXPECT_EQ(last.Tokens(), (std::vector<Token>{Ident("a"), kEol}));
  EXPECT_EQ(last.table.line_count, 1);
}

TEST(FrontendTokens, BlanksAndLineEnds) {
  EXPECT_EQ(Lex("a\t \rb\n").Tokens(), (std::vector<Token>{Ident("a"), Ident("b"), kEol}));
  const Scan lf = Lex("VAR x\nx = (1)\n\nPRINT x ' c\n");
  const Scan crlf = Lex("VAR x\r\nx = (1)\r\n\r\nPRINT x ' c\r\n");
  EXPECT_EQ(crlf.Tokens(), lf.Tokens());
  EXPECT_EQ(crlf.table.line_count, 4);
  EXPECT_EQ(lf.table.line_count, 4);
  // CR alone ends no line, and the end of the source adds no line end.
  const Scan cr = Lex("PRINT 1\rPRINT 2\r");
  EXPECT_EQ(cr.Tokens(),
            (std::vector<Token>{Ident("PRINT"), Number("1"), Ident("PRINT"), Number("2")}));
  EXPECT_EQ(cr.table.line_count, 0);
  const Scan empty = Lex("");
  EXPECT_EQ(empty.result.error, TokenizerError::kNone);
  EXPECT_EQ(empty.result.token_count, 0);
  EXPECT_EQ(empty.table.line_count, 0);
}

TEST(FrontendTokens, BracketsAreCountedFromTheStartOfTheSource) {
  // The first line's "(" is closed on a later line: no line ever shows more of one kind.
  EXPECT_EQ(Lex("a = (1 ' open\nb = 2)\n").result.error, TokenizerError::kNone);
  // The counts only are compared.
  EXPECT_EQ(Lex("p)1,2(\n").result.error, TokenizerError::kNone);
  // The last line without a line feed is not checked.
  EXPECT_EQ(Lex("a\nb = (1").result.error, TokenizerError::kNone);
}

struct FaultCase {
  std::string_view source;
  TokenizerError error;
  std::string text;
};

TEST(FrontendFaults, ReportTheirKindAndTheLineEndsBeforeThem) {
  const std::vector<FaultCase> cases = {
      {"a\x01\n", TokenizerError::kUnknownCharacter, "Unknown token!-[ \x01 ] at LINE: 0"},
      {"a\nb\n{\xff}\n", TokenizerError::kUnknownCharacter, "Unknown token!-[ \xff ] at LINE: 2"},
      {"a\n\"b\n\"\n", TokenizerError::kUnclosedQuote, "Unclosed Quote!- at LINE: 1"},
      {"a\n\"b", TokenizerError::kUnclosedQuote, "Unclosed Quote!- at LINE: 1"},
      {"(\"b\n", TokenizerError::kUnclosedQuote, "Unclosed Quote!- at LINE: 0"},
      {"(a\n", TokenizerError::kMissingRightParen, "Missing right paren! ((...)- at LINE: 0"},
      {"(a ' c\nb\n", TokenizerError::kMissingRightParen,
       "Missing right paren! ((...)- at LINE: 1"},
      {"a)\n", TokenizerError::kMissingLeftParen, "Missing left paren! (...))- at LINE: 0"},
      {"\n\n[a\n", TokenizerError::kMissingRightBracket, "Missing right bracket!- at LINE: 2"},
      {"a]\n", TokenizerError::kMissingLeftBracket, "Missing left bracket!- at LINE: 0"},
      // Round brackets are checked before square ones.
      {"(a]\n", TokenizerError::kMissingRightParen, "Missing right paren! ((...)- at LINE: 0"},
      {"[a)\n", TokenizerError::kMissingLeftParen, "Missing left paren! (...))- at LINE: 0"},
      {"[[a]\n", TokenizerError::kMissingRightBracket, "Missing right bracket!- at LINE: 0"},
  };
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.source);
    const Scan scan = Lex(c.source);
    EXPECT_EQ(scan.result.error, c.error);
    EXPECT_EQ(scan.result.token_count, 0);
    ASSERT_TRUE(scan.result.fault.has_value());
    EXPECT_EQ(scan.result.fault->caption, "T:Error");
    EXPECT_EQ(scan.result.fault->text, c.text);
  }
}

TEST(FrontendFaults, EveryByteOutsideTheLanguageIsUnknown) {
  std::vector<char> unknown;
  for (int b = 0; b < 0x20; ++b) {
    if (b != '\t' && b != '\n' && b != '\r') unknown.push_back(static_cast<char>(b));
  }
  for (int b = 0x7f; b <= 0xff; ++b) unknown.push_back(static_cast<char>(b));
  for (const char byte : unknown) {
    SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(byte)));
    const Scan scan = Lex(std::string("a ") + byte + "\n");
    EXPECT_EQ(scan.result.error, TokenizerError::kUnknownCharacter);
    ASSERT_TRUE(scan.result.fault.has_value());
    EXPECT_EQ(scan.result.fault->text, std::string("Unknown token!-[ ") + byte + " ] at LINE: 0");
  }
}

TEST(FrontendFaults, KeepTheTokensWrittenBeforeThem) {
  const Scan scan = Lex("a b\nc \x01 d\n");
  EXPECT_EQ(scan.result.token_count, 0);
  EXPECT_EQ(scan.table.text[1], "a");
  EXPECT_EQ(scan.table.text[3], "EOL");
  EXPECT_EQ(scan.table.text[4], "c");
  EXPECT_EQ(scan.table.kind[4], TK_IDENT);
  EXPECT_EQ(scan.table.text[5], "");
  EXPECT_EQ(scan.table.kind[5], TK_NONE);
  EXPECT_EQ(scan.table.line_count, 1);
}

TEST(FrontendCapacity, HoldsExactly4096Tokens) {
  std::string source;
  for (int i = 0; i < 2048; ++i) source += "a\n";
  const Scan full = Lex(source);
  EXPECT_EQ(full.result.error, TokenizerError::kNone);
  EXPECT_EQ(full.result.token_count, 4096);
  EXPECT_EQ(full.table.line_count, 2048);
  EXPECT_EQ(full.table.text[4096], "EOL");

  const Scan over = Lex(source + "b c\n");
  EXPECT_EQ(over.result.error, TokenizerError::kTooManyTokens);
  EXPECT_EQ(over.result.token_count, 0);
  ASSERT_TRUE(over.result.fault.has_value());
  EXPECT_EQ(over.result.fault->caption, "T:Error");
  EXPECT_EQ(over.result.fault->text, "Too many tokens!- at LINE: 2048");
  EXPECT_EQ(over.table.text[4096], "EOL");
  EXPECT_EQ(over.table.text[4097], "");
  EXPECT_EQ(over.table.kind[4097], TK_NONE);
}

}  // namespace
}  // namespace brindle

// The token table: the one representation of a script that every later stage walks.
#pragma once

#include <string>
#include <vector>

namespace brindle {

// Positions are 1-based; position 0 is the place before the first token.
constexpr int kTokenCapacity = 4096;

// Cells past the table read as empty tokens (text "", kind TK_NONE). The cursor may wander a
// few tokens past the last one while it reads an unfinished statement; it stops at this limit.
constexpr int kCursorLimit = kTokenCapacity + 64;

// Token kinds made by the tokenizer. Keyword codes share this number space (keywords.h).
enum TokenKind : int {
  TK_NONE = 0,
  TK_PLUS = 1,
  TK_MINUS = 2,
  TK_STAR = 3,
  TK_SLASH = 4,
  TK_COLON = 5,
  TK_COMMA = 6,
  TK_LPAREN = 7,
  TK_RPAREN = 8,
  TK_LBRACKET = 9,
  TK_RBRACKET = 10,
  TK_IDENT = 11,
  TK_NUMBER = 12,
  TK_STRING = 13,
  TK_EOL = 15,
  TK_EQUAL = 16,
  TK_GREATER = 17,
  TK_LESS = 18,
  TK_AMP = 19,
  TK_BAR = 20,
  TK_BANG = 21,
  TK_HASH = 22,
  TK_DOLLAR = 23,
  TK_PERCENT = 24,
  TK_SEMICOLON = 25,
  TK_DOT = 26,
  TK_LBRACE = 27,
  TK_RBRACE = 28,
  TK_QUESTION = 29,
  TK_AT = 30,
  TK_BACKSLASH = 31,
  TK_CARET = 32,
  TK_BACKTICK = 33,
  TK_TILDE = 34,
};

struct TokenTable {
  // Indexed by position, 0 .. kCursorLimit + 1; only 1 .. count are ever written.
  std::vector<std::string> text = std::vector<std::string>(kCursorLimit + 2);
  std::vector<int> kind = std::vector<int>(kCursorLimit + 2, TK_NONE);
  int count = 0;       // TokenCount
  int line_count = 0;  // LineCount: line ends seen, one TK_EOL token each
};

}  // namespace brindle

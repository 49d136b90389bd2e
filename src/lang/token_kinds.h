// The kinds of token the tokenizer makes. Keyword codes share this number space (keywords.h).
#pragma once

namespace brindle {

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

}  // namespace brindle

// The token cursor shared by the executor and the evaluators, and the facts about each token
// that the evaluators would otherwise recompute from its text, kind and bindings on every visit.
// Both are plain data: the cursor's moves are in expr/cursor.h.
#pragma once

#include <cstdint>
#include <vector>

#include "frontend/token_table.h"
#include "frontend/zero_table.h"
#include "prepass/symbols.h"

namespace brindle {

struct TokenCursor {
  int exec_pos = 0;  // ExecPos: the read position
  // The position last read by NextToken: CurText and CurKind are that token's text and kind.
  // Moving exec_pos directly leaves them describing the old token until the next NextToken.
  int cur = 0;
};

// Which operand form of a numeric factor a token can begin. A token begins at most one, and
// the forms are tried in this order.
enum FactorForm : uint8_t {
  kFormNone = 0,
  kFormNumber = 1,   // the text begins with a digit
  kFormParen = 2,    // the text begins with "("
  kFormBracket = 3,  // the text begins with "["
  kFormName = 4,     // a name: a variable (4) or, followed by "[", an element (5)
  kFormElement = 5,
  kFormFunction = 6,  // a function of one number
  kFormVal = 7,
};

// Operators are recognised by text: a string literal "+" acts as "+".
enum OperatorClass : uint8_t { kNoOperator = 0, kSumOperator = 1, kTermOperator = 2 };

// Everything the executor reads about one token, derived once after the pre-pass: the tables
// never change afterwards.
struct TokenInfo {
  int kind = TK_NONE;
  int var = 0;             // bound variable, 0 for none
  int array = 0;           // bound array, 0 for none
  float number = 0.0f;     // the text's value, for texts that begin with a digit
  uint8_t var_type = 0;    // the bound variable's declaring keyword
  uint8_t array_type = 0;  // the bound array's declaring keyword
  char op = 0;             // the text when it is one byte long
  OperatorClass op_class = kNoOperator;
  FactorForm form = kFormNone;
};

struct TokenFacts {
  // All-zero bytes are the default TokenInfo, the facts of the empty cells past the last token.
  ZeroTable<TokenInfo> info = ZeroTable<TokenInfo>(kCursorLimit + 2);
};

// Fills the facts of the positions 1 .. tokens.count (the others keep the default facts).
void ComputeTokenFacts(const TokenTable& tokens, const Symbols& symbols, TokenFacts& facts);
// The same for the positions first .. last (tokens a debugger adds past the script's last).
void ComputeTokenFactsOf(const TokenTable& tokens, const Symbols& symbols, TokenFacts& facts,
                         int first, int last);

}  // namespace brindle

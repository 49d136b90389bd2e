// The token cursor shared by the executor and the evaluators, and the facts about each token
// that the evaluators would otherwise recompute from its text on every visit.
#pragma once

#include <vector>

#include "frontend/token_table.h"

namespace brindle {

struct TokenCursor {
  int exec_pos = 0;  // ExecPos: the read position
  // The position last read by NextToken: CurText and CurKind are that token's text and kind.
  // Moving exec_pos directly leaves them describing the old token until the next NextToken.
  int cur = 0;
};

// Derived from the token texts once, after the pre-pass; the texts never change afterwards.
struct TokenFacts {
  std::vector<char> op = std::vector<char>(kCursorLimit + 2, 0);    // the text if one byte long
  std::vector<char> lead = std::vector<char>(kCursorLimit + 2, 0);  // the first byte, or 0
  std::vector<float> number = std::vector<float>(kCursorLimit + 2, 0.0f);  // value of the text
};

// Fills the facts for positions 1..count of the table.
void ComputeTokenFacts(const TokenTable& tokens, TokenFacts& facts);

}  // namespace brindle

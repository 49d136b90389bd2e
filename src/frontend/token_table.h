// The token table: the one representation of a script that every later stage walks.
#pragma once

#include <string>
#include <vector>

#include "lang/token_kinds.h"

namespace brindle {

// Positions are 1-based; position 0 is the place before the first token.
constexpr int kTokenCapacity = 4096;

// Cells past the table read as empty tokens (text "", kind TK_NONE). The cursor may wander a
// few tokens past the last one while it reads an unfinished statement; it stops at this limit.
constexpr int kCursorLimit = kTokenCapacity + 64;

struct TokenTable {
  // Indexed by position, 0 .. kCursorLimit + 1; only 1 .. count are ever written.
  std::vector<std::string> text = std::vector<std::string>(kCursorLimit + 2);
  std::vector<int> kind = std::vector<int>(kCursorLimit + 2, TK_NONE);
  int count = 0;       // TokenCount
  int line_count = 0;  // LineCount: line ends seen, one TK_EOL token each
};

}  // namespace brindle

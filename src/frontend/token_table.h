// The token table: the one representation of a script that every later stage walks.
#pragma once

#include <string>
#include <vector>

#include "frontend/zero_table.h"
#include "lang/token_kinds.h"

namespace brindle {

// Positions are 1-based; position 0 is the place before the first token.
constexpr int kTokenCapacity = 4096;

// Cells past the table read as empty tokens (text "", kind TK_NONE). The cursor may wander a
// few tokens past the last one while it reads an unfinished statement; it stops at this limit.
constexpr int kCursorLimit = kTokenCapacity + 64;

// The texts of the tokens by position, 0 .. kCursorLimit + 1. Only the cells up to the last one
// written are stored: the others read "", so a short script makes only a few strings.
class TokenTexts {
 public:
  const std::string& operator[](int p) const {
    return static_cast<size_t>(p) < cells_.size() ? cells_[p] : Empty();
  }
  // For writing: makes the cells up to p (which moves the strings: no reference to a text may
  // be held across a write past the last cell).
  std::string& Write(int p) {
    if (static_cast<size_t>(p) >= cells_.size()) cells_.resize(static_cast<size_t>(p) + 1);
    return cells_[p];
  }

 private:
  static const std::string& Empty() {
    static const std::string empty;
    return empty;
  }
  std::vector<std::string> cells_;
};

struct TokenTable {
  // Indexed by position, 0 .. kCursorLimit + 1; only 1 .. count are ever written.
  TokenTexts text;
  ZeroTable<int> kind = ZeroTable<int>(kCursorLimit + 2);  // TK_NONE is 0
  // Where each token starts in the source, in bytes from 0 (a line end: its line feed, or
  // where the source ends); for the line and column of a fault.
  ZeroTable<int> offset = ZeroTable<int>(kCursorLimit + 2);
  int count = 0;       // TokenCount
  int line_count = 0;  // LineCount: line ends seen, one TK_EOL token each
};

}  // namespace brindle

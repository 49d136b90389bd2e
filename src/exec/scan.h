// Forward scans over the token table at run time (skipping untaken blocks and declarations).
#pragma once

#include <cstdint>

#include "expr/eval.h"
#include "frontend/zero_table.h"

namespace brindle {

// Moves the cursor one token at a time until the current token's kind is one of the kinds.
// A scan never leaves the table: when the last token is passed without a match, the cursor
// stays on it and the scan reports false, which ends the run.
template <typename... Kinds>
bool ScanForwardTo(Interpreter& in, Kinds... kinds) {
  while (in.cursor.exec_pos < in.image.tokens.count) {
    NextToken(in);
    const int kind = CurKind(in);
    if (((kind == kinds) || ...)) return true;
  }
  return false;
}

// ScanForwardTo for a scan made again and again from one place (an IF false on every turn of
// a loop): where it ends depends only on the tokens, so it is kept in `ends` by where it
// starts, and later scans from there move the cursor straight to it.
template <typename... Kinds>
bool ScanForwardToKept(Interpreter& in, ZeroTable<int32_t>& ends, Kinds... kinds) {
  const int start = in.cursor.exec_pos;
  if (in.slow_paths || start >= in.image.tokens.count) return ScanForwardTo(in, kinds...);
  int32_t& end = ends[start];
  if (end == 0) {
    ScanForwardTo(in, kinds...);
    end = in.cursor.exec_pos;  // past start, so never 0
  } else {
    in.cursor = {end, end};
  }
  // A scan that finds none stops on the last token, which is then not one of the kinds.
  const int kind = in.image.facts.info[end].kind;
  return ((kind == kinds) || ...);
}

}  // namespace brindle

// Forward scans over the token table at run time (skipping untaken blocks and declarations).
#pragma once

#include "expr/eval.h"

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

}  // namespace brindle

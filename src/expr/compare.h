// The number comparison of conditions, shared by IF (whose truth values are -1 and 0, joined
// bitwise) and WHILE (1 and 0, joined logically), so that the two cannot drift apart.
#pragma once

#include "lang/token_kinds.h"

namespace brindle {

// Whether a op b holds, for the operator's token kind; any other kind never holds. The float
// comparisons are IEEE's: a NaN operand is unequal to everything, itself included, so with
// one only "!" holds.
constexpr bool NumbersCompare(float a, float b, int op) {
  switch (op) {
    case TK_EQUAL:
      return a == b;
    case TK_BANG:
      return a != b;
    case TK_GREATER:
      return a > b;
    case TK_LESS:
      return a < b;
    default:
      return false;
  }
}

}  // namespace brindle

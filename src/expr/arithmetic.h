// The operations on float32 values, each written once for every machine that computes: the
// stack machine, both three-address machines, the comparison chains and the WHILE head. Each
// is rounded on its own (the build forbids fused multiply-adds). The language's other
// operations (%, ^ and the functions) are in lang/numbers.h.
#pragma once

#include "expr/compare.h"

namespace brindle::arith {

constexpr float Add(float a, float b) {
  return a + b;
}
constexpr float Subtract(float a, float b) {
  return a - b;
}
constexpr float Multiply(float a, float b) {
  return a * b;
}
constexpr float Divide(float a, float b) {
  return a / b;
}
constexpr float Negate(float a) {
  return -a;
}

// Conditions give -1 for true and 0 for false, and join them bitwise.
constexpr float Truth(bool holds) {
  return holds ? -1.0f : 0.0f;
}
constexpr float Compare(float a, float b, int op) {
  return Truth(NumbersCompare(a, b, op));
}
constexpr float And(float a, float b) {
  return static_cast<float>(static_cast<int>(a) & static_cast<int>(b));
}
constexpr float Or(float a, float b) {
  return static_cast<float>(static_cast<int>(a) | static_cast<int>(b));
}

}  // namespace brindle::arith

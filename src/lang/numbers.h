// Number rules of the language: every VAR value is a 32-bit float, rounded after every operator.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brindle {

// Round to nearest, ties to even, for x in [-2^31, 2^31): the general path of ToInteger.
int32_t RoundInRange(float x);

// Round to nearest, ties to even. Out of the 32-bit range, an infinity or a NaN gives
// -2147483648. Inline, with a shortcut for whole numbers (coordinates and indices in hot
// loops), which need no rounding: RoundInRange gives them unchanged.
inline int32_t ToInteger(float x) {
  // Every float in this range rounds to a value inside it. NaN fails both comparisons and so
  // lands on the out-of-range value too.
  if (!(x >= -2147483648.0f && x < 2147483648.0f)) return INT32_MIN;
  const auto truncated = static_cast<int32_t>(x);
  if (static_cast<float>(truncated) == x) return truncated;
  return RoundInRange(x);
}

// The value of a number text: number literals and VAL. Leading bytes up to the blank are
// skipped; &h/&x, &o, &b (and 0h, 0x, 0o, 0b) prefixes, h/o suffixes, decimal with an optional
// exponent, #inf / #-inf / #nan.
float TextToNumber(std::string_view text);
// The general path of TextToNumber, which takes a shortcut for short runs of digits.
float TextToNumberInFull(std::string_view text);

// The text of a number: six decimals in fixed notation with trailing zeros removed, seven
// significant digits in scientific notation (1E+20), #INF, #-INF, #qNAN, -0.
std::string NumberToText(float x);
// The general path of NumberToText, which takes a shortcut for whole numbers.
std::string NumberToTextInFull(float x);

// Operators whose result is not a plain float operation.
float IntegerDivide(float a, float b);    // "%": the quotient truncated toward zero
float Power(float base, float exponent);  // "^"

// The one-argument functions, computed in double precision and rounded once to float.
float Sine(float x);
float Cosine(float x);
float Tangent(float x);
float ArcTangent(float x);
float SquareRoot(float x);
float NaturalLog(float x);
float RoundToEven(float x);   // ROUND: keeps the float range
float IntegerPart(float x);   // INT: ToInteger back to float
float FractionPart(float x);  // FRAC: x minus x truncated toward zero
float Absolute(float x);

// The two random generators: RND's fixed sequence and RAND's clock-seeded integers.
struct RandomState {
  uint32_t fixed_seed = 0x12345678;
  uint32_t clock_seed = 0;
};
float FixedRandom(RandomState& state);                            // 0 .. 1
int32_t ClockRandom(RandomState& state, int32_t lo, int32_t hi);  // lo .. hi

}  // namespace brindle

// Number rules of the language: every VAR value is a 32-bit float, rounded after every operator.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace brindle {

// Round to nearest, ties to even, for x in [-2^31, 2^31): the general path of ToInteger.
int32_t RoundInRange(float x);

// Round to nearest, ties to even. Out of the 32-bit range, an infinity or a NaN gives
// -2147483648. The portable conversion, and the reference the processor's own below must
// match for every float: a shortcut for whole numbers (coordinates and indices in hot loops),
// which need no rounding, and RoundInRange for the rest.
inline int32_t ToIntegerPortable(float x) {
  // Every float in this range rounds to a value inside it. NaN fails both comparisons and so
  // lands on the out-of-range value too.
  if (!(x >= -2147483648.0f && x < 2147483648.0f)) return INT32_MIN;
  const auto truncated = static_cast<int32_t>(x);
  if (static_cast<float>(truncated) == x) return truncated;
  return RoundInRange(x);
}

#if defined(__x86_64__)
// The processor's conversion with its rounding given in the instruction, not taken from the
// rounding mode that whoever ran before may have changed: round to nearest even, then the
// truncating conversion, which gives -2147483648 for NaN and out of range.
#if defined(__SSE4_1__)
inline int32_t ToIntegerByProcessor(float x) {
  const __m128 v = _mm_set_ss(x);
  return _mm_cvttss_si32(_mm_round_ss(v, v, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC));
}
#else
// The rounding of a number that is not whole, from its truncation (not -2147483648).
int32_t RoundFromTruncation(float x, int32_t truncated);

// Baseline x86-64 has no instruction that rounds to nearest whatever the rounding mode, but
// truncation ignores the mode: a whole number (the common case) costs one conversion each way,
// and the others are rounded from their truncation with exact operations only.
inline int32_t ToIntegerByProcessor(float x) {
  const int32_t truncated = _mm_cvttss_si32(_mm_set_ss(x));
  if (static_cast<float>(truncated) == x) return truncated;
  return RoundFromTruncation(x, truncated);
}
#endif
inline int32_t ToInteger(float x) {
  return ToIntegerByProcessor(x);
}
#else
inline int32_t ToInteger(float x) {
  return ToIntegerPortable(x);
}
#endif

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

// Arithmetic that is not a single float operation: integer conversion, "%", "^" and the
// one-argument functions.
#include "lang/numbers.h"

#include <cmath>
#include <cstdint>

namespace brindle {
namespace {

// Ties to even without consulting the floating-point environment, so the result does not
// depend on whoever last changed the rounding mode. A zero result keeps the sign of v, as the
// hardware's round-to-integral does.
double RoundHalfEven(double v) {
  if (!std::isfinite(v)) return v;
  const double below = std::floor(v);
  const double fraction = v - below;  // exact for every float widened to double
  double rounded = below;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) rounded = below + 1.0;
  return std::copysign(rounded, v);
}

// The functions work in double and round once, so results are the correctly rounded float
// wherever the double result is accurate to half a float ulp.
float Narrow(double v) {
  return static_cast<float>(v);
}

bool HasOddIntegerPart(double exponent) {
  return std::isfinite(exponent) && std::fmod(std::trunc(exponent), 2.0) != 0.0;
}

}  // namespace

int32_t RoundInRange(float x) {
  return static_cast<int32_t>(RoundHalfEven(x));
}

#if defined(__x86_64__) && !defined(__SSE4_1__)
// A number that is not whole is under 2^23 in magnitude, so its truncation converts back
// exactly and the fraction it leaves is exact too: nothing here rounds, so the rounding mode
// cannot change the result. The truncation of a NaN or of a number out of range is already
// the answer.
int32_t RoundFromTruncation(float x, int32_t truncated) {
  if (truncated == INT32_MIN) return truncated;
  const float fraction = x - static_cast<float>(truncated);  // in (-1, 1), its sign x's
  const bool odd = (truncated & 1) != 0;
  if (fraction > 0.5f || (fraction == 0.5f && odd)) return truncated + 1;
  if (fraction < -0.5f || (fraction == -0.5f && odd)) return truncated - 1;
  return truncated;
}
#endif

float IntegerDivide(float a, float b) {
  // The quotient is rounded to float first, like every other operator result, so that a % b
  // agrees with what a / b shows: 1 % (1/3) is 3, although the exact quotient lies below 3.
  const float quotient = a / b;
  return std::trunc(quotient);
}

float Power(float base, float exponent) {
  if (base == 0.0f) {
    if (exponent > 0.0f) return 0.0f;
    if (exponent == 0.0f) return 1.0f;
    if (exponent < 0.0f) return INFINITY;
    return exponent;  // NaN
  }
  const double b = exponent;
  const double r = std::fabs(static_cast<double>(base));
  // The magnitude is 2 ^ (b * log2 |r|). For finite operands pow gives the same value rounded
  // once; for a NaN or an infinity only the formula gives the language's results (inf ^ 0,
  // NaN ^ 0 and 1 ^ inf are NaN, where pow says 1).
  const bool finite = std::isfinite(b) && std::isfinite(r);
  const double magnitude = finite ? std::pow(r, b) : std::exp2(b * std::log2(r));
  // A negative base takes its sign from the exponent's integer part, so fractional exponents
  // of negative numbers give a real result instead of a NaN: (-8)^(1/3) is 2.
  const bool negate = base < 0.0f && HasOddIntegerPart(b);
  return Narrow(negate ? -magnitude : magnitude);
}

float Sine(float x) {
  return Narrow(std::sin(static_cast<double>(x)));
}
float Cosine(float x) {
  return Narrow(std::cos(static_cast<double>(x)));
}
float Tangent(float x) {
  return Narrow(std::tan(static_cast<double>(x)));
}
float ArcTangent(float x) {
  return Narrow(std::atan(static_cast<double>(x)));
}
float SquareRoot(float x) {
  return Narrow(std::sqrt(static_cast<double>(x)));
}
float NaturalLog(float x) {
  return Narrow(std::log(static_cast<double>(x)));
}
float RoundToEven(float x) {
  return Narrow(RoundHalfEven(x));
}
float IntegerPart(float x) {
  return static_cast<float>(ToInteger(x));
}

float FractionPart(float x) {
  const double v = x;
  return Narrow(v - std::trunc(v));
}

float Absolute(float x) {
  return std::fabs(x);
}

}  // namespace brindle

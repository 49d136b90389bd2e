// Number rules: integer conversion, "%", "^", the one-argument functions, the text of numbers in
// both directions and the two random generators.
#include "expr/numbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

namespace brindle {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

float NextUp(float x) { return std::nextafter(x, kInf); }

// ---------------------------------------------------------------------------------------------
// ToInteger, ROUND, INT, FRAC and the other one-argument functions

TEST(NumberToInteger, RoundsHalfToEven) {
  EXPECT_EQ(ToInteger(2.5f), 2);
  EXPECT_EQ(ToInteger(3.5f), 4);
  EXPECT_EQ(ToInteger(-2.5f), -2);
  EXPECT_EQ(ToInteger(0.5f), 0);
  EXPECT_EQ(ToInteger(2.7f), 3);
  EXPECT_EQ(ToInteger(-2.7f), -3);
  EXPECT_EQ(ToInteger(0.49999997f), 0);
  EXPECT_EQ(ToInteger(8388609.0f), 8388609);  // odd, above 2^23: no fraction left to round
}

TEST(NumberToInteger, OutOfRangeGivesMinimum) {
  EXPECT_EQ(ToInteger(2147483520.0f), 2147483520);  // the largest float below 2^31
  EXPECT_EQ(ToInteger(-2147483648.0f), INT32_MIN);
  EXPECT_EQ(ToInteger(2147483648.0f), INT32_MIN);
  EXPECT_EQ(ToInteger(-2147483904.0f), INT32_MIN);
  EXPECT_EQ(ToInteger(1e10f), INT32_MIN);
  EXPECT_EQ(ToInteger(kInf), INT32_MIN);
  EXPECT_EQ(ToInteger(-kInf), INT32_MIN);
  EXPECT_EQ(ToInteger(std::nanf("")), INT32_MIN);
}

TEST(NumberToInteger, IgnoresTheRoundingMode) {
  const int saved = std::fegetround();
  std::fesetround(FE_UPWARD);
  const int32_t half = ToInteger(2.5f);
  const float rounded = RoundToEven(-3.5f);
  const std::string text = NumberToText(0.0078125f);
  std::fesetround(saved);
  EXPECT_EQ(half, 2);
  EXPECT_EQ(rounded, -4.0f);
  EXPECT_EQ(text, "0.007812");
}

TEST(NumberFunctions, RoundAndIntDifferOnlyOutsideInt32) {
  EXPECT_EQ(RoundToEven(2.5f), 2.0f);
  EXPECT_EQ(RoundToEven(3.5f), 4.0f);
  EXPECT_EQ(RoundToEven(-2.5f), -2.0f);
  EXPECT_EQ(RoundToEven(1e10f), 1e10f);
  EXPECT_TRUE(std::signbit(RoundToEven(-0.25f)));
  EXPECT_EQ(RoundToEven(kInf), kInf);
  EXPECT_EQ(IntegerPart(2.7f), 3.0f);
  EXPECT_EQ(IntegerPart(-2.7f), -3.0f);
  EXPECT_EQ(IntegerPart(2.5f), 2.0f);
  EXPECT_EQ(IntegerPart(1e10f), -2147483648.0f);
  EXPECT_EQ(IntegerPart(std::nanf("")), -2147483648.0f);
}

TEST(NumberFunctions, FracKeepsTheSign) {
  EXPECT_EQ(FractionPart(2.75f), 0.75f);
  EXPECT_EQ(FractionPart(-2.75f), -0.75f);
  EXPECT_EQ(FractionPart(3.0f), 0.0f);
  EXPECT_EQ(FractionPart(1e10f), 0.0f);
  EXPECT_TRUE(std::isnan(FractionPart(kInf)));
}

TEST(NumberFunctions, ElementaryFunctions) {
  EXPECT_EQ(NaturalLog(1.0f), 0.0f);
  EXPECT_EQ(NaturalLog(0.0f), -kInf);
  EXPECT_TRUE(std::isnan(NaturalLog(-1.0f)));
  EXPECT_EQ(SquareRoot(4.0f), 2.0f);
  EXPECT_EQ(SquareRoot(2.0f), 1.41421354f);
  EXPECT_TRUE(std::isnan(SquareRoot(-1.0f)));
  EXPECT_EQ(NumberToText(ArcTangent(1.0f)), "0.785398");
  EXPECT_EQ(ArcTangent(kInf), 1.57079637f);
  EXPECT_EQ(Sine(0.0f), 0.0f);
  EXPECT_EQ(Cosine(0.0f), 1.0f);
  EXPECT_EQ(Sine(1.57079637f), 1.0f);
  EXPECT_EQ(NumberToText(Tangent(0.785398163f)), "1");
  EXPECT_EQ(Absolute(-5.0f), 5.0f);
  EXPECT_EQ(Absolute(-kInf), kInf);
  EXPECT_FALSE(std::signbit(Absolute(-0.0f)));
}

// ---------------------------------------------------------------------------------------------
// "%" and "^"

TEST(NumberIntegerDivide, TruncatesTowardZero) {
  EXPECT_EQ(IntegerDivide(7.0f, 2.0f), 3.0f);
  EXPECT_EQ(IntegerDivide(-7.0f, 2.0f), -3.0f);
  EXPECT_EQ(IntegerDivide(7.5f, 2.0f), 3.0f);
  EXPECT_EQ(IntegerDivide(7.0f, -2.0f), -3.0f);
  EXPECT_EQ(IntegerDivide(1.0f, 3.0f), 0.0f);
  EXPECT_EQ(IntegerDivide(6e9f, 2.0f), 3e9f);  // beyond int32: stays a float
  // The float quotient is 3, although the exact one lies just below it.
  EXPECT_EQ(IntegerDivide(1.0f, 1.0f / 3.0f), 3.0f);
}

TEST(NumberIntegerDivide, DivisionByZeroFollowsFloats) {
  EXPECT_EQ(IntegerDivide(1.0f, 0.0f), kInf);
  EXPECT_EQ(IntegerDivide(-1.0f, 0.0f), -kInf);
  EXPECT_TRUE(std::isnan(IntegerDivide(0.0f, 0.0f)));
  EXPECT_EQ(NumberToText(IntegerDivide(0.0f, 0.0f)), "#qNAN");
}

TEST(NumberPower, WholeResultsAreExact) {
  EXPECT_EQ(Power(3.0f, 2.0f), 9.0f);
  EXPECT_EQ(Power(10.0f, 10.0f), 1e10f);
  EXPECT_EQ(Power(2.0f, -2.0f), 0.25f);
  EXPECT_EQ(Power(10.0f, -2.0f), 0.01f);
  EXPECT_EQ(Power(2.0f, 0.5f), 1.41421354f);
  EXPECT_EQ(Power(7.0f, 0.0f), 1.0f);
  EXPECT_EQ(Power(10.0f, 39.0f), kInf);
}

TEST(NumberPower, NegativeBaseTakesSignFromIntegerPart) {
  EXPECT_EQ(Power(-2.0f, 3.0f), -8.0f);
  EXPECT_EQ(Power(-2.0f, 2.0f), 4.0f);
  EXPECT_EQ(Power(-8.0f, 1.0f / 3.0f), 2.0f);
  EXPECT_EQ(Power(-2.0f, -1.0f), -0.5f);
  EXPECT_EQ(Power(-4.0f, 1.5f), -8.0f);
  EXPECT_EQ(Power(-4.0f, -0.5f), 0.5f);   // integer part -0: even
  EXPECT_EQ(Power(-4.0f, -1.5f), -0.125f);
  EXPECT_EQ(Power(-1.0f, 16777216.0f), 1.0f);
}

TEST(NumberPower, ZeroBase) {
  EXPECT_EQ(Power(0.0f, 2.0f), 0.0f);
  EXPECT_EQ(Power(0.0f, 0.5f), 0.0f);
  EXPECT_EQ(Power(0.0f, 0.0f), 1.0f);
  EXPECT_EQ(Power(0.0f, -1.0f), kInf);
  EXPECT_EQ(Power(-0.0f, -3.0f), kInf);
  EXPECT_FALSE(std::signbit(Power(-0.0f, 3.0f)));
}

// ---------------------------------------------------------------------------------------------
// NumberToText

struct TextCase {
  float value;
  const char* text;
};

void ExpectTexts(std::initializer_list<TextCase> cases) {
  for (const TextCase& c : cases) {
    EXPECT_EQ(NumberToText(c.value), c.text) << "for " << std::hexfloat << c.value;
  }
}

TEST(NumberToText, FixedNotation) {
  ExpectTexts({{3.0f, "3"},
               {2.5f, "2.5"},
               {0.5f, "0.5"},
               {-7.25f, "-7.25"},
               {123.456f, "123.456001"},
               {-123.456f, "-123.456001"},
               {1.0f / 3.0f, "0.333333"},
               {0.000123456f, "0.000123"},
               {0.00012f, "0.00012"},
               {1e10f, "10000000000"},
               {16777216.0f, "16777216"},
               {16777218.0f, "16777218"},
               {2147483648.0f, "2147483648"}});
}

TEST(NumberToText, WholeNumbersUpToTenToTheEighteenth) {
  ExpectTexts({{99999.9999f, "100000"},
               {1e11f, "99999997952"},  // the float lies below 10^11
               {123456789012.0f, "123456790528"},
               {1099511627776.0f, "1099511627776"},
               {1e16f, "10000000272564224"},
               {1e17f, "99999998430674944"},
               {1e18f, "999999984306749440"},  // exponent 17: no decimals, not scientific
               {2e17f, "199999996861349888"}});
}

TEST(NumberToText, ScientificNotation) {
  ExpectTexts({{1e20f, "1E+20"},
               {-1e20f, "-1E+20"},
               {0.0000015f, "1.5E-06"},
               {1.23456789e-7f, "1.234568E-07"},
               {3.4028235e38f, "3.402823E+38"},
               {std::numeric_limits<float>::denorm_min(), "1.401298E-45"},
               {2e18f, "2E+18"},
               {1e30f, "1E+30"}});
}

TEST(NumberToText, JustBelowAPowerOfTenCarriesIntoEightDigits) {
  ExpectTexts({{0.00001f, "10E-06"}, {0.0001f, "10E-05"}, {1e19f, "10E+18"}});
}

TEST(NumberToText, RoundsTheExactValueTiesToEven) {
  ExpectTexts({{0.0078125f, "0.007812"},  // 7812.5 millionths
               {0.0234375f, "0.023438"},  // 23437.5 millionths
               {-0.0078125f, "-0.007812"},
               {123456.789f, "123456.789062"},  // exactly 123456.7890625
               // Its shortest text is 2.0000005, but the float lies just below that.
               {2.0000005f, "2"},
               {NextUp(2.0000005f), "2.000001"}});
}

TEST(NumberToText, SpecialValues) {
  volatile float zero = 0.0f;
  ExpectTexts({{0.0f, "0"},
               {-0.0f, "-0"},
               {zero / zero, "#qNAN"},
               {-(zero / zero), "#qNAN"},
               {1.0f / zero, "#INF"},
               {-1.0f / zero, "#-INF"},
               {std::bit_cast<float>(0x7F800001u), "#sNAN"}});
}

// glibc writes the exact decimal value rounded half to even, which makes it an independent
// check of the six-decimal range over a sweep of floats.
TEST(NumberToText, AgreesWithExactPrintfInFixedRange) {
  int mismatches = 0;
  for (uint32_t bits = std::bit_cast<uint32_t>(1e-4f); bits < std::bit_cast<uint32_t>(1e10f);
       bits += 9973) {
    const float value = std::bit_cast<float>(bits);
    if (std::floor(std::log10(static_cast<double>(value))) < -4) continue;  // 10E-05
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6f", value);
    std::string expected = buffer;
    expected.erase(expected.find_last_not_of('0') + 1);
    if (expected.back() == '.') expected.pop_back();
    if (NumberToText(value) != expected && ++mismatches < 5) {
      ADD_FAILURE() << std::hexfloat << value << ": " << NumberToText(value) << " vs " << expected;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

// ---------------------------------------------------------------------------------------------
// TextToNumber

void ExpectValue(const char* text, float expected) {
  const float value = TextToNumber(text);
  EXPECT_EQ(std::bit_cast<uint32_t>(value), std::bit_cast<uint32_t>(expected))
      << "\"" << text << "\" gave " << value << ", not " << expected;
}

TEST(TextToNumber, Decimal) {
  ExpectValue("12", 12.0f);
  ExpectValue("0.5", 0.5f);
  ExpectValue("007", 7.0f);
  ExpectValue(".5", 0.5f);
  ExpectValue("-.5", -0.5f);
  ExpectValue("5.", 5.0f);
  ExpectValue("12abc", 12.0f);
  ExpectValue("  -2.5e2", -250.0f);
  ExpectValue("\t\r\n\x01 7", 7.0f);
  ExpectValue("1E-2", 0.01f);
  ExpectValue("1e", 1.0f);
  ExpectValue("-0", -0.0f);
  ExpectValue("-", -0.0f);
}

TEST(TextToNumber, ReadingStopsAtTheFirstForeignCharacter) {
  ExpectValue("+5", 0.0f);
  ExpectValue("1e+5", 1.0f);
  ExpectValue("1.2.3", 1.2f);
  ExpectValue("1-2", 1.0f);
  ExpectValue("1e5-3", 1e5f);
  ExpectValue("2.5e1.5", 25.0f);
  ExpectValue("--5", -0.0f);
  ExpectValue("1 2", 1.0f);
}

TEST(TextToNumber, EmptyAndForeignTexts) {
  ExpectValue("", 0.0f);
  ExpectValue("   ", 0.0f);
  ExpectValue("abc", 0.0f);
  ExpectValue("e5", 0.0f);
  ExpectValue("&z5", 0.0f);
  ExpectValue("$5", 0.0f);
}

TEST(TextToNumber, DecimalIsCorrectlyRounded) {
  ExpectValue("0.1", 0.1f);
  ExpectValue("16777217", 16777216.0f);  // halfway: to even
  ExpectValue("16777219", 16777220.0f);
  // Just above halfway between 1 and the next float; a detour through double loses the excess
  // and lands on 1.
  ExpectValue("1.0000000596046447753906250001", NextUp(1.0f));
  ExpectValue("1.00000005960464477539062499", 1.0f);
  ExpectValue("3.4028235e38", std::numeric_limits<float>::max());
  ExpectValue("1.4e-45", std::numeric_limits<float>::denorm_min());
  ExpectValue("0.00000000000000000000000000000000000000000000000000000000001e58", 0.1f);
}

TEST(TextToNumber, BeyondTheFloatRange) {
  ExpectValue("1e39", kInf);
  ExpectValue("-1e39", -kInf);
  ExpectValue("3.4028236e38", kInf);
  ExpectValue("1e99999999999999999999", kInf);
  ExpectValue("1e-50", 0.0f);
  ExpectValue("-1e-50", -0.0f);
  ExpectValue("1e-99999999999999999999", 0.0f);
  ExpectValue("0e99999999999", 0.0f);
}

TEST(TextToNumber, BasePrefixes) {
  ExpectValue("&hFF", 255.0f);
  ExpectValue("&HfF", 255.0f);
  ExpectValue("&x1f", 31.0f);
  ExpectValue("&O17", 15.0f);
  ExpectValue("&b101", 5.0f);
  ExpectValue("0x1F", 31.0f);
  ExpectValue("0h10", 16.0f);
  ExpectValue("0b101", 5.0f);
  ExpectValue("0o17", 15.0f);
  ExpectValue(" &hFF", 255.0f);
}

TEST(TextToNumber, BaseDigitsStopAtTheFirstForeignDigit) {
  ExpectValue("&hFFG1", 255.0f);
  ExpectValue("&o78", 7.0f);
  ExpectValue("&b102", 2.0f);
  ExpectValue("&h", 0.0f);
  ExpectValue("0x", 0.0f);
}

TEST(TextToNumber, BaseValuesAreSigned64Bit) {
  ExpectValue("&h7FFFFFFFFFFFFFFF", 9223372036854775807.0f);
  ExpectValue("&hFFFFFFFFFFFFFFFF", -1.0f);
  ExpectValue("&h10000000000000001", 1.0f);
  ExpectValue("&h1000001", 16777216.0f);  // 2^24 + 1 rounds to even
}

TEST(TextToNumber, BaseSuffixes) {
  ExpectValue("1Fh", 31.0f);
  ExpectValue("1fH", 31.0f);
  ExpectValue("17o", 15.0f);
  ExpectValue("17O", 15.0f);
  ExpectValue("0FFh", 255.0f);
  ExpectValue("1Fh rest", 31.0f);  // the number ends at the blank
  ExpectValue("1Fh,2", 31.0f);
  ExpectValue("19o", 1.0f);
  ExpectValue("1F h", 1.0f);  // the blank ends the number before the "h"
  ExpectValue("1h-", 1.0f);   // "-" does not end it: no suffix, read as a decimal
}

TEST(TextToNumber, InfinityAndNan) {
  ExpectValue("#inf", kInf);
  ExpectValue("#INF", kInf);
  ExpectValue("#-Inf", -kInf);
  EXPECT_TRUE(std::isnan(TextToNumber("#qNAN")));
  EXPECT_TRUE(std::isnan(TextToNumber("#")));
  EXPECT_TRUE(std::isnan(TextToNumber("#in")));
}

TEST(TextToNumber, ReadsBackWrittenNumbers) {
  for (const float value : {kInf, -kInf, -0.0f, 2.5f, 1e10f, 0.0000015f}) {
    const float back = TextToNumber(NumberToText(value));
    EXPECT_EQ(std::bit_cast<uint32_t>(back), std::bit_cast<uint32_t>(value)) << value;
  }
}

// ---------------------------------------------------------------------------------------------
// RND and RAND

TEST(RandomFixed, SequenceIsTheSameInEveryRun) {
  RandomState state;
  EXPECT_EQ(NumberToText(FixedRandom(state)), "0.657777");
  EXPECT_EQ(state.fixed_seed, 0x54320C75u);
  EXPECT_EQ(NumberToText(FixedRandom(state)), "0.541534");
  EXPECT_EQ(NumberToText(FixedRandom(state)), "0.887783");  // from a negative seed
  EXPECT_EQ(state.fixed_seed, 0x8E5D1EBAu);
}

TEST(RandomFixed, StaysWithinZeroAndOne) {
  RandomState state;
  state.fixed_seed = 0x01000000;  // the next seed is 0x80000000, the most negative int32
  EXPECT_EQ(FixedRandom(state), 1.0f);
  state.fixed_seed = 0;
  EXPECT_EQ(FixedRandom(state), 0.0f);
  for (int i = 0; i < 10000; ++i) {
    const float value = FixedRandom(state);
    ASSERT_GE(value, 0.0f);
    ASSERT_LE(value, 1.0f);
  }
}

TEST(RandomClock, KnownSequence) {
  RandomState state;
  state.clock_seed = 12345;
  for (const int32_t expected : {38, 29, 8, 55, 64, 34}) {
    EXPECT_EQ(ClockRandom(state, 0, 100), expected);
  }
}

TEST(RandomClock, CoversTheWholeRange) {
  RandomState state;
  state.clock_seed = 0xFFFFFFFF;  // the next seed is 0xF7F77BFC, near the top
  EXPECT_EQ(ClockRandom(state, 0, 6), 6);
  bool seen[7] = {};
  for (int i = 0; i < 1000; ++i) {
    const int32_t value = ClockRandom(state, 0, 6);
    ASSERT_GE(value, 0);
    ASSERT_LE(value, 6);
    seen[value] = true;
  }
  for (int v = 0; v <= 6; ++v) EXPECT_TRUE(seen[v]) << v;
  for (int i = 0; i < 100; ++i) {
    const int32_t value = ClockRandom(state, -5, 5);
    ASSERT_GE(value, -5);
    ASSERT_LE(value, 5);
  }
}

TEST(RandomClock, ZeroAndNegativeLimits) {
  RandomState state;
  for (int i = 0; i < 100; ++i) ASSERT_EQ(ClockRandom(state, 0, 0), 0);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(ClockRandom(state, 0, -1), 0);
  // Below -1 the span is the unsigned value of hi + 1: 2^32 - 1 for -2.
  state.clock_seed = 0;
  EXPECT_EQ(ClockRandom(state, 0, -2), 0);
  EXPECT_EQ(ClockRandom(state, 0, -2), 134775813);
}

}  // namespace
}  // namespace brindle

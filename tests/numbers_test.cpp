// Number rules: integer conversion, "%", "^", the one-argument functions, the text of numbers in
// both directions and the two random generators.
#include "lang/numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace brindle {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
const float kNan = std::numeric_limits<float>::quiet_NaN();

uint32_t Bits(float x) {
  return std::bit_cast<uint32_t>(x);
}

void ExpectIntegers(std::initializer_list<std::pair<float, int32_t>> cases) {
  for (const auto& [value, expected] : cases) EXPECT_EQ(ToInteger(value), expected) << value;
}

TEST(NumberToInteger, RoundsHalfToEvenAndMapsTheRestToMinimum) {
  ExpectIntegers({{2.5f, 2}, {3.5f, 4}, {-2.5f, -2}, {0.5f, 0}, {2.7f, 3}, {-2.7f, -3}});
  ExpectIntegers({{0.49999997f, 0}, {2147483520.0f, 2147483520}, {2147483648.0f, INT32_MIN}});
  ExpectIntegers({{-2147483904.0f, INT32_MIN}, {1e10f, INT32_MIN}, {kInf, INT32_MIN}});
  ExpectIntegers({{-kInf, INT32_MIN}, {kNan, INT32_MIN}});
}

// The whole-number shortcut gives what rounding gives: every float in range whose bit
// pattern is a multiple of 61 (about 70 million of them), and every quarter from -2^17 to 2^17.
TEST(NumberToInteger, TheShortcutForWholeNumbersRoundsAsTheGeneralPath) {
  int differences = 0;
  auto check = [&](float x) {
    if (x >= -2147483648.0f && x < 2147483648.0f && ToInteger(x) != RoundInRange(x)) {
      if (++differences < 10) ADD_FAILURE() << x;
    }
  };
  for (uint64_t bits = 0; bits <= UINT32_MAX; bits += 61) {
    check(std::bit_cast<float>(static_cast<uint32_t>(bits)));
  }
  for (int q = -(1 << 19); q <= (1 << 19); ++q) check(static_cast<float>(q) / 4.0f);
  EXPECT_EQ(differences, 0);
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

// The processor's conversion against the portable one, for every one of the 2^32 floats, in
// all four rounding modes in turn (a quarter of them in each, the modes changing every 4096
// bit patterns), on as many threads as there are processors.
#if defined(__x86_64__)
// The optimised build, which the test command runs, checks every float; unoptimised and
// sanitizer builds, some forty times slower, one chunk of them in 61.
#if defined(__OPTIMIZE__) && !defined(__SANITIZE_ADDRESS__)
constexpr uint64_t kChunkStride = 1;
#else
constexpr uint64_t kChunkStride = 61;
#endif
TEST(NumberToInteger, TheProcessorsConversionIsThePortableOneForEveryFloat) {
  constexpr std::array<int, 4> kModes = {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO};
  constexpr uint64_t kChunk = 4096;
  constexpr uint64_t kChunks = (uint64_t{1} << 32) / kChunk;
  const unsigned threads = std::max(2u, std::thread::hardware_concurrency());
  std::mutex mutex;
  std::vector<std::string> differences;
  uint64_t difference_count = 0;
  const auto check = [&](unsigned first) {
    const int saved = std::fegetround();
    std::vector<std::string> found;
    uint64_t count = 0;
    for (uint64_t chunk = first; chunk < kChunks; chunk += threads) {
      if (chunk % kChunkStride != 0) continue;
      std::fesetround(kModes[chunk % kModes.size()]);
      for (uint64_t bits = chunk * kChunk; bits < (chunk + 1) * kChunk; ++bits) {
        const float x = std::bit_cast<float>(static_cast<uint32_t>(bits));
        const int32_t fast = ToIntegerByProcessor(x), portable = ToIntegerPortable(x);
        if (fast == portable) continue;
        if (++count <= 10) {
          found.push_back(std::to_string(bits) + " (" + std::to_string(x) + ", mode " +
                          std::to_string(chunk % kModes.size()) + "): " + std::to_string(fast) +
                          ", not " + std::to_string(portable));
        }
      }
    }
    std::fesetround(saved);
    std::lock_guard<std::mutex> lock(mutex);
    difference_count += count;
    differences.insert(differences.end(), found.begin(), found.end());
  };
  std::vector<std::thread> workers;
  for (unsigned t = 0; t < threads; ++t) workers.emplace_back(check, t);
  for (std::thread& w : workers) w.join();
  EXPECT_EQ(difference_count, 0u);
  for (const std::string& d : differences) ADD_FAILURE() << d;
}

// The conversion that ToInteger is on this processor.
TEST(NumberToInteger, IsTheProcessorsConversion) {
  for (const float x : {2.5f, -3.5f, 0.75f, 1e10f, -2147483648.0f, kNan}) {
    EXPECT_EQ(ToInteger(x), ToIntegerByProcessor(x)) << x;
  }
}
#endif

TEST(NumberFunctions, RoundIntFracAbs) {
  EXPECT_EQ(RoundToEven(2.5f), 2.0f);
  EXPECT_EQ(RoundToEven(1e10f), 1e10f);  // ROUND keeps the float range
  EXPECT_TRUE(std::signbit(RoundToEven(-0.25f)));
  EXPECT_EQ(IntegerPart(-2.7f), -3.0f);
  EXPECT_EQ(IntegerPart(1e10f), -2147483648.0f);
  EXPECT_EQ(FractionPart(2.75f), 0.75f);
  EXPECT_EQ(FractionPart(-2.75f), -0.75f);
  EXPECT_TRUE(std::isnan(FractionPart(kInf)));
  EXPECT_EQ(Absolute(-5.0f), 5.0f);
  EXPECT_FALSE(std::signbit(Absolute(-0.0f)));
}

TEST(NumberFunctions, ElementaryFunctionsRoundOnce) {
  EXPECT_EQ(NaturalLog(1.0f), 0.0f);
  EXPECT_EQ(NaturalLog(0.0f), -kInf);
  EXPECT_TRUE(std::isnan(NaturalLog(-1.0f)));
  EXPECT_EQ(SquareRoot(2.0f), 1.41421354f);
  EXPECT_TRUE(std::isnan(SquareRoot(-1.0f)));
  EXPECT_EQ(NumberToText(ArcTangent(1.0f)), "0.785398");
  EXPECT_EQ(ArcTangent(kInf), 1.57079637f);
  EXPECT_EQ(Cosine(0.0f), 1.0f);
  EXPECT_EQ(Sine(1.57079637f), 1.0f);
  EXPECT_EQ(Tangent(0.785398163f), 1.0f);
}

TEST(NumberIntegerDivide, TruncatesTheFloatQuotient) {
  EXPECT_EQ(IntegerDivide(7.0f, 2.0f), 3.0f);
  EXPECT_EQ(IntegerDivide(-7.0f, 2.0f), -3.0f);
  EXPECT_EQ(IntegerDivide(7.5f, 2.0f), 3.0f);
  EXPECT_EQ(IntegerDivide(6e9f, 2.0f), 3e9f);  // beyond int32: stays a float
  // The float quotient is 3, although the exact one lies just below it.
  EXPECT_EQ(IntegerDivide(1.0f, 1.0f / 3.0f), 3.0f);
  EXPECT_EQ(IntegerDivide(-1.0f, 0.0f), -kInf);
  EXPECT_EQ(NumberToText(IntegerDivide(0.0f, 0.0f)), "#qNAN");
}

void ExpectPowers(std::initializer_list<std::array<float, 3>> cases) {
  for (const auto& [base, exponent, expected] : cases) {
    EXPECT_EQ(Power(base, exponent), expected) << base << " ^ " << exponent;
  }
}

// The integer part of -0.5 is 0, which is even; that of -1.5 is -1.
TEST(NumberPower, ExactWholeResultsAndSignFromIntegerPart) {
  ExpectPowers({{3, 2, 9}, {10, 10, 1e10f}, {10, -2, 0.01f}, {2, 0.5f, 1.41421354f}, {7, 0, 1}});
  ExpectPowers({{-2, 3, -8}, {-2, 2, 4}, {-8, 1.0f / 3, 2}, {-2, -1, -0.5f}, {-4, 1.5f, -8}});
  ExpectPowers({{-4, -0.5f, 0.5f}, {-4, -1.5f, -0.125f}, {10, 39, kInf}});
  ExpectPowers({{0, 2, 0}, {0, 0, 1}, {0, -1, kInf}, {-0.0f, -3, kInf}});
  EXPECT_FALSE(std::signbit(Power(-0.0f, 3.0f)));
}

// 2 ^ (b * log2 |r|) with an infinity or a NaN in it: 0 * inf and inf - inf are NaN.
TEST(NumberPower, NonFiniteOperandsFollowTheLogarithmFormula) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (const auto& [base, exponent] : std::initializer_list<std::pair<float, float>>{{nan, 0},
                                                                                     {kInf, 0},
                                                                                     {-kInf, 0},
                                                                                     {1, kInf},
                                                                                     {-1, kInf},
                                                                                     {1, -kInf},
                                                                                     {nan, 1},
                                                                                     {2, nan},
                                                                                     {1, nan},
                                                                                     {0, nan}}) {
    EXPECT_TRUE(std::isnan(Power(base, exponent))) << base << " ^ " << exponent;
  }
  ExpectPowers({{2, kInf, kInf}, {0.5f, kInf, 0}, {2, -kInf, 0}, {0.5f, -kInf, kInf}});
  ExpectPowers({{kInf, 2, kInf}, {kInf, -1, 0}, {-kInf, 2, kInf}, {-kInf, 3, -kInf}});
  ExpectPowers({{0, kInf, 0}, {0, -kInf, kInf}, {-2, kInf, kInf}, {-0.5f, kInf, 0}});
}

void ExpectTexts(std::initializer_list<std::pair<float, const char*>> cases) {
  for (const auto& [value, text] : cases) EXPECT_EQ(NumberToText(value), text) << value;
}

// The shortcut for whole numbers writes what the general path writes: every whole number up
// to 100,000 either way, then every 997th up to 2^24, and the first ones past it.
TEST(NumberToText, TheShortcutForWholeNumbersWritesAsTheGeneralPath) {
  int differences = 0;
  auto check = [&](float x) {
    for (const float v : {x, -x}) {
      if (NumberToText(v) != NumberToTextInFull(v) && ++differences < 10) ADD_FAILURE() << v;
    }
  };
  for (int n = 0; n <= 100000; ++n) check(static_cast<float>(n));
  for (int n = 100000; n < (1 << 24); n += 997) check(static_cast<float>(n));
  for (const float x : {16777215.0f, 16777216.0f, 16777218.0f, 1e8f, 0.5f, 1.5f}) check(x);
  EXPECT_EQ(differences, 0);
}

// The shortcut for short runs of digits reads what the general path reads: every text of one
// to five digits, then every 7th run of six and seven digits, and eight digits (general).
TEST(TextToNumber, TheShortcutForDigitsReadsAsTheGeneralPath) {
  int differences = 0;
  auto check = [&](const std::string& text) {
    const float fast = TextToNumber(text), full = TextToNumberInFull(text);
    if (Bits(fast) != Bits(full) && ++differences < 10) ADD_FAILURE() << text;
  };
  for (int length = 1; length <= 7; ++length) {
    const int count = length <= 5 ? static_cast<int>(std::pow(10, length)) : 100000;
    const int step = length <= 5 ? 1 : 7;
    char text[12];
    for (int n = 0; n < count; ++n) {
      std::snprintf(text, sizeof text, "%0*d", length, n * step);
      check(text);
    }
  }
  for (const char* text : {"9999999", "16777217", "00000000", "12h", "0x1", " 12", "1e3", "1."}) {
    check(text);
  }
  EXPECT_EQ(differences, 0);
}

TEST(NumberToText, FixedNotation) {
  ExpectTexts({{3, "3"}, {2.5f, "2.5"}, {0.5f, "0.5"}, {-7.25f, "-7.25"}, {1.0f / 3, "0.333333"}});
  ExpectTexts({{123.456f, "123.456001"}, {-123.456f, "-123.456001"}, {0.00012f, "0.00012"}});
  ExpectTexts({{0.000123456f, "0.000123"}, {1e10f, "10000000000"}, {16777218, "16777218"}});
  ExpectTexts({{1e11f, "99999997952"}, {1e17f, "99999998430674944"}});
  EXPECT_EQ(NumberToText(1e18f), "999999984306749440");  // exponent 17: whole, not scientific
}

// Just below a power of ten a float takes the lower exponent, and rounding carries into an
// eighth digit.
TEST(NumberToText, ScientificNotation) {
  ExpectTexts({{1e20f, "1E+20"}, {-1e20f, "-1E+20"}, {2e18f, "2E+18"}, {0.0000015f, "1.5E-06"}});
  ExpectTexts({{1.23456789e-7f, "1.234568E-07"}, {3.4028235e38f, "3.402823E+38"}});
  EXPECT_EQ(NumberToText(std::numeric_limits<float>::denorm_min()), "1.401298E-45");
  ExpectTexts({{0.00001f, "10E-06"}, {0.0001f, "10E-05"}, {1e19f, "10E+18"}});
}

TEST(NumberToText, RoundsTheExactValueTiesToEven) {
  EXPECT_EQ(NumberToText(0.0078125f), "0.007812");  // 7812.5 millionths
  EXPECT_EQ(NumberToText(0.0234375f), "0.023438");
  EXPECT_EQ(NumberToText(123456.789f), "123456.789062");  // exactly 123456.7890625
  // Its shortest text is 2.0000005, but the float lies just below that.
  EXPECT_EQ(NumberToText(2.0000005f), "2");
  EXPECT_EQ(NumberToText(std::nextafter(2.0000005f, kInf)), "2.000001");
}

TEST(NumberToText, SpecialValues) {
  volatile float zero = 0.0f;
  EXPECT_EQ(NumberToText(0.0f), "0");
  EXPECT_EQ(NumberToText(-0.0f), "-0");
  EXPECT_EQ(NumberToText(zero / zero), "#qNAN");
  EXPECT_EQ(NumberToText(-(zero / zero)), "#qNAN");
  EXPECT_EQ(NumberToText(1.0f / zero), "#INF");
  EXPECT_EQ(NumberToText(-1.0f / zero), "#-INF");
  EXPECT_EQ(NumberToText(std::bit_cast<float>(0x7F800001u)), "#sNAN");
}

// glibc writes the exact decimal value rounded half to even: an independent check of the
// six-decimal range over a sweep of floats.
TEST(NumberToText, AgreesWithExactPrintfInFixedRange) {
  int mismatches = 0;
  for (uint32_t bits = Bits(1e-4f); bits < Bits(1e10f); bits += 9973) {
    const float value = std::bit_cast<float>(bits);
    if (std::floor(std::log10(static_cast<double>(value))) < -4) continue;  // 10E-05
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6f", value);
    std::string expected = buffer;
    expected.erase(expected.find_last_not_of('0') + 1);
    if (expected.back() == '.') expected.pop_back();
    if (NumberToText(value) != expected && ++mismatches < 5) ADD_FAILURE() << expected;
  }
  EXPECT_EQ(mismatches, 0);
}

void ExpectValues(std::initializer_list<std::pair<const char*, float>> cases) {
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(Bits(TextToNumber(text)), Bits(expected)) << '"' << text << '"';
  }
}

TEST(TextToNumber, DecimalReadsUpToTheFirstForeignCharacter) {
  ExpectValues({{"12", 12}, {"007", 7}, {".5", 0.5f}, {"-.5", -0.5f}, {"5.", 5}, {"12abc", 12}});
  ExpectValues({{"  -2.5e2", -250}, {"\t\r\n\x01 7", 7}, {"1E-2", 0.01f}, {"1e", 1}, {"-", -0.0f}});
  ExpectValues({{"+5", 0}, {"1e+5", 1}, {"1.2.3", 1.2f}, {"1-2", 1}, {"1e5-3", 1e5f}});
  ExpectValues({{"2.5e1.5", 25}, {"--5", -0.0f}, {"", 0}, {"   ", 0}, {"abc", 0}, {"e5", 0}});
}

// The long text lies just above halfway between 1 and the next float: a detour through double
// loses the excess and lands on 1.
TEST(TextToNumber, DecimalIsCorrectlyRounded) {
  ExpectValues({{"0.1", 0.1f}, {"16777217", 16777216}, {"16777219", 16777220}});
  EXPECT_EQ(TextToNumber("1.0000000596046447753906250001"), std::nextafter(1.0f, 2.0f));
  EXPECT_EQ(TextToNumber("1.00000005960464477539062499"), 1.0f);
  EXPECT_EQ(TextToNumber("3.4028235e38"), std::numeric_limits<float>::max());
  EXPECT_EQ(TextToNumber("1.4e-45"), std::numeric_limits<float>::denorm_min());
  ExpectValues({{"3.4028236e38", kInf}, {"-1e-50", -0.0f}, {"0e99999999999", 0}});
  ExpectValues({{"1e99999999999999999999", kInf}, {"1e-99999999999999999999", 0}});
  EXPECT_EQ(TextToNumber("0.00000000000000000000000000000000000000000000000000000000001e58"), 0.1f);
}

TEST(TextToNumber, BasePrefixes) {
  ExpectValues({{"&hFF", 255}, {"&HfF", 255}, {"&x1f", 31}, {"&O17", 15}, {"&b101", 5}});
  ExpectValues({{"0x1F", 31}, {"0h10", 16}, {"0b101", 5}, {"0o17", 15}, {" &hFF", 255}});
  ExpectValues({{"&hFFG1", 255}, {"&o78", 7}, {"&b102", 2}, {"&h", 0}, {"&z5", 0}});
  ExpectValues({{"&h7FFFFFFFFFFFFFFF", 9223372036854775807.0f}, {"&hFFFFFFFFFFFFFFFF", -1}});
  ExpectValues({{"&h10000000000000001", 1}, {"&h1000001", 16777216}});
}

// A suffix counts only at the end of the number, which is its first byte below "-".
TEST(TextToNumber, BaseSuffixes) {
  ExpectValues({{"1Fh", 31}, {"1fH", 31}, {"17o", 15}, {"0FFh", 255}, {"1Fh rest", 31}});
  ExpectValues({{"1Fh,2", 31}, {"19o", 1}, {"1F h", 1}, {"1h-", 1}});
}

TEST(TextToNumber, InfinityNanAndWrittenNumbers) {
  ExpectValues({{"#inf", kInf}, {"#INF", kInf}, {"#-Inf", -kInf}});
  for (const char* text : {"#qNAN", "#", "#in"}) EXPECT_TRUE(std::isnan(TextToNumber(text)));
  for (const float value : {kInf, -kInf, -0.0f, 2.5f, 1e10f, 0.0000015f}) {
    EXPECT_EQ(Bits(TextToNumber(NumberToText(value))), Bits(value)) << value;
  }
}

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
}

TEST(RandomClock, KnownSequenceAndFullRange) {
  RandomState state;
  state.clock_seed = 12345;
  for (const int32_t expected : {38, 29, 8, 55, 64, 34}) {
    EXPECT_EQ(ClockRandom(state, 0, 100), expected);
  }
  state.clock_seed = 0xFFFFFFFF;  // the next seed is 0xF7F77BFC, near the top
  EXPECT_EQ(ClockRandom(state, 0, 6), 6);
  bool seen[7] = {};
  for (int i = 0; i < 1000; ++i) {
    const int32_t value = ClockRandom(state, 0, 6);
    ASSERT_TRUE(value >= 0 && value <= 6) << value;
    seen[value] = true;
  }
  for (const bool value_seen : seen) EXPECT_TRUE(value_seen);
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

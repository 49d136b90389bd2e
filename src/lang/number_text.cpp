// Conversions between numbers and their text. Both directions are exact: a text is converted
// with one correct rounding, and a number is written from its exact decimal value, so what a
// script prints never depends on the C library's locale or rounding mode.
#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "lang/numbers.h"
#include "lang/text.h"

namespace brindle {
namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();

// ---------------------------------------------------------------------------------------------
// Text to number

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The value of c as a digit of any base up to 16, or -1.
int DigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  const char lower = Lower(c);
  if (lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
  return -1;
}

std::string_view SkipLeadingBlanks(std::string_view text) {
  size_t start = 0;
  while (start < text.size() && static_cast<unsigned char>(text[start]) <= ' ') ++start;
  return text.substr(start);
}

// The letter after "&" or "0" that names a base; 0 for any other letter.
int PrefixBase(char letter) {
  switch (Lower(letter)) {
    case 'h':
    case 'x':
      return 16;
    case 'o':
      return 8;
    case 'b':
      return 2;
    default:
      return 0;
  }
}

// "&hFF", "0x1F" and the like; 0 when the text has no such prefix. Only the base letters count
// after a "0", so that "0FFh" is still read by its suffix.
int BaseOfPrefix(std::string_view text) {
  if (text.size() < 2 || (text[0] != '&' && text[0] != '0')) return 0;
  return PrefixBase(text[1]);
}

// Digits of the given base up to the first other character. The value wraps modulo 2^64 and
// is taken as signed, so &hFFFFFFFFFFFFFFFF is -1.
float ReadWholeNumber(std::string_view digits, int base) {
  uint64_t value = 0;
  for (const char c : digits) {
    const int digit = DigitValue(c);
    if (digit < 0 || digit >= base) break;
    value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
  }
  return static_cast<float>(static_cast<int64_t>(value));
}

// For a text that starts with a digit: the length of the part before the "h" or "o" suffix,
// or 0 when there is none. The number ends at its first byte below "-" (a blank, a comma).
size_t SuffixedLength(std::string_view text, int* base) {
  size_t end = 0;
  while (end < text.size() && static_cast<unsigned char>(text[end]) >= '-') ++end;
  if (end < 2) return 0;
  const char suffix = Lower(text[end - 1]);
  if (suffix == 'h') *base = 16;
  if (suffix == 'o') *base = 8;
  return (suffix == 'h' || suffix == 'o') ? end - 1 : 0;
}

// A decimal number as read from the text: value = digits x 10^(point - digits.size()) x
// 10^exponent.
struct DecimalParts {
  bool negative = false;
  std::string digits;
  int64_t point = 0;  // how many of the digits stand before the point
  int64_t exponent = 0;
};

// Exponents beyond this are far outside the float range either way; capping them keeps the
// arithmetic below from overflowing on texts like 1e99999999999999999999.
constexpr int64_t kExponentCap = 1'000'000'000;

void ReadExponent(std::string_view text, size_t i, int64_t* exponent) {
  if (i >= text.size() || Lower(text[i]) != 'e') return;
  ++i;
  const bool negative = i < text.size() && text[i] == '-';
  if (negative) ++i;
  int64_t value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    value = std::min(value * 10 + (text[i] - '0'), kExponentCap);
  }
  *exponent = negative ? -value : value;
}

// Reading stops at the first character that does not continue the number: a second ".", a "-"
// after a digit and a "+" all end it.
DecimalParts SplitDecimal(std::string_view text) {
  DecimalParts parts;
  size_t i = 0;
  if (i < text.size() && text[i] == '-') {
    parts.negative = true;
    ++i;
  }
  bool seen_point = false;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      parts.digits += text[i];
    } else if (text[i] == '.' && !seen_point) {
      seen_point = true;
      parts.point = static_cast<int64_t>(parts.digits.size());
    } else {
      break;
    }
  }
  if (!seen_point) parts.point = static_cast<int64_t>(parts.digits.size());
  ReadExponent(text, i, &parts.exponent);
  return parts;
}

// The magnitude of a decimal number, correctly rounded. The digits are handed to from_chars
// in a normalised form (0.DDD e LEAD) so that only small exponents reach it, and the far ends
// of the range are settled here.
float DecimalMagnitude(const DecimalParts& parts) {
  const size_t first = parts.digits.find_first_not_of('0');
  if (first == std::string::npos) return 0.0f;
  const size_t last = parts.digits.find_last_not_of('0');
  const int64_t lead = parts.point - static_cast<int64_t>(first) + parts.exponent;
  if (lead > 40) return kInfinity;  // above 10^40
  if (lead < -50) return 0.0f;      // below 10^-51, under half the smallest float
  const std::string normalised =
      "0." + parts.digits.substr(first, last - first + 1) + "e" + std::to_string(lead);
  float value = 0.0f;
  const auto result =
      std::from_chars(normalised.data(), normalised.data() + normalised.size(), value);
  if (result.ec == std::errc::result_out_of_range) return lead > 0 ? kInfinity : 0.0f;
  return value;
}

float ReadDecimal(std::string_view text) {
  const DecimalParts parts = SplitDecimal(text);
  const float magnitude = DecimalMagnitude(parts);
  return parts.negative ? -magnitude : magnitude;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (Lower(text[i]) != prefix[i]) return false;
  }
  return true;
}

// What follows a "#": the texts NumberToText writes for infinities, anything else a NaN.
float ReadSpecial(std::string_view rest) {
  if (StartsWithNoCase(rest, "inf")) return kInfinity;
  if (StartsWithNoCase(rest, "-inf")) return -kInfinity;
  return std::numeric_limits<float>::quiet_NaN();
}

// ---------------------------------------------------------------------------------------------
// Number to text

// Fixed notation covers decimal exponents -4 .. 17; at 17 there is no room for decimals.
constexpr int kFixedMinExponent = -4;
constexpr int kFixedMaxExponent = 17;
constexpr int kFixedDecimals = 6;
constexpr int kScientificDecimals = 6;

// Every digit of a finite nonzero float's magnitude, and how many stand before the point.
struct ExactDecimal {
  std::string digits;
  int64_t point = 0;
};

ExactDecimal ExpandExactly(double magnitude) {
  // A float's lowest bit is 2^(exponent - 23), never below 2^-149, and each binary fraction
  // digit needs one decimal digit, so this many decimals make the expansion exact.
  const int decimals = std::clamp(23 - std::ilogb(magnitude), 0, 149);
  char buffer[256];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, decimals);
  ExactDecimal exact;
  for (const char* p = buffer; p != result.ptr; ++p) {
    if (IsDigit(*p)) {
      exact.digits += *p;
    } else {
      exact.point = static_cast<int64_t>(exact.digits.size());
    }
  }
  if (decimals == 0) exact.point = static_cast<int64_t>(exact.digits.size());
  return exact;
}

// Adds one to a string of decimal digits.
void Increment(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

// Whether the digits dropped from position `keep` on make the kept part round up, ties to
// even.
bool RoundsUp(const std::string& digits, int64_t keep, char last_kept) {
  if (keep < 0 || keep >= static_cast<int64_t>(digits.size())) return false;
  const char first_dropped = digits[static_cast<size_t>(keep)];
  if (first_dropped != '5') return first_dropped > '5';
  const bool beyond_half =
      digits.find_first_not_of('0', static_cast<size_t>(keep) + 1) != std::string::npos;
  return beyond_half || (last_kept - '0') % 2 == 1;
}

// The magnitude times 10^places, rounded to a whole number with ties to even; places may be
// negative. Returns its decimal digits without leading zeros.
std::string RoundToPlaces(const ExactDecimal& exact, int64_t places) {
  const int64_t keep = exact.point + places;
  std::string whole;
  if (keep > 0) {
    whole = exact.digits.substr(0, static_cast<size_t>(keep));
    whole.resize(static_cast<size_t>(keep), '0');
  }
  if (RoundsUp(exact.digits, keep, whole.empty() ? '0' : whole.back())) Increment(whole);
  const size_t first = whole.find_first_not_of('0');
  return first == std::string::npos ? "0" : whole.substr(first);
}

// Writes a "." before the last `decimals` digits, with a "0" before it when nothing else
// stands there, then drops the zeros and the point that carry no information.
std::string PlacePoint(std::string digits, int decimals) {
  if (decimals == 0) return digits;
  const size_t needed = static_cast<size_t>(decimals) + 1;
  if (digits.size() < needed) digits.insert(0, needed - digits.size(), '0');
  digits.insert(digits.size() - static_cast<size_t>(decimals), 1, '.');
  digits.erase(digits.find_last_not_of('0') + 1);
  if (digits.back() == '.') digits.pop_back();
  return digits;
}

// Above 10^10 the decimals would give way to integer digits, but every float from 2^24 on is
// whole, so those decimals are zeros that get removed anyway: six serve the whole range.
std::string FixedText(const ExactDecimal& exact) {
  return PlacePoint(RoundToPlaces(exact, kFixedDecimals), kFixedDecimals);
}

std::string ScientificText(const ExactDecimal& exact, int exponent) {
  const std::string mantissa = RoundToPlaces(exact, kScientificDecimals - exponent);
  std::string magnitude = std::to_string(std::abs(exponent));
  if (magnitude.size() < 2) magnitude.insert(0, 1, '0');
  return PlacePoint(mantissa, kScientificDecimals) + (exponent < 0 ? "E-" : "E+") + magnitude;
}

bool IsQuietNan(float x) {
  constexpr uint32_t kQuietBit = 0x00400000;
  return (std::bit_cast<uint32_t>(x) & kQuietBit) != 0;
}

}  // namespace

float TextToNumber(std::string_view text) {
  // A text of one to seven digits and nothing else (VAL of a counter's text) is that whole
  // number, which a float holds exactly: no prefix, suffix or exponent can be in it.
  if (!text.empty() && text.size() <= 7 && std::all_of(text.begin(), text.end(), IsDigit)) {
    int32_t value = 0;
    for (const char c : text) value = value * 10 + (c - '0');
    return static_cast<float>(value);
  }
  return TextToNumberInFull(text);
}

float TextToNumberInFull(std::string_view text) {
  text = SkipLeadingBlanks(text);
  if (text.empty()) return 0.0f;
  if (const int base = BaseOfPrefix(text); base != 0) return ReadWholeNumber(text.substr(2), base);
  if (IsDigit(text[0])) {
    int base = 0;
    if (const size_t length = SuffixedLength(text, &base); length != 0) {
      return ReadWholeNumber(text.substr(0, length), base);
    }
  }
  if (text[0] == '-' || text[0] == '.' || IsDigit(text[0])) return ReadDecimal(text);
  if (text[0] == '#') return ReadSpecial(text.substr(1));
  return 0.0f;
}

std::string NumberToText(float x) {
  // Whole numbers below 2^24 (counters, scores, coordinates) are their digits: their six
  // decimals are zeros, which the general path drops.
  if (std::fabs(x) < 16777216.0f && x == std::trunc(x) && x != 0.0f) {
    return std::to_string(static_cast<int32_t>(x));
  }
  return NumberToTextInFull(x);
}

std::string NumberToTextInFull(float x) {
  // The NaN's kind is read from the float itself: widening it would quieten a signalling one.
  if (std::isnan(x)) return IsQuietNan(x) ? "#qNAN" : "#sNAN";
  if (std::isinf(x)) return x > 0 ? "#INF" : "#-INF";
  if (x == 0.0f) return std::signbit(x) ? "-0" : "0";
  const double magnitude = std::fabs(static_cast<double>(x));
  // Taken from the value itself, so a float just below a power of ten gets the lower exponent
  // and may round up to an eight-digit mantissa (0.00001 prints as 10E-06).
  const int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
  const ExactDecimal exact = ExpandExactly(magnitude);
  const bool fixed = exponent >= kFixedMinExponent && exponent <= kFixedMaxExponent;
  const std::string body = fixed ? FixedText(exact) : ScientificText(exact, exponent);
  return std::signbit(x) ? "-" + body : body;
}

}  // namespace brindle

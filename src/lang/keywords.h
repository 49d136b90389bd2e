// The keywords of the language, made from the table of keywords (statements.h): their codes,
// the lists that classification reads, and each keyword's facts as the core knows them.
#pragma once

#include <array>
#include <string_view>

#include "lang/statements.h"

namespace brindle {

// Keyword codes share the number space of the token kinds: STR, VAR and PTR are also the kinds
// of "^", "`" and "~", so those characters act as these keywords wherever a keyword is looked
// for. The declaring keyword's code doubles as the type tag of variables and arrays.
enum KeywordCode : int {
#define BRINDLE_KEYWORD_CODE(NAME, code, ...) KW_##NAME = code,
  BRINDLE_STATEMENTS(BRINDLE_KEYWORD_CODE)
#undef BRINDLE_KEYWORD_CODE
};

// Every kind number fits below this bound; tables indexed by kind use it.
constexpr int kKindLimit = 0x80;

// What each keyword is for, as editors show it: the editor grammar colours keywords by role.
enum class KeywordRole { kUnknown, kControl, kDeclaration, kStatement, kFunction };

// The block keywords whose numbers must balance.
enum class BlockCounter { kNone, kIf, kEndif, kWhile, kWend, kFunc, kEndfn, kWinmsg, kEndwm };

// An entry of the table as the core sees it: the executor's and the evaluator's entries by
// name only, since the core knows neither.
struct KeywordFacts {
  std::string_view text;
  KeywordCode code;
  KeywordRole role;
  BlockCounter counter;
  std::string_view statement;  // "NoStatement" when the keyword begins none
  std::string_view function;   // "NoFunction" when it computes no number of a number
};

inline constexpr KeywordFacts kKeywordTable[] = {
#define BRINDLE_KEYWORD_FACTS(NAME, code, role, counter, statement, function, ...) \
  {#NAME, KW_##NAME, KeywordRole::k##role, BlockCounter::k##counter, #statement, #function},
    BRINDLE_STATEMENTS(BRINDLE_KEYWORD_FACTS)
#undef BRINDLE_KEYWORD_FACTS
};

constexpr bool BeginsStatement(const KeywordFacts& k) {
  return k.statement != "NoStatement";
}
constexpr bool IsNumberFunction(const KeywordFacts& k) {
  return k.function != "NoFunction";
}

struct Keyword {
  std::string_view text;
  KeywordCode code;
  BlockCounter counter;
};

// The declaring keywords, recognised while the declarations are read.
struct DeclarationKeyword {
  std::string_view text;
  KeywordCode code;
};

namespace keywords_detail {

constexpr size_t CountDeclarations() {
  size_t n = 0;
  for (const KeywordFacts& k : kKeywordTable) n += k.role == KeywordRole::kDeclaration;
  return n;
}
inline constexpr size_t kDeclarationCount = CountDeclarations();
inline constexpr size_t kOtherCount = std::size(kKeywordTable) - kDeclarationCount;

constexpr std::array<Keyword, kOtherCount> MakeKeywords() {
  std::array<Keyword, kOtherCount> out{};
  size_t n = 0;
  for (const KeywordFacts& k : kKeywordTable) {
    if (k.role != KeywordRole::kDeclaration) out[n++] = {k.text, k.code, k.counter};
  }
  return out;
}

constexpr std::array<DeclarationKeyword, kDeclarationCount> MakeDeclarationKeywords() {
  std::array<DeclarationKeyword, kDeclarationCount> out{};
  size_t n = 0;
  for (const KeywordFacts& k : kKeywordTable) {
    if (k.role == KeywordRole::kDeclaration) out[n++] = {k.text, k.code};
  }
  return out;
}

// Codes below 0x20 are the kinds of punctuation, names and literals; every table indexed by
// kind must reach every code.
constexpr bool CodesInRange() {
  for (const KeywordFacts& k : kKeywordTable) {
    if (k.code < 0x20 || k.code >= kKindLimit) return false;
  }
  return true;
}

constexpr bool TextsDistinct() {
  for (size_t i = 0; i < std::size(kKeywordTable); ++i) {
    for (size_t j = i + 1; j < std::size(kKeywordTable); ++j) {
      if (kKeywordTable[i].text == kKeywordTable[j].text) return false;
    }
  }
  return true;
}

// A function is read inside an expression and never begins a statement; only functions compute
// numbers of numbers; block keywords are control keywords.
constexpr bool EntriesFitRoles() {
  for (const KeywordFacts& k : kKeywordTable) {
    const bool function = k.role == KeywordRole::kFunction;
    if (function && BeginsStatement(k)) return false;
    if (!function && IsNumberFunction(k)) return false;
    if (k.counter != BlockCounter::kNone && k.role != KeywordRole::kControl) return false;
  }
  return true;
}

static_assert(CodesInRange(), "a keyword's code is outside the keyword codes");
static_assert(TextsDistinct(), "two keywords have the same text");
static_assert(EntriesFitRoles(), "a keyword's entries do not fit its role");

}  // namespace keywords_detail

// Classified before the declarations are read, in this order.
inline constexpr std::array<Keyword, keywords_detail::kOtherCount> kKeywords =
    keywords_detail::MakeKeywords();

inline constexpr std::array<DeclarationKeyword, keywords_detail::kDeclarationCount>
    kDeclarationKeywords = keywords_detail::MakeDeclarationKeywords();

}  // namespace brindle

// A hint after a fault that names an unknown word: a keyword of other BASICs, or a keyword
// misspelt by one letter.
#include "lint/name_hints.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "lang/keywords.h"

namespace brindle {
namespace {

struct ForeignKeyword {
  std::string_view word;
  std::string_view here;
};

// What users of other BASICs reach for, and how this language says it.
constexpr std::array<ForeignKeyword, 15> kForeignKeywords = {{
    {"REM", "comments start with an apostrophe: ' like this, also after a statement"},
    {"CLS", "the window is cleared with WCOLOR r, g, b (then SWAP to show it)"},
    {"COLOR", "colours are FCOLOR (pen and text), BCOLOR (fill) and WCOLOR (window), each r, g, b"},
    {"INPUT", "text is typed into an input box: INPUTBOX, then GETTEXT in a WMCOMMAND block"},
    {"THEN", "IF needs no THEN: statements follow the condition on the next lines, or after :"},
    {"END", "there is no END: a script ends after its last line; jump there with GOTO"},
    {"DIM", "arrays are declared with VAR, STR or PTR: VAR a[10]"},
    {"LET", "there is no LET: write the assignment alone, x = 1"},
    {"GOSUB", "there is no GOSUB: define FUNC name() ... ENDFN and call name()"},
    {"RETURN", "there is no RETURN: a function ends at its ENDFN"},
    {"SUB", "subroutines are FUNC name() ... ENDFN, called as name()"},
    {"FUNCTION", "functions are FUNC name() ... ENDFN, called as name()"},
    {"ELSEIF", "there is no ELSEIF: use ELSE with a new IF block after the ENDIF, or GOTO"},
    {"LOOP", "loops are WHILE ... WEND"},
    {"DO", "loops are WHILE ... WEND"},
}};

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

// Whether b is a with one letter added, left out or changed.
bool OneEditApart(std::string_view a, std::string_view b) {
  if (a.size() > b.size()) std::swap(a, b);
  if (b.size() - a.size() > 1) return false;
  size_t i = 0;
  while (i < a.size() && a[i] == b[i]) ++i;
  if (a.size() == b.size()) return a.substr(i + 1) == b.substr(i + 1);
  return a.substr(i) == b.substr(i + 1);
}

}  // namespace

std::optional<std::string> NameHint(std::string_view word) {
  const std::string upper = Upper(word);
  for (const ForeignKeyword& k : kForeignKeywords) {
    if (upper == k.word) return std::string(k.here);
  }
  for (const Keyword& k : kKeywords) {
    if (upper != k.text && upper.size() >= 3 && OneEditApart(upper, k.text)) {
      return "did you mean the keyword " + std::string(k.text) +
             "? (a name of your own is declared with VAR, STR or PTR)";
    }
  }
  return std::nullopt;
}

}  // namespace brindle

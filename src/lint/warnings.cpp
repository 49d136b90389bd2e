// The warnings, one function each, over the token table as the pre-check left it (keywords
// classified, names bound).
#include <algorithm>

#include "lang/keywords.h"
#include "lint/lint.h"
#include "runtime/values.h"

namespace brindle {
namespace {

bool EndsStatement(int kind) {
  return kind == TK_EOL || kind == TK_COLON || kind == TK_NONE;
}

// FOR, TO, STEP and NEXT are keywords with no action.
void NoLoopKeywords(const TokenTable& tokens, int p, std::vector<Warning>& out) {
  if (tokens.kind[p] == KW_FOR) {
    out.push_back({p, "W01",
                   "FOR does nothing here: its assignment runs once and the lines up to NEXT "
                   "run once; write the loop with WHILE ... WEND"});
  } else if (tokens.kind[p] == KW_NEXT) {
    out.push_back({p, "W01",
                   "NEXT does nothing here: no loop goes back to it; write the loop "
                   "with WHILE ... WEND"});
  }
}

// VAR x = 5 declares x and the rest of the list; the value is never stored.
void NoDeclarationValues(const TokenTable& tokens, int p, std::vector<Warning>& out) {
  const int kind = tokens.kind[p];
  if (kind != KW_VAR && kind != KW_STR && kind != KW_PTR) return;
  for (int q = p + 1; !EndsStatement(tokens.kind[q]); ++q) {
    if (tokens.kind[q] != TK_EQUAL) continue;
    const std::string name = tokens.kind[q - 1] == TK_IDENT ? tokens.text[q - 1] : "the name";
    out.push_back({q, "W02",
                   "a declaration stores no value: " + name +
                       " starts at 0 (\"\" for STR); assign the value on a line of its own"});
    return;
  }
}

// TIMERON reads its interval from a VAR variable only; anything else keeps the last one.
void TimerIntervalInAVariable(const TokenTable& tokens, const Symbols& symbols, int p,
                              std::vector<Warning>& out) {
  if (tokens.kind[p] != KW_TIMERON) return;
  const int v = symbols.var_slot_of_token[p + 1];
  if (tokens.kind[p + 1] == TK_IDENT && v > 0 && symbols.var_type[v] == KW_VAR) return;
  out.push_back(
      {p + 1, "W03",
       "TIMERON takes its interval from a VAR variable only: with " +
           (EndsStatement(tokens.kind[p + 1]) ? std::string("nothing") : tokens.text[p + 1]) +
           " the timer keeps the interval it had (10 ms at first); put the interval "
           "in a VAR variable"});
}

// Only the first arrays declared have storage. Called at each array's first token, which is
// where it is declared (a name is declared before it is used).
void ArraysThatStore(const Symbols& symbols, int p, std::vector<Warning>& out) {
  const int a = symbols.array_slot_of_token[p];
  if (a <= kArraysWithStorage) return;
  out.push_back({p, "W04",
                 "only the first " + std::to_string(kArraysWithStorage) +
                     " arrays declared store values: " + symbols.array_name[a] +
                     " reads 0 (\"\" for STR) and keeps nothing; use fewer arrays"});
}

}  // namespace

std::vector<Warning> FindWarnings(const TokenTable& tokens, const Symbols& symbols) {
  std::vector<Warning> out;
  std::vector<bool> array_reported(static_cast<size_t>(symbols.array_count) + 1, false);
  for (int p = 1; p <= tokens.count; ++p) {
    NoLoopKeywords(tokens, p, out);
    NoDeclarationValues(tokens, p, out);
    TimerIntervalInAVariable(tokens, symbols, p, out);
    const int a = symbols.array_slot_of_token[p];
    if (a > 0 && !array_reported[a]) {
      array_reported[a] = true;
      ArraysThatStore(symbols, p, out);
    }
  }
  std::stable_sort(out.begin(), out.end(),
                   [](const Warning& a, const Warning& b) { return a.token < b.token; });
  return out;
}

}  // namespace brindle

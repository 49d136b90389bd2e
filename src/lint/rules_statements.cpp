// How statements read their arguments: TIMERON's variable and interval, argument counts,
// PRINT's one item.
#include <array>
#include <cstdlib>

#include "lang/keywords.h"
#include "lint/rules.h"

namespace brindle::lint_rules {
namespace {

// How many arguments a statement that reads each one by passing a token expects, and what the
// warning calls them, as the table of keywords gives them.
constexpr int kUncounted = -1;

struct ArgumentCount {
  int count = kUncounted;
  const char* arguments = "";
};

constexpr std::array<ArgumentCount, kKindLimit> MakeArgumentCounts() {
  std::array<ArgumentCount, kKindLimit> t{};
#define BRINDLE_ARGUMENT_COUNT(NAME, code, role, counter, statement, function, check, caption, \
                               arity, arguments, ...)                                          \
  t[KW_##NAME] = {arity, arguments};
  BRINDLE_STATEMENTS(BRINDLE_ARGUMENT_COUNT)
#undef BRINDLE_ARGUMENT_COUNT
  return t;
}
constexpr std::array<ArgumentCount, kKindLimit> kArgumentCounts = MakeArgumentCounts();

// A count without the names of its arguments would make a warning that says nothing.
constexpr bool EveryCountNamesItsArguments() {
  for (const ArgumentCount& a : kArgumentCounts) {
    if ((a.count == kUncounted) != (a.arguments[0] == '\0')) return false;
  }
  return true;
}
static_assert(EveryCountNamesItsArguments(), "a keyword's argument count and names disagree");

}  // namespace

// TIMERON reads its interval from a VAR variable only; anything else keeps the last one.
void TimerIntervalInAVariable(const TokenTable& tokens, const Symbols& symbols, int p,
                              std::vector<Warning>& out) {
  if (tokens.kind[p] != KW_TIMERON) return;
  if (tokens.kind[p + 1] == TK_IDENT && IsNumberVariable(symbols, p + 1)) return;
  out.push_back(
      {p + 1, "W03",
       "TIMERON takes its interval from a VAR variable only: with " +
           (EndsStatement(tokens.kind[p + 1]) ? std::string("nothing") : tokens.text[p + 1]) +
           " the timer keeps the interval it had (10 ms at first); put the interval "
           "in a VAR variable"});
}

// A timer interval below 10 ms counts as 10: the variable TIMERON reads is given a smaller
// number somewhere.
void TimerIntervalsBelowTen(const TokenTable& tokens, const Symbols& symbols, int p,
                            std::vector<Warning>& out) {
  if (tokens.kind[p] != KW_TIMERON) return;
  const int v = symbols.var_slot_of_token[p + 1];
  if (v <= 0) return;
  for (int q = 1; q + 3 <= tokens.count; ++q) {
    if (symbols.var_slot_of_token[q] != v || tokens.kind[q + 1] != TK_EQUAL ||
        tokens.kind[q + 2] != TK_NUMBER || !EndsStatement(tokens.kind[q + 3])) {
      continue;
    }
    if (std::atof(tokens.text[q + 2].c_str()) >= 10) continue;
    out.push_back({p + 1, "W18",
                   tokens.text[p + 1] + " is set to " + tokens.text[q + 2] +
                       " in this script: as a timer interval, anything below 10 ms counts as "
                       "10"});
    return;
  }
}

// These statements read each argument by passing one token and evaluating what follows: a
// missing argument is read from the next statement, which loses its first tokens; arguments
// past the last are passed over.
void ArgumentCounts(const TokenTable& tokens, int p, std::vector<Warning>& out) {
  const int kind = tokens.kind[p];
  if (kind < 0 || kind >= kKindLimit || kArgumentCounts[kind].count == kUncounted) return;
  const ArgumentCount& s = kArgumentCounts[kind];
  const std::vector<int> starts = ArgumentStarts(tokens, p);
  const int given = static_cast<int>(starts.size());
  const std::string name = UpperCaseName(tokens.text[p]);
  if (given < s.count) {
    out.push_back({p, "W13",
                   name + " reads " + std::to_string(s.count) + " arguments (" + s.arguments +
                       ") and has " + std::to_string(given) +
                       " here: each missing one is read from what follows, the next line or "
                       "statement, which loses its first tokens; give all of them"});
  } else if (given > s.count) {
    out.push_back({starts[s.count], "W13",
                   name + " reads " + std::to_string(s.count) + " arguments (" + s.arguments +
                       "): this one and the rest are passed over"});
  }
}

// PRINT's third argument is one item: a variable, an element, a literal or an expression in
// parentheses. Whatever follows it is passed over: PRINT x, y, "a" + s prints "a".
void PrintItemsAlone(const TokenTable& tokens, int p, std::vector<Warning>& out) {
  if (tokens.kind[p] != KW_PRINT) return;
  const std::vector<int> starts = ArgumentStarts(tokens, p);
  if (starts.size() != 3) return;
  int q = starts[2];
  if (tokens.kind[q] == TK_IDENT && tokens.kind[q + 1] == TK_LBRACKET) ++q;
  if (tokens.kind[q] == TK_LPAREN || tokens.kind[q] == TK_LBRACKET) {
    for (int depth = 0;; ++q) {
      const int kind = tokens.kind[q];
      if (EndsStatement(kind)) return;
      if (kind == TK_LPAREN || kind == TK_LBRACKET) ++depth;
      if ((kind == TK_RPAREN || kind == TK_RBRACKET) && --depth == 0) break;
    }
  }
  if (EndsStatement(tokens.kind[q + 1])) return;
  out.push_back({q + 1, "W14",
                 "PRINT prints one item, and what follows it is passed over: put an expression "
                 "in parentheses, PRINT x, y, (a + b), and join texts into a STR variable "
                 "first"});
}

}  // namespace brindle::lint_rules

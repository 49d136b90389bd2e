// What becomes of values: a string function followed by "+", a number stored in a STR
// variable, INT taken for a truncation, and the plain arguments that read one token each.

#include <array>

#include "lang/keywords.h"
#include "lint/rules.h"

namespace brindle::lint_rules {
namespace {

// The ")" that closes the "(" at p, or 0 when the statement ends first.
int ClosingParen(const TokenTable& tokens, int p) {
  int depth = 0;
  for (int q = p; !EndsStatement(tokens.kind[q]); ++q) {
    if (tokens.kind[q] == TK_LPAREN) ++depth;
    if (tokens.kind[q] == TK_RPAREN && --depth == 0) return q;
  }
  return 0;
}

bool StartsText(const TokenTable& tokens, const Symbols& symbols, int p) {
  const int kind = tokens.kind[p];
  return kind == TK_STRING || kind == KW_STRS || kind == KW_CHRS || kind == KW_LSTR ||
         kind == KW_RSTR || kind == KW_MSTR || (kind == TK_IDENT && IsTextVariable(symbols, p));
}

}  // namespace

// STRS(x) + "..." reads the "+" as part of its number (the text counts as 0) and the item
// becomes the text after it; LSTR, RSTR and MSTR end the string expression at their ")".
void StringFunctionsEndTheText(const TokenTable& tokens, const Symbols& symbols, int p,
                               std::vector<Warning>& out) {
  const int kind = tokens.kind[p];
  const bool number = kind == KW_STRS || kind == KW_CHRS;
  const bool part = kind == KW_LSTR || kind == KW_RSTR || kind == KW_MSTR;
  if ((!number && !part) || tokens.kind[p + 1] != TK_LPAREN) return;
  const int close = ClosingParen(tokens, p + 1);
  if (close == 0 || tokens.kind[close + 1] != TK_PLUS) return;
  const std::string name = UpperCaseName(tokens.text[p]);
  if (number && StartsText(tokens, symbols, close + 2)) {
    out.push_back({close + 1, "W22",
                   name +
                       " takes all that follows as its number: this + adds the text after it "
                       "as 0, and the text replaces the number, which is lost; put the " +
                       name + " in a variable first (t = " + name +
                       "(x)) and join the variable: \"Score: \" + t + \"...\""});
  } else if (part) {
    out.push_back({close + 1, "W22",
                   "the string expression ends at " + name +
                       "'s closing ): this + and all after it are not joined; put " + name +
                       "(...) in a variable first, or write it last"});
  }
}

namespace {

// The "=" of an assignment to the variable or element named at p, or 0.
int AssignmentEqual(const TokenTable& tokens, int p) {
  if (!StartsStatement(tokens, p) || tokens.kind[p] != TK_IDENT) return 0;
  int q = p + 1;
  if (tokens.kind[q] == TK_LBRACKET) {
    for (int depth = 0; !EndsStatement(tokens.kind[q]); ++q) {
      if (tokens.kind[q] == TK_LBRACKET) ++depth;
      if (tokens.kind[q] == TK_RBRACKET && --depth == 0) break;
    }
    ++q;
  }
  return tokens.kind[q] == TK_EQUAL ? q : 0;
}

// The type (KW_VAR, KW_STR or KW_PTR) of the variable or array named at p, or 0.
int VariableType(const Symbols& symbols, int p) {
  if (const int v = symbols.var_slot_of_token[p]; v > 0) return symbols.var_type[v];
  if (const int a = symbols.array_slot_of_token[p]; a > 0) return symbols.array_type[a];
  return 0;
}

}  // namespace

// A number literal where a string belongs stops the run with TYPE ERROR, every time it runs.
void NumbersIntoTexts(const TokenTable& tokens, const Symbols& symbols, int p,
                      std::vector<Warning>& out) {
  const int q = AssignmentEqual(tokens, p);
  if (q == 0 || !IsTextVariable(symbols, p) || tokens.kind[q + 1] != TK_NUMBER) return;
  out.push_back({q + 1, "W23",
                 tokens.text[p] +
                     " holds text: a number here stops the run with TYPE ERROR "
                     "Not String! each time it runs; write it as text, \"" +
                     tokens.text[q + 1] + "\", or STRS(x) for a number's text"});
}

// A variable of one type in an expression of the other reads nothing: n in s = "x" + n adds no
// text, s in n = 2 + s no number. Only the operands outside any parentheses are looked at, as
// a function's arguments (LEN(s), STRS(n)) have types of their own.
void VariablesOfTheOtherType(const TokenTable& tokens, const Symbols& symbols, int p,
                             std::vector<Warning>& out) {
  const int q = AssignmentEqual(tokens, p);
  const int target = q ? VariableType(symbols, p) : 0;
  if (target == 0) return;
  int depth = 0;
  for (int r = q + 1; !EndsStatement(tokens.kind[r]); ++r) {
    const int kind = tokens.kind[r];
    if (kind == TK_LPAREN || kind == TK_LBRACKET) ++depth;
    if ((kind == TK_RPAREN || kind == TK_RBRACKET) && depth > 0) --depth;
    if (depth > 0 || kind != TK_IDENT) continue;
    const int type = VariableType(symbols, r);
    if (type == 0 || (type == KW_STR) == (target == KW_STR)) continue;
    const std::string& name = tokens.text[r];
    out.push_back({r, "W29",
                   target == KW_STR
                       ? name + " holds a number, which gives no text here: " + tokens.text[p] +
                             " gets only the text around it; write STRS(" + name + ")"
                       : name +
                             " holds text, which gives no number here: it counts as "
                             "nothing; write VAL(" +
                             name + ") for the number the text spells"});
  }
}

// INT rounds to the nearest whole number; a division inside it is most often meant to be cut
// down to a whole number, as other BASICs' INT does.
void IntRoundsDivisions(const TokenTable& tokens, int p, std::vector<Warning>& out) {
  if (tokens.kind[p] != KW_INT) return;
  const int open = p + 1;
  const int end = tokens.kind[open] == TK_LPAREN ? ClosingParen(tokens, open) : 0;
  for (int q = open; q < end; ++q) {
    if (tokens.kind[q] != TK_SLASH) continue;
    out.push_back({p, "W24",
                   "INT rounds to the nearest whole number, ties to even: INT(19 / 10) is 2, "
                   "not 1; to drop the fraction, put the quotient in a variable q and write "
                   "q - FRAC q"});
    return;
  }
}

namespace {

struct PlainNumbers {
  int from = 0;
  int count = 0;
};

constexpr std::array<PlainNumbers, kKindLimit> MakePlainNumbers() {
  std::array<PlainNumbers, kKindLimit> t{};
#define BRINDLE_PLAIN_NUMBERS(NAME, code, role, counter, statement, function, check, caption, \
                              arity, arguments, compiled, plain_from, plain_count)            \
  t[KW_##NAME] = {plain_from, plain_count};
  BRINDLE_STATEMENTS(BRINDLE_PLAIN_NUMBERS)
#undef BRINDLE_PLAIN_NUMBERS
  return t;
}
constexpr std::array<PlainNumbers, kKindLimit> kPlainNumbers = MakePlainNumbers();

}  // namespace

int PlainArgumentsFrom(int kind, int& count) {
  if (kind < 0 || kind >= kKindLimit) return 0;
  count = kPlainNumbers[kind].count;
  return kPlainNumbers[kind].from;
}

std::string PlainArgumentsText(const std::string& statement) {
  return statement +
         "'s numbers are plain: each is one number or one VAR variable, read as it stands (an "
         "expression, an element, a sign or a variable of another type keeps the value that "
         "argument had before); compute it into a VAR variable first: v = ..., then " +
         statement + " ..., v, ...";
}

void PlainArguments(const TokenTable& tokens, const Symbols& symbols, int p,
                    std::vector<Warning>& out) {
  int count = 0;
  const int first = PlainArgumentsFrom(tokens.kind[p], count);
  if (first == 0) return;
  for (int i = 0; i < count; ++i) {
    const int q = p + first + 2 * i;
    const int kind = tokens.kind[q];
    const bool alone = kind == TK_NUMBER || (kind == TK_IDENT && IsNumberVariable(symbols, q) &&
                                             tokens.kind[q + 1] != TK_LBRACKET);
    const int after = tokens.kind[q + 1];
    const bool last = i + 1 == count;
    if (alone && (last ? EndsStatement(after) || after == TK_COMMA : after == TK_COMMA)) continue;
    out.push_back({q, "W25", PlainArgumentsText(UpperCaseName(tokens.text[p]))});
    return;
  }
}

}  // namespace brindle::lint_rules

#include "lint/fault_hints.h"

#include <string>

#include "lang/keyword_roles.h"
#include "lang/keywords.h"
#include "lang/reference.h"
#include "lint/rules.h"

namespace brindle {
namespace {

using lint_rules::EndsStatement;
using lint_rules::IsComparison;
using lint_rules::UpperCaseName;

int StatementStart(const TokenTable& tokens, int p) {
  while (p > 1 && !EndsStatement(tokens.kind[p - 1])) --p;
  return p;
}

bool IsDeclaration(const TokenTable& tokens, int p) {
  const int kind = tokens.kind[p];
  if (kind == KW_VAR || kind == KW_STR || kind == KW_PTR) return true;
  const std::string word = UpperCaseName(tokens.text[p]);
  return kind == TK_IDENT && (word == "VAR" || word == "STR" || word == "PTR");
}

// The statement whose check went on to the line's end: the last statement keyword from start
// (LABEL Print: the pre-check reads Print as PRINT), or 0.
int LastStatementKeyword(const TokenTable& tokens, int start, int end) {
  for (int q = end - 1; q >= start; --q) {
    for (const Keyword& k : kKeywords) {
      if (k.code != tokens.kind[q]) continue;
      const KeywordRole role = RoleOf(k.code);
      if (role == KeywordRole::kStatement || role == KeywordRole::kControl) return q;
    }
  }
  return 0;
}

bool TakesPlainNumbers(int kind) {
  int count = 0;
  return lint_rules::PlainArgumentsFrom(kind, count) != 0;
}

// IF and WHILE compare with one character: "<=" is "<" and then "=" where an operand belongs,
// and a sign there is an operator.
std::optional<std::string> ComparisonHint(const TokenTable& tokens, int p, int statement) {
  if (!IsComparison(tokens.kind[p - 1])) return std::nullopt;
  const std::string written = tokens.text[p - 1] + tokens.text[p];
  if (IsComparison(tokens.kind[p])) {
    std::string instead = "a < b | a = b";
    if (written == "<>") instead = "a ! b (! is not equal)";
    if (written == ">=") instead = "a > b | a = b";
    if (written == "==") instead = "a = b";
    if (written == "!=") instead = "a ! b";
    return written +
           " is no operator here: the comparisons are =, !, < and >, one character "
           "each; write " +
           instead +
           (statement == KW_WHILE ? " in an IF, or compare with a limit one step beyond" : "");
  }
  if (tokens.kind[p] == TK_MINUS) {
    if (statement == KW_IF) {
      return "a negative number after a comparison needs parentheses: " + tokens.text[p - 1] +
             " (-" + tokens.text[p + 1] + ")";
    }
    return "WHILE compares with one variable or number, and a sign is neither: put the "
           "negative number in a variable first";
  }
  return std::nullopt;
}

}  // namespace

std::optional<Warning> FaultHint(const TokenTable& tokens, int p) {
  if (p < 2) return std::nullopt;
  const int start = StatementStart(tokens, p);
  const int statement = tokens.kind[start];
  // STR label, months: the keyword LABEL, not a name, then faults for want of a label's name.
  const int before = tokens.kind[p - 1];
  if ((before == KW_LABEL || before == KW_FUNC || before == KW_GOTO) && p - 1 > start &&
      IsDeclaration(tokens, start)) {
    const std::string word = UpperCaseName(tokens.text[p - 1]);
    return Warning{p - 1, "W21",
                   tokens.text[p - 1] + ": " + word +
                       " is a keyword and cannot name a variable: choose another name, such as " +
                       tokens.text[p - 1] + "s"};
  }
  if (statement == KW_IF || statement == KW_WHILE) {
    if (std::optional<std::string> hint = ComparisonHint(tokens, p, statement)) {
      return Warning{p, "W26", *hint};
    }
  }
  // RECT 1, 2: the statement's check reaches the line's end still wanting an argument.
  if (tokens.kind[p] == TK_EOL && p > start + 1) {
    const int keyword = LastStatementKeyword(tokens, start, p);
    std::optional<ReferenceEntry> entry;
    if (keyword > 0) entry = FindReference(tokens.text[keyword]);
    if (entry) {
      return Warning{p, "W28",
                     UpperCaseName(tokens.text[keyword]) + " is missing arguments: it is written " +
                         std::string(entry->form)};
    }
  }
  if (TakesPlainNumbers(statement) && p > start) {
    return Warning{p, "W25", lint_rules::PlainArgumentsText(UpperCaseName(tokens.text[start]))};
  }
  return std::nullopt;
}

}  // namespace brindle

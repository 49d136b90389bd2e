#include "prepass/prepass.h"

#include "lang/keywords.h"
#include "lang/text.h"

namespace brindle {

namespace {

bool IsDeclarationKeyword(std::string_view text) {
  if (text.size() != 3) return false;
  const std::string upper = UpperCase(text);
  for (const auto& d : kDeclarationKeywords) {
    if (upper == d.text) return true;
  }
  return false;
}

// Token by token: line counting, declarations, binding, handlers and statement checks. The
// first fault nearest the start of the script is the one reported.
Fault MainSweep(const PrePassTables& t) {
  int line = 1;
  for (int p = 1; p <= t.tokens.count; ++p) {
    const int kind = t.tokens.kind[p];
    if (kind == TK_EOL) {
      t.tokens.text.Write(p) = "EOL";
      ++line;
      continue;
    }
    Fault fault;
    const int checked = p;
    if (kind == TK_IDENT && IsDeclarationKeyword(t.tokens.text[p])) {
      // The token that ended the list is examined like any other.
      p = Declare(t, p, line, fault) - 1;
    } else if (kind == TK_IDENT) {
      fault = BindIdentifier(t, p, line);
    } else {
      fault = CheckStatement(t, p, line);
    }
    if (fault) {
      if (fault->token == 0) fault->token = checked;  // the statement or name being checked
      return fault;
    }
  }
  return std::nullopt;
}

}  // namespace

Fault PrePass(const PrePassTables& t) {
  ClassifyKeywords(t);
  if (Fault f = RegisterLabels(t)) return f;
  if (Fault f = RegisterFunctions(t)) return f;
  if (Fault f = MainSweep(t)) return f;
  return CheckBlockBalance(t.tokens, t.blocks);
}

}  // namespace brindle

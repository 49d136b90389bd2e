#include "prepass/prepass.h"

#include <algorithm>

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
// first fault nearest the start of the script is the one reported; a sink that goes on after it
// has the sweep take up again at the end of the faulty statement.
bool MainSweep(const PrePassTables& t, const FaultSink& found) {
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
      if (!found(std::move(*fault))) return false;
      const ZeroTable<int>& kinds = t.tokens.kind;
      p = std::max(p, checked);
      while (p < t.tokens.count && kinds[p + 1] != TK_EOL && kinds[p + 1] != TK_COLON) ++p;
    }
  }
  return true;
}

void Pass(const PrePassTables& t, const FaultSink& found) {
  ClassifyKeywords(t);
  if (!RegisterLabels(t, found) || !RegisterFunctions(t, found) || !MainSweep(t, found)) return;
  CheckBlockBalance(t.tokens, t.blocks, found);
}

}  // namespace

Fault PrePass(const PrePassTables& t) {
  Fault first;
  Pass(t, [&first](Message fault) {
    first = std::move(fault);
    return false;
  });
  return first;
}

std::vector<Message> PrePassAll(const PrePassTables& t) {
  std::vector<Message> all;
  Pass(t, [&all](Message fault) {
    all.push_back(std::move(fault));
    return true;
  });
  return all;
}

}  // namespace brindle

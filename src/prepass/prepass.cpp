#include "prepass/prepass.h"

#include "host/interpreter.h"
#include "prepass/keywords.h"

namespace brindle {

std::string UpperCase(std::string_view text) {
  std::string s(text);
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return s;
}

std::string LowerCase(std::string_view text) {
  std::string s(text);
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

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
      t.tokens.text[p] = "EOL";
      ++line;
      continue;
    }
    Fault fault;
    if (kind == TK_IDENT && IsDeclarationKeyword(t.tokens.text[p])) {
      // The token that ended the list is examined like any other.
      p = Declare(t, p, line, fault) - 1;
    } else if (kind == TK_IDENT) {
      fault = BindIdentifier(t, p, line);
    } else {
      fault = CheckStatement(t, p, line);
    }
    if (fault) return fault;
  }
  return std::nullopt;
}

}  // namespace

Fault RunPrePass(const PrePassTables& t) {
  ClassifyKeywords(t);
  if (Fault f = RegisterLabels(t)) return f;
  if (Fault f = RegisterFunctions(t)) return f;
  if (Fault f = MainSweep(t)) return f;
  return CheckBlockBalance(t.blocks);
}

bool PrePass(Interpreter& in) {
  Fault fault = RunPrePass({in.tokens, in.symbols, in.blocks});
  if (!fault) return true;
  ShowMessage(in, std::move(*fault));
  return false;
}

}  // namespace brindle

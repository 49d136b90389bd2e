#include "prepass/symbols.h"

#include "lang/keywords.h"
#include "lang/text.h"
#include "prepass/prepass.h"

namespace brindle {
namespace {

// Line of the token at p: 1 plus the line ends before it. Used by the sweeps that run before
// the main sweep counts lines.
int LineOf(const TokenTable& tokens, int p) {
  int line = 1;
  for (int q = 1; q < p; ++q) line += tokens.kind[q] == TK_EOL;
  return line;
}

int Lookup(const std::unordered_map<std::string, int>& names, const std::string& key) {
  auto it = names.find(key);
  return it == names.end() ? 0 : it->second;
}

void DeclareVariable(Symbols& s, int q, const std::string& name, int type) {
  const int v = ++s.var_count;
  s.var_slot_of_token[q] = v;
  s.var_name.resize(v + 1);
  s.var_name[v] = name;
  s.var_type[v] = type;
  s.first_var.emplace(name, v);
}

void DeclareArray(Symbols& s, int q, const std::string& name, int type) {
  const int a = ++s.array_count;
  s.array_slot_of_token[q] = a;
  s.array_name.resize(a + 1);
  s.array_name[a] = name;
  s.array_type[a] = type;
  s.first_array.emplace(name, a);
}

}  // namespace

bool RegisterLabels(const PrePassTables& t, const FaultSink& found) {
  t.symbols.label_name.assign(t.tokens.count + 2, std::string());
  for (int p = 1; p <= t.tokens.count; ++p) {
    if (t.tokens.kind[p] != KW_LABEL) continue;
    if (t.tokens.kind[p + 1] != TK_IDENT) {
      if (!found(FoundAt(msg::LabelWithoutName(t.tokens.text[p + 1], LineOf(t.tokens, p)), p + 1)))
        return false;
      continue;
    }
    t.symbols.label_name[p + 1] = t.tokens.text[p + 1];
    t.symbols.first_label.emplace(LowerCase(t.tokens.text[p + 1]), p + 1);
  }
  return true;
}

// A FUNC whose name is not followed by "()" registers nothing; calls to it fail later.
bool RegisterFunctions(const PrePassTables& t, const FaultSink& found) {
  t.symbols.func_name.assign(t.tokens.count + 2, std::string());
  for (int p = 1; p <= t.tokens.count; ++p) {
    if (t.tokens.kind[p] != KW_FUNC) continue;
    if (t.tokens.kind[p + 1] != TK_IDENT) {
      const int line = LineOf(t.tokens, p);
      if (!found(FoundAt(msg::FunctionWithoutName(t.tokens.text[p + 1], line), p + 1))) {
        return false;
      }
      continue;
    }
    if (t.tokens.kind[p + 2] == TK_LPAREN && t.tokens.kind[p + 3] == TK_RPAREN) {
      std::string name = LowerCase(t.tokens.text[p + 1]);
      t.symbols.func_name[p + 1] = name;
      t.symbols.first_func.emplace(std::move(name), p + 1);
    }
  }
  return true;
}

// Every name of the list is declared, also one written as an initial value. STR and PTR names
// followed by "[" become both a scalar and an array; VAR names only an array.
int Declare(const PrePassTables& t, int p, int line, Fault& fault) {
  const std::string keyword = UpperCase(t.tokens.text[p]);
  int type = KW_VAR;
  for (const auto& d : kDeclarationKeywords) {
    if (keyword == d.text) type = d.code;
  }
  t.tokens.kind[p] = type;
  if (t.tokens.kind[p + 1] != TK_IDENT) {
    fault = msg::MissingVariableAfter(keyword, line);
    return p + 1;
  }
  return ForEachDeclaredName(t.tokens, p, type, [&](int q, bool variable, bool array) {
    const std::string name = LowerCase(t.tokens.text[q]);
    if (variable) {
      if (t.symbols.var_count == kMaxVariables) {
        fault = FoundAt(msg::TooManyVariables(t.tokens.text[q], line), q);
        return false;
      }
      DeclareVariable(t.symbols, q, name, type);
    }
    if (array) {
      if (t.symbols.array_count == kMaxArrays) {
        fault = FoundAt(msg::TooManyArrays(t.tokens.text[q], line), q);
        return false;
      }
      DeclareArray(t.symbols, q, name, type);
    }
    return true;
  });
}

// Names after LABEL, GOTO, FUNC and WINMSG are not variables; a name followed by "(" and a
// name is left alone.
Fault BindIdentifier(const PrePassTables& t, int p, int line) {
  const int before = t.tokens.kind[p - 1];
  if (before == KW_LABEL || before == KW_GOTO || before == KW_FUNC || before == KW_WINMSG) {
    return std::nullopt;
  }
  const std::string& text = t.tokens.text[p];
  const int next = t.tokens.kind[p + 1];
  Symbols& s = t.symbols;
  if (next != TK_LPAREN && next != TK_LBRACKET) {
    s.var_slot_of_token[p] = Lookup(s.first_var, LowerCase(text));
    if (s.var_slot_of_token[p] == 0) return msg::VariableNotFound(text, line);
  } else if (next == TK_LBRACKET) {
    s.array_slot_of_token[p] = Lookup(s.first_array, LowerCase(text));
    if (s.array_slot_of_token[p] == 0) return msg::ArrayNotFound(text, line);
  } else if (t.tokens.kind[p + 2] != TK_IDENT) {
    s.func_of_token[p] = Lookup(s.first_func, LowerCase(text));
    if (s.func_of_token[p] == 0) return msg::FunctionNotFoundAtLine(text, line);
  }
  return std::nullopt;
}

Fault ResolveGoto(const PrePassTables& t, int p, int line) {
  const std::string& name = t.tokens.text[p + 1];
  if (t.tokens.kind[p + 1] != TK_IDENT) return FoundAt(msg::GotoWithoutName(name, line), p + 1);
  t.symbols.goto_target[p + 1] = Lookup(t.symbols.first_label, LowerCase(name));
  if (t.symbols.goto_target[p + 1] == 0) return FoundAt(msg::LabelNotFound(name, line), p + 1);
  return std::nullopt;
}

}  // namespace brindle

// Declarations and variables: values in declarations, names that are keywords, arrays
// that store nothing, variables never read.

#include "lang/keywords.h"
#include "lint/rules.h"
#include "runtime/values.h"

namespace brindle::lint_rules {

// VAR x = 5 declares x and the rest of the list; the value is never stored.
void NoDeclarationValues(const TokenTable& tokens, int p, std::vector<Warning>& out) {
  // A PTR line runs the assignment after its name, so "PTR p = 5" does store 5.
  const int kind = tokens.kind[p];
  if (kind != KW_VAR && kind != KW_STR) return;
  for (int q = p + 1; !EndsStatement(tokens.kind[q]); ++q) {
    if (tokens.kind[q] != TK_EQUAL) continue;
    const std::string name = tokens.kind[q - 1] == TK_IDENT ? tokens.text[q - 1] : "the name";
    out.push_back({q, "W02",
                   "a declaration stores no value: " + name +
                       " starts at 0 (\"\" for STR); assign the value on a line of its own"});
    return;
  }
}

// A keyword in a declaration's list is no name: nothing is declared for it, and where it is
// used later it acts as the keyword.
void NoKeywordNames(const TokenTable& tokens, int p, std::vector<Warning>& out) {
  const int kind = tokens.kind[p];
  if (kind != KW_VAR && kind != KW_STR && kind != KW_PTR) return;
  for (int q = p + 1; !EndsStatement(tokens.kind[q]); ++q) {
    // The names of the list: first, and after each comma.
    if (q != p + 1 && tokens.kind[q - 1] != TK_COMMA) continue;
    const std::string& text = tokens.text[q];
    const int name_kind = tokens.kind[q];
    const bool word = !text.empty() && std::isalpha(static_cast<unsigned char>(text[0]));
    if (name_kind == TK_IDENT || name_kind == TK_STRING || !word) continue;
    out.push_back({q, "W05",
                   text + " is a keyword, so no variable of that name is declared and the name "
                          "acts as the keyword wherever it is used; choose another name"});
  }
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

// A variable only ever assigned: its values go nowhere. Only "name = ..." at the start of a
// statement counts as a write; every other use (HWPARAM v, GETTEXT h, v, ...) as a read.
void VariablesNeverRead(const TokenTable& tokens, const Symbols& symbols,
                        std::vector<Warning>& out) {
  std::vector<int> declared(static_cast<size_t>(symbols.var_count) + 1, 0);
  std::vector<bool> read(declared.size(), false);
  for (int p = 1; p <= tokens.count; ++p) {
    const int v = symbols.var_slot_of_token[p];
    if (v <= 0) continue;
    if (declared[v] == 0) {
      declared[v] = p;
    } else if (!(EndsStatement(tokens.kind[p - 1]) && tokens.kind[p + 1] == TK_EQUAL)) {
      read[v] = true;
    }
  }
  for (int v = 1; v <= symbols.var_count; ++v) {
    if (declared[v] == 0 || read[v]) continue;
    bool assigned = false;
    for (int p = declared[v] + 1; p <= tokens.count && !assigned; ++p) {
      assigned = symbols.var_slot_of_token[p] == v;
    }
    if (!assigned) continue;
    out.push_back({declared[v], "W19",
                   tokens.text[declared[v]] +
                       " is given values but never read: remove it, or use it where it was "
                       "meant to be read"});
  }
}

}  // namespace brindle::lint_rules

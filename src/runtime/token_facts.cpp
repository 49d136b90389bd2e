#include "runtime/token_facts.h"

#include <algorithm>
#include <array>

#include "lang/keywords.h"
#include "lang/numbers.h"
#include "lang/text.h"

namespace brindle {
namespace {

OperatorClass ClassifyOperator(char op) {
  switch (op) {
    case '+':
    case '-':
      return kSumOperator;
    case '*':
    case '/':
    case '%':
    case '^':
      return kTermOperator;
    default:
      return kNoOperator;
  }
}

// The functions of one number read their argument as a factor; VAL reads a text.
constexpr std::array<FactorForm, kKindLimit> MakeKeywordForms() {
  std::array<FactorForm, kKindLimit> forms{};
  for (const KeywordFacts& k : kKeywordTable) {
    if (IsNumberFunction(k)) forms[k.code] = kFormFunction;
  }
  forms[KW_VAL] = kFormVal;
  return forms;
}
constexpr std::array<FactorForm, kKindLimit> kKeywordForms = MakeKeywordForms();

FactorForm ClassifyFactor(int kind, char lead) {
  if (IsDigit(lead)) return kFormNumber;
  if (lead == '(') return kFormParen;
  if (lead == '[') return kFormBracket;
  if (kind == TK_IDENT) return kFormName;
  return kind >= 0 && kind < kKindLimit ? kKeywordForms[kind] : kFormNone;
}

}  // namespace

void ComputeTokenFacts(const TokenTable& tokens, const Symbols& symbols, TokenFacts& facts) {
  // Past the last token every cell keeps the default (zero) facts, which are those of an empty
  // token bound to nothing; a short script touches only the first cells.
  ComputeTokenFactsOf(tokens, symbols, facts, 1,
                      std::min(tokens.count, static_cast<int>(facts.info.size()) - 1));
}

void ComputeTokenFactsOf(const TokenTable& tokens, const Symbols& symbols, TokenFacts& facts,
                         int first, int last) {
  for (int p = first; p <= last; ++p) {
    TokenInfo& t = facts.info[p];
    const std::string& text = tokens.text[p];
    t.kind = tokens.kind[p];
    t.var = symbols.var_slot_of_token[p];
    t.array = symbols.array_slot_of_token[p];
    t.var_type = static_cast<uint8_t>(symbols.var_type[t.var]);
    t.array_type = static_cast<uint8_t>(symbols.array_type[t.array]);
    t.op = text.size() == 1 ? text[0] : 0;
    const char lead = text.empty() ? 0 : text[0];
    // Any text that begins with a digit reads as a number, string literals included.
    t.number = IsDigit(lead) ? TextToNumber(text) : 0.0f;
    t.op_class = ClassifyOperator(t.op);
    t.form = ClassifyFactor(t.kind, lead);
  }
}

}  // namespace brindle

#include "expr/cursor.h"

#include "expr/numbers.h"

namespace brindle {

void ComputeTokenFacts(const TokenTable& tokens, TokenFacts& facts) {
  for (int p = 1; p <= tokens.count; ++p) {
    const std::string& text = tokens.text[p];
    facts.op[p] = text.size() == 1 ? text[0] : 0;
    facts.lead[p] = text.empty() ? 0 : text[0];
    // Any text that begins with a digit is read as a number, string literals included.
    facts.number[p] = (facts.lead[p] >= '0' && facts.lead[p] <= '9') ? TextToNumber(text) : 0.0f;
  }
}

}  // namespace brindle

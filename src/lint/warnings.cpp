// All the warnings of a script, in the order of their tokens.
#include <algorithm>

#include "lint/lint.h"
#include "lint/rules.h"

namespace brindle {

using namespace lint_rules;

std::vector<Warning> FindWarnings(const TokenTable& tokens, const Symbols& symbols) {
  std::vector<Warning> out;
  std::vector<bool> array_reported(static_cast<size_t>(symbols.array_count) + 1, false);
  int open_ifs = 0;
  for (int p = 1; p <= tokens.count; ++p) {
    FlatIfBlocks(tokens, p, open_ifs, out);
    ReachableAfterGoto(tokens, p, out);
    SeparatedStatements(tokens, p, out);
    PowerAfterProduct(tokens, p, out);
    SignsAfterOperators(tokens, p, out);
    ArgumentCounts(tokens, p, out);
    PrintItemsAlone(tokens, p, out);
    WhileOperandsAlone(tokens, p, out);
    TextsHaveNoOrder(tokens, symbols, p, out);
    AndOrGrouping(tokens, p, out);
    TimerIntervalsBelowTen(tokens, symbols, p, out);
    NoLoopKeywords(tokens, p, out);
    NoDeclarationValues(tokens, p, out);
    NoKeywordNames(tokens, p, out);
    MainPartStaysOutOfHandlers(tokens, p, out);
    TimerIntervalInAVariable(tokens, symbols, p, out);
    StringFunctionsEndTheText(tokens, symbols, p, out);
    NumbersIntoTexts(tokens, symbols, p, out);
    VariablesOfTheOtherType(tokens, symbols, p, out);
    IntRoundsDivisions(tokens, p, out);
    PlainArguments(tokens, symbols, p, out);
    const int a = symbols.array_slot_of_token[p];
    if (a > 0 && !array_reported[a]) {
      array_reported[a] = true;
      ArraysThatStore(symbols, p, out);
    }
  }
  RoomForTokens(tokens, out);
  VariablesNeverRead(tokens, symbols, out);
  OneBlockPerEventOneLabelPerName(tokens, out);
  std::stable_sort(out.begin(), out.end(),
                   [](const Warning& a, const Warning& b) { return a.token < b.token; });
  return out;
}

}  // namespace brindle

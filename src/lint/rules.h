// The warnings' rules, one function each, over the token table as the pre-check left it
// (keywords classified, names bound). Each adds what it finds to out; those that take a
// position p look at the token there, and FindWarnings calls them for every position.
#pragma once

#include <cctype>
#include <string>
#include <vector>

#include "lang/keywords.h"
#include "lint/lint.h"

namespace brindle::lint_rules {

inline std::string UpperCaseName(const std::string& text) {
  std::string upper = text;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

inline bool EndsStatement(int kind) {
  return kind == TK_EOL || kind == TK_COLON || kind == TK_NONE;
}

inline bool IsArithmetic(int kind) {
  return kind == TK_PLUS || kind == TK_MINUS || kind == TK_STAR || kind == TK_SLASH ||
         kind == TK_PERCENT || kind == TK_CARET;
}

inline bool EndsOperand(int kind) {
  return kind == TK_NUMBER || kind == TK_IDENT || kind == TK_RPAREN || kind == TK_RBRACKET;
}

inline bool IsComparison(int kind) {
  return kind == TK_EQUAL || kind == TK_BANG || kind == TK_LESS || kind == TK_GREATER;
}

inline bool EntersOrCloses(int kind) {
  return kind == KW_LABEL || kind == KW_WINMSG || kind == KW_FUNC || kind == KW_ENDWM ||
         kind == KW_ENDFN || kind == KW_ELSE || kind == KW_ENDIF || kind == KW_WEND;
}

inline bool StartsStatement(const TokenTable& tokens, int p) {
  return p == 1 || EndsStatement(tokens.kind[p - 1]);
}

inline bool IsNumberVariable(const Symbols& symbols, int p) {
  const int v = symbols.var_slot_of_token[p];
  return v > 0 && symbols.var_type[v] == KW_VAR;
}

inline bool IsTextVariable(const Symbols& symbols, int p) {
  const int v = symbols.var_slot_of_token[p];
  const int a = symbols.array_slot_of_token[p];
  return (v > 0 && symbols.var_type[v] == KW_STR) || (a > 0 && symbols.array_type[a] == KW_STR);
}

// The statement's arguments at bracket depth 0: where each one starts.
inline std::vector<int> ArgumentStarts(const TokenTable& tokens, int p) {
  std::vector<int> starts;
  int depth = 0;
  for (int q = p + 1; !EndsStatement(tokens.kind[q]); ++q) {
    const int kind = tokens.kind[q];
    if (starts.empty() || (depth == 0 && tokens.kind[q - 1] == TK_COMMA)) starts.push_back(q);
    if (kind == TK_LPAREN || kind == TK_LBRACKET) ++depth;
    if ((kind == TK_RPAREN || kind == TK_RBRACKET) && depth > 0) --depth;
  }
  return starts;
}

void NoDeclarationValues(const TokenTable& tokens, int p, std::vector<Warning>& out);
void NoKeywordNames(const TokenTable& tokens, int p, std::vector<Warning>& out);
void ArraysThatStore(const Symbols& symbols, int p, std::vector<Warning>& out);
void VariablesNeverRead(const TokenTable& tokens, const Symbols& symbols,
                        std::vector<Warning>& out);
void NoLoopKeywords(const TokenTable& tokens, int p, std::vector<Warning>& out);
void MainPartStaysOutOfHandlers(const TokenTable& tokens, int p, std::vector<Warning>& out);
void FlatIfBlocks(const TokenTable& tokens, int p, int& open_ifs, std::vector<Warning>& out);
void ReachableAfterGoto(const TokenTable& tokens, int p, std::vector<Warning>& out);
void OneBlockPerEventOneLabelPerName(const TokenTable& tokens, std::vector<Warning>& out);
void RoomForTokens(const TokenTable& tokens, std::vector<Warning>& out);
void SeparatedStatements(const TokenTable& tokens, int p, std::vector<Warning>& out);
void PowerAfterProduct(const TokenTable& tokens, int p, std::vector<Warning>& out);
void SignsAfterOperators(const TokenTable& tokens, int p, std::vector<Warning>& out);
void WhileOperandsAlone(const TokenTable& tokens, int p, std::vector<Warning>& out);
void TextsHaveNoOrder(const TokenTable& tokens, const Symbols& symbols, int p,
                      std::vector<Warning>& out);
void AndOrGrouping(const TokenTable& tokens, int p, std::vector<Warning>& out);
void TimerIntervalInAVariable(const TokenTable& tokens, const Symbols& symbols, int p,
                              std::vector<Warning>& out);
void TimerIntervalsBelowTen(const TokenTable& tokens, const Symbols& symbols, int p,
                            std::vector<Warning>& out);
void ArgumentCounts(const TokenTable& tokens, int p, std::vector<Warning>& out);
void PrintItemsAlone(const TokenTable& tokens, int p, std::vector<Warning>& out);
void StringFunctionsEndTheText(const TokenTable& tokens, const Symbols& symbols, int p,
                               std::vector<Warning>& out);
void VariablesOfTheOtherType(const TokenTable& tokens, const Symbols& symbols, int p,
                             std::vector<Warning>& out);
void NumbersIntoTexts(const TokenTable& tokens, const Symbols& symbols, int p,
                      std::vector<Warning>& out);
void IntRoundsDivisions(const TokenTable& tokens, int p, std::vector<Warning>& out);
void PlainArguments(const TokenTable& tokens, const Symbols& symbols, int p,
                    std::vector<Warning>& out);
// W25's text, also the hint after a pre-check fault in such a statement.
std::string PlainArgumentsText(const std::string& statement);
// The statements whose numbers are plain (the table of keywords says which): each is one
// number literal or one VAR variable, read as it stands; anything else keeps the value that
// argument had the last time. Where the first is (the token after the keyword is 1) and how
// many there are; 0 for any other kind.
int PlainArgumentsFrom(int kind, int& count);

}  // namespace brindle::lint_rules

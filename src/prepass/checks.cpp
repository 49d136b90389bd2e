// Shape checks of statement arguments. They look only at token kinds (and at the operator
// texts of IF and WHILE) at fixed offsets after the keyword; expressions are not parsed.
#include <array>
#include <span>
#include <string_view>

#include "lang/keywords.h"
#include "prepass/prepass.h"

namespace brindle {
namespace {

namespace f = msg::fault;

enum Accept : unsigned {
  kName = 1,  // an identifier that is no keyword
  kNumber = 2,
  kString = 4,
  kParen = 8,     // "("
  kBracket = 16,  // "["
  kComma = 32,
  kJoin = 64,  // "&" or "|": the rows after it apply only when it is there
};

struct Row {
  int offset;
  unsigned accept;  // 0 for an operator row
  std::string_view fault;
  std::string_view operators = {};  // operator row: the text must occur in this string
  int shown = 0;                    // offset of the token named in the message, if not offset
};

// A kind of check: rows of token shapes, then, once they pass, what the keyword's statement
// registers (a handler, a GOTO's target, a WHILE that may run).
struct Check {
  std::span<const Row> rows;
  Fault (*then)(const PrePassTables& t, int p, int line) = nullptr;
};

struct StatementCheck {
  std::string_view caption;
  const Check* check = nullptr;
};

constexpr Row kEventValueRows[] = {{1, kName, f::kInvalidArgument1}};
constexpr Row kFirstArgumentRows[] = {{1, kName | kNumber | kParen, f::kWrongArgument1}};
constexpr Row kCallRows[] = {{1, kParen, f::kWrongArgument1}};
constexpr Row kStrsRows[] = {{2, kName | kNumber, f::kWrongArgument2}};

constexpr Row kRectRows[] = {
    {1, kName | kNumber, f::kWrongArgument1},     {2, kComma, f::kCommaSeparator},
    {3, kName | kNumber, f::kWrongArgumentLater}, {4, kComma, f::kCommaSeparator},
    {5, kName | kNumber, f::kWrongArgumentLater}, {6, kComma, f::kCommaSeparator},
    {7, kName | kNumber, f::kWrongArgumentLater},
};

constexpr Row kIfRows[] = {
    {1, kName | kBracket, f::kWrongArgument1},
    {2, 0, f::kWrongOperator, "<>=!["},
    {3, kName | kNumber | kString | kParen, f::kWrongArgument3},
    {4, kJoin, {}},
    {5, kName, f::kWrongArgument5},
    {6, 0, f::kWrongOperator, "<>=!"},
    {7, kName | kNumber | kString, f::kWrongArgument7},
};

constexpr Row kWhileRows[] = {
    {1, kName, f::kWrongArgument1},
    {2, 0, f::kWrongOperator, "<>=!"},
    {3, kName | kNumber | kString, f::kWrongArgument3},
};

// A missing second comma is reported with the first one.
constexpr Row kColorRows[] = {
    {1, kName | kNumber, f::kWrongArgument1}, {2, kComma, f::kCommaSeparator},
    {4, kComma, f::kCommaSeparator, {}, 2},   {3, kName | kNumber, f::kWrongArgument2},
    {5, kName | kNumber, f::kWrongArgument3},
};

constexpr Row kLoadImageRows[] = {
    {1, kName, f::kWrongArgument1},
    {2, kComma, f::kCommaSeparator},
    {3, kName | kString, f::kWrongArgument2},
    {4, kComma, f::kCommaSeparator},
    {5, kName | kNumber, f::kWrongArgument3},
    {6, kComma, f::kCommaSeparator},
    {7, kName | kNumber, f::kWrongArgument4},
    {8, kComma, f::kCommaSeparatorWide},
    {9, kName | kNumber, f::kWrongArgument5},
    {10, kComma, f::kCommaSeparatorWide},
    {11, kName | kNumber, f::kWrongArgument6},
};

constexpr Row kShowImageRows[] = {
    {1, kName, f::kWrongArgument1},           {2, kComma, f::kCommaSeparator},
    {3, kName | kNumber, f::kWrongArgument2}, {4, kComma, f::kCommaSeparator},
    {5, kName | kNumber, f::kWrongArgument3}, {6, kComma, f::kCommaSeparator},
    {7, kName | kNumber, f::kWrongArgument4},
};

Fault MarkWhile(const PrePassTables& t, int p, int) {
  t.blocks.while_mark[p] = p;
  return std::nullopt;
}

// The checks the table of keywords names.
constexpr Check kNoneCheck{};
constexpr Check kEventValueCheck{kEventValueRows};
constexpr Check kFirstArgumentCheck{kFirstArgumentRows};
constexpr Check kCallCheck{kCallRows};
constexpr Check kStrsCheck{kStrsRows};
constexpr Check kRectCheck{kRectRows};
constexpr Check kIfCheck{kIfRows};
constexpr Check kWhileCheck{kWhileRows, MarkWhile};
constexpr Check kColorCheck{kColorRows};
constexpr Check kLoadImageCheck{kLoadImageRows};
constexpr Check kShowImageCheck{kShowImageRows};
constexpr Check kHandlerCheck{{}, RegisterHandler};
constexpr Check kGotoTargetCheck{{}, ResolveGoto};

constexpr std::array<StatementCheck, kKindLimit> MakeChecks() {
  std::array<StatementCheck, kKindLimit> t{};
#define BRINDLE_CHECK(NAME, code, role, counter, statement, function, check, caption, ...) \
  t[KW_##NAME] = {caption, &k##check##Check};
  BRINDLE_STATEMENTS(BRINDLE_CHECK)
#undef BRINDLE_CHECK
  return t;
}
constexpr std::array<StatementCheck, kKindLimit> kChecks = MakeChecks();

// A message box without a caption would not tell which statement failed.
constexpr bool EveryRowCheckHasACaption() {
  for (const StatementCheck& c : kChecks) {
    if (c.check != nullptr && !c.check->rows.empty() && c.caption.empty()) return false;
  }
  return true;
}
static_assert(EveryRowCheckHasACaption(), "a keyword checked by rows has no caption");

unsigned ClassOf(int kind) {
  switch (kind) {
    case TK_IDENT:
      return kName;
    case TK_NUMBER:
      return kNumber;
    case TK_STRING:
      return kString;
    case TK_LPAREN:
      return kParen;
    case TK_LBRACKET:
      return kBracket;
    case TK_COMMA:
      return kComma;
    case TK_AMP:
    case TK_BAR:
      return kJoin;
    default:
      return 0;
  }
}

// Operators are matched as a part of the operator string, so a two-character comparison such
// as "<=" passes here with its first character and fails on the next row.
Fault RunRows(const TokenTable& tokens, const StatementCheck& check, int p, int line) {
  for (const Row& row : check.check->rows) {
    const int q = p + row.offset;
    const std::string& text = tokens.text[q];
    bool ok;
    if (row.accept == 0) {
      ok = row.operators.find(text) != std::string_view::npos;
    } else {
      ok = (ClassOf(tokens.kind[q]) & row.accept) != 0;
    }
    if (row.accept == kJoin) {
      if (!ok) return std::nullopt;
      continue;
    }
    if (!ok) {
      const int at = row.shown ? p + row.shown : q;
      return FoundAt(msg::ArgumentFault(check.caption, row.fault, tokens.text[at], line), at);
    }
  }
  return std::nullopt;
}

}  // namespace

Fault CheckStatement(const PrePassTables& t, int p, int line) {
  const int kind = t.tokens.kind[p];
  if (kind < 0 || kind >= kKindLimit || kChecks[kind].check == nullptr) return std::nullopt;
  const StatementCheck& check = kChecks[kind];
  if (Fault fault = RunRows(t.tokens, check, p, line)) return fault;
  return check.check->then != nullptr ? check.check->then(t, p, line) : std::nullopt;
}

}  // namespace brindle

// Shape checks of statement arguments. They look only at token kinds (and at the operator
// texts of IF and WHILE) at fixed offsets after the keyword; expressions are not parsed.
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

struct StatementCheck {
  int keyword;
  std::string_view caption;
  std::span<const Row> rows;
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

constexpr StatementCheck kChecks[] = {
    {KW_MOUSEX, "ERROR~MOUSEX", kEventValueRows},
    {KW_MOUSEY, "ERROR~MOUSEY", kEventValueRows},
    {KW_HWPARAM, "ERROR~HWPARAM", kEventValueRows},
    {KW_HLPARAM, "ERROR~HLPARAM", kEventValueRows},
    {KW_PRINT, "ERROR~print", kFirstArgumentRows},
    {KW_PSET, "ERROR~PSET", kFirstArgumentRows},
    {KW_LINE, "ERROR~LINE", kFirstArgumentRows},
    {KW_RECT, "ERROR~RECT", kRectRows},
    {KW_IF, "ERROR~IF", kIfRows},
    {KW_WHILE, "ERROR~WHILE", kWhileRows},
    {KW_RND, "ERROR~RND", kCallRows},
    {KW_SIN, "ERROR~SIN", kCallRows},
    {KW_COS, "ERROR~COS", kCallRows},
    {KW_TAN, "ERROR~TAN", kCallRows},
    {KW_RAND, "ERROR~RAND", kCallRows},
    {KW_STRS, "ERROR~STRS", kStrsRows},
    {KW_WCOLOR, "ERR~WCOLOR", kColorRows},
    {KW_FCOLOR, "ERR~FCOLOR", kColorRows},
    {KW_BCOLOR, "ERR~BCOLOR", kColorRows},
    {KW_LOADIMG, "ERR-LoadImg", kLoadImageRows},
    {KW_SHOWIMG, "ERR-ShowImg", kShowImageRows},
};

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
  for (const Row& row : check.rows) {
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
  if (kind == KW_WINMSG) return RegisterHandler(t, p, line);
  if (kind == KW_GOTO) return ResolveGoto(t, p, line);
  for (const StatementCheck& check : kChecks) {
    if (check.keyword != kind) continue;
    if (Fault fault = RunRows(t.tokens, check, p, line)) return fault;
    if (kind == KW_WHILE) t.blocks.while_mark[p] = p;
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace brindle

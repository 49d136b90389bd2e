#include "expr/dump_program.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string>

#include "lang/keywords.h"
#include "lang/token_kinds.h"

namespace brindle {
namespace {

constexpr const char* kDirectOpNames[] = {
#define BRINDLE_DIRECT_NAME(name, where) #name,
    BRINDLE_DIRECT_OPS(BRINDLE_DIRECT_NAME)
#undef BRINDLE_DIRECT_NAME
};

// The instruction's name padded to a column, so that the operands line up.
void AppendLine(std::string& out, std::string_view indent, size_t index, std::string_view name,
                const std::string& operands) {
  char number[16];
  std::snprintf(number, sizeof number, "%3zu  ", index);
  out.append(indent).append(number).append(name);
  if (!operands.empty()) {
    out.append(name.size() < 18 ? 18 - name.size() : 1, ' ').append(operands);
  }
  out.push_back('\n');
}

std::string VarName(const CodeNames& names, int var) {
  const auto& symbols = names.image.symbols;
  if (var <= 0 || var > symbols.var_count) return "(none)";
  return symbols.var_name[var];
}

std::string ArrayName(const CodeNames& names, int array) {
  const auto& symbols = names.image.symbols;
  if (array <= 0 || array > symbols.array_count) return "(none)";
  return symbols.array_name[array];
}

// A token read when the program runs (a count of LSTR, RSTR or MSTR), as written.
std::string TokenText(const CodeNames& names, int position) {
  if (position == 0) return "(no token: 0)";
  return names.image.tokens.text[position];
}

std::string StackOperands(const Instruction& i, const CodeNames& names) {
  switch (i.op) {
    case Op::kNumber:
      return NumberText(i.f);
    case Op::kVar:
    case Op::kPtrVar:
    case Op::kStrVar:
    case Op::kStoreVar:
    case Op::kStorePtr:
      return VarName(names, i.a);
    case Op::kNumElement:
    case Op::kPtrElement:
    case Op::kStrElement:
    case Op::kStoreNumElement:
    case Op::kStorePtrElement:
      return ArrayName(names, i.a) + "[]";
    case Op::kFunction:
      return KeywordText(i.a);
    case Op::kText:
      return QuotedText(names.image.tokens.text[i.a]);
    case Op::kTypeError:
      return "the number " + names.image.tokens.text[i.a] + " as a text";
    case Op::kLeft:
    case Op::kRight:
      return VarName(names, i.a) + ", count " + TokenText(names, i.b);
    case Op::kMid:
      return VarName(names, i.a) + ", start " + TokenText(names, i.b) + ", length " +
             TokenText(names, i.c);
    case Op::kCompareNumbers: {
      // A missing operand compares as 0.
      std::string text = std::string(i.b & 1 ? "left" : "0") + " " + OperatorText(i.a) + " " +
                         (i.b & 2 ? "right" : "0");
      if (i.c != 0) text += ", dropping " + std::to_string(i.c) + " text";
      return text;
    }
    case Op::kCompareTexts:
      return OperatorText(i.a) +
             (i.b != 0 ? ", dropping " + std::to_string(i.b) + " number first" : "");
    case Op::kCompareStrVarText:
      return VarName(names, i.a) + " " + OperatorText(i.b) + " " +
             QuotedText(names.image.tokens.text[i.c]);
    case Op::kAdd:
    case Op::kSubtract:
    case Op::kMultiply:
    case Op::kDivide:
    case Op::kIntegerDivide:
    case Op::kPower:
    case Op::kNegate:
    case Op::kDropNumber:
    case Op::kVal:
    case Op::kEmptyText:
    case Op::kStrs:
    case Op::kChrs:
    case Op::kConcat:
    case Op::kDropText:
    case Op::kAnd:
    case Op::kOr:
      return "";
  }
  return "";
}

// Names the cells of one three-address program.
class CellNames {
 public:
  CellNames(const Program& program, const CodeNames& names)
      : direct_(*program.direct), names_(names), cell_count_(2 * program.code.size() + 1) {}

  std::string operator()(const float* cell) const {
    const float* vars = names_.var_cells;
    if (cell >= vars && cell <= vars + names_.image.symbols.var_count) {
      return VarName(names_, static_cast<int>(cell - vars));
    }
    const float* cells = direct_.cells.get();
    if (cell < cells || cell >= cells + cell_count_) return "?";
    if (cell == cells) return "0";
    const bool result = std::any_of(direct_.code.begin(), direct_.code.end(),
                                    [&](const DirectInstruction& i) { return i.out == cell; });
    return result ? "t" + std::to_string(cell - cells) : NumberText(*cell);
  }

 private:
  const DirectProgram& direct_;
  const CodeNames& names_;
  size_t cell_count_;
};

std::string ArithmeticSign(DirectOp op) {
  switch (op) {
    case DirectOp::kAdd:
    case DirectOp::kNumElementAdd:
      return "+";
    case DirectOp::kSubtract:
    case DirectOp::kNumElementSubtract:
      return "-";
    case DirectOp::kMultiply:
    case DirectOp::kNumElementMultiply:
      return "*";
    case DirectOp::kDivide:
    case DirectOp::kNumElementDivide:
      return "/";
    case DirectOp::kIntegerDivide:
      return "%";
    case DirectOp::kPower:
      return "^";
    case DirectOp::kAnd:
      return "&";
    case DirectOp::kOr:
      return "|";
    case DirectOp::kLess:
      return "<";
    case DirectOp::kGreater:
      return ">";
    case DirectOp::kEqual:
      return "=";
    case DirectOp::kNotEqual:
      return "!";
    default:
      return "?";
  }
}

// What the instruction computes, as "result <- value".
std::string DirectOperands(const DirectInstruction& i, const CellNames& cell,
                           const CodeNames& names) {
  const std::string out = i.out != nullptr ? cell(i.out) + " <- " : "";
  switch (i.op) {
    case DirectOp::kMove:
      return out + cell(i.a);
    case DirectOp::kAdd:
    case DirectOp::kSubtract:
    case DirectOp::kMultiply:
    case DirectOp::kDivide:
    case DirectOp::kIntegerDivide:
    case DirectOp::kPower:
    case DirectOp::kAnd:
    case DirectOp::kOr:
    case DirectOp::kLess:
    case DirectOp::kGreater:
    case DirectOp::kEqual:
    case DirectOp::kNotEqual:
      return out + cell(i.a) + " " + ArithmeticSign(i.op) + " " + cell(i.b);
    case DirectOp::kNegate:
      return out + "-" + cell(i.a);
    case DirectOp::kFunction:
      return out + KeywordText(i.x) + " " + cell(i.a);
    case DirectOp::kStrVarEqualsText:
    case DirectOp::kStrVarDiffersText:
      return out + VarName(names, i.x) + (i.op == DirectOp::kStrVarEqualsText ? " = " : " ! ") +
             QuotedText(names.image.tokens.text[i.index]);
    case DirectOp::kPtrVar:
      return out + VarName(names, i.x);
    case DirectOp::kNumElement:
    case DirectOp::kPtrElement:
      return out + ArrayName(names, i.x) + "[" + cell(i.a) + "]";
    case DirectOp::kNumElementAt:
    case DirectOp::kPtrElementAt:
      return out + ArrayName(names, i.x) + "[" + std::to_string(i.index) + "]";
    case DirectOp::kStorePtr:
      return VarName(names, i.x) + " <- " + cell(i.a);
    case DirectOp::kStoreNumElement:
    case DirectOp::kStorePtrElement:
      return ArrayName(names, i.x) + "[" + cell(i.a) + "] <- " + cell(i.b);
    case DirectOp::kNumElementAdd:
    case DirectOp::kNumElementSubtract:
    case DirectOp::kNumElementMultiply:
    case DirectOp::kNumElementDivide: {
      const std::string element = ArrayName(names, i.x) + "[" + cell(i.a) + "]";
      return element + " <- " + element + " " + ArithmeticSign(i.op) + " " + cell(i.b);
    }
    case DirectOp::kEnd:
      return "value " + cell(i.a);
  }
  return "";
}

}  // namespace

std::string QuotedText(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x7f || c == '\\') {
      char escape[8];
      std::snprintf(escape, sizeof escape, c == '\\' ? "\\\\" : "\\x%02x", byte);
      quoted += escape;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

std::string NumberText(float f) {
  char text[32];
  const auto [end, error] = std::to_chars(text, text + sizeof text, f);
  return error == std::errc() ? std::string(text, end) : "?";
}

std::string OperatorText(int kind) {
  switch (kind) {
    case TK_EQUAL:
      return "=";
    case TK_LESS:
      return "<";
    case TK_GREATER:
      return ">";
    case TK_BANG:
      return "!";
    case TK_AMP:
      return "&";
    case TK_BAR:
      return "|";
    default:
      return "(kind " + std::to_string(kind) + ")";
  }
}

std::string KeywordText(int code) {
  for (const Keyword& keyword : kKeywords) {
    if (keyword.code == code) return std::string(keyword.text);
  }
  return "(keyword " + std::to_string(code) + ")";
}

void AppendStackCode(const Program& program, const CodeNames& names, std::string_view indent,
                     std::string& out) {
  for (size_t k = 0; k < program.code.size(); ++k) {
    const Instruction& i = program.code[k];
    AppendLine(out, indent, k, FactsOf(i.op).name, StackOperands(i, names));
  }
}

void AppendDirectCode(const Program& program, const CodeNames& names, std::string_view indent,
                      std::string& out) {
  const CellNames cells(program, names);
  const DirectProgram& direct = *program.direct;
  for (size_t k = 0; k < direct.code.size(); ++k) {
    const DirectInstruction& i = direct.code[k];
    AppendLine(out, indent, k, kDirectOpNames[static_cast<int>(i.op)],
               DirectOperands(i, cells, names));
  }
}

}  // namespace brindle

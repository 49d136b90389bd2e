// Compiled expressions. An expression's parse depends only on the tokens, their bindings and
// where the cursor stands when evaluation starts, never on values, so each expression is
// parsed once, at its first evaluation, into a flat program that a small stack machine runs.
// The program also records where the parse left the cursor.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/token_facts.h"

namespace brindle {

enum class Op : uint8_t {
  // Numbers (on the number stack).
  kNumber,      // push f
  kVar,         // push the VAR variable a
  kPtrVar,      // push the PTR variable a, as a float
  kNumElement,  // pop an index; push element of VAR array a
  kPtrElement,  // pop an index; push element of PTR array a, as a float
  kFunction,    // pop x; push the function (keyword a) of x
  kAdd,
  kSubtract,
  kMultiply,
  kDivide,
  kIntegerDivide,
  kPower,
  kNegate,
  kDropNumber,  // a later operand form replaced the value
  kVal,         // pop a string; push its number value
  // Strings (on the string stack).
  kEmptyText,   // push ""
  kText,        // push the text of token a (a string literal)
  kStrVar,      // push the STR variable a
  kStrElement,  // pop an index (number stack); push element of STR array a
  kStrs,        // pop a number; push its text
  kChrs,        // pop a number; push the one-byte string of its low byte
  kLeft,        // push LSTR of STR variable a (0: none) with the count token b
  kRight,       // push RSTR of the same
  kMid,         // push MSTR: source a, start token b (0: start 0), length token c
  kConcat,      // pop b, pop a; push a followed by b
  kDropText,
  kTypeError,  // a number literal (token a) where a string belongs: the run ends
  // Conditions (truth values -1 and 0 on the number stack).
  kCompareNumbers,  // pop b, pop a; push a op b (op: token kind a)
  kCompareTexts,    // pop b, pop a (strings); push a op b
  kAnd,
  kOr,
  // Fused by Optimize: an arithmetic operator whose right operand is a variable or a number.
  kAddVar,
  kSubtractVar,
  kMultiplyVar,
  kDivideVar,
  kAddNumber,
  kSubtractNumber,
  kMultiplyNumber,
  kDivideNumber,
  // Fused by Optimize from a variable push and one of the operators above: push var a op f, or
  // var a op var b.
  kVarAddNumber,
  kVarSubtractNumber,
  kVarMultiplyNumber,
  kVarDivideNumber,
  kVarAddVar,
  kVarSubtractVar,
  kVarMultiplyVar,
  kVarDivideVar,
  // Assignments compiled whole: the value is popped into a variable.
  kStoreVar,  // VAR variable a
  kStorePtr,  // PTR variable a, the value rounded by ToInteger
};

struct Instruction {
  Op op;
  int32_t a = 0;
  int32_t b = 0;
  int32_t c = 0;
  float f = 0.0f;
};

struct Program {
  std::vector<Instruction> code;
  TokenCursor end;       // where the cursor stands when the expression has been read
  int number_depth = 0;  // the most values each stack holds at once
  int text_depth = 0;
  // A text program that begins by pushing this STR variable, reads it nowhere else, never
  // drops it and cannot fail but by growing too long: "s = s + ..." may then take the
  // variable's text instead of copying it, which makes building a string by appending linear
  // instead of quadratic, and give it back cut to its old length if the run is abandoned.
  // 0 for the others.
  int32_t takes_var = 0;
};

// Which grammar rule an evaluation starts with.
// kAssignment reads a whole "name = sum" statement for a VAR or PTR variable, and the ones
// that directly follow it.
enum class Rule : uint8_t { kSum, kFactor, kText, kTextItem, kCondition, kAssignment };

// Fuses an operand push with the operator that consumes it, which halves the instructions of
// the common "a + 1" and "s + i * 2".
void Optimize(Program& program);

// Fills takes_var.
void FindTakenVariable(Program& program);

}  // namespace brindle

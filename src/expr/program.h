// Compiled expressions. An expression's parse depends only on the tokens, their bindings and
// where the cursor stands when evaluation starts, never on values, so each expression is
// parsed once, at its first evaluation, into a flat program that a small stack machine runs.
// The program also records where the parse left the cursor.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "expr/direct.h"
#include "expr/opcodes.h"
#include "runtime/token_facts.h"

namespace brindle {

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
  // The same program in three-address form, when it has no texts (never on the slow paths).
  std::unique_ptr<DirectProgram> direct;
};

// Which grammar rule an evaluation starts with.
// kAssignment reads a whole "name = sum" statement for a VAR or PTR variable, and the ones
// that directly follow it.
enum class Rule : uint8_t { kSum, kFactor, kText, kTextItem, kCondition, kAssignment };
constexpr int kRuleCount = 6;

// Fuses a STR variable compared with a string literal into one instruction that copies
// neither. (Number operands need no fusing: the three-address form reads them in place.)
void Optimize(Program& program);

// Fills number_depth and text_depth from the opcodes' stack effects.
void MeasureDepths(Program& program);

// Fills takes_var.
void FindTakenVariable(Program& program);

}  // namespace brindle

// What a compiled program asks of the machine: the stack depths that choose between the local
// stacks and the heap, and whether "s = s + ..." may take s's text.
#include <gtest/gtest.h>

#include "expr/program.h"
#include "lang/token_kinds.h"

namespace brindle {
namespace {

Program Measured(std::vector<Instruction> code) {
  Program program;
  program.code = std::move(code);
  MeasureDepths(program);
  FindTakenVariable(program);
  return program;
}

TEST(MeasureDepths, AStoreTakesItsValueSoARunOfAssignmentsNeedsOnlyItsDeepest) {
  std::vector<Instruction> code;
  for (int var = 1; var <= 32; ++var) {
    code.push_back({Op::kVar, var});
    code.push_back({Op::kNumber, 0, 0, 0, 2.0f});
    code.push_back({Op::kMultiply});
    code.push_back({Op::kStoreVar, var});
  }
  code.push_back({Op::kPtrVar, 1});
  code.push_back({Op::kStorePtr, 1});
  const Program program = Measured(code);
  EXPECT_EQ(program.number_depth, 2);
  EXPECT_EQ(program.text_depth, 0);
}

// s = 0 | s = "a": the first comparison drops its text operand and compares 0 with the number.
TEST(MeasureDepths, ComparisonsPopTheOperandsTheirInstructionsName) {
  const Program program = Measured({{Op::kStrVar, 1},
                                    {Op::kNumber},
                                    {Op::kCompareNumbers, TK_EQUAL, 2, 1},
                                    {Op::kStrVar, 1},
                                    {Op::kText, 9},
                                    {Op::kCompareTexts, TK_EQUAL, 0},
                                    {Op::kOr}});
  EXPECT_EQ(program.number_depth, 2);
  EXPECT_EQ(program.text_depth, 2);
}

// Which programs may append to s in place is checked for its results by the script cases; a
// program that only reads other variables must still qualify, or building a string by
// appending turns quadratic again.
TEST(FindTakenVariable, TakesTheFirstVariableWhenNothingElseReadsIt) {
  EXPECT_EQ(Measured({{Op::kStrVar, 3}, {Op::kLeft, 4, 7}, {Op::kConcat}}).takes_var, 3);
  EXPECT_EQ(
      Measured({{Op::kStrVar, 3}, {Op::kNumber}, {Op::kStrElement, 3}, {Op::kConcat}}).takes_var,
      3);
  EXPECT_EQ(Measured({{Op::kStrVar, 3}, {Op::kMid, 3, 7, 8}, {Op::kConcat}}).takes_var, 0);
  EXPECT_EQ(Measured({{Op::kText, 5}, {Op::kStrVar, 3}, {Op::kConcat}}).takes_var, 0);
}

}  // namespace
}  // namespace brindle

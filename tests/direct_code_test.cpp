// The three-address form of a program must do exactly what the stack machine does with the
// program it came from: the same value, the same stores, bit for bit, for every value the
// variables may hold (NaN, infinities and -0 included).
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "exec/block_cache.h"
#include "expr/expr_cache.h"
#include "expr/program.h"
#include "expr/vm.h"
#include "lang/keywords.h"
#include "platform/headless/headless.h"
#include "runtime/interpreter.h"

namespace brindle {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
const float kNan = std::numeric_limits<float>::quiet_NaN();
const std::vector<float> kValues = {0.0f,   -0.0f, 1.0f,  -1.5f, 2.5f,    3.0f,   1e30f,
                                    -1e30f, kInf,  -kInf, kNan,  4096.0f, 4097.0f};

// Variables 1 to 3 and the first elements of VAR array 1 and PTR array 2 are what the
// programs read and write.
struct Machines : testing::Test {
  ScriptImage image;
  HeadlessPlatform platform{nullptr};
  Executor in{image, platform, "direct.bas"};

  // The values are set in place: the translated code holds the variables' cells.
  void Start(float a, float b, float c) {
    in.random = RandomState();
    in.values.var_num[1] = a;
    in.values.var_num[2] = b;
    in.values.var_num[3] = c;
    in.values.var_ptr[1] = 7;
    for (int i = 1; i <= 4; ++i) {
      WriteArrayNum(in.values, 1, i, i == 2 ? c : 0.0f);
      WriteArrayPtr(in.values, 2, i, i == 3 ? -4 : 0);
    }
  }

  // What a run leaves: its value, the three variables, the PTR variable and the elements.
  std::vector<uint32_t> Outcome(float value, bool has_value) const {
    std::vector<uint32_t> bits = {has_value ? std::bit_cast<uint32_t>(value) : 0u};
    for (int v = 1; v <= 3; ++v) bits.push_back(std::bit_cast<uint32_t>(in.values.var_num[v]));
    bits.push_back(static_cast<uint32_t>(in.values.var_ptr[1]));
    for (int i = 1; i <= 4; ++i) {
      bits.push_back(std::bit_cast<uint32_t>(ReadArrayNum(in.values, 1, i)));
      bits.push_back(static_cast<uint32_t>(ReadArrayPtr(in.values, 2, i)));
    }
    return bits;
  }

  // Runs the program as written on the stack machine and, fused and translated, on the
  // three-address machine, from every combination of values, and compares what each leaves.
  // An assignment program has no value: what the stack machine leaves on its stack is unused.
  void ExpectSameRuns(const std::vector<Instruction>& code, bool pure, bool has_value = true) {
    Program stack;
    stack.code = code;
    MeasureDepths(stack);
    Program fused;
    fused.code = code;
    Optimize(fused);
    const std::unique_ptr<DirectProgram> direct = MakeDirect(fused, in.values.var_num.data());
    ASSERT_NE(direct, nullptr);
    EXPECT_EQ(direct->pure, pure);
    std::vector<float> numbers(std::max(stack.number_depth, 1));
    for (const float a : kValues) {
      for (const float b : kValues) {
        for (const float c : {0.0f, 2.0f, kNan}) {
          Start(a, b, c);
          const std::vector<uint32_t> expected =
              Outcome((RunStackCode(in, stack, numbers.data(), nullptr), numbers[0]), has_value);
          Start(a, b, c);
          const std::vector<uint32_t> actual = Outcome(RunThreeAddress(in, *direct), has_value);
          ASSERT_EQ(actual, expected) << "a=" << a << " b=" << b << " c=" << c;
        }
      }
    }
  }

  // A condition read as a chain of comparisons, decided by the first that settles it, must
  // give what the three-address machine gives running all of it: -1 or 0, for every value.
  // Null when the condition is not such a chain.
  std::optional<ComparisonChain> ExpectChainAgrees(const std::vector<Instruction>& code) {
    Program fused;
    fused.code = code;
    Optimize(fused);
    direct_ = MakeDirect(fused, in.values.var_num.data());
    EXPECT_NE(direct_, nullptr);
    if (direct_ == nullptr) return std::nullopt;
    const std::optional<ComparisonChain> chain = FindComparisonChain(*direct_);
    if (!chain) return chain;
    for (const float a : kValues) {
      for (const float b : kValues) {
        for (const float c : {0.0f, 2.0f, kNan, -kInf}) {
          Start(a, b, c);
          const float whole = RunPureCode(direct_->code.data());
          EXPECT_EQ(std::bit_cast<uint32_t>(whole),
                    std::bit_cast<uint32_t>(ChainHolds(*chain) ? -1.0f : 0.0f))
              << "a=" << a << " b=" << b << " c=" << c;
        }
      }
    }
    return chain;
  }
  std::unique_ptr<DirectProgram> direct_;
};

TEST_F(Machines, ArithmeticWithVariablesAndNumbers) {
  // 1 - a * 2 + b / a - (c % b) ^ 2, negated
  ExpectSameRuns({{Op::kNumber, 0, 0, 0, 1.0f},
                  {Op::kVar, 1},
                  {Op::kNumber, 0, 0, 0, 2.0f},
                  {Op::kMultiply},
                  {Op::kSubtract},
                  {Op::kVar, 2},
                  {Op::kVar, 1},
                  {Op::kDivide},
                  {Op::kAdd},
                  {Op::kVar, 3},
                  {Op::kVar, 2},
                  {Op::kIntegerDivide},
                  {Op::kNumber, 0, 0, 0, 2.0f},
                  {Op::kPower},
                  {Op::kSubtract},
                  {Op::kNegate}},
                 false);
}

TEST_F(Machines, ComparisonsJoinedWithMissingOperands) {
  // a < b | a > 3 & b = c | a ! a, and comparisons with their left or right operand missing
  ExpectSameRuns({{Op::kVar, 1},
                  {Op::kVar, 2},
                  {Op::kCompareNumbers, TK_LESS, 3},
                  {Op::kVar, 1},
                  {Op::kNumber, 0, 0, 0, 3.0f},
                  {Op::kCompareNumbers, TK_GREATER, 3},
                  {Op::kVar, 2},
                  {Op::kVar, 3},
                  {Op::kCompareNumbers, TK_EQUAL, 3},
                  {Op::kAnd},
                  {Op::kOr},
                  {Op::kVar, 1},
                  {Op::kVar, 1},
                  {Op::kCompareNumbers, TK_BANG, 3},
                  {Op::kOr},
                  {Op::kVar, 2},
                  {Op::kCompareNumbers, TK_LESS, 1},
                  {Op::kOr},
                  {Op::kVar, 2},
                  {Op::kCompareNumbers, TK_GREATER, 2},
                  {Op::kAnd}},
                 true);
}

TEST_F(Machines, AssignmentsThatReadWhatTheOnesBeforeStored) {
  // a = b + 1 : c = a : b = b : a = a * a - c : p = a
  ExpectSameRuns({{Op::kVar, 2},
                  {Op::kNumber, 0, 0, 0, 1.0f},
                  {Op::kAdd},
                  {Op::kStoreVar, 1},
                  {Op::kVar, 1},
                  {Op::kStoreVar, 3},
                  {Op::kVar, 2},
                  {Op::kStoreVar, 2},
                  {Op::kVar, 1},
                  {Op::kVar, 1},
                  {Op::kMultiply},
                  {Op::kVar, 3},
                  {Op::kSubtract},
                  {Op::kStoreVar, 1},
                  {Op::kVar, 1},
                  {Op::kStorePtr, 1}},
                 false, false);
}

TEST_F(Machines, ElementsFunctionsAndPtrValues) {
  // n[a] = n[2] + p[b] + SQR ABS c + INT a + p : q[a + 1] = FRAC b + p[3]
  ExpectSameRuns({{Op::kVar, 1},
                  {Op::kNumber, 0, 0, 0, 2.0f},
                  {Op::kNumElement, 1},
                  {Op::kVar, 2},
                  {Op::kPtrElement, 2},
                  {Op::kAdd},
                  {Op::kVar, 3},
                  {Op::kFunction, KW_ABS},
                  {Op::kFunction, KW_SQR},
                  {Op::kAdd},
                  {Op::kVar, 1},
                  {Op::kFunction, KW_INT},
                  {Op::kAdd},
                  {Op::kPtrVar, 1},
                  {Op::kAdd},
                  {Op::kStoreNumElement, 1},
                  {Op::kVar, 1},
                  {Op::kNumber, 0, 0, 0, 1.0f},
                  {Op::kAdd},
                  {Op::kVar, 2},
                  {Op::kFunction, KW_FRAC},
                  {Op::kNumber, 0, 0, 0, 3.0f},
                  {Op::kPtrElement, 2},
                  {Op::kAdd},
                  {Op::kStorePtrElement, 2}},
                 false, false);
}

// n[a] = n[a] op b is one instruction, which gives what the read, the operation and the store
// give, for every index (NaN, infinities, halves, out of range) and value.
TEST_F(Machines, ElementUpdatesAreFusedAndExact) {
  const std::vector<std::pair<Op, DirectOp>> updates = {
      {Op::kAdd, DirectOp::kNumElementAdd},
      {Op::kSubtract, DirectOp::kNumElementSubtract},
      {Op::kMultiply, DirectOp::kNumElementMultiply},
      {Op::kDivide, DirectOp::kNumElementDivide}};
  for (const auto& [op, fused] : updates) {
    const std::vector<Instruction> code = {{Op::kVar, 1}, {Op::kVar, 1}, {Op::kNumElement, 1},
                                           {Op::kVar, 2}, {op},          {Op::kStoreNumElement, 1}};
    Program program;
    program.code = code;
    const std::unique_ptr<DirectProgram> direct = MakeDirect(program, in.values.var_num.data());
    ASSERT_NE(direct, nullptr);
    ASSERT_EQ(direct->code.size(), 2u);
    EXPECT_EQ(direct->code[0].op, fused);
    ExpectSameRuns(code, false, false);
  }
  // With another index, or the element on the right of the operation, there is nothing to fuse.
  for (const std::vector<Instruction>& code :
       {std::vector<Instruction>{{Op::kVar, 1},
                                 {Op::kVar, 2},
                                 {Op::kNumElement, 1},
                                 {Op::kVar, 2},
                                 {Op::kSubtract},
                                 {Op::kStoreNumElement, 1}},
        std::vector<Instruction>{{Op::kVar, 1},
                                 {Op::kVar, 2},
                                 {Op::kVar, 1},
                                 {Op::kNumElement, 1},
                                 {Op::kSubtract},
                                 {Op::kStoreNumElement, 1}}}) {
    Program program;
    program.code = code;
    const std::unique_ptr<DirectProgram> direct = MakeDirect(program, in.values.var_num.data());
    ASSERT_NE(direct, nullptr);
    EXPECT_EQ(direct->code.size(), 4u);
    ExpectSameRuns(code, false, false);
  }
}

TEST_F(Machines, RandomNumbersComeInTheSameOrder) {
  // RND 0 - RND 0 * a: the draws happen in the stack code's order
  ExpectSameRuns({{Op::kNumber},
                  {Op::kFunction, KW_RND},
                  {Op::kNumber},
                  {Op::kFunction, KW_RND},
                  {Op::kVar, 1},
                  {Op::kMultiply},
                  {Op::kSubtract},
                  {Op::kVar, 2},
                  {Op::kDropNumber}},
                 false);
}

// Texts stay with the stack machine, and so does a store made while values wait on the stack
// (no statement compiles to one, but the translation must not assume it).
TEST_F(Machines, ProgramsWithTextsOrEarlyStoresAreNotTranslated) {
  Program text;
  text.code = {{Op::kStrVar, 1}, {Op::kVal}};
  EXPECT_EQ(MakeDirect(text, in.values.var_num.data()), nullptr);
  Program early;
  early.code = {{Op::kVar, 1}, {Op::kVar, 2}, {Op::kStoreVar, 1}, {Op::kStoreVar, 2}};
  EXPECT_EQ(MakeDirect(early, in.values.var_num.data()), nullptr);
}

}  // namespace
TEST_F(Machines, ConditionsOfComparisonsAreDecidedByTheFirstThatSettlesThem) {
  // a < b | a > 3 | c = b: any
  auto chain = ExpectChainAgrees({{Op::kVar, 1},
                                  {Op::kVar, 2},
                                  {Op::kCompareNumbers, TK_LESS, 3},
                                  {Op::kVar, 1},
                                  {Op::kNumber, 0, 0, 0, 3.0f},
                                  {Op::kCompareNumbers, TK_GREATER, 3},
                                  {Op::kVar, 3},
                                  {Op::kVar, 2},
                                  {Op::kCompareNumbers, TK_EQUAL, 3},
                                  {Op::kOr},
                                  {Op::kOr}});
  ASSERT_TRUE(chain);
  EXPECT_TRUE(chain->any);
  EXPECT_EQ(chain->count, 3);
  // a > 0 & a < b & b ! c & c = 1: all
  chain = ExpectChainAgrees({{Op::kVar, 1},
                             {Op::kNumber, 0, 0, 0, 0.0f},
                             {Op::kCompareNumbers, TK_GREATER, 3},
                             {Op::kVar, 1},
                             {Op::kVar, 2},
                             {Op::kCompareNumbers, TK_LESS, 3},
                             {Op::kVar, 2},
                             {Op::kVar, 3},
                             {Op::kCompareNumbers, TK_BANG, 3},
                             {Op::kVar, 3},
                             {Op::kNumber, 0, 0, 0, 1.0f},
                             {Op::kCompareNumbers, TK_EQUAL, 3},
                             {Op::kAnd},
                             {Op::kAnd},
                             {Op::kAnd}});
  ASSERT_TRUE(chain);
  EXPECT_FALSE(chain->any);
  EXPECT_EQ(chain->count, 4);
  // One comparison, its right operand missing.
  chain = ExpectChainAgrees({{Op::kVar, 2}, {Op::kCompareNumbers, TK_LESS, 1}});
  ASSERT_TRUE(chain);
  EXPECT_EQ(chain->count, 1);
}

TEST_F(Machines, ConditionsWithMixedJoinsOrSumsAreNoChains) {
  // a < b & b < c | c < a: the joins differ
  EXPECT_FALSE(ExpectChainAgrees({{Op::kVar, 1},
                                  {Op::kVar, 2},
                                  {Op::kCompareNumbers, TK_LESS, 3},
                                  {Op::kVar, 2},
                                  {Op::kVar, 3},
                                  {Op::kCompareNumbers, TK_LESS, 3},
                                  {Op::kVar, 3},
                                  {Op::kVar, 1},
                                  {Op::kCompareNumbers, TK_LESS, 3},
                                  {Op::kOr},
                                  {Op::kAnd}}));
  // a + 1 < b: a sum before the comparison
  EXPECT_FALSE(ExpectChainAgrees({{Op::kVar, 1},
                                  {Op::kNumber, 0, 0, 0, 1.0f},
                                  {Op::kAdd},
                                  {Op::kVar, 2},
                                  {Op::kCompareNumbers, TK_LESS, 3}}));
  // a: no comparison at all (read as 0)
  EXPECT_FALSE(ExpectChainAgrees({{Op::kVar, 1}, {Op::kDropNumber}, {Op::kNumber}}));
}

}  // namespace brindle

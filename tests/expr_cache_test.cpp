// The expression cache keeps a program for each way a place is read: with the cursor's copies
// describing the token read there (most readings), another token (an element's index, read
// while the copies still describe the array's name), or a third one. Each kept program must
// give what compiling afresh gives.
#include "expr/expr_cache.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string_view>

#include "exec/block_cache.h"
#include "expr/eval.h"
#include "frontend/tokenizer.h"
#include "platform/headless/headless.h"
#include "prepass/prepass.h"

namespace brindle {
namespace {

struct ReadTwice : testing::Test {
  ScriptImage image;
  HeadlessPlatform platform{nullptr};
  Executor in{image, platform, "cache.bas"};

  void SetUp() override {
    constexpr std::string_view kScript = "VAR a, b\nb = 7\na = b * 3 + 2\n";
    const TokenizeResult tokenized = Tokenize(kScript, image.tokens);
    ASSERT_EQ(tokenized.error, TokenizerError::kNone);
    image.tokens.count = tokenized.token_count;
    ASSERT_FALSE(PrePass({image.tokens, image.symbols, image.blocks}));
    ComputeTokenFacts(image.tokens, image.symbols, image.facts);
    in.values.var_num[2] = 7.0f;
  }

  // The sum at `position` read with the copies describing `copied`, kept or afresh.
  uint32_t Sum(int position, int copied, bool afresh) {
    in.slow_paths = afresh;
    in.cursor = {position, copied};
    const float value = EvalNum(in);
    in.slow_paths = false;
    return std::bit_cast<uint32_t>(value);
  }
};

TEST_F(ReadTwice, EachWayOfReadingAPlaceKeepsItsOwnProgram) {
  int sum = 0;  // the "b" after "a ="
  for (int p = 1; p <= image.tokens.count; ++p) {
    if (image.facts.info[p].op == '*') sum = p - 1;
  }
  ASSERT_GT(sum, 3);
  const ExprCache& cache = ExprCacheOf(in);
  for (int round = 0; round < 2; ++round) {  // compiled, then kept
    for (const int copied : {sum, sum - 1, sum - 2, sum - 3}) {
      EXPECT_EQ(Sum(sum, copied, false), Sum(sum, copied, true)) << copied;
    }
  }
  EXPECT_NE(cache.by_position[static_cast<int>(Rule::kSum)][sum], nullptr);
  EXPECT_EQ(cache.stale_by_position[static_cast<int>(Rule::kSum)][sum].cur, sum - 1);
  EXPECT_EQ(cache.others.size(), 2u);
  EXPECT_EQ(cache.programs.size(), 4u);
}

}  // namespace
}  // namespace brindle

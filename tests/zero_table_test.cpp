// The per-position tables: every cell reads as zero until written, whatever the size, and
// copies and moves keep what was written.
#include "frontend/zero_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

namespace brindle {
namespace {

TEST(ZeroTable, CellsReadZeroUntilWrittenAndCopiesKeepWhatWasWritten) {
  ZeroTable<int32_t> table(100000);
  ASSERT_EQ(table.size(), 100000u);
  int64_t sum = 0;
  for (const int32_t cell : table) sum += cell;
  EXPECT_EQ(sum, 0);
  table[0] = 7;
  table[99999] = -3;
  const ZeroTable<int32_t> copy = table;
  table[0] = 1;
  EXPECT_EQ(copy[0], 7);
  EXPECT_EQ(copy[99999], -3);
  EXPECT_EQ(copy[50000], 0);

  ZeroTable<int32_t> moved = std::move(table);
  EXPECT_EQ(moved[0], 1);
  EXPECT_EQ(table.size(), 0u);  // NOLINT(bugprone-use-after-move): a moved-from table is empty
  ZeroTable<const void*> pointers(10);
  EXPECT_EQ(pointers[9], nullptr);
}

}  // namespace
}  // namespace brindle

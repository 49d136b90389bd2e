// The per-position tables: every cell reads as zero until written, whatever the size, and
// copies and moves keep what was written; the memory under them is shared, reused zeroed, and
// given back to the system when the last table on it goes.
#include "frontend/zero_table.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <thread>
#include <utility>
#include <vector>

#include "frontend/zero_arena.h"

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

bool AllZero(const void* block, size_t bytes) {
  const auto* p = static_cast<const unsigned char*>(block);
  for (size_t i = 0; i < bytes; ++i) {
    if (p[i] != 0) return false;
  }
  return true;
}

// The arena lies under the tables only where no sanitizer checks heap bounds.
bool TablesUseTheArena() {
  const ZeroArenaCounts before = CountZeroArena();
  const ZeroTable<int> table(1);
  return CountZeroArena().blocks == before.blocks + 1;
}

TEST(ZeroArena, ManyTablesShareOneMappingAndTheLastOneGivesItBack) {
  if (!TablesUseTheArena()) GTEST_SKIP() << "the tables are on the heap in this build";
  const ZeroArenaCounts before = CountZeroArena();
  {
    std::vector<ZeroTable<int32_t>> tables;
    for (int i = 0; i < 20; ++i) tables.emplace_back(4162);
    EXPECT_LE(CountZeroArena().mappings, before.mappings + 1);
    EXPECT_EQ(CountZeroArena().blocks, before.blocks + 20);
    // Whole pages each: writing every cell of one leaves its neighbours zero.
    for (int32_t& cell : tables[7]) cell = -1;
    for (int i = 0; i < 20; ++i) {
      if (i == 7) continue;
      EXPECT_TRUE(AllZero(tables[i].data(), 4162 * sizeof(int32_t))) << i;
    }
  }
  EXPECT_EQ(CountZeroArena().mappings, before.mappings);
  EXPECT_EQ(CountZeroArena().blocks, before.blocks);
}

TEST(ZeroArena, ABlockGivenBackComesBackZero) {
  const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  void* keep = TakeZeroBlock(page);  // holds the mapping while the other block comes and goes
  void* first = TakeZeroBlock(3 * page + 1);
  std::memset(first, 0xa5, 4 * page);
  GiveZeroBlock(first, 3 * page + 1);
  // Blocks given back are reused first: this is the one just given back, or another that
  // earlier tests wrote to and gave back.
  void* again = TakeZeroBlock(4 * page);
  EXPECT_TRUE(AllZero(again, 4 * page));
  // A smaller block from the front of a larger one given back.
  std::memset(again, 0x5a, 4 * page);
  GiveZeroBlock(again, 4 * page);
  void* part = TakeZeroBlock(page);
  EXPECT_TRUE(AllZero(part, page));
  GiveZeroBlock(part, page);
  GiveZeroBlock(keep, page);
}

TEST(ZeroArena, ABlockLargerThanAMappingHasItsOwn) {
  const ZeroArenaCounts before = CountZeroArena();
  const size_t bytes = kZeroMappingBytes + 1;
  auto* block = static_cast<unsigned char*>(TakeZeroBlock(bytes));
  EXPECT_EQ(CountZeroArena().mappings, before.mappings + 1);
  block[0] = 1;
  block[bytes - 1] = 1;
  GiveZeroBlock(block, bytes);
  EXPECT_EQ(CountZeroArena().mappings, before.mappings);
}

// The language server and the debugger make tables on more than one thread.
TEST(ZeroArena, ThreadsTakeAndGiveBlocksAtOnce) {
  const auto work = [] {
    bool zero = true;
    for (int i = 0; i < 300; ++i) {
      const size_t bytes = static_cast<size_t>(1 + i % 5) * 5000;
      auto* block = static_cast<unsigned char*>(TakeZeroBlock(bytes));
      zero = zero && AllZero(block, bytes);
      std::memset(block, 0xff, bytes);
      GiveZeroBlock(block, bytes);
    }
    return zero;
  };
  bool zero_a = false, zero_b = false;
  std::thread a([&] { zero_a = work(); });
  std::thread b([&] { zero_b = work(); });
  a.join();
  b.join();
  EXPECT_TRUE(zero_a);
  EXPECT_TRUE(zero_b);
}

}  // namespace
}  // namespace brindle

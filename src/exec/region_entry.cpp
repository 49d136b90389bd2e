#include "exec/region_entry.h"

namespace brindle {

Flow GoOnFrom(Interpreter& in, int position, Flow flow) {
  if (in.slow_paths || in.each_statement || position >= in.image.tokens.count) return flow;
  RegionSlots*& slots = BlockCacheOf(in).entry_regions[position];
  if (slots == nullptr) slots = &BlockCacheOf(in).entry_slots.emplace_back();
  const Region* region =
      RegionToRun(in, *slots, [&](bool dry) { return CompileEntryRegion(in, position, dry); });
  return region != nullptr ? RunRegion(in, *region) : flow;
}

}  // namespace brindle

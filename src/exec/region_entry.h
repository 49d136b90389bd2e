// When code runs as a region. The statement loop runs code the first times it is reached,
// which compiles its expressions and teaches the block cache where its statements end; code
// that comes round again (a loop, a GOTO's label, a handler) then runs as the region compiled
// from there, until the region leaves.
#pragma once

#include <cstddef>

#include "exec/block_cache.h"
#include "exec/executor.h"
#include "exec/region.h"

namespace brindle {

// A region is made once its code has run this many times; remade when stale a few times at
// most. All the regions together hold at most so many operations (72 bytes each): a script
// of many loops around long functions cannot make them take much memory.
constexpr int kRunsBeforeRegion = 2;
constexpr int kMostRegionCompiles = 8;
constexpr size_t kMostRegionOps = size_t{1} << 20;

// The region to run from the code these slots belong to (made or remade first by `make`,
// given whether it is for runs where no event can come), or null while the statement loop
// should run the code itself.
template <typename Make>
const Region* RegionToRun(Interpreter& in, RegionSlots& slots, Make make) {
  if (in.slow_paths || in.each_statement) return nullptr;
  const bool dry = PumpIsDry(in);
  RegionSlots::Slot& slot = dry ? slots.dry : slots.pumping;
  if (slot.region != nullptr && (!slot.region->stale || slot.compiles == kMostRegionCompiles)) {
    return slot.region;
  }
  if (slot.region == nullptr && slots.runs < kRunsBeforeRegion - 1) {
    ++slots.runs;
    return nullptr;
  }
  BlockCache& blocks = BlockCacheOf(in);
  if (blocks.region_ops >= kMostRegionOps) return slot.region;
  Region& made = blocks.regions.emplace_back(make(dry));
  made.owner = &slots;
  blocks.region_ops += made.ops.size();
  ++slot.compiles;
  slot.region = &made;
  return slot.region;
}

// Where the statement loop goes on from the token after `position` with `flow` (a GOTO's
// label, a handler run's start): runs the region made from there once the code there has
// come round, and gives the flow to go on with, the cursor set; else gives `flow` back with
// the cursor as it is.
Flow GoOnFrom(Interpreter& in, int position, Flow flow);

}  // namespace brindle

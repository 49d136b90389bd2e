// When code runs as a region. The statement loop runs code the first times it is reached,
// which compiles its expressions and teaches the block cache where its statements end; code
// that comes round again by a loop or a GOTO then runs as the region compiled from there,
// until the region leaves. A handler's run is not: its regions cost more to make than they
// save (it is short, and takes new ways on many runs); the loops it runs have theirs.
#pragma once

#include <cstddef>

#include "exec/block_cache.h"
#include "exec/executor.h"
#include "exec/region.h"

namespace brindle {

// A region is made once its code has run this many times. A stale one is remade a few times at
// most, each time after twice as many runs as the last (1, 2, 4 ...), so that code whose runs
// keep finding new ways (a handler with many branches) is compiled a few times over its whole
// run instead of at every run, and each compile finds more of it run. All the regions together
// hold at most so many operations (72 bytes each): a script of many loops around long functions
// cannot make them take much memory.
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
  const int64_t run = ++slots.runs;
  if (slot.region != nullptr &&
      (!slot.region->stale || slot.compiles == kMostRegionCompiles || run < slot.remake_at)) {
    return slot.region;
  }
  if (slot.region == nullptr && run < kRunsBeforeRegion) return nullptr;
  BlockCache& blocks = BlockCacheOf(in);
  if (blocks.region_ops >= kMostRegionOps) return slot.region;
  Region& made = blocks.regions.emplace_back(make(dry));
  made.owner = &slots;
  blocks.region_ops += made.ops.size();
  slot.remake_at = run + (int64_t{1} << slot.compiles);
  ++slot.compiles;
  slot.region = &made;
  return slot.region;
}

}  // namespace brindle

// What the executor learns about the blocks as they first run, and keeps: all of it but the
// statement ends depends only on the tokens, so it holds for every later run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>

#include "exec/loop_head.h"
#include "exec/region.h"
#include "expr/expr_cache.h"
#include "frontend/token_table.h"
#include "frontend/zero_table.h"

namespace brindle {

struct BlockCache {
  // The WHILE heads, by the WHILE's position; null until read.
  ZeroTable<LoopHead*> loop_heads = ZeroTable<LoopHead*>(kCursorLimit + 2);
  std::deque<LoopHead> heads;  // a deque, so that a head never moves
  // Where the scans that pass over untaken branches end, by where they start: a false IF's
  // scan for its ELSE or ENDIF, and a finished branch's scan for its ENDIF. 0 until made.
  ZeroTable<int32_t> else_or_endif_scans = ZeroTable<int32_t>(kCursorLimit + 2);
  ZeroTable<int32_t> endif_scans = ZeroTable<int32_t>(kCursorLimit + 2);
  // From a token that begins no statement, the last of the run of such tokens that it starts;
  // 0 until found.
  ZeroTable<int32_t> quiet_run_ends = ZeroTable<int32_t>(kCursorLimit + 2);
  // The same for the run that begins right after a position, -1 when the token there begins
  // a statement or lies past the script; 0 until found.
  ZeroTable<int32_t> quiet_runs_after = ZeroTable<int32_t>(kCursorLimit + 2);

  // The loops compiled whole; a deque, so that a region never moves, and none is freed, so
  // that one still running (a handler run inside it may remake it) stays whole.
  std::deque<Region> regions;
  size_t region_ops = 0;  // in all of them
  // The regions that go on from a GOTO's label, by the label's position; null until a GOTO
  // has gone there.
  ZeroTable<RegionSlots*> entry_regions = ZeroTable<RegionSlots*>(kCursorLimit + 2);
  std::deque<RegionSlots> entry_slots;
  // Where a statement that a region runs by its own function left the cursor at its first
  // run there (0: not run yet, -1: it went on elsewhere). Not a fact of the tokens alone: the
  // region checks it again on every run.
  ZeroTable<int32_t> statement_ends = ZeroTable<int32_t>(kCursorLimit + 2);
};

// The interpreter a run is made with: with its compiled expressions and what its blocks' first
// runs found.
struct Executor final : Evaluator {
  Executor(const ScriptImage& script, Platform& p, std::string path)
      : Evaluator(script, p, std::move(path)) {}
  BlockCache blocks;
};

inline BlockCache& BlockCacheOf(Interpreter& in) {
  return static_cast<Executor&>(in).blocks;
}
inline const BlockCache& BlockCacheOf(const Interpreter& in) {
  return static_cast<const Executor&>(in).blocks;
}

}  // namespace brindle

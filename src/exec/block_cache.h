// What the executor learns about the blocks as they first run, and keeps: all of it depends
// only on the tokens, so it holds for every later run.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "exec/loop_head.h"
#include "frontend/token_table.h"

namespace brindle {

struct BlockCache {
  // The WHILE heads, by the WHILE's position.
  std::vector<std::unique_ptr<LoopHead>> loop_heads =
      std::vector<std::unique_ptr<LoopHead>>(kCursorLimit + 2);
  // Where the scans that pass over untaken branches end, by where they start: a false IF's
  // scan for its ELSE or ENDIF, and a finished branch's scan for its ENDIF. 0 until made.
  std::vector<int32_t> else_or_endif_scans = std::vector<int32_t>(kCursorLimit + 2);
  std::vector<int32_t> endif_scans = std::vector<int32_t>(kCursorLimit + 2);
};

}  // namespace brindle

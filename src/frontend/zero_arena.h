// Zeroed memory for the per-position tables, carved from a few large mappings shared by all of
// them instead of one mapping each: a run makes some twenty tables, and a mapping of its own for
// each cost two system calls (and a kernel memory area) per table at start and at exit.
//
// A block's pages are only touched, and only cost anything, once a cell on them is read or
// written. Blocks are whole pages, so that a block handed out again can be made zero by giving
// its pages back to the system without touching its neighbours.
#pragma once

#include <cstddef>

namespace brindle {

// Room for every table of a run and of a copy of its script: reserved address space, not
// memory, until a page is touched. A larger block has a mapping of its own.
constexpr size_t kZeroMappingBytes = size_t{4} << 20;

// Bytes of zeroed memory, aligned to a page. Throws std::bad_alloc when none can be had.
void* TakeZeroBlock(size_t bytes);
// Gives back a block from TakeZeroBlock of the same size.
void GiveZeroBlock(void* block, size_t bytes) noexcept;

// What the arena holds now, for the tests.
struct ZeroArenaCounts {
  size_t mappings = 0;  // the large mappings held
  size_t blocks = 0;    // the blocks handed out and not given back
};
ZeroArenaCounts CountZeroArena();

}  // namespace brindle

#include "frontend/zero_arena.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <new>
#include <vector>

namespace brindle {
namespace {

struct Block {
  size_t offset = 0;
  size_t bytes = 0;
};

struct Mapping {
  char* base = nullptr;
  size_t bytes = 0;
  size_t used = 0;           // blocks are carved from the front
  size_t live = 0;           // blocks handed out and not given back
  std::vector<Block> freed;  // given back: their pages may hold old cells
};

// Never destroyed, so that a table that outlives the others at exit can still give its block back.
struct Arena {
  std::mutex mutex;
  std::vector<Mapping> mappings;
};

Arena& TheArena() {
  static Arena* const arena = new Arena;
  return *arena;
}

size_t PageBytes() {
  static const size_t bytes = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  return bytes;
}

// Pages given back read as zero on their next touch.
void MakeZero(char* block, size_t bytes) {
#if defined(__linux__)
  if (madvise(block, bytes, MADV_DONTNEED) == 0) return;
#endif
  std::memset(block, 0, bytes);
}

void* FromFreed(Mapping& m, size_t bytes) {
  const auto fits = std::find_if(m.freed.begin(), m.freed.end(),
                                 [bytes](const Block& b) { return b.bytes >= bytes; });
  if (fits == m.freed.end()) return nullptr;
  char* block = m.base + fits->offset;
  if (fits->bytes == bytes) {
    m.freed.erase(fits);
  } else {
    fits->offset += bytes;
    fits->bytes -= bytes;
  }
  MakeZero(block, bytes);
  ++m.live;
  return block;
}

void* FromFront(Mapping& m, size_t bytes) {
  if (m.bytes - m.used < bytes) return nullptr;
  char* block = m.base + m.used;
  m.used += bytes;
  ++m.live;
  return block;
}

}  // namespace

void* TakeZeroBlock(size_t bytes) {
  const size_t page = PageBytes();
  bytes = (bytes + page - 1) / page * page;
  Arena& arena = TheArena();
  std::lock_guard<std::mutex> lock(arena.mutex);
  // Pages given back first: a process that makes its tables again and again (the language
  // server, the debugger's reruns) keeps reusing the same memory.
  for (Mapping& m : arena.mappings) {
    if (void* block = FromFreed(m, bytes)) return block;
  }
  for (Mapping& m : arena.mappings) {
    if (void* block = FromFront(m, bytes)) return block;
  }
  arena.mappings.reserve(arena.mappings.size() + 1);  // before the mapping could be lost
  Mapping m;
  m.bytes = std::max(bytes, kZeroMappingBytes);
  void* base = mmap(nullptr, m.bytes, PROT_READ | PROT_WRITE,
                    MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (base == MAP_FAILED) throw std::bad_alloc();
  m.base = static_cast<char*>(base);
  void* block = FromFront(m, bytes);
  arena.mappings.push_back(std::move(m));
  return block;
}

void GiveZeroBlock(void* block, size_t bytes) noexcept {
  if (block == nullptr) return;
  const size_t page = PageBytes();
  bytes = (bytes + page - 1) / page * page;
  char* const at = static_cast<char*>(block);
  Arena& arena = TheArena();
  std::lock_guard<std::mutex> lock(arena.mutex);
  const auto holder =
      std::find_if(arena.mappings.begin(), arena.mappings.end(),
                   [at](const Mapping& m) { return at >= m.base && at < m.base + m.bytes; });
  if (holder == arena.mappings.end()) return;
  if (--holder->live == 0) {
    munmap(holder->base, holder->bytes);
    arena.mappings.erase(holder);
    return;
  }
  try {
    holder->freed.push_back(Block{static_cast<size_t>(at - holder->base), bytes});
  } catch (const std::bad_alloc&) {
    // Only the reuse of the block is lost: the mapping still goes when its last block does.
  }
}

ZeroArenaCounts CountZeroArena() {
  Arena& arena = TheArena();
  std::lock_guard<std::mutex> lock(arena.mutex);
  ZeroArenaCounts counts;
  counts.mappings = arena.mappings.size();
  for (const Mapping& m : arena.mappings) counts.blocks += m.live;
  return counts;
}

}  // namespace brindle

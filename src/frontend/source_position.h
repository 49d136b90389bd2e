// Lines and columns of a script, as a user's editor counts them: from 1, a column per byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "frontend/token_table.h"

namespace brindle {

struct SourcePosition {
  int line = 1;
  int column = 1;
};

// Where the lines of a source start, found in one pass over it; each position then costs a
// binary search. Whatever places many offsets (warnings, diagnostics, the faults of handler
// runs) places them with one index: counting line feeds for each would cost the source's
// size for every one. Sources are below 4 GiB (a script at most 16 MiB).
class LineIndex {
 public:
  LineIndex() : LineIndex(std::string_view()) {}
  explicit LineIndex(std::string_view source);

  // The position of the byte at offset (the end of the source for an offset past it).
  SourcePosition At(size_t offset) const;
  // Where token p starts.
  SourcePosition AtToken(const TokenTable& tokens, int p) const;

  // Lines are counted here from 0: a source of n line feeds has n + 1 lines.
  size_t LineCount() const { return starts_.size(); }
  size_t LineStart(size_t line) const { return starts_[line]; }
  // The offset of the line's line feed, or the source's end for the last line.
  size_t LineEnd(size_t line) const;
  size_t SourceSize() const { return size_; }

 private:
  std::vector<uint32_t> starts_;
  size_t size_ = 0;
};

// The position of the byte at offset, for a single position: one pass up to the offset.
SourcePosition PositionAt(std::string_view source, size_t offset);
SourcePosition PositionOfToken(std::string_view source, const TokenTable& tokens, int p);

// The bytes all LineIndex builds and PositionAt calls of the process have read so far: the
// work that placing positions costs, which the tests bound.
uint64_t LineScanBytes();

}  // namespace brindle

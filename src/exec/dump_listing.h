// What the parts of the --dump listing share: the names of the script, the source line and
// column of each token, and the ids the listing gives to what it shows (E1 for an expression,
// H1 for a WHILE head, R1 for a region), so that one entry can refer to another.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "exec/loop_head.h"
#include "exec/region.h"
#include "expr/dump_program.h"
#include "frontend/source_position.h"
#include "runtime/interpreter.h"

namespace brindle {

class Listing {
 public:
  explicit Listing(const Interpreter& interpreter);

  // The line and column where token p starts.
  SourcePosition PositionOf(int p) const;
  // "LINE:COL" of token p; "end" for a position past the last token.
  std::string At(int p) const;
  // The line's text, without its line end.
  std::string_view LineText(int line) const;
  // The source from token first up to (not including) token end, without trailing blanks.
  std::string_view SourceBetween(int first, int end) const;

  std::string ProgramId(const Program* program) const;
  std::string HeadId(const LoopHead* head) const;

  const Interpreter& in;
  const CodeNames names;
  std::unordered_map<const Program*, int> program_ids;
  std::unordered_map<const LoopHead*, int> head_ids;

 private:
  size_t OffsetOf(int p) const;

  LineIndex lines_;
};

// A region's operations, one a line, with their source positions and jumps as op indexes.
void AppendRegionOps(const Region& region, const Listing& listing, std::string& out);

}  // namespace brindle

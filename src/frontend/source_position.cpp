#include "frontend/source_position.h"

#include <algorithm>

namespace brindle {

SourcePosition PositionAt(std::string_view source, size_t offset) {
  const std::string_view before = source.substr(0, std::min(offset, source.size()));
  const size_t last_feed = before.rfind('\n');
  const int line = 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
  const size_t line_start = last_feed == std::string_view::npos ? 0 : last_feed + 1;
  return {line, static_cast<int>(before.size() - line_start) + 1};
}

SourcePosition PositionOfToken(std::string_view source, const TokenTable& tokens, int p) {
  return PositionAt(source, static_cast<size_t>(tokens.offset[p]));
}

}  // namespace brindle

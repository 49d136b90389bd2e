#include "frontend/source_position.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace brindle {
namespace {

std::atomic<uint64_t> scanned_bytes{0};

void CountScan(size_t bytes) {
  scanned_bytes.fetch_add(bytes, std::memory_order_relaxed);
}

}  // namespace

LineIndex::LineIndex(std::string_view source) : size_(source.size()) {
  CountScan(source.size());
  starts_.push_back(0);
  const char* const begin = source.data();
  const char* const end = begin + source.size();
  for (const char* at = begin; at < end;) {
    const void* feed = std::memchr(at, '\n', static_cast<size_t>(end - at));
    if (feed == nullptr) break;
    at = static_cast<const char*>(feed) + 1;
    starts_.push_back(static_cast<uint32_t>(at - begin));
  }
}

SourcePosition LineIndex::At(size_t offset) const {
  offset = std::min(offset, size_);
  const auto after = std::upper_bound(starts_.begin(), starts_.end(), offset);
  const auto line = static_cast<size_t>(after - starts_.begin());  // from 1
  return {static_cast<int>(line), static_cast<int>(offset - starts_[line - 1]) + 1};
}

SourcePosition LineIndex::AtToken(const TokenTable& tokens, int p) const {
  return At(static_cast<size_t>(tokens.offset[p]));
}

size_t LineIndex::LineEnd(size_t line) const {
  return line + 1 < starts_.size() ? starts_[line + 1] - 1 : size_;
}

SourcePosition PositionAt(std::string_view source, size_t offset) {
  const std::string_view before = source.substr(0, std::min(offset, source.size()));
  CountScan(before.size());
  const size_t last_feed = before.rfind('\n');
  const int line = 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
  const size_t line_start = last_feed == std::string_view::npos ? 0 : last_feed + 1;
  return {line, static_cast<int>(before.size() - line_start) + 1};
}

SourcePosition PositionOfToken(std::string_view source, const TokenTable& tokens, int p) {
  return PositionAt(source, static_cast<size_t>(tokens.offset[p]));
}

uint64_t LineScanBytes() {
  return scanned_bytes.load(std::memory_order_relaxed);
}

}  // namespace brindle

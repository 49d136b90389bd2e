#include "lang/reference.h"

#include <algorithm>

#include "lang/text.h"

namespace brindle {

extern const char kReferenceText[];

namespace {

constexpr std::string_view kHeading = "\n## ";

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string_view FirstCodeSpan(std::string_view body) {
  const size_t open = body.find('`');
  if (open == std::string_view::npos) return {};
  const size_t close = body.find('`', open + 1);
  if (close == std::string_view::npos) return {};
  return body.substr(open + 1, close - open - 1);
}

// An entry may end with a picture of what its example draws; a terminal or an editor's hover
// cannot show it, so it is not part of the entry's text.
std::string_view WithoutClosingPicture(std::string_view body) {
  const size_t last_line = body.rfind('\n');
  if (last_line == std::string_view::npos || body.substr(last_line + 1).rfind("![", 0) != 0) {
    return body;
  }
  return Trim(body.substr(0, last_line));
}

std::vector<ReferenceEntry> SplitEntries(std::string_view text) {
  std::vector<ReferenceEntry> entries;
  size_t heading = text.find(kHeading);
  while (heading != std::string_view::npos) {
    const size_t name_start = heading + kHeading.size();
    const size_t line_end = std::min(text.find('\n', name_start), text.size());
    const size_t next = text.find(kHeading, line_end);
    const std::string_view body = WithoutClosingPicture(
        Trim(text.substr(line_end, next == std::string_view::npos ? next : next - line_end)));
    entries.push_back(
        {Trim(text.substr(name_start, line_end - name_start)), FirstCodeSpan(body), body});
    heading = next;
  }
  return entries;
}

}  // namespace

const std::vector<ReferenceEntry>& ReferenceEntries() {
  static const std::vector<ReferenceEntry> entries = SplitEntries(kReferenceText);
  return entries;
}

std::optional<ReferenceEntry> FindReference(std::string_view name) {
  const std::string upper = UpperCase(name);
  for (const ReferenceEntry& entry : ReferenceEntries()) {
    if (entry.name == upper) return entry;
  }
  return std::nullopt;
}

}  // namespace brindle

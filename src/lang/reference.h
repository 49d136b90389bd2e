// The keyword reference: docs/reference.md, compiled in. One entry per keyword, declaring
// keyword and event name, each from its "## NAME" heading to the next.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace brindle {

struct ReferenceEntry {
  std::string_view name;  // as the heading writes it, in capitals
  std::string_view form;  // the entry's first code span: how the keyword is written
  std::string_view body;  // the entry's text after its heading, trimmed
};

// Every entry, in the order of the file.
const std::vector<ReferenceEntry>& ReferenceEntries();

// The entry of a name, in any case.
std::optional<ReferenceEntry> FindReference(std::string_view name);

}  // namespace brindle

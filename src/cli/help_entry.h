// brindle --help KEYWORD: the keyword's entry of the reference (docs/reference.md, compiled
// in), the same text the editors' hover shows.
#pragma once

#include <string_view>

namespace brindle::cli {

// Writes the entry of `name` (any case) to standard output, or says on standard error that
// there is none and lists the names that have one (status 2).
int WriteHelpEntry(std::string_view name);

}  // namespace brindle::cli

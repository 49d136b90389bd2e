// Hints for the words a pre-check fault names when they are no name of the script.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace brindle {

// What the word probably meant: a keyword of other BASICs and how this language says it, or
// the keyword it misspells by one letter. Nothing for any other word.
std::optional<std::string> NameHint(std::string_view word);

}  // namespace brindle

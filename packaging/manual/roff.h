// Text into roff (man(7)): escapes, and Markdown's inline marks as the page's fonts.
#pragma once

#include <string>
#include <string_view>

namespace brindle::manual {

// Plain text: backslashes escaped, the hyphens of an option (--time-limit) as minus signs, so
// that they can be copied and searched for, and a line that would start a request kept text.
std::string Roff(std::string_view text);

// A Markdown cell: `code` and **strong** in bold, [links](to) as their words.
std::string RoffFromMarkdown(std::string_view markdown);

}  // namespace brindle::manual

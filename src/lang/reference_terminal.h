// A reference entry for the terminal: its Markdown read as plain text, with the emphasis kept
// as the terminal's bold when there is one to show it.
#pragma once

#include <string>
#include <string_view>

namespace brindle {

// Code spans lose their backticks, links keep their text, code blocks are indented by four
// blanks without their fences, and **strong** text is bold (ESC[1m) when bold, else plain.
std::string ReferenceAsTerminalText(std::string_view markdown, bool bold);

}  // namespace brindle

#include "lang/reference_terminal.h"

namespace brindle {
namespace {

constexpr std::string_view kBoldOn = "\x1b[1m";
constexpr std::string_view kBoldOff = "\x1b[0m";

bool StartsWith(std::string_view text, size_t at, std::string_view prefix) {
  return text.substr(at, prefix.size()) == prefix;
}

// "[text](target)" at `at`: the length of the whole link and its text, or 0.
size_t LinkAt(std::string_view line, size_t at, std::string_view& text) {
  const size_t close = line.find("](", at);
  if (close == std::string_view::npos) return 0;
  const size_t end = line.find(')', close + 2);
  if (end == std::string_view::npos ||
      line.substr(at + 1, close - at - 1).find('[') != std::string_view::npos) {
    return 0;
  }
  text = line.substr(at + 1, close - at - 1);
  return end + 1 - at;
}

// One line of running text. Inside a code span nothing is markup.
std::string InlineText(std::string_view line, bool bold) {
  std::string out;
  bool in_code = false, in_strong = false;
  for (size_t i = 0; i < line.size();) {
    const char c = line[i];
    if (c == '`') {
      in_code = !in_code;
      ++i;
    } else if (in_code) {
      out += c;
      ++i;
    } else if (StartsWith(line, i, "**")) {
      in_strong = !in_strong;
      if (bold) out += in_strong ? kBoldOn : kBoldOff;
      i += 2;
    } else if (std::string_view text; c == '[' && LinkAt(line, i, text) != 0) {
      const size_t length = LinkAt(line, i, text);
      out += InlineText(text, bold);
      i += length;
    } else {
      out += c;
      ++i;
    }
  }
  // Emphasis left open at the line's end ends there, so the terminal is not left bold.
  if (bold && in_strong) out += kBoldOff;
  return out;
}

}  // namespace

std::string ReferenceAsTerminalText(std::string_view markdown, bool bold) {
  std::string out;
  bool in_block = false;
  while (!markdown.empty()) {
    const size_t end = markdown.find('\n');
    const std::string_view line = markdown.substr(0, end);
    markdown = end == std::string_view::npos ? std::string_view() : markdown.substr(end + 1);
    if (line.starts_with("```")) {
      in_block = !in_block;
      continue;
    }
    if (in_block) {
      out += line.empty() ? "" : "    ";
      out += line;
    } else {
      out += InlineText(line, bold);
    }
    out += '\n';
  }
  return out;
}

}  // namespace brindle

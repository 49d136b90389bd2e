#include "platform/timeline.h"

#include <array>
#include <charconv>
#include <sstream>
#include <string_view>

namespace brindle {
namespace {

using Kind = TimelineLine::Kind;

struct Command {
  std::string_view name;
  Kind kind;
  int numbers;  // how many numbers follow; -1 for a text
};

constexpr std::array<Command, 13> kCommands = {{
    {"idle", Kind::kIdle, 0},
    {"wait", Kind::kWait, 1},
    {"move", Kind::kMove, 2},
    {"keydown", Kind::kKeyDown, 1},
    {"keyup", Kind::kKeyUp, 1},
    {"key", Kind::kKey, 1},
    {"click", Kind::kClick, 2},
    {"type", Kind::kType, -1},
    {"enter", Kind::kEnter, 0},
    {"tab", Kind::kTab, 0},
    {"paint", Kind::kPaint, 0},
    {"screenshot", Kind::kScreenshot, -1},
    {"close", Kind::kClose, 0},
}};

std::vector<std::string_view> Words(std::string_view s) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    const size_t start = i;
    while (i < s.size() && s[i] != ' ' && s[i] != '\t') ++i;
    if (i > start) words.push_back(s.substr(start, i - start));
  }
  return words;
}

bool ParseNumber(std::string_view word, int64_t& out) {
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), out);
  return error == std::errc() && end == word.data() + word.size();
}

// Fills the line from its words; returns the reason it is malformed, or "".
std::string ParseLine(std::string_view line, TimelineLine& out) {
  const std::vector<std::string_view> words = Words(line);
  for (const Command& c : kCommands) {
    if (words[0] != c.name) continue;
    out.kind = c.kind;
    if (c.numbers < 0) {
      // The rest of the line after one separator, as it stands.
      const size_t start = line.find(c.name) + c.name.size() + 1;
      out.text = start <= line.size() ? std::string(line.substr(start)) : std::string();
      if (c.kind == Kind::kScreenshot && words.size() < 2) return "screenshot needs a file name";
      return "";
    }
    if (static_cast<int>(words.size()) - 1 != c.numbers) {
      return std::string(c.name) + " takes " + std::to_string(c.numbers) + " number(s)";
    }
    int64_t* fields[] = {&out.a, &out.b};
    for (int k = 0; k < c.numbers; ++k) {
      if (!ParseNumber(words[k + 1], *fields[k])) {
        return "not a number: " + std::string(words[k + 1]);
      }
    }
    if (c.kind == Kind::kWait && out.a < 0) return "a wait cannot be negative";
    return "";
  }
  return "unknown event: " + std::string(words[0]);
}

}  // namespace

Timeline ParseTimeline(const std::string& text) {
  Timeline timeline;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::vector<std::string_view> words = Words(line);
    if (words.empty() || words[0][0] == '#') continue;
    TimelineLine parsed;
    const std::string reason = ParseLine(line, parsed);
    if (!reason.empty()) {
      timeline.error = std::to_string(number) + ": " + reason;
      return timeline;
    }
    timeline.lines.push_back(std::move(parsed));
  }
  return timeline;
}

int VirtualKeyOfCharacter(char c) {
  if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
  if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ') return c;
  switch (c) {
    case '\t':
      return 9;
    case ')':
      return '0';
    case '!':
      return '1';
    case '@':
      return '2';
    case '#':
      return '3';
    case '$':
      return '4';
    case '%':
      return '5';
    case '^':
      return '6';
    case '&':
      return '7';
    case '*':
      return '8';
    case '(':
      return '9';
    case ';':
    case ':':
      return 0xBA;
    case '=':
    case '+':
      return 0xBB;
    case ',':
    case '<':
      return 0xBC;
    case '-':
    case '_':
      return 0xBD;
    case '.':
    case '>':
      return 0xBE;
    case '/':
    case '?':
      return 0xBF;
    case '`':
    case '~':
      return 0xC0;
    case '[':
    case '{':
      return 0xDB;
    case '\\':
    case '|':
      return 0xDC;
    case ']':
    case '}':
      return 0xDD;
    case '\'':
    case '"':
      return 0xDE;
    default:
      return 0;
  }
}

}  // namespace brindle

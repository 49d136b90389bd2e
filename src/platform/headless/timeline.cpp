#include "platform/headless/timeline.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <sstream>
#include <string_view>

#include "platform/headless/transcript.h"

namespace brindle {
namespace {

using Kind = TimelineLine::Kind;

// The bounds of a line's numbers. A wait is at most a day, so that a 16 MiB timeline spans
// less than 2^51 ms and the clock cannot overflow; a tick comes at most 2^32 ms after the one
// before, so a ticks line asks for at most 1000 of them (2^62 ms in 16 MiB); a key is a
// virtual-key code, one byte; a coordinate is what an event carries.
struct Bounds {
  int64_t low, high;
  std::string_view what;
};
constexpr Bounds kNoNumber = {0, 0, ""};
constexpr Bounds kWaitBounds = {0, kMaxWaitMs, "a wait"};
constexpr Bounds kTicksBounds = {1, kMaxTicks, "ticks"};
constexpr Bounds kKeyBounds = {0, 255, "a key code"};
constexpr Bounds kPointBounds = {INT32_MIN, INT32_MAX, "a coordinate"};

struct Command {
  std::string_view name;
  Kind kind;
  int numbers;  // how many numbers follow; -1 for a text
  Bounds bounds;
};

constexpr std::array<Command, 14> kCommands = {{
    {"idle", Kind::kIdle, 0, kNoNumber},
    {"wait", Kind::kWait, 1, kWaitBounds},
    {"ticks", Kind::kTicks, 1, kTicksBounds},
    {"move", Kind::kMove, 2, kPointBounds},
    {"keydown", Kind::kKeyDown, 1, kKeyBounds},
    {"keyup", Kind::kKeyUp, 1, kKeyBounds},
    {"key", Kind::kKey, 1, kKeyBounds},
    {"click", Kind::kClick, 2, kPointBounds},
    {"type", Kind::kType, -1, kNoNumber},
    {"enter", Kind::kEnter, 0, kNoNumber},
    {"tab", Kind::kTab, 0, kNoNumber},
    {"paint", Kind::kPaint, 0, kNoNumber},
    {"screenshot", Kind::kScreenshot, -1, kNoNumber},
    {"close", Kind::kClose, 0, kNoNumber},
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

// Reads one number of a line within its bounds; returns the reason it is refused, or "".
// Words are echoed escaped, so that a stray control byte cannot reach the terminal raw.
std::string ParseNumber(std::string_view word, const Bounds& bounds, int64_t& out) {
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), out);
  const bool digits = end == word.data() + word.size();
  if (digits &&
      (error == std::errc::result_out_of_range || out < bounds.low || out > bounds.high)) {
    return std::string(bounds.what) + " is " + std::to_string(bounds.low) + " to " +
           std::to_string(bounds.high) + ": " + EscapeTranscriptField(word);
  }
  if (error != std::errc() || !digits) return "not a number: " + EscapeTranscriptField(word);
  return "";
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
      std::string problem = ParseNumber(words[k + 1], c.bounds, *fields[k]);
      if (!problem.empty()) return problem;
    }
    return "";
  }
  return "unknown event: " + EscapeTranscriptField(words[0]);
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
    parsed.number = number;
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

std::string TimelineLineText(const TimelineLine& line) {
  for (const Command& command : kCommands) {
    if (command.kind != line.kind) continue;
    std::string text(command.name);
    if (command.numbers < 0) return text + " " + line.text;
    if (command.numbers >= 1) text += " " + std::to_string(line.a);
    if (command.numbers >= 2) text += " " + std::to_string(line.b);
    return text;
  }
  return "";
}

}  // namespace brindle

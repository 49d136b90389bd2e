// The headless events file: a timeline of what the user does, one event a line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brindle {

// The longest wait line: a day.
inline constexpr int64_t kMaxWaitMs = 86'400'000;
// The most ticks one ticks line asks for.
inline constexpr int64_t kMaxTicks = 1000;

struct TimelineLine {
  enum class Kind {
    kIdle,
    kWait,
    kTicks,
    kMove,
    kKeyDown,
    kKeyUp,
    kKey,
    kClick,
    kType,
    kEnter,
    kTab,
    kPaint,
    kScreenshot,
    kClose
  };
  Kind kind = Kind::kIdle;
  // wait: milliseconds; ticks: how many; move, click: x, y; keys: virtual-key code
  int64_t a = 0, b = 0;
  std::string text;  // type: the text; screenshot: the file
  int number = 0;    // the line's number in its file, from 1; 0 for a line made otherwise
};

struct Timeline {
  std::vector<TimelineLine> lines;
  std::string error;  // "LINE: reason" for the first malformed line, empty when all are good
};

// Blank lines and lines starting with "#" are skipped.
Timeline ParseTimeline(const std::string& text);

// A line as the timeline writes it, which ParseTimeline reads back as the same line.
std::string TimelineLineText(const TimelineLine& line);

// The virtual-key code of a character typed on a US keyboard, 0 for none.
int VirtualKeyOfCharacter(char c);

}  // namespace brindle

// What the window did with an SDL event, as the events-timeline line that makes a headless
// run do the same (--record).
#pragma once

#include <optional>

#include "platform/headless/timeline.h"
#include "platform/platform.h"

union SDL_Event;

namespace brindle {

// Window pixels to canvas pixels, rounding down also left of and above the window.
inline int Unzoom(int coordinate, int zoom) {
  return coordinate >= 0 ? coordinate / zoom : -((-coordinate + zoom - 1) / zoom);
}

// The line for an event of the main window, given what the platform made of it (made: the
// window event handed to the program; none when it handed over nothing). Nothing when the
// event changed nothing a replay could see: a key that types its character (the text that
// follows it is recorded instead), a move passed over for a later one, a key with no code.
std::optional<TimelineLine> RecordedLine(const SDL_Event& event,
                                         const std::optional<WindowEvent>& made, int zoom);

}  // namespace brindle

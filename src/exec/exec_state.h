// Executor state that lives for the whole process and is shared by all runs.
#pragma once

#include <array>
#include <cstdint>

#include "platform/canvas.h"
#include "prepass/keywords.h"

namespace brindle {

struct ExecState {
  ColorRef fore_color = 0;  // pen and text colour
  ColorRef back_color = 0;  // fill colour of RECT and CIRCLE
  int pen_x = 0, pen_y = 0;  // start of the next DRAW
  int32_t timer_interval = 0;
  // The last value each statement read for each plain argument: an argument of a kind the
  // statement does not accept leaves the value as it was.
  std::array<std::array<float, 4>, kKindLimit> plain_args{};
};

}  // namespace brindle

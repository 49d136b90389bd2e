// Executor state that lives for the whole process and is shared by all runs.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "canvas/canvas.h"
#include "lang/keywords.h"
#include "prepass/symbols.h"
#include "runtime/image_store.h"

namespace brindle {

constexpr int kImageSlots = 64;

// Loaded pictures are known to scripts by handles (1, 2, ...); a slot is where one picture is
// kept ready for drawing, and each handle variable remembers its slot.
struct ImageState {
  ImageStore store;
  std::array<int32_t, kImageSlots + 1> slot{};  // the handle selected in each slot
  std::vector<int> slot_of_var = std::vector<int>(kMaxVariables + 1, 0);
  std::string last_file;    // LOADIMG's last file name argument
  int32_t last_handle = 0;  // SHOWIMG's last handle and slot
  int last_slot = 0;

  const Image* Find(int32_t handle) const { return store.Find(handle); }
};

struct ProcessState {
  ColorRef fore_color = 0;   // pen and text colour
  ColorRef back_color = 0;   // fill colour of RECT and CIRCLE
  int pen_x = 0, pen_y = 0;  // start of the next DRAW
  int32_t timer_interval = 0;
  bool timer_running = false;  // between TIMERON and TIMEROFF, for those who look (a debugger)
  // The last value each statement read for each plain argument: an argument of a kind the
  // statement does not accept leaves the value as it was.
  std::array<std::array<float, 4>, kKindLimit> plain_args{};
  ImageState images;
  int32_t input_box_handle = 0;  // the newest input box, which SETFOCUS shows and hides
  int32_t current_control = 0;   // the control GETTEXT and SETTEXT act on
  // What each input box's text, as the script last gave it, counts in Values::stored_text.
  std::unordered_map<int32_t, size_t> box_text_size;
};

}  // namespace brindle

// What the web platform needs from the page it runs in: the user's input, a clock, and a way to
// show pictures and message boxes. The page's own code (JavaScript, in a worker) implements it;
// tests use a fake page.
#pragma once

#include <cstdint>
#include <deque>
#include <span>
#include <string_view>

#include "canvas/canvas.h"

namespace brindle {

// One thing the user did on the page. The page sends what the browser tells it, in order;
// the platform decides what each is to the script, as a window system's events are.
struct PageInput {
  enum class Kind : int32_t {
    kKeyDown = 1,    // a: virtual-key code, b: 1 when Shift is down
    kKeyUp = 2,      // a: virtual-key code
    kText = 3,       // a: the Windows-1252 byte a key typed
    kMouseMove = 4,  // a, b: canvas coordinates
    kMouseDown = 5,  // the left button; a, b: canvas coordinates
    kAnswer = 6,     // a: the message box answered (its number from OpenMessage)
    kFocus = 7,      // a: 1 when the canvas gained the keyboard focus, 0 when it lost it
    kPaint = 8,      // the canvas came into view again
  };
  Kind kind = Kind::kPaint;
  int32_t a = 0, b = 0;
};

class Page {
 public:
  virtual ~Page() = default;
  // Appends to inputs what the user has done since the last call. When there is nothing, waits
  // up to wait_ms for something (0: no wait; -1: no limit). settled: the script has done all
  // that the inputs so far asked of it, its picture shown; only the timer or the caret's blink
  // may end the wait.
  virtual void TakeInputs(std::deque<PageInput>& inputs, int wait_ms, bool settled) = 0;
  // Milliseconds from some fixed point, fractions allowed.
  virtual double NowMs() = 0;
  // False while the page has still to draw the last picture it was given: the next is then
  // kept back, so that a busy script never floods the page with pictures.
  virtual bool ReadyForPicture() = 0;
  // Canvas::kWidth x Canvas::kHeight pixels, RGBA bytes (alpha 255), row by row.
  virtual void ShowPicture(std::span<const uint32_t> rgba) = 0;
  // A modal box with one OK button, numbered; the page sends kAnswer with the number when the
  // user answers it. Boxes opened while others are open go on top of them.
  virtual void OpenMessage(int number, std::string_view caption, std::string_view text) = 0;
  // Told once, when the script first waits for events: its main part has ended.
  virtual void Waiting() = 0;
};

}  // namespace brindle

// What the interpreter needs from the machine it runs on. Two implementations: headless (tests,
// CI, automation) and the desktop window. Nothing here knows about the language.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace brindle {

class Canvas;
class InputBoxes;

// A window event as the window procedure sees it.
struct WindowEvent {
  // kControl is a message that went to an input box, or a click: it runs no handler, but the
  // pump counts it as the one message it takes.
  enum class Type { kPaint, kMouseMove, kKeyDown, kKeyUp, kCommand, kTimer, kControl, kClose };
  Type type = Type::kPaint;
  int x = 0, y = 0;           // kMouseMove: client coordinates
  int key = 0;                // kKeyDown, kKeyUp: Windows virtual-key code
  int command_id = 0;         // kCommand: control id (1 for Enter, 2 for Escape, 1000 input box)
  int notification_code = 0;  // kCommand: 0 for Enter and Escape
};

// Receives the events that the platform delivers on its own, while a modal message box is open
// or while an input box sends its notifications.
class EventSink {
 public:
  virtual ~EventSink() = default;
  virtual void Dispatch(const WindowEvent& event) = 0;
  // False when a timer tick would do nothing here: a platform may then let the ticks pass
  // unseen instead of delivering each one.
  virtual bool HandlesTimer() const { return true; }
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Where events go that arrive while the platform itself is waiting (a modal box), and the
  // notifications of the input boxes.
  virtual void SetEventSink(EventSink* sink) = 0;

  // A modal message box with one OK button. Events keep reaching the sink while it is open.
  virtual void ShowMessage(std::string_view caption, std::string_view text) = 0;

  // Text drawn by the script; the headless platform lists it in its transcript.
  virtual void NoteText(int x, int y, std::string_view text) = 0;

  // The executor's pump: at most one pending event, no waiting, no dialog handling.
  virtual std::optional<WindowEvent> PollEvent() = 0;
  // False when PollEvent is sure to give nothing until WaitEvent or PollClose has been called:
  // the pump, which asks at every token, may then pass over the call.
  bool PumpMayDeliver() const { return pump_may_deliver_; }

  // The pump where no more handler runs may start: true, with the close taken, when the
  // window's close is pending and no other event comes before it (timer ticks do not count:
  // they are never queued). Takes nothing else.
  virtual bool PollClose() = 0;

  // The message loop: waits for the next event, with dialog handling (Enter is command 1,
  // Escape command 2, Tab moves the focus between input boxes). A window that has gone away
  // reports kClose.
  virtual WindowEvent WaitEvent() = 0;

  // Whether the user has asked to close the window, asked where a loop goes round again: a
  // loop whose statements take no event (assignments only) must still end when the window is
  // closed. Headless, a close is a timeline event like any other, so only once the run's time
  // limit has passed.
  virtual bool CloseRequested() { return false; }

  // Makes the canvas what the window shows (SWAP, repaint). The visible input boxes stay drawn
  // over it.
  virtual void ShowCanvas(const Canvas& canvas) = 0;
  // The same for a canvas just cleared (WCOLOR), which the script is likely to draw over and
  // show again at once: a window may keep it back a moment rather than flash a bare background
  // (see PresentSchedule). Screenshots show it as ShowCanvas would.
  virtual void ShowClearedCanvas(const Canvas& canvas) { ShowCanvas(canvas); }
  // The same, on the screen before this returns, for a program that is about to hold still
  // (stopped in a debugger) rather than go on to its next present.
  virtual void ShowCanvasNow(const Canvas& canvas) { ShowCanvas(canvas); }
  // From any thread: a WaitEvent that is waiting returns (a repaint), so that whoever called
  // it can look at something else that came in. Headless, WaitEvent never waits.
  virtual void Wake() {}
  // While the program holds still (stopped in a debugger): keeps the window painted and gives
  // the program nothing. Returns at a Wake (nothing), a left click on the canvas (kControl,
  // with its point) or a close (kClose). Headless, there is nothing to wait for.
  virtual std::optional<WindowEvent> WaitWhileHeld() { return std::nullopt; }
  // A short note shown over the window's picture at a canvas point, until the picture is next
  // shown. Headless, nothing.
  virtual void ShowNote(int x, int y, std::string_view text) { (void)x, (void)y, (void)text; }
  // A new run of a program in the same window: no input boxes, no timer, nothing pending.
  virtual void StartAfresh() {}

  // The input boxes on the window. The script makes, reads and writes them here; keys, clicks
  // and typing reach them through the platform's own event handling.
  virtual InputBoxes& input_boxes() = 0;

  // The one timer. Ticks are not queued: at most one is pending at a time.
  virtual void StartTimer(uint32_t interval_ms) = 0;
  virtual void StopTimer() = 0;
  virtual uint32_t TickCount() = 0;         // milliseconds since the system started
  virtual uint32_t MillisecondClock() = 0;  // the clock that seeds RAND

 protected:
  bool pump_may_deliver_ = true;
};

}  // namespace brindle

// What the interpreter needs from the machine it runs on. Two implementations: headless (tests,
// CI, automation) and the desktop window. Nothing here knows about the language.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace brindle {

class Canvas;

// A window event as the window procedure sees it.
struct WindowEvent {
  // kClick is a mouse click, which runs no handler.
  enum class Type { kPaint, kMouseMove, kKeyDown, kKeyUp, kCommand, kTimer, kClick, kClose };
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
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Where events go that arrive while the platform itself is waiting (a modal box).
  virtual void SetEventSink(EventSink* sink) = 0;

  // A modal message box with one OK button. Events keep reaching the sink while it is open.
  virtual void ShowMessage(std::string_view caption, std::string_view text) = 0;

  // Text drawn by the script; the headless platform lists it in its transcript.
  virtual void NoteText(int x, int y, std::string_view text) = 0;

  // The executor's pump: at most one pending event, no waiting, no dialog handling.
  virtual std::optional<WindowEvent> PollEvent() = 0;

  // The message loop: waits for the next event, with dialog handling (Enter is command 1).
  // A window that has gone away reports kClose.
  virtual WindowEvent WaitEvent() = 0;

  // Makes the canvas what the window shows (SWAP, WCOLOR, repaint).
  virtual void ShowCanvas(const Canvas& canvas) = 0;

  // The one timer. Ticks are not queued: at most one is pending at a time.
  virtual void StartTimer(uint32_t interval_ms) = 0;
  virtual void StopTimer() = 0;
  virtual uint32_t TickCount() = 0;         // milliseconds since the system started
  virtual uint32_t MillisecondClock() = 0;  // the clock that seeds RAND
};

}  // namespace brindle

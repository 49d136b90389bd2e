// The platform of the desktop window, over SDL2. This header includes no SDL header, so the
// command line can make the platform without knowing the window system.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "platform/headless/timeline_recorder.h"
#include "platform/input_boxes.h"
#include "platform/platform.h"
#include "platform/poll_throttle.h"
#include "platform/present_schedule.h"
#include "platform/sdl/canvas_placement.h"
#include "platform/sdl/event_wait.h"
#include "platform/tick_schedule.h"
#include "platform/window_picture.h"

struct SDL_Window;
union SDL_Event;
struct SDL_KeyboardEvent;

namespace brindle {

class FileWatch;
class MessageBoxWindow;

class SdlPlatform final : public Platform {
 public:
  // Opens the window (each canvas pixel shown as zoom x zoom; zoom 0: the largest, up to 4, whose
  // window fits the screen). Null, with the reason in error, when no window can be opened, as
  // when there is no display.
  static std::unique_ptr<SdlPlatform> Open(int zoom, std::string& error);
  ~SdlPlatform() override;

  void SetEventSink(EventSink* sink) override;
  // Returns when the user answers the box, or when the window is closed and no sink ends the
  // run. Until then the main window's events keep reaching the sink.
  void ShowMessage(std::string_view caption, std::string_view text) override;
  void NoteText(int, int, std::string_view) override {}
  std::optional<WindowEvent> PollEvent() override;
  // At the nesting limit: a close that no other event comes before.
  bool PollClose() override;
  WindowEvent WaitEvent() override;
  // In loops: a close anywhere among the pending events.
  bool CloseRequested() override;
  void ShowCanvas(const Canvas& canvas) override;
  void ShowClearedCanvas(const Canvas& canvas) override;
  void ShowCanvasNow(const Canvas& canvas) override;
  void Wake() override;
  std::optional<WindowEvent> WaitWhileHeld() override;
  void ShowNote(int x, int y, std::string_view text) override;
  InputBoxes& input_boxes() override { return boxes_; }
  void StartTimer(uint32_t interval_ms) override;
  void StopTimer() override;
  uint32_t TickCount() override;
  uint32_t MillisecondClock() override { return TickCount(); }

  // Whether the user has closed the window.
  bool closed() const { return closed_; }
  // The window's title names the script's file ("game.bas - " before the program's title), as
  // the taskbar and window lists show it; a name that is not UTF-8 shows U+FFFD for its bytes.
  void ShowScriptName(std::string_view script_path);
  // What the window shows, as a headless screenshot has it: the boxes without the caret.
  std::vector<ColorRef> Screenshot() const { return picture_.Screenshot(boxes_); }

  // --record: each event handed to the program, each tick and the close become timeline lines.
  void SetRecorder(TimelineRecorder* recorder) { recorder_ = recorder; }
  // --watch: once the file is saved, every look for an event finds a close, which ends the
  // run wherever it is; the window stays open, and rerun_due() tells this from a real close.
  void SetWatch(FileWatch* watch) { watch_ = watch; }
  bool rerun_due() const { return rerun_due_; }
  // Back to what a new process finds, the window itself kept where it is and as large as it
  // is: no input boxes, no timer, the button face shown, no input pending.
  void StartAfresh() override;

 private:
  using Taken = TimelineRecorder::Taken;
  using Moment = PresentSchedule::Moment;

  SdlPlatform(SDL_Window* window, int zoom);
  std::optional<WindowEvent> TranslateForWindow(const SDL_Event& event, bool dialog);
  // Whether the watched file has been saved (false without --watch).
  bool SaveSeen(uint64_t now_ms);
  // A tick taken for the program, recorded as such.
  bool TakeTick(uint64_t now_ms, Taken taken);
  // The close found by looking ahead, recorded.
  void NoteCloseFound();

  // The window event an SDL event makes, if any. Events of open message boxes go to them.
  // dialog: the message loop's dialog handling (Enter, Escape, Tab).
  std::optional<WindowEvent> Translate(const SDL_Event& event, bool dialog);
  std::optional<WindowEvent> TranslateKey(const SDL_KeyboardEvent& key, bool dialog);
  std::optional<WindowEvent> TranslateWindowEvent(const SDL_Event& event);
  bool RouteToMessageBox(const SDL_Event& event);
  // Whether an event would reach the window procedure (what Translate makes something of).
  bool MakesWindowEvent(const SDL_Event& event) const;
  enum class CloseAhead { kNone, kFirst, kBehindOthers };
  CloseAhead FindClose() const;
  // F12: the window's picture to a new file in the current folder, said on stderr.
  void SavePicture() const;
  // The picture as last shown, the note over it, on the screen now.
  void ShowStill();
  // Hands an event to the sink while a message box waits.
  void DeliverDuringBox(const WindowEvent& event);

  // F11: full screen, the canvas scaled by a whole factor and centred on black; again: back.
  void ToggleFullScreen();
  bool FullScreen() const;
  // Where the canvas is shown in the window now.
  CanvasPlacement Placement() const;
  // After a message box is answered, the keyboard goes back to the box that was open before it,
  // or to the window, even where no window manager would give it.
  void RestoreFocusAfterBox();

  // Redraws the window when what it shows has changed: at once when the program is about to
  // wait, else at most once a frame; a held cleared picture only when the schedule says.
  void PresentIfChanged(uint64_t now_ms, Moment moment);
  // The clock of the present schedule's patience (see PresentSchedule).
  uint64_t WorkMs() const;
  bool TimerWakes() const;
  bool CaretBlinks() const;
  void UpdateCaret(uint64_t now_ms);
  // How long a wait may last before the timer (unless left out), the caret or a save needs
  // attention; -1: no limit.
  int WaitLimitMs(uint64_t now_ms, bool timer = true) const;
  // What a wait watches besides the window system: the watched file's folder, or -1.
  int WatchFd() const;

  SDL_Window* window_;
  uint32_t window_id_;
  X11Connection x11_;  // see event_wait.h
  WakeSignal wake_;
  int zoom_;
  EventSink* sink_ = nullptr;
  InputBoxes boxes_;
  TickSchedule timer_;
  bool closed_ = false;
  TimelineRecorder* recorder_ = nullptr;
  FileWatch* watch_ = nullptr;
  bool rerun_due_ = false;

  WindowPicture picture_;
  PresentSchedule presents_;
  uint64_t presenting_us_ = 0;  // processor time spent showing pictures
  bool window_focused_ = false;
  struct Note {
    int x = 0, y = 0;
    std::string text;
  };
  std::optional<Note> note_;  // ShowNote's, until the next picture

  PollThrottle event_polls_;  // of the pump
  PollThrottle close_polls_;  // of the looks for a close

  std::vector<MessageBoxWindow*> open_boxes_;  // innermost last
  // Keys that went down in a message box: their key-up is not the script's.
  std::array<bool, 512> key_went_to_box_{};
};

}  // namespace brindle

// The platform of the desktop window, over SDL2. This header includes no SDL header, so the
// command line can make the platform without knowing the window system.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/sdl/canvas_placement.h"
#include "platform/sdl/event_wait.h"
#include "platform/windowed_platform.h"

struct SDL_Window;
union SDL_Event;
struct SDL_KeyboardEvent;

namespace brindle {

class FileWatch;
class MessageBoxWindow;

class SdlPlatform final : public WindowedPlatform {
 public:
  // Opens the window (each canvas pixel shown as zoom x zoom; zoom 0: the largest, up to 4, whose
  // window fits the screen). Null, with the reason in error, when no window can be opened, as
  // when there is no display.
  static std::unique_ptr<SdlPlatform> Open(int zoom, std::string& error);
  ~SdlPlatform() override;

  void ShowCanvasNow(const Canvas& canvas) override;
  void Wake() override;
  std::optional<WindowEvent> WaitWhileHeld() override;
  void ShowNote(int x, int y, std::string_view text) override;

  // The window's title names the script's file ("game.bas - " before the program's title), as
  // the taskbar and window lists show it; a name that is not UTF-8 shows U+FFFD for its bytes.
  void ShowScriptName(std::string_view script_path);

  // --watch: once the file is saved, every look for an event finds a close, which ends the
  // run wherever it is; the window stays open, and rerun_due() tells this from a real close.
  void SetWatch(FileWatch* watch) { watch_ = watch; }
  bool rerun_due() const { return end_requested(); }

 private:
  SdlPlatform(SDL_Window* window, int zoom);

  uint64_t NowMs() const override;
  bool PollNative(bool dialog, std::optional<WindowEvent>& made) override;
  void WaitNative(int timeout_ms, bool settled) override;
  void Present() override;
  bool OpenMessageBox(std::string_view caption, std::string_view text) override;
  bool MessageBoxAnswered() override;
  void CloseMessageBox(bool answered) override;
  uint64_t WorkMs() const override;
  bool Woken() override { return wake_.Taken(); }
  // Whether the watched file has been saved (false without --watch).
  bool EndAsked(uint64_t now_ms) override;
  // When the watched file's save has settled.
  uint64_t AttentionDueMs(uint64_t now_ms) const override;
  CloseAhead FindClose() override;

  // The window event an SDL event makes, if any. Events of open message boxes go to them.
  // dialog: the message loop's dialog handling (Enter, Escape, Tab).
  std::optional<WindowEvent> Translate(const SDL_Event& event, bool dialog);
  std::optional<WindowEvent> TranslateForWindow(const SDL_Event& event, bool dialog);
  std::optional<WindowEvent> TranslateKey(const SDL_KeyboardEvent& key, bool dialog);
  std::optional<WindowEvent> TranslateWindowEvent(const SDL_Event& event);
  bool RouteToMessageBox(const SDL_Event& event);
  // Whether an event would reach the window procedure (what Translate makes something of).
  bool MakesWindowEvent(const SDL_Event& event) const;
  // F12: the window's picture to a new file in the current folder, said on stderr.
  void SavePicture() const;
  // The picture as last shown, the note over it, on the screen now.
  void ShowStill();
  // The picture on the screen, letterboxed in full screen.
  void PutOnScreen(const std::vector<ColorRef>& picture);

  // F11: full screen, the canvas scaled by a whole factor and centred on black; again: back.
  void ToggleFullScreen();
  bool FullScreen() const;
  // Where the canvas is shown in the window now.
  CanvasPlacement Placement() const;
  // After a message box is answered, the keyboard goes back to the box that was open before it,
  // or to the window, even where no window manager would give it.
  void RestoreFocusAfterBox();

  SDL_Window* window_;
  uint32_t window_id_;
  X11Connection x11_;  // see event_wait.h
  WakeSignal wake_;
  int zoom_;
  FileWatch* watch_ = nullptr;
  uint64_t presenting_us_ = 0;  // processor time spent showing pictures

  std::vector<std::unique_ptr<MessageBoxWindow>> open_boxes_;  // innermost last
  // Keys that went down in a message box: their key-up is not the script's.
  std::array<bool, 512> key_went_to_box_{};
};

}  // namespace brindle

#include "platform/sdl/sdl_platform.h"

#include <time.h>

#include <chrono>
#include <cstdio>

#include "files/file_watch.h"
#include "platform/sdl/event_wait.h"
#include "platform/sdl/message_box_window.h"
#include "platform/sdl/sdl_api.h"
#include "platform/sdl/surface_blit.h"
#include "platform/window_note.h"

namespace brindle {
namespace {

static_assert(SDL_NUM_SCANCODES <= 512, "key_went_to_box_ has a flag for every scancode");

// While a busy script runs, presenting every SWAP would cost more than drawing; the window is
// redrawn at most this often, and whenever the script waits.
constexpr uint64_t kFrameIntervalMs = 10;
constexpr ColorRef kFullScreenBackdrop = RgbColor(0, 0, 0);

// The processor time the program has had, in microseconds: it does not pass while other
// programs have the processor.
uint64_t ProcessorUs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<uint64_t>(t.tv_sec) * 1000000 + static_cast<uint64_t>(t.tv_nsec) / 1000;
}

}  // namespace

#if defined(__SANITIZE_ADDRESS__)
// SDL leaves the D-Bus connection it uses for the screen saver and input methods open at the
// end, as other libraries may share it; sanitizer builds should not count it as a leak of ours.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libdbus-1.so\n";
}
extern "C" const char* __lsan_default_options() {
  return "print_suppressions=0";
}
#endif

SdlPlatform::SdlPlatform(SDL_Window* window, int zoom)
    : WindowedPlatform(kFrameIntervalMs),
      window_(window),
      window_id_(sdl.GetWindowID(window)),
      x11_(X11ConnectionOf(window)),
      zoom_(zoom) {
  // Before the first SWAP the window shows the button face.
  PresentIfChanged(NowMs(), Moment::kWaiting);
}

SdlPlatform::~SdlPlatform() {
  open_boxes_.clear();
  sdl.DestroyWindow(window_);
  sdl.Quit();
}

uint64_t SdlPlatform::NowMs() const {
  using namespace std::chrono;
  return static_cast<uint64_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool SdlPlatform::EndAsked(uint64_t now_ms) {
  return watch_ != nullptr && watch_->SavedBy(now_ms);
}

uint64_t SdlPlatform::AttentionDueMs(uint64_t now_ms) const {
  const int settles_in = watch_ != nullptr ? watch_->MsUntilSettled(now_ms) : -1;
  return settles_in >= 0 ? now_ms + settles_in : UINT64_MAX;
}

// The present schedule's measure of the script's work: the program's processor time less what
// showing pictures took, which comes in between a script's statements only now and then.
uint64_t SdlPlatform::WorkMs() const {
  return (ProcessorUs() - presenting_us_) / 1000;
}

void SdlPlatform::Present() {
  const uint64_t started_us = ProcessorUs();
  PutOnScreen(Composed());
  presenting_us_ += ProcessorUs() - started_us;
}

void SdlPlatform::PutOnScreen(const std::vector<ColorRef>& picture) {
  ShowInWindow(window_, picture, Canvas::kWidth, Canvas::kHeight, Placement(),
               FullScreen() ? kFullScreenBackdrop : kButtonFace);
}

bool SdlPlatform::PollNative(bool dialog, std::optional<WindowEvent>& made) {
  SDL_Event event;
  if (!sdl.PollEvent(&event)) return false;
  made = Translate(event, dialog);
  return true;
}

void SdlPlatform::WaitNative(int timeout_ms, bool) {
  WaitForEvents(x11_, watch_ != nullptr ? watch_->fd() : -1, timeout_ms, wake_.fd());
}

// Looks through what SDL holds without taking any of it.
SdlPlatform::CloseAhead SdlPlatform::FindClose() {
  sdl.PumpEvents();
  SDL_Event events[64];
  const int n = sdl.PeepEvents(events, 64, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
  bool others = false;
  for (int i = 0; i < n; ++i) {
    const SDL_Event& e = events[i];
    const bool close = e.type == SDL_QUIT ||
                       (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_CLOSE &&
                        e.window.windowID == window_id_);
    if (close) return others ? CloseAhead::kBehindOthers : CloseAhead::kFirst;
    others = others || MakesWindowEvent(e);
  }
  return CloseAhead::kNone;
}

void SdlPlatform::Wake() {
  wake_.Raise();
}

void SdlPlatform::ShowCanvasNow(const Canvas& canvas) {
  picture_.SetCanvas(canvas);
  note_.reset();
  ShowStill();
}

void SdlPlatform::ShowStill() {
  std::vector<ColorRef> shown = picture_.Compose(boxes_, false);
  if (note_) DrawNote(shown, note_->x, note_->y, note_->text);
  PutOnScreen(shown);
}

bool SdlPlatform::OpenMessageBox(std::string_view caption, std::string_view text) {
  auto box = std::make_unique<MessageBoxWindow>(caption, text);
  if (!box->opened()) {
    // The message still reaches whoever started the program.
    std::fprintf(stderr, "brindle: %.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                 static_cast<int>(text.size()), text.data());
    return false;
  }
  open_boxes_.push_back(std::move(box));
  return true;
}

bool SdlPlatform::MessageBoxAnswered() {
  return open_boxes_.back()->answered();
}

// Before the box goes: once it is gone, the keys typed next must already have a window to go
// to.
void SdlPlatform::CloseMessageBox(bool answered) {
  if (answered) RestoreFocusAfterBox();
  open_boxes_.pop_back();
}

void SdlPlatform::RestoreFocusAfterBox() {
  if (open_boxes_.size() > 1) {
    open_boxes_[open_boxes_.size() - 2]->TakeFocus();
    return;
  }
  sdl.RaiseWindow(window_);
  sdl.SetWindowInputFocus(window_);
}

bool SdlPlatform::FullScreen() const {
  return (sdl.GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
}

void SdlPlatform::ToggleFullScreen() {
  if (sdl.SetWindowFullscreen(window_, FullScreen() ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) == 0) {
    presents_.MarkStale();
  }
}

CanvasPlacement SdlPlatform::Placement() const {
  if (!FullScreen()) return WindowPlacement(zoom_);
  int width = 0, height = 0;
  sdl.GetWindowSize(window_, &width, &height);
  return FullScreenPlacement(width, height);
}

}  // namespace brindle

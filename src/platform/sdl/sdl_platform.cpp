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
#include "platform/window_picture.h"

namespace brindle {
namespace {

static_assert(SDL_NUM_SCANCODES <= 512, "key_went_to_box_ has a flag for every scancode");

// While a busy script runs, presenting every SWAP would cost more than drawing; the window is
// redrawn at most this often, and whenever the script waits.
constexpr uint64_t kFrameIntervalMs = 10;
// Message boxes opened by handlers that run while other boxes wait: past this depth the boxes
// still open, but events wait until one is answered, so a failing timer handler cannot open
// boxes without end.
constexpr size_t kMaxNestedBoxes = 8;
constexpr ColorRef kFullScreenBackdrop = RgbColor(0, 0, 0);

uint64_t NowMs() {
  using namespace std::chrono;
  return static_cast<uint64_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

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
    : window_(window),
      window_id_(sdl.GetWindowID(window)),
      x11_(X11ConnectionOf(window)),
      zoom_(zoom),
      presents_(kFrameIntervalMs) {
  // Before the first SWAP the window shows the button face.
  PresentIfChanged(NowMs(), Moment::kWaiting);
}

SdlPlatform::~SdlPlatform() {
  sdl.DestroyWindow(window_);
  sdl.Quit();
}

void SdlPlatform::SetEventSink(EventSink* sink) {
  sink_ = sink;
  boxes_.SetEventSink(sink);
}

uint32_t SdlPlatform::TickCount() {
  return static_cast<uint32_t>(NowMs());
}

void SdlPlatform::StartTimer(uint32_t interval_ms) {
  timer_.Start(NowMs(), interval_ms);
  if (recorder_ != nullptr) recorder_->TimerStarted(interval_ms);
}

void SdlPlatform::StopTimer() {
  timer_.Stop();
  if (recorder_ != nullptr) recorder_->TimerStopped();
}

bool SdlPlatform::TakeTick(uint64_t now_ms, Taken taken) {
  if (!TimerWakes() || !timer_.Take(now_ms)) return false;
  if (recorder_ != nullptr) recorder_->Tick(taken);
  return true;
}

bool SdlPlatform::SaveSeen(uint64_t now_ms) {
  if (watch_ != nullptr && !rerun_due_ && watch_->SavedBy(now_ms)) rerun_due_ = true;
  return rerun_due_;
}

int SdlPlatform::WatchFd() const {
  return watch_ != nullptr ? watch_->fd() : -1;
}

void SdlPlatform::NoteCloseFound() {
  closed_ = true;
  if (recorder_ != nullptr) recorder_->Close(Taken::kWhileRunning);
}

void SdlPlatform::StartAfresh() {
  boxes_ = InputBoxes();
  boxes_.SetEventSink(sink_);
  timer_ = TickSchedule();
  picture_ = WindowPicture();
  presents_.StartAfresh(boxes_);
  rerun_due_ = false;
  // What was typed or clicked for the run that has ended is not the new run's.
  SDL_Event event;
  while (!closed_ && sdl.PollEvent(&event)) Translate(event, false);
  event_polls_.LookAgain();
  close_polls_.LookAgain();
  PresentIfChanged(NowMs(), Moment::kWaiting);
}

void SdlPlatform::ShowCanvas(const Canvas& canvas) {
  picture_.SetCanvas(canvas);
  note_.reset();
  presents_.Finished(WorkMs());
  // The next pump looks at the clock, so a busy script's picture appears within a frame.
  event_polls_.LookAgain();
}

void SdlPlatform::ShowClearedCanvas(const Canvas& canvas) {
  picture_.HoldCanvas(canvas);
  note_.reset();
  presents_.Cleared(WorkMs());
}

// The present schedule's measure of the script's work: the program's processor time less what
// showing pictures took, which comes in between a script's statements only now and then.
uint64_t SdlPlatform::WorkMs() const {
  return (ProcessorUs() - presenting_us_) / 1000;
}

// Ticks that would run no handler do not wake the program.
bool SdlPlatform::TimerWakes() const {
  return timer_.running() && sink_ != nullptr && sink_->HandlesTimer();
}

bool SdlPlatform::CaretBlinks() const {
  const InputBox* focused = boxes_.Focused();
  return focused != nullptr && focused->visible && window_focused_;
}

void SdlPlatform::UpdateCaret(uint64_t now_ms) {
  presents_.UpdateCaret(boxes_, CaretBlinks(), now_ms);
}

void SdlPlatform::PresentIfChanged(uint64_t now_ms, Moment moment) {
  if (presents_.holding() && presents_.ReleaseHeld(WorkMs(), moment)) picture_.ShowHeld();
  if (!presents_.Due(boxes_, now_ms, moment == Moment::kWaiting)) return;
  const uint64_t started_us = ProcessorUs();
  ShowInWindow(window_, picture_.Compose(boxes_, presents_.caret_on() && window_focused_),
               Canvas::kWidth, Canvas::kHeight, Placement(),
               FullScreen() ? kFullScreenBackdrop : kButtonFace);
  presents_.Presented(boxes_, now_ms);
  presenting_us_ += ProcessorUs() - started_us;
}

int SdlPlatform::WaitLimitMs(uint64_t now_ms, bool timer) const {
  uint64_t until = UINT64_MAX;
  if (timer && TimerWakes()) until = timer_.due_ms();
  if (CaretBlinks()) until = std::min(until, presents_.caret_toggle_ms());
  if (watch_ != nullptr && watch_->MsUntilSettled(now_ms) >= 0) {
    until = std::min(until, now_ms + watch_->MsUntilSettled(now_ms));
  }
  if (until == UINT64_MAX) return -1;
  return static_cast<int>(std::min<uint64_t>(until > now_ms ? until - now_ms : 0, 1 << 30));
}

// The pump: cheap when called per token, and at most one event.
std::optional<WindowEvent> SdlPlatform::PollEvent() {
  if (closed_) return WindowEvent{WindowEvent::Type::kClose};
  if (!event_polls_.Due(NowMs)) return std::nullopt;
  const uint64_t now = NowMs();
  if (SaveSeen(now)) return WindowEvent{WindowEvent::Type::kClose};
  // Before anything is taken: while events keep coming, the pictures still keep up.
  UpdateCaret(now);
  PresentIfChanged(now, Moment::kRunning);
  SDL_Event event;
  while (sdl.PollEvent(&event)) {
    if (std::optional<WindowEvent> e = Translate(event, false)) {
      event_polls_.LookAgain();  // more may be waiting
      return e;
    }
  }
  if (TakeTick(now, Taken::kWhileRunning)) return WindowEvent{WindowEvent::Type::kTimer};
  return std::nullopt;
}

bool SdlPlatform::PollClose() {
  if (!closed_ && close_polls_.Due(NowMs)) {
    if (SaveSeen(NowMs())) return true;
    if (FindClose() == CloseAhead::kFirst) NoteCloseFound();
  }
  return closed_;
}

bool SdlPlatform::CloseRequested() {
  if (!closed_ && close_polls_.Due(NowMs)) {
    if (SaveSeen(NowMs())) return true;
    if (FindClose() != CloseAhead::kNone) NoteCloseFound();
    // A loop that takes no events never pumps: its last SWAP is shown from here.
    PresentIfChanged(NowMs(), Moment::kRunning);
  }
  return closed_;
}

// Looks through what SDL holds without taking any of it.
SdlPlatform::CloseAhead SdlPlatform::FindClose() const {
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

// The message loop: input first, then the timer, as Windows orders them; the window is brought
// up to date before the wait, and within a frame when events follow each other at once.
WindowEvent SdlPlatform::WaitEvent() {
  // The run before has ended: what it showed last is its picture.
  UpdateCaret(NowMs());
  PresentIfChanged(NowMs(), Moment::kRunEnded);
  for (;;) {
    if (closed_ || rerun_due_) return WindowEvent{WindowEvent::Type::kClose};
    SDL_Event event;
    while (sdl.PollEvent(&event)) {
      if (std::optional<WindowEvent> e = Translate(event, true)) return *e;
    }
    const uint64_t now = NowMs();
    if (SaveSeen(now)) continue;
    if (TakeTick(now, Taken::kWhenIdle)) return WindowEvent{WindowEvent::Type::kTimer};
    UpdateCaret(now);
    PresentIfChanged(now, Moment::kWaiting);
    WaitForEvents(x11_, WatchFd(), WaitLimitMs(now), wake_.fd());
    if (wake_.Taken()) return WindowEvent{WindowEvent::Type::kPaint};
  }
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
  ShowInWindow(window_, shown, Canvas::kWidth, Canvas::kHeight, Placement(),
               FullScreen() ? kFullScreenBackdrop : kButtonFace);
}

void SdlPlatform::ShowMessage(std::string_view caption, std::string_view text) {
  if (closed_ || rerun_due_) return;
  PresentIfChanged(NowMs(), Moment::kWaiting);
  MessageBoxWindow box(caption, text);
  if (!box.opened()) {
    // The message still reaches whoever started the program.
    std::fprintf(stderr, "brindle: %.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                 static_cast<int>(text.size()), text.data());
    return;
  }
  // Taken off the list however the wait ends: a closed window ends it with an exception.
  struct Open {
    std::vector<MessageBoxWindow*>& boxes;
    ~Open() { boxes.pop_back(); }
  } open{open_boxes_};
  open_boxes_.push_back(&box);
  const bool handlers_may_run = open_boxes_.size() <= kMaxNestedBoxes;
  while (!box.answered() && !closed_ && !rerun_due_) {
    SDL_Event event;
    if (sdl.PollEvent(&event)) {
      if (std::optional<WindowEvent> e = Translate(event, false)) DeliverDuringBox(*e);
      continue;
    }
    const uint64_t now = NowMs();
    if (SaveSeen(now)) {
      DeliverDuringBox({WindowEvent::Type::kClose});  // ends the run, when one is going on
      break;
    }
    if (handlers_may_run && TakeTick(now, Taken::kWhileRunning)) {
      DeliverDuringBox({WindowEvent::Type::kTimer});
      continue;
    }
    UpdateCaret(now);
    PresentIfChanged(now, Moment::kWaiting);
    WaitForEvents(x11_, WatchFd(), WaitLimitMs(now, handlers_may_run), wake_.fd());
    // Woken (by a debugger's request): a repaint lets the program look at what came in.
    if (wake_.Taken()) DeliverDuringBox({WindowEvent::Type::kPaint});
  }
  // Before the box goes: once it is gone, the keys typed next must already have a window to go
  // to.
  if (box.answered()) RestoreFocusAfterBox();
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

void SdlPlatform::DeliverDuringBox(const WindowEvent& event) {
  using Type = WindowEvent::Type;
  const bool handlers_may_run = open_boxes_.size() <= kMaxNestedBoxes;
  if (sink_ == nullptr) return;
  if (handlers_may_run || event.type == Type::kClose || event.type == Type::kPaint) {
    sink_->Dispatch(event);
  }
}

}  // namespace brindle

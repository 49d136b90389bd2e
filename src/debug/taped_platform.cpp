#include "debug/taped_platform.h"

#include <utility>

namespace brindle {

TapedPlatform::TapedPlatform(std::unique_ptr<Platform> window) : window_(std::move(window)) {
  boxes_version_ = window_->input_boxes().version();
}

void TapedPlatform::Rewind() {
  frontier_ = std::max(frontier_, calls_);
  calls_ = 0;
  next_ = 0;
  diverged_ = false;
  window_->StartAfresh();
  boxes_version_ = window_->input_boxes().version();
}

void TapedPlatform::CutHere() {
  if (!replaying()) return;
  tape_.resize(next_);
  frontier_ = calls_;
}

bool TapedPlatform::Sink::HandlesTimer() const {
  return tape_.program_sink_ == nullptr || tape_.program_sink_->HandlesTimer();
}

void TapedPlatform::SetEventSink(EventSink* sink) {
  program_sink_ = sink;
  window_->SetEventSink(sink != nullptr ? &sink_ : nullptr);
}

// The window sends events during its calls; the boxes send their notifications when the script
// changes them too, and the script does that again on a replay.
void TapedPlatform::Dispatch(const WindowEvent& event) {
  if (open_call_ != 0) {
    Entry e;
    e.call = open_call_;
    e.what = open_what_;
    e.dispatch = true;
    e.event = event;
    e.boxes = BoxesIfChanged();
    Write(std::move(e));
  }
  const uint64_t call = std::exchange(open_call_, 0);
  if (program_sink_ != nullptr) program_sink_->Dispatch(event);
  open_call_ = call;
}

void TapedPlatform::Write(Entry entry) {
  tape_.push_back(std::move(entry));
  next_ = tape_.size();
}

std::shared_ptr<const InputBoxes> TapedPlatform::BoxesIfChanged() {
  const InputBoxes& boxes = window_->input_boxes();
  if (boxes.version() == boxes_version_) return nullptr;
  boxes_version_ = boxes.version();
  return std::make_shared<const InputBoxes>(boxes);
}

TapedPlatform::Live::Live(TapedPlatform& tape, uint64_t call, Call what)
    : tape_(tape),
      call_(call),
      what_(what),
      mark_(tape.tape_.size()),
      outer_call_(tape.open_call_),
      outer_what_(tape.open_what_) {
  tape_.open_call_ = call;
  tape_.open_what_ = what;
}

TapedPlatform::Live::~Live() {
  tape_.open_call_ = outer_call_;
  tape_.open_what_ = outer_what_;
}

// A call with something to replay is written down: its answer, or anything sent during it, or
// the boxes the user changed in it.
void TapedPlatform::Live::Answer(std::optional<WindowEvent> event, uint32_t number,
                                 bool worth_writing) {
  Entry e;
  e.call = call_;
  e.what = what_;
  e.event = event;
  e.number = number;
  e.boxes = tape_.BoxesIfChanged();
  if (worth_writing || e.boxes != nullptr || tape_.tape_.size() != mark_) {
    tape_.Write(std::move(e));
  }
}

const TapedPlatform::Entry* TapedPlatform::Replay(uint64_t call, Call what, bool* spent) {
  while (next_ < tape_.size() && tape_[next_].call == call) {
    const Entry& e = tape_[next_];
    if (e.what != what) {
      Diverge();
      return nullptr;
    }
    ++next_;
    Restore(e);
    if (!e.dispatch) return &e;
    const WindowEvent event = *e.event;  // the tape may grow while the program runs
    const uint64_t outer = std::exchange(open_call_, 0);
    const uint64_t outer_replay = std::exchange(dispatching_call_, call);
    if (program_sink_ != nullptr) program_sink_->Dispatch(event);
    open_call_ = outer;
    dispatching_call_ = outer_replay;
    if (diverged_) return nullptr;
  }
  // What is left of the call that is handing this run an event is its own; anything else of
  // an earlier call was never asked for.
  if (next_ < tape_.size() && tape_[next_].call < call && tape_[next_].call != dispatching_call_) {
    Diverge();
  }
  if (spent != nullptr) *spent = next_ == tape_.size();
  return nullptr;
}

// From this call on the window answers, and what the tape held past here is no longer this
// run's.
void TapedPlatform::Diverge() {
  diverged_ = true;
  tape_.resize(next_);
  frontier_ = calls_ - 1;
}

void TapedPlatform::Restore(const Entry& entry) {
  if (entry.boxes == nullptr) return;
  window_->input_boxes() = *entry.boxes;
  boxes_version_ = entry.boxes->version();
}

std::optional<WindowEvent> TapedPlatform::PollEvent() {
  const uint64_t call = ++calls_;
  if (Answered(call)) {
    const Entry* e = Replay(call, Call::kPoll);
    if (!diverged_) return e != nullptr ? e->event : std::nullopt;
  }
  // The window's own shortcut, taken here so that the script's calls stay the same.
  if (!window_->PumpMayDeliver()) return std::nullopt;
  Live live(*this, call, Call::kPoll);
  std::optional<WindowEvent> event = window_->PollEvent();
  live.Answer(event, 0, event.has_value());
  return event;
}

bool TapedPlatform::PollClose() {
  return LookForClose(Call::kPollClose, &Platform::PollClose);
}

bool TapedPlatform::CloseRequested() {
  return LookForClose(Call::kCloseRequested, &Platform::CloseRequested);
}

// A look that found no close is not written down, as a poll that found nothing.
bool TapedPlatform::LookForClose(Call what, bool (Platform::*look)()) {
  const uint64_t call = ++calls_;
  if (Answered(call)) {
    const Entry* e = Replay(call, what);
    if (!diverged_) return e != nullptr && e->number != 0;
  }
  Live live(*this, call, what);
  const bool close = (window_.get()->*look)();
  live.Answer(std::nullopt, close ? 1 : 0, close);
  return close;
}

WindowEvent TapedPlatform::WaitEvent() {
  const uint64_t call = ++calls_;
  if (Answered(call)) {
    const Entry* e = Replay(call, Call::kWait);
    if (e != nullptr && e->event) return *e->event;
    // A wait the tape has no answer of: the run went another way.
    Diverge();
  }
  Live live(*this, call, Call::kWait);
  const WindowEvent event = window_->WaitEvent();
  live.Answer(event, 0, true);
  return event;
}

// A box the user answered is not shown again: what reached the program while it was open is.
// A box still open when the tape was made is shown, and answered, now.
void TapedPlatform::ShowMessage(std::string_view caption, std::string_view text) {
  const uint64_t call = ++calls_;
  if (Answered(call)) {
    bool spent = false;
    const Entry* e = Replay(call, Call::kMessage, &spent);
    if (e != nullptr) return;
    if (!spent) Diverge();
  }
  Live live(*this, call, Call::kMessage);
  window_->ShowMessage(caption, text);
  live.Answer(std::nullopt, 0, true);
}

uint32_t TapedPlatform::TickCount() {
  return ReadClock(Call::kTicks, &Platform::TickCount);
}

uint32_t TapedPlatform::MillisecondClock() {
  return ReadClock(Call::kClock, &Platform::MillisecondClock);
}

uint32_t TapedPlatform::ReadClock(Call what, uint32_t (Platform::*read)()) {
  const uint64_t call = ++calls_;
  if (Answered(call)) {
    if (const Entry* e = Replay(call, what)) return e->number;
    Diverge();
  }
  Live live(*this, call, what);
  const uint32_t ms = (window_.get()->*read)();
  live.Answer(std::nullopt, ms, true);
  return ms;
}

// What the program shows and starts goes to the window on a replay too: the window is then as
// the run has made it when the tape runs out.
void TapedPlatform::NoteText(int x, int y, std::string_view text) {
  window_->NoteText(x, y, text);
}

void TapedPlatform::ShowCanvas(const Canvas& canvas) {
  window_->ShowCanvas(canvas);
}

void TapedPlatform::ShowClearedCanvas(const Canvas& canvas) {
  window_->ShowClearedCanvas(canvas);
}

void TapedPlatform::ShowCanvasNow(const Canvas& canvas) {
  window_->ShowCanvasNow(canvas);
}

void TapedPlatform::Wake() {
  window_->Wake();
}

std::optional<WindowEvent> TapedPlatform::WaitWhileHeld() {
  return window_->WaitWhileHeld();
}

void TapedPlatform::ShowNote(int x, int y, std::string_view text) {
  window_->ShowNote(x, y, text);
}

InputBoxes& TapedPlatform::input_boxes() {
  return window_->input_boxes();
}

void TapedPlatform::StartTimer(uint32_t interval_ms) {
  window_->StartTimer(interval_ms);
}

void TapedPlatform::StopTimer() {
  window_->StopTimer();
}

}  // namespace brindle

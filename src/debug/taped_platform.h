// A window whose every answer to the program is written down, call by call, so that another run
// of the same script can be given exactly the same answers: what each poll and wait handed
// over, what reached the program while a message box was open, the clock readings, the closes,
// and the input boxes as the user left them. The debugger steps back in a window by running
// the script again on the tape; once the tape is spent, the window answers again.
//
// The program's calls are counted, and an answer belongs to the call numbered so: a script
// makes the same calls in the same order when it is given the same answers, so a replay meets
// each answer at the same place, between the same two tokens. Polls and looks for a close that
// found nothing are not written down (the pump asks at every token); a replayed one with
// nothing written for it finds nothing again.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/input_boxes.h"
#include "platform/platform.h"

namespace brindle {

class TapedPlatform final : public Platform {
 public:
  explicit TapedPlatform(std::unique_ptr<Platform> window);

  // A new run of the script: it is answered from the tape's start, as far as the tape goes.
  void Rewind();
  // The run is to go another way from here (a value was set by hand): what the tape holds
  // past this point is dropped, and the window answers from the next call on.
  void CutHere();
  // Whether the run has asked something the tape holds no answer of that kind for (it went
  // another way); the window answers from there, and this stays set until the next Rewind.
  bool diverged() const { return diverged_; }
  // Whether the run is still being answered from the tape.
  bool replaying() const { return calls_ < frontier_; }
  Platform& window() { return *window_; }

  void SetEventSink(EventSink* sink) override;
  void ShowMessage(std::string_view caption, std::string_view text) override;
  void NoteText(int x, int y, std::string_view text) override;
  std::optional<WindowEvent> PollEvent() override;
  bool PollClose() override;
  WindowEvent WaitEvent() override;
  bool CloseRequested() override;
  void ShowCanvas(const Canvas& canvas) override;
  void ShowClearedCanvas(const Canvas& canvas) override;
  void ShowCanvasNow(const Canvas& canvas) override;
  void Wake() override;
  std::optional<WindowEvent> WaitWhileHeld() override;
  void ShowNote(int x, int y, std::string_view text) override;
  InputBoxes& input_boxes() override;
  void StartTimer(uint32_t interval_ms) override;
  void StopTimer() override;
  uint32_t TickCount() override;
  uint32_t MillisecondClock() override;

 private:
  enum class Call : uint8_t { kPoll, kPollClose, kWait, kCloseRequested, kMessage, kTicks, kClock };
  struct Entry {
    uint64_t call = 0;  // the call it belongs to (1: the run's first)
    Call what = Call::kPoll;
    bool dispatch = false;  // an event handed to the sink during the call, not its answer
    std::optional<WindowEvent> event;
    uint32_t number = 0;                      // a clock reading, or 1 for a close found
    std::shared_ptr<const InputBoxes> boxes;  // the boxes from here on, when they changed
  };
  // Hands the window's events to the program, writing down those the window sends during a
  // call (a message box's) rather than those the script's own box changes send.
  class Sink final : public EventSink {
   public:
    explicit Sink(TapedPlatform& tape) : tape_(tape) {}
    void Dispatch(const WindowEvent& event) override { tape_.Dispatch(event); }
    bool HandlesTimer() const override;

   private:
    TapedPlatform& tape_;
  };
  // A call the window answers: what it sends meanwhile, and its answer, are written down.
  class Live {
   public:
    Live(TapedPlatform& tape, uint64_t call, Call what);
    ~Live();
    void Answer(std::optional<WindowEvent> event, uint32_t number, bool worth_writing);

   private:
    TapedPlatform& tape_;
    uint64_t call_;
    Call what_;
    size_t mark_;
    uint64_t outer_call_;
    Call outer_what_;
  };

  void Dispatch(const WindowEvent& event);
  bool LookForClose(Call what, bool (Platform::*look)());
  uint32_t ReadClock(Call what, uint32_t (Platform::*read)());
  void Write(Entry entry);
  std::shared_ptr<const InputBoxes> BoxesIfChanged();
  // Plays what the tape holds for this call: the events it sent, then its answer (null when
  // none was written down). Sets *spent when the tape ran out inside the call.
  const Entry* Replay(uint64_t call, Call what, bool* spent = nullptr);
  void Restore(const Entry& entry);
  void Diverge();
  bool Answered(uint64_t call) const { return call <= frontier_; }

  std::unique_ptr<Platform> window_;
  Sink sink_{*this};
  EventSink* program_sink_ = nullptr;
  std::vector<Entry> tape_;
  size_t next_ = 0;        // the entry a replay reads next
  uint64_t calls_ = 0;     // this run's calls so far
  uint64_t frontier_ = 0;  // the calls the tape answers
  bool diverged_ = false;
  uint64_t boxes_version_ = 0;  // of the boxes as last written down or restored
  uint64_t open_call_ = 0;      // the call the window is in (0: the script runs)
  Call open_what_ = Call::kPoll;
  uint64_t dispatching_call_ = 0;  // the replayed call whose event the program is handling
};

}  // namespace brindle

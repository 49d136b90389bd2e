// A window session written down as an events timeline (--record), so that a headless run with
// --events takes the same events in the same order, each between the same two timer ticks.
//
// Headless time moves only with wait lines, and a tick falls due at start + k * interval from
// the latest TIMERON. The recorder keeps that clock: each tick the window delivered becomes the
// wait that brings the replay's clock exactly to its next tick, and nothing else moves the
// clock, so no tick falls anywhere the window had none.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "files/file_replace.h"
#include "platform/headless/timeline.h"
#include "platform/tick_schedule.h"

namespace brindle {

class TimelineRecorder {
 public:
  // Where the program took an event. In the message loop, when it had nothing to run, the
  // line gets an idle before it, so that the replay too holds it until the program is idle;
  // the pump takes it at its next chance while a run is going on.
  enum class Taken { kWhileRunning, kWhenIdle };

  // Writes each line through write as it comes; write returns false when it fails.
  explicit TimelineRecorder(std::function<bool(std::string_view)> write);
  // A file written a line at a time with nothing kept back, under a fresh name in path's
  // folder (a PendingFile): path keeps its old file until Save, so that a session that cannot
  // be written down destroys no earlier recording. Null, with the reason, when it cannot be
  // made.
  static std::unique_ptr<TimelineRecorder> CreateFile(const std::string& path, std::string& reason);
  ~TimelineRecorder();
  TimelineRecorder(const TimelineRecorder&) = delete;
  TimelineRecorder& operator=(const TimelineRecorder&) = delete;

  // A comment line (a "# " goes before it).
  void Comment(std::string_view text);
  void Input(const TimelineLine& line, Taken taken);
  // A timer tick the window delivered.
  void Tick(Taken taken);
  void TimerStarted(uint32_t interval_ms);
  void TimerStopped() { timer_.Stop(); }
  // The window was closed: the last line. Later calls write nothing.
  void Close(Taken taken);

  // CreateFile's: puts the file in path's place. False, with error(), when a line could not
  // be written or the file could not be renamed; path then keeps what it held. A recorder
  // that is never saved leaves nothing behind.
  bool Save();

  // Why a line (or Save) could not be written, or "" when all were.
  const std::string& error() const { return error_; }

 private:
  void Write(const std::string& line);

  std::function<bool(std::string_view)> write_;
  std::unique_ptr<PendingFile> file_;  // CreateFile's
  bool saved_ = false;
  std::string error_;
  bool closed_ = false;
  int64_t now_ms_ = 0;  // the replay's clock
  TickSchedule timer_;  // the replay's timer
};

}  // namespace brindle

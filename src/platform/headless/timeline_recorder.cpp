#include "platform/headless/timeline_recorder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "files/fd_write.h"

namespace brindle {

TimelineRecorder::TimelineRecorder(std::function<bool(std::string_view)> write)
    : write_(std::move(write)) {}

std::unique_ptr<TimelineRecorder> TimelineRecorder::CreateFile(const std::string& path,
                                                               std::string& reason) {
  std::unique_ptr<PendingFile> file = PendingFile::Create(path, reason);
  if (file == nullptr) return nullptr;
  const int fd = file->fd();
  auto recorder = std::make_unique<TimelineRecorder>(
      [fd](std::string_view bytes) { return WriteAll(fd, bytes); });
  recorder->file_ = std::move(file);
  return recorder;
}

TimelineRecorder::~TimelineRecorder() = default;

bool TimelineRecorder::Save() {
  // Whatever happens, no line is written after this, and the file is renamed once at most;
  // one that is not renamed is removed with the PendingFile.
  saved_ = true;
  const std::unique_ptr<PendingFile> file = std::move(file_);
  std::string reason;
  if (file != nullptr && error_.empty() && !file->Commit(reason)) error_ = reason;
  return error_.empty();
}

void TimelineRecorder::Write(const std::string& line) {
  if (!error_.empty() || saved_) return;  // the first failure is the one to report
  errno = 0;
  if (!write_(line + "\n")) error_ = errno != 0 ? std::strerror(errno) : "write failed";
}

void TimelineRecorder::Comment(std::string_view text) {
  Write("# " + std::string(text));
}

void TimelineRecorder::Input(const TimelineLine& line, Taken taken) {
  if (closed_) return;
  if (taken == Taken::kWhenIdle) Write("idle");
  Write(TimelineLineText(line));
}

void TimelineRecorder::TimerStarted(uint32_t interval_ms) {
  timer_.Start(now_ms_, interval_ms);
}

// The wait ends exactly on the next tick of the replay's timer: a tick due at the end of a
// wait is taken. A wait line holds at most a day; a longer one is split, the tick falling at
// the end of the last part.
void TimelineRecorder::Tick(Taken taken) {
  if (closed_ || !timer_.running()) return;
  const int64_t next = static_cast<int64_t>(timer_.FirstDueAfter(now_ms_));
  if (taken == Taken::kWhenIdle) Write("idle");
  for (int64_t left = next - now_ms_; left > 0;) {
    const int64_t part = std::min(left, kMaxWaitMs);
    Write("wait " + std::to_string(part));
    left -= part;
  }
  now_ms_ = next;
}

void TimelineRecorder::Close(Taken taken) {
  if (closed_) return;
  if (taken == Taken::kWhenIdle) Write("idle");
  Write("close");
  closed_ = true;
}

}  // namespace brindle

// The headless transcript: one line per message box and per PRINT, fields separated by TABs.
#pragma once

#include <pthread.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

namespace brindle {

// Backslash, TAB, CR and LF as \\ \t \r \n; other bytes below 0x20 and from 0x7F up as \xHH.
std::string EscapeTranscriptField(std::string_view bytes);

// Thrown when the transcript cannot be written (a full disk, a closed stream): a run whose
// output is lost must not go on as if it were seen.
struct TranscriptWriteError {
  std::string reason;
};

// Lines reach the stream even when the process is killed soon after: a box line at once, a
// PRINT line within kPrintDelay, so that a PRINT-heavy run still writes in large blocks. The
// first kPrintsAtOnce PRINT lines are flushed at once, and only a run that prints more starts
// the thread that flushes later: most runs print little, and for them the thread would cost
// more than the writes. Where no thread can be started (a tight address-space limit), every
// line is flushed at once.
class Transcript {
 public:
  static constexpr std::chrono::milliseconds kPrintDelay{5};
  static constexpr int kPrintsAtOnce = 32;
  // The flusher only ever calls fflush: a small stack keeps it startable where memory is tight.
  static constexpr size_t kFlusherStackBytes = size_t{128} << 10;

  // A null stream discards the transcript.
  explicit Transcript(std::FILE* out);
  ~Transcript();
  Transcript(const Transcript&) = delete;
  Transcript& operator=(const Transcript&) = delete;

  // Both throw TranscriptWriteError once the stream has failed.
  void Box(std::string_view caption, std::string_view text);
  void Print(int x, int y, std::string_view text);
  // Writes out what is buffered. Returns the reason of the first write error, or "".
  std::string Flush();
  // Whether PRINT lines are now flushed by the thread, for the tests.
  bool flushes_later() const { return has_flusher_; }

 private:
  void Write(const std::string& line);
  bool StartFlusher();
  void FlushLater();
  void FlushLoop();
  void FlushNow();
  void RecordError();
  [[noreturn]] void Fail();

  std::FILE* out_;
  std::atomic<int> error_{0};  // errno of the first failed write, from either thread
  std::atomic<bool> pending_{false};
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  bool has_flusher_ = false;
  int prints_ = 0;  // PRINT lines written, counted up to kPrintsAtOnce + 1
  pthread_t flusher_{};
};

}  // namespace brindle

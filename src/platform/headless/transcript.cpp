#include "platform/headless/transcript.h"

#include <cerrno>
#include <cstring>

namespace brindle {

std::string EscapeTranscriptField(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size());
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        if (c < 0x20 || c >= 0x7f) {
          out += "\\x";
          out += kHex[c >> 4];
          out += kHex[c & 15];
        } else {
          out += ch;
        }
    }
  }
  return out;
}

Transcript::Transcript(std::FILE* out) : out_(out) {}

Transcript::~Transcript() {
  if (!has_flusher_) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  pthread_join(flusher_, nullptr);
}

// std::thread cannot choose its stack size, and the default (8 MiB) may not fit.
bool Transcript::StartFlusher() {
  pthread_attr_t attributes;
  if (pthread_attr_init(&attributes) != 0) return false;
  const auto loop = [](void* self) -> void* {
    static_cast<Transcript*>(self)->FlushLoop();
    return nullptr;
  };
  const bool started = pthread_attr_setstacksize(&attributes, kFlusherStackBytes) == 0 &&
                       pthread_create(&flusher_, &attributes, loop, this) == 0;
  pthread_attr_destroy(&attributes);
  return started;
}

void Transcript::Box(std::string_view caption, std::string_view text) {
  if (out_ == nullptr) return;
  Write("box\t" + EscapeTranscriptField(caption) + "\t" + EscapeTranscriptField(text) + "\n");
  FlushNow();
}

void Transcript::Print(int x, int y, std::string_view text) {
  if (out_ == nullptr) return;
  Write("print\t" + std::to_string(x) + "\t" + std::to_string(y) + "\t" +
        EscapeTranscriptField(text) + "\n");
  FlushLater();
}

std::string Transcript::Flush() {
  if (out_ != nullptr && std::fflush(out_) != 0) RecordError();
  const int error = error_.load();
  return error == 0 ? "" : std::strerror(error);
}

void Transcript::Write(const std::string& line) {
  if (std::fwrite(line.data(), 1, line.size(), out_) != line.size()) RecordError();
  if (error_.load(std::memory_order_relaxed) != 0) Fail();
}

void Transcript::FlushNow() {
  if (std::fflush(out_) != 0) RecordError();
  if (error_.load() != 0) Fail();
}

// Only the first line after a flush wakes the flusher; the lines that follow ride along.
void Transcript::FlushLater() {
  if (!has_flusher_ && prints_ <= kPrintsAtOnce && ++prints_ > kPrintsAtOnce)
    has_flusher_ = StartFlusher();
  if (!has_flusher_) return FlushNow();
  if (pending_.exchange(true)) return;
  std::lock_guard<std::mutex> lock(mutex_);
  wake_.notify_one();
}

void Transcript::FlushLoop() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stopping_ || pending_.load(); });
    if (wake_.wait_for(lock, kPrintDelay, [this] { return stopping_; })) return;
    pending_.store(false);
    lock.unlock();
    if (std::fflush(out_) != 0) RecordError();
    lock.lock();
  }
}

// Keeps the first error: later ones are usually its consequences.
void Transcript::RecordError() {
  int none = 0;
  error_.compare_exchange_strong(none, errno != 0 ? errno : EIO);
}

void Transcript::Fail() {
  throw TranscriptWriteError{std::strerror(error_.load())};
}

}  // namespace brindle

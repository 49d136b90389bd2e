// The requests that came in from the client, handed from the thread that reads them to the one
// that runs the script.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>

#include "lsp/json_reader.h"

namespace brindle::dap {

using Json = lsp::Json;

class MessageQueue {
 public:
  // Told (on the reading thread, holding the queue's lock) of each message pushed.
  void OnPush(std::function<void()> told) {
    std::lock_guard lock(mutex_);
    told_ = std::move(told);
  }
  void Push(Json message) {
    std::lock_guard lock(mutex_);
    messages_.push_back(std::move(message));
    if (told_) told_();
    ready_.notify_one();
  }
  // The end of the input: what is queued is still taken.
  void Close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
    if (told_) told_();
    ready_.notify_one();
  }
  // The next message; waits for one when wait is set. Nothing once closed and empty (or, not
  // waiting, while empty).
  std::optional<Json> Take(bool wait) {
    std::unique_lock lock(mutex_);
    if (wait) ready_.wait(lock, [this] { return !messages_.empty() || closed_; });
    if (messages_.empty()) return std::nullopt;
    Json message = std::move(messages_.front());
    messages_.pop_front();
    return message;
  }
  bool closed() {
    std::lock_guard lock(mutex_);
    return closed_ && messages_.empty();
  }

 private:
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<Json> messages_;
  bool closed_ = false;
  std::function<void()> told_;
};

}  // namespace brindle::dap

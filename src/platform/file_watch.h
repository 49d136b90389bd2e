// Noticing that a file has been saved: inotify on the file's folder, since editors save by
// writing a new file and renaming it over the old one, which a watch on the file itself would
// lose. An editor's save is a burst of events; it counts once, when the burst has settled.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace brindle {

class FileWatch {
 public:
  // How long a save's burst of events must have been quiet before it counts.
  static constexpr uint64_t kSettleMs = 100;

  // Watches the file's folder for the file being written or renamed into place. Null, with
  // the reason, when the file is no regular file or the folder cannot be watched.
  static std::unique_ptr<FileWatch> Open(const std::string& path, std::string& reason);
  ~FileWatch();
  FileWatch(const FileWatch&) = delete;
  FileWatch& operator=(const FileWatch&) = delete;

  // Readable when events have arrived: for a wait that should wake on a save.
  int fd() const { return fd_; }

  // Reads what has arrived without waiting; true once a save has settled by now_ms. The save
  // is then taken: the next true needs another save.
  bool SavedBy(uint64_t now_ms);
  // How long until a save seen so far settles; -1 when none is pending.
  int MsUntilSettled(uint64_t now_ms) const;

 private:
  FileWatch(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}
  void ReadEvents(uint64_t now_ms);

  int fd_;
  std::string name_;  // the file's name in its folder
  bool pending_ = false;
  uint64_t last_event_ms_ = 0;
};

}  // namespace brindle

// Noticing that a file has been saved: inotify on the file's folder, since editors save by
// writing a new file and renaming it over the old one, which a watch on the file itself would
// lose. An editor's save is a burst of events; it counts once, when the burst has settled.
// A file reached through a symbolic link is saved where the link leads: that folder is
// watched for the target's name too, and the link's own for the link being replaced.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct inotify_event;

namespace brindle {

class FileWatch {
 public:
  // How long a save's burst of events must have been quiet before it counts.
  static constexpr uint64_t kSettleMs = 100;

  // Watches the file's folder for the file being written or renamed into place, and the
  // folder of the file it links to for that one. Null, with the reason, when the file is no
  // regular file or a folder cannot be watched.
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
  // A name in a watched folder.
  struct Watched {
    int wd = -1;
    std::string name;
  };

  FileWatch(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  // Watches the folder of path for its name; false, with errno, when it cannot.
  bool Watch(const std::string& path, Watched& watched);
  // The link's target, watched; a link that now leads elsewhere moves the watch there. False,
  // with errno, when the target's folder cannot be watched.
  bool FollowLink();
  void ReadEvents(uint64_t now_ms);
  // Whether an event is of the name given, in its folder.
  bool IsGivenName(const inotify_event& event) const;
  // Whether an event tells of a save.
  bool Counts(const inotify_event& event) const;

  int fd_;
  std::string path_;  // as given
  Watched file_;      // the name given, in its folder
  Watched target_;    // where it links to; no wd when it is no link
  bool pending_ = false;
  uint64_t last_event_ms_ = 0;
};

}  // namespace brindle

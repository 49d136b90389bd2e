#include "platform/file_watch.h"

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace brindle {

std::unique_ptr<FileWatch> FileWatch::Open(const std::string& path, std::string& reason) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) {
    reason = std::strerror(errno);
    return nullptr;
  }
  // A pipe's "folder" (/dev/fd) never tells of a new script.
  if (!S_ISREG(st.st_mode)) {
    reason = "not a regular file";
    return nullptr;
  }
  const std::filesystem::path file(path);
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
  const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd < 0 || inotify_add_watch(fd, folder.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO) < 0) {
    reason = std::strerror(errno);
    if (fd >= 0) close(fd);
    return nullptr;
  }
  return std::unique_ptr<FileWatch>(new FileWatch(fd, file.filename()));
}

FileWatch::~FileWatch() {
  close(fd_);
}

void FileWatch::ReadEvents(uint64_t now_ms) {
  alignas(inotify_event) char buffer[4096];
  for (;;) {
    const ssize_t n = read(fd_, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // EAGAIN: all read
    for (ssize_t at = 0; at < n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      // Overflowed events may have held the file's: a save is assumed.
      const bool ours =
          (event->mask & IN_Q_OVERFLOW) != 0 || (event->len > 0 && name_ == event->name);
      if (ours) {
        pending_ = true;
        last_event_ms_ = now_ms;
      }
    }
  }
}

bool FileWatch::SavedBy(uint64_t now_ms) {
  ReadEvents(now_ms);
  if (!pending_ || now_ms < last_event_ms_ + kSettleMs) return false;
  pending_ = false;
  return true;
}

int FileWatch::MsUntilSettled(uint64_t now_ms) const {
  if (!pending_) return -1;
  const uint64_t settled = last_event_ms_ + kSettleMs;
  return settled > now_ms ? static_cast<int>(settled - now_ms) : 0;
}

}  // namespace brindle

#include "files/file_watch.h"

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

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
  const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd < 0) {
    reason = std::strerror(errno);
    return nullptr;
  }
  std::unique_ptr<FileWatch> watch(new FileWatch(fd, path));
  if (!watch->Watch(path, watch->file_) || !watch->FollowLink()) {
    reason = std::strerror(errno);
    return nullptr;
  }
  return watch;
}

FileWatch::~FileWatch() {
  close(fd_);
}

bool FileWatch::Watch(const std::string& path, Watched& watched) {
  const std::filesystem::path file(path);
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
  const int wd = inotify_add_watch(fd_, folder.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE);
  if (wd < 0) return false;
  watched = {wd, file.filename()};
  return true;
}

// A link that cannot be followed now (its target gone) keeps the watch it had: the target may
// come back. A name that is no link any more needs none.
bool FileWatch::FollowLink() {
  struct stat st;
  if (lstat(path_.c_str(), &st) != 0) return true;
  Watched followed;
  if (S_ISLNK(st.st_mode)) {
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(path_, error);
    if (error) return true;
    if (!Watch(target, followed)) return false;
  }
  // inotify gives a folder one descriptor, so the old one may be the link's or the new one's.
  if (target_.wd >= 0 && target_.wd != followed.wd && target_.wd != file_.wd) {
    inotify_rm_watch(fd_, target_.wd);
  }
  target_ = followed;
  return true;
}

bool FileWatch::IsGivenName(const inotify_event& event) const {
  return event.len > 0 && event.wd == file_.wd && file_.name == event.name;
}

// A file made anew is complete once written (IN_CLOSE_WRITE), but a link is made in one step.
bool FileWatch::Counts(const inotify_event& event) const {
  if ((event.mask & IN_Q_OVERFLOW) != 0) return true;  // the lost events may have been ours
  if ((event.mask & IN_CREATE) != 0) {
    struct stat st;
    return IsGivenName(event) && lstat(path_.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
  }
  return IsGivenName(event) ||
         (event.len > 0 && event.wd == target_.wd && target_.name == event.name);
}

void FileWatch::ReadEvents(uint64_t now_ms) {
  alignas(inotify_event) char buffer[4096];
  for (;;) {
    const ssize_t n = read(fd_, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // EAGAIN: all read
    for (ssize_t at = 0; at < n;) {
      const auto& event = *reinterpret_cast<const inotify_event*>(buffer + at);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
      if (!Counts(event)) continue;
      pending_ = true;
      last_event_ms_ = now_ms;
      // The link itself may have been replaced, leading elsewhere now.
      if ((event.mask & IN_Q_OVERFLOW) != 0 || IsGivenName(event)) FollowLink();
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

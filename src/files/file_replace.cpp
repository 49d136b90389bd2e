#include "files/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "files/fd_write.h"

namespace brindle {
namespace {

std::string SystemReason() {
  return std::strerror(errno);
}

// The mode a newly created file gets from the user's umask.
mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// mkstemp opens with O_EXCL under a name of its own choosing, so an existing path (a
// symbolic link planted there included) is never opened.
std::string TemporaryTemplate(const std::string& path) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  return (folder.empty() ? std::filesystem::path(".") : folder) / ".brindle-XXXXXX";
}

}  // namespace

std::optional<std::string> ReplaceProblem(const std::string& path) {
  if (path.empty()) return "no file name";
  struct stat st;
  if (lstat(path.c_str(), &st) != 0) {
    if (errno == ENOENT) return std::nullopt;  // a missing folder fails later, with its reason
    return SystemReason();
  }
  if (!S_ISREG(st.st_mode)) return "not a regular file";
  return std::nullopt;
}

std::unique_ptr<PendingFile> PendingFile::Create(const std::string& path, std::string& reason) {
  if (std::optional<std::string> problem = ReplaceProblem(path)) {
    reason = *problem;
    return nullptr;
  }
  std::string temporary = TemporaryTemplate(path);
  const int fd = mkstemp(temporary.data());
  if (fd < 0) {
    reason = SystemReason();
    return nullptr;
  }
  if (fchmod(fd, NewFileMode()) != 0) {
    reason = SystemReason();
    close(fd);
    unlink(temporary.c_str());
    return nullptr;
  }
  return std::unique_ptr<PendingFile>(new PendingFile(path, std::move(temporary), fd));
}

PendingFile::~PendingFile() {
  if (fd_ >= 0) close(fd_);
  if (!temporary_.empty()) unlink(temporary_.c_str());
}

bool PendingFile::Commit(std::string& reason) {
  bool done = close(fd_) == 0;
  fd_ = -1;
  if (!done) reason = SystemReason();
  // Checked again just before the rename: the name may have been taken meanwhile.
  if (done) {
    if (std::optional<std::string> problem = ReplaceProblem(path_)) {
      done = false;
      reason = *problem;
    } else if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
      done = false;
      reason = SystemReason();
    }
  }
  if (done) temporary_.clear();
  return done;
}

bool ReplaceFile(const std::string& path, std::span<const unsigned char> bytes,
                 std::string& reason) {
  std::unique_ptr<PendingFile> file = PendingFile::Create(path, reason);
  if (file == nullptr) return false;
  if (!WriteAll(file->fd(), bytes.data(), bytes.size())) {
    reason = SystemReason();
    return false;
  }
  return file->Commit(reason);
}

}  // namespace brindle

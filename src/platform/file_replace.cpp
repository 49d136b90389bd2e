#include "platform/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/fd_write.h"

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

bool ReplaceFile(const std::string& path, std::span<const unsigned char> bytes,
                 std::string& reason) {
  if (std::optional<std::string> problem = ReplaceProblem(path)) {
    reason = *problem;
    return false;
  }
  std::string temporary = TemporaryTemplate(path);
  const int fd = mkstemp(temporary.data());
  if (fd < 0) {
    reason = SystemReason();
    return false;
  }
  bool written = fchmod(fd, NewFileMode()) == 0 && WriteAll(fd, bytes.data(), bytes.size());
  if (!written) reason = SystemReason();
  if (close(fd) != 0 && written) {
    written = false;
    reason = SystemReason();
  }
  // Checked again just before the rename: the name may have been taken meanwhile.
  if (written) {
    if (std::optional<std::string> problem = ReplaceProblem(path)) {
      written = false;
      reason = *problem;
    } else if (std::rename(temporary.c_str(), path.c_str()) != 0) {
      written = false;
      reason = SystemReason();
    }
  }
  if (!written) unlink(temporary.c_str());
  return written;
}

int CreateReplacing(const std::string& path, std::string& reason) {
  if (std::optional<std::string> problem = ReplaceProblem(path)) {
    reason = *problem;
    return -1;
  }
  std::string temporary = TemporaryTemplate(path);
  const int fd = mkstemp(temporary.data());
  if (fd < 0) {
    reason = SystemReason();
    return -1;
  }
  if (fchmod(fd, NewFileMode()) != 0 || std::rename(temporary.c_str(), path.c_str()) != 0) {
    reason = SystemReason();
    close(fd);
    unlink(temporary.c_str());
    return -1;
  }
  return fd;
}

}  // namespace brindle

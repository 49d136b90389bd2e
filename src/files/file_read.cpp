#include "files/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace brindle {
namespace {

std::string TooLarge(size_t max_bytes) {
  constexpr size_t kMiB = size_t{1} << 20;
  if (max_bytes % kMiB == 0) return "larger than " + std::to_string(max_bytes / kMiB) + " MiB";
  return "larger than " + std::to_string(max_bytes) + " bytes";
}

// /dev/null is the usual way to say "nothing": it reads as an empty file.
bool IsNullDevice(const struct stat& st) {
  return S_ISCHR(st.st_mode) && major(st.st_rdev) == 1 && minor(st.st_rdev) == 3;
}

// Why a file of this type is not read, or "".
std::string KindProblem(const struct stat& st, FileKinds kinds) {
  if (S_ISREG(st.st_mode) || IsNullDevice(st)) return "";
  if (S_ISDIR(st.st_mode)) return std::strerror(EISDIR);
  if (S_ISFIFO(st.st_mode) && kinds == FileKinds::kRegularOrPipe) return "";
  return "not a regular file";
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

bool ReadToEnd(int fd, size_t max_bytes, std::string& bytes, std::string& reason) {
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n == 0) return true;
    if (n < 0) {
      if (errno == EINTR) continue;
      // Some files that call themselves regular (/proc/kmsg) would wait for data for ever.
      reason = errno == EAGAIN || errno == EWOULDBLOCK ? "reading it would wait for more data"
                                                       : std::strerror(errno);
      return false;
    }
    if (bytes.size() + static_cast<size_t>(n) > max_bytes) {
      reason = TooLarge(max_bytes);
      return false;
    }
    bytes.append(buffer, static_cast<size_t>(n));
  }
}

}  // namespace

bool ReadWholeFile(const std::string& path, size_t max_bytes, FileKinds kinds, std::string& bytes,
                   std::string& reason) {
  bytes.clear();
  // Without O_NONBLOCK, opening a FIFO that no one writes to waits for ever.
  FileDescriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat st;
  if (file.get() < 0 || fstat(file.get(), &st) != 0) {
    reason = std::strerror(errno);
    return false;
  }
  reason = KindProblem(st, kinds);
  if (!reason.empty()) return false;
  if (S_ISREG(st.st_mode) && static_cast<uint64_t>(st.st_size) > max_bytes) {
    reason = TooLarge(max_bytes);
    return false;
  }
  // A pipe's writer may still be on its way: from here on, reading a pipe waits for it. Any
  // other file is read without waiting.
  if (S_ISFIFO(st.st_mode)) {
    const int flags = fcntl(file.get(), F_GETFL);
    if (flags < 0 || fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
      reason = std::strerror(errno);
      return false;
    }
  }
  return ReadToEnd(file.get(), max_bytes, bytes, reason);
}

}  // namespace brindle

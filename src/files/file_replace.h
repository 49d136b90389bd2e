// Writing a whole file so that it appears complete or not at all, without ever following or
// destroying anything but the named file.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>

namespace brindle {

// Why a file cannot be replaced: an empty name, or a name that exists and is not a regular
// file (a device, FIFO, folder or symbolic link). Nothing when it may be written.
std::optional<std::string> ReplaceProblem(const std::string& path);

// Writes the bytes to a new file in path's folder, created exclusively under a fresh name,
// and renames it over path. On failure path is untouched, no temporary file is left, and
// reason says why.
bool ReplaceFile(const std::string& path, std::span<const unsigned char> bytes,
                 std::string& reason);

// A file written as the program goes, which takes path's place only once it is complete: it
// is made in path's folder under a fresh name (path must be missing or a regular file, as for
// ReplaceFile), and Commit renames it over path, so that the old file (and any hard link to
// it) is replaced, never written through. Until then path is untouched; a file that is never
// committed is removed.
class PendingFile {
 public:
  // Null, with the reason, when path may not be replaced or the new file cannot be made.
  static std::unique_ptr<PendingFile> Create(const std::string& path, std::string& reason);
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  // Where to write; -1 once committed.
  int fd() const { return fd_; }
  // Closes the new file and renames it over path. False, with the reason, when either fails;
  // the new file is then removed and path left as it was.
  bool Commit(std::string& reason);

 private:
  PendingFile(std::string path, std::string temporary, int fd)
      : path_(std::move(path)), temporary_(std::move(temporary)), fd_(fd) {}

  std::string path_;
  std::string temporary_;  // empty once renamed or removed
  int fd_;
};

}  // namespace brindle

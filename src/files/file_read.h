// Reading a whole input file (a script, an events timeline, a picture) with a size limit, so
// that no file can make a run read without end or wait for ever.
#pragma once

#include <cstddef>
#include <string>

namespace brindle {

// Scripts and events timelines: 4096 tokens need far less, and a larger file is a mistake.
inline constexpr size_t kMaxSourceBytes = size_t{16} << 20;

enum class FileKinds {
  kRegular,        // regular files only (what a script names: pictures)
  kRegularOrPipe,  // also a FIFO or pipe, as a shell's <(...) gives (what the user names)
};

// Reads the whole file into bytes. False, with the reason, for a file that cannot be opened
// or read, is of a kind not accepted, or holds more than max_bytes. /dev/null reads as an
// empty file. A FIFO is opened without waiting for a writer: with none it reads as empty. Only
// a pipe's read waits: a file that reports itself as regular but has no data yet (/proc/kmsg)
// cannot be read.
bool ReadWholeFile(const std::string& path, size_t max_bytes, FileKinds kinds, std::string& bytes,
                   std::string& reason);

}  // namespace brindle

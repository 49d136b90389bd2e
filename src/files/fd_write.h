// Writing a whole buffer to a file descriptor: write(2) may take part of it, or be interrupted
// by a signal, and goes on until all is written or it fails.
#pragma once

#include <cstddef>
#include <string_view>

namespace brindle {

// False when a write fails (errno says why) or writes nothing.
bool WriteAll(int fd, const void* data, size_t size);

inline bool WriteAll(int fd, std::string_view bytes) {
  return WriteAll(fd, bytes.data(), bytes.size());
}

}  // namespace brindle

#include "cli/terminal.h"

#include <cerrno>
#include <cstring>

namespace brindle::cli {

void Write(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
}

int Fail(const std::string& message) {
  Write(stderr, "brindle: " + message + "\n");
  return kStatusUsage;
}

int WriteOutput(std::string_view text) {
  Write(stdout, text);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    return Fail(std::string("cannot write standard output: ") + std::strerror(errno));
  }
  return 0;
}

void ReportFault(const std::string& line) {
  Write(stderr, line + "\n");
}

}  // namespace brindle::cli

#include "cli/run_files.h"

#include <cstdlib>
#include <string_view>

#include "cli/terminal.h"
#include "host/script_file.h"
#include "platform/file_read.h"
#include "platform/file_replace.h"
#include "platform/png_writer.h"

namespace brindle::cli {

std::optional<std::string> ReadInput(const std::string& path) {
  std::string bytes, reason;
  if (!brindle::ReadWholeFile(path, brindle::kMaxSourceBytes, brindle::FileKinds::kRegularOrPipe,
                              bytes, reason)) {
    Fail("cannot read " + path + ": " + reason);
    return std::nullopt;
  }
  return bytes;
}

bool ReadScriptFile(const brindle::CommandLine& cl, std::string& text, std::string& reason,
                    int& warnings) {
  const auto warn = [&warnings](const std::string& line) {
    ReportFault(line);
    ++warnings;
  };
  return brindle::ReadScript(cl.script, cl.encoding.value_or(brindle::ScriptEncoding::kAuto), warn,
                             text, reason);
}

// Writes the picture of --screenshot; false, said on stderr, if it could not be written.
bool WriteScreenshot(const std::vector<brindle::ColorRef>& picture,
                     const std::optional<std::string>& file) {
  std::string reason;
  if (file && !brindle::WritePng(picture, brindle::Canvas::kWidth, brindle::Canvas::kHeight, *file,
                                 &reason)) {
    Fail("cannot write " + *file + ": " + reason);
    return false;
  }
  return true;
}

bool Writable(const std::optional<std::string>& file) {
  if (!file) return true;
  if (std::optional<std::string> problem = brindle::ReplaceProblem(*file)) {
    Fail("cannot write " + *file + ": " + *problem);
    return false;
  }
  return true;
}

bool SlowPathsAsked() {
  const char* value = std::getenv("BRINDLE_SLOW_PATHS");
  return value != nullptr && std::string_view(value) == "1";
}

}  // namespace brindle::cli

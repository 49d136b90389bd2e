#include "cli/run_files.h"

#include <cstdlib>
#include <iterator>
#include <string_view>

#include "cli/terminal.h"
#include "files/file_identity.h"
#include "files/file_read.h"
#include "files/file_replace.h"
#include "host/script_file.h"
#include "pictures/png_writer.h"

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

namespace {

struct NamedFile {
  std::string_view what;  // the option, or what the file is to the run
  const std::optional<std::string>& path;
};

}  // namespace

bool OutputsApart(const brindle::CommandLine& cl) {
  const std::optional<std::string> script = cl.script;
  const NamedFile inputs[] = {{"the script", script}, {"the events file", cl.events}};
  const NamedFile outputs[] = {
      {"--screenshot", cl.screenshot}, {"--gif", cl.gif}, {"--record", cl.record}};
  for (size_t i = 0; i < std::size(outputs); ++i) {
    const NamedFile& out = outputs[i];
    if (!out.path) continue;
    for (const NamedFile& in : inputs) {
      if (in.path && brindle::NameTheSameFile(*out.path, *in.path)) {
        Fail("cannot write " + *out.path + ": " + std::string(out.what) + " names " +
             std::string(in.what));
        return false;
      }
    }
    for (size_t j = i + 1; j < std::size(outputs); ++j) {
      if (outputs[j].path && brindle::NameTheSameFile(*out.path, *outputs[j].path)) {
        Fail("cannot write " + *outputs[j].path + ": " + std::string(out.what) + " and " +
             std::string(outputs[j].what) + " name the same file");
        return false;
      }
    }
  }
  return true;
}

bool SlowPathsAsked() {
  const char* value = std::getenv("BRINDLE_SLOW_PATHS");
  return value != nullptr && std::string_view(value) == "1";
}

bool EachStatementAsked() {
  const char* value = std::getenv("BRINDLE_SLOW_PATHS");
  return value != nullptr && std::string_view(value) == "statements";
}

}  // namespace brindle::cli

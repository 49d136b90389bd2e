#include "host/script_file.h"

#include <cstdio>
#include <utility>

#include "files/file_read.h"
#include "frontend/source_position.h"

namespace brindle {
namespace {

// A file in another alphabet would otherwise give a warning for nearly every line.
constexpr size_t kMaxUnmappedWarnings = 20;

std::string CodePoint(char32_t c) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
  return name;
}

std::string Where(const std::string& path, const SourcePosition& at) {
  return path + ":" + std::to_string(at.line) + ":" + std::to_string(at.column);
}

}  // namespace

// One pass over the text, however many lines are reported: counting the line feeds before
// each would make a large file of unmapped characters cost its size squared.
std::vector<std::string> UnmappedWarnings(const std::string& path, const DecodedScript& script) {
  std::vector<std::string> warnings;
  SourcePosition at;
  size_t scanned = 0, line_start = 0;
  for (const UnmappedCharacter& u : script.unmapped) {
    if (warnings.size() == kMaxUnmappedWarnings) {
      const size_t rest = script.unmapped.size() - kMaxUnmappedWarnings;
      warnings.push_back(path + ": warning: " + std::to_string(rest) + " more line" +
                         (rest == 1 ? "" : "s") + " with characters not in Windows-1252");
      break;
    }
    for (; scanned < u.offset; ++scanned) {
      if (script.text[scanned] == '\n') ++at.line, line_start = scanned + 1;
    }
    at.column = static_cast<int>(u.offset - line_start) + 1;
    std::string line = Where(path, at) + ": warning: " + CodePoint(u.character) +
                       " is not in Windows-1252 and reads as \"?\"";
    if (u.more_on_line > 0) {
      line += " (and " + std::to_string(u.more_on_line) + " more on the line)";
    }
    warnings.push_back(std::move(line));
  }
  return warnings;
}

bool ReadScript(const std::string& path, ScriptEncoding encoding,
                const std::function<void(const std::string&)>& warn, std::string& text,
                std::string& reason) {
  std::string bytes;
  if (!ReadWholeFile(path, kMaxSourceBytes, FileKinds::kRegularOrPipe, bytes, reason)) return false;
  DecodedScript script = DecodeScript(std::move(bytes), encoding);
  if (script.malformed_at) {
    const SourcePosition at = PositionAt(script.text, *script.malformed_at);
    reason = "line " + std::to_string(at.line) + ", column " + std::to_string(at.column) +
             " is not UTF-8 (--encoding cp1252 reads the bytes as they are)";
    return false;
  }
  for (const std::string& warning : UnmappedWarnings(path, script)) warn(warning);
  text = std::move(script.text);
  return true;
}

}  // namespace brindle

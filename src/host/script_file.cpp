#include "host/script_file.h"

#include <cstdio>
#include <utility>

#include "frontend/source_position.h"
#include "platform/file_read.h"

namespace brindle {
namespace {

std::string CodePoint(char32_t c) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
  return name;
}

std::string Where(const std::string& path, const SourcePosition& at) {
  return path + ":" + std::to_string(at.line) + ":" + std::to_string(at.column);
}

}  // namespace

// One pass over the text, however many characters are reported: a large file of another
// script's text must not cost a count of its lines for each of them.
std::vector<std::string> UnmappedWarnings(const std::string& path, const DecodedScript& script) {
  std::vector<std::string> warnings;
  SourcePosition at;
  size_t scanned = 0, line_start = 0;
  int reported_line = 0;
  size_t more = 0;  // on the line of the last warning
  const auto finish_line = [&] {
    if (more > 0) warnings.back() += " (and " + std::to_string(more) + " more on the line)";
    more = 0;
  };
  for (const UnmappedCharacter& u : script.unmapped) {
    for (; scanned < u.offset; ++scanned) {
      if (script.text[scanned] == '\n') ++at.line, line_start = scanned + 1;
    }
    if (at.line == reported_line) {
      ++more;
      continue;
    }
    finish_line();
    at.column = static_cast<int>(u.offset - line_start) + 1;
    warnings.push_back(Where(path, at) + ": warning: " + CodePoint(u.character) +
                       " is not in Windows-1252 and reads as \"?\"");
    reported_line = at.line;
  }
  finish_line();
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

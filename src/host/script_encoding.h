// Script files as the text a script sees: bytes read as Windows-1252. Editors today mostly save
// UTF-8, where a character such as "é" takes two bytes; such a file is converted, so that the
// tokenizer, LEN and the canvas see one byte for it, as the script means.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

enum class ScriptEncoding {
  kAuto,    // UTF-8 when the file starts with a byte-order mark, or is valid UTF-8 and holds a
            // character of more than one byte; else the bytes as they are
  kUtf8,    // always converted
  kCp1252,  // the bytes as they are
};

// "auto", "utf-8" (or "utf8"), "cp1252"; nothing for any other name.
std::optional<ScriptEncoding> ParseScriptEncoding(std::string_view name);

// The first character of a line with no Windows-1252 byte, which became "?" at offset in the
// text, and how many more on its line did.
struct UnmappedCharacter {
  size_t offset = 0;
  char32_t character = 0;
  size_t more_on_line = 0;
};

struct DecodedScript {
  std::string text;                         // Windows-1252; a byte-order mark is dropped
  std::vector<UnmappedCharacter> unmapped;  // one a line at most
  // When UTF-8 was required and the bytes are not: where in text the conversion stopped (text
  // holds what came before, so a position can be given as an editor counts it).
  std::optional<size_t> malformed_at;
};

// Takes the bytes, which most files pass on as they are.
DecodedScript DecodeScript(std::string bytes, ScriptEncoding encoding);

}  // namespace brindle

// The editor's text of a script as the interpreter reads it. Editors send Unicode and count
// positions in UTF-16 code units; a script is one byte per character. Each UTF-16 code unit
// becomes one byte (its Windows-1252 byte, or "?" where it has none), so that a position in
// the editor is the same line and column in the bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "frontend/source_position.h"

namespace brindle::lsp {

// Zero-based, as the protocol counts. A position read from a message is at most INT_MAX, which
// is past the end of any text.
struct Position {
  int line = 0;
  int character = 0;
};

// The bytes of a document's text (valid UTF-8, as a JSON parser gives it).
std::string ScriptBytes(std::string_view utf8);

// Script bytes (in messages, names) as UTF-8 for the editor: each byte its Windows-1252
// character (a byte with none stands for the control character of its number).
std::string Utf8Text(std::string_view bytes);

// The byte at a position (a character past the line's end is the line's end; a line past the
// last is the end of the text), and the position of a byte, from the text's line index.
size_t OffsetOf(const LineIndex& lines, Position at);
// The local path a file: URI names ("" for another scheme or a malformed escape).
std::string LocalPathOfUri(std::string_view uri);
Position PositionOf(const LineIndex& lines, size_t offset);

}  // namespace brindle::lsp

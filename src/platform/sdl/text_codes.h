// Text between the window system (UTF-8) and scripts (bytes read as Windows-1252).
#pragma once

#include <string>
#include <string_view>

namespace brindle {

// Typed text as the bytes a script sees: a character Windows-1252 lacks becomes "?", as it does
// for a window that takes its characters in that code page. Control characters, which are keys
// rather than text, and malformed sequences are left out.
std::string Windows1252FromUtf8(std::string_view utf8);

// Script bytes for the window system (a message box's caption): control bytes and the bytes the
// code page leaves undefined become blanks.
std::string Utf8FromWindows1252(std::string_view bytes);

}  // namespace brindle

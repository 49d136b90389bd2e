// Windows-1252, the code page script text is in. The one table of its characters, for the
// font, for text typed into the window and for script files saved as UTF-8.
#pragma once

namespace brindle {

// The Unicode character of a Windows-1252 byte; 0 for control bytes and the bytes the code
// page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D).
char32_t Windows1252ToUnicode(unsigned char byte);

// The Windows-1252 byte of a character; -1 when the code page has none. Control characters
// below 0x80 are their own bytes; the C1 controls (U+0080 to U+009F) have none.
int Windows1252ByteOf(char32_t c);

}  // namespace brindle

// Typed UTF-8 text as script bytes, and script bytes as UTF-8 for window titles.
#include "platform/sdl/text_codes.h"

#include <gtest/gtest.h>

namespace brindle::testing {
namespace {

TEST(TextCodes, TypedTextBecomesWindows1252) {
  EXPECT_EQ(Windows1252FromUtf8("Abc 9!~"), "Abc 9!~");
  EXPECT_EQ(Windows1252FromUtf8("\xC3\xA9"), "\xE9") << "e acute, as a dead key makes it";
  EXPECT_EQ(Windows1252FromUtf8("\xE2\x82\xAC"), "\x80") << "the euro sign";
  EXPECT_EQ(Windows1252FromUtf8("\xC5\xB8"), "\x9F") << "Y with diaeresis";
  EXPECT_EQ(Windows1252FromUtf8("\xC5\x91"), "?") << "o with double acute: not in the code page";
  EXPECT_EQ(Windows1252FromUtf8("\xF0\x9F\x98\x80"), "?") << "four bytes, one character";
  EXPECT_EQ(Windows1252FromUtf8("\xEF\xBF\xBD"), "?") << "the replacement character itself";
}

TEST(TextCodes, ControlCharactersAndMalformedBytesTypeNothing) {
  EXPECT_EQ(Windows1252FromUtf8(std::string("a\tb\r\n\x7F\0c", 8)), "abc");
  EXPECT_EQ(Windows1252FromUtf8("\xC2\x85"), "") << "a C1 control, though 0x85 is in the code page";
  EXPECT_EQ(Windows1252FromUtf8("x\xC3"), "x") << "cut short";
  EXPECT_EQ(Windows1252FromUtf8("\xC0\x80y"), "y") << "an overlong zero";
  EXPECT_EQ(Windows1252FromUtf8("\xED\xA0\x80z"), "z") << "a surrogate";
  EXPECT_EQ(Windows1252FromUtf8("\x80\xBF!"), "!") << "stray continuation bytes";
}

TEST(TextCodes, ScriptBytesForTheWindowSystem) {
  EXPECT_EQ(Utf8FromWindows1252("T:Error"), "T:Error");
  EXPECT_EQ(Utf8FromWindows1252("\x80\xE9\xFF"), "\xE2\x82\xAC\xC3\xA9\xC3\xBF");
  EXPECT_EQ(Utf8FromWindows1252(std::string("a\tb\x81\0", 5)), "a b  ")
      << "controls and undefined bytes are blanks";
}

}  // namespace
}  // namespace brindle::testing

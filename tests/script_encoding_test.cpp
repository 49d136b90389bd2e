// Script files saved as UTF-8 read as the Windows-1252 text the script means: which files are
// converted, what each character becomes, the warnings, and the runs that read them.
#include "host/script_encoding.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/script_file.h"
#include "run_brindle.h"
#include "text/utf8.h"
#include "text/windows1252.h"

namespace fs = std::filesystem;

namespace brindle::testing {
namespace {

std::string Decoded(const std::string& bytes, ScriptEncoding encoding = ScriptEncoding::kAuto) {
  return DecodeScript(bytes, encoding).text;
}

TEST(ScriptEncoding, AutoConvertsOnlyWhatIsUtf8WithMoreThanAscii) {
  EXPECT_EQ(Decoded("PRINT 1, 2, \"x\"\n"), "PRINT 1, 2, \"x\"\n");
  EXPECT_EQ(Decoded("s = \"caf\xC3\xA9\"\n"), "s = \"caf\xE9\"\n");
  EXPECT_EQ(Decoded("s = \"caf\xE9\"\n"), "s = \"caf\xE9\"\n") << "Windows-1252 already";
  EXPECT_EQ(Decoded("\xC3\xA9 \xE9"), "\xC3\xA9 \xE9") << "one byte that is not UTF-8: all kept";
  EXPECT_EQ(Decoded("\xEF\xBB\xBFVAR n\n"), "VAR n\n") << "the byte-order mark is dropped";
  EXPECT_EQ(Decoded("\xEF\xBB\xBFVAR n\n", ScriptEncoding::kCp1252), "\xEF\xBB\xBFVAR n\n");
  EXPECT_EQ(Decoded("caf\xC3\xA9", ScriptEncoding::kCp1252), "caf\xC3\xA9");
  EXPECT_EQ(Decoded("", ScriptEncoding::kUtf8), "");
}

TEST(ScriptEncoding, EveryWindows1252CharacterComesBackAsItsByte) {
  for (int byte = 0x80; byte <= 0xFF; ++byte) {
    const char32_t c = Windows1252ToUnicode(static_cast<unsigned char>(byte));
    if (c == 0) continue;  // the five undefined bytes
    std::string utf8;
    AppendUtf8(utf8, c);
    EXPECT_EQ(Decoded(utf8, ScriptEncoding::kUtf8), std::string(1, static_cast<char>(byte)))
        << std::hex << byte;
  }
  EXPECT_EQ(Decoded("\xE2\x82\xAC\xE2\x80\x9C\xC5\xB8", ScriptEncoding::kUtf8), "\x80\x93\x9F")
      << "euro sign, left double quote, Y with diaeresis";
  // Control characters, line ends among them, stay what they are.
  EXPECT_EQ(Decoded(std::string("\t\r\n\x01\x7F\0", 6), ScriptEncoding::kUtf8),
            std::string("\t\r\n\x01\x7F\0", 6));
}

TEST(ScriptEncoding, CharactersTheCodePageLacksBecomeQuestionMarks) {
  // U+0081 is a C1 control; 0x81 is undefined in Windows-1252, so it has no byte either.
  const DecodedScript s =
      DecodeScript("a\xE4\xB8\xAD\n\xC2\x81\xF0\x9F\x98\x80\xC3\xA9", ScriptEncoding::kAuto);
  EXPECT_EQ(s.text, "a?\n??\xE9");
  ASSERT_EQ(s.unmapped.size(), 2u) << "the first of each line";
  EXPECT_EQ(s.unmapped[0].offset, 1u);
  EXPECT_EQ(s.unmapped[0].character, U'\u4E2D');
  EXPECT_EQ(s.unmapped[0].more_on_line, 0u);
  EXPECT_EQ(s.unmapped[1].offset, 3u);
  EXPECT_EQ(s.unmapped[1].character, U'\u0081');
  EXPECT_EQ(s.unmapped[1].more_on_line, 1u) << "the emoji";
}

TEST(ScriptEncoding, BytesThatAreNotUtf8StopAForcedConversion) {
  const DecodedScript forced = DecodeScript("ab\n\xC3\xA9x\xE9y", ScriptEncoding::kUtf8);
  ASSERT_TRUE(forced.malformed_at);
  EXPECT_EQ(*forced.malformed_at, 5u) << "after a, b, LF, e acute, x";
  // A byte-order mark says UTF-8 as --encoding utf-8 does.
  EXPECT_TRUE(DecodeScript("\xEF\xBB\xBF\xE9", ScriptEncoding::kAuto).malformed_at);
  for (const char* bad : {"\xC3", "\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80"}) {
    EXPECT_TRUE(DecodeScript(bad, ScriptEncoding::kUtf8).malformed_at) << bad;
    EXPECT_EQ(Decoded(bad), bad) << "auto keeps the bytes";
  }
}

TEST(ScriptEncoding, OneWarningALineAtItsFirstCharacterCountedInCharacters) {
  const DecodedScript s =
      DecodeScript("\xC3\xA9\xC3\xA9\xE4\xB8\xAD x \xE4\xB8\xAD\n\nok\n\xF0\x9F\x98\x80\n",
                   ScriptEncoding::kAuto);
  const std::vector<std::string> warnings = UnmappedWarnings("g.bas", s);
  ASSERT_EQ(warnings.size(), 2u);
  EXPECT_EQ(warnings[0],
            "g.bas:1:3: warning: U+4E2D is not in Windows-1252 and reads as \"?\" (and 1 more on "
            "the line)");
  EXPECT_EQ(warnings[1], "g.bas:4:1: warning: U+1F600 is not in Windows-1252 and reads as \"?\"");
  EXPECT_TRUE(UnmappedWarnings("g.bas", DecodeScript("\xC3\xA9\n", ScriptEncoding::kAuto)).empty());
  std::string many;
  for (int line = 0; line < 23; ++line) many += "' \xE4\xB8\xAD\n";
  const std::vector<std::string> capped =
      UnmappedWarnings("g.bas", DecodeScript(many, ScriptEncoding::kAuto));
  ASSERT_EQ(capped.size(), 21u);
  EXPECT_EQ(capped[19].substr(0, 14), "g.bas:20:3: wa");
  EXPECT_EQ(capped[20], "g.bas: warning: 3 more lines with characters not in Windows-1252");
}

TEST(ScriptEncoding, NamesOnTheCommandLine) {
  EXPECT_EQ(ParseScriptEncoding("auto"), ScriptEncoding::kAuto);
  EXPECT_EQ(ParseScriptEncoding("utf-8"), ScriptEncoding::kUtf8);
  EXPECT_EQ(ParseScriptEncoding("utf8"), ScriptEncoding::kUtf8);
  EXPECT_EQ(ParseScriptEncoding("cp1252"), ScriptEncoding::kCp1252);
  EXPECT_FALSE(ParseScriptEncoding("latin1"));
  EXPECT_FALSE(ParseScriptEncoding(""));
}

fs::path WriteScript(const std::string& name, const std::string& bytes) {
  const fs::path path = TempPath(name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

// The script sees one byte for each character: MSTR picks the fourth, the tokenizer counts
// what it counts in the Windows-1252 file, and the fault's column is the editor's.
TEST(ScriptEncoding, RunsSeeTheTextTheScriptMeans) {
  const std::string body =
      "STR s, t\nVAR k\nk = 4\ns = \"caf\xC3\xA9 \xE2\x82\xAC\xE4\xB8\xAD\"\nt = MSTR(s, k, 1)\n"
      "PRINT 0, 0, t\nPRINT 0, 20, s\n";
  const fs::path utf8 = WriteScript("brindle-utf8.bas", "\xEF\xBB\xBF" + body);
  const fs::path cp1252 =
      WriteScript("brindle-cp1252.bas",
                  "STR s, t\nVAR k\nk = 4\ns = \"caf\xE9 \x80?\"\nt = MSTR(s, k, 1)\n"
                  "PRINT 0, 0, t\nPRINT 0, 20, s\n");
  const ProcessResult converted = RunBrindle({"--headless", utf8.string()});
  const ProcessResult original = RunBrindle({"--headless", cp1252.string()});
  EXPECT_EQ(converted.out, original.out);
  EXPECT_NE(converted.out.find("print\t0\t0\t\\xe9\n"), std::string::npos) << converted.out;
  EXPECT_NE(converted.out.find("print\t0\t20\tcaf\\xe9 \\x80?\n"), std::string::npos);
  EXPECT_EQ(converted.status, original.status);
  EXPECT_EQ(converted.err,
            utf8.string() + ":4:12: warning: U+4E2D is not in Windows-1252 and reads as \"?\"\n");
  EXPECT_EQ(original.err, "");

  const ProcessResult bytes = RunBrindle({"--headless", "--encoding", "cp1252", utf8.string()});
  EXPECT_EQ(bytes.status, 1) << "the byte-order mark is then an unknown token";
  const ProcessResult forced = RunBrindle({"--check", "--encoding", "utf-8", cp1252.string()});
  EXPECT_EQ(forced.status, 2);
  EXPECT_EQ(forced.out, "");
  EXPECT_EQ(forced.err, "brindle: cannot read " + cp1252.string() +
                            ": line 4, column 9 is not UTF-8 (--encoding cp1252 reads the bytes "
                            "as they are)\n");
  fs::remove(utf8);
  fs::remove(cp1252);
}

TEST(ScriptEncoding, FaultColumnsCountCharactersAsAnEditorDoes) {
  const fs::path script =
      WriteScript("brindle-utf8-fault.bas", "STR t\nt = \"\xC3\xA9\xE2\x82\xAC\" + zz\n");
  const ProcessResult r = RunBrindle({"--check", script.string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            script.string() + ":2:12: error: ERROR: Variable ID not found! -{ zz }-Line: 2\n");
  fs::remove(script);
}

TEST(ScriptEncoding, LintCountsTheWarningAndTakesTheOption) {
  const fs::path script =
      WriteScript("brindle-utf8-lint.bas", "STR s\ns = \"\xE4\xB8\xAD\"\nPRINT 0, 0, s\n");
  const ProcessResult lint = RunBrindle({"--lint", script.string()});
  EXPECT_EQ(lint.status, 1);
  EXPECT_EQ(lint.err,
            script.string() + ":2:6: warning: U+4E2D is not in Windows-1252 and reads as \"?\"\n");
  const ProcessResult bytes = RunBrindle({"--lint", "--encoding", "cp1252", script.string()});
  EXPECT_EQ(bytes.status, 0) << bytes.err;
  const ProcessResult unknown = RunBrindle({"--check", "--encoding", "latin1", script.string()});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.err.rfind("brindle: --encoding needs auto, utf-8 or cp1252\nusage:", 0), 0u);
  fs::remove(script);
}

}  // namespace
}  // namespace brindle::testing

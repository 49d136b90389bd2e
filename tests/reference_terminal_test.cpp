#include "lang/reference_terminal.h"

#include <gtest/gtest.h>

#include "lang/reference.h"

namespace brindle {
namespace {

TEST(ReferenceTerminal, MarkupBecomesPlainText) {
  EXPECT_EQ(ReferenceAsTerminalText("`CIRCLE cx, cy, r`\n\n**Quirks**\n"
                                    "- A missing argument is read from the next line "
                                    "([W13](warnings.md#w13)).\n",
                                    false),
            "CIRCLE cx, cy, r\n\nQuirks\n- A missing argument is read from the next line "
            "(W13).\n");
  // Inside code nothing is markup: a string with ** or [x](y) stays as written.
  EXPECT_EQ(ReferenceAsTerminalText("`PRINT 1, 1, \"**[a](b)\"`\n", false),
            "PRINT 1, 1, \"**[a](b)\"\n");
  // A bracket that opens no link is kept.
  EXPECT_EQ(ReferenceAsTerminalText("p[3] and [see] it\n", false), "p[3] and [see] it\n");
}

TEST(ReferenceTerminal, CodeBlocksAreIndentedWithoutFences) {
  EXPECT_EQ(ReferenceAsTerminalText("**Example**\n```basic\nVAR n\n\nn = `1`\n```\nafter\n", false),
            "Example\n    VAR n\n\n    n = `1`\nafter\n");
}

TEST(ReferenceTerminal, StrongTextIsBoldOnlyWhenAsked) {
  EXPECT_EQ(ReferenceAsTerminalText("**Arguments**\n", true), "\x1b[1mArguments\x1b[0m\n");
  // Left open at the line's end: closed there.
  EXPECT_EQ(ReferenceAsTerminalText("**open\nnext\n", true), "\x1b[1mopen\x1b[0m\nnext\n");
}

// No entry keeps a backtick, a fence, a ** or a link's target once read for the terminal.
TEST(ReferenceTerminal, EveryEntryReadsAsText) {
  for (const ReferenceEntry& entry : ReferenceEntries()) {
    const std::string text = ReferenceAsTerminalText(entry.body, false);
    for (const char* markup : {"```", "**", "](", "](#"}) {
      EXPECT_EQ(text.find(markup), std::string::npos) << entry.name << ": " << markup;
    }
    EXPECT_EQ(text.find('`'), std::string::npos) << entry.name << "\n" << text;
  }
}

}  // namespace
}  // namespace brindle

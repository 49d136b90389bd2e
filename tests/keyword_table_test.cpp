// The table of keywords and what is made from it: the reference follows it, every keyword
// reaches the statement function it names or the pump, and the functions of a number are read
// as factors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exec/executor.h"
#include "lang/keywords.h"
#include "lang/reference.h"
#include "runtime/token_facts.h"

namespace brindle {
namespace {

// An editor's hover and `brindle --help NAME` find a keyword's entry by its text; the reference
// lists the keywords in the table's order, declarations last, so that each entry sits where a
// reader of the table looks for it.
TEST(KeywordTable, TheReferenceFollowsItInOrder) {
  const std::vector<ReferenceEntry>& entries = ReferenceEntries();
  ASSERT_GE(entries.size(), std::size(kKeywordTable));
  for (size_t i = 0; i < std::size(kKeywordTable); ++i) {
    EXPECT_EQ(entries[i].name, kKeywordTable[i].text) << "entry " << i;
  }
}

TEST(KeywordTable, EveryKeywordReachesItsStatementOrThePump) {
  for (const KeywordFacts& k : kKeywordTable) {
    EXPECT_EQ(StatementOfKind(k.code) != nullptr, BeginsStatement(k)) << k.text;
  }
  // A name begins an assignment or a call; punctuation, literals and line ends begin nothing.
  EXPECT_NE(StatementOfKind(TK_IDENT), nullptr);
  for (int kind = 0; kind < 0x20; ++kind) {
    if (kind == TK_IDENT) continue;
    EXPECT_EQ(StatementOfKind(kind), nullptr) << "kind " << kind;
  }
}

TEST(KeywordTable, FunctionsOfANumberReadTheirArgumentAsAFactor) {
  TokenTable tokens;
  Symbols symbols;
  TokenFacts facts;
  int p = 0;
  for (const KeywordFacts& k : kKeywordTable) {
    ++p;
    tokens.text.Write(p) = std::string(k.text);
    tokens.kind[p] = k.code;
  }
  tokens.count = p;
  ComputeTokenFactsOf(tokens, symbols, facts, 1, p);
  p = 0;
  for (const KeywordFacts& k : kKeywordTable) {
    const FactorForm expected = k.code == KW_VAL      ? kFormVal
                                : IsNumberFunction(k) ? kFormFunction
                                                      : kFormNone;
    EXPECT_EQ(facts.info[++p].form, expected) << k.text;
  }
}

}  // namespace
}  // namespace brindle

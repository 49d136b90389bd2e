// The editor grammar against the interpreter: every byte the tokenizer reads as a keyword, a
// number, a string or a comment is coloured so, and nothing else is, over every example and
// test script and over every keyword of the table in the places a keyword can stand.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "frontend/token_table.h"
#include "frontend/tokenizer.h"
#include "lang/keywords.h"
#include "lang/text.h"
#include "prepass/blocks.h"
#include "prepass/prepass.h"
#include "prepass/symbols.h"
#include "textmate.h"

namespace brindle {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

enum class Colour { kOther, kKeyword, kNumber, kString, kComment };

const char* NameOf(Colour c) {
  switch (c) {
    case Colour::kOther:
      return "other";
    case Colour::kKeyword:
      return "keyword";
    case Colour::kNumber:
      return "number";
    case Colour::kString:
      return "string";
    case Colour::kComment:
      return "comment";
  }
  return "?";
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

json CommittedGrammar() {
  return json::parse(ReadFile(BRINDLE_COMMITTED_GRAMMAR));
}

// The interpreter's reading of a text: the colour of each byte, and how many bytes from the
// start the tokenizer read before a fault (all of them when there was none).
struct Reading {
  std::vector<Colour> colours;
  size_t read = 0;
};

void Fill(Reading& r, size_t from, size_t length, Colour c) {
  std::fill_n(r.colours.begin() + static_cast<long>(from), length, c);
}

bool IsDeclarationKeyword(const std::string& text) {
  return std::ranges::any_of(
      kDeclarationKeywords, [&](const DeclarationKeyword& d) { return UpperCase(text) == d.text; });
}

Reading ReadAsTheInterpreter(std::string_view text) {
  TokenTable tokens;
  Symbols symbols;
  Blocks blocks;
  const TokenizeResult result = Tokenize(text, tokens);
  Reading r{std::vector<Colour>(text.size(), Colour::kOther), text.size()};
  int count = 0;
  while (count < kTokenCapacity && tokens.kind[count + 1] != TK_NONE) ++count;
  if (result.error != TokenizerError::kNone) {
    // Only whole lines before the fault are compared.
    const size_t feed = text.rfind('\n', result.fault_offset == 0 ? 0 : result.fault_offset - 1);
    r.read = feed == std::string_view::npos || result.fault_offset == 0 ? 0 : feed + 1;
  }
  std::vector<bool> was_name(count + 1);
  for (int p = 1; p <= count; ++p) was_name[p] = tokens.kind[p] == TK_IDENT;
  tokens.count = count;
  ClassifyKeywords({tokens, symbols, blocks});
  size_t previous_end = 0;
  for (int p = 1; p <= count; ++p) {
    const size_t at = static_cast<size_t>(tokens.offset[p]);
    const int kind = tokens.kind[p];
    size_t length = tokens.text[p].size();
    if (kind == TK_STRING) {
      length += 2;
      Fill(r, at, length, Colour::kString);
    } else if (kind == TK_NUMBER) {
      Fill(r, at, length, Colour::kNumber);
    } else if (kind == TK_EOL) {
      // Between two tokens there are only blanks and, before a line end, a comment.
      length = 0;
      const size_t quote = text.substr(0, at).find('\'', previous_end);
      if (quote != std::string_view::npos) Fill(r, quote, at - quote, Colour::kComment);
    } else if (was_name[p] && (kind != TK_IDENT || IsDeclarationKeyword(tokens.text[p]))) {
      Fill(r, at, length, Colour::kKeyword);
    } else if (kind != TK_IDENT) {
      length = 1;
    }
    previous_end = at + length;
  }
  return r;
}

class Colouring {
 public:
  explicit Colouring(const json& grammar) : grammar_(grammar) {
    for (const json& rule : grammar.at("repository").at("keywords").at("patterns")) {
      keyword_scopes_.insert(rule.at("name").get<std::string>());
    }
  }

  std::vector<Colour> Colours(std::string_view text) const {
    std::vector<Colour> colours;
    for (const textmate::Scopes& scopes : grammar_.ScopesOfBytes(text)) {
      colours.push_back(ColourOf(scopes));
    }
    return colours;
  }

 private:
  Colour ColourOf(const textmate::Scopes& scopes) const {
    for (auto s = scopes.rbegin(); s != scopes.rend(); ++s) {
      if (keyword_scopes_.contains(*s)) return Colour::kKeyword;
      if (s->starts_with("constant.numeric.")) return Colour::kNumber;
      if (s->starts_with("string.")) return Colour::kString;
      if (s->starts_with("comment.")) return Colour::kComment;
    }
    return Colour::kOther;
  }

  textmate::Grammar grammar_;
  std::set<std::string> keyword_scopes_;
};

// The places where the grammar and the interpreter differ, one line each, the first few.
std::string Differences(std::string_view text, const Colouring& colouring) {
  const Reading reading = ReadAsTheInterpreter(text);
  const std::vector<Colour> coloured = colouring.Colours(text);
  std::string report;
  int reported = 0, line = 1;
  size_t line_start = 0;
  for (size_t i = 0; i < reading.read && reported < 5; ++i) {
    if (text[i] == '\n') {
      ++line;
      line_start = i + 1;
    } else if (reading.colours[i] != coloured[i]) {
      const size_t line_end = text.find('\n', i);
      report += "line " + std::to_string(line) + " column " + std::to_string(i - line_start + 1) +
                ": the interpreter reads " + NameOf(reading.colours[i]) + ", the grammar colours " +
                NameOf(coloured[i]) + ": " +
                std::string(text.substr(line_start, line_end - line_start)) + "\n";
      ++reported;
      // One report per token is enough: go on after it.
      while (i + 1 < reading.read && text[i + 1] != '\n' &&
             reading.colours[i + 1] != coloured[i + 1]) {
        ++i;
      }
    }
  }
  return report;
}

std::vector<fs::path> Scripts() {
  std::vector<fs::path> scripts;
  for (const char* folder : {"examples", "tests/scripts"}) {
    for (const auto& entry : fs::directory_iterator(fs::path(BRINDLE_SOURCE_DIR) / folder)) {
      if (entry.path().extension() == ".bas") scripts.push_back(entry.path());
    }
  }
  std::ranges::sort(scripts);
  return scripts;
}

// Each keyword of the table in the places a keyword can stand, and in names and literals
// that only look like it.
std::string KeywordLines() {
  std::string text;
  auto add = [&](std::string_view word) {
    std::string lower(word);
    std::ranges::transform(lower, lower.begin(), [](char c) { return c - 'A' + 'a'; });
    const std::string w(word);
    text += w + "\n" + lower + "(1)\n" + "x = 12" + w + ":" + w + "x " + w + "_ _" + w + " x" + w +
            "\n" + "\"" + w + "\" ' " + w + "\n" + "LABEL " + w + " : GOTO " + lower + "\n" +
            "FUNC " + w + "()\n" + "WINMSG " + w + "\n";
  };
  for (const Keyword& k : kKeywords) add(k.text);
  for (const DeclarationKeyword& d : kDeclarationKeywords) add(d.text);
  return text + "ENDFN\nENDWM\n";
}

TEST(EditorGrammar, CommittedFileIsTheGeneratedOne) {
  EXPECT_TRUE(ReadFile(BRINDLE_GRAMMAR) == ReadFile(BRINDLE_COMMITTED_GRAMMAR))
      << "editors/vscode/syntaxes/brindle.tmLanguage.json differs from the grammar generated "
         "from the keyword table; run `make grammar` to refresh it";
  EXPECT_TRUE(ReadFile(BRINDLE_VIM_SYNTAX) == ReadFile(BRINDLE_COMMITTED_VIM_SYNTAX))
      << "editors/neovim/syntax/brindle.vim differs from the syntax file generated from the "
         "keyword table; run `make grammar` to refresh it";
}

TEST(EditorGrammar, ColoursEveryScriptAsTheInterpreterReadsIt) {
  const Colouring colouring(CommittedGrammar());
  const std::vector<fs::path> scripts = Scripts();
  ASSERT_GT(scripts.size(), 100u);
  for (const fs::path& script : scripts) {
    EXPECT_EQ(Differences(ReadFile(script), colouring), "") << script.string();
  }
}

TEST(EditorGrammar, ColoursEveryKeywordOfTheTable) {
  EXPECT_EQ(Differences(KeywordLines(), Colouring(CommittedGrammar())), "");
}

// The comparison itself must see a keyword the grammar lost, and a name it took for one.
TEST(EditorGrammar, ComparisonSeesAMissingOrExtraKeyword) {
  for (const auto& [from, to] :
       {std::pair<std::string, std::string>{"SHOWIMGT|", ""}, {"|VAR)", "|VAR|ABC)"}}) {
    json grammar = CommittedGrammar();
    bool edited = false;
    for (json& rule : grammar["repository"]["keywords"]["patterns"]) {
      std::string match = rule["match"];
      if (const size_t at = match.find(from); at != std::string::npos && !edited) {
        rule["match"] = match.replace(at, from.size(), to);
        edited = true;
      }
    }
    ASSERT_TRUE(edited) << from;
    const std::string differences =
        Differences("VAR abc\nSHOWIMGT abc, 1, 2, 3, 4\n", Colouring(grammar));
    EXPECT_NE(differences, "") << from;
  }
}

// The scopes an editor uses for outlines and themes, beyond the colours above.
TEST(EditorGrammar, NamesLabelsFunctionsAndHandlerBlocks) {
  const textmate::Grammar grammar(CommittedGrammar());
  const std::string text =
      "GOTO done\nFUNC draw_it()\nPRINT 1, 2, \"it's\"\nENDFN\nWINMSG wmkeydown\nx = 1\nENDWM\n"
      "LABEL done\nPRINT \"open\n";
  const std::vector<textmate::Scopes> scopes = grammar.ScopesOfBytes(text);
  auto innermost = [&](std::string_view piece, int nth = 0) {
    size_t at = text.find(piece);
    while (nth-- > 0) at = text.find(piece, at + 1);
    return scopes.at(at).back();
  };
  auto has = [&](std::string_view piece, const std::string& scope) {
    const textmate::Scopes& s = scopes.at(text.find(piece));
    return std::ranges::find(s, scope) != s.end();
  };
  EXPECT_EQ(innermost("done"), "entity.name.label.brindle");
  EXPECT_EQ(innermost("done", 1), "entity.name.label.brindle");
  EXPECT_EQ(innermost("draw_it"), "entity.name.function.brindle");
  EXPECT_EQ(innermost("wmkeydown"), "support.constant.event.brindle");
  EXPECT_EQ(innermost("it's"), "string.quoted.double.brindle");
  EXPECT_EQ(innermost("\"open"), "invalid.illegal.unclosed-string.brindle");
  EXPECT_TRUE(has("PRINT 1", "meta.function.brindle"));
  EXPECT_TRUE(has("ENDFN", "meta.function.brindle"));
  EXPECT_TRUE(has("x = 1", "meta.handler.brindle"));
  EXPECT_FALSE(has("LABEL", "meta.handler.brindle"));
  EXPECT_FALSE(has("LABEL", "meta.function.brindle"));
}

// Folding and indenting follow the blocks the interpreter counts: every opening keyword of the
// table starts a fold and indents, every closing one ends it, in any case; a longer name does
// neither. (These patterns are JavaScript's; they keep to what both engines read alike.)
TEST(EditorLanguageConfiguration, FoldsAndIndentsEveryBlockOfTheTable) {
  const json config = json::parse(ReadFile(BRINDLE_LANGUAGE_CONFIGURATION));
  const std::string start = config["folding"]["markers"]["start"];
  const std::string end = config["folding"]["markers"]["end"];
  const std::string indent = config["indentationRules"]["increaseIndentPattern"];
  const std::string outdent = config["indentationRules"]["decreaseIndentPattern"];
  EXPECT_EQ(config["comments"]["lineComment"], "'");
  int openers = 0, closers = 0;
  for (const Keyword& k : kKeywords) {
    const BlockCounter c = k.counter;
    const bool opens = c == BlockCounter::kIf || c == BlockCounter::kWhile ||
                       c == BlockCounter::kFunc || c == BlockCounter::kWinmsg;
    const bool closes = c == BlockCounter::kEndif || c == BlockCounter::kWend ||
                        c == BlockCounter::kEndfn || c == BlockCounter::kEndwm;
    openers += opens;
    closers += closes;
    const std::string word(k.text);
    for (const std::string& line : {word + " x", "  " + LowerCase(word) + "\t", word + "\r"}) {
      EXPECT_EQ(textmate::Matches(start, line), opens) << line;
      EXPECT_EQ(textmate::Matches(end, line), closes) << line;
      EXPECT_TRUE(!opens || textmate::Matches(indent, line)) << line;
      EXPECT_TRUE(!closes || textmate::Matches(outdent, line)) << line;
    }
    const std::string longer = word + "x = 1";
    EXPECT_FALSE(textmate::Matches(start, longer) || textmate::Matches(end, longer)) << longer;
  }
  EXPECT_EQ(openers, 4);
  EXPECT_EQ(closers, 4);
}

}  // namespace
}  // namespace brindle

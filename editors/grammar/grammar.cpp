#include "grammar.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "lang/keyword_roles.h"
#include "lang/keywords.h"
#include "prepass/blocks.h"

namespace brindle {
namespace {

using Json = nlohmann::ordered_json;

// The tokenizer's word: a letter or "_", then letters, digits and "_". A keyword pattern must
// end where the word ends, or it would colour the start of a longer name ("lines", "PRINTX").
// It needs no check before it: the name and number patterns consume every word and number
// from its first character, so a keyword pattern can only win at the start of a word or right
// after a number ("12print" is the two tokens 12 and PRINT).
constexpr std::string_view kName = "[A-Za-z_][A-Za-z0-9_]*";
constexpr std::string_view kWordEnd = "(?![A-Za-z0-9_])";
// Blanks between two tokens of a line; CR is a blank too.
constexpr std::string_view kBlanks = "[ \\t\\r]+";

struct RoleScope {
  KeywordRole role;
  std::string_view scope;
};
constexpr RoleScope kRoleScopes[] = {
    {KeywordRole::kControl, "keyword.control.brindle"},
    {KeywordRole::kDeclaration, "storage.type.brindle"},
    {KeywordRole::kStatement, "keyword.other.statement.brindle"},
    {KeywordRole::kFunction, "support.function.builtin.brindle"},
};

std::string ScopeOf(KeywordRole role) {
  for (const RoleScope& r : kRoleScopes) {
    if (r.role == role) return std::string(r.scope);
  }
  throw std::logic_error("a keyword role has no grammar scope");
}

std::string TextOf(KeywordCode code) {
  for (const Keyword& k : kKeywords) {
    if (k.code == code) return std::string(k.text);
  }
  throw std::logic_error("a keyword code has no text");
}

// Every keyword with its role: the classified keywords and the declaring ones.
std::vector<std::pair<std::string, KeywordRole>> AllKeywords() {
  std::vector<std::pair<std::string, KeywordRole>> all;
  for (const Keyword& k : kKeywords) all.emplace_back(k.text, RoleOf(k.code));
  for (const DeclarationKeyword& d : kDeclarationKeywords) all.emplace_back(d.text, RoleOf(d.code));
  return all;
}

// Words are written into patterns as they are, so each must be plain capital letters.
// Longest first: a word that begins another (SHOWIMG, SHOWIMGT) is then tried last, and the
// order, hence the file, does not change with the table's order.
std::string Alternation(std::vector<std::string> words) {
  std::ranges::sort(words, [](const std::string& a, const std::string& b) {
    return a.size() != b.size() ? a.size() > b.size() : a < b;
  });
  std::string out = "(?:";
  for (const std::string& w : words) {
    if (w.empty() || !std::ranges::all_of(w, [](char c) { return c >= 'A' && c <= 'Z'; })) {
      throw std::logic_error("keyword '" + w + "' is not plain capital letters");
    }
    if (out.size() > 3) out += '|';
    out += w;
  }
  return out + ")";
}

// Put before a name, in a case-insensitive pattern: the name is not a keyword.
std::string NotAKeyword() {
  std::vector<std::string> words;
  for (const auto& [text, role] : AllKeywords()) words.push_back(text);
  return "(?!" + Alternation(words) + std::string(kWordEnd) + ")";
}

Json Capture(std::string scope) {
  return Json{{"name", std::move(scope)}};
}

Json Comment() {
  return Json{{"name", "comment.line.quote.brindle"},
              {"match", "(').*$"},
              {"captures", {{"1", Capture("punctuation.definition.comment.brindle")}}}};
}

// A string ends at its line: an unclosed one stops the tokenizer, and is shown as an error.
Json Strings() {
  const Json closed = {{"name", "string.quoted.double.brindle"},
                       {"match", "(\")[^\"\\n]*(\")"},
                       {"captures",
                        {{"1", Capture("punctuation.definition.string.begin.brindle")},
                         {"2", Capture("punctuation.definition.string.end.brindle")}}}};
  const Json unclosed = {{"name", "invalid.illegal.unclosed-string.brindle"},
                         {"match", "\"[^\"\\n]*$"}};
  return Json{{"patterns", Json::array({closed, unclosed})}};
}

Json Keywords() {
  Json patterns = Json::array();
  for (const RoleScope& r : kRoleScopes) {
    const std::vector<std::string> words = KeywordsOf(r.role);
    if (words.empty()) continue;
    patterns.push_back(
        {{"name", r.scope}, {"match", "(?i)" + Alternation(words) + std::string(kWordEnd)}});
  }
  return Json{{"patterns", patterns}};
}

// LABEL name and GOTO name: the name is a label, unless it is a keyword.
Json Labels() {
  const std::string match = "(?i)(" + TextOf(KW_LABEL) + "|" + TextOf(KW_GOTO) + ")" +
                            std::string(kBlanks) + NotAKeyword() + "(" + std::string(kName) + ")";
  return Json{
      {"match", match},
      {"captures",
       {{"1", Capture(ScopeOf(RoleOf(KW_LABEL)))}, {"2", Capture("entity.name.label.brindle")}}}};
}

// A block from an opening keyword (and the name after it, group 2) to its closing one.
// Blocks nest as the text does; everything inside is coloured as at the top.
Json Block(std::string scope, KeywordCode open, const std::string& after_open,
           std::string name_scope, KeywordCode close) {
  return Json{{"name", std::move(scope)},
              {"begin", "(?i)(" + TextOf(open) + ")" + std::string(kWordEnd) + after_open},
              {"beginCaptures",
               {{"1", Capture(ScopeOf(RoleOf(open)))}, {"2", Capture(std::move(name_scope))}}},
              {"end", "(?i)(" + TextOf(close) + ")" + std::string(kWordEnd)},
              {"endCaptures", {{"1", Capture(ScopeOf(RoleOf(close)))}}},
              {"patterns", Json::array({{{"include", "$self"}}})}};
}

Json FunctionBlock() {
  const std::string name =
      "(?:" + std::string(kBlanks) + NotAKeyword() + "(" + std::string(kName) + "))?";
  return Block("meta.function.brindle", KW_FUNC, name, "entity.name.function.brindle", KW_ENDFN);
}

Json HandlerBlock() {
  std::vector<std::string> events;
  for (const HandlerName& h : kHandlerNames) events.emplace_back(h.text);
  const std::string event =
      "(?:" + std::string(kBlanks) + "(" + Alternation(events) + ")" + std::string(kWordEnd) + ")?";
  return Block("meta.handler.brindle", KW_WINMSG, event, "support.constant.event.brindle",
               KW_ENDWM);
}

Json Match(std::string scope, std::string match) {
  return Json{{"name", std::move(scope)}, {"match", std::move(match)}};
}

}  // namespace

std::vector<std::string> KeywordsOf(KeywordRole role) {
  std::vector<std::string> words;
  for (const auto& [text, r] : AllKeywords()) {
    if (r == role) words.push_back(text);
  }
  return words;
}

nlohmann::ordered_json BuildGrammar() {
  // The order matters where two patterns match at the same place: the blocks and labels come
  // before the plain keywords, and the keywords before names.
  const char* order[] = {"comment",  "string", "function-block", "handler-block", "label",
                         "keywords", "number", "call",           "name",          "operator"};
  Json patterns = Json::array();
  for (const char* name : order) patterns.push_back({{"include", std::string("#") + name}});

  Json repository;
  repository["comment"] = Comment();
  repository["string"] = Strings();
  repository["function-block"] = FunctionBlock();
  repository["handler-block"] = HandlerBlock();
  repository["label"] = Labels();
  repository["keywords"] = Keywords();
  // Digits and points, as many as follow: "1.2.3" is one number token.
  repository["number"] = Match("constant.numeric.brindle", "[0-9][0-9.]*");
  repository["call"] =
      Match("entity.name.function.call.brindle", "(" + std::string(kName) + ")(?=[ \\t\\r]*\\()");
  repository["name"] = Match("variable.other.brindle", std::string(kName));
  repository["operator"] =
      Json{{"patterns", Json::array({Match("keyword.operator.brindle", "[-+*/%^=<>&|!]"),
                                     Match("punctuation.separator.statement.brindle", ":"),
                                     Match("punctuation.separator.comma.brindle", ",")})}};

  return Json{{"information_for_contributors",
               Json::array({"Generated from the interpreter's keyword table by editors/grammar: "
                            "do not edit. `make grammar` refreshes it."})},
              {"name", "Brindle"},
              {"scopeName", "source.brindle"},
              {"fileTypes", Json::array({"bas"})},
              {"patterns", patterns},
              {"repository", repository}};
}

}  // namespace brindle

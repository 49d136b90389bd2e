#include <algorithm>
#include <string>
#include <vector>

#include "grammar.h"
#include "lang/keywords.h"
#include "prepass/blocks.h"

namespace brindle {
namespace {

struct RoleGroup {
  KeywordRole role;
  const char* group;
  const char* link;  // the standard group it is coloured as
};
constexpr RoleGroup kRoleGroups[] = {
    {KeywordRole::kControl, "brindleControl", "Statement"},
    {KeywordRole::kDeclaration, "brindleDeclaration", "Type"},
    {KeywordRole::kStatement, "brindleStatement", "Keyword"},
    {KeywordRole::kFunction, "brindleFunction", "Function"},
};

// syn keyword lines of at most about 100 columns, the words sorted so the file is stable.
std::string KeywordLines(const char* group, std::vector<std::string> words) {
  std::ranges::sort(words);
  std::string out, line;
  for (const std::string& w : words) {
    if (!line.empty() && line.size() + w.size() > 100) {
      out += line + "\n";
      line.clear();
    }
    if (line.empty()) line = std::string("syntax keyword ") + group;
    line += " " + w;
  }
  return line.empty() ? out : out + line + "\n";
}

std::string Alternatives(const std::vector<std::string>& words) {
  std::string out;
  for (const std::string& w : words) out += (out.empty() ? "" : "\\|") + w;
  return "\\%(" + out + "\\)";
}

}  // namespace

// Keywords are matched in any case and only as whole words, as the tokenizer reads them; Vim
// gives a keyword precedence over a match that starts at the same place, so "GOTO PRINT"
// colours PRINT as the keyword it is. One difference from the tokenizer: a keyword right after
// a number ("12print") is part of one Vim word and stays uncoloured.
std::string BuildVimSyntax() {
  std::string out =
      "\" Vim syntax file for Brindle scripts.\n"
      "\" Generated from the interpreter's keyword table by editors/grammar: do not edit.\n"
      "\" `make grammar` refreshes it.\n"
      "if exists('b:current_syntax')\n  finish\nendif\n\n"
      "syntax case ignore\n\n";
  for (const RoleGroup& r : kRoleGroups) out += KeywordLines(r.group, KeywordsOf(r.role));

  std::vector<std::string> events;
  for (const HandlerName& h : kHandlerNames) events.emplace_back(h.text);
  out += "\n\" The name after LABEL, GOTO and FUNC, and the event after WINMSG.\n";
  out += "syntax match brindleLabel /\\%(\\<\\%(LABEL\\|GOTO\\)\\s\\+\\)\\@<=\\h\\w*/\n";
  out += "syntax match brindleFunctionName /\\%(\\<FUNC\\s\\+\\)\\@<=\\h\\w*/\n";
  out += "syntax match brindleEvent /\\%(\\<WINMSG\\s\\+\\)\\@<=" + Alternatives(events) + "\\>/\n";
  out +=
      "\n\" Digits and points, as many as follow: \"1.2.3\" is one number.\n"
      "syntax match brindleNumber /\\<\\d[0-9.]*/\n"
      "\" A string ends at its line; one left open there stops the tokenizer.\n"
      "syntax match brindleString /\"[^\"]*\"/\n"
      "syntax match brindleUnclosedString /\"[^\"]*$/\n"
      "syntax match brindleComment /'.*$/ contains=@Spell\n\n";
  for (const RoleGroup& r : kRoleGroups) {
    out += std::string("highlight default link ") + r.group + " " + r.link + "\n";
  }
  out +=
      "highlight default link brindleLabel Label\n"
      "highlight default link brindleFunctionName Function\n"
      "highlight default link brindleEvent Constant\n"
      "highlight default link brindleNumber Number\n"
      "highlight default link brindleString String\n"
      "highlight default link brindleUnclosedString Error\n"
      "highlight default link brindleComment Comment\n\n"
      "let b:current_syntax = 'brindle'\n";
  return out;
}

}  // namespace brindle

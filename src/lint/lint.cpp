#include "lint/lint.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include "frontend/source_position.h"
#include "frontend/tokenizer.h"
#include "host/driver.h"
#include "lang/keywords.h"
#include "lang/text.h"
#include "lint/name_hints.h"
#include "prepass/prepass.h"
#include "runtime/faults.h"
#include "runtime/script_image.h"

namespace brindle {
namespace {

// The comments of a source's lines: from the first apostrophe outside a string to the line's
// end ("" when there is none). Each line is read once, however many warnings it has.
class LineComments {
 public:
  LineComments(std::string_view source, const LineIndex& lines) : source_(source), lines_(lines) {}

  // The comment of the line the byte at offset is on.
  std::string_view Of(size_t offset) {
    const size_t line = static_cast<size_t>(lines_.At(offset).line) - 1;
    if (line != line_) {
      line_ = line;
      comment_ = Find(lines_.LineStart(line), lines_.LineEnd(line));
    }
    return comment_;
  }

 private:
  std::string_view Find(size_t at, size_t end) const {
    bool in_string = false;
    for (; at < end; ++at) {
      if (source_[at] == '"') in_string = !in_string;
      if (source_[at] == '\'' && !in_string) return source_.substr(at, end - at);
    }
    return "";
  }

  std::string_view source_;
  const LineIndex& lines_;
  size_t line_ = std::string_view::npos;
  std::string_view comment_;
};

// Whether the comment names the id after "lint-ignore".
bool Silenced(std::string_view comment, std::string_view id) {
  const size_t ignore = comment.find("lint-ignore");
  if (ignore == std::string_view::npos) return false;
  const std::string_view ids = comment.substr(ignore);
  for (size_t at = ids.find(id); at != std::string_view::npos; at = ids.find(id, at + 1)) {
    const size_t after = at + id.size();
    if (after == ids.size() || !std::isalnum(static_cast<unsigned char>(ids[after]))) return true;
  }
  return false;
}

std::string WarningLine(std::string_view path, const SourcePosition& at, const Warning& w) {
  return std::string(path) + ":" + std::to_string(at.line) + ":" + std::to_string(at.column) +
         ": warning: " + w.text + " [" + w.id + "]";
}

Finding WarningAt(const TokenTable& tokens, Warning w) {
  return {false, static_cast<size_t>(tokens.offset[w.token]), {}, std::move(w)};
}

// A keyword where FUNC, LABEL or GOTO wants a name faults with "without name", which does not
// say why.
std::optional<std::string> KeywordAsNameHint(const TokenTable& tokens, int p) {
  if (p < 1 || tokens.kind[p] == TK_IDENT) return std::nullopt;
  const int before = tokens.kind[p - 1];
  if (before != KW_FUNC && before != KW_LABEL && before != KW_GOTO) return std::nullopt;
  const std::string word = UpperCase(tokens.text[p]);
  const bool keyword = std::any_of(kKeywords.begin(), kKeywords.end(),
                                   [&](const Keyword& k) { return k.text == word; }) ||
                       std::any_of(kDeclarationKeywords.begin(), kDeclarationKeywords.end(),
                                   [&](const DeclarationKeyword& k) { return k.text == word; });
  if (!keyword) return std::nullopt;
  return word + " is a keyword and cannot name a function or a label: choose another name";
}

// After a fault at an unknown name, a hint when the name is a keyword of other BASICs or a
// keyword misspelt; after a fault at a keyword used as a name, that it is one.
void AddNameHint(const TokenTable& tokens, int p, std::vector<Finding>& findings) {
  if (std::optional<std::string> hint = KeywordAsNameHint(tokens, p)) {
    findings.push_back(WarningAt(tokens, {p, "W21", tokens.text[p] + ": " + *hint}));
    return;
  }
  if (tokens.kind[p] != TK_IDENT) return;
  if (std::optional<std::string> hint = NameHint(tokens.text[p])) {
    findings.push_back(WarningAt(tokens, {p, "W21", tokens.text[p] + ": " + *hint}));
  }
}

}  // namespace

Examination Examine(std::string_view text) {
  Examination exam;
  exam.lines = LineIndex(text);
  TokenTable& tokens = exam.image->tokens;
  const TokenizeResult tokenized = Tokenize(text, tokens);
  if (tokenized.fault) {
    exam.findings.push_back({true, tokenized.fault_offset, *tokenized.fault, {}});
    return exam;
  }
  tokens.count = tokenized.token_count;
  if (tokens.line_count == 0) {  // no line end: the tokenizer ends the program too
    exam.findings.push_back({true, std::nullopt, msg::TokenizerTerminated(), {}});
    return exam;
  }
  exam.tokenized = true;
  if (Fault fault = PrePass({tokens, exam.image->symbols, exam.image->blocks})) {
    std::optional<size_t> at;
    if (fault->token > 0) at = static_cast<size_t>(tokens.offset[fault->token]);
    exam.findings.push_back({true, at, *fault, {}});
    AddNameHint(tokens, fault->token, exam.findings);
    return exam;
  }
  exam.checked = true;
  LineComments comments(text, exam.lines);
  for (Warning& w : FindWarnings(tokens, exam.image->symbols)) {
    if (Silenced(comments.Of(static_cast<size_t>(tokens.offset[w.token])), w.id)) continue;
    exam.findings.push_back(WarningAt(tokens, std::move(w)));
  }
  return exam;
}

namespace {

// Reports the findings as lines; the faults only when asked. Returns how many were reported.
int Report(const SourceFile& source, const std::function<void(const std::string&)>& report,
           bool faults) {
  const Examination exam = Examine(source.text);
  int reported = 0;
  for (const Finding& f : exam.findings) {
    if (f.error && !faults) continue;
    const SourcePosition at = exam.lines.At(f.offset.value_or(0));
    report(f.error ? FaultLine(source.path, f.offset ? &at : nullptr, f.fault)
                   : WarningLine(source.path, at, f.warning));
    ++reported;
  }
  return reported;
}

}  // namespace

int LintScript(const SourceFile& source, const std::function<void(const std::string&)>& report) {
  return Report(source, report, true);
}

int ReportWarnings(const SourceFile& source,
                   const std::function<void(const std::string&)>& report) {
  return Report(source, report, false);
}

}  // namespace brindle

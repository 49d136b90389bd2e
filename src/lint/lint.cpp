#include "lint/lint.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include "frontend/source_position.h"
#include "frontend/tokenizer.h"
#include "host/driver.h"
#include "lang/keywords.h"
#include "lang/text.h"
#include "lint/fault_hints.h"
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
Finding HintAt(const TokenTable& tokens, Warning w) {
  Finding hint = WarningAt(tokens, std::move(w));
  hint.hint = true;
  return hint;
}

void AddNameHint(const TokenTable& tokens, int p, std::vector<Finding>& findings) {
  if (std::optional<Warning> hint = FaultHint(tokens, p)) {
    findings.push_back(HintAt(tokens, std::move(*hint)));
    return;
  }
  if (std::optional<std::string> hint = KeywordAsNameHint(tokens, p)) {
    findings.push_back(HintAt(tokens, {p, "W21", tokens.text[p] + ": " + *hint}));
    return;
  }
  if (tokens.kind[p] != TK_IDENT) return;
  if (std::optional<std::string> hint = NameHint(tokens.text[p])) {
    findings.push_back(HintAt(tokens, {p, "W21", tokens.text[p] + ": " + *hint}));
  }
}

}  // namespace

namespace {

constexpr std::string_view kNeverReadId = "W19";

// In the order of the text; a fault before the hint about it.
void SortByPlace(std::vector<Finding>& findings) {
  std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
    return a.offset.value_or(0) < b.offset.value_or(0);
  });
}

// Blanks the line that holds the byte at offset (a fault at a line's end is that line's),
// keeping every byte's place; false when there was nothing left to blank.
bool BlankLineAt(std::string& text, size_t offset) {
  offset = std::min(offset, text.size());
  const size_t start = offset == 0 ? 0 : text.rfind('\n', offset - 1) + 1;
  const size_t end = std::min(text.find('\n', offset), text.size());
  bool changed = false;
  for (size_t i = start; i < end; ++i) {
    changed |= text[i] != ' ';
    text[i] = ' ';
  }
  return changed;
}

// Tokenizes the text into exam's image. With every fault wanted, a line the tokenizer refuses
// is recorded and blanked, and the rest is tokenized again, up to kMaxTokenizerFaults; a script
// with too many tokens stops there, since each line after it would be refused the same way.
// False when no table came of it.
bool TokenizeExamined(std::string_view text, FaultsWanted wanted, Examination& exam) {
  std::string blanked;
  for (int faults = 0;; ++faults) {
    exam.image = std::make_unique<ScriptImage>();
    TokenTable& tokens = exam.image->tokens;
    const TokenizeResult tokenized = Tokenize(blanked.empty() ? text : blanked, tokens);
    if (!tokenized.fault) {
      tokens.count = tokenized.token_count;
      return true;
    }
    exam.findings.push_back({true, tokenized.fault_offset, *tokenized.fault, {}});
    if (wanted == FaultsWanted::kFirst || tokenized.error == TokenizerError::kTooManyTokens ||
        faults + 1 == kMaxTokenizerFaults) {
      return false;
    }
    if (blanked.empty()) blanked = text;
    if (!BlankLineAt(blanked, tokenized.fault_offset)) return false;
  }
}

// The warnings that are not silenced, but none on a line that has a fault: its statement was
// not read as written. Nor, after a fault, the warning of variables never read: the reads in
// the faulty statements were not seen.
void AddWarnings(std::string_view text, Examination& exam) {
  const TokenTable& tokens = exam.image->tokens;
  std::vector<int> faulty_lines;
  for (const Finding& f : exam.findings) {
    if (f.error && f.offset) faulty_lines.push_back(exam.lines.At(*f.offset).line);
  }
  LineComments comments(text, exam.lines);
  for (Warning& w : FindWarnings(tokens, exam.image->symbols)) {
    const size_t offset = static_cast<size_t>(tokens.offset[w.token]);
    const int line = exam.lines.At(offset).line;
    if (std::find(faulty_lines.begin(), faulty_lines.end(), line) != faulty_lines.end()) continue;
    if (!faulty_lines.empty() && w.id == kNeverReadId) continue;
    if (Silenced(comments.Of(offset), w.id)) continue;
    exam.findings.push_back(WarningAt(tokens, std::move(w)));
  }
}

}  // namespace

Examination Examine(std::string_view text, FaultsWanted wanted) {
  Examination exam;
  exam.lines = LineIndex(text);
  if (!TokenizeExamined(text, wanted, exam)) return exam;
  TokenTable& tokens = exam.image->tokens;
  if (tokens.line_count == 0) {  // no line end: the tokenizer ends the program too
    exam.findings.push_back({true, std::nullopt, msg::TokenizerTerminated(), {}});
    return exam;
  }
  exam.tokenized = true;
  const PrePassTables tables{tokens, exam.image->symbols, exam.image->blocks};
  std::vector<Message> faults;
  if (wanted == FaultsWanted::kAll) {
    faults = PrePassAll(tables);
  } else if (Fault first = PrePass(tables)) {
    faults.push_back(std::move(*first));
  }
  std::vector<int> hinted;  // two faults at one word (GOTO Wend) give one hint
  for (Message& fault : faults) {
    std::optional<size_t> at;
    if (fault.token > 0) at = static_cast<size_t>(tokens.offset[fault.token]);
    const int token = fault.token;
    exam.findings.push_back({true, at, std::move(fault), {}});
    if (std::find(hinted.begin(), hinted.end(), token) != hinted.end()) continue;
    hinted.push_back(token);
    AddNameHint(tokens, token, exam.findings);
  }
  exam.checked = exam.findings.empty();
  if (wanted == FaultsWanted::kAll || exam.checked) AddWarnings(text, exam);
  SortByPlace(exam.findings);
  return exam;
}

void AddMissingPictures(std::string_view text, std::string_view script_path, Examination& exam) {
  if (!exam.tokenized) return;
  const TokenTable& tokens = exam.image->tokens;
  LineComments comments(text, exam.lines);
  for (Warning& w : MissingPictures(tokens, script_path)) {
    if (Silenced(comments.Of(static_cast<size_t>(tokens.offset[w.token])), w.id)) continue;
    exam.findings.push_back(WarningAt(tokens, std::move(w)));
  }
  SortByPlace(exam.findings);
}

namespace {

// Reports the findings as lines; the faults only when asked. Returns how many were reported.
int Report(const SourceFile& source, const std::function<void(const std::string&)>& report,
           bool faults) {
  Examination exam = Examine(source.text, faults ? FaultsWanted::kAll : FaultsWanted::kFirst);
  AddMissingPictures(source.text, source.path, exam);
  int reported = 0;
  for (const Finding& f : exam.findings) {
    // The run reports its fault itself, with the fault's hint as a note after it.
    if ((f.error || f.hint) && !faults) continue;
    const SourcePosition at = exam.lines.At(f.offset.value_or(0));
    report(f.error ? FaultLine(source.path, f.offset ? &at : nullptr, f.fault)
                   : WarningLine(source.path, at, f.warning));
    ++reported;
  }
  return reported;
}

}  // namespace

std::vector<std::string> FaultNotes(const SourceFile& source, const TokenTable& tokens,
                                    const Message& fault) {
  std::vector<Finding> hints;
  if (fault.token > 0) AddNameHint(tokens, fault.token, hints);
  std::vector<std::string> lines;
  if (hints.empty()) return lines;
  const LineIndex index(source.text);
  for (const Finding& h : hints) {
    const SourcePosition at = index.At(*h.offset);
    lines.push_back(source.path + ":" + std::to_string(at.line) + ":" + std::to_string(at.column) +
                    ": note: " + h.warning.text + " [" + h.warning.id + "]");
  }
  return lines;
}

int LintScript(const SourceFile& source, const std::function<void(const std::string&)>& report) {
  return Report(source, report, true);
}

int ReportWarnings(const SourceFile& source,
                   const std::function<void(const std::string&)>& report) {
  return Report(source, report, false);
}

}  // namespace brindle

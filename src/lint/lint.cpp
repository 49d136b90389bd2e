#include "lint/lint.h"

#include <cctype>
#include <memory>

#include "frontend/source_position.h"
#include "frontend/tokenizer.h"
#include "host/driver.h"
#include "lint/name_hints.h"
#include "prepass/prepass.h"
#include "runtime/faults.h"
#include "runtime/script_image.h"

namespace brindle {
namespace {

// The comment of the line the byte at offset is on: from the first apostrophe outside a
// string to the line's end ("" when there is none).
std::string_view LineComment(std::string_view source, size_t offset) {
  const size_t feed = source.rfind('\n', offset == 0 ? 0 : offset - 1);
  size_t at = offset == 0 || feed == std::string_view::npos ? 0 : feed + 1;
  bool in_string = false;
  for (; at < source.size() && source[at] != '\n'; ++at) {
    if (source[at] == '"') in_string = !in_string;
    if (source[at] == '\'' && !in_string) {
      const size_t end = source.find('\n', at);
      return source.substr(at, end == std::string_view::npos ? end : end - at);
    }
  }
  return "";
}

std::string WarningLine(const SourceFile& source, const TokenTable& tokens, const Warning& w) {
  const SourcePosition at = PositionOfToken(source.text, tokens, w.token);
  return source.path + ":" + std::to_string(at.line) + ":" + std::to_string(at.column) +
         ": warning: " + w.text + " [" + w.id + "]";
}

}  // namespace

bool WarningSilenced(std::string_view source, size_t offset, std::string_view id) {
  const std::string_view comment = LineComment(source, offset);
  const size_t ignore = comment.find("lint-ignore");
  if (ignore == std::string_view::npos) return false;
  const std::string_view ids = comment.substr(ignore);
  for (size_t at = ids.find(id); at != std::string_view::npos; at = ids.find(id, at + 1)) {
    const size_t after = at + id.size();
    if (after == ids.size() || !std::isalnum(static_cast<unsigned char>(ids[after]))) return true;
  }
  return false;
}

namespace {

enum class Faults { kReport, kLeaveToTheRun };

int Lint(const SourceFile& source, const std::function<void(const std::string&)>& report,
         Faults faults) {
  const auto report_fault = [&](const std::string& line) {
    if (faults == Faults::kReport) report(line);
  };
  auto image = std::make_unique<ScriptImage>();
  TokenTable& tokens = image->tokens;
  const TokenizeResult tokenized = Tokenize(source.text, tokens);
  if (tokenized.fault) {
    report_fault(
        TokenizerFaultLine(source.path, source.text, tokenized.fault_offset, *tokenized.fault));
    return faults == Faults::kReport ? 1 : 0;
  }
  tokens.count = tokenized.token_count;
  if (tokens.line_count == 0) {  // no line end: the tokenizer ends the program too
    report_fault(FaultLine(source.path, nullptr, msg::TokenizerTerminated()));
    return faults == Faults::kReport ? 1 : 0;
  }
  if (Fault fault = PrePass({tokens, image->symbols, image->blocks})) {
    report_fault(PreCheckFaultLine(source.path, source.text, tokens, *fault));
    int hints = 0;
    if (tokens.kind[fault->token] == TK_IDENT) {
      if (std::optional<std::string> hint = NameHint(tokens.text[fault->token])) {
        report(WarningLine(source, tokens,
                           {fault->token, "W21", tokens.text[fault->token] + ": " + *hint}));
        ++hints;
      }
    }
    return faults == Faults::kReport ? 1 : hints;
  }
  int reported = 0;
  for (const Warning& w : FindWarnings(tokens, image->symbols)) {
    if (WarningSilenced(source.text, static_cast<size_t>(tokens.offset[w.token]), w.id)) continue;
    report(WarningLine(source, tokens, w));
    ++reported;
  }
  return reported;
}

}  // namespace

int LintScript(const SourceFile& source, const std::function<void(const std::string&)>& report) {
  return Lint(source, report, Faults::kReport);
}

int ReportWarnings(const SourceFile& source,
                   const std::function<void(const std::string&)>& report) {
  return Lint(source, report, Faults::kLeaveToTheRun);
}

}  // namespace brindle

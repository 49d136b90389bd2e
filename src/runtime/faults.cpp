#include "runtime/faults.h"

#include <algorithm>

#include "platform/headless/transcript.h"
#include "runtime/interpreter.h"

namespace brindle {
namespace {

// The statement around token p: back to the token after the line end or ":" that comes before
// it. Found only when a fault is shown, so the statement loop keeps no record.
int StatementStart(const Interpreter& in, int p) {
  const ZeroTable<int>& kind = in.image.tokens.kind;
  p = std::min(p, in.image.tokens.count);
  if (p < 1) return 1;
  if ((kind[p] == TK_EOL || kind[p] == TK_COLON) && p > 1) --p;
  while (p > 1 && kind[p - 1] != TK_EOL && kind[p - 1] != TK_COLON) --p;
  return p;
}

// The name of the handler block the innermost run started in, or "" in the main part.
std::string_view RunBlock(const Interpreter& in) {
  if (in.run == nullptr || in.run->entry <= 0) return "";
  return in.image.tokens.text[in.run->entry];
}

}  // namespace

void ShowMessage(Interpreter& in, Message message) {
  if (message.caption.empty()) message.caption = "<MsgBox>";
  in.platform.ShowMessage(message.caption, message.text);
}

void ShowRunTimeError(Interpreter& in, Message message) {
  if (in.observer != nullptr) in.observer->BeforeRunTimeError(in, message);
  in.outcome.run_time_error_shown = true;
  if (in.report_fault) {
    // Compiled code may run several statements with the cursor on the first: a fault that
    // knows its token is placed by that token.
    const int token = StatementStart(in, message.token > 0 ? message.token : in.cursor.cur);
    if (!in.source_lines) in.source_lines.emplace(in.source);
    const SourcePosition at = in.source_lines->AtToken(in.image.tokens, token);
    in.report_fault(FaultLine(in.script_path, &at, message, RunBlock(in)));
  }
  ShowMessage(in, std::move(message));
  if (in.stop_on_error) throw StoppedOnError{};
}

std::string FaultLine(std::string_view path, const SourcePosition* at, const Message& message,
                      std::string_view block) {
  std::string line(path);
  if (at != nullptr) line += ":" + std::to_string(at->line) + ":" + std::to_string(at->column);
  line += ": error: " + EscapeTranscriptField(message.caption) + ": " +
          EscapeTranscriptField(message.text);
  if (!block.empty()) line += " (in the " + EscapeTranscriptField(block) + " block)";
  return line;
}

std::string TokenizerFaultLine(std::string_view path, std::string_view source, size_t offset,
                               const Message& fault) {
  const SourcePosition at = PositionAt(source, offset);
  return FaultLine(path, &at, fault);
}

std::string PreCheckFaultLine(std::string_view path, std::string_view source,
                              const TokenTable& tokens, const Message& fault) {
  const SourcePosition at = PositionOfToken(source, tokens, fault.token);
  return FaultLine(path, fault.token > 0 ? &at : nullptr, fault);
}

void AbandonRun() {
  throw RunAbandoned{};
}

void FailRun(Interpreter& in, Message message) {
  ShowRunTimeError(in, std::move(message));
  AbandonRun();
}

}  // namespace brindle

#include "runtime/faults.h"

#include "runtime/interpreter.h"

namespace brindle {

void ShowMessage(Interpreter& in, Message message) {
  if (message.caption.empty()) message.caption = "<MsgBox>";
  in.platform.ShowMessage(message.caption, message.text);
}

void ShowRunTimeError(Interpreter& in, Message message) {
  in.outcome.run_time_error_shown = true;
  ShowMessage(in, std::move(message));
}

void AbandonRun() {
  throw RunAbandoned{};
}

void FailRun(Interpreter& in, Message message) {
  ShowRunTimeError(in, std::move(message));
  AbandonRun();
}

}  // namespace brindle

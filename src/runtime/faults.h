// How runs end early, and the boxes that say why. Shared by the evaluators and the statements,
// which show their faults and then abandon the run.
#pragma once

#include "lang/messages.h"

namespace brindle {

struct Interpreter;

// Thrown by AbandonRun: a fatal fault ends every active run, and the program goes on at the
// message loop.
struct RunAbandoned {};

// Thrown when the window is closed: the process ends, also in the middle of a run.
struct WindowClosed {};

// Shows a modal box. An empty caption is shown as "<MsgBox>".
void ShowMessage(Interpreter& in, Message message);

// Shows a run-time fault: the process's outcome records that an error box was seen.
void ShowRunTimeError(Interpreter& in, Message message);

// Ends every active run after a fatal fault.
[[noreturn]] void AbandonRun();

// Shows a fatal run-time fault, then abandons the run.
[[noreturn]] void FailRun(Interpreter& in, Message message);

}  // namespace brindle

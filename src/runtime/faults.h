// How runs end early, and the boxes that say why. Shared by the evaluators and the statements,
// which show their faults and then abandon the run.
#pragma once

#include <string>
#include <string_view>

#include "frontend/source_position.h"
#include "lang/messages.h"

namespace brindle {

struct Interpreter;

// Thrown by AbandonRun: a fatal fault ends every active run, and the program goes on at the
// message loop.
struct RunAbandoned {};

// Thrown when the window is closed: the process ends, also in the middle of a run.
struct WindowClosed {};

// Thrown after a run-time fault's box under --stop-on-error: the program ends there.
struct StoppedOnError {};

// Shows a modal box. An empty caption is shown as "<MsgBox>".
void ShowMessage(Interpreter& in, Message message);

// Shows a run-time fault: the process's outcome records that an error box was seen. It is also
// reported as a line for the terminal, at the statement being run. Under --stop-on-error the
// program then ends (StoppedOnError).
void ShowRunTimeError(Interpreter& in, Message message);

// The line for the terminal that goes with a fault's box, FILE:LINE:COL: error: CAPTION: TEXT
// (FILE: error: ... when the fault has no place), and " (in the NAME block)" for a fault found
// in a handler run. Caption and text are escaped as in the transcript, so the line is one line.
std::string FaultLine(std::string_view path, const SourcePosition* at, const Message& message,
                      std::string_view block = "");

// The lines of the faults found before a run: a tokenizer fault at the byte where it was
// found, a pre-check fault at its token (with no place when it has none).
std::string TokenizerFaultLine(std::string_view path, std::string_view source, size_t offset,
                               const Message& fault);
std::string PreCheckFaultLine(std::string_view path, std::string_view source,
                              const TokenTable& tokens, const Message& fault);

// Ends every active run after a fatal fault.
[[noreturn]] void AbandonRun();

// Shows a fatal run-time fault, then abandons the run.
[[noreturn]] void FailRun(Interpreter& in, Message message);

}  // namespace brindle

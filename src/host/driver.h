// The run sequence: tokenize, pre-check, run the main part, then serve window events until
// the window closes.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "frontend/token_table.h"
#include "lang/messages.h"

namespace brindle {

class Platform;
class StatementObserver;
struct Interpreter;

struct SourceFile {
  std::string path;
  std::string text;  // the whole script, byte for byte
};

struct RunOptions {
  bool check_only = false;             // stop after the pre-check
  bool quiet = false;                  // no statistics box after a tokenizer run that succeeded
  std::optional<uint32_t> clock_seed;  // RAND's seed; the platform's clock when absent
  // Run every statement and expression the general way: see Interpreter::slow_paths.
  bool slow_paths = false;
  // Dispatch every statement from the statement loop: see Interpreter::each_statement.
  bool each_statement = false;
  // Told of each statement and run-time fault (a debugger); implies each_statement.
  StatementObserver* observer = nullptr;
  // Where fuzzing builds report whether their step budget ended the run (null: not reported).
  bool* out_of_steps = nullptr;
  // Where each fault shown in a box also goes, as one line FILE:LINE:COL: error: CAPTION: TEXT.
  // A fault met again at the same place is counted, and written once more with its count when
  // the run ends (see FaultRepeats).
  std::function<void(const std::string&)> report_fault;
  // The note lines that follow a pre-check fault's line (null: none).
  std::function<std::vector<std::string>(const SourceFile&, const TokenTable&, const Message&)>
      fault_notes;
  // End the program at the first run-time fault, once its box is answered (exit status 3).
  bool stop_on_error = false;
  // Called with the interpreter once the run has ended (unless an exception leaves RunProgram),
  // before it goes: for tools that read what the run compiled (null: none).
  std::function<void(const Interpreter&)> after_run;
};

// Runs the script on the platform; returns the process exit status.
int RunProgram(Platform& platform, const SourceFile& source, const RunOptions& options);

}  // namespace brindle

// brindle --lint: the tokenizer's and the pre-check's faults, then warnings for what the
// language accepts but a script almost never means. Nothing runs.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/source_position.h"
#include "frontend/token_table.h"
#include "lang/messages.h"
#include "prepass/symbols.h"
#include "runtime/script_image.h"

namespace brindle {

struct SourceFile;

// One warning at a token: its stable id ("W01") and what the language will do, with the way to
// write what was probably meant.
struct Warning {
  int token = 0;
  std::string id;
  std::string text;
};

// The warnings of a script that passed the pre-check, in the order of their tokens.
std::vector<Warning> FindWarnings(const TokenTable& tokens, const Symbols& symbols);

// The picture files that LOADIMG names by a literal and that are neither in the current folder
// nor in the script's (W27): they depend on where the script runs, so the tools that know the
// script's path add them.
std::vector<Warning> MissingPictures(const TokenTable& tokens, std::string_view script_path);

// A fault (an error) or a warning, with the byte of the script where it was found.
struct Finding {
  bool error = false;
  std::optional<size_t> offset;  // none for a fault that has no place (an unbalanced block)
  Message fault;                 // an error's caption and text
  Warning warning;               // a warning's id and text
  bool hint = false;             // a warning that explains the fault before it
};

// What --lint finds in a script: its faults and the warnings that are not silenced, in the order
// of the text. The tables stay for tools that look further (keywords are classified once
// tokenized is true, even when the pre-check failed).
struct Examination {
  std::unique_ptr<ScriptImage> image = std::make_unique<ScriptImage>();
  bool tokenized = false;
  bool checked = false;
  std::vector<Finding> findings;
  LineIndex lines;  // of the text examined, to place the findings
};
// kFirst: the first fault only, as a run stops there, and warnings only for a script with none.
// kAll: after a fault the examination goes on, as compilers do: the tokenizer with the line
// after the one it refused (that line read as blank), the pre-check with the statement after
// the faulty one; and the warnings of every line that has no fault.
enum class FaultsWanted { kFirst, kAll };
inline constexpr int kMaxTokenizerFaults = 100;
Examination Examine(std::string_view text, FaultsWanted wanted = FaultsWanted::kAll);

// Adds MissingPictures' warnings (those not silenced) to an examination of the script at
// script_path, in the order of the text.
void AddMissingPictures(std::string_view text, std::string_view script_path, Examination& exam);

// Reports each fault and warning as one line (FILE:LINE:COL: error: ... or warning: TEXT [Wnn])
// and returns how many were reported.
int LintScript(const SourceFile& source, const std::function<void(const std::string&)>& report);

// The same for a script about to run, whose run reports its faults itself: the warnings, but not
// the faults nor their hints (see FaultNotes). Returns how many were reported.
int ReportWarnings(const SourceFile& source, const std::function<void(const std::string&)>& report);

// The lines that follow a run's pre-check fault on standard error: its hint, if it has one, as
// FILE:LINE:COL: note: TEXT [Wnn].
std::vector<std::string> FaultNotes(const SourceFile& source, const TokenTable& tokens,
                                    const Message& fault);

}  // namespace brindle

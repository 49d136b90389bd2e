// The command line: brindle [--headless [options] | --dump [options] | --check | --lint] SCRIPT,
// or one of the tools that take no script (--lsp, --dap, --examples, --help, --version)
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "host/script_encoding.h"

namespace brindle {

// The usage, made from the option table (host/option_table.h).
std::string_view Usage();

struct CommandLine {
  bool headless = false;
  bool check = false;
  bool lint = false;
  bool dump = false;  // a headless run, then what it compiled
  bool dap = false;   // the debugger: the debug adapter protocol on standard input and output
  bool lsp = false;   // the language server: messages on standard input and output
  bool help = false;
  std::string help_topic;  // --help KEYWORD: that keyword's reference entry
  bool version = false;
  bool examples = false;       // list the examples that come with the program
  bool watch = false;          // the window's: run the script again each time its file is saved
  bool quiet = false;          // no tokenizer statistics box
  bool stop_on_error = false;  // the first run-time fault ends the program
  std::optional<uint32_t> seed;
  // The window's: each canvas pixel as zoom x zoom screen pixels; kZoomAuto: as large as fits.
  std::optional<int> zoom;
  std::optional<ScriptEncoding> encoding;
  std::optional<std::string> screenshot;  // headless and in a window
  std::optional<std::string> gif;         // headless: an animated picture of the run
  std::optional<std::string> events;
  std::optional<std::string> record;   // the window's: the session as an events timeline
  std::optional<double> time_limit_s;  // headless: the run ends once this much time has passed
  std::string time_limit_text;         // as given, for the message that reports it
  std::string script;
};

// Fills cl from the arguments after the program name. Returns the problem to report with the
// usage, or nothing when the command line is good (help and version stop the reading).
std::optional<std::string> ParseCommandLine(int argc, const char* const* argv, CommandLine& cl);

constexpr int kMaxZoom = 4;
constexpr int kZoomAuto = 0;

// A seed: decimal digits only, 0 to 4294967295.
std::optional<uint32_t> ParseSeed(std::string_view text);

// A time limit in seconds: decimal digits with an optional fraction, above 0 and at most
// kMaxTimeLimitSeconds.
constexpr double kMaxTimeLimitSeconds = 1e6;
std::optional<double> ParseTimeLimit(std::string_view text);

}  // namespace brindle

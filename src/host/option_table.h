// The command line's options, one row each: what the parser reads and what the usage, the
// manual page and the shell completions say about them are all made from this table, so that
// none of them can leave an option out.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace brindle {

struct CommandLine;

// Where an option is listed: the tools (each a line of the synopsis), then the options of every
// run, of a headless run and of a run in a window.
enum class OptionGroup { kTool, kCommon, kHeadless, kWindow };

// What follows the option, as the shells complete it.
enum class OptionValue {
  kNone,
  kNumber,      // nothing to offer
  kChoice,      // one of OptionInfo::choices
  kKeyword,     // a keyword of the reference (optional)
  kEventsFile,  // an events timeline to read (*.events)
  kEventsOut,   // an events timeline to write (*.events)
  kPngFile,     // a picture to write (*.png)
  kGifFile,     // an animated picture to write (*.gif)
};

// The arguments being read; an option's reader moves `i` past the values it takes, and sets
// `stop` when the rest of the line is not read (--help, --version).
struct OptionArguments {
  int argc;
  const char* const* argv;
  int i;
  bool stop = false;
};

struct OptionInfo {
  std::string_view name;      // "--seed"
  std::string_view alias;     // "-h", or empty
  std::string_view argument;  // as the usage shows it: "N", "FILE.png", or empty
  OptionValue value;
  std::string_view choices;  // kChoice: the values, separated by blanks
  OptionGroup group;
  // kTool: the synopsis line after "brindle " (empty: shown on another tool's line).
  std::string_view synopsis;
  std::string_view help;  // the usage's text; '\n' breaks a line
  // Reads the option at args.argv[args.i]; returns the problem to report with the usage.
  std::optional<std::string> (*read)(OptionArguments& args, CommandLine& cl);
};

// Every option, in the order the usage lists them within each group.
std::span<const OptionInfo> Options();

const OptionInfo* FindOption(std::string_view name);

// The keys the window answers itself, listed with the window options.
struct WindowKey {
  std::string_view key;
  std::string_view help;
};
std::span<const WindowKey> WindowKeys();

// The run without any tool option, the synopsis's first line.
inline constexpr std::string_view kWindowRunSynopsis = "SCRIPT";
inline constexpr std::string_view kWindowRunHelp = "run in a window";

}  // namespace brindle

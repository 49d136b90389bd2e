#include "host/option_table.h"

#include <array>

#include "host/command_line.h"

namespace brindle {
namespace {

using Args = OptionArguments;
using Problem = std::optional<std::string>;

// The value of an option that names a file; an empty name is refused rather than ignored.
Problem FileValue(Args& a, std::optional<std::string>& out) {
  const std::string option = a.argv[a.i];
  if (++a.i == a.argc || *a.argv[a.i] == '\0') return option + " needs a file name";
  out = a.argv[a.i];
  return std::nullopt;
}

Problem ReadHelp(Args& a, CommandLine& cl) {
  cl.help = true;
  if (a.i + 1 < a.argc && a.argv[a.i + 1][0] != '-') cl.help_topic = a.argv[a.i + 1];
  a.stop = true;
  return std::nullopt;
}

Problem ReadVersion(Args& a, CommandLine& cl) {
  cl.version = true;
  a.stop = true;
  return std::nullopt;
}

Problem ReadExamples(Args& a, CommandLine& cl) {
  cl.examples = true;
  a.stop = true;
  return std::nullopt;
}

// A flag: the reader only sets its member.
template <bool CommandLine::*member>
Problem Flag(Args&, CommandLine& cl) {
  cl.*member = true;
  return std::nullopt;
}

template <std::optional<std::string> CommandLine::*member>
Problem File(Args& a, CommandLine& cl) {
  return FileValue(a, cl.*member);
}

Problem ReadSeed(Args& a, CommandLine& cl) {
  if (++a.i == a.argc) return "--seed needs a number";
  cl.seed = ParseSeed(a.argv[a.i]);
  if (!cl.seed) return "--seed needs a number from 0 to 4294967295";
  return std::nullopt;
}

Problem ReadTimeLimit(Args& a, CommandLine& cl) {
  if (++a.i == a.argc || !(cl.time_limit_s = ParseTimeLimit(a.argv[a.i]))) {
    return "--time-limit needs a number of seconds above 0, at most 1000000";
  }
  cl.time_limit_text = a.argv[a.i];
  return std::nullopt;
}

Problem ReadZoom(Args& a, CommandLine& cl) {
  const std::string_view n = ++a.i == a.argc ? "" : a.argv[a.i];
  if (n == "auto") {
    cl.zoom = kZoomAuto;
  } else if (n.size() != 1 || n[0] < '1' || n[0] > '0' + kMaxZoom) {
    return "--zoom needs auto or a number from 1 to 4";
  } else {
    cl.zoom = n[0] - '0';
  }
  return std::nullopt;
}

Problem ReadEncoding(Args& a, CommandLine& cl) {
  if (++a.i == a.argc || !(cl.encoding = ParseScriptEncoding(a.argv[a.i]))) {
    return "--encoding needs auto, utf-8 or cp1252";
  }
  return std::nullopt;
}

using G = OptionGroup;
using V = OptionValue;
using C = CommandLine;

constexpr std::array kOptions = {
    OptionInfo{"--headless", "", "", V::kNone, "", G::kTool, "--headless [options] SCRIPT",
               "run with no window", Flag<&C::headless>},
    OptionInfo{"--dump", "", "", V::kNone, "", G::kTool, "--dump [options] SCRIPT",
               "the same, then list what the run compiled", Flag<&C::dump>},
    OptionInfo{"--check", "", "", V::kNone, "", G::kTool, "--check SCRIPT",
               "tokenize and pre-check only", Flag<&C::check>},
    OptionInfo{"--lint", "", "", V::kNone, "", G::kTool, "--lint SCRIPT",
               "pre-check, then warn of likely mistakes", Flag<&C::lint>},
    OptionInfo{"--lsp", "", "", V::kNone, "", G::kTool, "--lsp",
               "language server on standard input/output", Flag<&C::lsp>},
    OptionInfo{"--dap", "", "", V::kNone, "", G::kTool, "--dap",
               "debugger (debug adapter) on standard input/output", Flag<&C::dap>},
    OptionInfo{"--examples", "", "", V::kNone, "", G::kTool, "--examples",
               "list the examples that come with Brindle", ReadExamples},
    OptionInfo{"--help", "-h", "[KEYWORD]", V::kKeyword, "", G::kTool,
               "--help [KEYWORD] | --version", "(KEYWORD: its entry in the reference)", ReadHelp},
    OptionInfo{"--version", "", "", V::kNone, "", G::kTool, "", "the version and its commit",
               ReadVersion},
    OptionInfo{"--encoding", "", "auto|utf-8|cp1252", V::kChoice, "auto utf-8 cp1252", G::kCommon,
               "",
               "how the script file is read (default auto: a UTF-8 file is\n"
               "converted to Windows-1252, any other read byte for byte)",
               ReadEncoding},
    OptionInfo{"--quiet", "", "", V::kNone, "", G::kCommon, "",
               "no tokenizer statistics box (also with --check)", Flag<&C::quiet>},
    OptionInfo{"--screenshot", "", "FILE.png", V::kPngFile, "", G::kCommon, "",
               "write what the window shows when the program ends", File<&C::screenshot>},
    OptionInfo{"--seed", "", "N", V::kNumber, "", G::kCommon, "",
               "seed of RAND (default 0; in a window, the clock)", ReadSeed},
    OptionInfo{"--stop-on-error", "", "", V::kNone, "", G::kCommon, "",
               "end the program at the first run-time error (exit 3)", Flag<&C::stop_on_error>},
    OptionInfo{"--events", "", "FILE", V::kEventsFile, "", G::kHeadless, "",
               "a timeline of user events (one a line: key 65, wait 100, ...)", File<&C::events>},
    OptionInfo{"--gif", "", "FILE.gif", V::kGifFile, "", G::kHeadless, "",
               "an animated GIF of the run, timed by the events' virtual time", File<&C::gif>},
    OptionInfo{"--time-limit", "", "SECONDS", V::kNumber, "", G::kHeadless, "",
               "end the run once this much real time has passed (exit 124)", ReadTimeLimit},
    OptionInfo{"--zoom", "", "auto|N", V::kChoice, "auto 1 2 3 4", G::kWindow, "",
               "show each canvas pixel as N x N screen pixels (1 to 4; default\n"
               "auto: the largest that fits the screen)",
               ReadZoom},
    OptionInfo{"--watch", "", "", V::kNone, "", G::kWindow, "",
               "run the script again each time its file is saved", Flag<&C::watch>},
    OptionInfo{"--record", "", "FILE", V::kEventsOut, "", G::kWindow, "",
               "write the session as an events timeline, for --events", File<&C::record>},
};

constexpr std::array kWindowKeys = {
    WindowKey{"F11", "full screen on and off"},
    WindowKey{"F12", "write brindle-YYYYMMDD-HHMMSS.png in the current folder"},
};

}  // namespace

std::span<const OptionInfo> Options() {
  return kOptions;
}

const OptionInfo* FindOption(std::string_view name) {
  for (const OptionInfo& option : kOptions) {
    if (option.name == name || (!option.alias.empty() && option.alias == name)) return &option;
  }
  return nullptr;
}

std::span<const WindowKey> WindowKeys() {
  return kWindowKeys;
}

}  // namespace brindle

#include "host/command_line.h"

#include <charconv>

namespace brindle {

const std::string_view kUsage =
    "usage: brindle SCRIPT                         run in a window\n"
    "       brindle --headless [options] SCRIPT    run with no window\n"
    "       brindle --dump [options] SCRIPT        the same, then list what the run compiled\n"
    "       brindle --check SCRIPT                 tokenize and pre-check only\n"
    "       brindle --lint SCRIPT                  pre-check, then warn of likely mistakes\n"
    "       brindle --lsp                          language server on standard input/output\n"
    "       brindle --dap                          debugger (debug adapter) on standard "
    "input/output\n"
    "       brindle --help [KEYWORD] | --version   (KEYWORD: its entry in the reference)\n"
    "options:\n"
    "  --encoding auto|utf-8|cp1252\n"
    "                          how the script file is read (default auto: a UTF-8 file is\n"
    "                          converted to Windows-1252, any other read byte for byte)\n"
    "  --quiet                 no tokenizer statistics box (also with --check)\n"
    "  --screenshot FILE.png   write what the window shows when the program ends\n"
    "  --seed N                seed of RAND (default 0; in a window, the clock)\n"
    "  --stop-on-error         end the program at the first run-time error (exit 3)\n"
    "headless options:\n"
    "  --events FILE           a timeline of user events (one a line: key 65, wait 100, ...)\n"
    "  --gif FILE.gif          an animated GIF of the run, timed by the events' virtual time\n"
    "  --time-limit SECONDS    end the run once this much real time has passed (exit 124)\n"
    "window options:\n"
    "  --zoom auto|N           show each canvas pixel as N x N screen pixels (1 to 4; default\n"
    "                          auto: the largest that fits the screen)\n"
    "  --watch                 run the script again each time its file is saved\n"
    "  --record FILE           write the session as an events timeline, for --events\n"
    "  F11 in the window       full screen on and off\n"
    "  F12 in the window       write brindle-YYYYMMDD-HHMMSS.png in the current folder\n";

namespace {

// The value of an option that names a file; an empty name is refused rather than ignored.
std::optional<std::string> FileOption(int argc, const char* const* argv, int& i,
                                      std::optional<std::string>& out) {
  const std::string option = argv[i];
  if (++i == argc || *argv[i] == '\0') return option + " needs a file name";
  out = argv[i];
  return std::nullopt;
}

std::optional<std::string> Finish(const CommandLine& cl) {
  if (cl.lsp || cl.dap) {
    const bool alone = cl.script.empty() && !cl.headless && !cl.dump && !cl.check && !cl.lint &&
                       !cl.events && !cl.screenshot && !cl.gif && !cl.seed && !cl.time_limit_s &&
                       !cl.zoom && !cl.watch && !cl.record && !cl.quiet && !cl.encoding &&
                       !cl.stop_on_error && !(cl.lsp && cl.dap);
    if (alone) return std::nullopt;
    return std::string(cl.lsp ? "--lsp" : "--dap") + " takes no script and no option";
  }
  if (cl.script.empty()) return "no script given";
  if (cl.dump && (cl.check || cl.lint)) return "--dump runs the script: not with --check or --lint";
  // --quiet changes nothing --lint writes, so editors may pass it to every command.
  if (cl.lint && (cl.headless || cl.check || cl.events || cl.screenshot || cl.gif || cl.seed ||
                  cl.time_limit_s || cl.zoom || cl.watch || cl.record || cl.stop_on_error)) {
    return "--lint takes no option but --encoding and --quiet";
  }
  // Nothing runs with --check, so there would be no picture to write.
  if (cl.check && cl.screenshot) return "--check runs nothing and takes no --screenshot";
  if (cl.check && cl.gif) return "--check runs nothing and takes no --gif";
  if (cl.check && cl.stop_on_error) return "--check runs nothing and takes no --stop-on-error";
  const bool window = !cl.headless && !cl.dump && !cl.check && !cl.lint;
  if (window && (cl.events || cl.gif || cl.time_limit_s)) {
    return "--events, --gif and --time-limit need --headless";
  }
  if (cl.check && cl.time_limit_s) return "--check runs nothing and takes no --time-limit";
  if (!window && cl.zoom) return "--zoom is for a window, not --headless or --check";
  if (!window && cl.watch) {
    return "--watch is for a window, not --headless or --check (it reruns the script there)";
  }
  if (!window && cl.record) {
    return "--record is for a window, not --headless or --check (--events replays a recording)";
  }
  // A recording replays one run; a rerun would start another.
  if (cl.watch && cl.record) return "--watch and --record cannot be used together";
  return std::nullopt;
}

}  // namespace

std::optional<uint32_t> ParseSeed(std::string_view text) {
  // from_chars takes no sign, no blank and no base prefix, and reports overflow.
  uint32_t seed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return seed;
}

std::optional<double> ParseTimeLimit(std::string_view text) {
  // Digits first: from_chars alone would take "inf", "nan" and exponents.
  const size_t digits = text.find_first_not_of("0123456789.");
  if (text.empty() || digits != std::string_view::npos || text.front() == '.') return std::nullopt;
  double seconds = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (error != std::errc() || end != text.data() + text.size() || !(seconds > 0) ||
      seconds > kMaxTimeLimitSeconds) {
    return std::nullopt;
  }
  return seconds;
}

std::optional<std::string> ParseCommandLine(int argc, const char* const* argv, CommandLine& cl) {
  for (int i = 0; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      cl.help = true;
      if (i + 1 < argc && argv[i + 1][0] != '-') cl.help_topic = argv[i + 1];
      return std::nullopt;
    } else if (arg == "--version") {
      cl.version = true;
      return std::nullopt;
    } else if (arg == "--headless") {
      cl.headless = true;
    } else if (arg == "--dump") {
      cl.dump = true;
    } else if (arg == "--check") {
      cl.check = true;
    } else if (arg == "--lint") {
      cl.lint = true;
    } else if (arg == "--lsp") {
      cl.lsp = true;
    } else if (arg == "--dap") {
      cl.dap = true;
    } else if (arg == "--quiet") {
      cl.quiet = true;
    } else if (arg == "--stop-on-error") {
      cl.stop_on_error = true;
    } else if (arg == "--events") {
      if (auto problem = FileOption(argc, argv, i, cl.events)) return problem;
    } else if (arg == "--watch") {
      cl.watch = true;
    } else if (arg == "--record") {
      if (auto problem = FileOption(argc, argv, i, cl.record)) return problem;
    } else if (arg == "--screenshot") {
      if (auto problem = FileOption(argc, argv, i, cl.screenshot)) return problem;
    } else if (arg == "--gif") {
      if (auto problem = FileOption(argc, argv, i, cl.gif)) return problem;
    } else if (arg == "--seed") {
      if (++i == argc) return "--seed needs a number";
      cl.seed = ParseSeed(argv[i]);
      if (!cl.seed) return "--seed needs a number from 0 to 4294967295";
    } else if (arg == "--time-limit") {
      if (++i == argc || !(cl.time_limit_s = ParseTimeLimit(argv[i]))) {
        return "--time-limit needs a number of seconds above 0, at most 1000000";
      }
      cl.time_limit_text = argv[i];
    } else if (arg == "--zoom") {
      const std::string_view n = ++i == argc ? "" : argv[i];
      if (n == "auto") {
        cl.zoom = kZoomAuto;
      } else if (n.size() != 1 || n[0] < '1' || n[0] > '0' + kMaxZoom) {
        return "--zoom needs auto or a number from 1 to 4";
      } else {
        cl.zoom = n[0] - '0';
      }
    } else if (arg == "--encoding") {
      if (++i == argc || !(cl.encoding = ParseScriptEncoding(argv[i]))) {
        return "--encoding needs auto, utf-8 or cp1252";
      }
    } else if (arg.size() > 1 && arg[0] == '-') {
      return "unknown option " + std::string(arg);
    } else if (!cl.script.empty()) {
      return "more than one script given";
    } else {
      cl.script = arg;
    }
  }
  return Finish(cl);
}

}  // namespace brindle

#include "host/command_line.h"

#include <charconv>

#include "host/option_table.h"

namespace brindle {

namespace {

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
  OptionArguments args{argc, argv, 0};
  for (; args.i < argc; ++args.i) {
    const std::string_view arg = argv[args.i];
    if (const OptionInfo* option = FindOption(arg)) {
      if (auto problem = option->read(args, cl)) return problem;
      if (args.stop) return std::nullopt;
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

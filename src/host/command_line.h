// The command line: brindle [--headless [options] | --check | --lint] [--quiet] SCRIPT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brindle {

extern const std::string_view kUsage;

struct CommandLine {
  bool headless = false;
  bool check = false;
  bool lint = false;
  bool help = false;
  bool version = false;
  bool quiet = false;  // no tokenizer statistics box
  std::optional<uint32_t> seed;
  std::optional<int> zoom;  // the window's: each canvas pixel as zoom x zoom screen pixels
  std::optional<std::string> screenshot;  // headless and in a window
  std::optional<std::string> gif;         // headless: an animated picture of the run
  std::optional<std::string> events;
  std::optional<double> time_limit_s;  // headless: the run ends once this much time has passed
  std::string time_limit_text;         // as given, for the message that reports it
  std::string script;
};

// Fills cl from the arguments after the program name. Returns the problem to report with the
// usage, or nothing when the command line is good (help and version stop the reading).
std::optional<std::string> ParseCommandLine(int argc, const char* const* argv, CommandLine& cl);

constexpr int kMaxZoom = 4;

// A seed: decimal digits only, 0 to 4294967295.
std::optional<uint32_t> ParseSeed(std::string_view text);

// A time limit in seconds: decimal digits with an optional fraction, above 0 and at most
// kMaxTimeLimitSeconds.
constexpr double kMaxTimeLimitSeconds = 1e6;
std::optional<double> ParseTimeLimit(std::string_view text);

}  // namespace brindle

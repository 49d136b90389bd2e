// The command line: brindle [--headless [options] | --check] SCRIPT
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "host/driver.h"
#include "platform/headless.h"
#include "platform/png_writer.h"

namespace {

constexpr std::string_view kUsage =
    "usage: brindle SCRIPT                         run in a window\n"
    "       brindle --headless [options] SCRIPT    run with no window\n"
    "       brindle --check SCRIPT                 tokenize and pre-check only\n"
    "       brindle --help | --version\n"
    "headless options:\n"
    "  --events FILE           a timeline of user events (one a line: key 65, wait 100, ...)\n"
    "  --screenshot FILE.png   write what the window shows when the program ends\n"
    "  --seed N                seed of RAND (default 0)\n";

struct CommandLine {
  bool headless = false;
  bool check = false;
  std::optional<uint32_t> seed;
  std::string screenshot;
  std::string events;
  std::string script;
};

int UsageError(std::string_view problem) {
  std::cerr << "brindle: " << problem << "\n" << kUsage;
  return 2;
}

// Returns an exit status when the command line is finished with (help, version, errors).
std::optional<int> Parse(int argc, char** argv, CommandLine& cl) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    } else if (arg == "--version") {
      std::cout << "brindle " << BRINDLE_VERSION << "\n";
      return 0;
    } else if (arg == "--headless") {
      cl.headless = true;
    } else if (arg == "--check") {
      cl.check = true;
    } else if (arg == "--events") {
      if (++i == argc) return UsageError("--events needs a file name");
      cl.events = argv[i];
    } else if (arg == "--screenshot") {
      if (++i == argc) return UsageError("--screenshot needs a file name");
      cl.screenshot = argv[i];
    } else if (arg == "--seed") {
      if (++i == argc) return UsageError("--seed needs a number");
      char* end = nullptr;
      errno = 0;
      const unsigned long long n = std::strtoull(argv[i], &end, 10);
      if (*argv[i] == '\0' || *end != '\0' || errno != 0 || n > 0xffffffffull) {
        return UsageError("--seed needs a number from 0 to 4294967295");
      }
      cl.seed = static_cast<uint32_t>(n);
    } else if (arg.size() > 1 && arg[0] == '-') {
      return UsageError("unknown option " + std::string(arg));
    } else if (!cl.script.empty()) {
      return UsageError("more than one script given");
    } else {
      cl.script = arg;
    }
  }
  if (cl.script.empty()) return UsageError("no script given");
  return std::nullopt;
}

bool ReadFile(const std::string& path, std::string& text, std::string& reason) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    reason = std::strerror(errno);
    return false;
  }
  char buffer[1 << 16];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
  const bool failed = std::ferror(file) != 0;
  if (failed) reason = std::strerror(errno);
  std::fclose(file);
  return !failed;
}

}  // namespace

int main(int argc, char** argv) {
  CommandLine cl;
  if (std::optional<int> status = Parse(argc, argv, cl)) return *status;

  std::string text, reason;
  if (!ReadFile(cl.script, text, reason)) {
    std::cerr << "brindle: cannot read " << cl.script << ": " << reason << "\n";
    return 2;
  }
  if (!cl.headless && !cl.check) {
    std::cerr << "brindle: this build cannot open a window; run the script with --headless\n";
    return 2;
  }

  brindle::Timeline timeline;
  if (!cl.events.empty()) {
    std::string events_text;
    if (!ReadFile(cl.events, events_text, reason)) {
      std::cerr << "brindle: cannot read " << cl.events << ": " << reason << "\n";
      return 2;
    }
    timeline = brindle::ParseTimeline(events_text);
    if (!timeline.error.empty()) {
      std::cerr << "brindle: " << cl.events << ":" << timeline.error << "\n";
      return 2;
    }
  }

  brindle::HeadlessPlatform platform(stdout, std::move(timeline));
  brindle::RunOptions options;
  options.check_only = cl.check;
  options.clock_seed = cl.seed.value_or(0);
  const int status = brindle::RunProgram(platform, {cl.script, std::move(text)}, options);
  platform.Flush();
  for (const std::string& file : platform.failed_screenshots()) {
    std::cerr << "brindle: cannot write " << file << "\n";
  }
  if (!platform.failed_screenshots().empty()) return 2;
  if (!cl.screenshot.empty() && !brindle::WritePng(platform.Screenshot(), brindle::Canvas::kWidth,
                                                   brindle::Canvas::kHeight, cl.screenshot)) {
    std::cerr << "brindle: cannot write " << cl.screenshot << "\n";
    return 2;
  }
  return status;
}

// The command line: parses it, runs the tool it asks for, and turns every way the program can
// end into an exit status with a message on standard error.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <exception>
#include <new>
#include <optional>
#include <string>

#include "cli/examples.h"
#include "cli/headless_run.h"
#include "cli/help_entry.h"
#include "cli/run_files.h"
#include "cli/terminal.h"
#include "cli/version.h"
#include "cli/window_run.h"
#include "dap/stdio_adapter.h"
#include "host/command_line.h"
#include "host/driver.h"
#include "lint/lint.h"
#include "lsp/stdio_server.h"
#include "platform/headless/timeline.h"
#include "platform/headless/transcript.h"
#include "platform/sdl/sdl_platform.h"

namespace brindle::cli {
namespace {

int Run(const brindle::CommandLine& cl) {
  if (!OutputsApart(cl)) return kStatusUsage;
  if (!cl.headless && !cl.dump && !cl.check && !cl.lint) return RunInWindow(cl);
  std::string text, reason;
  int warnings = 0;
  if (!ReadScriptFile(cl, text, reason, warnings)) {
    return Fail("cannot read " + cl.script + ": " + reason);
  }
  if (cl.lint) {
    const int reported = brindle::LintScript({cl.script, std::move(text)}, ReportFault);
    return warnings + reported > 0 ? 1 : 0;
  }
  brindle::Timeline timeline;
  if (cl.events) {
    std::optional<std::string> events_text = ReadInput(*cl.events);
    if (!events_text) return kStatusUsage;
    timeline = brindle::ParseTimeline(*events_text);
    if (!timeline.error.empty()) return Fail(*cl.events + ":" + timeline.error);
  }
  if (!Writable(cl.screenshot) || !Writable(cl.gif)) return kStatusUsage;
  return RunHeadless(cl, std::move(text), std::move(timeline));
}

int ParseAndRun(int argc, char** argv) {
  // A reader that goes away (`| head`) is a failed write, reported, with the screenshot and the
  // GIF still written; a signal would end the run and lose them.
  std::signal(SIGPIPE, SIG_IGN);
  brindle::CommandLine cl;
  if (std::optional<std::string> problem = brindle::ParseCommandLine(argc - 1, argv + 1, cl)) {
    Write(stderr, "brindle: " + *problem + "\n");
    Write(stderr, brindle::Usage());
    return kStatusUsage;
  }
  if (cl.help && !cl.help_topic.empty()) return WriteHelpEntry(cl.help_topic);
  if (cl.help) return WriteOutput(brindle::Usage());
  if (cl.version) return WriteOutput(VersionLine());
  if (cl.examples) return ListExamples();
  if (cl.lsp) {
    return brindle::lsp::ServeStdio(STDIN_FILENO, STDOUT_FILENO);
  }
  if (cl.dap) {
    return brindle::dap::ServeStdio(STDIN_FILENO, STDOUT_FILENO,
                                    [](const std::string& script, std::string& problem) {
                                      std::unique_ptr<brindle::SdlPlatform> window =
                                          brindle::SdlPlatform::Open(brindle::kZoomAuto, problem);
                                      if (window != nullptr) window->ShowScriptName(script);
                                      return std::unique_ptr<brindle::Platform>(std::move(window));
                                    });
  }
  return Run(cl);
}

// Whatever ends the process, what was printed before is written out first.
int EndWith(int status, const std::string& message) {
  std::fflush(stdout);
  Write(stderr, "brindle: " + message + "\n");
  return status;
}

}  // namespace
}  // namespace brindle::cli

int main(int argc, char** argv) {
  using brindle::cli::EndWith;
  // Past a file-size limit (ulimit -f) a write then fails with EFBIG and is reported like any
  // other write error, instead of the signal ending the process halfway through a file.
  std::signal(SIGXFSZ, SIG_IGN);
  try {
    return brindle::cli::ParseAndRun(argc, argv);
  } catch (const brindle::TranscriptWriteError& e) {
    return EndWith(brindle::cli::kStatusUsage, "cannot write the transcript: " + e.reason);
  } catch (const std::bad_alloc&) {
    return EndWith(brindle::cli::kStatusOutOfMemory, "out of memory");
  } catch (const std::exception& e) {
    return EndWith(brindle::cli::kStatusInternalFault, std::string("internal fault: ") + e.what());
  } catch (...) {
    return EndWith(brindle::cli::kStatusInternalFault, "internal fault");
  }
}

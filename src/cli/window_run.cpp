#include "cli/window_run.h"

#include <memory>
#include <optional>
#include <string>

#include "cli/run_files.h"
#include "cli/terminal.h"
#include "host/driver.h"
#include "lint/lint.h"
#include "platform/file_replace.h"
#include "platform/file_watch.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/timeline_recorder.h"
#include "platform/transcript.h"

namespace brindle::cli {
namespace {

brindle::RunOptions WindowRunOptions(const brindle::CommandLine& cl) {
  brindle::RunOptions options;
  options.clock_seed = cl.seed;
  options.quiet = cl.quiet;
  options.slow_paths = SlowPathsAsked();
  options.report_fault = ReportFault;
  return options;
}

// Reads the script for a rerun; one that cannot be read is reported on standard error and in
// a box, and the window waits for the next save.
bool ReadAgain(brindle::SdlPlatform& platform, const brindle::CommandLine& cl, std::string& text) {
  std::string reason;
  int warnings = 0;
  if (ReadScriptFile(cl, text, reason, warnings)) return true;
  Fail("cannot read " + cl.script + ": " + reason);
  platform.ShowMessage("brindle", "cannot read " + cl.script + ": " + reason);
  return false;
}

// --watch: the script runs in the window, with its warnings first, and runs afresh each time
// its file is saved, until the window is closed (status 0). A script that does not get past
// the tokenizer waits for the next save like one that has ended.
int RunWatching(brindle::SdlPlatform& platform, const brindle::CommandLine& cl, std::string text) {
  std::string reason;
  const std::unique_ptr<brindle::FileWatch> watch = brindle::FileWatch::Open(cl.script, reason);
  if (watch == nullptr) return Fail("cannot watch " + cl.script + ": " + reason);
  platform.SetWatch(watch.get());
  for (;;) {
    const brindle::SourceFile source{cl.script, std::move(text)};
    brindle::ReportWarnings(source, ReportFault);
    brindle::RunProgram(platform, source, WindowRunOptions(cl));
    do {
      while (!platform.closed() && !platform.rerun_due()) platform.WaitEvent();
      if (platform.closed()) return 0;
      Write(stderr, "brindle: " + cl.script + " changed; running it again\n");
      platform.StartAfresh();
    } while (!ReadAgain(platform, cl, text));
  }
}

// --record: the file starts with how to replay it, RAND's seed included.
std::unique_ptr<brindle::TimelineRecorder> StartRecording(const std::string& path,
                                                          const std::string& script,
                                                          uint32_t seed) {
  std::string reason;
  std::unique_ptr<brindle::TimelineRecorder> recorder =
      brindle::TimelineRecorder::CreateFile(path, reason);
  if (recorder == nullptr) {
    Fail("cannot write " + path + ": " + reason);
    return nullptr;
  }
  recorder->Comment("A session of " + brindle::EscapeTranscriptField(script) +
                    " recorded by brindle --record. To replay it:");
  recorder->Comment("brindle --headless --seed " + std::to_string(seed) + " --events " +
                    brindle::EscapeTranscriptField(path) + " " +
                    brindle::EscapeTranscriptField(script));
  return recorder;
}

}  // namespace

int RunInWindow(const brindle::CommandLine& cl) {
  std::string text, reason;
  int warnings = 0;
  const bool readable = ReadScriptFile(cl, text, reason, warnings);
  if (!readable) Fail("cannot read " + cl.script + ": " + reason);
  // Refused before the window opens, as a screenshot is.
  if (cl.record && readable) {
    if (std::optional<std::string> problem = brindle::ReplaceProblem(*cl.record)) {
      return Fail("cannot write " + *cl.record + ": " + *problem);
    }
  }
  if (readable && !Writable(cl.screenshot)) return kStatusUsage;
  std::string problem;
  std::unique_ptr<brindle::SdlPlatform> platform =
      brindle::SdlPlatform::Open(cl.zoom.value_or(brindle::kZoomAuto), problem);
  if (platform == nullptr) {
    // A script that cannot be read is the first thing to put right.
    return readable ? Fail("cannot open a window: " + problem + "; run the script with --headless")
                    : kStatusUsage;
  }
  if (!readable) {
    platform->ShowMessage("brindle", "cannot read " + cl.script + ": " + reason);
    return kStatusUsage;
  }
  if (cl.watch) return RunWatching(*platform, cl, std::move(text));
  brindle::RunOptions options = WindowRunOptions(cl);
  std::unique_ptr<brindle::TimelineRecorder> recorder;
  if (cl.record) {
    options.clock_seed = cl.seed.value_or(platform->MillisecondClock());
    recorder = StartRecording(*cl.record, cl.script, *options.clock_seed);
    if (recorder == nullptr) return kStatusUsage;
    platform->SetRecorder(recorder.get());
  }
  const int status = brindle::RunProgram(*platform, {cl.script, std::move(text)}, options);
  if (recorder != nullptr && !recorder->error().empty()) {
    return Fail("cannot write " + *cl.record + ": " + recorder->error());
  }
  if (cl.screenshot && !WriteScreenshot(platform->Screenshot(), cl.screenshot)) return kStatusUsage;
  return platform->closed() ? 0 : status;
}

}  // namespace brindle::cli

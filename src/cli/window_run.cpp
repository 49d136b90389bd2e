#include "cli/window_run.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cli/run_files.h"
#include "cli/terminal.h"
#include "files/file_replace.h"
#include "files/file_watch.h"
#include "host/driver.h"
#include "lint/lint.h"
#include "platform/headless/timeline_recorder.h"
#include "platform/headless/transcript.h"
#include "platform/sdl/sdl_platform.h"

namespace brindle::cli {
namespace {

brindle::RunOptions WindowRunOptions(const brindle::CommandLine& cl) {
  brindle::RunOptions options;
  options.clock_seed = cl.seed;
  options.quiet = cl.quiet;
  options.stop_on_error = cl.stop_on_error;
  options.slow_paths = SlowPathsAsked();
  options.each_statement = EachStatementAsked();
  options.report_fault = ReportFault;
  options.fault_notes = brindle::FaultNotes;
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

// The first line of every recording: "A session of SCRIPT recorded by ...".
constexpr std::string_view kSessionStart = "A session of ";
constexpr std::string_view kSessionEnd = " recorded by brindle --record. To replay it:";

// The start of a file, up to its first line end; empty when it cannot be read at once (a file
// that would make a read wait has no line to give).
std::string FirstLine(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return "";
  std::string bytes(8192, '\0');
  const ssize_t n = read(fd, bytes.data(), bytes.size());
  close(fd);
  bytes.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return bytes.substr(0, bytes.find('\n'));
}

// A recording replaces only an empty file or an earlier recording: anything else may be the
// script itself, named first by a slip of the hand (--record game.bas game.events).
std::optional<std::string> RecordingProblem(const std::string& path) {
  if (std::optional<std::string> problem = brindle::ReplaceProblem(path)) return problem;
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || st.st_size == 0) return std::nullopt;
  const std::string line = FirstLine(path);
  const bool recording =
      line.starts_with("# " + std::string(kSessionStart)) && line.ends_with(kSessionEnd);
  if (recording) return std::nullopt;
  return "not a recording (--record replaces only an earlier recording or an empty file)";
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
  recorder->Comment(std::string(kSessionStart) + brindle::EscapeTranscriptField(script) +
                    std::string(kSessionEnd));
  recorder->Comment("brindle --headless --seed " + std::to_string(seed) + " --events " +
                    brindle::EscapeTranscriptField(path) + " " +
                    brindle::EscapeTranscriptField(script));
  return recorder;
}

// The run, with the recording saved however the run ends: one that ends for want of memory
// keeps what was recorded until then.
int RunRecorded(brindle::SdlPlatform& platform, const brindle::SourceFile& source,
                const brindle::RunOptions& options, brindle::TimelineRecorder* recorder) {
  try {
    return brindle::RunProgram(platform, source, options);
  } catch (...) {
    try {
      if (recorder != nullptr) recorder->Save();
    } catch (...) {
    }
    throw;
  }
}

}  // namespace

int RunInWindow(const brindle::CommandLine& cl) {
  std::string text, reason;
  int warnings = 0;
  const bool readable = ReadScriptFile(cl, text, reason, warnings);
  if (!readable) Fail("cannot read " + cl.script + ": " + reason);
  // Refused before the window opens, as a screenshot is.
  if (cl.record && readable) {
    if (std::optional<std::string> problem = RecordingProblem(*cl.record)) {
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
  platform->ShowScriptName(cl.script);
  if (cl.watch) return RunWatching(*platform, cl, std::move(text));
  brindle::RunOptions options = WindowRunOptions(cl);
  std::unique_ptr<brindle::TimelineRecorder> recorder;
  if (cl.record) {
    options.clock_seed = cl.seed.value_or(platform->MillisecondClock());
    recorder = StartRecording(*cl.record, cl.script, *options.clock_seed);
    if (recorder == nullptr) return kStatusUsage;
    platform->SetRecorder(recorder.get());
  }
  const int status = RunRecorded(*platform, {cl.script, std::move(text)}, options, recorder.get());
  if (recorder != nullptr && !recorder->Save()) {
    return Fail("cannot write " + *cl.record + ": " + recorder->error());
  }
  if (cl.screenshot && !WriteScreenshot(platform->Screenshot(), cl.screenshot)) return kStatusUsage;
  return platform->closed() ? 0 : status;
}

}  // namespace brindle::cli

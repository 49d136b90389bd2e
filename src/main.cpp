// The command line: reads the files it names, runs the script, writes the screenshot and the
// GIF, and turns every way a run can end into an exit status with a message on standard error.
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/command_line.h"
#include "host/driver.h"
#include "host/script_file.h"
#include "lint/lint.h"
#include "lsp/stdio_server.h"
#include "platform/file_read.h"
#include "platform/file_replace.h"
#include "platform/file_watch.h"
#include "platform/gif_recorder.h"
#include "platform/headless.h"
#include "platform/png_writer.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/timeline_recorder.h"
#include "platform/transcript.h"

namespace {

constexpr int kStatusUsage = 2;
constexpr int kStatusOutOfMemory = 4;
constexpr int kStatusInternalFault = 5;
// As timeout(1) reports a command it stopped.
constexpr int kStatusTimeLimit = 124;

// Standard output and standard error through the C library alone: <iostream>'s streams would
// cost every start-up their locale set-up.
void Write(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
}

int Fail(const std::string& message) {
  Write(stderr, "brindle: " + message + "\n");
  return kStatusUsage;
}

// What --help and --version print: lost output (a full disk, /dev/full) is an error.
int WriteOutput(std::string_view text) {
  Write(stdout, text);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    return Fail(std::string("cannot write standard output: ") + std::strerror(errno));
  }
  return 0;
}

std::optional<std::string> ReadInput(const std::string& path) {
  std::string bytes, reason;
  if (!brindle::ReadWholeFile(path, brindle::kMaxSourceBytes, brindle::FileKinds::kRegularOrPipe,
                              bytes, reason)) {
    Fail("cannot read " + path + ": " + reason);
    return std::nullopt;
  }
  return bytes;
}

// Each fault shown in a box, for the terminal and editors that read FILE:LINE:COL lines.
void ReportFault(const std::string& line) {
  Write(stderr, line + "\n");
}

// The script, in the encoding asked for; its warnings go to standard error at once, and are
// counted in warnings.
bool ReadScriptFile(const brindle::CommandLine& cl, std::string& text, std::string& reason,
                    int& warnings) {
  const auto warn = [&warnings](const std::string& line) {
    ReportFault(line);
    ++warnings;
  };
  return brindle::ReadScript(cl.script, cl.encoding.value_or(brindle::ScriptEncoding::kAuto), warn,
                             text, reason);
}

// Writes the picture of --screenshot; false, said on stderr, if it could not be written.
bool WriteScreenshot(const std::vector<brindle::ColorRef>& picture,
                     const std::optional<std::string>& file) {
  std::string reason;
  if (file && !brindle::WritePng(picture, brindle::Canvas::kWidth, brindle::Canvas::kHeight, *file,
                                 &reason)) {
    Fail("cannot write " + *file + ": " + reason);
    return false;
  }
  return true;
}

// Writes the screenshot of --screenshot; false if it or one of the timeline's failed.
bool WriteScreenshots(brindle::HeadlessPlatform& platform, const brindle::CommandLine& cl) {
  if (platform.screenshot_failed()) return false;
  return WriteScreenshot(platform.Screenshot(), cl.screenshot);
}

// Files a run will write are refused before it starts, so that a long run is not wasted on a
// picture it cannot keep.
bool Writable(const std::optional<std::string>& file) {
  if (!file) return true;
  if (std::optional<std::string> problem = brindle::ReplaceProblem(*file)) {
    Fail("cannot write " + *file + ": " + *problem);
    return false;
  }
  return true;
}

// The recording of --gif. A limit that ends it is said when it is reached; the run goes on.
class GifOutput {
 public:
  GifOutput(brindle::HeadlessPlatform& platform, std::string file)
      : platform_(platform),
        file_(std::move(file)),
        recorder_(brindle::Canvas::kWidth, brindle::Canvas::kHeight) {
    // The observer keeps this object's address.
    platform.ObservePicture([this](std::vector<brindle::ColorRef>& picture, int64_t ms) {
      recorder_.Show(picture, ms);
      return !TellIfStopped();
    });
  }

  GifOutput(const GifOutput&) = delete;
  GifOutput& operator=(const GifOutput&) = delete;

  // Ends the recording with what the window shows now; false, said on stderr, if the file
  // could not be written.
  bool Write() {
    const std::vector<unsigned char> bytes =
        recorder_.Finish(platform_.Screenshot(), platform_.now_ms());
    TellIfStopped();
    std::string reason;
    if (!brindle::ReplaceFile(file_, bytes, reason)) {
      Fail("cannot write " + file_ + ": " + reason);
      return false;
    }
    return true;
  }

 private:
  bool TellIfStopped() {
    if (!recorder_.stopped()) return false;
    if (!told_) {
      told_ = true;
      std::fflush(stdout);
      Fail(file_ + ": the GIF ends here, at its limit of " + *recorder_.stopped() +
           "; the run goes on");
    }
    return true;
  }

  brindle::HeadlessPlatform& platform_;
  std::string file_;
  brindle::GifRecorder recorder_;
  bool told_ = false;
};

// BRINDLE_SLOW_PATHS=1 runs without the interpreter's caches, fusions and shortcuts. An
// environment variable rather than an option or a second build: the tests run the one binary
// they test both ways, and the command line users see stays as documented.
bool SlowPathsAsked() {
  const char* value = std::getenv("BRINDLE_SLOW_PATHS");
  return value != nullptr && std::string_view(value) == "1";
}

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

// The script in the desktop window. Closing the window ends the program with status 0.
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
  if (!WriteScreenshot(platform->Screenshot(), cl.screenshot)) return kStatusUsage;
  return platform->closed() ? 0 : status;
}

// The pictures and the status once a headless run has ended.
int EndHeadless(brindle::HeadlessPlatform& platform, std::optional<GifOutput>& gif,
                const brindle::CommandLine& cl, int status) {
  if (const std::string reason = platform.Flush(); !reason.empty()) {
    if (gif) gif->Write();
    return Fail("cannot write the transcript: " + reason);
  }
  bool pictures_written = WriteScreenshots(platform, cl);
  pictures_written = (!gif || gif->Write()) && pictures_written;
  if (platform.time_limit_passed()) {
    Fail("the run was stopped at its time limit of " + cl.time_limit_text + " seconds");
    return pictures_written ? kStatusTimeLimit : kStatusUsage;
  }
  return pictures_written ? status : kStatusUsage;
}

int RunHeadless(const brindle::CommandLine& cl, std::string text, brindle::Timeline timeline) {
  brindle::HeadlessPlatform platform(stdout, std::move(timeline));
  // Said when it happens, between the transcript lines around it. The names come from the
  // events file: escaped, as the transcript escapes its fields.
  platform.OnScreenshotFailure([](const std::string& file, const std::string& reason) {
    std::fflush(stdout);
    Fail("cannot write " + brindle::EscapeTranscriptField(file) + ": " + reason);
  });
  std::optional<GifOutput> gif;
  if (cl.gif) gif.emplace(platform, *cl.gif);
  brindle::RunOptions options;
  options.check_only = cl.check;
  options.quiet = cl.quiet;
  options.clock_seed = cl.seed.value_or(0);
  options.slow_paths = SlowPathsAsked();
  options.report_fault = ReportFault;
  if (cl.time_limit_s) {
    platform.SetTimeLimit(std::chrono::steady_clock::now() +
                          std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                              std::chrono::duration<double>(*cl.time_limit_s)));
  }
  int status = 0;
  try {
    status = brindle::RunProgram(platform, {cl.script, std::move(text)}, options);
  } catch (...) {
    // A run that ends for want of memory or of standard output still leaves its recording;
    // the run's own memory is free again by now.
    try {
      if (gif) gif->Write();
    } catch (...) {
    }
    throw;
  }
  return EndHeadless(platform, gif, cl, status);
}

int Run(const brindle::CommandLine& cl) {
  if (!cl.headless && !cl.check && !cl.lint) return RunInWindow(cl);
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
  brindle::CommandLine cl;
  if (std::optional<std::string> problem = brindle::ParseCommandLine(argc - 1, argv + 1, cl)) {
    Write(stderr, "brindle: " + *problem + "\n");
    Write(stderr, brindle::kUsage);
    return kStatusUsage;
  }
  if (cl.help) return WriteOutput(brindle::kUsage);
  if (cl.version) return WriteOutput("brindle " BRINDLE_VERSION "\n");
  if (cl.lsp) {
    // A client that goes away ends the server through a failed write, not a signal.
    std::signal(SIGPIPE, SIG_IGN);
    return brindle::lsp::ServeStdio(STDIN_FILENO, STDOUT_FILENO);
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

int main(int argc, char** argv) {
  // Past a file-size limit (ulimit -f) a write then fails with EFBIG and is reported like any
  // other write error, instead of the signal ending the process halfway through a file.
  std::signal(SIGXFSZ, SIG_IGN);
  try {
    return ParseAndRun(argc, argv);
  } catch (const brindle::TranscriptWriteError& e) {
    return EndWith(kStatusUsage, "cannot write the transcript: " + e.reason);
  } catch (const std::bad_alloc&) {
    return EndWith(kStatusOutOfMemory, "out of memory");
  } catch (const std::exception& e) {
    return EndWith(kStatusInternalFault, std::string("internal fault: ") + e.what());
  } catch (...) {
    return EndWith(kStatusInternalFault, "internal fault");
  }
}

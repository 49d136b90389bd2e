#include "cli/headless_run.h"

#include <chrono>
#include <cstdio>
#include <optional>
#include <vector>

#include "cli/run_files.h"
#include "cli/terminal.h"
#include "exec/dump.h"
#include "files/file_replace.h"
#include "host/driver.h"
#include "lint/lint.h"
#include "pictures/gif_recorder.h"
#include "platform/headless/headless.h"
#include "platform/headless/transcript.h"

namespace brindle::cli {
namespace {

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

// Said when it happens, between the transcript lines around it. The names come from the
// events file: escaped, as the transcript escapes its fields.
void TellScreenshot(const brindle::CommandLine& cl,
                    const brindle::HeadlessPlatform::ScreenshotProblem& problem) {
  std::fflush(stdout);
  const std::string file = brindle::EscapeTranscriptField(problem.line.text);
  if (!problem.refused) {
    Fail("cannot write " + file + ": " + problem.reason);
    return;
  }
  Fail(cl.events.value_or("") + ":" + std::to_string(problem.line.number) + ": screenshot " + file +
       " refused: " + problem.reason);
}

// Writes the screenshot of --screenshot, whatever became of the timeline's; false if it or one
// of those was not written.
bool WriteScreenshots(brindle::HeadlessPlatform& platform, const brindle::CommandLine& cl) {
  // The picture is composed only when a file asks for it: it costs more than an empty run.
  const bool written = !cl.screenshot || WriteScreenshot(platform.Screenshot(), cl.screenshot);
  return written && !platform.screenshot_failed();
}

// The pictures and the status once a headless run has ended.
int EndHeadless(brindle::HeadlessPlatform& platform, std::optional<GifOutput>& gif,
                const brindle::CommandLine& cl, int status) {
  // The pictures are written even when the transcript could not be: they are the run's too.
  const std::string transcript_failure = platform.Flush();
  bool pictures_written = WriteScreenshots(platform, cl);
  pictures_written = (!gif || gif->Write()) && pictures_written;
  if (!transcript_failure.empty())
    return Fail("cannot write the transcript: " + transcript_failure);
  if (platform.time_limit_passed()) {
    Fail("the run was stopped at its time limit of " + cl.time_limit_text + " seconds");
    return pictures_written ? kStatusTimeLimit : kStatusUsage;
  }
  return pictures_written ? status : kStatusUsage;
}

}  // namespace

int RunHeadless(const brindle::CommandLine& cl, std::string text, brindle::Timeline timeline) {
  brindle::HeadlessPlatform platform(stdout, std::move(timeline));
  platform.ExpectFinalScreenshot(cl.screenshot.has_value());
  platform.OnScreenshotFailure(
      [&cl](const brindle::HeadlessPlatform::ScreenshotProblem& p) { TellScreenshot(cl, p); });
  std::optional<GifOutput> gif;
  if (cl.gif) gif.emplace(platform, *cl.gif);
  brindle::RunOptions options;
  options.check_only = cl.check;
  options.quiet = cl.quiet;
  options.stop_on_error = cl.stop_on_error;
  options.clock_seed = cl.seed.value_or(0);
  options.slow_paths = SlowPathsAsked();
  options.each_statement = EachStatementAsked();
  options.report_fault = ReportFault;
  options.fault_notes = brindle::FaultNotes;
  if (cl.time_limit_s) {
    platform.SetTimeLimit(std::chrono::steady_clock::now() +
                          std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                              std::chrono::duration<double>(*cl.time_limit_s)));
  }
  std::string dump;
  if (cl.dump) {
    options.after_run = [&dump](const brindle::Interpreter& in) {
      dump = brindle::DumpCompiledCode(in);
    };
  }
  int status = 0;
  try {
    status = brindle::RunProgram(platform, {cl.script, std::move(text)}, options);
  } catch (...) {
    // A run that ends for want of memory or of standard output still leaves its pictures;
    // the run's own memory is free again by now.
    try {
      WriteScreenshots(platform, cl);
    } catch (...) {
    }
    try {
      if (gif) gif->Write();
    } catch (...) {
    }
    throw;
  }
  status = EndHeadless(platform, gif, cl, status);
  // After the transcript, unless standard output has failed already (that was said).
  if (!cl.dump || std::ferror(stdout)) return status;
  const int written = WriteOutput(dump);
  return written != 0 ? written : status;
}

}  // namespace brindle::cli

// The page's interpreter: one run of one script, in a worker, with the page behind the Page
// interface reached through the functions of web/page/worker.js (Module.page).
#include <emscripten.h>

#include <cstdint>
#include <deque>
#include <exception>
#include <new>
#include <string>

#include "host/driver.h"
#include "host/script_file.h"
#include "lint/lint.h"
#include "platform/web/page.h"
#include "platform/web/web_platform.h"

// The heap is read and written here, where its current view is in reach; the page's side
// (web/page/worker.js) gets and gives plain arrays.
// clang-format off
EM_JS(int, page_take_inputs, (int32_t* into, int max_inputs, int wait_ms, int settled), {
  const inputs = Module.page.takeInputs(max_inputs, wait_ms, settled);
  HEAP32.set(inputs, into >> 2);
  return inputs.length / 3;
});
EM_JS(double, page_now_ms, (), { return performance.now(); });
EM_JS(int, page_ready_for_picture, (), { return Module.page.readyForPicture(); });
EM_JS(void, page_show_picture, (const uint32_t* rgba, int byte_count), {
  Module.page.showPicture(HEAPU8.slice(rgba, rgba + byte_count));
});
EM_JS(void, page_open_message, (int number, const char* caption, int caption_length,
                                const char* text, int text_length), {
  Module.page.openMessage(number, HEAPU8.slice(caption, caption + caption_length),
                          HEAPU8.slice(text, text + text_length));
});
EM_JS(void, page_waiting, (), { Module.page.waiting(); });
EM_JS(void, page_report, (const char* line, int length), {
  Module.page.report(HEAPU8.slice(line, line + length));
});
// clang-format on

namespace {

class WorkerPage final : public brindle::Page {
 public:
  void TakeInputs(std::deque<brindle::PageInput>& inputs, int wait_ms, bool settled) override {
    constexpr int kMaxInputs = 64;
    int32_t fields[kMaxInputs * 3];
    const int count = page_take_inputs(fields, kMaxInputs, wait_ms, settled ? 1 : 0);
    for (int i = 0; i < count; ++i) {
      inputs.push_back({static_cast<brindle::PageInput::Kind>(fields[3 * i]), fields[3 * i + 1],
                        fields[3 * i + 2]});
    }
  }
  double NowMs() override { return page_now_ms(); }
  bool ReadyForPicture() override { return page_ready_for_picture() != 0; }
  void ShowPicture(std::span<const uint32_t> rgba) override {
    page_show_picture(rgba.data(), static_cast<int>(rgba.size_bytes()));
  }
  void OpenMessage(int number, std::string_view caption, std::string_view text) override {
    page_open_message(number, caption.data(), static_cast<int>(caption.size()), text.data(),
                      static_cast<int>(text.size()));
  }
  void Waiting() override { page_waiting(); }
};

void Report(const std::string& line) {
  page_report(line.data(), static_cast<int>(line.size()));
}

int Run(const char* path, bool quiet, double seed) {
  std::string text, reason;
  if (!brindle::ReadScript(path, brindle::ScriptEncoding::kAuto, Report, text, reason)) {
    Report(std::string("brindle: cannot read ") + path + ": " + reason);
    return 2;
  }
  const brindle::SourceFile source{path, std::move(text)};
  brindle::ReportWarnings(source, Report);
  WorkerPage page;
  brindle::WebPlatform platform(page);
  brindle::RunOptions options;
  options.quiet = quiet;
  if (seed >= 0) options.clock_seed = static_cast<uint32_t>(seed);
  options.report_fault = Report;
  return brindle::RunProgram(platform, source, options);
}

}  // namespace

// Runs the script at path (written to the worker's file system by the page), its warnings
// and faults reported as FILE:LINE:COL lines. seed < 0: RAND is seeded from the clock.
// Returns only when the run cannot go on (the statuses of the program: 2 the script cannot be
// read, 4 out of memory, 5 an internal fault): a script that ends waits for events, as the
// window stays open, until the page ends the worker.
extern "C" EMSCRIPTEN_KEEPALIVE int brindle_run(const char* path, int quiet, double seed) {
  try {
    return Run(path, quiet != 0, seed);
  } catch (const std::bad_alloc&) {
    Report("brindle: out of memory");
    return 4;
  } catch (const std::exception& e) {
    Report(std::string("brindle: internal fault: ") + e.what());
    return 5;
  } catch (...) {
    Report("brindle: internal fault");
    return 5;
  }
}

// Bytes as a debugging client might send them, through the framing and a debugger session that
// runs a small script (written at start-up, where the seeds' launch requests name it). Every
// request is taken, then the input ends. No input may crash, hang or leak.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string_view>

#include "dap/session.h"
#include "lsp/frame_reader.h"

namespace {

const bool kScriptWritten = [] {
  std::ofstream("/tmp/brindle-fuzz-dap.bas")
      << "VAR i, s, ms\nSTR t\nVAR a[4]\nFUNC f()\ns = s + i\nENDFN\nWHILE i < 4\ni = i + 1\n"
         "a[i] = i * 2\nf()\nt = t + \"x\"\nWEND\nRECT 1, 2, 30, 40\nPRINT 0, 0, t\nms = 50\n"
         "TIMERON ms\nGOTO done\nWINMSG WMTIMER\ni = i + 1\nIF i > 9 : TIMEROFF : ENDIF\nENDWM\n"
         "LABEL done\n";
  return true;
}();

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  (void)kScriptWritten;
  brindle::lsp::FrameReader reader;
  reader.Feed(std::string_view(reinterpret_cast<const char*>(data), size));
  brindle::dap::MessageQueue queue;
  while (std::optional<brindle::lsp::Frame> frame = reader.Next()) {
    brindle::dap::Json message;
    if (frame->problem.empty() && brindle::lsp::ReadJson(frame->body, message).empty()) {
      queue.Push(std::move(message));
    }
  }
  queue.Close();
  brindle::dap::Session session(
      queue,
      [](const brindle::dap::Json& m) {
        m.dump(-1, ' ', false, brindle::dap::Json::error_handler_t::replace);
      },
      nullptr);
  session.Serve();
  return 0;
}

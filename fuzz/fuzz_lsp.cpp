// Bytes as a language client might send them, through the framing and the server, fed in
// pieces whose size the first byte sets (so that splits inside headers and bodies are tried).
// Every reply is serialised as the server would send it. No input may crash, hang or leak.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "lsp/frame_reader.h"
#include "lsp/server.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t piece = 1 + data[0] % 64 * 37;
  std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
  brindle::lsp::FrameReader reader;
  brindle::lsp::Server server;
  while (!input.empty() && !server.exited()) {
    reader.Feed(input.substr(0, piece));
    input.remove_prefix(std::min(piece, input.size()));
    while (std::optional<brindle::lsp::Frame> frame = reader.Next()) {
      const auto replies = frame->problem.empty() ? server.Handle(frame->body)
                                                  : server.HandleBadFrame(frame->problem);
      for (const brindle::lsp::Json& reply : replies) {
        reply.dump(-1, ' ', false, brindle::lsp::Json::error_handler_t::replace);
      }
    }
  }
  return 0;
}

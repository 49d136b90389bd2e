#include "lsp/stdio_server.h"

#include <unistd.h>

#include <cerrno>
#include <string>

#include "files/fd_write.h"
#include "lsp/frame_reader.h"
#include "lsp/server.h"

namespace brindle::lsp {
namespace {

bool Send(int fd, const std::vector<Json>& messages) {
  for (const Json& message : messages) {
    // Texts of the script are made UTF-8 before they get here; replacing is the last guard.
    const std::string body = message.dump(-1, ' ', false, Json::error_handler_t::replace);
    if (!WriteAll(fd, "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body)) {
      return false;
    }
  }
  return true;
}

}  // namespace

int ServeStdio(int in_fd, int out_fd) {
  Server server;
  FrameReader reader;
  char buffer[65536];
  while (!server.exited()) {
    const ssize_t got = read(in_fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;  // the client is gone
    reader.Feed(std::string_view(buffer, static_cast<size_t>(got)));
    while (!server.exited()) {
      std::optional<Frame> frame = reader.Next();
      if (!frame) break;
      const std::vector<Json> replies = frame->problem.empty()
                                            ? server.Handle(frame->body)
                                            : server.HandleBadFrame(frame->problem);
      if (!Send(out_fd, replies)) return 1;
    }
  }
  // Input that ends before exit ends the server as exit without shutdown would.
  return server.exited() ? server.ExitStatus() : 1;
}

}  // namespace brindle::lsp

#include "dap/stdio_adapter.h"

#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <thread>

#include "files/fd_write.h"
#include "lsp/frame_reader.h"

namespace brindle::dap {
namespace {

// Reads frames until the input ends. A frame that is no message is answered at once (there is
// no request to name), as the language server does.
void ReadRequests(int in_fd, MessageQueue& queue, const Session::Send& send) {
  lsp::FrameReader reader;
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(in_fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    reader.Feed(std::string_view(buffer, static_cast<size_t>(got)));
    while (std::optional<lsp::Frame> frame = reader.Next()) {
      std::string problem = frame->problem;
      Json message;
      if (problem.empty()) problem = lsp::ReadJson(frame->body, message);
      if (problem.empty()) {
        queue.Push(std::move(message));
      } else {
        send({{"seq", 0},
              {"type", "event"},
              {"event", "output"},
              {"body", {{"category", "console"}, {"output", "brindle: " + problem + "\n"}}}});
      }
    }
  }
  queue.Close();
}

}  // namespace

int ServeStdio(int in_fd, int out_fd, Session::OpenWindow open_window) {
  // The reader may still wait on the input when the session is over: what it uses is never
  // freed (the process ends right after), and stays reachable from here.
  struct Channel {
    std::mutex out_mutex;
    MessageQueue queue;
  };
  static Channel* const channel = new Channel;
  const Session::Send send = [out_fd](const Json& message) {
    const std::string body = message.dump(-1, ' ', false, Json::error_handler_t::replace);
    std::lock_guard lock(channel->out_mutex);
    (void)WriteAll(out_fd, "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body);
  };
  std::thread(ReadRequests, in_fd, std::ref(channel->queue), send).detach();
  Session session(channel->queue, send, std::move(open_window));
  return session.Serve();
}

}  // namespace brindle::dap

// A client that starts brindle --lsp as an editor does and holds a conversation with it over
// pipes: each reply is read before the next message is sent, so a server that waits for bytes
// it will never get fails here by the read's time limit.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "lsp/json_reader.h"
#include "run_brindle.h"

namespace brindle {
namespace {

using Json = nlohmann::json;
using Clock = std::chrono::steady_clock;

class LspProcess {
 public:
  LspProcess() {
    int in[2], out[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) std::abort();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    char binary[] = BRINDLE_BINARY;
    char option[] = "--lsp";
    char* argv[] = {binary, option, nullptr};
    if (posix_spawn(&pid_, BRINDLE_BINARY, &actions, nullptr, argv, environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    to_server_ = in[1];
    from_server_ = out[0];
  }
  ~LspProcess() {
    if (to_server_ >= 0) close(to_server_);
    close(from_server_);
    if (pid_ > 0 && !reaped_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

  void SendBytes(const std::string& bytes) {
    ASSERT_EQ(write(to_server_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  void Send(const Json& message) {
    const std::string body = message.dump();
    SendBytes("Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body);
  }
  void CloseInput() {
    close(to_server_);
    to_server_ = -1;
  }

  // The next message from the server, or null after two seconds without one.
  Json Receive() {
    size_t header_end;
    while ((header_end = pending_.find("\r\n\r\n")) == std::string::npos) {
      if (!ReadMore()) return nullptr;
    }
    const size_t length = std::stoul(pending_.substr(pending_.find(':') + 1));
    while (pending_.size() < header_end + 4 + length) {
      if (!ReadMore()) return nullptr;
    }
    Json message = Json::parse(pending_.substr(header_end + 4, length));
    pending_.erase(0, header_end + 4 + length);
    return message;
  }

  // The exit status once the process ends (-1 if it does not within two seconds).
  int Wait() {
    for (const Clock::time_point end = Clock::now() + std::chrono::seconds(2);
         Clock::now() < end;) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        reaped_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      usleep(5000);
    }
    return -1;
  }

 private:
  bool ReadMore() {
    pollfd fd{from_server_, POLLIN, 0};
    if (poll(&fd, 1, 2000) <= 0) return false;
    char buffer[4096];
    const ssize_t got = read(from_server_, buffer, sizeof buffer);
    if (got <= 0) return false;
    pending_.append(buffer, static_cast<size_t>(got));
    return true;
  }

  pid_t pid_ = -1;
  int to_server_ = -1;
  int from_server_ = -1;
  bool reaped_ = false;
  std::string pending_;
};

Json Request(int id, const std::string& method, Json params) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", std::move(params)}};
}

Json Notification(const std::string& method, Json params) {
  return {{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}};
}

Json At(int line, int character) {
  return {{"textDocument", {{"uri", "file:///t/game.bas"}}},
          {"position", {{"line", line}, {"character", character}}}};
}

Json Range(int line, int from, int to) {
  return {{"start", {{"line", line}, {"character", from}}},
          {"end", {{"line", line}, {"character", to}}}};
}

constexpr const char* kFaulty =
    "VAR score, speed[8]\n"
    "score = 1\n"
    "PRNT 10, 10, score\n"
    "GOTO done\n"
    "LABEL done\n";

TEST(LanguageServerProcess, AConversationFromOpenToExit) {
  LspProcess server;
  server.Send(Request(1, "initialize", {{"processId", nullptr}, {"capabilities", Json::object()}}));
  const Json init = server.Receive();
  EXPECT_EQ(init["id"], 1);
  EXPECT_EQ(init["result"]["capabilities"]["hoverProvider"], true);
  server.Send(Notification("initialized", Json::object()));

  server.Send(Notification("textDocument/didOpen", {{"textDocument",
                                                     {{"uri", "file:///t/game.bas"},
                                                      {"languageId", "brindle"},
                                                      {"version", 1},
                                                      {"text", kFaulty}}}}));
  const Json opened = server.Receive();
  EXPECT_EQ(opened["method"], "textDocument/publishDiagnostics");
  EXPECT_EQ(opened["params"]["version"], 1);
  const Json& faults = opened["params"]["diagnostics"];
  ASSERT_GE(faults.size(), 1u);
  EXPECT_EQ(faults[0]["severity"], 1);
  EXPECT_EQ(faults[0]["range"], Range(2, 0, 4));
  EXPECT_EQ(faults[0]["message"], "ERROR: Variable ID not found! -{ PRNT }-Line: 3");
  // The hint for a misspelt keyword comes with it.
  ASSERT_EQ(faults.size(), 2u);
  EXPECT_EQ(faults[1]["code"], "W21");

  server.Send(Request(2, "textDocument/hover", At(3, 1)));
  const Json hover = server.Receive();
  EXPECT_EQ(hover["id"], 2);
  EXPECT_NE(hover["result"]["contents"]["value"].get<std::string>().find("GOTO"),
            std::string::npos);
  EXPECT_EQ(hover["result"]["range"], Range(3, 0, 4));

  server.Send(Request(3, "textDocument/definition", At(3, 7)));
  const Json definition = server.Receive();
  EXPECT_EQ(definition["result"]["uri"], "file:///t/game.bas");
  EXPECT_EQ(definition["result"]["range"], Range(4, 6, 10));

  // Mending the line clears the diagnostics.
  server.Send(Notification("textDocument/didChange",
                           {{"textDocument", {{"uri", "file:///t/game.bas"}, {"version", 2}}},
                            {"contentChanges", {{{"range", Range(2, 0, 4)}, {"text", "PRINT"}}}}}));
  const Json changed = server.Receive();
  EXPECT_EQ(changed["params"]["version"], 2);
  EXPECT_EQ(changed["params"]["diagnostics"], Json::array());

  server.Send(Request(4, "shutdown", nullptr));
  EXPECT_EQ(server.Receive(), (Json{{"jsonrpc", "2.0"}, {"id", 4}, {"result", nullptr}}));
  server.Send(Notification("exit", nullptr));
  EXPECT_EQ(server.Wait(), 0);
}

TEST(LanguageServerProcess, GarbageGetsErrorRepliesAndTheServerGoesOn) {
  LspProcess server;
  server.SendBytes("Content-Length: twelve\r\n\r\n{}");
  EXPECT_EQ(server.Receive()["error"]["code"], -32700);
  server.SendBytes("Content-Length: 3\r\n\r\n{x]");
  EXPECT_EQ(server.Receive()["error"]["code"], -32700);
  server.Send(Request(7, "textDocument/hover", At(0, 0)));
  EXPECT_EQ(server.Receive()["error"]["code"], -32002);  // not initialized yet
  server.Send(Request(8, "initialize", Json::object()));
  EXPECT_EQ(server.Receive()["id"], 8);
  server.Send(Request(9, "textDocument/hover", At(0, 0)));
  EXPECT_EQ(server.Receive()["error"]["code"], -32602);  // the document is not open
  server.Send(Request(10, "workspace/frobnicate", Json::object()));
  EXPECT_EQ(server.Receive()["error"]["code"], -32601);
  // Input that ends without shutdown and exit ends the server with status 1.
  server.CloseInput();
  EXPECT_EQ(server.Wait(), 1);
}

TEST(LanguageServerProcess, InputThatEndsBeforeExitEndsWithStatus1EvenAfterShutdown) {
  LspProcess server;
  server.Send(Request(1, "initialize", Json::object()));
  EXPECT_EQ(server.Receive()["id"], 1);
  server.Send(Request(2, "shutdown", nullptr));
  EXPECT_EQ(server.Receive()["id"], 2);
  server.CloseInput();
  EXPECT_EQ(server.Wait(), 1);
}

std::string Framed(const std::string& body) {
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

// A message within the limits whose tree does not fit in the memory left ends the server as
// every other mode ends: one line on standard error and status 4, never an abort.
TEST(LanguageServerProcess, RunningOutOfMemoryEndsTheServerWithStatus4) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer needs an unlimited address space";
#endif
  std::string objects = "[{}";
  for (size_t i = 2; i < lsp::kMaxJsonValues; ++i) objects += ",{}";
  objects += "]";
  const std::filesystem::path input = testing::TempPath("lsp-memory.in");
  std::ofstream(input, std::ios::binary)
      << Framed(Request(1, "initialize", Json::object()).dump()) << Framed(objects);
  testing::SpawnOptions options;
  options.memory_limit = size_t{64} << 20;
  options.stdin_path = input.string();
  const testing::ProcessResult r = testing::RunBrindle({"--lsp"}, options);
  std::filesystem::remove(input);
  EXPECT_EQ(r.err, "brindle: out of memory\n");
  EXPECT_EQ(r.status, 4);
  EXPECT_NE(r.out.find("\"id\":1"), std::string::npos) << "the first message is answered";
}

}  // namespace
}  // namespace brindle

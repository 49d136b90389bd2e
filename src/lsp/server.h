// The language server's state and its answer to each message: open documents, their
// analyses, and the protocol's life cycle (initialize, shutdown, exit).
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "lsp/analysis.h"
#include "lsp/features.h"

namespace brindle::lsp {

// JSON-RPC and protocol error codes.
inline constexpr int kParseError = -32700;
inline constexpr int kInvalidRequest = -32600;
inline constexpr int kMethodNotFound = -32601;
inline constexpr int kInvalidParams = -32602;
inline constexpr int kInternalError = -32603;
inline constexpr int kServerNotInitialized = -32002;

class Server {
 public:
  // The messages to send for one message received (responses, diagnostics), in order.
  std::vector<Json> Handle(std::string_view body);
  // The reply to bytes that framed no message.
  std::vector<Json> HandleBadFrame(const std::string& problem);

  bool exited() const { return state_ == State::kExited; }
  // After exit: 0 when shutdown came first, as the protocol asks.
  int ExitStatus() const { return shut_down_ ? 0 : 1; }

 private:
  enum class State { kStarting, kRunning, kShuttingDown, kExited };
  struct Document {
    Json version;  // the editor's number, as it sent it
    Analysis analysis;
  };

  // Handle's work, with the message's tree made in message.
  std::vector<Json> Answer(std::string_view body, Json& message);
  Json Request(const std::string& method, const Json& params);
  void Notification(const std::string& method, const Json& params, std::vector<Json>& out);
  const Document& OpenDocument(const Json& params) const;
  void Open(const Json& params, std::vector<Json>& out);
  void Change(const Json& params, std::vector<Json>& out);
  void Close(const Json& params, std::vector<Json>& out);
  Json Publish(const std::string& uri, const Document& document) const;

  State state_ = State::kStarting;
  bool shut_down_ = false;
  std::unordered_map<std::string, Document> documents_;
};

}  // namespace brindle::lsp

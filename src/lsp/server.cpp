#include "lsp/server.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <climits>
#include <memory>
#include <new>
#include <utility>

#include "lsp/edited_text.h"
#include "lsp/json_reader.h"

namespace brindle::lsp {
namespace {

// A request that cannot be answered: becomes the error reply.
struct ProtocolError {
  int code;
  std::string message;
};

Json Reply(const Json& id, Json result) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}};
}

Json ErrorReply(const Json& id, int code, const std::string& message) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}};
}

Json Notice(const std::string& method, Json params) {
  return {{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}};
}

// Problems with a notification cannot be answered; they are logged in the editor instead.
Json LogWarning(const std::string& message) {
  constexpr int kMessageWarning = 2;
  return Notice("window/logMessage", {{"type", kMessageWarning}, {"message", message}});
}

const Json& Member(const Json& object, const char* key, Json::value_t type) {
  if (!object.is_object() || !object.contains(key)) {
    throw ProtocolError{kInvalidParams, std::string("missing \"") + key + "\""};
  }
  const Json& value = object[key];
  const bool number = type == Json::value_t::number_integer &&
                      (value.is_number_integer() || value.is_number_unsigned());
  if (value.type() != type && !number) {
    throw ProtocolError{kInvalidParams, std::string("\"") + key + "\" has the wrong type"};
  }
  return value;
}

std::string Uri(const Json& params) {
  return Member(Member(params, "textDocument", Json::value_t::object), "uri", Json::value_t::string)
      .get<std::string>();
}

// A line or a character: a number from 0. One past any text (up to 2^64 - 1, as a client may
// send) reads as INT_MAX, which every use takes for the end of its line or of the text.
int Coordinate(const Json& at, const char* key) {
  const Json& value = Member(at, key, Json::value_t::number_integer);
  if (value.is_number_integer() && value.get<Json::number_integer_t>() < 0) {
    throw ProtocolError{kInvalidParams, std::string("\"") + key + "\" is negative"};
  }
  return static_cast<int>(
      std::min<Json::number_unsigned_t>(value.get<Json::number_unsigned_t>(), INT_MAX));
}

Position PositionJson(const Json& at) {
  return {Coordinate(at, "line"), Coordinate(at, "character")};
}

Position PositionParam(const Json& params) {
  return PositionJson(Member(params, "position", Json::value_t::object));
}

Json Capabilities() {
  constexpr int kIncrementalSync = 2;
  return {{"capabilities",
           {{"textDocumentSync", {{"openClose", true}, {"change", kIncrementalSync}}},
            {"hoverProvider", true},
            {"completionProvider", Json::object()},
            {"definitionProvider", true},
            {"documentSymbolProvider", true}}},
          {"serverInfo", {{"name", "brindle"}, {"version", BRINDLE_VERSION}}}};
}

// One entry of didChange: the whole text, or a range and its replacement.
void ApplyChange(EditedText& text, const Json& change) {
  const std::string replacement =
      ScriptBytes(Member(change, "text", Json::value_t::string).get<std::string>());
  if (!change.contains("range")) {
    text = EditedText(replacement);
    return;
  }
  const Json& range = Member(change, "range", Json::value_t::object);
  const size_t start = text.OffsetOf(PositionJson(Member(range, "start", Json::value_t::object)));
  const size_t end = text.OffsetOf(PositionJson(Member(range, "end", Json::value_t::object)));
  if (end < start) throw ProtocolError{kInvalidParams, "a range that ends before it starts"};
  text.Replace(start, end, replacement);
}

// The allocator keeps freed memory for later; with no document open the server needs little,
// so what is free goes back to the system (an editor that closed its files sees it).
void ReturnFreeMemory() {
#ifdef __GLIBC__
  malloc_trim(0);
#endif
}

const Json& Params(const Json& message) {
  static const Json none = Json::object();
  const auto found = message.find("params");
  return found != message.end() ? *found : none;
}

}  // namespace

std::vector<Json> Server::HandleBadFrame(const std::string& problem) {
  return {ErrorReply(nullptr, kParseError, problem)};
}

std::vector<Json> Server::Handle(std::string_view body) {
  // Tearing a tree down takes memory (the library keeps a list of the values still to free):
  // once memory has run out, the message is left to the end of the process instead.
  auto message = std::make_unique<Json>();
  try {
    return Answer(body, *message);
  } catch (const std::bad_alloc&) {
    static_cast<void>(message.release());
    throw;
  }
}

std::vector<Json> Server::Answer(std::string_view body, Json& message) {
  if (const std::string problem = ReadJson(body, message); !problem.empty()) {
    return {ErrorReply(nullptr, kParseError, problem)};
  }
  const bool has_id = message.is_object() && message.contains("id");
  // Only a number or a string is copied: the one kind of id a reply may name.
  const Json* id = has_id ? &message["id"] : nullptr;
  const bool named = id != nullptr && (id->is_number() || id->is_string());
  if (!message.is_object() || !message.contains("method") || !message["method"].is_string() ||
      (has_id && !id->is_number_integer() && !id->is_number_unsigned() && !id->is_string())) {
    return {ErrorReply(named ? *id : Json(), kInvalidRequest, "not a request or notification")};
  }
  const std::string method = message["method"].get<std::string>();
  const Json& params = Params(message);
  std::vector<Json> out;
  try {
    if (!has_id) {
      Notification(method, params, out);
    } else {
      out.push_back(Reply(*id, Request(method, params)));
    }
  } catch (const ProtocolError& e) {
    out.push_back(has_id ? ErrorReply(*id, e.code, e.message)
                         : LogWarning(method + ": " + e.message));
  } catch (const Json::exception& e) {
    out.push_back(has_id ? ErrorReply(*id, kInvalidParams, e.what())
                         : LogWarning(method + ": " + e.what()));
  }
  return out;
}

Json Server::Request(const std::string& method, const Json& params) {
  if (state_ == State::kStarting && method != "initialize") {
    throw ProtocolError{kServerNotInitialized, "the server has not been initialized"};
  }
  if (state_ == State::kShuttingDown) {
    throw ProtocolError{kInvalidRequest, "the server is shutting down"};
  }
  if (method == "initialize") {
    if (state_ != State::kStarting) throw ProtocolError{kInvalidRequest, "already initialized"};
    state_ = State::kRunning;
    return Capabilities();
  }
  if (method == "shutdown") {
    state_ = State::kShuttingDown;
    shut_down_ = true;
    return nullptr;
  }
  if (method == "textDocument/hover") {
    return HoverAt(OpenDocument(params).analysis, PositionParam(params));
  }
  if (method == "textDocument/completion") {
    return CompletionAt(OpenDocument(params).analysis, PositionParam(params));
  }
  if (method == "textDocument/definition") {
    return DefinitionAt(OpenDocument(params).analysis, Uri(params), PositionParam(params));
  }
  if (method == "textDocument/documentSymbol")
    return DocumentSymbols(OpenDocument(params).analysis);
  throw ProtocolError{kMethodNotFound, "no method " + method};
}

void Server::Notification(const std::string& method, const Json& params, std::vector<Json>& out) {
  if (method == "exit") {
    state_ = State::kExited;
    return;
  }
  if (state_ != State::kRunning) return;  // before initialize and after shutdown: dropped
  if (method == "textDocument/didOpen") {
    Open(params, out);
  } else if (method == "textDocument/didChange") {
    Change(params, out);
  } else if (method == "textDocument/didClose") {
    Close(params, out);
  }
  // Every other notification (initialized, didSave, $/cancelRequest, ...) needs nothing.
}

const Server::Document& Server::OpenDocument(const Json& params) const {
  const std::string uri = Uri(params);
  const auto found = documents_.find(uri);
  if (found == documents_.end())
    throw ProtocolError{kInvalidParams, "not an open document: " + uri};
  return found->second;
}

void Server::Open(const Json& params, std::vector<Json>& out) {
  const Json& item = Member(params, "textDocument", Json::value_t::object);
  const std::string uri = Member(item, "uri", Json::value_t::string).get<std::string>();
  Document document{
      Member(item, "version", Json::value_t::number_integer),
      Analyse(ScriptBytes(Member(item, "text", Json::value_t::string).get<std::string>()),
              LocalPathOfUri(uri))};
  const Document& stored = documents_.insert_or_assign(uri, std::move(document)).first->second;
  out.push_back(Publish(uri, stored));
}

void Server::Change(const Json& params, std::vector<Json>& out) {
  const std::string uri = Uri(params);
  const auto found = documents_.find(uri);
  if (found == documents_.end())
    throw ProtocolError{kInvalidParams, "not an open document: " + uri};
  const Json& version = Member(params["textDocument"], "version", Json::value_t::number_integer);
  const Json& changes = Member(params, "contentChanges", Json::value_t::array);
  EditedText text(found->second.analysis.text);
  for (const Json& change : changes) ApplyChange(text, change);
  found->second.analysis = Analyse(text.Text(), LocalPathOfUri(uri));
  found->second.version = version;
  out.push_back(Publish(uri, found->second));
}

void Server::Close(const Json& params, std::vector<Json>& out) {
  const std::string uri = Uri(params);
  if (documents_.erase(uri) == 0)
    throw ProtocolError{kInvalidParams, "not an open document: " + uri};
  if (documents_.empty()) ReturnFreeMemory();
  // The editor keeps a closed file's diagnostics until they are replaced by none.
  out.push_back(
      Notice("textDocument/publishDiagnostics", {{"uri", uri}, {"diagnostics", Json::array()}}));
}

Json Server::Publish(const std::string& uri, const Document& document) const {
  return Notice("textDocument/publishDiagnostics",
                {{"uri", uri},
                 {"version", document.version},
                 {"diagnostics", Diagnostics(document.analysis)}});
}

}  // namespace brindle::lsp

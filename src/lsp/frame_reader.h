// The framing of the language server protocol: header lines, a blank line, then a body of
// Content-Length bytes. Bytes are fed in as they arrive; whole frames come out.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace brindle::lsp {

// A body larger than this is refused (and skipped) rather than held in memory; a script is at
// most 16 MiB, and escaped in JSON it stays well below.
inline constexpr size_t kMaxBodyBytes = size_t{128} << 20;
// Headers are a few dozen bytes; a header section that runs past this is garbage.
inline constexpr size_t kMaxHeaderBytes = 8192;

struct Frame {
  std::string body;     // the message, when problem is empty
  std::string problem;  // why the bytes read were no message
};

class FrameReader {
 public:
  void Feed(std::string_view bytes) { buffer_.append(bytes); }
  // The next frame, or nothing until more bytes arrive.
  std::optional<Frame> Next();

 private:
  std::optional<Frame> ReadHeaders();
  std::optional<Frame> Refuse(std::string problem);
  // After a bad header the stream is searched for the next "Content-Length:".
  bool Resynchronise();

  std::string buffer_;
  size_t start_ = 0;            // where the unread bytes begin
  std::optional<size_t> body_;  // the length of the body being waited for
  size_t skip_ = 0;             // bytes of a refused body still to pass over
  bool lost_ = false;           // searching for the next header after a bad one
};

}  // namespace brindle::lsp

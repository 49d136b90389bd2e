// The headless transcript: one line per message box and per PRINT, fields separated by TABs.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace brindle {

// Backslash, TAB, CR and LF as \\ \t \r \n; other bytes below 0x20 and from 0x7F up as \xHH.
std::string EscapeTranscriptField(std::string_view bytes);

class Transcript {
 public:
  // A null stream discards the transcript.
  explicit Transcript(std::FILE* out) : out_(out) {}
  void Box(std::string_view caption, std::string_view text);
  void Print(int x, int y, std::string_view text);
  void Flush() {
    if (out_ != nullptr) std::fflush(out_);
  }

 private:
  std::FILE* out_;
};

}  // namespace brindle

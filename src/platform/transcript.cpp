#include "platform/transcript.h"

namespace brindle {

std::string EscapeTranscriptField(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size());
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        if (c < 0x20 || c >= 0x7f) {
          out += "\\x";
          out += kHex[c >> 4];
          out += kHex[c & 15];
        } else {
          out += ch;
        }
    }
  }
  return out;
}

void Transcript::Box(std::string_view caption, std::string_view text) {
  if (out_ == nullptr) return;
  const std::string line =
      "box\t" + EscapeTranscriptField(caption) + "\t" + EscapeTranscriptField(text) + "\n";
  std::fwrite(line.data(), 1, line.size(), out_);
}

void Transcript::Print(int x, int y, std::string_view text) {
  if (out_ == nullptr) return;
  const std::string line = "print\t" + std::to_string(x) + "\t" + std::to_string(y) + "\t" +
                           EscapeTranscriptField(text) + "\n";
  std::fwrite(line.data(), 1, line.size(), out_);
}

}  // namespace brindle

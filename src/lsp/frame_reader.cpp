#include "lsp/frame_reader.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace brindle::lsp {
namespace {

constexpr std::string_view kLengthHeader = "content-length:";

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

// The header section, lines ending in CR LF (a bare LF is taken too): the body's length, or
// the reason there is none.
std::optional<size_t> BodyLength(std::string_view headers, std::string& problem) {
  std::optional<size_t> length;
  while (!headers.empty()) {
    const size_t end = headers.find('\n');
    const std::string_view line = TrimBlanks(headers.substr(0, end));
    headers.remove_prefix(end == std::string_view::npos ? headers.size() : end + 1);
    if (line.empty()) continue;
    if (line.find(':') == std::string_view::npos) {
      problem = "a header line without a colon";
      return std::nullopt;
    }
    if (!StartsWithNoCase(line, kLengthHeader)) continue;  // Content-Type and the like
    const std::string_view value = TrimBlanks(line.substr(kLengthHeader.size()));
    size_t n = 0;
    const auto [end_of_number, error] =
        std::from_chars(value.data(), value.data() + value.size(), n);
    if (error != std::errc() || end_of_number != value.data() + value.size() || value.empty()) {
      problem = "Content-Length is not a number";
      return std::nullopt;
    }
    length = n;
  }
  if (!length) problem = "a message without Content-Length";
  return length;
}

std::string TooLongHeader() {
  return "a header section longer than " + std::to_string(kMaxHeaderBytes) + " bytes";
}

}  // namespace

std::optional<Frame> FrameReader::Next() {
  if (skip_ > 0) {
    const size_t passed = std::min(skip_, buffer_.size() - start_);
    start_ += passed;
    skip_ -= passed;
    if (skip_ > 0) {
      buffer_.clear();
      start_ = 0;
      return std::nullopt;
    }
  }
  if (lost_ && !Resynchronise()) return std::nullopt;
  if (!body_) {
    if (std::optional<Frame> refused = ReadHeaders()) return refused;
    if (!body_) return std::nullopt;
  }
  if (buffer_.size() - start_ < *body_) return std::nullopt;
  Frame frame{buffer_.substr(start_, *body_), ""};
  start_ += *body_;
  body_.reset();
  // Read bytes are dropped now and then, not at every frame, so that a burst costs no copies.
  if (start_ > 65536 || start_ == buffer_.size()) {
    buffer_.erase(0, start_);
    start_ = 0;
  }
  return frame;
}

std::optional<Frame> FrameReader::ReadHeaders() {
  const std::string_view unread = std::string_view(buffer_).substr(start_);
  size_t end = unread.find("\r\n\r\n");
  size_t end_length = 4;
  if (const size_t bare = unread.find("\n\n"); bare < end) {
    end = bare;
    end_length = 2;
  }
  // However the bytes arrive, a section that runs past the limit is refused.
  if (end == std::string_view::npos) {
    if (unread.size() > kMaxHeaderBytes) return Refuse(TooLongHeader());
    return std::nullopt;
  }
  if (end + end_length > kMaxHeaderBytes) return Refuse(TooLongHeader());
  std::string problem;
  const std::optional<size_t> length = BodyLength(unread.substr(0, end), problem);
  if (!length) return Refuse(problem);
  start_ += end + end_length;
  if (*length > kMaxBodyBytes) {
    skip_ = *length;
    return Frame{"", "a message of " + std::to_string(*length) + " bytes is larger than " +
                         std::to_string(kMaxBodyBytes) + " bytes"};
  }
  body_ = length;
  return std::nullopt;
}

std::optional<Frame> FrameReader::Refuse(std::string problem) {
  lost_ = true;
  ++start_;  // so that the search finds the next header, not this one
  return Frame{"", std::move(problem)};
}

bool FrameReader::Resynchronise() {
  const std::string_view unread = std::string_view(buffer_).substr(start_);
  for (size_t at = 0; at < unread.size(); ++at) {
    if (StartsWithNoCase(unread.substr(at), kLengthHeader)) {
      start_ += at;
      lost_ = false;
      return true;
    }
  }
  // Keep what could be the start of the header, drop the rest.
  const size_t keep = std::min(unread.size(), kLengthHeader.size() - 1);
  buffer_.erase(0, buffer_.size() - keep);
  start_ = 0;
  return false;
}

}  // namespace brindle::lsp

#include "lsp/edited_text.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace brindle::lsp {
namespace {

constexpr size_t kSmallestPiece = 4096;

size_t FeedsIn(std::string_view bytes) {
  size_t feeds = 0;
  const char* const end = bytes.data() + bytes.size();
  for (const char* at = bytes.data(); at < end; ++feeds) {
    at = static_cast<const char*>(std::memchr(at, '\n', static_cast<size_t>(end - at)));
    if (at == nullptr) break;
    ++at;
  }
  return feeds;
}

}  // namespace

EditedText::EditedText(std::string_view text)
    : piece_size_(std::max(kSmallestPiece, static_cast<size_t>(std::sqrt(text.size())))),
      size_(text.size()) {
  InsertPieces(0, text);
  if (pieces_.empty()) pieces_.push_back({});
}

void EditedText::InsertPieces(size_t at, std::string_view bytes) {
  std::vector<Piece> made;
  for (size_t from = 0; from < bytes.size(); from += piece_size_) {
    const std::string_view part = bytes.substr(from, piece_size_);
    made.push_back({std::string(part), FeedsIn(part)});
  }
  pieces_.insert(pieces_.begin() + static_cast<std::ptrdiff_t>(at),
                 std::make_move_iterator(made.begin()), std::make_move_iterator(made.end()));
}

EditedText::Place EditedText::Locate(size_t offset) const {
  size_t before = 0;
  for (size_t i = 0; i + 1 < pieces_.size(); ++i) {
    const size_t size = pieces_[i].bytes.size();
    if (offset < before + size) return {i, offset - before, offset};
    before += size;
  }
  return {pieces_.size() - 1, std::min(offset - before, pieces_.back().bytes.size()),
          std::min(offset, size_)};
}

EditedText::Place EditedText::LineStart(size_t line) const {
  size_t before = 0;  // bytes of the pieces passed
  for (size_t i = 0; i < pieces_.size(); ++i) {
    const Piece& piece = pieces_[i];
    if (line > piece.feeds) {
      line -= piece.feeds;
      before += piece.bytes.size();
      continue;
    }
    size_t within = 0;
    for (; line > 0; --line) within = piece.bytes.find('\n', within) + 1;
    return {i, within, before + within};
  }
  return {pieces_.size() - 1, pieces_.back().bytes.size(), size_};  // past the last line
}

size_t EditedText::ClampToLine(Place from, size_t characters) const {
  size_t offset = from.offset;
  for (size_t i = from.piece, within = from.within; i < pieces_.size() && characters > 0;
       ++i, within = 0) {
    const Piece& piece = pieces_[i];
    const size_t look = std::min(characters, piece.bytes.size() - within);
    if (piece.feeds > 0) {
      const void* feed = std::memchr(piece.bytes.data() + within, '\n', look);
      if (feed != nullptr) {
        return offset +
               static_cast<size_t>(static_cast<const char*>(feed) - (piece.bytes.data() + within));
      }
    }
    offset += look;
    characters -= look;
  }
  return offset;
}

size_t EditedText::OffsetOf(Position at) const {
  if (at.line < 0) return size_;
  const Place start = LineStart(static_cast<size_t>(at.line));
  if (start.offset == size_ && at.line > 0) {
    // Past the last line, or the empty line after a final line feed: the end either way.
    return size_;
  }
  return ClampToLine(start, static_cast<size_t>(std::max(at.character, 0)));
}

void EditedText::Replace(size_t start, size_t end, std::string_view bytes) {
  const Place from = Locate(start);
  const Place to = Locate(end);
  std::string joined = pieces_[from.piece].bytes.substr(0, from.within);
  joined += bytes;
  joined.append(pieces_[to.piece].bytes, to.within);
  // A piece that has become small is joined with the next, so that pieces stay few.
  size_t last = to.piece;
  if (joined.size() < piece_size_ / 2 && last + 1 < pieces_.size()) {
    joined += pieces_[++last].bytes;
  }
  const auto first = pieces_.begin() + static_cast<std::ptrdiff_t>(from.piece);
  pieces_.erase(first + 1, pieces_.begin() + static_cast<std::ptrdiff_t>(last) + 1);
  if (joined.size() <= 2 * piece_size_) {
    const size_t feeds = FeedsIn(joined);
    pieces_[from.piece] = {std::move(joined), feeds};
  } else {
    pieces_.erase(first);
    InsertPieces(from.piece, joined);
  }
  size_ = size_ - (end - start) + bytes.size();
}

std::string EditedText::Text() const {
  std::string text;
  text.reserve(size_);
  for (const Piece& piece : pieces_) text += piece.bytes;
  return text;
}

}  // namespace brindle::lsp

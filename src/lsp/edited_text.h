// A document's text while the edits of one didChange are applied in turn, each at a position of
// the text the edits before it left. The text is held in pieces of about the square root of its
// size, each with its count of line feeds, so that finding a position and replacing a range cost
// about that root wherever they are: a change of many edits costs the text once and each edit a
// little, not the whole text for every edit.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "lsp/document_text.h"

namespace brindle::lsp {

class EditedText {
 public:
  explicit EditedText(std::string_view text);

  // The byte at a position, as OffsetOf places it: a character past its line's end is the
  // line's end, a line past the last the end of the text.
  size_t OffsetOf(Position at) const;
  // Replaces the bytes from start to end (start <= end <= size()).
  void Replace(size_t start, size_t end, std::string_view bytes);

  size_t size() const { return size_; }
  std::string Text() const;

 private:
  struct Piece {
    std::string bytes;
    size_t feeds = 0;  // line feeds in bytes
  };
  struct Place {
    size_t piece;   // index in pieces_
    size_t within;  // offset in that piece (its size only in the last piece)
    size_t offset;  // in the text
  };

  Place Locate(size_t offset) const;
  Place LineStart(size_t line) const;
  size_t ClampToLine(Place from, size_t characters) const;
  // The bytes as pieces of piece_size_, inserted at index at.
  void InsertPieces(size_t at, std::string_view bytes);

  std::vector<Piece> pieces_;
  size_t piece_size_;
  size_t size_ = 0;
};

}  // namespace brindle::lsp

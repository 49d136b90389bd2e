// The text of an input box, which may run to many megabytes: kept in pieces of at most
// kMaxPiece bytes in a balanced tree, so that typing, deleting and reading a few characters
// anywhere cost in proportion to what they touch, never to the length of the text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace brindle {

class BoxText {
 public:
  static constexpr size_t kMaxPiece = 1024;

  BoxText();
  explicit BoxText(std::string_view text);
  BoxText(BoxText&&) noexcept;
  BoxText& operator=(BoxText&&) noexcept;
  BoxText(const BoxText& other);
  BoxText& operator=(const BoxText& other);
  ~BoxText();

  size_t size() const;
  void Assign(std::string_view text);
  // Replaces the bytes [start, start + count) by with; start and count are cut to the text.
  void Replace(size_t start, size_t count, std::string_view with);
  // The bytes [start, start + count), cut at the end of the text.
  std::string Read(size_t start, size_t count) const;

  // Bytes copied into pieces so far: an edit copies the few pieces around it and what it
  // inserts, whatever the length of the text.
  uint64_t bytes_copied() const { return bytes_copied_; }
  // Bytes Read has given so far.
  uint64_t bytes_read() const { return bytes_read_; }
  // The pieces the text is kept in, never more than 4 * size() / kMaxPiece + 1 (counted one by
  // one: for tests).
  size_t piece_count() const;

  struct Node;  // one piece in the tree (box_text.cpp)

 private:
  std::string Whole() const;
  using Tree = std::unique_ptr<Node>;

  Tree NewNode(std::string piece);
  std::pair<Tree, Tree> Split(Tree tree, size_t at);
  Tree Build(std::string_view outer_left, std::string_view left, std::string_view with,
             std::string_view right, std::string_view outer_right);

  Tree root_;
  uint64_t random_ = 0x9E3779B97F4A7C15;  // the tree's priorities; they decide only its shape
  uint64_t bytes_copied_ = 0;
  mutable uint64_t bytes_read_ = 0;
};

}  // namespace brindle

// A treap keyed by position: each node holds one piece, its subtree's byte count tells where
// a position lies, and random priorities keep the tree's height logarithmic.
//
// Pieces are never tiny: every edit takes the two pieces on each side of it, joins them with
// what it inserts and cuts the result again into pieces of at most kMaxPiece bytes, none under
// half of that unless all fit in one. So any two neighbouring pieces hold at least
// kMaxPiece / 2 bytes together, and however the text was edited it has no more than
// 4 * size / kMaxPiece + 1 pieces.
#include "platform/box_text.h"

#include <algorithm>
#include <array>

namespace brindle {

struct BoxText::Node {
  std::string piece;  // never empty
  size_t total = 0;   // bytes in this subtree
  uint64_t priority = 0;
  Tree left, right;
};

namespace {

using Node = BoxText::Node;
using Tree = std::unique_ptr<Node>;

size_t Total(const Tree& tree) {
  return tree ? tree->total : 0;
}

void Update(Node& node) {
  node.total = Total(node.left) + node.piece.size() + Total(node.right);
}

Tree Merge(Tree a, Tree b) {
  if (!a) return b;
  if (!b) return a;
  if (a->priority > b->priority) {
    a->right = Merge(std::move(a->right), std::move(b));
    Update(*a);
    return a;
  }
  b->left = Merge(std::move(a), std::move(b->left));
  Update(*b);
  return b;
}

// Takes the last piece off the tree ("" for an empty tree).
std::string PopLast(Tree& tree) {
  if (!tree) return {};
  if (!tree->right) {
    std::string piece = std::move(tree->piece);
    tree = std::move(tree->left);
    return piece;
  }
  std::string piece = PopLast(tree->right);
  Update(*tree);
  return piece;
}

std::string PopFirst(Tree& tree) {
  if (!tree) return {};
  if (!tree->left) {
    std::string piece = std::move(tree->piece);
    tree = std::move(tree->right);
    return piece;
  }
  std::string piece = PopFirst(tree->left);
  Update(*tree);
  return piece;
}

void Collect(const Node* node, size_t start, size_t end, std::string& out) {
  if (node == nullptr || start >= end) return;
  const size_t left_size = Total(node->left);
  const size_t piece_end = left_size + node->piece.size();
  if (start < left_size) Collect(node->left.get(), start, std::min(end, left_size), out);
  if (start < piece_end && end > left_size) {
    const size_t from = std::max(start, left_size);
    out.append(node->piece, from - left_size, std::min(end, piece_end) - from);
  }
  if (end > piece_end)
    Collect(node->right.get(), std::max(start, piece_end) - piece_end, end - piece_end, out);
}

size_t CountNodes(const Node* node) {
  return node == nullptr ? 0 : 1 + CountNodes(node->left.get()) + CountNodes(node->right.get());
}

}  // namespace

BoxText::BoxText() = default;
BoxText::BoxText(std::string_view text) {
  Assign(text);
}
BoxText::BoxText(BoxText&&) noexcept = default;
BoxText& BoxText::operator=(BoxText&&) noexcept = default;

// A copy holds the same bytes in a tree of its own (of another shape, perhaps); reading them
// for it is not counted as a read of the original.
BoxText::BoxText(const BoxText& other) : BoxText(std::string_view(other.Whole())) {
  random_ = other.random_;
}

BoxText& BoxText::operator=(const BoxText& other) {
  if (this != &other) *this = BoxText(other);
  return *this;
}

std::string BoxText::Whole() const {
  const uint64_t read = bytes_read_;
  std::string bytes = Read(0, size());
  bytes_read_ = read;
  return bytes;
}
BoxText::~BoxText() = default;

size_t BoxText::size() const {
  return Total(root_);
}

size_t BoxText::piece_count() const {
  return CountNodes(root_.get());
}

void BoxText::Assign(std::string_view text) {
  root_.reset();
  Replace(0, 0, text);
}

void BoxText::Replace(size_t start, size_t count, std::string_view with) {
  start = std::min(start, size());
  count = std::min(count, size() - start);
  auto [before, rest] = Split(std::move(root_), start);
  auto [removed, after] = Split(std::move(rest), count);
  removed.reset();
  const std::string left = PopLast(before), outer_left = PopLast(before);
  const std::string right = PopFirst(after), outer_right = PopFirst(after);
  Tree middle = Build(outer_left, left, with, right, outer_right);
  root_ = Merge(Merge(std::move(before), std::move(middle)), std::move(after));
}

std::string BoxText::Read(size_t start, size_t count) const {
  std::string out;
  start = std::min(start, size());
  count = std::min(count, size() - start);
  out.reserve(count);
  Collect(root_.get(), start, start + count, out);
  bytes_read_ += count;
  return out;
}

BoxText::Tree BoxText::NewNode(std::string piece) {
  // xorshift64*: any spread of priorities keeps the tree balanced.
  random_ ^= random_ >> 12;
  random_ ^= random_ << 25;
  random_ ^= random_ >> 27;
  Tree node = std::make_unique<Node>();
  node->priority = random_ * 0x2545F4914F6CDD1DULL;
  node->total = piece.size();
  node->piece = std::move(piece);
  return node;
}

// The first `at` bytes and the rest. A piece that straddles `at` is cut in two.
std::pair<BoxText::Tree, BoxText::Tree> BoxText::Split(Tree tree, size_t at) {
  if (!tree) return {};
  const size_t left_size = Total(tree->left);
  if (at <= left_size) {
    auto [a, b] = Split(std::move(tree->left), at);
    tree->left = std::move(b);
    Update(*tree);
    return {std::move(a), std::move(tree)};
  }
  const size_t in_piece = at - left_size;
  if (in_piece >= tree->piece.size()) {
    auto [a, b] = Split(std::move(tree->right), in_piece - tree->piece.size());
    tree->right = std::move(a);
    Update(*tree);
    return {std::move(tree), std::move(b)};
  }
  bytes_copied_ += tree->piece.size() - in_piece;
  Tree tail = NewNode(tree->piece.substr(in_piece));
  tree->piece.resize(in_piece);
  Tree after = Merge(std::move(tail), std::move(tree->right));
  Update(*tree);
  return {std::move(tree), std::move(after)};
}

// The parts joined, cut into pieces of nearly equal size, at most kMaxPiece bytes each.
BoxText::Tree BoxText::Build(std::string_view outer_left, std::string_view left,
                             std::string_view with, std::string_view right,
                             std::string_view outer_right) {
  const std::array<std::string_view, 5> parts = {outer_left, left, with, right, outer_right};
  size_t total = 0;
  for (const std::string_view part : parts) total += part.size();
  const size_t pieces = (total + kMaxPiece - 1) / kMaxPiece;
  Tree tree;
  size_t part = 0, offset = 0;
  for (size_t i = 0; i < pieces; ++i) {
    const size_t length = total / pieces + (i < total % pieces ? 1 : 0);
    std::string piece;
    piece.reserve(length);
    while (piece.size() < length) {
      const std::string_view from = parts[part].substr(offset, length - piece.size());
      piece += from;
      offset += from.size();
      if (offset == parts[part].size()) {
        ++part;
        offset = 0;
      }
    }
    bytes_copied_ += length;
    tree = Merge(std::move(tree), NewNode(std::move(piece)));
  }
  return tree;
}

}  // namespace brindle

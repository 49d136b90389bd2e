// An input box's text in pieces: every edit gives what the same edit of a plain string gives,
// and an edit copies bytes in proportion to what it changes, not to the text's length.
#include "platform/box_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace brindle::testing {
namespace {

constexpr size_t kMiB = size_t{1} << 20;

TEST(BoxText, ReadsAndEditsCutToTheText) {
  BoxText text("hello");
  EXPECT_EQ(text.size(), 5u);
  EXPECT_EQ(text.Read(1, 3), "ell");
  EXPECT_EQ(text.Read(3, 100), "lo");
  EXPECT_EQ(text.Read(9, 1), "");
  text.Replace(5, 0, "!");
  text.Replace(0, 1, "J");
  text.Replace(2, 2, "");
  EXPECT_EQ(text.Read(0, 100), "Jeo!");
  text.Replace(3, 50, "?");  // the count is cut to the end
  text.Replace(99, 1, "$");  // the start too
  EXPECT_EQ(text.Read(0, 100), "Jeo?$");
  text.Assign("");
  EXPECT_EQ(text.size(), 0u);
  EXPECT_EQ(text.piece_count(), 0u);
  text.Replace(0, 0, std::string(5000, 'z'));
  EXPECT_EQ(text.Read(0, 9999), std::string(5000, 'z'));
}

// Random edits of every size at every place, pieces split and joined again, against
// std::string; the pieces never grow many.
TEST(BoxText, RandomEditsMatchAPlainString) {
  std::mt19937 random(7);
  BoxText text;
  std::string plain;
  for (int step = 0; step < 4000; ++step) {
    const size_t start = random() % (plain.size() + 1);
    const size_t count = random() % 4 == 0 ? random() % 3000 : random() % 3;
    const size_t inserted = random() % 8 == 0 ? random() % 5000 : random() % 3;
    const std::string with(inserted, static_cast<char>('a' + step % 26));
    text.Replace(start, count, with);
    plain.replace(start, std::min(count, plain.size() - start), with);
    ASSERT_EQ(text.size(), plain.size());
    const size_t at = random() % (plain.size() + 1);
    ASSERT_EQ(text.Read(at, 700), plain.substr(at, 700)) << step;
    ASSERT_LE(text.piece_count(), 4 * plain.size() / BoxText::kMaxPiece + 1) << step;
  }
  EXPECT_EQ(text.Read(0, plain.size()), plain);
}

// Deletions that leave a byte at each end of two neighbouring pieces, all along the text:
// the pieces left are joined, not kept as a row of tiny ones.
TEST(BoxText, DeletionsLeaveNoRowOfTinyPieces) {
  constexpr size_t kPiece = BoxText::kMaxPiece;
  BoxText text(std::string(64 * kPiece, 'p'));
  for (size_t pair = 32; pair-- > 0;) text.Replace(2 * pair * kPiece + 1, 2 * kPiece - 2, "");
  EXPECT_EQ(text.Read(0, 1000), std::string(64, 'p'));
  EXPECT_EQ(text.piece_count(), 1u);
}

// Typing, deleting and replacing a selection in a 16 MiB text, at its start, middle and end,
// copy a few pieces each; moving text around never copies the rest of it.
TEST(BoxText, EditsOfAHugeTextCopyOnlyWhatTheyTouch) {
  BoxText text(std::string(16 * kMiB, 'x'));
  EXPECT_EQ(text.bytes_copied(), 16 * kMiB) << "made once";
  const size_t bound = 8 * BoxText::kMaxPiece;
  for (const size_t at : {size_t{0}, 8 * kMiB + 3, 16 * kMiB - 1, 16 * kMiB}) {
    uint64_t before = text.bytes_copied();
    text.Replace(at, 0, "a");
    EXPECT_LE(text.bytes_copied() - before, bound) << "typing at " << at;
    before = text.bytes_copied();
    text.Replace(at, 1, "");
    EXPECT_LE(text.bytes_copied() - before, bound) << "deleting at " << at;
  }
  uint64_t before = text.bytes_copied();
  text.Replace(kMiB, 4 * kMiB, "selection replaced");
  EXPECT_LE(text.bytes_copied() - before, bound);
  EXPECT_EQ(text.size(), 12 * kMiB + 18);
  EXPECT_EQ(text.Read(kMiB - 2, 22), "xxselection replacedxx");
  for (int i = 0; i < 1000; ++i) text.Replace(3 * kMiB - i, 0, "q");
  EXPECT_LE(text.piece_count(), 4 * text.size() / BoxText::kMaxPiece + 1);
}

}  // namespace
}  // namespace brindle::testing

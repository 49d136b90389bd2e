// Drawing the input boxes from the newest down: the same pixels as drawing every visible box
// oldest first, for any arrangement, while covered boxes and long texts cost nothing.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

#include "canvas/canvas_font.h"
#include "canvas/glyph_bounds.h"
#include "platform/input_boxes.h"

namespace brindle::testing {
namespace {

constexpr size_t kPixels = size_t{Canvas::kWidth} * Canvas::kHeight;

struct Made {
  BoxRect rect;
  std::string text;
  bool visible;
};

// The plain painter's algorithm: every visible box in the order made, its whole field, then
// every character of its text, clipped to the box and the picture.
void PaintEveryBox(const std::vector<Made>& made, std::vector<ColorRef>& picture) {
  for (const Made& box : made) {
    if (!box.visible) continue;
    const BoxRect& r = box.rect;
    const int64_t left = std::max<int64_t>(r.x, 0), top = std::max<int64_t>(r.y, 0);
    const int64_t right = std::min<int64_t>(int64_t{r.x} + r.width, Canvas::kWidth);
    const int64_t bottom = std::min<int64_t>(int64_t{r.y} + r.height, Canvas::kHeight);
    for (int64_t y = top; y < bottom; ++y) {
      for (int64_t x = left; x < right; ++x) picture[y * Canvas::kWidth + x] = 0xFFFFFF;
    }
    for (size_t i = 0; i < box.text.size(); ++i) {
      const Glyph& g = CanvasGlyph(static_cast<unsigned char>(box.text[i]));
      const int64_t gx = r.x + int64_t{kCellWidth} * static_cast<int64_t>(i) + g.left;
      const int64_t gy = int64_t{r.y} + g.top;
      for (int64_t y = std::max(gy, top); y < std::min(gy + g.height, bottom); ++y) {
        for (int64_t x = std::max(gx, left); x < std::min(gx + g.width, right); ++x) {
          ColorRef& p = picture[y * Canvas::kWidth + x];
          p = BlendCoverage(p, 0, g.coverage[(y - gy) * g.width + (x - gx)]);
        }
      }
    }
  }
}

InputBoxes MakeBoxes(const std::vector<Made>& made) {
  InputBoxes boxes;
  for (const Made& m : made) {
    const int32_t handle = boxes.Create(m.rect.x, m.rect.y, m.rect.width, m.rect.height, m.text);
    boxes.Show(handle, m.visible);
  }
  return boxes;
}

// A picture under the boxes whose every pixel differs from its neighbours.
std::vector<ColorRef> Background() {
  std::vector<ColorRef> picture(kPixels);
  for (size_t i = 0; i < kPixels; ++i) picture[i] = static_cast<ColorRef>(i * 2654435761u) >> 8;
  return picture;
}

BoxRect RandomRect(std::mt19937& random, const std::vector<Made>& made) {
  auto in = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  switch (in(0, 9)) {
    case 0:  // over an older box exactly, or inside it
      if (!made.empty()) {
        BoxRect r = made[in(0, static_cast<int>(made.size()) - 1)].rect;
        if (in(0, 1) && r.width > 2 && r.height > 2)
          r = {r.x + 1, r.y + 1, r.width - 2, r.height - 2};
        return r;
      }
      return {0, 0, Canvas::kWidth, Canvas::kHeight};
    case 1:  // the far ends of the coordinates
      return {in(0, 1) ? INT_MIN : in(-3000, 3000), in(0, 1) ? INT_MIN : in(-100, 600),
              in(0, 1) ? INT_MAX : in(0, 4000), in(0, 1) ? INT_MAX : in(0, 50)};
    case 2:  // empty
      return {in(-50, 800), in(-50, 600), in(0, 1) * in(0, 30), 0};
    default:
      return {in(-300, 800), in(-200, 580), in(0, 500), in(0, 300)};
  }
}

std::string RandomText(std::mt19937& random) {
  std::string text(std::uniform_int_distribution<int>(0, 140)(random), ' ');
  for (char& c : text) c = static_cast<char>(std::uniform_int_distribution<int>(1, 255)(random));
  return text;
}

TEST(DrawInputBoxes, GivesThePixelsOfDrawingEveryBoxOldestFirst) {
  std::mt19937 random(12);
  for (int arrangement = 0; arrangement < 120; ++arrangement) {
    std::vector<Made> made;
    const int count = std::uniform_int_distribution<int>(0, 24)(random);
    for (int i = 0; i < count; ++i) {
      made.push_back({RandomRect(random, made), RandomText(random), random() % 5 != 0});
    }
    std::vector<ColorRef> expected = Background(), drawn = Background();
    PaintEveryBox(made, expected);
    BoxDrawingWork work;
    DrawInputBoxes(MakeBoxes(made).boxes(), drawn, &work);
    ASSERT_EQ(drawn, expected) << "arrangement " << arrangement;
    ASSERT_LE(work.pixels_filled, kPixels) << "no pixel is filled twice";
  }
}

TEST(DrawInputBoxes, BoxesUnderNewerOnesCostNothing) {
  std::vector<Made> made(InputBoxes::kMaxBoxes,
                         {{0, 0, Canvas::kWidth, Canvas::kHeight}, std::string(200, 'W'), true});
  BoxDrawingWork work;
  std::vector<ColorRef> picture = Background();
  DrawInputBoxes(MakeBoxes(made).boxes(), picture, &work);
  EXPECT_EQ(work.boxes_examined, 1u);
  EXPECT_EQ(work.pixels_filled, kPixels);
  const GlyphBounds& g = AllGlyphBounds();
  EXPECT_LE(work.characters, uint64_t(g.bottom - g.top) * (Canvas::kWidth / kCellWidth + 3));

  // Covered by the union of two newer boxes, not by either alone.
  made.assign(5000, {{100, 100, 400, 300}, "under", true});
  made.push_back({{0, 0, 300, Canvas::kHeight}, "left", true});
  made.push_back({{300, 0, 300, Canvas::kHeight}, "right", true});
  work = {};
  picture = Background();
  DrawInputBoxes(MakeBoxes(made).boxes(), picture, &work);
  EXPECT_EQ(work.pixels_filled, uint64_t{600} * Canvas::kHeight);
}

// However far left of the picture a box begins, only the characters that can show are read:
// from its start, its middle, its last characters, or none at all.
TEST(DrawInputBoxes, AHugeTextCostsWhatShowsOfIt) {
  for (const int x : {-3, 700, -100000000, -134217328, -2147483000}) {
    InputBoxes boxes;
    boxes.Create(x, 10, INT_MAX, 30, std::string(size_t{16} << 20, 'm'));
    BoxDrawingWork work;
    std::vector<ColorRef> picture = Background();
    DrawInputBoxes(boxes.boxes(), picture, &work);
    EXPECT_LE(boxes.boxes()[0].text.bytes_read(), Canvas::kWidth / kCellWidth + 4u) << x;
    EXPECT_LE(work.characters, 30u * (Canvas::kWidth / kCellWidth + 4)) << x;
  }
}

TEST(CharactersReaching, TheCharactersWhoseGlyphsCanMeetTheColumns) {
  const GlyphBounds& g = AllGlyphBounds();
  std::mt19937 random(3);
  for (int n = 0; n < 20000; ++n) {
    const int64_t x = std::uniform_int_distribution<int64_t>(-2000, 900)(random);
    const int64_t left = std::uniform_int_distribution<int64_t>(-20, 800)(random);
    const int64_t right = left + std::uniform_int_distribution<int64_t>(0, 40)(random);
    const CharacterSpan span = CharactersReaching(x, left, right);
    ASSERT_LE(span.first, span.end);
    for (size_t i = 0; i < 400; ++i) {
      const int64_t cell = x + int64_t{kCellWidth} * static_cast<int64_t>(i);
      const bool reaches = left < right && cell + g.right > left && cell + g.left < right;
      ASSERT_EQ(reaches, i >= span.first && i < span.end) << x << " " << left << " " << i;
    }
  }
}

}  // namespace
}  // namespace brindle::testing

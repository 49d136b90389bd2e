// When the desktop window and the browser page show their picture again.
#include "platform/present_schedule.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

// A changed picture is shown at once when forced, else once a frame has passed since the last;
// nothing is shown again until something changes.
TEST(PresentSchedule, ShowsAChangeAtMostOnceAFrameUnlessForced) {
  InputBoxes boxes;
  PresentSchedule presents(10);
  EXPECT_TRUE(presents.Due(boxes, 0, true));  // the first picture, as the window opens
  presents.Presented(boxes, 0);
  EXPECT_FALSE(presents.Due(boxes, 100, true));
  presents.MarkStale();
  presents.Presented(boxes, 100);
  presents.MarkStale();
  EXPECT_FALSE(presents.Due(boxes, 109, false));
  EXPECT_TRUE(presents.Due(boxes, 109, true));
  EXPECT_TRUE(presents.Due(boxes, 110, false));
  // A change in the input boxes is a change of the picture too.
  presents.Presented(boxes, 110);
  boxes.Create(10, 10, 100, 20, "name");
  EXPECT_TRUE(presents.Pending(boxes));
  EXPECT_TRUE(presents.Due(boxes, 120, false));
  presents.Presented(boxes, 120);
  EXPECT_FALSE(presents.Pending(boxes));
}

// The caret blinks only while asked to, shows at once wherever the boxes move it, and each
// blink is a picture to show.
TEST(PresentSchedule, CaretBlinksAndShowsAtOnceWhenTheBoxesChange) {
  InputBoxes boxes;
  PresentSchedule presents(10);
  presents.StartAfresh(boxes);
  boxes.Create(10, 10, 100, 20, "name");
  presents.UpdateCaret(boxes, true, 100);  // the box appeared: on, for a full blink time
  EXPECT_TRUE(presents.caret_on());
  EXPECT_EQ(presents.caret_toggle_ms(), 630u);
  presents.Presented(boxes, 100);
  presents.UpdateCaret(boxes, true, 629);
  EXPECT_TRUE(presents.caret_on());
  EXPECT_FALSE(presents.Pending(boxes));
  presents.UpdateCaret(boxes, true, 630);
  EXPECT_FALSE(presents.caret_on());
  EXPECT_TRUE(presents.Pending(boxes));  // each blink is a picture to show
  presents.Presented(boxes, 630);
  presents.UpdateCaret(boxes, false, 2000);  // not blinking: it stays as it is
  EXPECT_FALSE(presents.caret_on());
  EXPECT_FALSE(presents.Pending(boxes));
  presents.UpdateCaret(boxes, true, 2000);
  EXPECT_TRUE(presents.caret_on());
  EXPECT_EQ(presents.caret_toggle_ms(), 2530u);
  presents.UpdateCaret(boxes, true, 2530);
  boxes.Create(10, 40, 100, 20, "colour");
  presents.UpdateCaret(boxes, true, 2600);  // after a change: on again, at once
  EXPECT_TRUE(presents.caret_on());
  EXPECT_EQ(presents.caret_toggle_ms(), 3130u);
}

}  // namespace
}  // namespace brindle

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

using Moment = PresentSchedule::Moment;

// A cleared picture is never shown while a finished one replaces it within the patience, which
// with no frame finished yet is a frame; the finished picture is then what is left to show.
TEST(PresentSchedule, AClearedPictureDrawnOverIsNeverShown) {
  InputBoxes boxes;
  PresentSchedule presents(10);
  presents.Presented(boxes, 0);
  presents.Cleared(100);
  EXPECT_TRUE(presents.holding());
  EXPECT_FALSE(presents.Pending(boxes)) << "the window still shows what it showed";
  EXPECT_FALSE(presents.ReleaseHeld(109, Moment::kRunning));
  presents.Finished(109);
  EXPECT_FALSE(presents.holding());
  EXPECT_FALSE(presents.ReleaseHeld(5000, Moment::kWaiting)) << "nothing held any more";
  EXPECT_TRUE(presents.Due(boxes, 109, true));
}

// What a run leaves held is shown as soon as the run has ended or the program waits; inside
// the run, once the script has worked a patience on without finishing a picture.
TEST(PresentSchedule, AHeldPictureIsShownWhenTheRunEndsOrTheScriptTakesLong) {
  InputBoxes boxes;
  PresentSchedule presents(10);
  presents.Presented(boxes, 0);
  presents.Cleared(100);
  EXPECT_TRUE(presents.ReleaseHeld(101, Moment::kRunEnded));
  EXPECT_TRUE(presents.Pending(boxes));
  presents.Presented(boxes, 101);
  presents.Cleared(200);
  EXPECT_TRUE(presents.ReleaseHeld(200, Moment::kWaiting));
  presents.Presented(boxes, 200);
  presents.Cleared(300);
  EXPECT_FALSE(presents.ReleaseHeld(309, Moment::kRunning));
  EXPECT_TRUE(presents.ReleaseHeld(310, Moment::kRunning));
  EXPECT_TRUE(presents.Due(boxes, 310, false));
  // Cleared again and again, never finished: each patience runs from the first clearing it
  // holds, so such a picture still changes once a frame.
  presents.Presented(boxes, 310);
  for (uint64_t t = 311; t < 320; ++t) presents.Cleared(t);
  EXPECT_TRUE(presents.ReleaseHeld(321, Moment::kRunning));
}

// Before any frame is finished the patience is a frame. After, it is kPatienceFactor times the
// drawing time of the slowest recent frame (from its first clearing to the finished picture),
// which rises with a slower frame at once and falls back by an eighth (rounded up) with each
// quicker one, within kMinPatienceMs and kMaxPatienceMs. A picture left held by a run that
// ended is no frame and teaches nothing; a frame whose clearing was shown for taking long does.
TEST(PresentSchedule, ThePatienceFollowsTheScriptsSlowestRecentFrames) {
  PresentSchedule presents(10);
  const auto frame = [&](uint64_t cleared, uint64_t drawing) {
    presents.Cleared(cleared);
    presents.Cleared(cleared + drawing / 2);  // a clearing over a clearing: the first counts
    presents.Finished(cleared + drawing);
  };
  EXPECT_EQ(presents.patience_ms(), 10u);
  frame(0, 30);
  EXPECT_EQ(presents.patience_ms(), 120u);
  frame(100, 10);
  EXPECT_EQ(presents.patience_ms(), 104u) << "30 less an eighth, rounded up, is 26";
  frame(200, 1);
  EXPECT_EQ(presents.patience_ms(), PresentSchedule::kMinPatienceMs) << "22 times 4 is too little";
  frame(300, 40);
  EXPECT_EQ(presents.patience_ms(), 160u);
  frame(400, 5000);
  EXPECT_EQ(presents.patience_ms(), PresentSchedule::kMaxPatienceMs);
  for (int i = 0; i < 80; ++i) frame(6000 + 10 * i, 0);
  EXPECT_EQ(presents.patience_ms(), PresentSchedule::kMinPatienceMs);
  frame(7000, 40);
  presents.Cleared(8000);
  EXPECT_TRUE(presents.ReleaseHeld(8000, Moment::kRunEnded));
  presents.Finished(9000);  // drawn over in a later run
  EXPECT_EQ(presents.patience_ms(), 160u);
  presents.Cleared(10000);
  EXPECT_FALSE(presents.ReleaseHeld(10159, Moment::kRunning));
  EXPECT_TRUE(presents.ReleaseHeld(10160, Moment::kRunning));
  presents.Finished(10300);
  EXPECT_EQ(presents.patience_ms(), PresentSchedule::kMaxPatienceMs) << "300 ms of drawing";
}

}  // namespace
}  // namespace brindle

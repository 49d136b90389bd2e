// The browser page's platform over a fake page: the window events the page's input makes, the
// message box's wait for its answer, the timer, and the pictures the page is given.
#include "platform/web/web_platform.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace brindle::testing {
namespace {

using Kind = PageInput::Kind;
using Type = WindowEvent::Type;

// Inputs arrive when the test says; waiting moves a virtual clock, and a wait with no end and
// nothing to end it fails the test instead of hanging it.
class FakePage : public Page {
 public:
  void TakeInputs(std::deque<PageInput>& inputs, int wait_ms, bool settled) override {
    if (pending.empty() && wait_ms != 0) {
      waits_settled.push_back(settled);
      if (wait_ms < 0) throw std::runtime_error("waited for input that never comes");
      now += wait_ms;
      ready = true;  // the page has drawn the last picture meanwhile
    }
    inputs.insert(inputs.end(), pending.begin(), pending.end());
    pending.clear();
  }
  double NowMs() override { return now; }
  bool ReadyForPicture() override { return ready; }
  void ShowPicture(std::span<const uint32_t> rgba) override {
    pictures.emplace_back(rgba.begin(), rgba.end());
  }
  void OpenMessage(int number, std::string_view caption, std::string_view text) override {
    boxes.push_back(std::to_string(number) + " " + std::string(caption) + ": " + std::string(text));
    if (on_open) on_open(number);
  }
  void Waiting() override { ++waiting; }

  std::deque<PageInput> pending;
  double now = 1000;
  bool ready = true;
  std::vector<bool> waits_settled;
  std::vector<std::vector<uint32_t>> pictures;
  std::vector<std::string> boxes;
  std::function<void(int)> on_open;
  int waiting = 0;
};

class Recorder : public EventSink {
 public:
  void Dispatch(const WindowEvent& event) override { events.push_back(event); }
  std::vector<WindowEvent> events;
};

class WebPlatformTest : public ::testing::Test {
 protected:
  WebPlatformTest() { platform.SetEventSink(&sink); }

  void Send(Kind kind, int a = 0, int b = 0) { page.pending.push_back({kind, a, b}); }
  // The next event of the message loop, past the paint every window starts with.
  WindowEvent Wait() {
    WindowEvent e = platform.WaitEvent();
    while (e.type == Type::kPaint && !first_paint_seen_) {
      first_paint_seen_ = true;
      e = platform.WaitEvent();
    }
    return e;
  }

  FakePage page;
  Recorder sink;
  WebPlatform platform{page};

 private:
  bool first_paint_seen_ = false;
};

TEST_F(WebPlatformTest, TheWindowIsPaintedOnceWhenItFirstAppears) {
  EXPECT_EQ(platform.WaitEvent().type, Type::kPaint);
  EXPECT_EQ(page.waiting, 1);
  Send(Kind::kKeyDown, 65);
  EXPECT_EQ(platform.WaitEvent().type, Type::kKeyDown);
  EXPECT_EQ(page.waiting, 1) << "told once";
}

TEST_F(WebPlatformTest, TheMessageLoopHandlesEnterEscapeAndTabAsDialogKeys) {
  platform.input_boxes().Create(0, 0, 80, 16, "abc");
  Send(Kind::kKeyDown, 13);
  Send(Kind::kKeyDown, 27);
  Send(Kind::kKeyDown, 9);  // the focus moves to the box: no event
  Send(Kind::kKeyUp, 9);    // a key up with a box focused is the box's
  Send(Kind::kKeyDown, 65, 0);
  Send(Kind::kText, 'a');
  WindowEvent enter = Wait();
  EXPECT_EQ(enter.type, Type::kCommand);
  EXPECT_EQ(enter.command_id, 1);
  EXPECT_EQ(Wait().command_id, 2);
  EXPECT_EQ(Wait().type, Type::kControl);  // Tab's key up
  EXPECT_TRUE(platform.input_boxes().HasFocus());
  EXPECT_EQ(Wait().type, Type::kControl);  // A goes to the box, which the text then types into
  EXPECT_EQ(Wait().type, Type::kControl);
  // Tab selected all of "abc"; the typed letter replaced it.
  EXPECT_EQ(platform.input_boxes().Text(platform.input_boxes().boxes()[0].handle), "a");
}

TEST_F(WebPlatformTest, ThePumpGivesDialogKeysAsKeysAndTextWithNoBoxTypesNothing) {
  page.now = 5000;
  Send(Kind::kKeyDown, 13);
  Send(Kind::kText, '\r');
  Send(Kind::kKeyUp, 13);
  std::vector<WindowEvent> events;
  for (int i = 0; i < 200 && events.size() < 3; ++i) {
    page.now += 1;  // the pump looks once a millisecond at most
    if (std::optional<WindowEvent> e = platform.PollEvent(); e && e->type != Type::kPaint) {
      events.push_back(*e);
    }
  }
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].type, Type::kKeyDown);
  EXPECT_EQ(events[0].key, 13);
  EXPECT_EQ(events[1].type, Type::kKeyUp);
}

TEST_F(WebPlatformTest, OnlyTheLastOfTheMouseMovesWaitingIsTaken) {
  Send(Kind::kMouseMove, 1, 2);
  Send(Kind::kMouseMove, 3, 4);
  Send(Kind::kMouseDown, 500, 500);  // no box there: the window keeps the focus
  Send(Kind::kMouseMove, 5, 6);
  WindowEvent move = Wait();
  EXPECT_EQ(move.type, Type::kMouseMove);
  EXPECT_EQ(move.x, 3);
  EXPECT_EQ(move.y, 4);
  EXPECT_EQ(Wait().type, Type::kControl);
  EXPECT_EQ(Wait().x, 5);
  EXPECT_FALSE(platform.input_boxes().HasFocus());
}

TEST_F(WebPlatformTest, AMessageBoxWaitsForItsAnswerWhileEventsReachTheWindow) {
  page.on_open = [this](int number) {
    Send(Kind::kMouseMove, 7, 8);
    Send(Kind::kAnswer, number);
    Send(Kind::kKeyDown, 66);  // after the answer: for the message loop, not the box
  };
  platform.ShowMessage("Caption", "Text");
  ASSERT_EQ(page.boxes, std::vector<std::string>{"1 Caption: Text"});
  std::vector<Type> delivered;
  for (const WindowEvent& e : sink.events) delivered.push_back(e.type);
  EXPECT_EQ(delivered, (std::vector<Type>{Type::kPaint, Type::kMouseMove}));
  EXPECT_EQ(Wait().key, 66);
}

TEST_F(WebPlatformTest, ABoxOpenedByAHandlerDuringABoxIsAnsweredFirst) {
  class NestingSink : public EventSink {
   public:
    explicit NestingSink(WebPlatform& platform) : platform_(platform) {}
    void Dispatch(const WindowEvent& event) override {
      if (event.type == Type::kKeyDown) platform_.ShowMessage("inner", "");
    }

   private:
    WebPlatform& platform_;
  } nesting(platform);
  platform.SetEventSink(&nesting);
  page.on_open = [this](int number) {
    if (number == 1) {
      Send(Kind::kKeyDown, 65);  // the handler opens box 2
    } else {
      Send(Kind::kAnswer, 2);
      Send(Kind::kAnswer, 1);
    }
  };
  platform.ShowMessage("outer", "");
  EXPECT_EQ(page.boxes, (std::vector<std::string>{"1 outer: ", "2 inner: "}));
}

TEST_F(WebPlatformTest, TheTimerTicksInTheMessageLoopAndNotWithNoHandler) {
  platform.StartTimer(50);
  const double start = page.now;
  EXPECT_EQ(Wait().type, Type::kTimer);
  EXPECT_GE(page.now, start + 50);
  platform.StopTimer();
  EXPECT_THROW(Wait(), std::runtime_error) << "no tick after the timer stops";
}

TEST_F(WebPlatformTest, PicturesAreRgbaAndHeldBackUntilThePageHasDrawnTheLast) {
  Canvas canvas;
  canvas.Fill(RgbColor(10, 20, 30));
  platform.ShowCanvas(canvas);
  page.ready = false;
  Send(Kind::kKeyDown, 65);
  Wait();
  EXPECT_TRUE(page.pictures.empty()) << "an event waiting comes first";
  // The page is not ready: the wait is short and not settled; once the page is ready the
  // picture goes, and the next wait has no end.
  EXPECT_THROW(Wait(), std::runtime_error);
  EXPECT_EQ(page.waits_settled, (std::vector<bool>{false, true}));
  ASSERT_EQ(page.pictures.size(), 1u);
  ASSERT_EQ(page.pictures[0].size(), static_cast<size_t>(Canvas::kWidth) * Canvas::kHeight);
  // R, G, B, then an opaque alpha, byte by byte.
  const uint32_t pixel = page.pictures[0][0];
  EXPECT_EQ(pixel & 0xFF, 10u);
  EXPECT_EQ((pixel >> 8) & 0xFF, 20u);
  EXPECT_EQ((pixel >> 16) & 0xFF, 30u);
  EXPECT_EQ(pixel >> 24, 0xFFu);
}

// The page is sent a cleared canvas only when the script leaves it there: not while a finished
// picture drawn over it follows within the patience, but at once when the script waits, and
// while it runs once the patience (once a frame has been finished, a tenth of a second at
// least) has passed.
TEST_F(WebPlatformTest, ACanvasClearedAndDrawnOverIsNeverSent) {
  const auto colour = [](const std::vector<uint32_t>& picture) { return picture[0] & 0xFFFFFF; };
  // As many pumps as a look at the clock takes.
  const auto pump = [&] {
    for (int i = 0; i < PollThrottle::kCallsPerClockRead; ++i) platform.PollEvent();
  };
  Canvas canvas;
  canvas.Fill(RgbColor(0, 0, 80));
  platform.ShowClearedCanvas(canvas);
  page.now += 5;
  pump();  // a picture is due
  canvas.Fill(RgbColor(200, 100, 0));
  platform.ShowCanvas(canvas);
  EXPECT_THROW(Wait(), std::runtime_error);
  for (const std::vector<uint32_t>& picture : page.pictures) {
    EXPECT_NE(colour(picture), 0x500000u) << "the bare background, before the frame";
  }
  ASSERT_FALSE(page.pictures.empty());
  EXPECT_EQ(colour(page.pictures.back()), 0x0064C8u) << "the frame";

  canvas.Fill(RgbColor(0, 80, 0));
  platform.ShowClearedCanvas(canvas);
  EXPECT_THROW(Wait(), std::runtime_error);
  EXPECT_EQ(colour(page.pictures.back()), 0x005000u) << "left as the run's last";

  const size_t sent = page.pictures.size();
  canvas.Fill(RgbColor(80, 0, 0));
  platform.ShowClearedCanvas(canvas);
  page.now += 99;
  pump();
  EXPECT_EQ(page.pictures.size(), sent);
  page.now += 1;
  pump();
  ASSERT_EQ(page.pictures.size(), sent + 1) << "the script went on without finishing a frame";
  EXPECT_EQ(colour(page.pictures.back()), 0x000050u);
}

}  // namespace
}  // namespace brindle::testing

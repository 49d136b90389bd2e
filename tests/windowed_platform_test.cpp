// The event loop every windowed platform shares, over a fake window: a virtual clock that
// waits move, native events the test queues, presents and message boxes it records.
#include "platform/windowed_platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <stdexcept>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/window_events.h"

namespace brindle::testing {
namespace {

using Type = WindowEvent::Type;
constexpr uint64_t kFrameMs = 10;
constexpr size_t kMaxWaits = 10000;

class FakeWindow final : public WindowedPlatform {
 public:
  using WindowedPlatform::CloseAhead;
  FakeWindow() : WindowedPlatform(kFrameMs) {}

  // A native event: the window event it makes, or none.
  void Queue(std::optional<WindowEvent> made) { native.push_back(made); }
  void Focus(bool focused) {
    window_focused_ = focused;
    presents_.MarkStale();
  }

  uint64_t now = 1000;
  std::deque<std::optional<WindowEvent>> native;
  struct Wait {
    uint64_t at;
    int timeout_ms;
    bool settled;
  };
  std::vector<Wait> waits;
  // Called at each wait, after the clock has moved; a wait with no limit and nothing to end
  // it fails the test instead of hanging it.
  std::function<void()> on_wait;
  std::vector<uint64_t> presented_at;
  std::vector<std::vector<ColorRef>> pictures;
  bool ready = true;
  std::vector<bool> boxes;  // answered, innermost last
  int deepest = 0;
  std::vector<bool> closed_answered;
  std::function<void(int depth)> on_open;
  bool woken = false;
  uint64_t end_at = UINT64_MAX;
  CloseAhead close_ahead = CloseAhead::kNone;

 private:
  uint64_t NowMs() const override { return now; }
  bool PollNative(bool, std::optional<WindowEvent>& made) override {
    if (native.empty()) return false;
    made = native.front();
    native.pop_front();
    return true;
  }
  void WaitNative(int timeout_ms, bool settled) override {
    waits.push_back({now, timeout_ms, settled});
    if (waits.size() > kMaxWaits) throw std::runtime_error("waits without end");
    if (timeout_ms > 0) now += static_cast<uint64_t>(timeout_ms);
    if (on_wait) on_wait();
    if (timeout_ms < 0 && native.empty() && !woken && (boxes.empty() || !boxes.back())) {
      throw std::runtime_error("waited for events that never come");
    }
  }
  void Present() override {
    presented_at.push_back(now);
    pictures.push_back(Composed());
  }
  bool ReadyToPresent() override { return ready; }
  bool OpenMessageBox(std::string_view, std::string_view) override {
    boxes.push_back(false);
    deepest = std::max(deepest, static_cast<int>(boxes.size()));
    if (on_open) on_open(static_cast<int>(boxes.size()));
    return true;
  }
  bool MessageBoxAnswered() override { return boxes.back(); }
  void CloseMessageBox(bool answered) override {
    closed_answered.push_back(answered);
    boxes.pop_back();
  }
  bool Woken() override { return std::exchange(woken, false); }
  bool EndAsked(uint64_t now_ms) override { return now_ms >= end_at; }
  CloseAhead FindClose() override { return close_ahead; }
};

class Recorder : public EventSink {
 public:
  void Dispatch(const WindowEvent& event) override {
    events.push_back(event);
    if (on_event) on_event(event);
  }
  bool HandlesTimer() const override { return handles_timer; }
  std::vector<WindowEvent> events;
  std::function<void(const WindowEvent&)> on_event;
  bool handles_timer = true;
};

class WindowedPlatformTest : public ::testing::Test {
 protected:
  WindowedPlatformTest() { window.SetEventSink(&sink); }

  // Pumps as a busy script does, one millisecond of work between looks, until an event comes
  // or the time is up.
  std::optional<WindowEvent> PumpFor(uint64_t ms) {
    const uint64_t until = window.now + ms;
    while (window.now < until) {
      ++window.now;
      for (int i = 0; i < PollThrottle::kCallsPerClockRead; ++i) {
        if (std::optional<WindowEvent> e = window.PollEvent()) return e;
      }
    }
    return std::nullopt;
  }

  FakeWindow window;
  Recorder sink;
};

TEST_F(WindowedPlatformTest, TimerTicksEndTheWaitWhenTheyFallDue) {
  window.StartTimer(50);
  for (uint64_t due : {1050u, 1100u, 1150u}) {
    EXPECT_EQ(window.WaitEvent().type, Type::kTimer);
    EXPECT_EQ(window.now, due);
  }
  window.StopTimer();
  EXPECT_THROW(window.WaitEvent(), std::runtime_error) << "no tick after the timer stops";
}

TEST_F(WindowedPlatformTest, InputComesBeforeATickThatIsDueAndTicksDoNotQueueUp) {
  window.StartTimer(20);
  window.now += 75;  // three ticks' time, busy
  window.Queue(KeyEvent(Type::kKeyDown, 65));
  EXPECT_EQ(window.WaitEvent().type, Type::kKeyDown);
  EXPECT_EQ(window.WaitEvent().type, Type::kTimer);
  EXPECT_EQ(window.now, 1075u) << "the tick that was pending, at once";
  EXPECT_EQ(window.WaitEvent().type, Type::kTimer);
  EXPECT_EQ(window.now, 1080u) << "then on the interval's grid, the missed ones dropped";
}

TEST_F(WindowedPlatformTest, TicksThatNoHandlerTakesNeitherEndNorLimitTheWait) {
  sink.handles_timer = false;
  window.StartTimer(10);
  EXPECT_THROW(window.WaitEvent(), std::runtime_error);
  ASSERT_FALSE(window.waits.empty());
  EXPECT_EQ(window.waits.back().timeout_ms, -1);
}

TEST_F(WindowedPlatformTest, NativeEventsThatMakeNothingArePassedOverAndTheWaitCutShortPaints) {
  window.Queue(std::nullopt);
  window.Queue(std::nullopt);
  window.Queue(Event(Type::kMouseMove));
  EXPECT_EQ(window.WaitEvent().type, Type::kMouseMove);
  EXPECT_TRUE(window.waits.empty()) << "nothing waited for";
  window.on_wait = [&] { window.woken = true; };
  EXPECT_EQ(window.WaitEvent().type, Type::kPaint);
}

TEST_F(WindowedPlatformTest, ThePumpShowsABusyScriptsPicturesAtMostOnceAFrame) {
  Canvas canvas;
  const size_t before = window.presented_at.size();
  for (int i = 0; i < 100; ++i) {
    canvas.Fill(RgbColor(i, 0, 0));
    window.ShowCanvas(canvas);
    PumpFor(1);
  }
  const std::vector<uint64_t> shown(window.presented_at.begin() + before,
                                    window.presented_at.end());
  ASSERT_GE(shown.size(), 9u);
  EXPECT_LE(shown.size(), 11u);
  for (size_t i = 1; i < shown.size(); ++i) EXPECT_GE(shown[i] - shown[i - 1], kFrameMs);
  EXPECT_NE((window.pictures.back()[0] & 0xFF), 99u);
  // The last picture, drawn within a frame of the last present, is shown before the wait.
  EXPECT_THROW(window.WaitEvent(), std::runtime_error);
  EXPECT_EQ((window.pictures.back()[0] & 0xFF), 99u);
  EXPECT_EQ(window.presented_at.back(), window.now);
}

TEST_F(WindowedPlatformTest, APictureTheScreenIsNotReadyForShortensTheWaitUntilShown) {
  Canvas canvas;
  canvas.Fill(RgbColor(1, 2, 3));
  window.ShowCanvas(canvas);
  window.ready = false;
  window.on_wait = [&] { window.ready = true; };
  EXPECT_THROW(window.WaitEvent(), std::runtime_error);
  ASSERT_EQ(window.waits.size(), 2u);
  EXPECT_EQ(window.waits[0].timeout_ms, static_cast<int>(kFrameMs));
  EXPECT_FALSE(window.waits[0].settled);
  EXPECT_EQ(window.waits[1].timeout_ms, -1);
  EXPECT_TRUE(window.waits[1].settled);
  EXPECT_EQ(window.pictures.back()[0], RgbColor(1, 2, 3));
}

TEST_F(WindowedPlatformTest, TheFocusedBoxsCaretBlinksOnlyWhileTheWindowHasTheKeyboard) {
  window.input_boxes().Create(10, 10, 80, 16, "");
  window.input_boxes().FocusNext();
  int waits = 0;
  window.on_wait = [&] {
    if (++waits == 4) window.Queue(Event(Type::kMouseMove));
  };
  window.Focus(true);
  const size_t before = window.pictures.size();
  window.WaitEvent();
  // Each wait ends at a blink, and the picture shown after it has the caret the other way.
  ASSERT_GE(window.waits.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_GT(window.waits[i].timeout_ms, 100);
    EXPECT_LT(window.waits[i].timeout_ms, 1000);
  }
  ASSERT_GE(window.pictures.size(), before + 4);
  for (size_t i = before + 1; i < window.pictures.size(); ++i) {
    EXPECT_NE(window.pictures[i], window.pictures[i - 1]) << "present " << i;
  }
  EXPECT_EQ(window.pictures[before + 2], window.pictures[before]);

  window.Focus(false);
  window.on_wait = nullptr;
  EXPECT_THROW(window.WaitEvent(), std::runtime_error) << "no blink without the keyboard";
}

TEST_F(WindowedPlatformTest, AMessageBoxTakesTicksAndInputUntilAnswered) {
  window.StartTimer(30);
  window.on_open = [&](int) { window.Queue(Event(Type::kMouseMove)); };
  sink.on_event = [&](const WindowEvent& e) {
    if (e.type == Type::kTimer && window.now >= 1090) window.boxes.back() = true;
  };
  window.ShowMessage("caption", "text");
  std::vector<Type> delivered;
  for (const WindowEvent& e : sink.events) delivered.push_back(e.type);
  EXPECT_EQ(delivered,
            (std::vector<Type>{Type::kMouseMove, Type::kTimer, Type::kTimer, Type::kTimer}));
  EXPECT_EQ(window.now, 1090u);
  EXPECT_EQ(window.closed_answered, std::vector<bool>{true});
}

// Each tick's handler opens another box: past the limit the boxes still open, but their ticks
// and other input wait until one is answered.
TEST_F(WindowedPlatformTest, BoxesOpenedByHandlersNestOnlyToTheLimit) {
  window.StartTimer(5);
  int handled = 0;
  std::vector<size_t> depths;
  sink.on_event = [&](const WindowEvent& e) {
    depths.push_back(window.boxes.size());
    if (e.type != Type::kTimer) return;
    if (++handled < 20) {
      window.ShowMessage("again", "");
    } else {
      window.boxes.assign(window.boxes.size(), true);
    }
  };
  int keys_pressed = 0;
  window.on_open = [&](int depth) {
    if (depth == WindowedPlatform::kMaxNestedBoxes + 1) {
      window.Queue(KeyEvent(Type::kKeyDown, 65));
      ++keys_pressed;
    }
  };
  window.on_wait = [&] {
    // A wait with no limit is where the innermost box keeps the ticks waiting: answered.
    if (window.waits.back().timeout_ms < 0) window.boxes.back() = true;
  };
  window.ShowMessage("first", "");
  EXPECT_EQ(window.deepest, WindowedPlatform::kMaxNestedBoxes + 1);
  EXPECT_EQ(handled, 20);
  for (size_t depth : depths)
    EXPECT_LE(depth, static_cast<size_t>(WindowedPlatform::kMaxNestedBoxes));
  EXPECT_EQ(std::count_if(sink.events.begin(), sink.events.end(),
                          [](const WindowEvent& e) { return e.type == Type::kKeyDown; }),
            keys_pressed)
      << "each key pressed behind a deepest box, once it is answered";
  EXPECT_GT(keys_pressed, 1);
}

TEST_F(WindowedPlatformTest, ABoxPastTheLimitStillPassesOnPaints) {
  constexpr int kLimit = WindowedPlatform::kMaxNestedBoxes;
  // Each box's mouse move has a handler that opens the next box.
  window.on_open = [&](int depth) {
    if (depth <= kLimit) {
      window.Queue(Event(Type::kMouseMove));
    } else {
      window.Queue(KeyEvent(Type::kKeyDown, 65));
      window.Queue(Event(Type::kPaint));
    }
  };
  std::vector<std::pair<Type, int>> seen;
  sink.on_event = [&](const WindowEvent& e) {
    seen.emplace_back(e.type, static_cast<int>(window.boxes.size()));
    if (e.type == Type::kMouseMove) window.ShowMessage("", "");
    if (e.type == Type::kPaint) window.boxes.assign(window.boxes.size(), true);
  };
  window.ShowMessage("", "");
  EXPECT_EQ(window.deepest, kLimit + 1);
  ASSERT_EQ(seen.size(), static_cast<size_t>(kLimit + 1));
  EXPECT_EQ(seen.back(), std::make_pair(Type::kPaint, kLimit + 1));
  for (const auto& [type, depth] : seen) EXPECT_NE(type, Type::kKeyDown) << "at depth " << depth;
  EXPECT_TRUE(window.boxes.empty());
  EXPECT_EQ(window.WaitEvent().type, Type::kKeyDown) << "kept while every box was answered";
}

// Boxes opened by handlers to one past the limit: each box but the deepest takes a move to
// x = -depth, whose handler opens the next box; the test's input goes in as the deepest opens.
// A wait answers the innermost box once nothing is queued for it; at the deepest box, only when
// on_deepest_wait says so.
class KeptInputTest : public WindowedPlatformTest {
 protected:
  static constexpr int kLimit = WindowedPlatform::kMaxNestedBoxes;
  static constexpr int kDeepest = kLimit + 1;
  struct Seen {
    WindowEvent event;
    int depth;
  };

  void NestPastTheLimit(std::function<void()> at_deepest) {
    window.on_open = [this, at_deepest](int depth) {
      if (depth == kDeepest) return at_deepest();
      WindowEvent opener = Event(Type::kMouseMove);
      opener.x = -depth;
      window.Queue(opener);
    };
    sink.on_event = [this](const WindowEvent& e) {
      if (e.type == Type::kMouseMove && e.x < 0) return window.ShowMessage("", "");
      seen.push_back({e, static_cast<int>(window.boxes.size())});
    };
    window.on_wait = [this] {
      if (!window.native.empty() || window.boxes.empty()) return;
      if (window.boxes.size() == static_cast<size_t>(kDeepest)) {
        deepest_waits.push_back(window.waits.back().timeout_ms);
        if (on_deepest_wait && !on_deepest_wait()) return;
      }
      window.boxes.back() = true;
    };
    window.ShowMessage("", "");
    EXPECT_EQ(window.deepest, kDeepest);
    EXPECT_TRUE(window.boxes.empty());
  }

  static WindowEvent MoveTo(int x, int y) {
    WindowEvent move = Event(Type::kMouseMove);
    move.x = x;
    move.y = y;
    return move;
  }

  std::vector<Seen> seen;
  std::vector<int> deepest_waits;
  std::function<bool()> on_deepest_wait;  // whether the wait answers the deepest box
};

TEST_F(KeptInputTest, InputBehindTheDeepestBoxComesInOrderOnceItIsAnsweredBeforeNewerInput) {
  window.StartTimer(5);
  int deepest_wait = 0;
  on_deepest_wait = [&] {
    // Input that comes during the wait joins what is kept; input after the answer comes last.
    if (++deepest_wait == 1) {
      window.Queue(MoveTo(3, 4));
      return false;
    }
    window.Queue(KeyEvent(Type::kKeyDown, 66));
    return true;
  };
  NestPastTheLimit([&] {
    window.Queue(KeyEvent(Type::kKeyDown, 65));
    window.Queue(Event(Type::kPaint));
    window.Queue(KeyEvent(Type::kKeyUp, 65));
  });
  std::vector<std::tuple<Type, int, int>> got;  // type, key or x, depth
  for (const Seen& s : seen) {
    if (s.event.type == Type::kTimer) continue;  // the outer boxes' ticks, once they may run
    got.emplace_back(s.event.type, s.event.type == Type::kMouseMove ? s.event.x : s.event.key,
                     s.depth);
  }
  EXPECT_EQ(got, (std::vector<std::tuple<Type, int, int>>{
                     {Type::kPaint, 0, kDeepest},
                     {Type::kKeyDown, 65, kLimit},
                     {Type::kKeyUp, 65, kLimit},
                     {Type::kMouseMove, 3, kLimit},
                     {Type::kKeyDown, 66, kLimit},
                 }));
  // The deepest box sleeps until input comes, the kept input and the timer notwithstanding.
  EXPECT_EQ(deepest_waits, (std::vector<int>{-1, -1}));
}

TEST_F(KeptInputTest, KeepsOneMoveForARunOfMovesAndDropsTheNewestPastItsCap) {
  constexpr int kKeys = static_cast<int>(KeptInput::kMostKept) + 10;
  NestPastTheLimit([&] {
    for (int x = 0; x < 10; ++x) window.Queue(MoveTo(x, 1));
    window.Queue(KeyEvent(Type::kKeyDown, 1));
    for (int x = 10; x < 20; ++x) window.Queue(MoveTo(x, 2));
    for (int key = 0; key < kKeys; ++key) window.Queue(KeyEvent(Type::kKeyDown, key));
  });
  ASSERT_EQ(seen.size(), KeptInput::kMostKept);
  EXPECT_EQ(seen[0].event.x, 9);
  EXPECT_EQ(seen[1].event.key, 1);
  EXPECT_EQ(seen[2].event.x, 19);
  EXPECT_EQ(seen[2].event.y, 2);
  for (size_t i = 3; i < seen.size(); ++i) {
    ASSERT_EQ(seen[i].event.type, Type::kKeyDown);
    ASSERT_EQ(seen[i].event.key, static_cast<int>(i - 3)) << "the oldest keys, in order";
  }
}

TEST_F(KeptInputTest, InputKeptWhenEveryBoxIsAnsweredGoesToTheProgramFirst) {
  on_deepest_wait = [&] {
    window.boxes.assign(window.boxes.size(), true);
    window.Queue(KeyEvent(Type::kKeyDown, 66));
    return true;
  };
  NestPastTheLimit([&] {
    window.Queue(KeyEvent(Type::kKeyDown, 65));
    window.Queue(KeyEvent(Type::kKeyUp, 65));
  });
  EXPECT_TRUE(seen.empty());
  // A close the window has first is behind the kept input.
  window.close_ahead = FakeWindow::CloseAhead::kFirst;
  for (int i = 0; i < 4 * PollThrottle::kCallsPerClockRead; ++i, ++window.now) {
    ASSERT_FALSE(window.PollClose());
  }
  std::optional<WindowEvent> pumped = PumpFor(5);
  ASSERT_TRUE(pumped.has_value());
  EXPECT_EQ(pumped->key, 65);
  EXPECT_EQ(window.WaitEvent().type, Type::kKeyUp);
  EXPECT_EQ(window.WaitEvent().key, 66);
  bool closed = false;
  for (int i = 0; i < 4 * PollThrottle::kCallsPerClockRead && !closed; ++i, ++window.now) {
    closed = window.PollClose();
  }
  EXPECT_TRUE(closed) << "nothing kept is ahead of the close any more";
}

TEST_F(KeptInputTest, StartingAfreshDropsKeptInput) {
  on_deepest_wait = [&] {
    window.boxes.assign(window.boxes.size(), true);
    return true;
  };
  NestPastTheLimit([&] { window.Queue(KeyEvent(Type::kKeyDown, 65)); });
  window.StartAfresh();
  window.on_wait = nullptr;
  EXPECT_THROW(window.WaitEvent(), std::runtime_error) << "no key for the new run";
}

TEST_F(WindowedPlatformTest, ARunAskedToEndFromOutsideEndsEveryLoopAsACloseDoes) {
  window.end_at = 1200;
  EXPECT_FALSE(PumpFor(100).has_value());
  EXPECT_EQ(PumpFor(200)->type, Type::kClose);
  EXPECT_TRUE(window.end_requested());
  EXPECT_FALSE(window.closed()) << "the window itself stays open";
  EXPECT_EQ(window.WaitEvent().type, Type::kClose);
  window.ShowMessage("not", "shown");
  EXPECT_EQ(window.deepest, 0);

  window.StartAfresh();
  window.end_at = UINT64_MAX;
  EXPECT_FALSE(window.end_requested());
  window.Queue(Event(Type::kMouseMove));
  EXPECT_EQ(window.WaitEvent().type, Type::kMouseMove);
}

TEST_F(WindowedPlatformTest, AnEndAskedWhileABoxWaitsReachesTheSinkAsAClose) {
  window.end_at = 1500;
  window.StartTimer(100);
  window.ShowMessage("caption", "text");
  std::vector<Type> delivered;
  for (const WindowEvent& e : sink.events) delivered.push_back(e.type);
  EXPECT_EQ(delivered, (std::vector<Type>{Type::kTimer, Type::kTimer, Type::kTimer, Type::kTimer,
                                          Type::kClose}));
  EXPECT_EQ(window.now, 1500u);
  EXPECT_EQ(window.closed_answered, std::vector<bool>{false});
}

TEST_F(WindowedPlatformTest, ABoxGivenUpOnByAFailingHandlerIsClosedUnanswered) {
  window.on_open = [&](int) { window.Queue(KeyEvent(Type::kKeyDown, 65)); };
  sink.on_event = [](const WindowEvent&) { throw std::logic_error("the handler failed"); };
  EXPECT_THROW(window.ShowMessage("", ""), std::logic_error);
  EXPECT_EQ(window.closed_answered, std::vector<bool>{false});
  EXPECT_TRUE(window.boxes.empty());
}

TEST_F(WindowedPlatformTest, OnlyACloseAheadOfAllElseEndsTheRunAtTheNestingLimit) {
  window.close_ahead = FakeWindow::CloseAhead::kBehindOthers;
  for (int i = 0; i < 4 * PollThrottle::kCallsPerClockRead; ++i, ++window.now) {
    EXPECT_FALSE(window.PollClose());
  }
  EXPECT_FALSE(window.closed());
  bool closed = false;
  for (int i = 0; i < PollThrottle::kCallsPerClockRead && !closed; ++i) {
    closed = window.CloseRequested();
  }
  EXPECT_TRUE(closed) << "a loop ends at a close anywhere";
  EXPECT_TRUE(window.closed());
  EXPECT_EQ(window.PollEvent()->type, Type::kClose);
  EXPECT_EQ(window.WaitEvent().type, Type::kClose);
}

TEST_F(WindowedPlatformTest, StartingAfreshDropsPendingInputAndTheTimer) {
  window.StartTimer(10);
  window.Queue(KeyEvent(Type::kKeyDown, 65));
  window.input_boxes().Create(0, 0, 10, 10, "x");
  window.StartAfresh();
  EXPECT_TRUE(window.native.empty());
  EXPECT_TRUE(window.input_boxes().boxes().empty());
  EXPECT_THROW(window.WaitEvent(), std::runtime_error) << "no tick, no key";
}

}  // namespace
}  // namespace brindle::testing

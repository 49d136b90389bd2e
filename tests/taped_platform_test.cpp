// The window's answers on a tape: a second run is given the first run's answers at the same
// calls, what a message box delivered is delivered again without the box, and a run that asks
// something else is answered by the window from there.
#include "debug/taped_platform.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "platform/headless/headless.h"

namespace brindle {
namespace {

using Type = WindowEvent::Type;

// A window whose answers never repeat: every reading of the clock is later, every fifth poll
// finds a key, and a message box delivers a tick while it is open.
class ChangingWindow : public HeadlessPlatform {
 public:
  ChangingWindow() : HeadlessPlatform(std::tmpfile()) {}
  uint32_t TickCount() override { return ++asked, clock += 10; }
  std::optional<WindowEvent> PollEvent() override {
    ++asked;
    if (++polls % 5 != 0) return std::nullopt;
    WindowEvent key{Type::kKeyDown};
    key.key = static_cast<int>(polls);
    return key;
  }
  void ShowMessage(std::string_view, std::string_view) override {
    ++asked;
    ++boxes_shown;
    if (sink_ != nullptr) sink_->Dispatch(WindowEvent{Type::kTimer});
  }
  void SetEventSink(EventSink* sink) override {
    sink_ = sink;
    HeadlessPlatform::SetEventSink(sink);
  }
  int asked = 0, boxes_shown = 0;

 private:
  EventSink* sink_ = nullptr;
  uint32_t clock = 0;
  uint64_t polls = 0;
};

// The program: what it was handed, in order; a tick polls once more, nested in the box.
struct Program : EventSink {
  explicit Program(Platform& p) : platform(p) {}
  void Dispatch(const WindowEvent& event) override {
    seen.push_back(static_cast<int>(event.type) * 1000 + event.key);
    if (event.type == Type::kTimer) Poll();
  }
  void Poll() {
    if (std::optional<WindowEvent> e = platform.PollEvent()) seen.push_back(e->key);
  }
  // One run: polls, clock readings and a box.
  std::vector<int> Run(int polls) {
    seen.clear();
    platform.SetEventSink(this);
    for (int i = 0; i < polls; ++i) {
      Poll();
      if (i % 3 == 0) seen.push_back(static_cast<int>(platform.TickCount()));
      if (i == 6) platform.ShowMessage("c", "t");
    }
    platform.SetEventSink(nullptr);
    return seen;
  }
  Platform& platform;
  std::vector<int> seen;
};

TEST(TapedPlatform, ARunAgainIsGivenTheSameAnswersWithoutAskingTheWindow) {
  auto owned = std::make_unique<ChangingWindow>();
  ChangingWindow& window = *owned;
  TapedPlatform tape(std::move(owned));
  Program program(tape);
  const std::vector<int> first = program.Run(12);
  const int asked = window.asked;
  tape.Rewind();
  EXPECT_TRUE(tape.replaying());
  EXPECT_EQ(program.Run(12), first);
  EXPECT_EQ(window.asked, asked);
  EXPECT_EQ(window.boxes_shown, 1);
  EXPECT_FALSE(tape.diverged());
  // Past where the first run came, the window answers again, and the tape goes on.
  tape.Rewind();
  const std::vector<int> longer = program.Run(20);
  EXPECT_GT(window.asked, asked);
  EXPECT_EQ(std::vector<int>(longer.begin(), longer.begin() + first.size()), first);
  tape.Rewind();
  EXPECT_EQ(program.Run(20), longer);
}

TEST(TapedPlatform, ARunThatAsksSomethingElseIsAnsweredByTheWindowFromThere) {
  auto owned = std::make_unique<ChangingWindow>();
  ChangingWindow& window = *owned;
  TapedPlatform tape(std::move(owned));
  Program program(tape);
  program.Run(4);
  tape.Rewind();
  (void)tape.PollEvent();
  (void)tape.PollEvent();  // the tape's second call read the clock
  EXPECT_TRUE(tape.diverged());
  EXPECT_GT(tape.TickCount(), 20u);  // a new reading, later than any the first run had
  const int asked = window.asked;
  (void)tape.PollEvent();
  EXPECT_EQ(window.asked, asked + 1);
}

TEST(TapedPlatform, CuttingTheTapeHandsTheRestToTheWindow) {
  auto owned = std::make_unique<ChangingWindow>();
  ChangingWindow& window = *owned;
  TapedPlatform tape(std::move(owned));
  Program program(tape);
  const std::vector<int> first = program.Run(6);
  tape.Rewind();
  const uint32_t replayed = (tape.PollEvent(), tape.TickCount());
  EXPECT_EQ(static_cast<int>(replayed), first[0]);
  tape.CutHere();
  EXPECT_FALSE(tape.replaying());
  const int asked = window.asked;
  EXPECT_NE(tape.TickCount(), replayed);
  EXPECT_EQ(window.asked, asked + 1);
  EXPECT_FALSE(tape.diverged());
}

}  // namespace
}  // namespace brindle

// The run sequence when message boxes take events while they are open, as they do in a window:
// a close or an abandoned handler run during the tokenizer's or the pre-pass's boxes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/driver.h"
#include "platform/headless/headless.h"

namespace brindle::testing {
namespace {

// A headless platform one of whose message boxes delivers an event to the window procedure
// before it is answered.
class BoxTakesAnEvent : public HeadlessPlatform {
 public:
  BoxTakesAnEvent(std::string caption, WindowEvent event)
      : HeadlessPlatform(nullptr), caption_(std::move(caption)), event_(event) {}

  void SetEventSink(EventSink* sink) override {
    sink_ = sink;
    HeadlessPlatform::SetEventSink(sink);
  }
  void ShowMessage(std::string_view caption, std::string_view) override {
    captions.emplace_back(caption);
    if (caption == caption_ && !delivered_) {
      delivered_ = true;
      sink_->Dispatch(event_);
    }
  }
  void NoteText(int, int, std::string_view text) override { printed.emplace_back(text); }

  std::vector<std::string> captions, printed;

 private:
  EventSink* sink_ = nullptr;
  std::string caption_;
  WindowEvent event_;
  bool delivered_ = false;
};

int RunScript(BoxTakesAnEvent& platform, const std::string& script) {
  return RunProgram(platform, {"script.bas", script}, RunOptions{});
}

TEST(BoxEvents, ClosingTheWindowDuringTheStatisticsBoxEndsTheProgram) {
  WindowEvent close;
  close.type = WindowEvent::Type::kClose;
  BoxTakesAnEvent platform("Tokenizer", close);
  EXPECT_EQ(RunScript(platform, "PRINT 0, 0, \"ran\"\n"), 0);
  EXPECT_EQ(platform.captions, std::vector<std::string>{"Tokenizer"});
  EXPECT_TRUE(platform.printed.empty()) << "the script never ran";
}

// The pre-pass registers the handler, then fails; a key while its fault box is open runs the
// handler, whose type error abandons the run. Control goes on at the message loop, not back
// in the pre-pass, so no END box follows.
TEST(BoxEvents, AHandlerAbandonedDuringThePrePassFaultBoxGoesOnAtTheMessageLoop) {
  WindowEvent key;
  key.type = WindowEvent::Type::kKeyDown;
  key.key = 65;
  BoxTakesAnEvent platform("ERROR", key);
  const std::string script =
      "STR s\n"
      "WINMSG WMKEYDOWN\n"
      "PRINT 0, 0, \"key\"\n"
      "s = 5\n"
      "ENDWM\n"
      "PRINT 0, 0, missing\n";
  EXPECT_EQ(RunScript(platform, script), 1) << "refused by the pre-pass, whatever ran after";
  EXPECT_EQ(platform.printed, std::vector<std::string>{"key"});
  EXPECT_EQ(platform.captions, (std::vector<std::string>{"Tokenizer", "ERROR", "TYPE ERROR"}));
}

}  // namespace
}  // namespace brindle::testing

// The debugger's session in process: requests queued as a client sends them, the replies and
// events it gets, for the stops, the values seen there, steps back and hostile requests.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "dap/session.h"
#include "platform/headless/headless.h"

namespace brindle::dap {
namespace {

namespace fs = std::filesystem;

class DapSession : public ::testing::Test {
 protected:
  std::string Script(const std::string& name, const std::string& text) {
    const fs::path path = fs::path(::testing::TempDir()) / name;
    std::ofstream(path) << text;
    return path.string();
  }
  void Ask(const std::string& command, Json arguments = Json::object()) {
    queue_.Push(
        {{"seq", ++seq_}, {"type", "request"}, {"command", command}, {"arguments", arguments}});
  }
  void Launch(const std::string& program, Json more = Json::object()) {
    Ask("initialize", {{"adapterID", "brindle"}});
    more["program"] = program;
    more["headless"] = true;
    Ask("launch", more);
  }
  // Serves what is queued until the last request is answered (and, until_exit, the program
  // has ended), then ends the input, as a client that is done.
  void Serve(bool until_exit = true) {
    std::thread serving([this] {
      Session session(
          queue_,
          [this](const Json& m) {
            std::lock_guard lock(mutex_);
            out_.push_back(m);
            told_.notify_all();
          },
          open_window_);
      session.Serve();
    });
    {
      std::unique_lock lock(mutex_);
      told_.wait_for(lock, std::chrono::seconds(20), [&] {
        return !Reply(seq_).is_null() && (!until_exit || !Events("exited").empty());
      });
    }
    queue_.Close();
    serving.join();
  }
  // The reply to the request numbered seq.
  Json Reply(int seq) const {
    for (const Json& m : out_) {
      if (m["type"] == "response" && m["request_seq"] == seq) return m;
    }
    return Json();
  }
  std::vector<Json> Events(const std::string& name) const {
    std::vector<Json> found;
    for (const Json& m : out_) {
      if (m["type"] == "event" && m["event"] == name) found.push_back(m["body"]);
    }
    return found;
  }

  Session::OpenWindow open_window_;
  MessageQueue queue_;
  std::mutex mutex_;
  std::condition_variable told_;
  std::vector<Json> out_;
  int seq_ = 0;
};

const char* const kCounting =
    "VAR i, s\nSTR t\nFUNC bump()\ns = s + i\nENDFN\nWHILE i < 5\ni = i + 1\nbump()\n"
    "t = t + \"x\"\n\nWEND\nPRINT 0, 0, t\n";

TEST_F(DapSession, ConditionalBreakpointValuesAndAStepBack) {
  Launch(Script("count.bas", kCounting));
  Ask("setBreakpoints",
      {{"source", {{"path", "s.bas"}}},
       {"breakpoints",
        {{{"line", 9}, {"condition", "i > 3"}}, {{"line", 10}, {"condition", "i > 99"}}}}});
  Ask("configurationDone");
  Ask("stackTrace", {{"threadId", 1}});  // 5
  Ask("variables", {{"variablesReference", 1}});
  Ask("evaluate", {{"expression", "t + \"!\""}});
  Ask("evaluate", {{"expression", "i * 2 > 7"}});
  Ask("stepBack", {{"threadId", 1}});
  Ask("stackTrace", {{"threadId", 1}});  // 10
  Ask("variables", {{"variablesReference", 1}});
  Ask("setBreakpoints", {{"source", {{"path", "s.bas"}}}, {"breakpoints", Json::array()}});
  Ask("setVariable", {{"variablesReference", 1}, {"name", "t"}, {"value", "\"ab\""}});
  Ask("continue", {{"threadId", 1}});
  Serve();
  // Line 10 is blank: its breakpoint moves to the WEND.
  const Json verified = Reply(3)["body"]["breakpoints"];
  EXPECT_EQ(verified[0]["line"], 9);
  EXPECT_EQ(verified[1]["line"], 11);
  const std::vector<Json> stops = Events("stopped");
  ASSERT_GE(stops.size(), 2u);
  EXPECT_EQ(stops[0]["reason"], "breakpoint");
  EXPECT_EQ(Reply(5)["body"]["stackFrames"][0]["line"], 9);
  EXPECT_EQ(Reply(6)["body"]["variables"][0]["value"], "4");
  EXPECT_EQ(Reply(7)["body"]["result"], "\"xxx!\"");
  EXPECT_EQ(Reply(8)["body"]["result"], "-1");
  // Back as a step over came here: to the call on line 8 (not into the function it called),
  // with s not yet counted for this turn.
  EXPECT_EQ(stops[1]["reason"], "step");
  const Json frames = Reply(10)["body"]["stackFrames"];
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0]["name"], "main part");
  EXPECT_EQ(frames[0]["line"], 8);
  EXPECT_EQ(Reply(11)["body"]["variables"][1]["value"], "6");
  const std::vector<Json> output = Events("output");
  ASSERT_EQ(output.size(), 1u);  // the replay's output is not sent again
  EXPECT_EQ(output[0]["output"], "print\t0\t0\tabxx\n");
  ASSERT_EQ(Events("exited").size(), 1u);
  EXPECT_EQ(Events("exited")[0]["exitCode"], 0);
}

TEST_F(DapSession, RunTimeErrorsStopBeforeTheirBox) {
  Launch(Script("fault.bas", "STR s\nVAR n\nn = 1\ns = 5\n"));
  Ask("setExceptionBreakpoints", {{"filters", {"errors"}}});
  Ask("configurationDone");
  Ask("exceptionInfo", {{"threadId", 1}});  // 5
  Ask("stackTrace", {{"threadId", 1}});
  Ask("continue", {{"threadId", 1}});
  Serve();
  ASSERT_FALSE(Events("stopped").empty());
  EXPECT_EQ(Events("stopped")[0]["reason"], "exception");
  EXPECT_EQ(Reply(5)["body"]["description"], "TYPE ERROR: Not String! -{ 5 }");
  // At the statement's start, though the fault is found at its value.
  EXPECT_EQ(Reply(6)["body"]["stackFrames"][0]["line"], 4);
  EXPECT_EQ(Reply(6)["body"]["stackFrames"][0]["column"], 1);
  EXPECT_EQ(Events("output")[0]["category"], "stderr");
  ASSERT_EQ(Events("exited").size(), 1u);
  EXPECT_EQ(Events("exited")[0]["exitCode"], 3);
}

TEST_F(DapSession, FunctionBreakpointsAndStepsOverAndOut) {
  Launch(Script("calls.bas", kCounting));
  Ask("setFunctionBreakpoints", {{"breakpoints", {{{"name", "bump"}}, {{"name", "nope"}}}}});
  Ask("configurationDone");
  Ask("setFunctionBreakpoints", {{"breakpoints", Json::array()}});  // 5
  Ask("stepOut", {{"threadId", 1}});
  Ask("stackTrace", {{"threadId", 1}});
  Ask("next", {{"threadId", 1}});
  Ask("next", {{"threadId", 1}});
  Ask("stackTrace", {{"threadId", 1}});  // 10
  Serve(false);
  const Json known = Reply(3)["body"]["breakpoints"];
  EXPECT_EQ(known[0]["verified"], true);
  EXPECT_EQ(known[1]["verified"], false);
  const std::vector<Json> stops = Events("stopped");
  ASSERT_EQ(stops.size(), 4u);
  EXPECT_EQ(stops[0]["reason"], "function breakpoint");
  // Out of bump(): on with the statement after the call.
  EXPECT_EQ(Reply(7)["body"]["stackFrames"][0]["line"], 9);
  // On to the WEND, then back to the WHILE.
  EXPECT_EQ(Reply(10)["body"]["stackFrames"][0]["line"], 6);
  EXPECT_EQ(Reply(10)["body"]["stackFrames"].size(), 1u);
  EXPECT_TRUE(Events("exited").empty());
}

TEST_F(DapSession, PixelsNameTheLineThatLastChangedThem) {
  Launch(Script("draw.bas",
                "BCOLOR 0, 0, 255\nRECT 10, 10, 50, 50\nRECT 20, 20, 5, 5\nPRINT 0, 0, \"x\"\n"));
  Ask("setBreakpoints", {{"source", {{"path", "s.bas"}}}, {"breakpoints", {{{"line", 4}}}}});
  Ask("configurationDone");
  Ask("evaluate", {{"expression", "pixel 12, 12"}});  // 5
  Ask("evaluate", {{"expression", "pixel 20, 20"}});
  Ask("evaluate", {{"expression", "pixel 300, 300"}});
  Ask("evaluate", {{"expression", "pixel 21, 21"}});
  Ask("stackTrace", {{"threadId", 1}});
  Ask("continue", {{"threadId", 1}});
  Serve();
  EXPECT_EQ(Reply(5)["body"]["result"], "line 2");
  EXPECT_EQ(Reply(6)["body"]["result"], "line 3");  // the second box's outline
  EXPECT_EQ(Reply(7)["body"]["result"], "not drawn");
  // Inside, the second box paints the blue the first left: no change, so still the first's.
  EXPECT_EQ(Reply(8)["body"]["result"], "line 2");
  // Still stopped where it was, and told of no other stop; the output was sent once.
  EXPECT_EQ(Reply(9)["body"]["stackFrames"][0]["line"], 4);
  EXPECT_EQ(Events("stopped").size(), 1u);
  EXPECT_EQ(Events("output").size(), 1u);
}

TEST_F(DapSession, TextsAreTheScriptsCharactersInUtf8BothWays) {
  // A UTF-8 file is read as the command line reads it: one byte a character.
  Launch(Script("accents.bas", "STR s\nVAR n\ns = \"caf\xC3\xA9\"\nPRINT 0, 0, s\n"));
  Ask("setBreakpoints", {{"source", {{"path", "s.bas"}}}, {"breakpoints", {{{"line", 4}}}}});
  Ask("configurationDone");
  Ask("evaluate", {{"expression", "s + \"\xC3\xA8\""}});  // 5
  Ask("variables", {{"variablesReference", 1}});
  Ask("setVariable", {{"variablesReference", 1}, {"name", "s"}, {"value", "\"\xC3\xBC\""}});
  Ask("continue", {{"threadId", 1}});
  Serve();
  EXPECT_EQ(Reply(5)["body"]["result"], "\"caf\xC3\xA9\xC3\xA8\"");
  EXPECT_EQ(Reply(6)["body"]["variables"][0]["value"], "\"caf\xC3\xA9\"");
  EXPECT_EQ(Reply(7)["body"]["value"], "\"\xC3\xBC\"");
  ASSERT_EQ(Events("output").size(), 1u);
  // The transcript's line, as brindle --headless writes it: a high byte escaped.
  EXPECT_EQ(Events("output")[0]["output"], "print\t0\t0\t\\xfc\n");
}

// A window as a user drives it: what it answers is never the same twice. The clock runs on
// with every reading, a key goes down at every 17th look for an event, and at the 30th the
// user clicks into the box and types.
class RestlessWindow : public HeadlessPlatform {
 public:
  RestlessWindow() : HeadlessPlatform(std::tmpfile()) {}
  uint32_t TickCount() override { return clock_ += 7; }
  void StartAfresh() override { input_boxes() = InputBoxes(); }
  std::optional<WindowEvent> PollEvent() override {
    ++polls_;
    if (polls_ == 30) {
      input_boxes().Click(5, 5);
      input_boxes().Type("z");
      return WindowEvent{WindowEvent::Type::kControl};
    }
    if (polls_ % 17 != 0) return std::nullopt;
    WindowEvent key{WindowEvent::Type::kKeyDown};
    key.key = 40 + static_cast<int>(polls_ % 7);
    return key;
  }

 private:
  uint32_t clock_ = 1000;
  uint64_t polls_ = 0;
};

const char* const kRestless =
    "VAR t, k, i, key\nPTR e\nSTR s\nINPUTBOX e, 0, 0, 100, 20, \"x\"\nWHILE i < 60\n"
    "i = i + 1\nGETTICK t\nk = k + t\nWEND\nGETTEXT e, s\nPRINT 0, 0, s\nGOTO done\n"
    "WINMSG WMKEYDOWN\nHWPARAM key\nk = k + key\nENDWM\nLABEL done\n";

TEST_F(DapSession, AWindowSessionStepsBackOnItsTapeAndValuesSetByHandAreSetAgain) {
  open_window_ = [](const std::string&, std::string&) -> std::unique_ptr<Platform> {
    return std::make_unique<RestlessWindow>();
  };
  Ask("initialize", {{"adapterID", "brindle"}});
  Ask("launch", {{"program", Script("restless.bas", kRestless)}, {"headless", false}});
  Ask("setBreakpoints", {{"source", {{"path", "s.bas"}}}, {"breakpoints", {{{"line", 10}}}}});
  Ask("configurationDone");
  Ask("evaluate", {{"expression", "k"}});  // 5
  Ask("evaluate", {{"expression", "t"}});
  Ask("stepBack", {{"threadId", 1}});
  Ask("next", {{"threadId", 1}});
  Ask("evaluate", {{"expression", "k"}});
  Ask("evaluate", {{"expression", "t"}});  // 10
  Ask("next", {{"threadId", 1}});
  Ask("evaluate", {{"expression", "s"}});
  Ask("setVariable", {{"variablesReference", 1}, {"name", "k"}, {"value", "5"}});
  Ask("next", {{"threadId", 1}});
  Ask("stepBack", {{"threadId", 1}});  // 15
  Ask("evaluate", {{"expression", "k"}});
  Ask("stepBack", {{"threadId", 1}});
  Ask("evaluate", {{"expression", "k"}});
  Ask("stackTrace", {{"threadId", 1}});
  Ask("continue", {{"threadId", 1}});  // 20
  Serve();
  ASSERT_EQ(Events("stopped").size(), 7u);
  for (int seq : {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}) {
    EXPECT_EQ(Reply(seq)["success"], true) << seq << ": " << Reply(seq).dump();
  }
  // The keys and the clock came in the loop: a second run given the window's answers anew
  // would have other ones.
  EXPECT_NE(Reply(5)["body"]["result"], "0");
  EXPECT_EQ(Reply(9)["body"]["result"], Reply(5)["body"]["result"]);
  EXPECT_EQ(Reply(10)["body"]["result"], Reply(6)["body"]["result"]);
  EXPECT_EQ(Reply(12)["body"]["result"], "\"xz\"");
  // Back to the statement whose stop the value was set at: set again there.
  EXPECT_EQ(Reply(16)["body"]["result"], "5");
  // Back before it: not set.
  EXPECT_EQ(Reply(18)["body"]["result"], Reply(5)["body"]["result"]);
  EXPECT_EQ(Reply(19)["body"]["stackFrames"][0]["line"], 10);
  ASSERT_EQ(Events("exited").size(), 1u);
}

TEST_F(DapSession, HostileRequestsGetErrorReplies) {
  Ask("initialize");
  Ask("launch", {{"program", 7}});
  Ask("launch", {{"program", "/nonexistent/x.bas"}});
  Ask("no such thing");
  Ask("evaluate", {{"expression", "1"}});  // 5: not stopped
  queue_.Push(Json::array({1, 2}));
  // Members of the wrong type where every request has them (the fuzzer's find).
  queue_.Push({{"seq", "x"}, {"type", "request"}, {"command", Json::object()}});
  queue_.Push({{"seq", 101}, {"type", 7}, {"command", "threads"}});
  queue_.Push({{"seq", 100}, {"type", "request"}, {"command", "threads"}, {"arguments", "x"}});
  Launch(Script("ok.bas", "VAR i\ni = 1\n"), {{"stopOnEntry", true}});
  Ask("configurationDone");
  Ask("evaluate", {{"expression", "i +* ("}});  // 9
  Ask("evaluate", {{"expression", "nobody + 1"}});
  Ask("evaluate", Json::object());
  Ask("variables", {{"variablesReference", 999}});
  Ask("setVariable", {{"variablesReference", 1}, {"name", "i"}, {"value", "\"text\""}});
  Ask("continue", {{"threadId", 1}});
  Serve();
  EXPECT_EQ(Reply(2)["message"], "\"program\" is not a string");
  EXPECT_NE(Reply(3)["message"].get<std::string>().find("cannot read /nonexistent/x.bas"),
            std::string::npos);
  EXPECT_EQ(Reply(4)["success"], false);
  EXPECT_EQ(Reply(5)["message"], "the program is not stopped");
  EXPECT_EQ(Reply(100)["message"], "\"arguments\" is not an object");
  EXPECT_EQ(Reply(101)["message"], "not a request");
  for (int seq : {9, 10, 11, 12, 13}) EXPECT_EQ(Reply(seq)["success"], false) << seq;
  EXPECT_EQ(Reply(10)["message"], "nobody is no variable or array of the script");
  ASSERT_EQ(Events("exited").size(), 1u);
  EXPECT_EQ(Events("exited")[0]["exitCode"], 0);
}

}  // namespace
}  // namespace brindle::dap

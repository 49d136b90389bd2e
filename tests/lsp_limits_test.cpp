// The language server against messages no editor sends but a broken client might, and against
// the sizes an editor does send: nesting and value counts past any real message get an error
// and the server goes on; positions past the text are its end; an edit of many changes, the
// diagnostics of many findings and many open documents cost in proportion to what they hold.
#include <gtest/gtest.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

#include "frontend/source_position.h"
#include "lsp/edited_text.h"
#include "lsp/json_reader.h"
#include "lsp/server.h"

#if defined(__SANITIZE_ADDRESS__)
#define BRINDLE_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BRINDLE_ASAN 1
#endif
#endif
#ifdef BRINDLE_ASAN
// The sanitizer's run time has it; GCC ships no header for it.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace brindle::lsp {
namespace {

class LspLimits : public ::testing::Test {
 protected:
  void SetUp() override { Ask("initialize", Json::object()); }
  Json Ask(const std::string& method, Json params) {
    const std::vector<Json> out = server_.Handle(
        Json{{"jsonrpc", "2.0"}, {"id", ++id_}, {"method", method}, {"params", params}}.dump());
    return out.empty() ? Json() : out.back();
  }
  Json Tell(const std::string& method, Json params) {
    const std::vector<Json> out = server_.Handle(
        Json{{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}}.dump());
    return out.empty() ? Json() : out.back();
  }
  Json Open(const std::string& text, const std::string& uri = "u") {
    return Tell("textDocument/didOpen",
                {{"textDocument", {{"uri", uri}, {"version", 1}, {"text", text}}}});
  }
  static Json Edit(Json start, Json end, const std::string& text) {
    return {{"range", {{"start", std::move(start)}, {"end", std::move(end)}}}, {"text", text}};
  }
  static Json Change(Json changes) {
    return {{"textDocument", {{"uri", "u"}, {"version", 2}}}, {"contentChanges", changes}};
  }
  // The first error code of the replies to a body, 0 for none.
  int ErrorOf(const std::string& body) {
    const std::vector<Json> out = server_.Handle(body);
    return out.empty() || !out[0].contains("error") ? 0 : out[0]["error"]["code"].get<int>();
  }

  Server server_;
  int id_ = 0;
};

std::string Nested(size_t depth, const std::string& inside) {
  return std::string(depth, '[') + inside + std::string(depth, ']');
}

TEST_F(LspLimits, DeepNestingGetsAnErrorAndTheServerGoesOn) {
  const std::string deep = Nested(100000, "");
  EXPECT_EQ(ErrorOf(R"({"jsonrpc":"2.0","method":"initialized","params":)" + deep + "}"),
            kParseError);
  EXPECT_EQ(ErrorOf(R"({"jsonrpc":"2.0","id":)" + deep + R"(,"method":"shutdown"})"), kParseError);
  EXPECT_EQ(Ask("textDocument/hover", Json::object())["error"]["code"], kInvalidParams);
  // The message itself is the first level. Brackets and escaped quotes in a string are text.
  const std::string text = R"("]]\"[[")";
  const std::string notice = R"({"jsonrpc":"2.0","method":"x","params":)";
  EXPECT_EQ(ErrorOf(notice + Nested(kMaxJsonDepth - 1, text) + "}"), 0);
  EXPECT_EQ(ErrorOf(notice + Nested(kMaxJsonDepth, text) + "}"), kParseError);
}

TEST_F(LspLimits, AMessageOfTooManyValuesGetsAnError) {
  // An array of zeros: the array and each zero are a value. A message that is not an object
  // but was read gets Invalid Request.
  const auto zeros = [](size_t n) {
    std::string body = "[0";
    for (size_t i = 1; i < n; ++i) body += ",0";
    return body + "]";
  };
  EXPECT_EQ(ErrorOf(zeros(kMaxJsonValues - 1)), kInvalidRequest);
  EXPECT_EQ(ErrorOf(zeros(kMaxJsonValues)), kParseError);
  // Each member's name counts.
  Json into;
  EXPECT_EQ(ReadJson(R"({"a":1,"b":[true,null,"s",1.5]})", into), "");
  EXPECT_EQ(into["b"][3], 1.5);
  EXPECT_NE(ReadJson("{} {}", into), "");
}

TEST_F(LspLimits, PositionsPastTheTextAreItsEnd) {
  Open("VAR y\n");
  constexpr uint64_t kFar = 4294967296;  // 2^32: read as an int it was 0
  auto d = Tell("textDocument/didChange",
                Change({Edit({{"line", kFar}, {"character", 0}}, {{"line", kFar}, {"character", 0}},
                             "VAR x = 5\n")}))["params"]["diagnostics"];
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0]["range"]["start"], (Json{{"line", 1}, {"character", 6}}));
  // A character past its line's end is the line's end.
  d = Tell("textDocument/didChange",
           Change({Edit({{"line", 0}, {"character", kFar}}, {{"line", 0}, {"character", kFar}},
                        " = 5")}))["params"]["diagnostics"];
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0]["range"]["start"], (Json{{"line", 0}, {"character", 6}}));
  const Json far = {{"textDocument", {{"uri", "u"}}},
                    {"position", {{"line", UINT64_MAX}, {"character", kFar}}}};
  EXPECT_TRUE(Ask("textDocument/hover", far)["result"].is_null());
  const Json negative = {{"textDocument", {{"uri", "u"}}},
                         {"position", {{"line", -1}, {"character", 0}}}};
  EXPECT_EQ(Ask("textDocument/hover", negative)["error"]["code"], kInvalidParams);
}

// A text of pieces edits as one string does, wherever the edits fall and however big.
TEST(LspEditedText, EditsAsAStringDoes) {
  std::mt19937 random(7);
  const auto pick = [&](size_t n) { return static_cast<size_t>(random() % (n + 1)); };
  const auto bytes = [&](size_t n) {
    std::string s(n, 'a');
    for (char& c : s) c = random() % 9 == 0 ? '\n' : static_cast<char>('a' + random() % 26);
    return s;
  };
  std::string expected = bytes(60000);
  EditedText text(expected);
  for (int step = 0; step < 3000; ++step) {
    const LineIndex lines(expected);
    const Position at = {static_cast<int>(pick(lines.LineCount() + 1)),
                         static_cast<int>(pick(random() % 4 == 0 ? 200 : 20))};
    ASSERT_EQ(text.OffsetOf(at), OffsetOf(lines, at)) << step;
    const size_t start = pick(expected.size());
    const size_t end =
        start + pick(std::min<size_t>(expected.size() - start, step % 50 ? 40 : 9000));
    const std::string inserted = bytes(step % 97 == 0 ? 12000 : pick(30));
    expected.replace(start, end - start, inserted);
    text.Replace(start, end, inserted);
    ASSERT_EQ(text.size(), expected.size());
  }
  EXPECT_EQ(text.Text(), expected);
  EditedText empty("");
  EXPECT_EQ(empty.OffsetOf({0, 5}), 0u);
  empty.Replace(0, 0, "ab\n");
  EXPECT_EQ(empty.OffsetOf({1, 0}), 3u);
  EXPECT_EQ(empty.OffsetOf({0, 9}), 2u);
}

double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// An edit of many changes costs the text once and each change a little: thousands of changes
// cost a few times what one costs, not thousands of times.
TEST_F(LspLimits, ManyChangesCostTheTextOnceAndEachChangeALittle) {
  constexpr int kLines = 32768;
  const std::string line = "' " + std::string(125, 'c') + "\n";
  std::string script;
  for (int i = 0; i < kLines; ++i) script += line;  // 4 MiB
  const auto seconds = [&](int changes) {
    Json list = Json::array();
    for (int i = 0; i < changes; ++i) {
      const Json at = {{"line", (i * 7919) % kLines}, {"character", 5}};
      list.push_back(Edit(at, at, "y"));
    }
    const std::string body = Json{
        {"jsonrpc", "2.0"},
        {"method", "textDocument/didChange"},
        {"params", Change(list)}}.dump();
    double best = 1e9;
    for (int round = 0; round < 3; ++round) {
      Open(script);
      const double start = ThreadSeconds();
      server_.Handle(body);
      best = std::min(best, ThreadSeconds() - start);
    }
    return best;
  };
  const double one = seconds(1);
  const double many = seconds(3200);
  EXPECT_LT(many, 30 * one) << one << " s for one change, " << many << " s for 3200";
}

// Diagnostics, hover and navigation place their positions with the document's one index.
TEST_F(LspLimits, DiagnosticsOfManyFindingsReadTheTextOnce) {
  std::string script = "' " + std::string(size_t{1} << 20, 'x') + "\n";
  for (int i = 0; i < 400; ++i) script += "VAR v" + std::to_string(i) + " = 5\n";
  uint64_t before = LineScanBytes();
  EXPECT_EQ(Open(script)["params"]["diagnostics"].size(), 400u);
  EXPECT_LE(LineScanBytes() - before, 2 * script.size());
  before = LineScanBytes();
  for (int line = 1; line < 400; line += 7) {
    const Json at = {{"textDocument", {{"uri", "u"}}},
                     {"position", {{"line", line}, {"character", 5}}}};
    EXPECT_FALSE(Ask("textDocument/hover", at)["result"].is_null()) << line;
    Ask("textDocument/definition", at);
    Ask("textDocument/completion", at);
  }
  Ask("textDocument/documentSymbol", {{"textDocument", {{"uri", "u"}}}});
  EXPECT_EQ(LineScanBytes() - before, 0u);
}

// What the process holds for data: the sanitizer's count of live heap bytes, or else its
// resident memory (a run's tables are mapped pages, which only the resident size sees).
size_t HeldBytes() {
#ifdef BRINDLE_ASAN
  return __sanitizer_get_current_allocated_bytes();
#else
  long pages = 0, resident = 0;
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  if (statm == nullptr || std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
  if (statm != nullptr) std::fclose(statm);
  return static_cast<size_t>(resident) * static_cast<size_t>(sysconf(_SC_PAGESIZE));
#endif
}

TEST_F(LspLimits, OpenDocumentsHoldMemoryInProportionToTheirTextUntilClosed) {
  constexpr int kDocuments = 2000;
  const auto uri = [](int i) { return "file:///d" + std::to_string(i) + ".bas"; };
  Open("PRINT 0, 0, 1\n", uri(-1));  // what the first document makes once
  Tell("textDocument/didClose", {{"textDocument", {{"uri", uri(-1)}}}});
  const size_t before = HeldBytes();
  for (int i = 0; i < kDocuments; ++i) Open("PRINT 0, 0, " + std::to_string(i) + "\n", uri(i));
  const size_t open = HeldBytes();
  EXPECT_LT(open, before + kDocuments * size_t{8192}) << (open - before) / kDocuments << " each";
  for (int i = 0; i < kDocuments; ++i) {
    Tell("textDocument/didClose", {{"textDocument", {{"uri", uri(i)}}}});
  }
  const size_t closed = HeldBytes();
  EXPECT_LT(closed, before + kDocuments * size_t{512}) << closed - before << " bytes kept";
}

}  // namespace
}  // namespace brindle::lsp

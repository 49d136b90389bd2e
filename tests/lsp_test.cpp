// The language server in process: framing, the editor's text as script bytes, the protocol's
// error replies and life cycle, and each answer's positions.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "lang/keywords.h"
#include "lang/reference.h"
#include "lsp/document_text.h"
#include "lsp/frame_reader.h"
#include "lsp/server.h"

namespace brindle::lsp {
namespace {

std::string Framed(const std::string& body) {
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::vector<Frame> FramesOf(const std::string& bytes, size_t chunk) {
  FrameReader reader;
  std::vector<Frame> frames;
  for (size_t at = 0; at < bytes.size(); at += chunk) {
    reader.Feed(std::string_view(bytes).substr(at, chunk));
    while (std::optional<Frame> frame = reader.Next()) frames.push_back(*frame);
  }
  return frames;
}

TEST(LspFraming, FramesSurviveAnySplitAndBadHeadersAreSkipped) {
  const std::string stream = "garbage without a colon\r\n\r\n" + Framed("{\"a\":1}") +
                             "content-length:  2\nX-Other: y\n\n[]" +
                             "Content-Length: many\r\n\r\n{}" + Framed("{}");
  for (size_t chunk : {size_t{1}, size_t{3}, stream.size()}) {
    const std::vector<Frame> frames = FramesOf(stream, chunk);
    ASSERT_EQ(frames.size(), 5u) << chunk;
    EXPECT_EQ(frames[0].problem, "a header line without a colon");
    EXPECT_EQ(frames[1].body, "{\"a\":1}");
    EXPECT_EQ(frames[2].body, "[]");
    // What follows a bad header up to the next one is passed over.
    EXPECT_EQ(frames[3].problem, "Content-Length is not a number");
    EXPECT_EQ(frames[4].body, "{}");
    EXPECT_TRUE(frames[4].problem.empty());
  }
}

TEST(LspFraming, OversizedBodiesAreRefusedAndPassedOver) {
  const std::string huge = "Content-Length: " + std::to_string(kMaxBodyBytes + 1) + "\r\n\r\n";
  FrameReader reader;
  reader.Feed(huge);
  std::optional<Frame> refused = reader.Next();
  ASSERT_TRUE(refused);
  EXPECT_NE(refused->problem.find("larger than"), std::string::npos);
  // The body's bytes are dropped as they come, never held.
  const std::string block(1 << 20, 'x');
  for (size_t left = kMaxBodyBytes + 1; left > 0;) {
    const size_t n = std::min(left, block.size());
    reader.Feed(std::string_view(block).substr(0, n));
    EXPECT_FALSE(reader.Next());
    left -= n;
  }
  reader.Feed(Framed("{}"));
  EXPECT_EQ(reader.Next()->body, "{}");
  // A header that never ends is refused once it is longer than any header could be.
  FrameReader endless;
  endless.Feed(std::string(kMaxHeaderBytes + 1, 'h'));
  EXPECT_EQ(endless.Next()->problem, "a header section longer than 8192 bytes");
}

TEST(LspFraming, AHeaderSectionTooLongIsRefusedHoweverItArrives) {
  const std::string padding = "X-Padding: " + std::string(kMaxHeaderBytes, 'p') + "\r\n";
  const std::string stream = "Content-Length: 2\r\n" + padding + "\r\n{}" + Framed("[]");
  for (size_t chunk : {size_t{1}, size_t{1000}, stream.size()}) {
    const std::vector<Frame> frames = FramesOf(stream, chunk);
    ASSERT_EQ(frames.size(), 2u) << chunk;
    EXPECT_EQ(frames[0].problem, "a header section longer than 8192 bytes");
    EXPECT_EQ(frames[1].body, "[]");
  }
  // Up to the limit, a section is read.
  const std::string fits = "Content-Length: 2\r\nX: ";
  const std::string most =
      fits + std::string(kMaxHeaderBytes - fits.size() - 4, 'p') + "\r\n\r\n{}";
  ASSERT_EQ(FramesOf(most, most.size()).size(), 1u);
  EXPECT_EQ(FramesOf(most, most.size())[0].body, "{}");
}

TEST(LspText, EditorTextBecomesOneBytePerCodeUnit) {
  EXPECT_EQ(ScriptBytes("caf\xC3\xA9 \xE2\x82\xAC"), "caf\xE9 \x80");  // é, €
  EXPECT_EQ(ScriptBytes("\xE2\x86\x92|\xF0\x9F\x98\x80|"), "?|??|");   // →, an emoji
  EXPECT_EQ(Utf8Text("caf\xE9 \x80 \x81"), "caf\xC3\xA9 \xE2\x82\xAC \xC2\x81");
  const std::string text = "ab\ncd\n";
  const LineIndex lines(text);
  EXPECT_EQ(OffsetOf(lines, {1, 1}), 4u);
  EXPECT_EQ(OffsetOf(lines, {0, 99}), 2u);  // past the line's end: its end
  EXPECT_EQ(OffsetOf(lines, {9, 0}), text.size());
  EXPECT_EQ(PositionOf(lines, 4).line, 1);
  EXPECT_EQ(PositionOf(lines, 4).character, 1);
}

TEST(LspReference, EveryKeywordAndEventHasOneEntryWithItsForm) {
  std::vector<std::string_view> names;
  for (const Keyword& k : kKeywords) names.push_back(k.text);
  for (const DeclarationKeyword& d : kDeclarationKeywords) names.push_back(d.text);
  for (std::string_view e : {"WMMOUSEMOVE", "WMKEYDOWN", "WMKEYUP", "WMTIMER", "WMCOMMAND"}) {
    names.push_back(e);
  }
  for (std::string_view name : names) {
    const std::optional<ReferenceEntry> entry = FindReference(name);
    ASSERT_TRUE(entry) << name << " has no entry in docs/reference.md";
    EXPECT_NE(entry->form.find(name), std::string_view::npos) << name;
  }
  EXPECT_EQ(ReferenceEntries().size(), names.size()) << "an entry for no keyword";
}

class LspServer : public ::testing::Test {
 protected:
  Json Call(const Json& message) {
    std::vector<Json> out = server_.Handle(message.dump());
    return out.empty() ? Json() : out.back();
  }
  Json Ask(const std::string& method, Json params) {
    return Call({{"jsonrpc", "2.0"}, {"id", ++id_}, {"method", method}, {"params", params}});
  }
  Json Tell(const std::string& method, Json params) {
    return Call({{"jsonrpc", "2.0"}, {"method", method}, {"params", params}});
  }
  Json Open(const std::string& text) {
    Ask("initialize", Json::object());
    return Tell("textDocument/didOpen",
                {{"textDocument", {{"uri", "u"}, {"version", 1}, {"text", text}}}});
  }
  static Json At(int line, int character) {
    return {{"textDocument", {{"uri", "u"}}},
            {"position", {{"line", line}, {"character", character}}}};
  }
  std::vector<std::string> Labels(const Json& items) {
    std::vector<std::string> labels;
    for (const Json& item : items) labels.push_back(item["label"]);
    return labels;
  }

  Server server_;
  int id_ = 0;
};

TEST_F(LspServer, MalformedMessagesGetTheProtocolsErrors) {
  EXPECT_EQ(server_.Handle("{")[0]["error"]["code"], kParseError);
  EXPECT_EQ(server_.Handle("[1,2]")[0]["error"]["code"], kInvalidRequest);
  EXPECT_EQ(server_.Handle("{\"id\":{},\"method\":\"x\"}")[0]["error"]["code"], kInvalidRequest);
  EXPECT_EQ(server_.Handle("{\"id\":\"s\",\"method\":7}")[0]["id"], "s");
  EXPECT_EQ(Ask("shutdown", nullptr)["error"]["code"], kServerNotInitialized);
  EXPECT_EQ(Ask("initialize", Json::object())["id"], 2);
  EXPECT_EQ(Ask("initialize", Json::object())["error"]["code"], kInvalidRequest);
  EXPECT_EQ(Ask("textDocument/hover", {{"textDocument", {{"uri", 5}}}})["error"]["code"],
            kInvalidParams);
  EXPECT_EQ(Ask("textDocument/hover", At(0, 0))["error"]["code"], kInvalidParams);
  EXPECT_TRUE(Tell("$/cancelRequest", {{"id", 1}}).is_null());
  // A notification's problem cannot be answered: it is logged.
  EXPECT_EQ(Tell("textDocument/didChange", At(0, 0))["method"], "window/logMessage");
  EXPECT_TRUE(Ask("shutdown", nullptr)["result"].is_null());
  EXPECT_EQ(Ask("textDocument/hover", At(0, 0))["error"]["code"], kInvalidRequest);
  EXPECT_FALSE(server_.exited());
  Tell("exit", nullptr);
  EXPECT_TRUE(server_.exited());
  EXPECT_EQ(server_.ExitStatus(), 0);
}

TEST_F(LspServer, DiagnosticsPlaceEachFindingOnItsToken) {
  Json d = Open("VAR x = 5\nPRINT 0, 0, x\n")["params"]["diagnostics"];
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0]["code"], "W02");
  EXPECT_EQ(d[0]["severity"], 2);
  EXPECT_EQ(d[0]["range"]["start"], (Json{{"line", 0}, {"character", 6}}));
  // A tokenizer fault at its byte; its text names the byte as the script has it.
  d = Tell("textDocument/didChange",
           {{"textDocument", {{"uri", "u"}, {"version", 2}}},
            {"contentChanges", {{{"text", "PRINT 1\nx = \xC3\xA9\n"}}}}})["params"]["diagnostics"];
  // The rest of the script is checked too: PRINT's missing arguments come first.
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0]["code"], "W13");
  EXPECT_EQ(d[1]["message"], "T:Error: Unknown token!-[ \xC3\xA9 ] at LINE: 1");
  EXPECT_EQ(d[1]["range"]["start"], (Json{{"line", 1}, {"character", 4}}));
  // A block that is never closed is marked at its keyword.
  d = Tell("textDocument/didChange",
           {{"textDocument", {{"uri", "u"}, {"version", 3}}},
            {"contentChanges", {{{"text", "VAR x\nWHILE x < 2\n"}}}}})["params"]["diagnostics"];
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0]["range"]["start"], (Json{{"line", 1}, {"character", 0}}));
  EXPECT_EQ(d[0]["range"]["end"], (Json{{"line", 1}, {"character", 5}}));
}

TEST(LspText, FileUrisGiveLocalPaths) {
  EXPECT_EQ(LocalPathOfUri("file:///home/a/my%20game.bas"), "/home/a/my game.bas");
  EXPECT_EQ(LocalPathOfUri("file://localhost/x.bas"), "/x.bas");
  EXPECT_EQ(LocalPathOfUri("file://server/x.bas"), "");
  EXPECT_EQ(LocalPathOfUri("untitled:Untitled-1"), "");
  EXPECT_EQ(LocalPathOfUri("file:///bad%2"), "");
  EXPECT_EQ(LocalPathOfUri("file:///nul%00byte"), "");
}

TEST_F(LspServer, AMissingPictureIsWarnedOnlyForASavedScript) {
  const std::filesystem::path folder = ::testing::TempDir() + "lsp_pictures";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "fish.png") << "x";
  const std::string text =
      "PTR a\nPTR b\nLOADIMG a, \"fish.png\", 0, 0, 0, 16\nLOADIMG b, \"fsh.png\", 0, 0, 0, 16\n";
  const std::string uri = "file://" + (folder / "game.bas").string();
  Ask("initialize", Json::object());
  Json d = Tell("textDocument/didOpen",
                {{"textDocument", {{"uri", uri}, {"version", 1}, {"text", text}}}});
  ASSERT_EQ(d["params"]["diagnostics"].size(), 1u);
  EXPECT_EQ(d["params"]["diagnostics"][0]["code"], "W27");
  EXPECT_EQ(d["params"]["diagnostics"][0]["range"]["start"],
            (Json{{"line", 3}, {"character", 11}}));
  // A script not yet saved has no folder to look in.
  d = Tell("textDocument/didOpen",
           {{"textDocument", {{"uri", "untitled:1"}, {"version", 1}, {"text", text}}}});
  EXPECT_TRUE(d["params"]["diagnostics"].empty());
}

TEST_F(LspServer, HoverShowsReferenceEntriesAndDeclarations) {
  std::string arrays = "VAR a1[2]";
  for (int i = 2; i <= 17; ++i) arrays += ", a" + std::to_string(i) + "[2]";
  Open(arrays + "\nSTR name\nname = \"x\"\na17[1] = a1[1]\nWINMSG wmtimer\nENDWM\n");
  const std::string pset = Ask("textDocument/hover", At(1, 0))["result"]["contents"]["value"];
  EXPECT_EQ(pset.find("**STR**"), 0u);
  EXPECT_EQ(pset.find(std::string(FindReference("STR")->body)), 9u);
  const std::string name = Ask("textDocument/hover", At(2, 2))["result"]["contents"]["value"];
  EXPECT_NE(name.find("a string, declared on line 2"), std::string::npos) << name;
  const std::string dead = Ask("textDocument/hover", At(3, 1))["result"]["contents"]["value"];
  EXPECT_NE(dead.find("(array 17)"), std::string::npos) << dead;
  EXPECT_NE(dead.find("drops every write"), std::string::npos);
  const std::string live = Ask("textDocument/hover", At(3, 10))["result"]["contents"]["value"];
  EXPECT_EQ(live.find("drops"), std::string::npos) << live;
  const std::string event = Ask("textDocument/hover", At(4, 9))["result"]["contents"]["value"];
  EXPECT_EQ(event.find("**WMTIMER**"), 0u);
  EXPECT_TRUE(Ask("textDocument/hover", At(2, 5))["result"].is_null());  // "="
}

TEST_F(LspServer, NamesAreFoundWhileTheLineBeingTypedIsUnfinished) {
  Open("VAR total\nGOTO skip\nFUNC add()\nENDFN\nLABEL skip\nPRINT 0, 0, \"unclosed\n");
  EXPECT_EQ(Labels(Ask("textDocument/completion", At(1, 5))["result"]),
            std::vector<std::string>{"skip"});
  const std::vector<std::string> all = Labels(Ask("textDocument/completion", At(5, 0))["result"]);
  // Labels are offered after GOTO only.
  EXPECT_EQ(all.size(), kKeywords.size() + kDeclarationKeywords.size() + 2);
  EXPECT_EQ(all.back(), "add");
  EXPECT_EQ(Ask("textDocument/definition", At(1, 6))["result"]["range"]["start"],
            (Json{{"line", 4}, {"character", 6}}));
  const Json symbols = Ask("textDocument/documentSymbol", At(0, 0))["result"];
  ASSERT_EQ(symbols.size(), 2u);
  EXPECT_EQ(symbols[0]["name"], "add");
  EXPECT_EQ(symbols[0]["range"]["end"], (Json{{"line", 3}, {"character", 5}}));
  EXPECT_EQ(symbols[1]["name"], "skip");
}

TEST_F(LspServer, CompletionAfterWinmsgOffersTheEvents) {
  Open("WINMSG \n");
  const Json items = Ask("textDocument/completion", At(0, 7))["result"];
  EXPECT_EQ(Labels(items), (std::vector<std::string>{"WMMOUSEMOVE", "WMKEYDOWN", "WMKEYUP",
                                                     "WMTIMER", "WMCOMMAND"}));
}

}  // namespace
}  // namespace brindle::lsp

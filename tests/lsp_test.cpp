// The language server end to end: `loopcost --lsp` fed a session on standard input, its answers
// read back from standard output, one row per kind of message, the bad ones included.
#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "lsp/moves.h"
#include "lsp/settings.h"
#include "lsp/views.h"
#include "tests/runtool.h"

namespace {

using json = nlohmann::json;

std::string framed(const std::string& body) {
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::string request(int id, const std::string& method, const json& params = json::object()) {
  return framed(
      json{{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}}.dump());
}

std::string notification(const std::string& method, const json& params = json::object()) {
  return framed(json{{"jsonrpc", "2.0"}, {"method", method}, {"params", params}}.dump());
}

const std::string URI = "file:///work/prog.loop";

std::string opened(const std::string& text, int version = 1) {
  return notification(
      "textDocument/didOpen",
      {{"textDocument",
        {{"uri", URI}, {"languageId", "loopcost"}, {"version", version}, {"text", text}}}});
}

std::string changed(const std::string& text, int version) {
  return notification("textDocument/didChange",
                      {{"textDocument", {{"uri", URI}, {"version", version}}},
                       {"contentChanges", json::array({{{"text", text}}})}});
}

std::string rangeChanged(int line, int from, int to, const std::string& text, int version) {
  const json range = {{"start", {{"line", line}, {"character", from}}},
                      {"end", {{"line", line}, {"character", to}}}};
  return notification("textDocument/didChange",
                      {{"textDocument", {{"uri", URI}, {"version", version}}},
                       {"contentChanges", json::array({{{"range", range}, {"text", text}}})}});
}

json at(int line, int character) {
  return {{"textDocument", {{"uri", URI}}},
          {"position", {{"line", line}, {"character", character}}}};
}

const json DOCUMENT = {{"textDocument", {{"uri", URI}}}};
const json LINES = {{"textDocument", {{"uri", URI}}},
                    {"range",
                     {{"start", {{"line", 0}, {"character", 0}}},
                      {"end", {{"line", 6}, {"character", 0}}}}}};  // the first six lines

std::string initialize(const json& options = json::object(),
                       const json& encodings = json::array()) {
  return request(1, "initialize",
                 {{"capabilities", {{"general", {{"positionEncodings", encodings}}}}},
                  {"initializationOptions", options}}) +
         notification("initialized");
}

const std::string GOODBYE = request(99, "shutdown") + notification("exit");

// The messages of standard output, in order.
std::vector<json> messagesIn(const std::string& output) {
  std::vector<json> messages;
  for (std::size_t at = 0; at < output.size();) {
    const std::size_t length = std::stoul(output.substr(at + 16));
    const std::size_t body = output.find("\r\n\r\n", at) + 4;
    messages.push_back(json::parse(output.substr(body, length)));
    at = body + length;
  }
  return messages;
}

// Whether every member of `part` is in `whole`, arrays element by element as a prefix.
bool contains(const json& whole, const json& part) {
  if (part.is_object()) {
    if (!whole.is_object()) return false;
    for (const auto& [key, value] : part.items()) {
      if (!whole.contains(key) || !contains(whole[key], value)) return false;
    }
    return true;
  }
  if (part.is_array()) {
    if (!whole.is_array() || whole.size() < part.size()) return false;
    for (std::size_t i = 0; i < part.size(); ++i) {
      if (!contains(whole[i], part[i])) return false;
    }
    return true;
  }
  if (part.is_string() && whole.is_string()) {
    return whole.get<std::string>().find(part.get<std::string>()) != std::string::npos;
  }
  return whole == part;
}

// A request to resolve the lens that a server gives for `text` on statement index `statement` - 1
// (on BEGIN for 0), as a client sends it back.
std::string resolved(int id, const std::string& text, int statement) {
  const ToolRun run = runLoopcost(
      ".", initialize() + opened(text) + request(2, "textDocument/codeLens", DOCUMENT) + GOODBYE,
      {"--lsp"});
  for (const json& answer : messagesIn(run.out)) {
    for (const json& lens : answer.value("id", 0) == 2 ? answer["result"] : json::array()) {
      if (lens["data"][1] == statement) return request(id, "codeLens/resolve", lens);
    }
  }
  return "";
}

struct Row {
  const char* what;
  std::string sent;      // after initialize, before shutdown and exit
  const char* expected;  // JSON: a part of one of the answers; null: no answer at all
  std::string err = "";
};

const std::string PROGRAM = "BEGIN\n  a+b;\n  LOOP n\n    a*b;\n  END\nEND\n";
const std::string BROKEN = "BEGIN\n  a+b;\n  LOOP n\n    a*b\n  END\nEND\n";
const std::string IMPRECISE =
    "BEGIN LOOP 2147483647 LOOP 2147483647 LOOP 2147483647 LOOP 2147483647 LOOP 2147483647 a+b; "
    "END END END END END END\n";

// A broken program changed into one with a lone surrogate where its statement starts and another,
// as UTF-8 bytes, after its END; then the first taken out by a ranged change.
const std::string LONE_SURROGATES =
    opened(BROKEN) +
    framed(R"({"jsonrpc": "2.0", "method": "textDocument/didChange", "params": {
        "textDocument": {"uri": "file:///work/prog.loop", "version": 2},
        "contentChanges": [{"text": "BEGIN\n\udc00a+b;\nEND\n)"
           "\xED\xA0\x80"
           R"("}]}})") +
    rangeChanged(1, 0, 1, "", 3);

// The expected answers are JSON text, read when the test runs: as initializer lists they took
// the compiler minutes.
TEST(LanguageServer, AnswersEachKindOfMessage) {
  const char* diagnostics = R"json({"method": "textDocument/publishDiagnostics"})json";
  const Row rows[] = {
      {"a request before initialize", request(5, "textDocument/hover", at(0, 0)),
       R"json({"id": 5, "error": {"code": -32002}})json"},
      {"unreadable JSON", framed("{\"id\": 3, "),
       R"json({"id": null, "error": {"code": -32700}})json"},
      {"an unknown request", request(3, "textDocument/rename", DOCUMENT),
       R"json({"id": 3, "error": {"code": -32601}})json"},
      {"an unknown notification", notification("textDocument/didSave", DOCUMENT), "null"},
      {"a cancellation", notification("$/cancelRequest", {{"id", 3}}), "null"},
      {"a request cancelled before its turn",
       opened(PROGRAM) + request(8, "textDocument/codeLens", DOCUMENT) +
           notification("$/cancelRequest", {{"id", 8}}),
       R"json({"id": 8, "error": {"code": -32800}})json"},
      {"a syntax error, at the line and column where the parser stopped", opened(BROKEN),
       R"json({"params": {"version": 1, "diagnostics": [{"severity": 1,
           "range": {"start": {"line": 3, "character": 7}},
           "message": "expected ';' at the end of the statement"}]}})json"},
      {"a program fixed", opened(BROKEN) + changed(PROGRAM, 2),
       R"json({"params": {"version": 2, "diagnostics": []}})json"},
      {"a precision warning on the first line", opened(IMPRECISE),
       R"json({"params": {"diagnostics": [{"severity": 2,
           "range": {"start": {"line": 0, "character": 0}},
           "message": "CPU1(2,4): single precision prints inf, the exact cost is 9134385212050495"}]}})json"},
      {"a hover on an expression statement",
       opened(PROGRAM) + request(7, "textDocument/hover", at(3, 5)),
       R"json({"id": 7, "result": {
           "contents": {"value": "`a * b ;` runs `n^1` times, with 0 additions and 1 multiplication a run"},
           "range": {"start": {"line": 3, "character": 4}, "end": {"line": 3, "character": 8}}}})json"},
      {"a hover on a loop", opened(PROGRAM) + request(7, "textDocument/hover", at(2, 3)),
       R"json({"id": 7, "result": {"contents": {"value": "`LOOP n` runs once; its whole body costs"}}})json"},
      {"a hover on BEGIN", opened(PROGRAM) + request(7, "textDocument/hover", at(0, 2)),
       R"json({"id": 7, "result": {"contents": {"value": "| CPU1(2,4) | `4 * n^1 + 2` | \u0398(n^1) |"}}})json"},
      {"code lenses on BEGIN and each loop, to be resolved",
       opened(PROGRAM) + request(8, "textDocument/codeLens", DOCUMENT),
       R"json({"id": 8, "result": [{"range": {"start": {"line": 0}}, "data": [1, 0]},
           {"range": {"start": {"line": 2, "character": 2}}, "data": [1, 2]}]})json"},
      {"the program's lens resolved", opened(PROGRAM) + resolved(10, PROGRAM, 0),
       R"json({"id": 10, "result": {"data": [1, 0],
           "command": {"title": "CPU1: 4 * n^1 + 2 \u00b7 CPU2: 5 * n^1 + 1"}}})json"},
      {"a loop's lens resolved", opened(PROGRAM) + resolved(10, PROGRAM, 2),
       R"json({"id": 10, "result": {"range": {"start": {"line": 2, "character": 2}},
           "command": {"title": "CPU1: 4 * n^1 \u00b7 CPU2: 5 * n^1"}}})json"},
      {"a lens of another text than the last that parsed, resolved as changed",
       opened(PROGRAM) + request(7, "textDocument/codeLens", DOCUMENT) +
           changed("BEGIN\n  LOOP n\n    a*b;\n  END\nEND\n", 2) + resolved(10, PROGRAM, 2),
       R"json({"id": 10, "result": {"command": {"title": "?"}}})json"},
      {"inlay hints after each statement",
       opened(PROGRAM) + request(9, "textDocument/inlayHint", LINES),
       R"json({"id": 9, "result": [
           {"position": {"line": 1, "character": 6}, "label": "CPU1: 2 \u00b7 CPU2: 1"},
           {"position": {"line": 2, "character": 8}, "label": "CPU1: 4 * n^1 \u00b7 CPU2: 5 * n^1"}]})json"},
      {"lenses from the last version that parsed while a program is broken",
       opened(PROGRAM) + request(7, "textDocument/codeLens", DOCUMENT) + changed(BROKEN, 2) +
           resolved(10, PROGRAM, 2),
       R"json({"id": 10, "result": {"command": {"title": "CPU1: 4 * n^1 \u00b7 CPU2: 5 * n^1 ?"}}})json"},
      {"a hint that stays on its statement while one is typed after it",
       opened("BEGIN\n  a+b;\n  a*b;\nEND\n") + request(8, "textDocument/inlayHint", LINES) +
           rangeChanged(1, 5, 6, "", 2) + rangeChanged(2, 6, 6, "\n  c*d;", 3) +
           request(9, "textDocument/inlayHint", LINES),
       R"json({"id": 9, "result": [{"position": {"line": 2, "character": 6}, "label": "CPU1: 4 \u00b7 CPU2: 5"}]})json"},
      {"formatting into the echo",
       opened("BEGIN a+b;LOOP n a*b; END END") + request(10, "textDocument/formatting", DOCUMENT),
       R"json({"id": 10, "result": [{"newText": "BEGIN\n  a + b ;\n  LOOP n\n    a * b ;\n  END\nEND\n"}]})json"},
      {"no formatting with a syntax error",
       opened(BROKEN) + request(10, "textDocument/formatting", DOCUMENT),
       R"json({"id": 10, "error": {"code": -32803}})json"},
      {"models that the tool cannot read, shown and not taken",
       notification("workspace/didChangeConfiguration",
                    {{"settings", {{"loopcost", {{"cpu", {"2;4"}}}}}}}) +
           opened(PROGRAM) + request(8, "textDocument/codeLens", DOCUMENT),
       R"json({"method": "window/showMessage", "params": {"type": 1,
           "message": "loopcost: cpu: '2;4' is not ADD,MUL (two non-negative numbers)"}})json"},
      {"models from the settings",
       notification("workspace/didChangeConfiguration", {{"settings", {{"cpu", {"0.1,0.2"}}}}}) +
           opened(PROGRAM) + resolved(10, PROGRAM, 0),
       R"json({"id": 10, "result": {"command": {"title": "0.2 * n^1 + 0.1"}}})json"},
      {"lenses switched off",
       notification("workspace/didChangeConfiguration", {{"settings", {{"codeLens", false}}}}) +
           opened(PROGRAM) + request(8, "textDocument/codeLens", DOCUMENT),
       R"json({"id": 8, "result": []})json"},
      {"a position that is no whole number in range",
       opened(PROGRAM) +
           request(7, "textDocument/hover",
                   {{"textDocument", {{"uri", URI}}},
                    {"position", {{"line", 0}, {"character", 1e30}}}}) +
           request(
               8, "textDocument/hover",
               {{"textDocument", {{"uri", URI}}}, {"position", {{"line", -1}, {"character", 0}}}}) +
           request(
               9, "textDocument/hover",
               {{"textDocument", {{"uri", URI}}}, {"position", {{"line", 0.5}, {"character", 0}}}}),
       R"json({"id": 9, "error": {"code": -32602}})json"},
      {"an id that is no number or string",
       framed(R"({"jsonrpc": "2.0", "id": [1], "method": "shutdown"})"),
       R"json({"id": null, "error": {"code": -32600}})json"},
      {"a message of another JSON-RPC",
       framed(R"({"jsonrpc": "1.0", "id": 5, "method": "shutdown"})"),
       R"json({"id": 5, "error": {"code": -32600}})json"},
      {"a ranged change, at the end of the line that lacks its ';'",
       opened(PROGRAM) + rangeChanged(3, 7, 8, "", 2),
       R"json({"params": {"version": 2, "diagnostics": [{"message": "expected ';' at the end of the statement",
           "range": {"start": {"line": 3, "character": 7}, "end": {"line": 3, "character": 7}}}]}})json"},
      {"lone carriage returns ending lines", opened("BEGIN\r  LOOP n\r    a+b\r  END\rEND\r"),
       R"json({"params": {"diagnostics": [{"range": {"start": {"line": 2, "character": 7}}}]}})json"},
      {"formatting up to lone carriage returns",
       opened("BEGIN\r  a;\rEND\r") + request(10, "textDocument/formatting", DOCUMENT),
       R"json({"id": 10, "result": [{"range": {"end": {"line": 3, "character": 0}}}]})json"},
      {"text after END, marked and kept by formatting",
       opened("BEGIN\n  a;\nEND\nnotes: keep me\n") +
           request(10, "textDocument/formatting", DOCUMENT),
       R"json({"id": 10, "result": [{"range": {"end": {"line": 3, "character": 0}}, "newText": "BEGIN\n  a ;\nEND\n"}]})json"},
      {"a hint-level mark on the text after END", opened("BEGIN\n  a;\nEND\nnotes: keep me\n"),
       R"json({"params": {"diagnostics": [{"severity": 4, "tags": [1],
           "message": "ignored: text after the program's END",
           "range": {"start": {"line": 3, "character": 0}, "end": {"line": 4, "character": 0}}}]}})json"},
      {"a header with a tab, and two that disagree",
       "Content-Length:\t2\r\n\r\n{}" +
           std::string("Content-Length: 2\r\nContent-Length: 3\r\n\r\n{}") +
           request(6, "textDocument/hover", at(0, 0)),
       R"json({"id": 6, "error": {"code": -32803}})json",
       "loopcost: refused a malformed header: Content-Length: 3\n"},
      {"a malformed header, refused", "Content-Lenght 12\r\n\r\n" + opened(PROGRAM), diagnostics,
       "loopcost: refused a malformed header: Content-Lenght 12\n"},
      {"lone surrogates, read as U+FFFD, one unit each", LONE_SURROGATES,
       R"json({"params": {"version": 3, "diagnostics": [{"severity": 4,
           "range": {"start": {"line": 3, "character": 0}, "end": {"line": 3, "character": 1}}}]}})json"},
      {"lone surrogates, noted in the client's log", LONE_SURROGATES,
       R"json({"method": "window/logMessage", "params": {"type": 2,
           "message": "loopcost: a lone surrogate in a message was read as U+FFFD"}})json"},
      {"a length of 2^64, refused",
       "Content-Length: 18446744073709551616\r\n\r\n" + opened(PROGRAM), diagnostics,
       "loopcost: refused a malformed header: Content-Length: 18446744073709551616\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const bool beforeInitialize =
        std::string(row.what).find("before initialize") != std::string::npos;
    const std::string session =
        beforeInitialize ? row.sent + initialize() + GOODBYE : initialize() + row.sent + GOODBYE;
    const ToolRun run = runLoopcost(".", session, {"--lsp"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, row.err);
    std::vector<json> answers = messagesIn(run.out);
    ASSERT_GE(answers.size(), 2u);
    EXPECT_TRUE(contains(answers.front(),
                         {{"id", 1}, {"result", {{"capabilities", {{"hoverProvider", true}}}}}}) ||
                beforeInitialize);
    EXPECT_TRUE(contains(answers.back(), {{"id", 99}, {"result", nullptr}}));
    answers.erase(answers.begin() + (beforeInitialize ? 1 : 0));
    answers.pop_back();
    const json expected = json::parse(row.expected);
    if (expected.is_null()) {
      EXPECT_TRUE(answers.empty()) << json(answers).dump();
    } else {
      EXPECT_TRUE(std::any_of(answers.begin(), answers.end(), [&](const json& answer) {
        return contains(answer, expected);
      })) << json(answers).dump();
    }
  }
}

// Positions count UTF-8 bytes when the client can, else UTF-16 units; a header that claims more
// than the limit is refused, and the exit status says whether shutdown came first.
TEST(LanguageServer, CountsPositionsAsAgreedAndExitsAsAsked) {
  const std::string emoji = "BEGIN\n\xF0\x9F\x98\x80\n";  // an error at a character of 4 bytes
  for (const auto& [encodings, width] :
       {std::make_pair(json::array({"utf-8", "utf-16"}), 4), std::make_pair(json::array(), 2)}) {
    const ToolRun run = runLoopcost(
        ".", initialize(json::object(), encodings) + opened(emoji) + GOODBYE, {"--lsp"});
    const json range = {{"start", {{"line", 1}, {"character", 0}}},
                        {"end", {{"line", 1}, {"character", width}}}};
    EXPECT_TRUE(
        contains(messagesIn(run.out).at(1), {{"params", {{"diagnostics", {{{"range", range}}}}}}}))
        << run.out;
  }
  const ToolRun refused = runLoopcost(
      ".", initialize() + "Content-Length: 9999999999999999999\r\n\r\n" + GOODBYE, {"--lsp"});
  EXPECT_EQ(refused.err, "loopcost: refused a message over 67108864 bytes\n");
  EXPECT_EQ(refused.status, 1);  // what the header claims runs to the end of the input
  EXPECT_EQ(runLoopcost(".", initialize() + notification("exit"), {"--lsp"}).status, 1);
  EXPECT_EQ(runLoopcost(".", initialize(), {"--lsp"}).status, 1);
  EXPECT_EQ(runLoopcost(".", initialize() + GOODBYE, {"--lsp"}).status, 0);
}

// What a client sees: at first the initialize answer and nothing before it, refreshes only once a
// setting changes; plain-text hovers for a client without Markdown; a failed initialize leaves
// the server waiting for a good one.
TEST(LanguageServer, StartsAsTheClientAsked) {
  const json refreshing = {{"workspace", {{"codeLens", {{"refreshSupport", true}}}}},
                           {"textDocument", {{"hover", {{"contentFormat", {"plaintext"}}}}}}};
  const ToolRun run = runLoopcost(
      ".",
      request(1, "initialize",
              {{"capabilities", refreshing}, {"initializationOptions", {{"cpu", json::array()}}}}) +
          opened(PROGRAM) + request(2, "textDocument/hover", at(3, 5)) +
          notification("workspace/didChangeConfiguration",
                       {{"settings", {{"cpu", json::array()}}}}) +
          notification("workspace/didChangeConfiguration", {{"settings", {{"cpu", {"1,1"}}}}}) +
          GOODBYE,
      {"--lsp"});
  const std::vector<json> answers = messagesIn(run.out);
  ASSERT_GE(answers.size(), 5u) << run.out;
  EXPECT_EQ(answers[0]["id"], 1);
  EXPECT_EQ(std::count_if(answers.begin(), answers.end(),
                          [](const json& message) {
                            return message.value("method", "") == "workspace/codeLens/refresh";
                          }),
            1);
  EXPECT_TRUE(contains(
      answers[2],
      {{"id", 2},
       {"result", {{"contents", {{"kind", "plaintext"}, {"value", "a * b ; runs n^1 times"}}}}}}))
      << answers[2];

  const ToolRun failed = runLoopcost(
      ".",
      request(1, "initialize", json::array()) + request(2, "shutdown") + initialize() + GOODBYE,
      {"--lsp"});
  const std::vector<json> replies = messagesIn(failed.out);
  ASSERT_EQ(replies.size(), 4u) << failed.out;
  EXPECT_TRUE(contains(replies[0], {{"id", 1}, {"error", {{"code", -32602}}}}));
  EXPECT_TRUE(contains(replies[1], {{"id", 2}, {"error", {{"code", -32002}}}}));
  EXPECT_TRUE(contains(replies[2], {{"id", 1}, {"result", {{"capabilities", json::object()}}}}));
  EXPECT_EQ(failed.status, 0);
}

// The client's locale wins over the environment's.
TEST(LanguageServer, SpeaksTheClientsLanguage) {
  const auto session = [](const char* locale) {
    return request(1, "initialize",
                   {{"capabilities", json::object()},
                    {"locale", locale},
                    {"initializationOptions", {{"hintWidth", 3}}}}) +
           notification("initialized") + opened(BROKEN) +
           request(2, "textDocument/codeLens", DOCUMENT) + changed(PROGRAM, 2) +
           request(3, "textDocument/hover", at(3, 5)) + GOODBYE;
  };
  const std::vector<json> chinese = messagesIn(runLoopcost(".", session("zh-tw"), {"--lsp"}).out);
  ASSERT_EQ(chinese.size(), 7u);
  EXPECT_TRUE(contains(
      chinese[0], {{"params", {{"message", "loopcost: hintWidth 必須是 10 到 1000 之間的整數"}}}}));
  // The explanation alone: the parser's own line is for the console.
  EXPECT_EQ(chinese[2]["params"]["diagnostics"][0]["message"], "敘述的結尾應有 ';'");
  EXPECT_TRUE(contains(
      chinese[5],
      {{"result", {{"contents", {{"value", "執行 `n^1` 次，每次執行有 0 次加法和 1 次乘法"}}}}}}));
  const std::vector<json> english =
      messagesIn(runLoopcost(".", session("en-US"), {"--lsp"}, "zh_TW.UTF-8").out);
  ASSERT_EQ(english.size(), 7u);
  EXPECT_TRUE(contains(english[5], {{"result", {{"contents", {{"value", "runs `n^1` times"}}}}}}));
}

// With the dialect set, the extended programs' counts hold from an n on, and the hover and the
// hints say from which; a program with no single polynomial is marked at the LOOP it names.
// Set back to classic, the same text is a syntax error.
TEST(LanguageServer, ReadsTheDialectItIsSetTo) {
  const std::string skipping =
      "BEGIN\nLOOP i = 1 TO n\n  LOOP j = 1 TO i - 5\n    a + b;\n"
      "  END\nEND\nEND\n";
  const std::string parity =
      "BEGIN\nLOOP k = 0 TO n\n  LOOP m = k TO n - k\n    a;\n"
      "  END\nEND\nEND\n";
  const std::vector<json> replies =
      messagesIn(runLoopcost(".",
                             initialize({{"dialect", "extended"}}) + opened(skipping) +
                                 request(2, "textDocument/hover", at(3, 5)) +
                                 request(3, "textDocument/inlayHint", LINES) + changed(parity, 2) +
                                 request(4, "textDocument/hover", at(3, 5)) +
                                 notification("workspace/didChangeConfiguration",
                                              {{"settings", {{"dialect", "classic"}}}}) +
                                 GOODBYE,
                             {"--lsp"})
                     .out);
  const auto answer = [&](int id) {
    for (const json& reply : replies)
      if (reply.value("id", 0) == id) return reply["result"];
    return json();
  };
  EXPECT_TRUE(contains(answer(2), {{"contents",
                                    {{"value",
                                      "a + b ;` runs `1/2 * n^2 - 9/2 * "
                                      "n^1 + 10 (n >= 4)` times"}}}}));
  EXPECT_TRUE(contains(answer(3), {{{"label", " 1 * n^2 - 9 * n^1 + 20 (n >= 4)"}}}));
  EXPECT_TRUE(contains(answer(4), {{"contents", {{"value", "no single polynomial"}}}}));
  std::vector<json> published;
  for (const json& reply : replies)
    if (reply.value("method", "") == "textDocument/publishDiagnostics")
      published.push_back(reply["params"]["diagnostics"]);
  ASSERT_EQ(published.size(), 3u);
  EXPECT_EQ(published[0], json::array());
  EXPECT_TRUE(contains(published[1], {{{"range", {{"start", {{"line", 2}, {"character", 7}}}}},
                                       {"message", "no single polynomial: where LOOP m"}}}));
  EXPECT_TRUE(contains(published[2], {{{"message", "a LOOP count is n or a whole number"}}}));
}

// After a message that is not framed right the server finds the next one; changes that queue up
// are analysed once, at the newest.
TEST(LanguageServer, ResynchronisesAndAnalysesOnlyTheNewest) {
  std::string queued = opened(PROGRAM);
  for (int version = 2; version <= 30; ++version)
    queued += changed(version % 2 ? BROKEN : PROGRAM, version);
  const ToolRun run = runLoopcost(
      ".",
      initialize() + "Content-Length: 10\r\n\r\n{\"jsonrpc\": \"2.0\", \"method\": \"x\"}" +
          queued + GOODBYE,
      {"--lsp"});
  std::vector<json> published;
  for (const json& message : messagesIn(run.out)) {
    if (message.value("method", "") == "textDocument/publishDiagnostics")
      published.push_back(message);
  }
  ASSERT_EQ(published.size(), 1u) << run.out;
  EXPECT_EQ(published[0]["params"]["version"], 30);
  EXPECT_EQ(run.status, 0);
}

// A hint is a glance at most 40 characters wide, naming the models by number; a statement that
// costs nothing has none; while one statement of a long program is broken, the others' hints
// stay as they were.
TEST(LanguageServer, HintsAreShortAndStayWhileAStatementIsBroken) {
  std::string nested = "BEGIN\n";
  for (int i = 0; i < 20; ++i) nested += "LOOP n\n";
  nested += "a*b+c;\nd;\n";
  for (int i = 0; i < 20; ++i) nested += "END\n";
  nested += "END\n";
  const json everything = {
      {"textDocument", {{"uri", URI}}},
      {"range",
       {{"start", {{"line", 0}, {"character", 0}}}, {"end", {{"line", 1200}, {"character", 0}}}}}};
  const json models = {{"cpu", {"1,1", "2,2", "3,3", "4,4", "5,5", "6,6"}}};
  const std::vector<json> short_ =
      messagesIn(runLoopcost(".",
                             initialize(models) + opened(nested) +
                                 request(2, "textDocument/inlayHint", everything) + GOODBYE,
                             {"--lsp"})
                     .out);
  const json& shortHints = short_.at(2)["result"];
  EXPECT_EQ(shortHints.size(), 21u);  // 20 loops and a*b+c; d; costs nothing
  for (const json& hint : shortHints) {
    const std::string label = hint["label"];
    EXPECT_LE(std::count_if(label.begin(), label.end(), [](char c) { return (c & 0xC0) != 0x80; }),
              40)
        << label;
  }

  std::string program = "BEGIN\n";
  for (int i = 0; i < 1000; ++i) program += i % 10 == 0 ? "  LOOP n x*y+z; END\n" : "  x*y+z*w;\n";
  program += "END\n";
  std::string broken = program;
  broken.erase(broken.find(';', broken.size() / 2), 1);
  const std::vector<json> answers = messagesIn(
      runLoopcost(".",
                  initialize() + opened(program) +
                      request(2, "textDocument/inlayHint", everything) + changed(broken, 2) +
                      request(3, "textDocument/inlayHint", everything) + GOODBYE,
                  {"--lsp"})
          .out);
  json before, after;
  for (const json& answer : answers) {
    if (answer.value("id", 0) == 2) before = answer["result"];
    if (answer.value("id", 0) == 3) after = answer["result"];
  }
  ASSERT_EQ(before.size(), 1100u);  // each statement's, and each loop's
  std::size_t same = 0;
  for (const json& hint : after) same += std::count(before.begin(), before.end(), hint);
  EXPECT_GE(same, 1045u) << after.dump().substr(0, 2000);
}

// Where the bytes of the last version that parsed stand as changes come: replaced ones gone,
// the others moved, a range changed when a change touched or split it.
TEST(LanguageServer, FollowsTheBytesOfTheLastVersionThatParsed) {
  Moves moves(10);
  moves.replace(2, 4, 3);  // "0123456789" to "01abc456789"
  moves.replace(7, 7, 2);  // and to "01abc45xy6789"
  moves.replace("01abc45xy6789", "01abc45xy67");
  const struct {
    std::size_t older;
    std::optional<std::size_t> now;
  } bytes[] = {{1, 1}, {2, std::nullopt}, {4, 5}, {5, 6}, {6, 9}, {7, 10}, {8, std::nullopt}};
  for (const auto& byte : bytes) EXPECT_EQ(moves(byte.older), byte.now) << byte.older;
  const struct {
    std::size_t current, older;
  } firsts[] = {{0, 0}, {2, 4}, {6, 5}, {7, 6}, {10, 7}, {11, 10}};
  for (const auto& first : firsts) EXPECT_EQ(moves.firstFrom(first.current), first.older);
  const struct {
    std::size_t from, to;
    bool changed;
  } ranges[] = {{0, 2, false}, {4, 6, false}, {6, 8, false},
                {1, 3, true},  {4, 7, true},  {7, 9, true}};
  for (const auto& range : ranges) {
    EXPECT_EQ(moves.changed(range.from, range.to), range.changed) << range.from << ", " << range.to;
  }
}

// A document with more lenses than an answer holds: the first of them in the answer, or all of
// them in pages of partial results for a client that takes them.
TEST(LanguageServer, PagesLensesForAClientThatTakesPartialResults) {
  const std::size_t loops = 2 * LENS_PAGE + 500;
  std::string program = "BEGIN\n";
  for (std::size_t i = 0; i < loops; ++i) program += "LOOP n a*b; END\n";
  program += "END\n";
  const json paged = {{"textDocument", {{"uri", URI}}}, {"partialResultToken", "pages"}};
  const std::vector<json> answers = messagesIn(
      runLoopcost(".",
                  initialize() + opened(program) + request(2, "textDocument/codeLens", DOCUMENT) +
                      request(3, "textDocument/codeLens", paged) + GOODBYE,
                  {"--lsp"})
          .out);
  json capped, last, lastLens;
  std::vector<std::size_t> pages;
  for (const json& message : answers) {
    if (message.value("id", 0) == 2) capped = message["result"];
    if (message.value("id", 0) == 3) last = message["result"];
    if (message.value("method", "") != "$/progress") continue;
    EXPECT_EQ(message["params"]["token"], "pages");
    pages.push_back(message["params"]["value"].size());
    lastLens = message["params"]["value"].back();
  }
  EXPECT_EQ(capped.size(), LENS_PAGE);
  EXPECT_EQ(pages, (std::vector<std::size_t>{LENS_PAGE, LENS_PAGE, 501}));  // and BEGIN's
  EXPECT_EQ(last, json::array());
  EXPECT_EQ(lastLens["range"]["start"]["line"], loops);
}

// The VS Code extension and the README's lines for Neovim offer the settings the server reads,
// with their defaults.
TEST(LanguageServer, ReadsTheSettingsTheEditorsOffer) {
  json offered = json::parse(readFile(
      SOURCE_DIR "/editors/vscode/package.json"))["contributes"]["configuration"]["properties"];
  offered.erase("loopcost.server.path");
  const std::string readme = readFile(SOURCE_DIR "/README.md");
  const std::size_t options = readme.find("init_options = { ") + 17;
  std::istringstream neovim(readme.substr(options, readme.find(" },", options) - options));
  json given = json::object();  // "cpu = {}, codeLens = true" as JSON
  for (std::string name, equals, value; neovim >> name >> equals >> value;) {
    if (value.back() == ',') value.pop_back();
    given[name] = value == "{}" ? json::array() : json::parse(value);
  }
  const std::vector<Settings::Description> settings = Settings::descriptions();
  EXPECT_EQ(offered.size(), settings.size());
  EXPECT_EQ(given.size(), settings.size()) << given;
  for (const Settings::Description& setting : settings) {
    const json& property = offered[std::string("loopcost.") + setting.name];
    EXPECT_EQ(property["type"], setting.type) << setting.name;
    EXPECT_EQ(property["default"], setting.defaultValue) << setting.name;
    EXPECT_EQ(given[setting.name], setting.defaultValue) << setting.name;
  }
}

#ifndef LOOPCOST_SANITIZE  // the sanitizers reserve more address space than the limits allow
// An editing session of a program of 50,000 loops under address-space limits from 8 MB to 400 MB:
// at every step the server answers every request, with its result or that memory ran out (or,
// where the document itself could not be taken, that it is not open, after telling the user),
// and ends as asked.
TEST(LanguageServer, AnswersEveryRequestWhateverMemoryIsLeft) {
  std::string program = "BEGIN\n";
  for (int i = 0; i < 50000; ++i) program += "LOOP n a*b; END\n";
  program += "END\n";
  const json lines = {{"start", {{"line", 0}, {"character", 0}}},
                      {"end", {{"line", 60}, {"character", 0}}}};
  const ScratchDirectory directory;
  writeFile(directory.path("session"),
            initialize() + opened(program) + rangeChanged(1, 0, 0, "a+b;\n", 2) +
                request(2, "textDocument/codeLens", DOCUMENT) +
                request(3, "textDocument/inlayHint",
                        {{"textDocument", {{"uri", URI}}}, {"range", lines}}) +
                request(4, "textDocument/hover", at(2, 10)) +
                request(5, "textDocument/formatting", DOCUMENT) + GOODBYE);
  bool diagnosed = false;
  for (const int megabytes : {8, 12, 16, 24, 32, 40, 48, 56, 64, 96, 128, 256, 400}) {
    SCOPED_TRACE(megabytes);
    const ToolRun run = runShell("ulimit -v " + std::to_string(megabytes * 1024) +
                                 " && $LOOPCOST --lsp < " + directory.path("session"));
    EXPECT_EQ(run.status, 0);
    std::map<int, int> answered;  // id: the error code, or 0
    bool told = false;
    for (const json& message : messagesIn(run.out)) {
      if (message.contains("id"))
        answered[message["id"]] +=
            message.contains("error") ? message["error"]["code"].get<int>() : 0;
      told = told || message.value("method", "") == "window/showMessage";
      diagnosed =
          diagnosed ||
          contains(message, {{"params", {{"diagnostics", {{{"message", "out of memory"}}}}}}});
    }
    EXPECT_EQ(answered.size(), 6u) << run.out.substr(0, 2000);
    for (const auto& [id, code] : answered) {
      EXPECT_TRUE(code == 0 || code == -32603 || (code == -32803 && told)) << id << ": " << code;
    }
    const std::map<int, int> allAnswered = {{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {99, 0}};
    EXPECT_TRUE(megabytes < 400 || answered == allAnswered);
  }
  EXPECT_TRUE(diagnosed);
}
#endif

}  // namespace

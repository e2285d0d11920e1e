// The language server end to end: `loopcost --lsp` fed a session on standard input, its answers
// read back from standard output, one row per kind of message, the bad ones included.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

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

json at(int line, int character) {
  return {{"textDocument", {{"uri", URI}}},
          {"position", {{"line", line}, {"character", character}}}};
}

const json DOCUMENT = {{"textDocument", {{"uri", URI}}}};

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
      {"a syntax error, at the line and column where the parser stopped", opened(BROKEN),
       R"json({"params": {"version": 1, "diagnostics": [{"severity": 1,
           "range": {"start": {"line": 3, "character": 7}},
           "message": "ExpressionStatement(istream&): input syntax error at 'a*b'"}]}})json"},
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
      {"code lenses on BEGIN and each loop",
       opened(PROGRAM) + request(8, "textDocument/codeLens", DOCUMENT),
       R"json({"id": 8, "result": [
           {"range": {"start": {"line": 0}},
            "command": {"title": "CPU1: 4 * n^1 + 2 \u00b7 CPU2: 5 * n^1 + 1"}},
           {"range": {"start": {"line": 2, "character": 2}},
            "command": {"title": "CPU1: 4 * n^1 \u00b7 CPU2: 5 * n^1"}}]})json"},
      {"inlay hints after each statement",
       opened(PROGRAM) + request(9, "textDocument/inlayHint",
                                 {{"textDocument", {{"uri", URI}}},
                                  {"range",
                                   {{"start", {{"line", 0}, {"character", 0}}},
                                    {"end", {{"line", 6}, {"character", 0}}}}}}),
       R"json({"id": 9, "result": [
           {"position": {"line": 1, "character": 6}, "label": "CPU1: 2 \u00b7 CPU2: 1"},
           {"position": {"line": 2, "character": 8}, "label": "CPU1: 4 * n^1 \u00b7 CPU2: 5 * n^1"}]})json"},
      {"lenses from the last version that parsed while a program is broken",
       opened(PROGRAM) + request(7, "textDocument/codeLens", DOCUMENT) + changed(BROKEN, 2) +
           request(8, "textDocument/codeLens", DOCUMENT),
       R"json({"id": 8, "result": [{"command": {"title": "CPU1: 4 * n^1 + 2 \u00b7 CPU2: 5 * n^1 + 1 ?"}},
           {"command": {"title": "CPU1: 4 * n^1 \u00b7 CPU2: 5 * n^1 ?"}}]})json"},
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
           opened(PROGRAM) + request(8, "textDocument/codeLens", DOCUMENT),
       R"json({"id": 8, "result": [{"command": {"title": "0.2 * n^1 + 0.1"}}]})json"},
      {"lenses switched off",
       notification("workspace/didChangeConfiguration", {{"settings", {{"codeLens", false}}}}) +
           opened(PROGRAM) + request(8, "textDocument/codeLens", DOCUMENT),
       R"json({"id": 8, "result": []})json"},
      {"a malformed header, refused", "Content-Lenght 12\r\n\r\n" + opened(PROGRAM), diagnostics,
       "loopcost: refused a malformed header: Content-Lenght 12\n"},
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
      ".", initialize() + "Content-Length: 99999999999999999999\r\n\r\n" + GOODBYE, {"--lsp"});
  EXPECT_EQ(refused.err, "loopcost: refused a message over 67108864 bytes\n");
  EXPECT_EQ(refused.status, 1);  // what the header claims runs to the end of the input
  EXPECT_EQ(runLoopcost(".", initialize() + notification("exit"), {"--lsp"}).status, 1);
  EXPECT_EQ(runLoopcost(".", initialize(), {"--lsp"}).status, 1);
  EXPECT_EQ(runLoopcost(".", initialize() + GOODBYE, {"--lsp"}).status, 0);
}

#ifndef LOOPCOST_SANITIZE  // the sanitizers reserve more address space than the limit allows
// A document too large for memory gets that as its diagnostic, and the server goes on.
TEST(LanguageServer, SaysADocumentRanOutOfMemoryAndGoesOn) {
  std::string huge = "BEGIN ";
  for (int i = 0; i < 2000000; ++i) huge += "a*b;";
  const ScratchDirectory directory;
  writeFile(
      directory.path("session"),
      initialize() + opened(huge) +
          notification("textDocument/didOpen",
                       {{"textDocument",
                         {{"uri", "file:///small.loop"}, {"version", 1}, {"text", PROGRAM}}}}) +
          GOODBYE);
  const ToolRun run =
      runShell("ulimit -v 200000 && $LOOPCOST --lsp < " + directory.path("session"));
  const std::vector<json> answers = messagesIn(run.out);
  ASSERT_EQ(answers.size(), 4u) << run.out.substr(0, 2000);
  for (const json& answer : {answers[1], answers[2]}) {
    const bool huge = answer["params"]["uri"] == URI;
    EXPECT_EQ(answer["params"]["diagnostics"].size(), huge ? 1u : 0u);
    EXPECT_TRUE(!huge || answer["params"]["diagnostics"][0]["message"] == "out of memory");
  }
  EXPECT_EQ(run.status, 0);
}
#endif

}  // namespace

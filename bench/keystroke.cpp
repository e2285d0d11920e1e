// How long a language server takes to answer a keystroke, as an editor meets it: a client that
// starts `TOOL --lsp`, opens a program of the list shape (or with `line:`, its statements on one
// line) and then, keystroke by keystroke, sends the whole new text and waits for its
// diagnostics, then asks for the document's code lenses (and resolves those in view that come
// without their command) and then for the inlay hints of the 60 lines in view. Prints the median
// of each and the largest lens answer, for each size and tool; the tools take turns keystroke by
// keystroke, so that builds are measured in one run under the same load.
//   keystroke TOOL... -- [line:]STATEMENTS...
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "bench/shapes.h"

namespace {

using json = nlohmann::json;
using Clock = std::chrono::steady_clock;

// A server started on a pair of pipes.
class Server {
 public:
  explicit Server(const std::string& tool) {
    int toServer[2], fromServer[2];
    if (pipe(toServer) != 0 || pipe(fromServer) != 0) std::exit(1);
    child = fork();
    if (child == 0) {
      dup2(toServer[0], 0);
      dup2(fromServer[1], 1);
      for (int fd : {toServer[0], toServer[1], fromServer[0], fromServer[1]}) close(fd);
      execl(tool.c_str(), tool.c_str(), "--lsp", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(toServer[0]);
    close(fromServer[1]);
    in = fdopen(fromServer[0], "r");
    out = toServer[1];
  }

  ~Server() {
    send({{"jsonrpc", "2.0"}, {"id", 0}, {"method", "shutdown"}});
    send({{"jsonrpc", "2.0"}, {"method", "exit"}});
    close(out);
    fclose(in);
    waitpid(child, nullptr, 0);
  }

  // A message as it goes down the pipe: a client builds it before it sends it, in its own time.
  static std::string framed(const json& message) {
    const std::string body = message.dump();
    return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
  }

  void send(const json& message) { write(framed(message)); }

  void write(const std::string& framed) {
    for (std::size_t sent = 0; sent < framed.size();) {
      const ssize_t wrote = ::write(out, framed.data() + sent, framed.size() - sent);
      if (wrote <= 0) std::exit(1);
      sent += static_cast<std::size_t>(wrote);
    }
  }

  std::string receive() {
    std::size_t length = 0;
    for (char line[256]; std::fgets(line, sizeof line, in) != nullptr && line[0] != '\r';) {
      std::sscanf(line, "Content-Length: %zu", &length);
    }
    std::string body(length, '\0');
    if (std::fread(&body[0], 1, length, in) != length) std::exit(1);
    return body;
  }

  // Reads messages until one has `key` equal to `value`, found near the start of the message (a
  // server writes its members there), and returns that message: a client parses a long answer
  // in its own time, not the server's.
  std::string awaitMember(const char* key, const json& value) {
    const std::string member = '"' + std::string(key) + "\":" + value.dump();
    for (;;) {
      std::string message = receive();
      const std::string head = message.substr(0, 200);
      for (const char end : {',', '}'}) {
        if (head.find(member + end) != std::string::npos) return message;
      }
    }
  }

 private:
  pid_t child;
  FILE* in;
  int out;
};

std::string program(const std::string& shape, long statements) {
  std::ostringstream text;
  writeShape(text, shape, statements);
  return text.str();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Timings {
  double diagnostics, lenses, hints;
  std::size_t lensBytes;  // the largest answer to a codeLens request
};

// The lenses of `answer` on lines from `first` to `last` that have no command yet, resolved as a
// client resolves those in view; returns the milliseconds that took.
double resolveInView(Server& server, const std::string& answer, long first, long last) {
  const auto start = Clock::now();
  int id = 1 << 30;
  for (const json& lens : json::parse(answer)["result"]) {
    const long line = lens["range"]["start"]["line"];
    if (lens.contains("command") || line < first || line > last) continue;
    server.send(
        {{"jsonrpc", "2.0"}, {"id", ++id}, {"method", "codeLens/resolve"}, {"params", lens}});
    server.awaitMember("id", id);
  }
  return since(start);
}

// One tool's server, opened on the program, and its times keystroke by keystroke.
class Session {
 public:
  Session(const std::string& tool, const std::string& text) : server(tool) {
    server.send({{"jsonrpc", "2.0"},
                 {"id", 1},
                 {"method", "initialize"},
                 {"params", {{"capabilities", json::object()}}}});
    server.awaitMember("id", 1);
    server.send({{"jsonrpc", "2.0"},
                 {"method", "textDocument/didOpen"},
                 {"params", {{"textDocument", {{"uri", URI}, {"version", 1}, {"text", text}}}}}});
    server.awaitMember("method", "textDocument/publishDiagnostics");
  }

  // The change to the new text (built beforehand, as a client builds it in its own time), then
  // the lenses and the hints of the lines from `first` to `last` in view.
  void keystroke(const std::string& change, int version, long first, long last) {
    const json document = {{"uri", URI}};
    auto start = Clock::now();
    server.write(change);
    server.awaitMember("method", "textDocument/publishDiagnostics");
    diagnosed.push_back(since(start));
    start = Clock::now();
    server.send({{"jsonrpc", "2.0"},
                 {"id", version},
                 {"method", "textDocument/codeLens"},
                 {"params", {{"textDocument", document}}}});
    const std::string lenses = server.awaitMember("id", version);
    const double answered = since(start);
    lensed.push_back(answered + resolveInView(server, lenses, first, last));
    lensBytes = std::max(lensBytes, lenses.size());
    const json view = {{"start", {{"line", first}, {"character", 0}}},
                       {"end", {{"line", last}, {"character", 0}}}};
    start = Clock::now();
    server.send({{"jsonrpc", "2.0"},
                 {"id", -version},
                 {"method", "textDocument/inlayHint"},
                 {"params", {{"textDocument", document}, {"range", view}}}});
    server.awaitMember("id", -version);
    hinted.push_back(since(start));
  }

  Timings medians() const { return {median(diagnosed), median(lensed), median(hinted), lensBytes}; }

 private:
  static constexpr const char* URI = "file:///bench.loop";

  Server server;
  std::vector<double> diagnosed, lensed, hinted;
  std::size_t lensBytes = 0;
};

// Each tool's medians over the keystrokes, the tools taking turns keystroke by keystroke (each
// time another first), so that they meet the same load on a shared machine.
std::vector<Timings> keystrokes(const std::vector<std::string>& tools, const std::string& shape,
                                long statements) {
  std::string text = program(shape, statements);
  std::vector<std::unique_ptr<Session>> sessions;
  for (const std::string& tool : tools) sessions.push_back(std::make_unique<Session>(tool, text));
  const long lines = static_cast<long>(std::count(text.begin(), text.end(), '\n')) + 1;
  const int count = shape == "line" ? 3 : statements > 10000 ? 11 : 101;
  for (int version = 2; version < 2 + count; ++version) {
    text.insert(text.size() - 4, version % 2 ? "a;" : " ");  // typed before the final END
    const std::string change =
        Server::framed({{"jsonrpc", "2.0"},
                        {"method", "textDocument/didChange"},
                        {"params",
                         {{"textDocument", {{"uri", "file:///bench.loop"}, {"version", version}}},
                          {"contentChanges", json::array({{{"text", text}}})}}}});
    for (std::size_t turn = 0; turn < sessions.size(); ++turn) {
      sessions[(turn + version) % sessions.size()]->keystroke(change, version,
                                                              std::max(0L, lines - 60), lines);
    }
  }
  std::vector<Timings> timings;
  for (const auto& session : sessions) timings.push_back(session->medians());
  return timings;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> tools;
  int i = 1;
  for (; i < argc && std::string(argv[i]) != "--"; ++i) tools.push_back(argv[i]);
  std::cout << "| program | server | diagnostics | lenses | hints | lens answer |\n"
            << "|---|---|---|---|---|---|\n";
  for (++i; i < argc; ++i) {
    const std::string size = argv[i];
    const bool oneLine = size.rfind("line:", 0) == 0;
    const long statements = std::atol(size.c_str() + (oneLine ? 5 : 0));
    const std::vector<Timings> all = keystrokes(tools, oneLine ? "line" : "list", statements);
    for (std::size_t t = 0; t < tools.size(); ++t) {
      std::cout << std::fixed << std::setprecision(2) << "| " << statements << " statements"
                << (oneLine ? " on one line" : "") << " | " << tools[t] << " | "
                << all[t].diagnostics << " ms | " << all[t].lenses << " ms | " << all[t].hints
                << " ms | " << std::setprecision(0) << all[t].lensBytes / 1e3 << " kB |\n";
    }
  }
}

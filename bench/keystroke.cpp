// How long a language server takes to answer a keystroke, as an editor meets it: a client that
// starts `TOOL --lsp`, opens a program of the list shape and then, keystroke by keystroke, sends
// the whole new text and waits for its diagnostics; and again, with the code lenses of the
// document and the inlay hints of the 60 lines in view asked for after each change, waits for
// those answers too. Prints the median of each for each size and tool, so that builds are
// measured in one run.
//   keystroke TOOL... -- STATEMENTS...
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iomanip>
#include <iostream>
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

  void send(const json& message) {
    const std::string body = message.dump();
    const std::string framed = "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
    for (std::size_t sent = 0; sent < framed.size();) {
      const ssize_t wrote = write(out, framed.data() + sent, framed.size() - sent);
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

  // Reads messages until one has `key` equal to `value`, read from the start of the message (a
  // server writes its members there): the time a client takes to read a long answer is the
  // client's, not the server's.
  void awaitMember(const char* key, const json& value) {
    const std::string member = '"' + std::string(key) + "\":" + value.dump();
    for (;;) {
      const std::string head = receive().substr(0, 200);
      for (const char end : {',', '}'}) {
        if (head.find(member + end) != std::string::npos) return;
      }
    }
  }

 private:
  pid_t child;
  FILE* in;
  int out;
};

std::string program(long statements) {
  std::ostringstream text;
  writeShape(text, "list", statements);
  return text.str();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The medians over the keystrokes of the time to diagnostics, and to lenses and hints.
std::pair<double, double> keystrokes(const std::string& tool, long statements) {
  Server server(tool);
  const std::string uri = "file:///bench.loop";
  server.send({{"jsonrpc", "2.0"},
               {"id", 1},
               {"method", "initialize"},
               {"params", {{"capabilities", json::object()}}}});
  server.awaitMember("id", 1);
  std::string text = program(statements);
  server.send({{"jsonrpc", "2.0"},
               {"method", "textDocument/didOpen"},
               {"params", {{"textDocument", {{"uri", uri}, {"version", 1}, {"text", text}}}}}});
  server.awaitMember("method", "textDocument/publishDiagnostics");
  const long lines = statements + 2;
  const json view = {{"start", {{"line", std::max(0L, lines - 60)}, {"character", 0}}},
                     {"end", {{"line", lines}, {"character", 0}}}};
  std::vector<double> diagnosed, glanced;
  const int count = statements > 10000 ? 11 : 101;
  for (int version = 2; version < 2 + 2 * count; ++version) {
    text.insert(text.size() - 4, version % 2 ? "a;" : " ");  // typed before the final END
    const bool glancing = version % 2 == 0;
    const auto start = Clock::now();
    server.send({{"jsonrpc", "2.0"},
                 {"method", "textDocument/didChange"},
                 {"params",
                  {{"textDocument", {{"uri", uri}, {"version", version}}},
                   {"contentChanges", json::array({{{"text", text}}})}}}});
    if (!glancing) {
      server.awaitMember("method", "textDocument/publishDiagnostics");
      diagnosed.push_back(since(start));
      continue;
    }
    server.send({{"jsonrpc", "2.0"},
                 {"id", version},
                 {"method", "textDocument/codeLens"},
                 {"params", {{"textDocument", {{"uri", uri}}}}}});
    server.send({{"jsonrpc", "2.0"},
                 {"id", -version},
                 {"method", "textDocument/inlayHint"},
                 {"params", {{"textDocument", {{"uri", uri}}}, {"range", view}}}});
    server.awaitMember("id", -version);
    glanced.push_back(since(start));
  }
  return {median(diagnosed), median(glanced)};
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> tools;
  int i = 1;
  for (; i < argc && std::string(argv[i]) != "--"; ++i) tools.push_back(argv[i]);
  std::cout << "| program | server | diagnostics | with lenses and hints | ratio |\n"
            << "|---|---|---|---|---|\n";
  for (++i; i < argc; ++i) {
    const long statements = std::atol(argv[i]);
    for (const std::string& tool : tools) {
      const auto [diagnosed, glanced] = keystrokes(tool, statements);
      std::cout << std::fixed << std::setprecision(2) << "| " << statements << " statements | "
                << tool << " | " << diagnosed << " ms | " << glanced << " ms | "
                << glanced / diagnosed << " |\n";
    }
  }
}

// How long the language server takes to answer a keystroke: a full-text change of a program of
// the list shape, answered with its diagnostics, then the code lenses asked for after it, as an
// editor asks. Prints the median over many keystrokes for each size.
//   keystroke STATEMENTS...
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

#include "bench/shapes.h"
#include "lsp/languageserver.h"

namespace {

using json = nlohmann::json;
using Clock = std::chrono::steady_clock;

std::string message(const json& body) { return body.dump(); }

std::string program(long statements) {
  std::ostringstream text;
  writeShape(text, "list", statements);
  return text.str();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const long statements = std::atol(argv[i]);
    std::ostringstream out, log;
    LanguageServer server(out, log, defaultModels());
    server.handle(message(
        {{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}, {"params", json::object()}}));
    const std::string uri = "file:///bench.loop";
    std::string text = program(statements);
    server.handle(
        message({{"jsonrpc", "2.0"},
                 {"method", "textDocument/didOpen"},
                 {"params", {{"textDocument", {{"uri", uri}, {"version", 1}, {"text", text}}}}}}));
    std::vector<double> diagnostics, lenses;
    const int keystrokes = statements > 10000 ? 11 : 101;
    for (int version = 2; version < 2 + keystrokes; ++version) {
      text.insert(text.size() - 4, version % 2 ? "a;" : " ");  // typed before the final END
      const auto start = Clock::now();
      server.handle(message({{"jsonrpc", "2.0"},
                             {"method", "textDocument/didChange"},
                             {"params",
                              {{"textDocument", {{"uri", uri}, {"version", version}}},
                               {"contentChanges", json::array({{{"text", text}}})}}}}));
      const auto diagnosed = Clock::now();
      server.handle(message({{"jsonrpc", "2.0"},
                             {"id", version},
                             {"method", "textDocument/codeLens"},
                             {"params", {{"textDocument", {{"uri", uri}}}}}}));
      const auto lensed = Clock::now();
      diagnostics.push_back(std::chrono::duration<double, std::milli>(diagnosed - start).count());
      lenses.push_back(std::chrono::duration<double, std::milli>(lensed - start).count());
      out.str("");
    }
    std::cout << std::fixed << std::setprecision(2) << "| " << statements << " statements | "
              << median(diagnostics) << " ms | " << median(lenses) << " ms |\n";
  }
}

// Coverage-guided fuzzing of the language server from its standard input: framing, JSON-RPC and
// every method, with whatever documents and settings a session brings. Findings: a crash, a
// sanitizer report, an exit status other than 0 or 1, or anything on standard output that is
// not a well-framed JSON-RPC message.
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "lsp/languageserver.h"
#include "tests/fuzz/fuzzing.h"

namespace {

// Every message the server wrote: "Content-Length: N", an empty line, N bytes of a JSON-RPC 2.0
// object.
void checkFraming(const std::string& output) {
  const std::string header = "Content-Length: ";
  for (std::size_t at = 0; at < output.size();) {
    check(output.compare(at, header.size(), header) == 0);
    const std::size_t end = output.find("\r\n\r\n", at);
    check(end != std::string::npos);
    const std::size_t length = std::stoul(output.substr(at + header.size(), end - at));
    check(end + 4 + length <= output.size());
    const auto message = nlohmann::json::parse(output.substr(end + 4, length), nullptr, false);
    check(message.is_object() && message.value("jsonrpc", "") == "2.0");
    at = end + 4 + length;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::ostringstream out, log;
  const int status = LanguageServer(out, log, defaultModels(), Language::english).serve(in);
  check(status == 0 || status == 1);
  checkFraming(out.str());
  return 0;
}

// Coverage-guided fuzzing of a whole run from its command line: the input's bytes up to the
// first pair of NULs are the arguments, separated by NULs, and the rest is standard input (a run
// of the language server is the lsp target's). Runs
// happen in an empty scratch folder holding two programs, and inputs that name a path with a '/'
// are skipped, so that no run reads a device or a file elsewhere. An input of odd length runs in
// Traditional Chinese. Findings: an exit status other than 0, 1 or 2, a crash or a sanitizer
// report, a usage error that writes to standard output, or a stream in two encodings.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "driver/run.h"
#include "support/utf8.h"
#include "tests/fuzz/fuzzing.h"

namespace {

char folder[] = "/tmp/loopcost-options-fuzz-XXXXXX";

void removeFolder() { std::filesystem::remove_all(folder); }

// Whether the bytes are all Big5 (code page 950) or all UTF-8: a stream into a file is written in
// one encoding.
bool inOneEncoding(const std::string& text) {
  bool big5 = true;
  for (std::size_t at = 0; at < text.size() && big5; ++at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) continue;
    const auto trail = at + 1 < text.size() ? static_cast<unsigned char>(text[++at]) : 0;
    big5 = lead >= 0x81 && lead <= 0xFE &&
           ((trail >= 0x40 && trail <= 0x7E) || (trail >= 0xA1 && trail <= 0xFE));
  }
  bool utf8 = true;
  for (std::size_t at = 0; at < text.size() && utf8;
       at += std::max<std::size_t>(1, utf8Length(text, at))) {
    utf8 = utf8Length(text, at) > 0;
  }
  return big5 || utf8;
}

// The text without the parsers' own error lines, which the console writes as they quote a file's
// bytes.
std::string withoutParserLines(const std::string& text) {
  static const char* const parsers[] = {"Program(",       "Statementlist(",  "ExpressionStatement(",
                                        "LoopStatement(", "Syntax error at", "Term("};
  std::string kept;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string line = text.substr(start, end - start);
    bool parser = false;
    for (const char* prefix : parsers) parser = parser || line.rfind(prefix, 0) == 0;
    if (!parser) kept += line + "\n";
    start = end + 1;
  }
  return kept;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  check(mkdtemp(folder) != nullptr && chdir(folder) == 0);
  std::atexit(removeFolder);
  std::ofstream("a.txt") << "BEGIN a+b; LOOP n a*b; END END\n";
  std::ofstream("b.txt") << "BEGIN LOOP n LOOP 3 x; END END\n";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  if (input.find('/') != std::string::npos) return 0;
  const std::size_t end = std::min(input.find(std::string(2, '\0')), input.size());
  std::vector<std::string> arguments{"loopcost"};
  for (std::size_t start = 0; start < end;) {
    const std::size_t stop = std::min(input.find('\0', start), end);
    arguments.push_back(input.substr(start, stop - start));
    start = stop + 1;
  }
  std::istringstream in(end < input.size() ? input.substr(end + 2) : "");
  std::ostringstream out, err;
  setenv("LANG", size % 2 == 1 ? "zh_TW.UTF-8" : "C.UTF-8", 1);
  const CommandLine commandLine = readCommandLine(arguments, environmentLanguage());
  if (commandLine.options && commandLine.options->lsp) return 0;
  const int status = run(commandLine, environmentLanguage(), in, out, err);
  check(status == 0 || status == 1 || status == 2);
  if (status == 2) check(out.str().empty() && err.str().rfind("loopcost: ", 0) == 0);
  check(inOneEncoding(out.str()) && inOneEncoding(withoutParserLines(err.str())));
  return 0;
}

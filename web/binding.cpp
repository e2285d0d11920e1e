// The playground's way into the core: the page hands over a program's text and its cost models
// and gets back what the core makes of them.
#include <emscripten/bind.h>
#include <malloc.h>

#include <sstream>
#include <string>

#include "statements/program.h"
#include "support/syntaxerror.h"

namespace {

struct SyntaxErrorLine {
  std::string line;
};

void throwInstead(const std::string& line) { throw SyntaxErrorLine{line}; }

// Interim form until the JSON report is available: "ok\n" and the echo, or "error\n" and the
// parser's line.
std::string analyse(const std::string& text, const std::string&) {
  setSyntaxErrorHandler(throwInstead);
  std::istringstream in(text);
  try {
    const Program program(in);
    std::ostringstream echo;
    program.print(echo);
    return "ok\n" + echo.str();
  } catch (const SyntaxErrorLine& error) {
    return "error\n" + error.line;
  }
}

// Bytes the allocator has handed out and not taken back; analysing a program must leave it as
// it found it.
unsigned heapBytesInUse() { return static_cast<unsigned>(mallinfo().uordblks); }

}  // namespace

EMSCRIPTEN_BINDINGS(loopcost) {
  emscripten::function("analyse", &analyse);
  emscripten::function("heapBytesInUse", &heapBytesInUse);
}

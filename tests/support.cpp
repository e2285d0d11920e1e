#include "tests/support.h"

#include "support/syntaxerror.h"

namespace {

struct SyntaxErrorLine {
  std::string line;
};

void throwLine(const std::string& line) { throw SyntaxErrorLine{line}; }

}  // namespace

std::string syntaxErrorOf(const std::function<void()>& parse) {
  const SyntaxErrorHandler previous = setSyntaxErrorHandler(throwLine);
  std::string line;
  try {
    parse();
  } catch (const SyntaxErrorLine& error) {
    line = error.line;
  }
  setSyntaxErrorHandler(previous);
  return line;
}

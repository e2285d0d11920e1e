#include "tests/support.h"

#include "support/syntaxerror.h"

std::string syntaxErrorOf(const std::function<void()>& parse) {
  const SyntaxErrorsThrow throwing;  // the handler before is back on every path
  try {
    parse();
  } catch (const SyntaxError& error) {
    return error.line;
  }
  return "";
}

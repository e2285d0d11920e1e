#include "support/syntaxerror.h"

#include <cstdlib>
#include <iostream>
#include <utility>

namespace {

void writeLineAndExit(const SyntaxError& error) {
  std::cerr << error.line << std::endl;
  std::exit(1);
}

void throwError(const SyntaxError& error) { throw error; }

SyntaxErrorHandler currentHandler = writeLineAndExit;

}  // namespace

void syntaxError(const std::string& line, Expected expected, const char* at) {
  currentHandler(SyntaxError{line, expected, at});
  std::exit(1);  // a handler that returns still must not let the parse go on
}

void syntaxErrorAt(const std::string& prefix, const std::string& found, Expected expected,
                   const char* at) {
  syntaxError(prefix + found + "'", expected, at);
}

SyntaxErrorHandler setSyntaxErrorHandler(SyntaxErrorHandler handler) {
  return std::exchange(currentHandler, handler);
}

SyntaxErrorsThrow::SyntaxErrorsThrow() : previous(setSyntaxErrorHandler(throwError)) {}

SyntaxErrorsThrow::~SyntaxErrorsThrow() { setSyntaxErrorHandler(previous); }

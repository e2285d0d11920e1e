#include "support/syntaxerror.h"

#include <cstdlib>
#include <iostream>
#include <utility>

namespace {

void writeLineAndExit(const std::string& line) {
  std::cerr << line << std::endl;
  std::exit(1);
}

void throwLine(const std::string& line) { throw SyntaxError{line}; }

SyntaxErrorHandler currentHandler = writeLineAndExit;

}  // namespace

void syntaxError(const std::string& line) {
  currentHandler(line);
  std::exit(1);  // a handler that returns still must not let the parse go on
}

void syntaxErrorAt(const std::string& prefix, const std::string& found) {
  syntaxError(prefix + found + "'");
}

SyntaxErrorHandler setSyntaxErrorHandler(SyntaxErrorHandler handler) {
  return std::exchange(currentHandler, handler);
}

SyntaxErrorsThrow::SyntaxErrorsThrow() : previous(setSyntaxErrorHandler(throwLine)) {}

SyntaxErrorsThrow::~SyntaxErrorsThrow() { setSyntaxErrorHandler(previous); }

#pragma once

#include <string>

// How a parser stops at a syntax error. By default the line goes to the standard error stream
// and the process exits with status 1, as a parser used on its own stops; the tool, its tests and
// the fuzzers install a handler that throws instead (SyntaxErrorsThrow), so that the caller
// decides what to write and where the parse stopped.
using SyntaxErrorHandler = void (*)(const std::string& line);

// Hands the complete error line to the handler; never returns.
[[noreturn]] void syntaxError(const std::string& line);

// The usual error line: the parser's own text (ending in "at '"), what it found, and "'".
[[noreturn]] void syntaxErrorAt(const std::string& prefix, const std::string& found);

// Installs a handler, which must throw or end the process; returns the previous one.
SyntaxErrorHandler setSyntaxErrorHandler(SyntaxErrorHandler handler);

// What a parser stopped at, when syntax errors throw.
struct SyntaxError {
  std::string line;
};

// While alive, syntax errors throw SyntaxError instead of ending the process; the handler in
// place before is restored on every path.
class SyntaxErrorsThrow {
 public:
  SyntaxErrorsThrow();
  SyntaxErrorsThrow(const SyntaxErrorsThrow&) = delete;
  SyntaxErrorsThrow& operator=(const SyntaxErrorsThrow&) = delete;
  ~SyntaxErrorsThrow();

 private:
  SyntaxErrorHandler previous;
};

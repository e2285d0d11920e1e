#pragma once

#include <string>

// How a parser stops at a syntax error. By default the line goes to the standard error stream
// and the process exits with status 1, as a parser used on its own stops; the tool, its tests and
// the fuzzers install a handler that throws instead (SyntaxErrorsThrow), so that the caller
// decides what to write and where the parse stopped.

// What a parser expected where it stopped, so that a person can be told.
enum class Expected {
  begin,           // the program's BEGIN
  end,             // the program's END after its last statement
  statement,       // a statement: a lowercase letter or LOOP
  firstStatement,  // a list's first statement, where END came
  count,           // a LOOP count: n or a whole number
  countNotRange,   // a LOOP count, where a range "i = ..." stands
  countSize,       // a count that fits 32 bits
  loop,            // the keyword LOOP
  loopEnd,         // the END of a loop
  nesting,         // fewer nested loops
  semicolon,       // the ';' that ends a statement
  expression,      // a character of an expression: a lowercase letter, '+' or '*'
  term,            // a term on each side of a '+'
  operation,       // '+' or '*' between two variables
  keywordCase,     // a keyword in capitals, where it stands in small letters
  extendedCount,   // a count of the extended dialect: a sum, or a range "i = a TO b"
  to,              // the TO of a range
  unknownIndex,    // a letter in a count that is the index of a LOOP around it
  reboundIndex,    // a range's index that no LOOP around it binds already
  nIndex,          // a range's index other than n
  groups,          // fewer nested parentheses in a count
  logOfN,          // n after log, the only logarithm a count may take
};

// What a parser stopped at, when syntax errors throw.
struct SyntaxError {
  std::string line;  // the parser's own error line
  Expected expected;
  const char* at;  // from a sum or a product: where in the text it was given it stopped
};

using SyntaxErrorHandler = void (*)(const SyntaxError& error);

// Hands the error to the handler; never returns.
[[noreturn]] void syntaxError(const std::string& line, Expected expected, const char* at = nullptr);

// The usual error line: the parser's own text (ending in "at '"), what it found, and "'".
[[noreturn]] void syntaxErrorAt(const std::string& prefix, const std::string& found,
                                Expected expected, const char* at = nullptr);

// Installs a handler, which must throw or end the process; returns the previous one.
SyntaxErrorHandler setSyntaxErrorHandler(SyntaxErrorHandler handler);

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

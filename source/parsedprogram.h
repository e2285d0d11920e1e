#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <streambuf>
#include <string>
#include <utility>
#include <vector>

#include "statements/program.h"
#include "statements/sourcespans.h"

// What a parse notes of where things stand in the text: the console, which prints the parser's
// own line, needs nothing; an error's FILE:LINE:COLUMN needs the problem's place and the lines;
// an editor or a page also every statement's place.
enum class Places { none, problem, statements };

// A program text parsed: the tree with where its statements stand, or why the parse stopped.
struct ParsedProgram {
  std::unique_ptr<Program> program;     // null when the parse stopped
  SourceSpans spans;                    // with the problem, when the parse stopped
  std::vector<std::size_t> lineStarts;  // where the text's lines start, as far as read
  std::optional<std::size_t> tail;      // where non-blank text after the program's END begins
  std::string error;                    // the parser's own error line
  int openError = 0;  // the errno of a file that could not be opened: the text was empty
  int readError = 0;  // the errno of a read that failed, which ended the text
  Dialect dialect = Dialect::classic;

  bool ok() const { return program != nullptr; }
  bool syntaxError() const { return !ok() && openError == 0 && readError == 0; }
  // The line and the column, both from 1, the column in bytes, of a place in the text read.
  std::pair<std::size_t, std::size_t> lineAndColumn(std::size_t offset) const;
};

// The one way into the parsers: the program that `source` holds, a UTF-8 byte-order mark at its
// start skipped. With the statements' places, the whole text is read, for its lines and for what
// follows the program. A syntax error comes back in the result; running out of memory throws
// std::bad_alloc, after the parsers have freed what they built.
ParsedProgram parseProgram(std::streambuf& source, Places places,
                           Dialect dialect = Dialect::classic);

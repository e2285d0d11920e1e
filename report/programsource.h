#pragma once

#include <memory>
#include <streambuf>
#include <string>

#include "report/sourcebuffer.h"
#include "statements/program.h"

// A program parsed from a stream, or where and why the parse stopped.
struct ParsedProgram {
  std::unique_ptr<Program> program;  // null when the parse stopped
  std::string error;                 // the parser's error line, as the parser wrote it
  SourceBuffer::Position position;   // where the parser stopped reading
  int readError = 0;                 // the errno of a read that failed, which ended the input
};

// Parses the program that `source` holds. Syntax errors come back in the result; running out of
// memory throws std::bad_alloc, after the parsers have freed what they built.
ParsedProgram parseProgram(std::streambuf& source);

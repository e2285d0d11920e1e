#pragma once

#include <optional>
#include <streambuf>
#include <string>
#include <vector>

#include "analysis/costmodel.h"
#include "cost/polynomial.h"
#include "report/sourcebuffer.h"

// What the tool found in one program file: its echo and its cost under each model, or why it
// could not be analysed.
struct FileReport {
  struct Error {
    std::string message;  // the parser's line, a system error text, or "out of memory"
    std::optional<SourceBuffer::Position> position;  // where the parser stopped reading
  };

  std::string file;
  std::optional<Error> error;
  std::string echo;                // the program as the tool writes it back
  std::vector<Polynomial> costs;   // one per model, in single precision
};

// Parses and prices the program that `source` holds; syntax errors, failed reads and running
// out of memory become the report's error instead of ending the process.
FileReport reportOn(const std::string& file, std::streambuf& source,
                    const std::vector<CostModel>& models);

// A file that could not be opened: `errorNumber` is the errno of the failure.
FileReport unopenable(const std::string& file, int errorNumber);

// `text` with each byte between its first and last "'" that is not printable ASCII written as
// \xHH, so that invisible characters show.
std::string withVisibleQuotes(const std::string& text);

#pragma once

#include <optional>
#include <streambuf>
#include <string>
#include <vector>

#include "analysis/costmodel.h"
#include "analysis/programanalysis.h"
#include "cost/polynomial.h"
#include "report/sourcebuffer.h"

class Program;

// A program's cost under each model, as the tool prints it (single precision) and exactly.
struct ProgramCosts {
  std::vector<Polynomial> printed;  // one per model
  ProgramAnalysis exact;            // its costs are empty where `printed` is certainly exact
};

// `perStatement` asks for the whole analysis. Without it the exact totals are computed only
// where the single-precision costs might be wrong (else `exact` stays empty).
ProgramCosts costsOf(const Program& program, const std::vector<CostModel>& models,
                     bool perStatement);

// What Polynomial::print writes, without the line end.
std::string printedLine(const Polynomial& cost);

// One line per model whose printed cost differs from its exact cost printed the same way, e.g.
// "CPU1(2,4): single precision prints 3.4e+07, the exact cost is 4e+07".
std::vector<std::string> precisionWarnings(const ProgramCosts& costs,
                                           const std::vector<CostModel>& models);

// What the tool found in one program file: its echo and its cost under each model, or why it
// could not be analysed.
struct FileReport {
  struct Error {
    std::string message;  // the parser's line, a system error text, or "out of memory"
    std::optional<SourceBuffer::Position> position;  // where the parser stopped reading
  };

  std::string file;
  std::optional<Error> error;
  std::string echo;  // the program as the tool writes it back
  ProgramCosts costs;
};

// Parses and prices the program that `source` holds; syntax errors, failed reads and running
// out of memory become the report's error instead of ending the process.
FileReport reportOn(const std::string& file, std::streambuf& source,
                    const std::vector<CostModel>& models, bool perStatement);

// A file that could not be opened: `errorNumber` is the errno of the failure.
FileReport unopenable(const std::string& file, int errorNumber);

// `text` with each byte between its first and last "'" that is not printable ASCII written as
// \xHH, so that invisible characters show.
std::string withVisibleQuotes(const std::string& text);

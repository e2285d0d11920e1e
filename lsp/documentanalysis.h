#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/costmodel.h"
#include "lsp/lineindex.h"
#include "report/programsource.h"

// A statement of a document with what the tool says of it, placed in the text: all that the
// language server's hovers, lenses and hints show.
struct PlacedStatement {
  bool loop = false;
  std::size_t start = 0;        // bytes from the text's start to its first character
  std::size_t end = 0;          // to the character after its ';' or its END
  std::size_t hintAt = 0;       // after its ';', or after its loop's count: where a hint goes
  std::string echo;             // its first line as the echo writes it: "a + b * c ;", "LOOP n"
  std::string runs;             // how often it runs: "n^2"
  std::uint64_t additions = 0;  // an expression statement's, per run
  std::uint64_t multiplications = 0;
  std::vector<std::string> costs;  // per model, in full; a loop's: its whole body's
};

// The program as a whole: its exact cost, growth and comparison per model, in words.
struct ProgramSummary {
  std::size_t begin = 0;  // bytes to BEGIN
  std::vector<std::string> costs;
  std::vector<std::string> growth;
  std::vector<std::string> cheapest;
};

// What the tool says about one version of a document's text: parsed at once, so that the syntax
// error and the precision warnings are known; the statements' costs worked out when first asked
// for, and kept.
class DocumentAnalysis {
 public:
  DocumentAnalysis(std::string text, std::vector<CostModel> models, LineIndex::Units units);
  DocumentAnalysis(const DocumentAnalysis&) = delete;
  DocumentAnalysis& operator=(const DocumentAnalysis&) = delete;

  const std::string& text() const { return source; }
  const LineIndex& lines() const { return index; }
  const std::vector<CostModel>& costModels() const { return models; }
  const ParsedProgram& parse() const { return parsed; }
  std::size_t errorOffset() const;            // where the parse stopped, when it did
  std::vector<std::string> warnings() const;  // single precision that prints a wrong cost
  std::string echo() const;  // the program as the tool writes it back; needs a parse

  // Needs a parse; throws std::bad_alloc when memory runs out.
  const std::vector<PlacedStatement>& statements();
  const ProgramSummary& program();

 private:
  void place();

  std::string source;
  LineIndex index;
  std::vector<CostModel> models;
  ParsedProgram parsed;
  std::vector<long long> starts;  // each statement's first character, in the order of the echo
  std::optional<std::vector<PlacedStatement>> placed;
  ProgramSummary summary;
};

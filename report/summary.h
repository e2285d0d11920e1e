#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/analysedprogram.h"
#include "analysis/programset.h"
#include "report/wording.h"
#include "support/words.h"

// The classroom's views of many files: a line per file (--summary) and each file graded against
// a reference program (--reference), written after the files as tables: aligned columns on a
// terminal, else separated by tabs, for a spreadsheet. Worded in the language of `words`.
class TextTable {
 public:
  explicit TextTable(std::vector<std::string> header);
  void add(std::vector<std::string> cells);
  std::size_t size() const { return rows.size(); }  // the header's row counted
  void truncate(std::size_t size) { rows.resize(size); }
  // Aligned for the encoding of `words`, or separated by tabs.
  void write(std::ostream& out, bool aligned, const Words& words) const;

 private:
  std::vector<std::vector<std::string>> rows;  // the header first
};

// A file graded against the reference: under each model, how the two grow and for which n the
// file is cheaper, exactly; or why it could not be graded.
struct Grade {
  std::string file;
  std::optional<FileError> error;               // none when graded
  std::vector<Growth> growth, referenceGrowth;  // per model
  std::optional<ProgramSet> pair;               // the reference and the file, compared
};

// `program` graded against `reference`, which must be ok().
Grade graded(const std::string& file, const AnalysedProgram& program,
             const AnalysedProgram& reference, const Words& words);

// "error 4:7 expected ';' at the end of the statement", or "error: " and the reason a file was
// not read.
std::string errorCell(const FileError& error, const Words& words);

TextTable summaryTable(const std::vector<CostModel>& models, const Words& words);
// The file's line of the summary: its name, "ok" or its error, its growth, its exact costs.
std::vector<std::string> summaryCells(const std::string& file, const AnalysedProgram& program,
                                      const Words& words);

TextTable gradeTable(const std::string& reference, const Words& words);
// A line per model: "same growth Θ(n^2) as the reference; cheaper for every n >= 3".
void addGradeCells(TextTable& table, const Grade& grade, const std::vector<CostModel>& models,
                   const Words& words);
// The verdict of a grade under model `m`.
std::string verdict(const Grade& grade, std::size_t m, const Words& words);

#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>

#include "analysis/analysedprogram.h"
#include "analysis/programset.h"
#include "support/words.h"

// The line written after each program's output.
constexpr const char* SEPARATOR = "=============================================\n";

// How the text reports are written.
struct TextLayout {
  Words words;                       // of the stream the reports go to
  bool explain = false;              // the annotated listing after the costs
  std::optional<std::size_t> width;  // the terminal's, when the output is one
};

// What the tool writes for one program: the echo, then each model's label, "執行時間 = " and its
// cost on the next line; when explaining, the annotated listing; then the separator. Costs that
// single precision prints wrongly, and a comparison over the work limit, get a warning on `err`
// after "loopcost: " and `where` (empty, or "FILE: "). A program of the extended dialect gets its
// exact costs with the n from which they hold, and must not have been refused.
void writeProgramReport(std::ostream& out, std::ostream& err, const std::string& where,
                        const AnalysedProgram& program, const TextLayout& layout);

// For each model, "cheapest program under CPU1(2,4):" and the ranges in words; when explaining,
// also each program's exact cost on both sides of every boundary between ranges. The set must
// have been compared without a shortfall other than the work limit.
void writeComparison(std::ostream& out, const ProgramSet& programs,
                     const std::vector<CostModel>& models, bool explain, const Words& words);

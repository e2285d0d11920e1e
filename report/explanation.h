#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>

#include "analysis/analysedprogram.h"
#include "support/words.h"

// Writes the analysis of a program for a person at a terminal: the echo annotated line by line
// (runs, additions and multiplications per run, cost under each model; a loop's header carries
// the loop's total), then the exact totals, the growth and which model is cheapest for which n.
// In the language of `words`, aligned for its encoding. `width` is the terminal's, when the output
// is one: a table wider than that has its long cells cut with "...". Written as it goes, in two
// passes over the rows, the first for the widths of the columns.
void writeExplanation(std::ostream& out, const AnalysedProgram& program, const Words& words,
                      std::optional<std::size_t> width);

#pragma once

#include <ostream>

#include "analysis/analysedprogram.h"
#include "support/words.h"

// Writes the analysis of a program of the extended dialect for a person: the echo line by line
// with how often each line runs and what it costs under each model, each with the n from which
// it holds; which model is cheapest for which n; then each model's costs for the n below where
// its polynomial holds, one line per n. In the language of `words`. The program must not have been
// refused.
void writeCountsExplained(std::ostream& out, const AnalysedProgram& program, const Words& words);

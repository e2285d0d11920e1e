#pragma once

#include <string>
#include <vector>

#include "analysis/costmodel.h"
#include "analysis/programanalysis.h"

// The analysis for a person at a terminal: the echo annotated line by line (runs, additions and
// multiplications per run, cost under each model; a loop's header carries the loop's total),
// then the exact totals, the growth and which model is cheapest for which n. `theta` is the
// letter Θ in the output's encoding.
std::string explanation(const std::string& echo, const ProgramAnalysis& analysis,
                        const std::vector<CostModel>& models, const std::string& theta);

// "1", "n^2", "1000 * n^2" or "0": how often a line runs, exactly.
std::string runsText(const Runs& runs);

// The comparison in words, one line per range of n, e.g. "for every n >= 1: CPU2(1,5) is cheaper".
std::vector<std::string> comparisonInWords(const ProgramAnalysis& analysis,
                                           const std::vector<CostModel>& models);

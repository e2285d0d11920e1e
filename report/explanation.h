#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/comparison.h"
#include "analysis/costmodel.h"
#include "analysis/programanalysis.h"

// Why a comparison was not computed, as the tool says it.
std::string comparisonSkipped();

// Writes the analysis for a person at a terminal: the echo annotated line by line (runs,
// additions and multiplications per run, cost under each model; a loop's header carries the
// loop's total), then the exact totals, the growth and which model is cheapest for which n.
// `theta` is the letter Θ in the output's encoding. Written as the rows come: two walks of the
// program, the first for the widths of the columns.
void writeExplanation(std::ostream& out, const ProgramAnalysis& analysis,
                      const std::vector<CostModel>& models,
                      const std::optional<std::vector<CheapestRange>>& comparison,
                      const std::string& theta);

// "1", "n^2", "1000 * n^2" or "0": how often a line runs, exactly.
std::string runsText(const Runs& runs);

// The comparison in words, one line per range of n, e.g. "for every n >= 1: CPU2(1,5) is
// cheaper", naming the costs by `names`; one line saying why when it was not computed.
std::vector<std::string> comparisonInWords(
    const std::optional<std::vector<CheapestRange>>& comparison,
    const std::vector<std::string>& names);

std::vector<std::string> namesOf(const std::vector<CostModel>& models);

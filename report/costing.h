#pragma once

#include <string>
#include <vector>

#include "analysis/costmodel.h"
#include "analysis/exactpolynomial.h"
#include "cost/polynomial.h"

class Program;
class ProgramAnalysis;

// A program's cost under each model as the tool prints it (single precision), and exactly.
struct ProgramCosts {
  std::vector<Polynomial> printed;     // one per model
  std::vector<ExactPolynomial> exact;  // one per model; none where `printed` is certainly exact
};

// The printed costs; the exact ones from `analysis` when given, else computed only where the
// single-precision costs might be wrong.
ProgramCosts costsOf(const Program& program, const std::vector<CostModel>& models,
                     const ProgramAnalysis* analysis);

// What Polynomial::print writes, without the line end.
std::string printedLine(const Polynomial& cost);

// One line per model whose printed cost differs from its exact cost printed the same way, e.g.
// "CPU1(2,4): single precision prints 6.7e+07, the exact cost is 67508864".
std::vector<std::string> precisionWarnings(const ProgramCosts& costs,
                                           const std::vector<CostModel>& models);

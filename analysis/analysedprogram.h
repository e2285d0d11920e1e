#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/comparison.h"
#include "analysis/costmodel.h"
#include "analysis/exactpolynomial.h"
#include "analysis/growth.h"
#include "analysis/loopcounts.h"
#include "analysis/statementrows.h"
#include "cost/polynomial.h"
#include "source/parsedprogram.h"

// One program text and everything the tool works out about it, once: the parse with where the
// statements stand, each model's cost as the tool prints it (single precision) and exactly, the
// statements' rows, the growth and which model is cheapest for which n. The exact parts are
// worked out when first asked for and kept. Every front end shows this value; none parses or
// analyses a text again.
class AnalysedProgram {
 public:
  AnalysedProgram(ParsedProgram parsed, std::vector<CostModel> models);

  const ParsedProgram& parse() const { return parsed; }
  bool ok() const { return parsed.ok(); }
  // The rest needs ok().
  const Program& program() const { return *parsed.program; }
  const std::vector<CostModel>& models() const { return costModels; }
  const std::vector<Polynomial>& printed() const { return single; }  // per model
  const std::vector<ExactPolynomial>& exact() const;                 // per model
  std::vector<Growth> growth() const;                                // per model
  const StatementRows& rows() const;
  // The cheapest model(s) for every n >= 0; none when the work limit came first.
  const std::optional<std::vector<CheapestRange>>& cheapest() const;
  // The models whose printed cost differs from their exact cost printed the same way.
  std::vector<std::size_t> imprecise() const;
  // Whether a LOOP count is one that only the extended dialect reads (n - 1, i = 1 TO n, ...).
  // Such a program's costs hold from an n on; printed() and exact() are then their polynomials,
  // printed() without the terms of log n, which single precision has no place for.
  bool extended() const { return usesExtended; }
  // Each statement's runs and each model's cost over every n >= 0, or why there are none.
  const LoopCounts& counts() const;
  // Each model's cost over every n >= 0: a classic program's polynomial holds from n = 0.
  std::vector<ExactCount> exactCounts() const;

 private:
  bool certainlyExact(std::size_t model) const;

  ParsedProgram parsed;
  std::vector<CostModel> costModels;
  std::vector<Polynomial> single;
  mutable std::optional<std::vector<ExactPolynomial>> totals;
  mutable std::unique_ptr<StatementRows> statementRows;
  mutable std::optional<std::optional<std::vector<CheapestRange>>> ranges;
  bool usesExtended = false;
  mutable std::unique_ptr<LoopCounts> loopCounts;
};

// What Polynomial::print writes, without the line end.
std::string printedLine(const Polynomial& cost);

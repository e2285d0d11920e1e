#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/comparison.h"
#include "analysis/costmodel.h"
#include "analysis/exactpolynomial.h"

// How programs compare under each cost model: for every whole number n >= 0, which of them is
// cheapest, exactly.
class ProgramComparison {
 public:
  // costs[p][m]: program p's exact cost under model m.
  ProgramComparison(std::vector<std::string> names, std::vector<std::vector<ExactPolynomial>> costs,
                    const std::vector<CostModel>& models);

  const std::vector<std::string>& programs() const { return names; }
  // Per model, the cheapest programs' ranges of n; none when the work limit came first.
  const std::vector<std::optional<std::vector<CheapestRange>>>& ranges() const { return byModel; }
  bool complete() const;  // every model's ranges are known
  // Program p's exact cost under model m.
  const ExactPolynomial& cost(std::size_t p, std::size_t m) const { return costs[p][m]; }

  // For each model, "cheapest program under CPU1(2,4):" and the ranges in words; with
  // `explain`, also each program's exact cost on both sides of every boundary between ranges.
  void write(std::ostream& out, const std::vector<CostModel>& models, bool explain) const;

 private:
  std::vector<std::string> names;
  std::vector<std::vector<ExactPolynomial>> costs;
  std::vector<std::optional<std::vector<CheapestRange>>> byModel;
};

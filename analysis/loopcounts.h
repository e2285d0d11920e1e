#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "analysis/costmodel.h"
#include "analysis/exactcount.h"
#include "analysis/statementrows.h"

// How often each statement runs and what the program costs under each model, exactly for every
// n >= 0, for programs whose LOOP counts may use n - 1, 2 * n, log n or the indices of the LOOPs
// around: each LOOP's body count is summed over the LOOPs around it, inside out, and where a
// range may be empty its pieces are split. A program with no single polynomial, or whose range
// cannot be established within the work limit, is refused, and nothing else is given.
class LoopCounts {
 public:
  LoopCounts(const StatementRows& rows, const std::vector<CostModel>& models);

  const std::optional<CountRefusal>& refusal() const { return refused; }
  // The rest needs no refusal.
  const ExactCount& runs(std::size_t row) const;  // how often the row's statement runs
  const std::vector<ExactCount>& totals() const { return sums; }  // per model
  // The row's cost under the model over all its runs; a loop's: its whole body's.
  ExactCount cost(std::size_t row, std::size_t model) const;

 private:
  ExactCount bodyRuns(std::size_t loop) const;
  // What the expression statements of a list cost in one run of it, per model.
  std::vector<Rational> directCosts(const Operations& operations) const;
  std::vector<std::pair<Rational, const ExactCount*>> costTerms(std::size_t firstRow,
                                                                std::size_t endRow,
                                                                std::size_t model) const;

  const StatementRows& table;
  std::vector<CostModel> models;
  std::vector<std::size_t> loopRows;   // each loop's row
  ExactCount once;                     // the program's own list runs once
  std::vector<ExactCount> loopBodies;  // how often each loop's body runs
  std::vector<ExactCount> sums;
  std::optional<CountRefusal> refused;
  mutable CountWork work;
};

#pragma once

// References that the tests and the fuzz targets check the analysis against; they use no test
// framework, so that both can.
#include <cstddef>
#include <utility>
#include <vector>

#include "analysis/exactpolynomial.h"
#include "analysis/programanalysis.h"

// The indexes of the costs that are least at n, by evaluating them exactly.
std::vector<std::size_t> cheapestByEvaluation(const std::vector<ExactPolynomial>& costs,
                                              const Integer& n);

// Adds up the expression statements' rows as a walk goes, overall and inside each open loop,
// and compares each loop's own row with its body's sum when its END comes.
class RowSums : public RowVisitor {
 public:
  explicit RowSums(std::size_t models) : total(models) {}

  void statement(const StatementAnalysis& row) override;
  void end(int line, int depth) override;

  std::vector<ExactPolynomial> total;  // per model
  bool loopsAddUp = true;

 private:
  // A loop's own costs, and what its body's statements have added up to so far.
  std::vector<std::pair<std::vector<ExactPolynomial>, std::vector<ExactPolynomial>>> open;
};

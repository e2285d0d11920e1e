#include "tests/analysischecks.h"

std::vector<std::size_t> cheapestByEvaluation(const std::vector<ExactPolynomial>& costs,
                                              const Integer& n) {
  std::vector<std::size_t> cheapest;
  Rational least;
  for (std::size_t i = 0; i < costs.size(); ++i) {
    const Rational value = costs[i].valueAt(n);
    if (cheapest.empty() || value < least) {
      cheapest.clear();
      least = value;
    }
    if (value == least) cheapest.push_back(i);
  }
  return cheapest;
}

void RowSums::statement(const StatementAnalysis& row) {
  if (row.kind == StatementAnalysis::Kind::loop) {
    open.push_back({row.costs, std::vector<ExactPolynomial>(row.costs.size())});
    return;
  }
  for (std::size_t m = 0; m < row.costs.size(); ++m) {
    total[m].add(row.costs[m]);
    for (auto& loop : open) loop.second[m].add(row.costs[m]);
  }
}

void RowSums::end(int, int depth) {
  if (depth == 0) return;
  loopsAddUp = loopsAddUp && open.back().first == open.back().second;
  open.pop_back();
}

#include "report/programcomparison.h"

#include <utility>

#include "report/explanation.h"

ProgramComparison::ProgramComparison(std::vector<std::string> names,
                                     std::vector<std::vector<ExactPolynomial>> costs,
                                     const std::vector<CostModel>& models)
    : names(std::move(names)), costs(std::move(costs)) {
  for (std::size_t m = 0; m < models.size(); ++m) {
    std::vector<ExactPolynomial> underModel;
    for (const auto& program : this->costs) underModel.push_back(program[m]);
    byModel.push_back(cheapestRanges(underModel));
  }
}

bool ProgramComparison::complete() const {
  for (const auto& ranges : byModel) {
    if (!ranges) return false;
  }
  return true;
}

void ProgramComparison::write(std::ostream& out, const std::vector<CostModel>& models,
                              bool explain) const {
  for (std::size_t m = 0; m < models.size(); ++m) {
    out << "cheapest program under " << models[m].name << ":\n";
    for (const std::string& line : comparisonInWords(byModel[m], names)) {
      out << "  " << line << '\n';
    }
    if (!explain || !byModel[m]) continue;
    std::vector<Integer> boundaries;  // the last n of each range and the first of the next
    for (const CheapestRange& range : *byModel[m]) {
      if (!range.to) continue;
      if (boundaries.empty() || boundaries.back() != *range.to) boundaries.push_back(*range.to);
      boundaries.push_back(*range.to + 1);
    }
    for (const Integer& n : boundaries) {
      out << "  at n = " << decimal(n) << ':';
      for (std::size_t p = 0; p < names.size(); ++p) {
        out << (p == 0 ? " " : ", ") << names[p] << " costs "
            << decimalValue(costs[p][m].valueAt(n));
      }
      out << '\n';
    }
  }
}

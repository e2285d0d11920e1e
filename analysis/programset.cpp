#include "analysis/programset.h"

#include <new>

ProgramSet::ProgramSet(const std::vector<CostModel>& models) : modelCount(models.size()) {}

void ProgramSet::add(const std::string& name, const AnalysedProgram& program) {
  try {
    costs.push_back(program.exactCounts());
    names.push_back(name);
  } catch (const std::bad_alloc&) {
    outOfMemory = true;
  }
}

void ProgramSet::fail(const std::string& name) { failed.push_back(name); }

void ProgramSet::compare() {
  if (names.size() < 2 || outOfMemory) return;
  try {
    for (std::size_t m = 0; m < modelCount; ++m) {
      std::vector<ExactPolynomial> underModel;
      std::vector<ExactCount> counts;
      for (const auto& program : costs) {
        underModel.push_back(program[m].polynomial);
        counts.push_back(program[m]);
      }
      byModel.push_back(cheapestRanges(underModel));
      if (byModel.back()) byModel.back() = withValuesBelow(*byModel.back(), counts);
    }
  } catch (const std::bad_alloc&) {
    byModel.clear();
    byModel.shrink_to_fit();
    outOfMemory = true;
  }
}

ProgramSet::Shortfall ProgramSet::shortfall() const {
  if (outOfMemory) return Shortfall::memory;
  if (!failed.empty()) return Shortfall::failedPrograms;
  for (const auto& ranges : byModel) {
    if (!ranges) return Shortfall::workLimit;
  }
  return Shortfall::none;
}

const ExactCount& ProgramSet::cost(std::size_t program, std::size_t model) const {
  return costs[program][model];
}

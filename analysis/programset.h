#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "analysis/analysedprogram.h"
#include "analysis/comparison.h"

// Programs compared with each other, as --compare and the page's tabs compare them: for every
// whole number n >= 0 and each model, which of them is cheapest, exactly. Each program is added
// as it is analysed and only its exact costs are kept; those that failed are named. compare()
// then works the comparison of the programs added out once, for every front end to show.
class ProgramSet {
 public:
  // Why the programs were not all compared.
  enum class Shortfall {
    none,
    failedPrograms,  // some did not give a program: they are in failures(); the rest compared
    workLimit,       // some model's comparison would take more than the work limit
    memory,          // memory ran out while preparing or making the comparison
  };

  explicit ProgramSet(const std::vector<CostModel>& models);

  // A program that is ok(); when memory runs out keeping its costs, nothing is compared.
  void add(const std::string& name, const AnalysedProgram& program);
  void fail(const std::string& name);
  // Compares the programs added, when there are two or more; a comparison that runs out of
  // memory is said to have done so.
  void compare();
  bool compared() const { return !byModel.empty(); }

  const std::vector<std::string>& programs() const { return names; }  // those added, in order
  const std::vector<std::string>& failures() const { return failed; }
  Shortfall shortfall() const;
  // Per model, the cheapest programs' ranges of n; none where the work limit came first.
  const std::vector<std::optional<std::vector<CheapestRange>>>& ranges() const { return byModel; }
  const ExactCount& cost(std::size_t program, std::size_t model) const;

 private:
  std::size_t modelCount;
  std::vector<std::string> names;
  std::vector<std::vector<ExactCount>> costs;  // [program][model]
  std::vector<std::string> failed;
  std::vector<std::optional<std::vector<CheapestRange>>> byModel;
  bool outOfMemory = false;
};

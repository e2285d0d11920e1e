#include "report/costing.h"

#include <cmath>
#include <sstream>

#include "analysis/programanalysis.h"
#include "statements/program.h"

namespace {

// Whether single precision certainly computed this cost exactly, so that the exact count can be
// spared. With whole prices every cost is built from whole numbers by sums of non-negative terms
// and multiplications by counts, and a float holds every whole number up to 2^24 exactly: a step
// that rounded would have passed 2^24, and nothing after it makes a coefficient smaller.
bool provablyExact(const Polynomial& cost, const CostModel& model) {
  for (const Price& price : {model.addition, model.multiplication}) {
    if (!price.isWhole() || !price.singleIsExact()) return false;
  }
  for (int power = 0; power <= cost.getDegree(); ++power) {
    const float c = cost.coefficient(power);
    if (!(c >= 0.0f && c <= 16777216.0f && c == std::trunc(c))) return false;
  }
  return true;
}

}  // namespace

ProgramCosts costsOf(const Program& program, const std::vector<CostModel>& models,
                     const ProgramAnalysis* analysis) {
  ProgramCosts costs;
  bool exactAlready = true;
  for (const CostModel& model : models) {
    costs.printed.push_back(program.evaluate(model.context()));
    exactAlready = exactAlready && provablyExact(costs.printed.back(), model);
  }
  if (analysis != nullptr) {
    costs.exact = analysis->costs();
  } else if (!exactAlready) {
    costs.exact = ProgramAnalysis(program, models, false).costs();
  }
  return costs;
}

// One stream serves every call: setting up a stream's locale for each line of a run of many
// small files cost more than printing the line.
std::string printedLine(const Polynomial& cost) {
  static std::ostringstream text;
  text.str("");
  cost.print(text);
  std::string line = text.str();
  line.pop_back();
  return line;
}

std::vector<std::string> precisionWarnings(const ProgramCosts& costs,
                                           const std::vector<CostModel>& models) {
  std::vector<std::string> warnings;
  for (std::size_t i = 0; i < costs.exact.size(); ++i) {
    const std::string single = printedLine(costs.printed[i]);
    if (single != costs.exact[i].printedText()) {
      warnings.push_back(models[i].name + ": single precision prints " + single +
                         ", the exact cost is " + costs.exact[i].text());
    }
  }
  return warnings;
}

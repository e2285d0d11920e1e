#include "analysis/analysedprogram.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <utility>

#include "statements/loopstatement.h"

AnalysedProgram::AnalysedProgram(ParsedProgram parsed, std::vector<CostModel> models)
    : parsed(std::move(parsed)), costModels(std::move(models)) {
  if (!ok()) return;
  for (const StatementRows::Row& row :
       parsed.dialect == Dialect::extended ? rows().rows() : std::vector<StatementRows::Row>()) {
    const bool loop = row.loop >= 0;
    usesExtended =
        usesExtended ||
        (loop && static_cast<const LoopStatement*>(row.statement)->getExtendedCount() != nullptr);
  }
  if (!extended()) {
    for (const CostModel& model : costModels) single.push_back(program().evaluate(model.context()));
    return;
  }
  for (const ExactPolynomial& cost : exact()) {
    std::vector<float> coefficients;
    for (int power = 0; power <= cost.degree(); ++power) {
      coefficients.push_back(static_cast<float>(cost.coefficient(power)));
    }
    single.emplace_back(cost.degree(), coefficients.data());
  }
}

const std::vector<ExactPolynomial>& AnalysedProgram::exact() const {
  if (totals) return *totals;
  if (extended()) {
    totals.emplace();
    for (const ExactCount& total : counts().totals()) totals->push_back(total.polynomial);
    if (counts().refusal()) totals->resize(costModels.size());
  } else {
    totals = statementRows ? statementRows->totals() : exactTotals(program(), costModels);
  }
  return *totals;
}

std::vector<ExactCount> AnalysedProgram::exactCounts() const {
  if (extended()) return counts().totals();
  std::vector<ExactCount> costs;
  for (const ExactPolynomial& cost : exact()) costs.push_back(ExactCount::of(cost));
  return costs;
}

const LoopCounts& AnalysedProgram::counts() const {
  if (!loopCounts) loopCounts = std::make_unique<LoopCounts>(rows(), costModels);
  return *loopCounts;
}

std::vector<Growth> AnalysedProgram::growth() const {
  std::vector<Growth> growths;
  for (const ExactPolynomial& cost : exact()) growths.push_back(Growth::of(cost));
  return growths;
}

const StatementRows& AnalysedProgram::rows() const {
  if (!statementRows) statementRows = std::make_unique<StatementRows>(program(), costModels);
  return *statementRows;
}

const std::optional<std::vector<CheapestRange>>& AnalysedProgram::cheapest() const {
  if (ranges) return *ranges;
  ranges = cheapestRanges(exact());
  if (extended() && *ranges) *ranges = withValuesBelow(**ranges, counts().totals());
  return *ranges;
}

std::vector<std::size_t> AnalysedProgram::imprecise() const {
  std::vector<std::size_t> models;
  for (std::size_t m = 0; m < single.size(); ++m) {
    if (!certainlyExact(m) && printedLine(single[m]) != exact()[m].printedText()) {
      models.push_back(m);
    }
  }
  return models;
}

// With whole prices every cost is built from whole numbers by sums of non-negative terms and
// multiplications by counts, and a float holds every whole number up to 2^24 exactly: a step
// that rounded would have passed 2^24, and nothing after it makes a coefficient smaller. Such a
// cost needs no exact count to be checked.
bool AnalysedProgram::certainlyExact(std::size_t model) const {
  for (const Price& price : {costModels[model].addition, costModels[model].multiplication}) {
    if (!price.isWhole() || !price.singleIsExact()) return false;
  }
  const Polynomial& cost = single[model];
  for (int power = 0; power <= cost.getDegree(); ++power) {
    const float c = cost.coefficient(power);
    if (!(c >= 0.0f && c <= 16777216.0f && c == std::trunc(c))) return false;
  }
  return true;
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

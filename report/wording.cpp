#include "report/wording.h"

#include <cstring>
#include <sstream>

#include "report/quoting.h"
#include "statements/loopstatement.h"

namespace {

std::string rangeText(const CheapestRange& range) {
  if (!range.to) return "for every n >= " + decimal(range.from);
  if (*range.to == range.from) return "for n = " + decimal(range.from);
  return "for " + decimal(range.from) + " <= n <= " + decimal(*range.to);
}

// "a, b and c"
std::string listed(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
  }
  return text;
}

std::string cheapestText(const std::vector<std::size_t>& cheapest,
                         const std::vector<std::string>& names) {
  if (cheapest.size() == names.size() && names.size() > 1) {
    return names.size() == 2 ? "both cost the same" : "all cost the same";
  }
  std::vector<std::string> chosen;
  for (const std::size_t index : cheapest) chosen.push_back(names[index]);
  if (cheapest.size() > 1) return listed(chosen) + " cost the same and are cheapest";
  return chosen[0] + (names.size() == 2 ? " is cheaper" : " is cheapest");
}

}  // namespace

std::string runsText(const Runs& runs) {
  if (runs.factor == 0 || runs.power == 0) return decimal(runs.factor);
  const std::string power = "n^" + std::to_string(runs.power);
  return runs.factor == 1 ? power : decimal(runs.factor) + " * " + power;
}

// One stream serves every line, as for the cost lines.
std::string echoLine(const StatementRows::Row& row) {
  if (row.loop >= 0) return static_cast<const LoopStatement*>(row.statement)->header();
  static std::ostringstream text;
  text.str("");
  row.statement->print(text, 0);
  std::string line = text.str();
  line.pop_back();
  return line;
}

std::string growthText(Growth growth, const std::string& theta) {
  if (growth.degree < 0) return "0";
  return theta + "(" + (growth.degree == 0 ? "1" : "n^" + std::to_string(growth.degree)) + ")";
}

std::string workLimitReason() {
  return "comparing these costs exactly would take more than the work limit of " +
         std::to_string(COMPARISON_WORK_LIMIT) + " word operations on big numbers";
}

std::vector<std::string> comparisonInWords(const std::optional<std::vector<CheapestRange>>& ranges,
                                           const std::vector<std::string>& names) {
  if (!ranges) return {"not computed: " + workLimitReason()};
  std::vector<std::string> lines;
  for (const CheapestRange& range : *ranges) {
    lines.push_back(rangeText(range) + ": " + cheapestText(range.cheapest, names));
  }
  return lines;
}

std::vector<std::string> modelNames(const std::vector<CostModel>& models) {
  std::vector<std::string> names;
  for (const CostModel& model : models) names.push_back(model.name);
  return names;
}

std::vector<std::string> warnings(const AnalysedProgram& program) {
  std::vector<std::string> lines;
  for (const std::size_t m : program.imprecise()) {
    lines.push_back(program.models()[m].name + ": single precision prints " +
                    printedLine(program.printed()[m]) + ", the exact cost is " +
                    program.exact()[m].text());
  }
  return lines;
}

std::string failureMessage(const ParsedProgram& parsed) {
  if (parsed.openError != 0) return std::strerror(parsed.openError);
  if (parsed.readError != 0) return std::string("read error: ") + std::strerror(parsed.readError);
  return withVisibleQuotes(parsed.error);
}

std::optional<std::string> shortfallReason(const ProgramSet& programs) {
  switch (programs.shortfall()) {
    case ProgramSet::Shortfall::none:
      return std::nullopt;
    case ProgramSet::Shortfall::failedPrograms:
      return listed(programs.failures()) + (programs.failures().size() == 1 ? " was" : " were") +
             " not analysed";
    case ProgramSet::Shortfall::workLimit:
      return workLimitReason();
    case ProgramSet::Shortfall::memory:
      return std::string("memory ran out while making the comparison");
  }
  return std::nullopt;
}

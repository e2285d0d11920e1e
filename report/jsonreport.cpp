#include "report/jsonreport.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>

#include "analysis/growth.h"
#include "report/consoletexts.h"
#include "report/explanation.h"

using json = nlohmann::ordered_json;

namespace {

// Whole numbers as integers, other values as the shortest decimal that reads back to the same
// float (JSON has no infinity or NaN: those become null).
json number(float value) {
  if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 9.0e15f) {
    return static_cast<long long>(value);
  }
  return static_cast<double>(value);
}

json costJson(const Polynomial& cost) {
  json coefficients = json::array();
  for (int power = 0; power <= cost.getDegree(); ++power) {
    coefficients.push_back(number(cost.coefficient(power)));
  }
  return {{"text", printedLine(cost)}, {"coefficients", coefficients}};
}

json costJson(const ExactPolynomial& cost) {
  json coefficients = json::array();
  for (int power = 0; power <= std::max(cost.degree(), 0); ++power) {
    coefficients.push_back(decimalText(cost.coefficient(power)));
  }
  return {{"text", cost.text()}, {"coefficients", coefficients}};
}

json costsJson(const std::vector<ExactPolynomial>& costs) {
  json entries = json::array();
  for (const ExactPolynomial& cost : costs) entries.push_back(costJson(cost));
  return entries;
}

// A whole number of any size: a JSON number while it fits 64 bits, else its decimal string.
json integer(const Integer& value) {
  if (value >= 0 && value <= std::numeric_limits<std::uint64_t>::max()) {
    return value.convert_to<std::uint64_t>();
  }
  return value.str();
}

json statementJson(const StatementAnalysis& statement) {
  const bool loop = statement.kind == StatementAnalysis::Kind::loop;
  json entry = {
      {"line", statement.line}, {"kind", loop ? "loop" : "expression"}, {"depth", statement.depth}};
  if (loop) entry["count"] = statement.count == "n" ? json("n") : json(std::stoll(statement.count));
  entry["runs"] = {{"factor", statement.runs.factor.str()},
                   {"power", statement.runs.power},
                   {"text", runsText(statement.runs)}};
  if (!loop) {
    entry["additions"] = statement.additions;
    entry["multiplications"] = statement.multiplications;
  }
  entry["costs"] = costsJson(statement.costs);
  return entry;
}

json comparisonJson(const ProgramAnalysis& analysis, const std::vector<CostModel>& models) {
  if (!analysis.comparison) return nullptr;
  json ranges = json::array();
  for (const CheapestRange& range : *analysis.comparison) {
    json cheapest = json::array();
    for (const std::size_t model : range.cheapest) cheapest.push_back(models[model].name);
    ranges.push_back({{"from", integer(range.from)},
                      {"to", range.to ? integer(*range.to) : json(nullptr)},
                      {"cheapest", cheapest}});
  }
  return ranges;
}

json namesOf(const std::vector<std::size_t>& indexes, const std::vector<CostModel>& models) {
  json names = json::array();
  for (const std::size_t index : indexes) names.push_back(models[index].name);
  return names;
}

json crossingsJson(const ProgramAnalysis& analysis, const std::vector<CostModel>& models) {
  json crossings = json::array();
  if (!analysis.comparison) return crossings;
  for (const Crossing& crossing : crossingsOf(*analysis.comparison)) {
    crossings.push_back({{"n", integer(crossing.n)},
                         {"cheapest", namesOf(crossing.cheapest, models)},
                         {"tie", crossing.tie}});
  }
  return crossings;
}

void addAnalysis(json& entry, const ProgramAnalysis& analysis,
                 const std::vector<CostModel>& models) {
  json statements = json::array();
  for (const StatementAnalysis& statement : analysis.statements) {
    statements.push_back(statementJson(statement));
  }
  entry["statements"] = statements;
  entry["growth"] = analysis.growth;
  json growthTexts = json::array();
  for (const std::string& growth : analysis.growth) {
    growthTexts.push_back(growthText(growth, ConsoleTexts::utf8().theta));
  }
  entry["growthText"] = growthTexts;
  entry["comparison"] = comparisonJson(analysis, models);
  entry["crossings"] = crossingsJson(analysis, models);
  entry["comparisonInWords"] = comparisonInWords(analysis, models);
}

json errorJson(const FileReport::Error& error) {
  json entry = {{"message", error.message}};
  if (error.position) {
    entry["line"] = error.position->line;
    entry["column"] = error.position->column;
  }
  return entry;
}

json fileJson(const FileReport& report, const std::vector<CostModel>& models) {
  json entry = {{"file", report.file}, {"ok", !report.error}};
  if (report.error) {
    entry["error"] = errorJson(*report.error);
    return entry;
  }
  entry["program"] = report.echo;
  json modelEntries = json::array();
  for (std::size_t i = 0; i < models.size(); ++i) {
    modelEntries.push_back({{"name", models[i].name},
                            {"addition", json::parse(models[i].addition.text())},
                            {"multiplication", json::parse(models[i].multiplication.text())},
                            {"cost", costJson(report.costs.printed[i])},
                            {"exact", costJson(report.costs.exact.costs[i])}});
  }
  entry["models"] = modelEntries;
  addAnalysis(entry, report.costs.exact, models);
  return entry;
}

}  // namespace

std::string jsonDocument(const std::vector<FileReport>& reports,
                         const std::vector<CostModel>& models) {
  json files = json::array();
  for (const FileReport& report : reports) files.push_back(fileJson(report, models));
  const json document = {
      {"version", 1}, {"runningTimeLabel", ConsoleTexts::utf8().runningTime}, {"files", files}};
  // File names need not be UTF-8; their stray bytes become U+FFFD rather than an exception.
  return document.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

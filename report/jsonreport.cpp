#include "report/jsonreport.h"

#include <cmath>
#include <nlohmann/json.hpp>
#include <sstream>

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

std::string costText(const Polynomial& cost) {
  std::ostringstream text;
  cost.print(text);
  std::string line = text.str();
  line.pop_back();
  return line;
}

json costJson(const Polynomial& cost) {
  json coefficients = json::array();
  for (int power = 0; power <= cost.getDegree(); ++power) {
    coefficients.push_back(number(cost.coefficient(power)));
  }
  return {{"text", costText(cost)}, {"coefficients", coefficients}};
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
                            {"addition", number(models[i].addition)},
                            {"multiplication", number(models[i].multiplication)},
                            {"cost", costJson(report.costs[i])}});
  }
  entry["models"] = modelEntries;
  return entry;
}

}  // namespace

std::string jsonDocument(const std::vector<FileReport>& reports,
                         const std::vector<CostModel>& models) {
  json files = json::array();
  for (const FileReport& report : reports) files.push_back(fileJson(report, models));
  const json document = {{"version", 1}, {"files", files}};
  // File names need not be UTF-8; their stray bytes become U+FFFD rather than an exception.
  return document.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

#include "report/playground.h"

#include <sstream>
#include <vector>

#include "report/filereport.h"
#include "report/jsonreport.h"

namespace {

std::optional<std::vector<CostModel>> modelsFrom(const std::string& text) {
  if (text.empty()) return defaultModels();
  std::vector<std::pair<float, float>> prices;
  std::istringstream pairs(text);
  for (std::string pair; std::getline(pairs, pair, ';');) {
    const auto parsed = parsePrices(pair);
    if (!parsed) return std::nullopt;
    prices.push_back(*parsed);
  }
  return numberedModels(prices);
}

}  // namespace

std::string analyseProgramText(const std::string& text, const std::string& models) {
  const auto parsedModels = modelsFrom(models);
  if (!parsedModels) {
    FileReport report;
    report.file = "program";
    report.error = FileReport::Error{"cost models must be ADD,MUL pairs separated by ';'", {}};
    return jsonDocument({report}, {});
  }
  std::stringbuf source(text);
  return jsonDocument({reportOn("program", source, *parsedModels, true)}, *parsedModels);
}

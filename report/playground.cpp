#include "report/playground.h"

#include <sstream>
#include <vector>

#include "report/filereport.h"
#include "report/jsonreport.h"

namespace {

std::vector<std::string> pairsIn(const std::string& text) {
  std::vector<std::string> pairs;
  if (text.empty()) return pairs;
  std::istringstream list(text + ";");
  for (std::string pair; std::getline(list, pair, ';');) pairs.push_back(pair);
  return pairs;
}

}  // namespace

std::string analyseProgramText(const std::string& text, const std::string& models) {
  std::string problem;
  const auto parsedModels = modelsFrom(pairsIn(models), problem);
  if (!parsedModels) {
    FileReport report;
    report.file = "program";
    report.error = FileReport::Error{problem, {}};
    return jsonDocument({report}, {});
  }
  std::stringbuf source(text);
  return jsonDocument({reportOn("program", source, *parsedModels, true)}, *parsedModels);
}

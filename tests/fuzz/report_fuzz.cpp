// Coverage-guided fuzzing of what the tool writes about a program. The input's first line is the
// cost models ("2,4;0.5,3"), the rest the program. Findings: a JSON document that is not strict
// UTF-8 JSON or that says other things than the analysis, and an explanation that does not keep
// the plain output before it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>

#include "analysis/programanalysis.h"
#include "driver/options.h"
#include "driver/textoutput.h"
#include "report/consoletexts.h"
#include "report/costing.h"
#include "report/playground.h"
#include "tests/fuzz/fuzzing.h"

namespace {

void checkDocument(const std::string& programText, const std::string& modelsText) {
  const auto document = nlohmann::json::parse(analyseProgramText(programText, modelsText));
  const auto& entry = document.at("files").at(0);
  std::string problem;
  const auto models = modelsFrom(modelTexts(modelsText), problem);
  const auto program = parsedOrNull(programText);
  check(entry.at("ok") == (models && program));
  if (!entry.at("ok")) {
    check(!entry.at("error").at("message").get<std::string>().empty());
    check(entry.at("error").contains("line") == (models && !program));
    return;
  }
  const ProgramAnalysis analysis(*program, *models, true);
  const ProgramCosts costs = costsOf(*program, *models, &analysis);
  for (std::size_t m = 0; m < models->size(); ++m) {
    const auto& model = entry.at("models").at(m);
    check(model.at("name") == (*models)[m].name);
    check(model.at("cost").at("text") == printedLine(costs.printed[m]));
    check(model.at("exact").at("text") == analysis.costs()[m].text());
    check(model.at("exact").at("coefficients") == analysis.costs()[m].coefficientTexts());
  }
  check(entry.at("growth") == analysis.growth());
}

std::string written(const Program& program, const Options& options) {
  std::ostringstream out, err;
  writeProgramReport(out, err, "", program, options, ConsoleTexts::utf8());
  return out.str();
}

// The explanation comes after the costs and before the separator, and lists every line of the
// echo.
void checkExplanation(const std::string& programText, const std::string& modelsText) {
  std::string problem;
  Options options;
  const auto program = parsedOrNull(programText);
  if (!program) return;
  options.models = modelsFrom(modelTexts(modelsText), problem).value_or(defaultModels());
  const std::string plain = written(*program, options);
  options.explain = true;
  const std::string explained = written(*program, options);
  const std::string separator = SEPARATOR;
  const std::string kept = plain.substr(0, plain.size() - separator.size());
  check(explained.compare(0, kept.size(), kept) == 0);
  check(explained.compare(explained.size() - separator.size(), separator.size(), separator) == 0);
  std::ostringstream echo;
  program->print(echo);
  const std::string echoed = echo.str();
  const auto lines = std::count(echoed.begin(), echoed.end(), '\n');
  const std::string lastRow = std::to_string(lines) + "  END\n";
  const std::size_t totals = explained.find("exact cost and growth:\n", kept.size());
  check(totals != std::string::npos && totals >= kept.size() + lastRow.size());
  check(explained.compare(totals - lastRow.size(), lastRow.size(), lastRow) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [modelsText, programText] =
      firstLineAndRest(std::string(reinterpret_cast<const char*>(data), size));
  checkDocument(programText, modelsText);
  checkExplanation(programText, modelsText);
  return 0;
}

#include "report/playground.h"

#include <new>
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

#include "analysis/programanalysis.h"
#include "report/jsonreport.h"
#include "report/programcomparison.h"
#include "report/programsource.h"
#include "report/quoting.h"
#include "statements/program.h"

namespace {

struct Source {
  std::string name;
  std::string text;
};

// Each program's entry, and the comparison after them when there are two or more.
void analyse(const std::vector<Source>& sources, const std::vector<CostModel>& models,
             JsonReport& report) {
  std::vector<std::string> names;
  std::vector<std::vector<ExactPolynomial>> costs;
  std::string failed;
  for (const Source& source : sources) {
    std::stringbuf buffer(source.text);
    const ParsedProgram parsed = parseProgram(buffer);
    if (!parsed.program) {
      report.failed(source.name, withVisibleQuotes(parsed.error), parsed.position);
      failed += (failed.empty() ? "" : ", ") + source.name;
      continue;
    }
    report.analysed(source.name, *parsed.program);
    names.push_back(source.name);
    costs.push_back(ProgramAnalysis(*parsed.program, models, false).costs());
  }
  if (sources.size() < 2) return;
  if (!failed.empty()) return report.notCompared(failed + " did not parse");
  report.compared(ProgramComparison(std::move(names), std::move(costs), models));
}

// A document with one error entry per program, all saying `message`.
std::string failure(const std::vector<Source>& sources, const std::string& message) {
  const std::vector<CostModel> noModels;
  std::ostringstream text;
  JsonReport report(text, noModels, false);
  for (const Source& source : sources) report.failed(source.name, message);
  report.finish();
  return text.str();
}

std::string document(const std::vector<Source>& sources, const std::string& modelsText) {
  std::string problem;
  const auto models = modelsFrom(modelTexts(modelsText), problem);
  if (!models) return failure(sources, problem);
  std::ostringstream text;
  JsonReport report(text, *models, false);
  analyse(sources, *models, report);
  report.finish();
  return text.str();
}

std::string guarded(const std::vector<Source>& sources, const std::string& models) {
  try {
    return document(sources, models);
  } catch (const std::bad_alloc&) {
    return failure(sources, "out of memory");
  }
}

}  // namespace

std::string analyseProgramText(const std::string& text, const std::string& models) {
  return guarded({{"program", text}}, models);
}

std::string analyseProgramTexts(const std::string& programs, const std::string& models) {
  const auto list = nlohmann::json::parse(programs, nullptr, false);
  std::vector<Source> sources;
  if (list.is_array()) {
    for (const auto& program : list) {
      if (!program.is_object() || !program.value("name", nlohmann::json()).is_string() ||
          !program.value("text", nlohmann::json()).is_string()) {
        sources.clear();
        break;
      }
      sources.push_back({program["name"], program["text"]});
    }
  }
  if (sources.empty()) {
    return failure({{"programs", ""}}, "the programs must be a list of {\"name\", \"text\"}");
  }
  return guarded(sources, models);
}

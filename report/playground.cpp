#include "report/playground.h"

#include <new>
#include <sstream>
#include <vector>

#include "report/jsonreport.h"
#include "report/programsource.h"
#include "report/quoting.h"
#include "statements/program.h"

namespace {

const char* const NAME = "program";

void analyse(const std::string& text, JsonReport& report) {
  std::stringbuf source(text);
  const ParsedProgram parsed = parseProgram(source);
  if (parsed.program) {
    report.analysed(NAME, *parsed.program);
  } else {
    report.failed(NAME, withVisibleQuotes(parsed.error), parsed.position);
  }
}

}  // namespace

std::string analyseProgramText(const std::string& text, const std::string& models) {
  std::string problem;
  const auto parsedModels = modelsFrom(modelTexts(models), problem);
  const std::vector<CostModel> noModels;
  std::ostringstream document;
  JsonReport report(document, parsedModels ? *parsedModels : noModels, false);
  try {
    if (parsedModels) {
      analyse(text, report);
    } else {
      report.failed(NAME, problem);
    }
  } catch (const std::bad_alloc&) {
    std::ostringstream fresh;
    JsonReport failure(fresh, noModels, false);
    failure.failed(NAME, "out of memory");
    failure.finish();
    return fresh.str();
  }
  report.finish();
  return document.str();
}

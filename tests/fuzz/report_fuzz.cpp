// Coverage-guided fuzzing of what the tool writes about a program. The input's first line is the
// cost models ("2,4;0.5,3"), the rest the program. Findings: a JSON document that is not strict
// UTF-8 JSON or that says other things than the analysis, and an explanation that does not keep
// the plain output before it or lacks a line of the echo.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <sstream>

#include "report/jsonreport.h"
#include "report/textreport.h"
#include "tests/analysischecks.h"
#include "tests/fuzz/fuzzing.h"

namespace {

void checkDocument(const AnalysedProgram& program) {
  std::ostringstream text;
  JsonReport report(text, program.models(), false);
  report.add("program", program);
  report.finish();
  const auto document = nlohmann::json::parse(text.str());
  const auto& entry = document.at("files").at(0);
  check(entry.at("ok") == program.ok());
  if (!program.ok()) {
    check(!entry.at("error").at("message").get<std::string>().empty());
    check(entry.at("error").contains("line"));
    return;
  }
  for (std::size_t m = 0; m < program.models().size(); ++m) {
    const auto& model = entry.at("models").at(m);
    check(model.at("name") == program.models()[m].name);
    check(model.at("cost").at("text") == printedLine(program.printed()[m]));
    check(model.at("exact").at("text") == program.exact()[m].text());
    check(model.at("exact").at("coefficients") == program.exact()[m].coefficientTexts());
  }
  check(entry.at("statements").size() == program.rows().rows().size());
}

std::string written(const AnalysedProgram& program, bool explain) {
  std::ostringstream out, err;
  writeProgramReport(out, err, "", program, {Words(), explain, std::nullopt});
  return out.str();
}

// The explanation comes after the costs and before the separator, and lists every line of the
// echo.
void checkExplanation(const AnalysedProgram& program) {
  const std::string plain = written(program, false);
  const std::string explained = written(program, true);
  const std::string separator = SEPARATOR;
  const std::string kept = plain.substr(0, plain.size() - separator.size());
  check(explained.compare(0, kept.size(), kept) == 0);
  check(explained.compare(explained.size() - separator.size(), separator.size(), separator) == 0);
  std::ostringstream echo;
  program.program().print(echo);
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
  const AnalysedProgram program = analysedText(programText, modelsOf(modelsText));
  checkDocument(program);
  if (program.ok()) checkExplanation(program);
  return 0;
}

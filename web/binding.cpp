// The playground's way into the core. The page hands over its programs' texts and its cost models
// and gets back the JSON document `loopcost --format=json --compare` writes for them; the
// programs stay analysed, so that the page can then ask what its editor shows of one of them,
// at the UTF-16 offsets that the editor counts in.
#include <emscripten/bind.h>

#include <memory>
#include <new>
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

#include "analysis/programset.h"
#include "report/jsonreport.h"
#include "report/wording.h"

namespace {

using json = nlohmann::json;

struct Program {
  std::string name;
  std::string text;
  std::unique_ptr<AnalysedProgram> analysis;
};

std::vector<Program> programs;  // of the last call to analyseMany

// A document with one error entry per program, all saying `message`.
std::string failure(const std::string& message) {
  const std::vector<CostModel> noModels;
  std::ostringstream text;
  JsonReport report(text, noModels, false);
  for (const Program& program : programs) report.failed(program.name, message);
  if (programs.empty()) report.failed("programs", message);
  report.finish();
  return text.str();
}

std::string document(const std::vector<CostModel>& models) {
  std::ostringstream text;
  JsonReport report(text, models, false);
  ProgramSet set(models);
  for (Program& program : programs) {
    std::stringbuf buffer(program.text);
    program.analysis =
        std::make_unique<AnalysedProgram>(parseProgram(buffer, Places::statements), models);
    report.add(program.name, *program.analysis);
    if (program.analysis->ok()) {
      set.add(program.name, *program.analysis);
    } else {
      set.fail(program.name);
    }
  }
  if (programs.size() > 1) {
    set.compare();
    report.compared(set);
  }
  report.finish();
  return text.str();
}

// The programs of a JSON array of {"name": ..., "text": ...}; none when it is not one.
std::vector<Program> programsIn(const std::string& list) {
  const json given = json::parse(list, nullptr, false);
  std::vector<Program> all;
  for (const json& program : given.is_array() ? given : json::array()) {
    if (!program.is_object() || !program.contains("name") || !program.contains("text") ||
        !program.at("name").is_string() || !program.at("text").is_string()) {
      return {};
    }
    all.push_back(
        {program.at("name").get<std::string>(), program.at("text").get<std::string>(), nullptr});
  }
  return all;
}

// The document of `loopcost --format=json --compare` for the programs, priced under `models`
// written as "2,4;1,5" (empty for the defaults), without blanks.
std::string analyseMany(const std::string& list, const std::string& modelsText) {
  try {
    programs = programsIn(list);
    if (programs.empty()) return failure("the programs must be a list of {\"name\", \"text\"}");
    std::string problem;
    const auto models = modelsFrom(modelTexts(modelsText), problem);
    return models ? document(*models) : failure(problem);
  } catch (const std::bad_alloc&) {
    programs.clear();
    return failure("out of memory");
  }
}

// UTF-16 units from the start of `text` to each of the ascending byte offsets.
std::vector<std::size_t> utf16Offsets(const std::string& text,
                                      const std::vector<std::size_t>& bytes) {
  std::vector<std::size_t> units;
  std::size_t at = 0, counted = 0;
  for (const std::size_t offset : bytes) {
    for (; at < offset && at < text.size(); ++at) {
      const auto byte = static_cast<unsigned char>(text[at]);
      if ((byte & 0xC0) != 0x80) counted += byte >= 0xF0 ? 2 : 1;
    }
    units.push_back(counted);
  }
  return units;
}

// What the editor shows of program `index` of the last analysis: where its syntax error stands
// and what it says, and where text after its END begins; as JSON, at UTF-16 offsets.
std::string editorView(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= programs.size() ||
      !programs[index].analysis) {
    return "null";
  }
  const Program& program = programs[index];
  const ParsedProgram& parsed = program.analysis->parse();
  json view = {{"problem", nullptr}, {"tail", nullptr}};
  if (const auto& problem = parsed.spans.problem()) {
    const auto at = utf16Offsets(program.text, {problem->from, problem->to});
    view["problem"] = {{"from", at[0]}, {"to", at[1]}, {"message", readableError(parsed)}};
  }
  if (parsed.tail) view["tail"] = utf16Offsets(program.text, {*parsed.tail})[0];
  return view.dump(-1, ' ', false, json::error_handler_t::replace);
}

}  // namespace

EMSCRIPTEN_BINDINGS(loopcost) {
  emscripten::function("analyseMany", &analyseMany);
  emscripten::function("editorView", &editorView);
}

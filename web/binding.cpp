// The playground's way into the core. The page hands over its programs' texts and its cost models
// and gets back the JSON document `loopcost --format=json --compare` writes for them; the
// programs stay analysed, so that the page can then ask what its editor shows of one of them (its
// error, its folds, the glances at its costs, a hover, the texts of its counts), at the UTF-16
// offsets the editor counts in.
#include <emscripten/bind.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <new>
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

#include "analysis/programset.h"
#include "report/diagnosis.h"
#include "report/glances.h"
#include "report/jsonreport.h"
#include "report/wording.h"
#include "source/lineindex.h"
#include "support/dialect.h"
#include "support/words.h"

namespace {

using json = nlohmann::json;

struct Program {
  std::string name;
  std::string text;
  std::unique_ptr<AnalysedProgram> analysis;
};

std::vector<Program> programs;  // of the last call to analyseMany
Words words;                    // the language the last analysis was asked in, for a UTF-8 page

std::string dumped(const json& value) {
  return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

// A document with one error entry per program, all saying `message`.
std::string failure(const std::string& message) {
  const std::vector<CostModel> noModels;
  std::ostringstream text;
  JsonReport report(text, noModels, false, words);
  for (const Program& program : programs) report.failed(program.name, message);
  if (programs.empty()) report.failed("programs", message);
  report.finish();
  return text.str();
}

// Whether the program reads, but has no single polynomial for its counts (see LoopCounts).
bool refused(const AnalysedProgram& program) {
  return program.ok() && program.extended() && program.counts().refusal();
}

// Whether the program has costs to show.
bool counted(const AnalysedProgram& program) { return program.ok() && !refused(program); }

std::string document(const std::vector<CostModel>& models, Dialect dialect) {
  std::ostringstream text;
  JsonReport report(text, models, false, words);
  ProgramSet set(models);
  for (Program& program : programs) {
    std::stringbuf buffer(program.text);
    program.analysis = std::make_unique<AnalysedProgram>(
        parseProgram(buffer, Places::statements, dialect), models);
    const AnalysedProgram& analysis = *program.analysis;
    if (refused(analysis)) {
      report.failed(program.name,
                    refusalText(*analysis.counts().refusal(), analysis.rows(), words));
    } else {
      report.add(program.name, analysis);
    }
    if (counted(analysis)) {
      set.add(program.name, analysis);
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

// A price box that holds no price: which, counted along the boxes from 0 (the first model's
// addition, its multiplication, the second model's addition...), and what is wrong with it.
struct BadBox {
  std::size_t box = 0;
  std::string message;
};

// The models of the page's boxes, a JSON array of [addition, multiplication] price texts, the
// defaults for none; or what is wrong with a box, in `bad`.
std::optional<std::vector<CostModel>> modelsIn(const std::string& boxes, BadBox& bad) {
  const json pairs = json::parse(boxes, nullptr, false);
  if (!pairs.is_array()) {
    bad.message = "the models must be a list of price pairs";
    return std::nullopt;
  }
  std::vector<std::pair<Price, Price>> prices;
  for (std::size_t m = 0; m < pairs.size(); ++m) {
    std::optional<Price> both[2];
    for (int which = 0; which < 2; ++which) {
      const json& typed = pairs[m].is_array() && pairs[m].size() == 2 ? pairs[m][which] : json();
      Price::Fault fault = Price::Fault::notNumber;
      if (typed.is_string()) both[which] = Price::parse(typed.get<std::string>(), fault);
      if (!both[which]) {
        bad = {2 * m + which,
               priceProblem(m, which == 0, typed.is_string() ? typed.get<std::string>() : "", fault,
                            words)};
        return std::nullopt;
      }
    }
    prices.emplace_back(*both[0], *both[1]);
  }
  return prices.empty() ? defaultModels() : numberedModels(prices);
}

void speak(const std::string& language) {
  words = Words(languageNamed(language).value_or(Language::english), Encoding::utf8);
}

// The document of `loopcost --format=json --compare` for the programs, read in the dialect
// ("classic", "extended"), priced under the models of the boxes, without blanks, its sentences in
// the page's language ("zh-TW", "en"), which what the editor then asks of the programs is said in
// too.
std::string analyseMany(const std::string& list, const std::string& boxes,
                        const std::string& language, const std::string& dialect) {
  speak(language);
  try {
    programs = programsIn(list);
    if (programs.empty()) return failure("the programs must be a list of {\"name\", \"text\"}");
    BadBox bad;
    const auto models = modelsIn(boxes, bad);
    return models ? document(*models, dialect == "extended" ? Dialect::extended : Dialect::classic)
                  : failure(bad.message);
  } catch (const std::bad_alloc&) {
    programs.clear();
    return failure(words.tr("out of memory"));
  }
}

// The first of the boxes that holds no price, as {"box", "message"} (see BadBox), in the page's
// language; null when each holds one.
std::string badPrice(const std::string& boxes, const std::string& language) {
  speak(language);
  BadBox bad;
  if (modelsIn(boxes, bad)) return "null";
  return dumped({{"box", bad.box}, {"message", bad.message}});
}

// Offsets in a program's text counted in UTF-16 units, as the page's editor counts them, from
// the bytes the core counts in, and back.
LineIndex unitsOf(const Program& program) {
  return LineIndex(program.text, program.analysis->parse().lineStarts, LineIndex::Units::utf16);
}

const Program* analysed(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= programs.size()) return nullptr;
  return programs[index].analysis ? &programs[index] : nullptr;
}

// The count of the LOOP that a refused program is refused at, and why, as a problem to mark;
// null if no LOOP stands at the refusal's line.
json refusalProblem(const Program& program, const LineIndex& units) {
  const AnalysedProgram& analysis = *program.analysis;
  const CountRefusal& refusal = *analysis.counts().refusal();
  const auto& rows = analysis.rows().rows();
  const auto row = std::find_if(rows.begin(), rows.end(), [&](const StatementRows::Row& each) {
    return each.line == refusal.line;
  });
  if (row == rows.end()) return nullptr;
  const auto& span = analysis.parse().spans.statements()[row - rows.begin()];
  std::size_t end = span.hint;  // the count without the blanks after it
  while (end > span.count && std::isspace(static_cast<unsigned char>(program.text[end - 1]))) --end;
  return {{"from", units.unitsAt(span.count)},
          {"to", units.unitsAt(end)},
          {"message", refusalText(refusal, analysis.rows(), words)}};
}

// What the editor shows of program `index` of the last analysis at once: where its syntax error
// stands and what it says (and the LOOP it is about, if any), or the count it is refused at,
// where text after its END begins, and each loop's body, to fold.
std::string editorView(int index) {
  const Program* program = analysed(index);
  if (program == nullptr) return "null";
  const ParsedProgram& parsed = program->analysis->parse();
  const LineIndex units = unitsOf(*program);
  json view = {{"problem", nullptr}, {"tail", nullptr}, {"folds", json::array()}};
  const auto& spans = parsed.spans.statements();
  const auto& rows = program->analysis->ok() ? program->analysis->rows().rows()
                                             : std::vector<StatementRows::Row>();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].loop >= 0) {
      view["folds"].push_back(
          {{"from", units.unitsAt(spans[i].hint)}, {"to", units.unitsAt(spans[i].end - 3)}});
    }
  }
  if (const auto& problem = parsed.spans.problem()) {
    view["problem"] = {{"from", units.unitsAt(problem->from)},
                       {"to", units.unitsAt(problem->to)},
                       {"message", explanation(parsed, words)}};
    if (problem->loop) view["problem"]["loop"] = units.unitsAt(*problem->loop);
  }
  if (refused(*program->analysis)) view["problem"] = refusalProblem(*program, units);
  if (parsed.tail) view["tail"] = units.unitsAt(*parsed.tail);
  return dumped(view);
}

// The price pairs of models written as a link gives them, "2,4;1,5": a JSON array of
// [addition, multiplication], split at each ';' and then at the first ','.
std::string modelPairs(const std::string& text) {
  json pairs = json::array();
  for (const std::string& model : modelTexts(text)) {
    const std::size_t comma = std::min(model.find(','), model.size());
    pairs.push_back({model.substr(0, comma), model.substr(std::min(comma + 1, model.size()))});
  }
  return dumped(pairs);
}

// The glances at the costs of program `index` whose places lie from UTF-16 offset `from` to
// `to`, as the language server's inlay hints show them: [{"at", "label"}]. The page wraps a glance
// between its models, so it has a hint's width for each model.
std::string editorGlances(int index, int from, int to) {
  const Program* program = analysed(index);
  if (program == nullptr || !counted(*program->analysis) || to < from) return "[]";
  const LineIndex units = unitsOf(*program);
  const std::size_t width = GLANCE_WIDTH * program->analysis->models().size();
  json glances = json::array();
  for (const GlanceRow& row :
       glanceRows(*program->analysis, units.offsetAtUnits(std::max(from, 0)),
                  units.offsetAtUnits(static_cast<std::size_t>(to) + 1), width)) {
    glances.push_back({{"at", units.unitsAt(row.at)}, {"label", row.label}});
  }
  return dumped(glances);
}

// The language server's hover, in plain text, for UTF-16 offset `at` of program `index`.
std::string editorHover(int index, int at) {
  const Program* program = analysed(index);
  if (program == nullptr || !counted(*program->analysis)) return "";
  const AnalysedProgram& analysis = *program->analysis;
  const auto statement = analysis.parse().spans.innermostAt(unitsOf(*program).offsetAtUnits(at));
  return statement ? statementHover(analysis, analysis.rows().rows()[*statement], false, words)
                   : programHover(analysis, false, words);
}

// The counts of program `index` as the text report writes them, each with the n from which its
// polynomial holds: {"totals": [per model], "statements": [{"runs", "costs": [per model]}]}, in
// the document's order; null for a program whose counts are not of the extended dialect.
std::string countTexts(int index) {
  const Program* program = analysed(index);
  if (program == nullptr || !counted(*program->analysis) || !program->analysis->extended()) {
    return "null";
  }
  const LoopCounts& counts = program->analysis->counts();
  const std::size_t models = program->analysis->models().size();
  json texts = {{"totals", json::array()}, {"statements", json::array()}};
  for (const ExactCount& total : counts.totals()) texts["totals"].push_back(countText(total));
  for (std::size_t r = 0; r < program->analysis->rows().rows().size(); ++r) {
    json costs = json::array();
    for (std::size_t m = 0; m < models; ++m) costs.push_back(countText(counts.cost(r, m)));
    texts["statements"].push_back({{"runs", countText(counts.runs(r))}, {"costs", costs}});
  }
  return dumped(texts);
}

}  // namespace

EMSCRIPTEN_BINDINGS(loopcost) {
  emscripten::function("analyseMany", &analyseMany);
  emscripten::function("badPrice", &badPrice);
  emscripten::function("modelPairs", &modelPairs);
  emscripten::function("editorView", &editorView);
  emscripten::function("editorGlances", &editorGlances);
  emscripten::function("editorHover", &editorHover);
  emscripten::function("countTexts", &countTexts);
}

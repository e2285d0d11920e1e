#include "report/glances.h"

#include "report/consoletexts.h"
#include "report/wording.h"

namespace {

const char* const SEPARATOR = " \xC2\xB7 ";   // " · "
const char* const ELLIPSIS = "\xE2\x80\xA6";  // "…"

// The characters of a UTF-8 text, counted without its continuation bytes.
std::size_t characters(const std::string& text) {
  std::size_t count = 0;
  for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

// The first `width` - 1 characters and "…", for a text longer than `width`.
std::string cut(const std::string& text, std::size_t width) {
  if (characters(text) <= width) return text;
  std::size_t kept = 0, end = 0;
  for (; end < text.size(); ++end) {
    if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80 && kept++ == width - 1) break;
  }
  return text.substr(0, end) + ELLIPSIS;
}

// "CPU1" for "CPU1(2,4)".
std::string shortName(const CostModel& model) { return model.name.substr(0, model.name.find('(')); }

std::string plural(std::uint64_t count, const std::string& one, const std::string& many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string runsPhrase(const Runs& runs, const std::string& quote) {
  if (runs.factor == 0) return "never runs";
  if (runs.factor == 1 && runs.power == 0) return "runs once";
  return "runs " + quote + runsText(runs) + quote + " times";
}

// One row a model: its name and its cost, and after it the `extra` cells of that model.
std::string costTable(const std::vector<CostModel>& models, const std::vector<std::string>& costs,
                      const std::vector<std::string>& extra, bool markdown) {
  std::string text = markdown ? (extra.empty() ? "| model | exact cost |\n|---|---|\n"
                                               : "| model | exact cost | growth |\n|---|---|---|\n")
                              : "";
  for (std::size_t m = 0; m < models.size(); ++m) {
    const std::string more = extra.empty() ? "" : extra[m];
    text += markdown ? "| " + models[m].name + " | `" + costs[m] + "` |" +
                           (more.empty() ? "" : " " + more + " |") + "\n"
                     : models[m].name + ": " + costs[m] + (more.empty() ? "" : ", " + more) + "\n";
  }
  return text;
}

}  // namespace

std::string glance(const std::vector<ExactPolynomial>& costs, const std::vector<CostModel>& models,
                   std::size_t width) {
  bool same = true;
  for (const ExactPolynomial& cost : costs) same = same && cost == costs.front();
  std::string text;
  for (std::size_t m = 0; m < costs.size(); ++m) {
    if (same) return cut(costs[m].text(), width);
    text += (m == 0 ? "" : SEPARATOR) + shortName(models[m]) + ": " + costs[m].text();
  }
  return cut(text, width);
}

std::string statementHover(const AnalysedProgram& program, const StatementRows::Row& row,
                           bool markdown) {
  const StatementRows& rows = program.rows();
  const std::string quote = markdown ? "`" : "";
  std::string text = quote + echoLine(row) + quote + " " + runsPhrase(rows.runs(row), quote);
  if (row.loop >= 0) {
    text += "; its whole body costs:\n\n";
  } else {
    const Operations operations = rows.operations(row);
    text += ", with " + plural(operations.additions, "addition", "additions") + " and " +
            plural(operations.multiplications, "multiplication", "multiplications") + " a run:\n\n";
  }
  std::vector<std::string> costs;
  for (std::size_t m = 0; m < program.models().size(); ++m)
    costs.push_back(rows.cost(row, m).text());
  return text + costTable(program.models(), costs, {}, markdown);
}

std::string programHover(const AnalysedProgram& program, bool markdown) {
  std::vector<std::string> costs, growths;
  for (const ExactPolynomial& cost : program.exact()) costs.push_back(cost.text());
  for (const Growth growth : program.growth()) {
    growths.push_back(growthText(growth, ConsoleTexts::utf8().theta));
  }
  std::string text = "The program's exact cost and growth:\n\n" +
                     costTable(program.models(), costs, growths, markdown) + "\nCheapest:\n\n";
  for (const std::string& line :
       comparisonInWords(program.cheapest(), modelNames(program.models()))) {
    text += (markdown ? "- " : "") + line + "\n";
  }
  return text;
}

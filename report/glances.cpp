#include "report/glances.h"

#include <algorithm>

#include "report/wording.h"

namespace {

const char* const SEPARATOR = " \xC2\xB7 ";   // " · "
const char* const ELLIPSIS = "\xE2\x80\xA6";  // "…"
const char* const NO_COST = "\xE2\x80\x94";   // "—": a refused program's, which has no polynomial

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

bool refused(const AnalysedProgram& program) {
  return program.extended() && program.counts().refusal();
}

// A statement's cost under each of the program's models as the editors write it: in the
// extended dialect with the n from which it holds. Empty when it costs nothing for every n.
std::vector<std::string> costTexts(const AnalysedProgram& program, std::size_t statement) {
  std::vector<std::string> texts;
  bool something = false;
  for (std::size_t m = 0; m < program.models().size(); ++m) {
    if (program.extended()) {
      const ExactCount cost = program.counts().cost(statement, m);
      something = something || cost.polynomial.degree() >= 0 ||
                  std::any_of(cost.below.begin(), cost.below.end(),
                              [](const Rational& value) { return value != 0; });
      texts.push_back(countText(cost));
    } else {
      const ExactPolynomial cost = program.rows().cost(program.rows().rows()[statement], m);
      something = something || cost.degree() >= 0;
      texts.push_back(cost.text());
    }
  }
  return something ? texts : std::vector<std::string>();
}

std::string runsTextOf(const AnalysedProgram& program, const StatementRows::Row& row) {
  if (!program.extended()) return runsText(program.rows().runs(row));
  return countText(
      program.counts().runs(static_cast<std::size_t>(&row - &program.rows().rows()[0])));
}

// "CPU1" for "CPU1(2,4)".
std::string shortName(const CostModel& model) { return model.name.substr(0, model.name.find('(')); }

std::string runsPhrase(const AnalysedProgram& program, const StatementRows::Row& row,
                       const std::string& quote, const Words& words) {
  const Runs& runs = program.rows().runs(row);
  if (!program.extended() && runs.factor == 0) return words.tr("never runs");
  if (!program.extended() && runs.factor == 1 && runs.power == 0) return words.tr("runs once");
  return fill(words.tr("runs %s times"), {quote + runsTextOf(program, row) + quote});
}

std::string operationsPhrase(const Operations& operations, const Words& words) {
  const std::string additions = fill(words.trn("%s addition", "%s additions", operations.additions),
                                     {std::to_string(operations.additions)});
  const std::string multiplications =
      fill(words.trn("%s multiplication", "%s multiplications", operations.multiplications),
           {std::to_string(operations.multiplications)});
  return fill(words.tr("%s and %s"), {additions, multiplications});
}

// One row a model: its name and its cost, and after it the `extra` cells of that model.
std::string costTable(const std::vector<CostModel>& models, const std::vector<std::string>& costs,
                      const std::vector<std::string>& extra, bool markdown, const Words& words) {
  std::string text;
  if (markdown) {
    text = extra.empty()
               ? fill("| %s | %s |\n|---|---|\n", {words.tr("model"), words.tr("exact cost")})
               : fill("| %s | %s | %s |\n|---|---|---|\n",
                      {words.tr("model"), words.tr("exact cost"), words.tr("growth")});
  }
  for (std::size_t m = 0; m < models.size(); ++m) {
    const std::string more = extra.empty() ? "" : extra[m];
    text += markdown ? "| " + models[m].name + " | `" + costs[m] + "` |" +
                           (more.empty() ? "" : " " + more + " |") + "\n"
                     : models[m].name + ": " + costs[m] + (more.empty() ? "" : ", " + more) + "\n";
  }
  return text;
}

}  // namespace

std::string glance(const std::vector<std::string>& costs, const std::vector<CostModel>& models,
                   std::size_t width) {
  bool same = true;
  for (const std::string& cost : costs) same = same && cost == costs.front();
  std::string text;
  for (std::size_t m = 0; m < costs.size(); ++m) {
    if (same) return cut(costs[m], width);
    text += (m == 0 ? "" : SEPARATOR) + shortName(models[m]) + ": " + costs[m];
  }
  return cut(text, width);
}

std::vector<std::string> programCostTexts(const AnalysedProgram& program) {
  std::vector<std::string> texts;
  if (refused(program)) return std::vector<std::string>(program.models().size(), NO_COST);
  for (std::size_t m = 0; m < program.models().size(); ++m) {
    texts.push_back(program.extended() ? countText(program.counts().totals()[m])
                                       : program.exact()[m].text());
  }
  return texts;
}

std::string statementGlance(const AnalysedProgram& program, std::size_t statement,
                            std::size_t width) {
  if (refused(program)) return NO_COST;
  std::vector<std::string> costs = costTexts(program, statement);
  if (costs.empty()) costs.assign(program.models().size(), "0");
  return glance(costs, program.models(), width);
}

std::vector<GlanceRow> glanceRows(const AnalysedProgram& program, std::size_t from, std::size_t to,
                                  std::size_t width) {
  const auto& spans = program.parse().spans.statements();
  const auto first = std::lower_bound(
      spans.begin(), spans.end(), from,
      [](const SourceSpans::Span& span, std::size_t at) { return span.hint < at; });
  std::vector<GlanceRow> rows;
  if (refused(program)) return rows;
  for (auto span = first; span != spans.end() && span->hint < to; ++span) {
    const auto statement = static_cast<std::size_t>(span - spans.begin());
    const std::vector<std::string> costs = costTexts(program, statement);
    if (!costs.empty())
      rows.push_back({statement, span->hint, glance(costs, program.models(), width)});
  }
  return rows;
}

std::string statementHover(const AnalysedProgram& program, const StatementRows::Row& row,
                           bool markdown, const Words& words) {
  if (refused(program)) return refusalText(*program.counts().refusal(), program.rows(), words);
  const StatementRows& rows = program.rows();
  const std::string quote = markdown ? "`" : "";
  const std::string runs = runsPhrase(program, row, quote, words);
  const std::string echo = quote + echoLine(row) + quote;
  std::string text = row.loop >= 0
                         ? fill(words.tr("%s %s; its whole body costs:"), {echo, runs})
                         : fill(words.tr("%s %s, with %s a run:"),
                                {echo, runs, operationsPhrase(rows.operations(row), words)});
  text += "\n\n";
  const std::size_t statement = static_cast<std::size_t>(&row - &rows.rows()[0]);
  std::vector<std::string> costs = costTexts(program, statement);
  if (costs.empty()) costs.assign(program.models().size(), "0");
  return text + costTable(program.models(), costs, {}, markdown, words);
}

std::string programHover(const AnalysedProgram& program, bool markdown, const Words& words) {
  if (refused(program)) return refusalText(*program.counts().refusal(), program.rows(), words);
  const std::vector<std::string> costs = programCostTexts(program);
  std::vector<std::string> growths;
  for (const Growth growth : program.growth()) growths.push_back(growthText(growth));
  std::string text = words.tr("The program's exact cost and growth:") + std::string("\n\n") +
                     costTable(program.models(), costs, growths, markdown, words) + "\n" +
                     words.tr("Cheapest:") + "\n\n";
  for (const std::string& line :
       comparisonInWords(program.cheapest(), modelNames(program.models()), words)) {
    text += (markdown ? "- " : "") + line + "\n";
  }
  return text;
}

#include "report/summary.h"

#include <algorithm>
#include <utility>

#include "report/quoting.h"
#include "report/wording.h"
#include "support/translation.h"

namespace {

std::string growthCell(const std::vector<Growth>& growth, const std::string& theta) {
  std::string text;
  for (const Growth g : growth) {
    const std::string one = growthText(g, theta);
    if (text.find(one) == std::string::npos) text += (text.empty() ? "" : tr(", ")) + one;
  }
  return text;
}

// How the file's growth compares with the reference's.
std::string growthComparison(Growth mine, Growth theirs, const std::string& theta) {
  const std::string own = growthText(mine, theta), other = growthText(theirs, theta);
  if (mine == theirs) return fill(tr("same growth %s as the reference"), {own});
  return fill(theirs < mine ? tr("grows faster than the reference (%s vs %s)")
                            : tr("grows slower than the reference (%s vs %s)"),
              {own, other});
}

}  // namespace

TextTable::TextTable(std::vector<std::string> header) { rows.push_back(std::move(header)); }

void TextTable::add(std::vector<std::string> cells) { rows.push_back(std::move(cells)); }

void TextTable::write(std::ostream& out, bool aligned) const {
  std::vector<std::size_t> widths;
  for (const auto& row : rows) {
    widths.resize(std::max(widths.size(), row.size()));
    for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], columnsOf(row[i]));
  }
  for (const auto& row : rows) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i > 0) line += aligned ? "  " : "\t";
      line += row[i];
      if (aligned && i + 1 < row.size()) line.append(widths[i] - columnsOf(row[i]), ' ');
    }
    if (aligned) line.erase(line.find_last_not_of(' ') + 1);
    out << line << '\n';
  }
}

Grade graded(const std::string& file, const AnalysedProgram& program,
             const AnalysedProgram& reference) {
  Grade grade{file, "", {}, {}, std::nullopt};
  if (!program.ok()) {
    grade.failure = errorCell(program.parse());
    return grade;
  }
  grade.growth = program.growth();
  grade.referenceGrowth = reference.growth();
  grade.pair.emplace(program.models());
  grade.pair->add("reference", reference);
  grade.pair->add(file, program);
  grade.pair->compare();
  return grade;
}

std::string errorCell(const ParsedProgram& parsed) {
  if (!parsed.syntaxError()) return fill(tr("error: %s"), {failureMessage(parsed)});
  const auto [line, column] = parsed.lineAndColumn(parsed.spans.problem()->from);
  return fill(tr("error %s:%s %s"),
              {std::to_string(line), std::to_string(column), explanation(*parsed.spans.problem())});
}

TextTable summaryTable(const std::vector<CostModel>& models) {
  std::vector<std::string> header = {tr("file"), tr("status"), tr("growth")};
  for (const CostModel& model : models) header.push_back(model.name);
  return TextTable(header);
}

std::vector<std::string> summaryCells(const std::string& file, const AnalysedProgram& program,
                                      const std::string& theta) {
  if (!program.ok()) return {visibleName(file), errorCell(program.parse())};
  std::vector<std::string> cells = {visibleName(file), tr("ok"),
                                    growthCell(program.growth(), theta)};
  for (const ExactPolynomial& cost : program.exact()) cells.push_back(cost.text());
  return cells;
}

TextTable gradeTable(const std::string& reference) {
  return TextTable({tr("file"), tr("model"), fill(tr("against %s"), {visibleName(reference)})});
}

void addGradeCells(TextTable& table, const Grade& grade, const std::vector<CostModel>& models,
                   const std::string& theta) {
  if (!grade.failure.empty()) return table.add({visibleName(grade.file), "", grade.failure});
  for (std::size_t m = 0; m < models.size(); ++m) {
    table.add({visibleName(grade.file), models[m].name, verdict(grade, m, theta)});
  }
}

std::string verdict(const Grade& grade, std::size_t m, const std::string& theta) {
  const std::string growth = growthComparison(grade.growth[m], grade.referenceGrowth[m], theta);
  const auto& ranges = grade.pair->ranges();
  if (ranges.size() <= m || !ranges[m]) {
    return fill(tr("%s; not compared: %s"), {growth, shortfallReason(*grade.pair).value_or("")});
  }
  const CheapestRange& last = ranges[m]->back();
  const std::string from =
      last.from == 0 ? tr("for every n") : fill(tr("for every n >= %s"), {decimal(last.from)});
  if (last.cheapest.size() == 2) return fill(tr("%s; costs the same %s"), {growth, from});
  return fill(last.cheapest[0] == 1 ? tr("%s; cheaper %s") : tr("%s; costlier %s"), {growth, from});
}

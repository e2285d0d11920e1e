#include "report/summary.h"

#include <algorithm>
#include <utility>

#include "report/quoting.h"
#include "report/wording.h"

namespace {

// Each model's growth, each told once.
std::string growthCell(const std::vector<Growth>& growth, const Words& words) {
  std::string text;
  for (std::size_t m = 0; m < growth.size(); ++m) {
    if (std::find(growth.begin(), growth.begin() + m, growth[m]) != growth.begin() + m) continue;
    text += (text.empty() ? "" : words.tr(", ")) + growthText(growth[m]);
  }
  return text;
}

// How the file's growth compares with the reference's.
std::string growthComparison(Growth mine, Growth theirs, const Words& words) {
  const std::string own = growthText(mine), other = growthText(theirs);
  if (mine == theirs) return fill(words.tr("same growth %s as the reference"), {own});
  return fill(theirs < mine ? words.tr("grows faster than the reference (%s vs %s)")
                            : words.tr("grows slower than the reference (%s vs %s)"),
              {own, other});
}

}  // namespace

TextTable::TextTable(std::vector<std::string> header) { rows.push_back(std::move(header)); }

void TextTable::add(std::vector<std::string> cells) { rows.push_back(std::move(cells)); }

void TextTable::write(std::ostream& out, bool aligned, const Words& words) const {
  std::vector<std::size_t> widths;
  for (const auto& row : rows) {
    widths.resize(std::max(widths.size(), row.size()));
    for (std::size_t i = 0; i < row.size(); ++i) {
      widths[i] = std::max(widths[i], words.columnsOf(row[i]));
    }
  }
  for (const auto& row : rows) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i > 0) line += aligned ? "  " : "\t";
      line += row[i];
      if (aligned && i + 1 < row.size()) line.append(widths[i] - words.columnsOf(row[i]), ' ');
    }
    if (aligned) line.erase(line.find_last_not_of(' ') + 1);
    out << line << '\n';
  }
}

Grade graded(const std::string& file, const AnalysedProgram& program,
             const AnalysedProgram& reference, const Words& words) {
  Grade grade{file, std::nullopt, {}, {}, std::nullopt};
  if (!program.ok()) {
    grade.error = fileError(program.parse(), words);
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

std::string errorCell(const FileError& error, const Words& words) {
  if (error.line == 0) return fill(words.tr("error: %s"), {error.message});
  return fill(words.tr("error %s:%s %s"),
              {std::to_string(error.line), std::to_string(error.column), error.explanation});
}

TextTable summaryTable(const std::vector<CostModel>& models, const Words& words) {
  std::vector<std::string> header = {words.tr("file"), words.tr("status"), words.tr("growth")};
  for (const CostModel& model : models) header.push_back(model.name);
  return TextTable(header);
}

std::vector<std::string> summaryCells(const std::string& file, const AnalysedProgram& program,
                                      const Words& words) {
  if (!program.ok())
    return {visibleName(file), errorCell(fileError(program.parse(), words), words)};
  std::vector<std::string> cells = {visibleName(file), words.tr("ok"),
                                    growthCell(program.growth(), words)};
  if (program.extended()) {
    for (const ExactCount& cost : program.counts().totals()) cells.push_back(countText(cost));
    return cells;
  }
  for (const ExactPolynomial& cost : program.exact()) cells.push_back(cost.text());
  return cells;
}

TextTable gradeTable(const std::string& reference, const Words& words) {
  return TextTable({words.tr("file"), words.tr("model"),
                    fill(words.tr("against %s"), {visibleName(reference)})});
}

void addGradeCells(TextTable& table, const Grade& grade, const std::vector<CostModel>& models,
                   const Words& words) {
  if (grade.error) return table.add({visibleName(grade.file), "", errorCell(*grade.error, words)});
  for (std::size_t m = 0; m < models.size(); ++m) {
    table.add({visibleName(grade.file), models[m].name, verdict(grade, m, words)});
  }
}

std::string verdict(const Grade& grade, std::size_t m, const Words& words) {
  const std::string growth = growthComparison(grade.growth[m], grade.referenceGrowth[m], words);
  const auto& ranges = grade.pair->ranges();
  if (ranges.size() <= m || !ranges[m]) {
    return fill(words.tr("%s; not compared: %s"),
                {growth, shortfallReason(*grade.pair, words).value_or("")});
  }
  const CheapestRange& last = ranges[m]->back();
  const std::string from = last.from == 0
                               ? words.tr("for every n")
                               : fill(words.tr("for every n >= %s"), {decimal(last.from)});
  if (last.cheapest.size() == 2) return fill(words.tr("%s; costs the same %s"), {growth, from});
  return fill(last.cheapest[0] == 1 ? words.tr("%s; cheaper %s") : words.tr("%s; costlier %s"),
              {growth, from});
}

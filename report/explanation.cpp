#include "report/explanation.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "analysis/growth.h"

namespace {

// Cells wider than these are cut with "...": the table is for a terminal 100 columns wide; the
// JSON always has every value whole.
constexpr std::size_t PROGRAM_WIDTH = 36;
constexpr std::size_t VALUE_WIDTH = 16;

struct Column {
  std::string header;
  bool leftAligned;
  std::size_t cap;
};

std::string cut(const std::string& text, std::size_t cap) {
  return text.size() <= cap ? text : text.substr(0, cap - 3) + "...";
}

std::string padded(const std::string& text, std::size_t width, bool leftAligned) {
  const std::string blanks(width - text.size(), ' ');
  return leftAligned ? text + blanks : blanks + text;
}

// Aligned columns separated by two blanks, without trailing blanks.
std::string table(const std::vector<Column>& columns, std::vector<std::vector<std::string>> rows) {
  std::vector<std::string> headers;
  for (const Column& column : columns) headers.push_back(column.header);
  rows.insert(rows.begin(), headers);
  std::vector<std::size_t> widths(columns.size(), 0);
  for (auto& row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      row[i] = cut(row[i], columns[i].cap);
      widths[i] = std::max(widths[i], row[i].size());
    }
  }
  std::string text;
  for (const auto& row : rows) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
      line += (i > 0 ? "  " : "") + padded(row[i], widths[i], columns[i].leftAligned);
    }
    text += line.substr(0, line.find_last_not_of(' ') + 1) + '\n';
  }
  return text;
}

std::vector<std::vector<std::string>> annotatedLines(const std::string& echo,
                                                     const ProgramAnalysis& analysis) {
  std::map<int, const StatementAnalysis*> byLine;
  for (const StatementAnalysis& statement : analysis.statements)
    byLine[statement.line] = &statement;
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(echo);
  int number = 0;
  for (std::string text; std::getline(lines, text);) {
    std::vector<std::string> row = {std::to_string(++number), text};
    const auto found = byLine.find(number);
    if (found != byLine.end()) {
      const StatementAnalysis& statement = *found->second;
      const bool loop = statement.kind == StatementAnalysis::Kind::loop;
      row.push_back(runsText(statement.runs));
      row.push_back(loop ? "" : std::to_string(statement.additions));
      row.push_back(loop ? "" : std::to_string(statement.multiplications));
      for (const ExactPolynomial& cost : statement.costs) row.push_back(cost.text());
    }
    row.resize(5 + analysis.costs.size());
    rows.push_back(row);
  }
  return rows;
}

std::string rangeText(const CheapestRange& range) {
  if (!range.to) return "for every n >= " + range.from.str();
  if (*range.to == range.from) return "for n = " + range.from.str();
  return "for " + range.from.str() + " <= n <= " + range.to->str();
}

std::string cheapestText(const std::vector<std::size_t>& cheapest,
                         const std::vector<CostModel>& models) {
  if (cheapest.size() == models.size() && models.size() > 1) {
    return models.size() == 2 ? "both cost the same" : "all cost the same";
  }
  std::string names;
  for (std::size_t i = 0; i < cheapest.size(); ++i) {
    names += (i == 0 ? "" : i + 1 == cheapest.size() ? " and " : ", ") + models[cheapest[i]].name;
  }
  if (cheapest.size() > 1) return names + " cost the same and are cheapest";
  return names + (models.size() == 2 ? " is cheaper" : " is cheapest");
}

}  // namespace

std::string runsText(const Runs& runs) {
  if (runs.factor == 0 || runs.power == 0) return runs.factor.str();
  const std::string power = "n^" + std::to_string(runs.power);
  return runs.factor == 1 ? power : runs.factor.str() + " * " + power;
}

std::vector<std::string> comparisonInWords(const ProgramAnalysis& analysis,
                                           const std::vector<CostModel>& models) {
  if (!analysis.comparison) {
    return {"not computed: the costs are of too high a degree to compare in time"};
  }
  std::vector<std::string> lines;
  for (const CheapestRange& range : *analysis.comparison) {
    lines.push_back(rangeText(range) + ": " + cheapestText(range.cheapest, models));
  }
  return lines;
}

std::string explanation(const std::string& echo, const ProgramAnalysis& analysis,
                        const std::vector<CostModel>& models, const std::string& theta) {
  std::vector<Column> columns = {{"line", false, VALUE_WIDTH},
                                 {"program", true, PROGRAM_WIDTH},
                                 {"runs", true, VALUE_WIDTH},
                                 {"+", false, VALUE_WIDTH},
                                 {"*", false, VALUE_WIDTH}};
  for (const CostModel& model : models) columns.push_back({model.name, true, VALUE_WIDTH});
  std::string text = table(columns, annotatedLines(echo, analysis));
  text += "exact cost and growth:\n";
  for (std::size_t i = 0; i < models.size(); ++i) {
    text += "  " + models[i].name + " = " + analysis.costs[i].text() + "  growth " +
            growthText(analysis.growth[i], theta) + "\n";
  }
  text += "cheapest:\n";
  for (const std::string& line : comparisonInWords(analysis, models)) text += "  " + line + "\n";
  return text;
}

#include "report/countsexplained.h"

#include <algorithm>
#include <string>
#include <vector>

#include "report/wording.h"
#include "statements/loopstatement.h"

namespace {

using Cells = std::vector<std::string>;

// Columns separated by two blanks, the numbers of the first to the right, without trailing blanks.
void writeTable(std::ostream& out, const std::vector<Cells>& table, const Words& words) {
  std::vector<std::size_t> widths;
  for (const Cells& cells : table) {
    widths.resize(std::max(widths.size(), cells.size()), 0);
    for (std::size_t i = 0; i < cells.size(); ++i) {
      widths[i] = std::max(widths[i], words.columnsOf(cells[i]));
    }
  }
  for (const Cells& cells : table) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
      const std::string blanks(widths[i] - words.columnsOf(cells[i]), ' ');
      line += (i > 0 ? "  " : "") + (i == 0 ? blanks + cells[i] : cells[i] + blanks);
    }
    line.erase(line.find_last_not_of(' ') + 1);
    out << line << '\n';
  }
}

Cells endCells(int line, int depth) {
  return {std::to_string(line), std::string(2 * depth, ' ') + "END"};
}

std::vector<Cells> lineTable(const AnalysedProgram& program, const Words& words) {
  const StatementRows& rows = program.rows();
  const LoopCounts& counts = program.counts();
  Cells header = {words.tr("line"), words.tr("program"), words.tr("runs")};
  for (const std::string& name : modelNames(program.models())) header.push_back(name);
  std::vector<Cells> table = {header, {"1", "BEGIN"}};
  std::vector<const StatementRows::Row*> open;  // the loops whose END has not come yet
  const auto closeBefore = [&](int line) {
    for (; !open.empty() && rows.endLine(*open.back()) < line; open.pop_back()) {
      table.push_back(endCells(rows.endLine(*open.back()), open.back()->depth));
    }
  };
  for (std::size_t r = 0; r < rows.rows().size(); ++r) {
    const StatementRows::Row& row = rows.rows()[r];
    closeBefore(row.line);
    Cells cells = {std::to_string(row.line), std::string(2 * row.depth, ' ') + echoLine(row),
                   countText(counts.runs(r))};
    for (std::size_t m = 0; m < program.models().size(); ++m) {
      cells.push_back(countText(counts.cost(r, m)));
    }
    table.push_back(cells);
    if (row.loop >= 0) open.push_back(&row);
  }
  closeBefore(rows.lastLine());
  table.push_back(endCells(rows.lastLine(), 0));
  return table;
}

bool takesLog(const StatementRows& rows) {
  return std::any_of(rows.rows().begin(), rows.rows().end(), [](const StatementRows::Row& row) {
    const LoopCount* count =
        row.loop >= 0 ? static_cast<const LoopStatement*>(row.statement)->getExtendedCount()
                      : nullptr;
    return count != nullptr && count->hasLog();
  });
}

}  // namespace

void writeCountsExplained(std::ostream& out, const AnalysedProgram& program, const Words& words) {
  writeTable(out, lineTable(program, words), words);
  if (takesLog(program.rows())) {
    out << words.tr(
               "log n stands for floor(log2 n): how often n halves before it reaches 1, and "
               "0 for n = 0")
        << '\n';
  }
  out << words.tr("cheapest:") << '\n';
  for (const std::string& line :
       comparisonInWords(program.cheapest(), modelNames(program.models()), words)) {
    out << "  " << line << '\n';
  }
  const std::vector<ExactCount>& totals = program.counts().totals();
  std::size_t below = 0;
  for (const ExactCount& total : totals) below = std::max(below, total.fromN);
  if (below == 0) return;
  out << fill(words.tr("costs for n below %s:"), {std::to_string(below)}) << '\n';
  std::vector<Cells> table = {{"n"}};
  for (const std::string& name : modelNames(program.models())) table[0].push_back(name);
  for (std::size_t n = 0; n < below; ++n) {
    Cells cells = {std::to_string(n)};
    for (const ExactCount& total : totals) cells.push_back(decimalText(total.valueAt(n)));
    table.push_back(cells);
  }
  writeTable(out, table, words);
}

#include "report/explanation.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "report/wording.h"

namespace {

// Where cells are cut when the table is wider than the terminal: for a terminal 100 columns wide.
constexpr std::size_t PROGRAM_WIDTH = 36;
constexpr std::size_t VALUE_WIDTH = 16;

using Cells = std::vector<std::string>;

std::size_t capOf(std::size_t column) { return column == 1 ? PROGRAM_WIDTH : VALUE_WIDTH; }

// The cells cut are echoes and costs, written in ASCII.
std::string cut(const std::string& text, std::size_t cap, const Words& words) {
  return words.columnsOf(text) <= cap ? text : text.substr(0, cap - 3) + "...";
}

Cells endCells(int line, int depth) {
  return {std::to_string(line), std::string(2 * depth, ' ') + "END"};
}

Cells statementCells(const StatementRows& rows, const StatementRows::Row& row, std::size_t models) {
  const bool loop = row.loop >= 0;
  const Operations operations = loop ? Operations() : rows.operations(row);
  Cells cells = {std::to_string(row.line), std::string(2 * row.depth, ' ') + echoLine(row),
                 runsText(rows.runs(row)), loop ? "" : std::to_string(operations.additions),
                 loop ? "" : std::to_string(operations.multiplications)};
  for (std::size_t m = 0; m < models; ++m) cells.push_back(rows.cost(row, m).text());
  return cells;
}

// Hands `take` the header and then the cells of every line of the echo, in order.
void forEachLine(const AnalysedProgram& program, const Words& words,
                 const std::function<void(const Cells&)>& take) {
  Cells header = {words.tr("line"), words.tr("program"), words.tr("runs"), "+", "*"};
  for (const std::string& name : modelNames(program.models())) header.push_back(name);
  take(header);
  take({"1", "BEGIN"});
  const StatementRows& rows = program.rows();
  std::vector<const StatementRows::Row*> open;  // the loops whose END has not come yet
  const auto closeBefore = [&](int line) {
    for (; !open.empty() && rows.endLine(*open.back()) < line; open.pop_back()) {
      take(endCells(rows.endLine(*open.back()), open.back()->depth));
    }
  };
  for (const StatementRows::Row& row : rows.rows()) {
    closeBefore(row.line);
    take(statementCells(rows, row, program.models().size()));
    if (row.loop >= 0) open.push_back(&row);
  }
  const int last = rows.lastLine();
  closeBefore(last);
  take(endCells(last, 0));
}

// Aligned columns separated by two blanks, without trailing blanks; the program and the costs
// to the left.
void writeRow(std::ostream& out, const Cells& cells, const std::vector<std::size_t>& widths,
              const Words& words) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const std::string blanks(widths[i] - words.columnsOf(cells[i]), ' ');
    const bool left = i == 1 || i == 2 || i >= 5;
    if (i > 0) line += "  ";
    line += left ? cells[i] + blanks : blanks + cells[i];
  }
  line.erase(line.find_last_not_of(' ') + 1);
  out << line << '\n';
}

}  // namespace

void writeExplanation(std::ostream& out, const AnalysedProgram& program, const Words& words,
                      std::optional<std::size_t> width) {
  const std::size_t columns = 5 + program.models().size();
  std::vector<std::size_t> whole(columns, 0), capped(columns, 0);
  forEachLine(program, words, [&](const Cells& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
      whole[i] = std::max(whole[i], words.columnsOf(cells[i]));
      capped[i] = std::max(capped[i], std::min(words.columnsOf(cells[i]), capOf(i)));
    }
  });
  std::size_t tableWidth = 2 * (columns - 1);
  for (const std::size_t w : whole) tableWidth += w;
  const bool cutting = width && tableWidth > *width;
  forEachLine(program, words, [&](const Cells& cells) {
    if (!cutting) return writeRow(out, cells, whole, words);
    Cells shown;
    for (std::size_t i = 0; i < cells.size(); ++i) shown.push_back(cut(cells[i], capOf(i), words));
    writeRow(out, shown, capped, words);
  });
  out << words.tr("exact cost and growth:") << '\n';
  const std::vector<Growth> growth = program.growth();
  for (std::size_t m = 0; m < program.models().size(); ++m) {
    out << "  " << program.models()[m].name << " = " << program.exact()[m].text() << "  "
        << fill(words.tr("growth %s"), {growthText(growth[m])}) << '\n';
  }
  out << words.tr("cheapest:") << '\n';
  for (const std::string& line :
       comparisonInWords(program.cheapest(), modelNames(program.models()), words)) {
    out << "  " << line << '\n';
  }
}

#include "report/explanation.h"

#include <algorithm>
#include <sstream>

#include "analysis/growth.h"
#include "statements/statement.h"

std::string comparisonSkipped() {
  return "comparing these costs exactly would take more than the work limit of " +
         std::to_string(COMPARISON_WORK_LIMIT) + " word operations on big numbers";
}

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

std::vector<Column> columnsFor(const std::vector<CostModel>& models) {
  std::vector<Column> columns = {{"line", false, VALUE_WIDTH},
                                 {"program", true, PROGRAM_WIDTH},
                                 {"runs", true, VALUE_WIDTH},
                                 {"+", false, VALUE_WIDTH},
                                 {"*", false, VALUE_WIDTH}};
  for (const CostModel& model : models) columns.push_back({model.name, true, VALUE_WIDTH});
  return columns;
}

std::string cut(const std::string& text, std::size_t cap) {
  return text.size() <= cap ? text : text.substr(0, cap - 3) + "...";
}

// The echo's text of a statement's first line, indented as the echo indents it; unless `whole`,
// blanks as wide as the table shows it, which is all that measuring the table needs.
std::string echoLine(const StatementAnalysis& row, bool whole) {
  const std::string indent(2 * row.depth, ' ');
  if (row.kind == StatementAnalysis::Kind::loop) {
    return indent + "LOOP " + (row.count ? std::to_string(*row.count) : "n");
  }
  // The echo writes each of the operations' factors but the first, and each operator between
  // blanks: 4 characters an operation, one for the first factor, " ;" at the end.
  const std::uint64_t length = 2 * row.depth + 4 * (row.additions + row.multiplications) + 3;
  if (!whole) return std::string(std::min<std::uint64_t>(length, PROGRAM_WIDTH), ' ');
  std::ostringstream text;
  row.statement->print(text, 2 * row.depth);
  std::string line = text.str();
  line.pop_back();
  return line;
}

// Measures every cell of the table, or writes its rows with the widths measured.
class Table : public RowVisitor {
 public:
  Table(std::vector<Column> columns, std::ostream* out)
      : columns(std::move(columns)), widths(this->columns.size(), 0), out(out) {}

  void statement(const StatementAnalysis& row) override {
    const bool loop = row.kind == StatementAnalysis::Kind::loop;
    std::vector<std::string> cells = {std::to_string(row.line), echoLine(row, out != nullptr),
                                      runsText(row.runs), loop ? "" : std::to_string(row.additions),
                                      loop ? "" : std::to_string(row.multiplications)};
    for (const ExactPolynomial& cost : row.costs) cells.push_back(cost.text());
    take(std::move(cells));
  }
  void end(int line, int depth) override {
    take({std::to_string(line), std::string(2 * depth, ' ') + "END"});
  }

  void header() {
    std::vector<std::string> cells;
    for (const Column& column : columns) cells.push_back(column.header);
    take(cells);
  }

  void writeTo(std::ostream& to, std::vector<std::size_t> measured) {
    out = &to;
    widths = std::move(measured);
  }

  const std::vector<std::size_t>& measured() const { return widths; }

  void take(std::vector<std::string> cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) cells[i] = cut(cells[i], columns[i].cap);
    if (out == nullptr) {
      for (std::size_t i = 0; i < cells.size(); ++i)
        widths[i] = std::max(widths[i], cells[i].size());
    } else {
      write(cells);
    }
  }

 private:
  // Aligned columns separated by two blanks, without trailing blanks.
  void write(const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
      const std::string blanks(widths[i] - cells[i].size(), ' ');
      if (i > 0) line += "  ";
      line += columns[i].leftAligned ? cells[i] + blanks : blanks + cells[i];
    }
    line.erase(line.find_last_not_of(' ') + 1);
    *out << line << '\n';
  }

  std::vector<Column> columns;
  std::vector<std::size_t> widths;
  std::ostream* out;
};

std::string rangeText(const CheapestRange& range) {
  if (!range.to) return "for every n >= " + decimal(range.from);
  if (*range.to == range.from) return "for n = " + decimal(range.from);
  return "for " + decimal(range.from) + " <= n <= " + decimal(*range.to);
}

std::string cheapestText(const std::vector<std::size_t>& cheapest,
                         const std::vector<std::string>& names) {
  if (cheapest.size() == names.size() && names.size() > 1) {
    return names.size() == 2 ? "both cost the same" : "all cost the same";
  }
  std::string listed;
  for (std::size_t i = 0; i < cheapest.size(); ++i) {
    listed += (i == 0 ? "" : i + 1 == cheapest.size() ? " and " : ", ") + names[cheapest[i]];
  }
  if (cheapest.size() > 1) return listed + " cost the same and are cheapest";
  return listed + (names.size() == 2 ? " is cheaper" : " is cheapest");
}

}  // namespace

std::string runsText(const Runs& runs) {
  if (runs.factor == 0 || runs.power == 0) return decimal(runs.factor);
  const std::string power = "n^" + std::to_string(runs.power);
  return runs.factor == 1 ? power : decimal(runs.factor) + " * " + power;
}

std::vector<std::string> namesOf(const std::vector<CostModel>& models) {
  std::vector<std::string> names;
  for (const CostModel& model : models) names.push_back(model.name);
  return names;
}

std::vector<std::string> comparisonInWords(
    const std::optional<std::vector<CheapestRange>>& comparison,
    const std::vector<std::string>& names) {
  if (!comparison) return {"not computed: " + comparisonSkipped()};
  std::vector<std::string> lines;
  for (const CheapestRange& range : *comparison) {
    lines.push_back(rangeText(range) + ": " + cheapestText(range.cheapest, names));
  }
  return lines;
}

void writeExplanation(std::ostream& out, const ProgramAnalysis& analysis,
                      const std::vector<CostModel>& models,
                      const std::optional<std::vector<CheapestRange>>& comparison,
                      const std::string& theta) {
  Table table(columnsFor(models), nullptr);
  table.header();
  table.take({"1", "BEGIN"});
  analysis.walk(table);
  table.writeTo(out, table.measured());
  table.header();
  table.take({"1", "BEGIN"});
  analysis.walk(table);
  out << "exact cost and growth:\n";
  const std::vector<std::string> growth = analysis.growth();
  for (std::size_t i = 0; i < models.size(); ++i) {
    out << "  " << models[i].name << " = " << analysis.costs()[i].text() << "  growth "
        << growthText(growth[i], theta) << '\n';
  }
  out << "cheapest:\n";
  for (const std::string& line : comparisonInWords(comparison, namesOf(models))) {
    out << "  " << line << '\n';
  }
}

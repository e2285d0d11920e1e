#include "lsp/documentanalysis.h"

#include <sstream>
#include <utility>

#include "analysis/growth.h"
#include "analysis/programanalysis.h"
#include "report/consoletexts.h"
#include "report/costing.h"
#include "report/explanation.h"
#include "statements/statement.h"
#include "statements/statementstarts.h"

namespace {

bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::size_t nextNonBlank(const std::string& text, std::size_t from) {
  while (from < text.size() && isBlank(text[from])) ++from;
  return from;
}

// Collects the statements as the analysis walks them, in the order of the text, and finds where
// each ends: an expression statement at its ';', a loop after the END that follows its body.
class Placing : public RowVisitor {
 public:
  Placing(const std::string& text, const std::vector<long long>& starts,
          std::vector<PlacedStatement>& placed)
      : text(text), starts(starts), placed(placed) {}

  void statement(const StatementAnalysis& row) override {
    PlacedStatement statement;
    statement.loop = row.kind == StatementAnalysis::Kind::loop;
    statement.start = static_cast<std::size_t>(starts.at(placed.size()));
    statement.echo =
        statement.loop ? "LOOP " + (row.count ? std::to_string(*row.count) : "n") : echoed(row);
    statement.runs = runsText(row.runs);
    statement.additions = row.additions;
    statement.multiplications = row.multiplications;
    for (const ExactPolynomial& cost : row.costs) statement.costs.push_back(cost.text());
    if (statement.loop) {
      statement.hintAt = afterCount(statement.start);
      open.push_back(placed.size());
    } else {
      statement.end = text.find(';', statement.start) + 1;
      statement.hintAt = statement.end;
      last = statement.end;
    }
    placed.push_back(std::move(statement));
  }

  void end(int, int depth) override {
    last = nextNonBlank(text, last) + 3;  // past END
    if (depth == 0) return;
    placed[open.back()].end = last;
    open.pop_back();
  }

 private:
  // After "LOOP", its blanks and its count: "n", or digits with an optional sign.
  std::size_t afterCount(std::size_t loop) const {
    std::size_t at = nextNonBlank(text, loop + 4);
    if (at < text.size() && text[at] == 'n') return at + 1;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
    return at;
  }

  static std::string echoed(const StatementAnalysis& row) {
    std::ostringstream line;
    row.statement->print(line, 0);
    std::string echo = line.str();
    echo.pop_back();
    return echo;
  }

  const std::string& text;
  const std::vector<long long>& starts;
  std::vector<PlacedStatement>& placed;
  std::vector<std::size_t> open;  // the loops whose END has not come yet
  std::size_t last = 0;           // the end of the last statement or END placed
};

}  // namespace

DocumentAnalysis::DocumentAnalysis(std::string text, std::vector<CostModel> models,
                                   LineIndex::Units units)
    : source(std::move(text)), index(source, units), models(std::move(models)) {
  std::stringbuf buffer(source);
  const StatementStarts noting;
  parsed = parseProgram(buffer);
  starts = noting.offsets();
}

std::size_t DocumentAnalysis::errorOffset() const {
  std::size_t offset = 0;
  for (unsigned long long line = 1; line < parsed.position.line; ++line) {
    offset = source.find('\n', offset) + 1;
  }
  return std::min<std::size_t>(offset + parsed.position.column - 1, source.size());
}

std::vector<std::string> DocumentAnalysis::warnings() const {
  return precisionWarnings(costsOf(*parsed.program, models, nullptr), models);
}

std::string DocumentAnalysis::echo() const {
  std::ostringstream text;
  parsed.program->print(text);
  return text.str();
}

const std::vector<PlacedStatement>& DocumentAnalysis::statements() {
  if (!placed) place();
  return *placed;
}

const ProgramSummary& DocumentAnalysis::program() {
  if (!placed) place();
  return summary;
}

void DocumentAnalysis::place() {
  const ProgramAnalysis analysis(*parsed.program, models, true);
  std::vector<PlacedStatement> statements;
  Placing placing(source, starts, statements);
  analysis.walk(placing);
  ProgramSummary whole;
  whole.begin = nextNonBlank(source, 0);
  for (const ExactPolynomial& cost : analysis.costs()) whole.costs.push_back(cost.text());
  for (const std::string& growth : analysis.growth()) {
    whole.growth.push_back(growthText(growth, ConsoleTexts::utf8().theta));
  }
  whole.cheapest = comparisonInWords(analysis.comparison(), namesOf(models));
  summary = std::move(whole);
  placed = std::move(statements);
}

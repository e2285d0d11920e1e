#include "analysis/programanalysis.h"

#include "analysis/growth.h"
#include "statements/expressionstatement.h"
#include "statements/loopstatement.h"
#include "statements/program.h"

namespace {

// What the row of a loop and the rows inside it need from its count.
struct LoopRuns {
  Integer factor;  // the count, or 1 for n
  int power;       // 1 for n, else 0
};

LoopRuns loopRuns(const LoopStatement& loop) {
  const int count = loop.getCount();
  return count < 0 ? LoopRuns{1, 1} : LoopRuns{count, 0};
}

// Walks the tree in echo order, numbering the lines as the echo does, one row at a time.
class RowWalk {
 public:
  RowWalk(const std::vector<WholePrices>& prices, const std::vector<OperationCounts>& loopBodies,
          StatementVisitor& visitor)
      : prices(prices), loopBodies(loopBodies), visitor(visitor) {}

  void list(const Statementlist* list, const Runs& runs, int depth) {
    for (; list != nullptr; list = list->getRest()) {
      const Statement* statement = list->getStatement();
      if (const auto* loop = dynamic_cast<const LoopStatement*>(statement)) {
        this->loop(*loop, runs, depth);
      } else {
        expression(*static_cast<const ExpressionStatement*>(statement), runs, depth);
      }
    }
  }

  int lines() const { return line; }

 private:
  void expression(const ExpressionStatement& statement, const Runs& runs, int depth) {
    const Operations own = operationsOf(*statement.getExpression());
    StatementAnalysis row{StatementAnalysis::Kind::expression, &statement, ++line, depth, runs,
                          std::nullopt, own.additions, own.multiplications, {}};
    for (const WholePrices& model : prices) {
      row.costs.push_back(model.priced(own, runs.factor, runs.power));
    }
    visitor.statement(row);
  }

  void loop(const LoopStatement& loop, const Runs& runs, int depth) {
    const LoopRuns repeats = loopRuns(loop);
    const OperationCounts& body = loopBodies[nextLoop++];
    StatementAnalysis row{StatementAnalysis::Kind::loop, &loop, ++line, depth, runs,
                          std::nullopt, 0, 0, {}};
    if (repeats.power == 0) row.count = loop.getCount();
    const Runs inner{runs.factor * repeats.factor, runs.power + repeats.power};
    for (const WholePrices& model : prices) {
      row.costs.push_back(body.priced(model, inner.factor, inner.power));
    }
    visitor.statement(row);
    row = StatementAnalysis();  // the costs of a deep loop need not wait for its body
    list(loop.getBody(), inner, depth + 1);
    visitor.end(++line, depth);
  }

  const std::vector<WholePrices>& prices;
  const std::vector<OperationCounts>& loopBodies;
  StatementVisitor& visitor;
  std::size_t nextLoop = 0;
  int line = 1;  // BEGIN
};

}  // namespace

ProgramAnalysis::ProgramAnalysis(const Program& program, const std::vector<CostModel>& models,
                                 bool rows)
    : program(program), keepLoops(rows) {
  for (const CostModel& model : models) prices.emplace_back(model);
  const OperationCounts counts = countsOf(program.getBody());
  for (const WholePrices& model : prices) totals.push_back(counts.priced(model));
}

// One run of the list. A list's own expression statements share its runs, so they are added
// up as plain numbers first.
OperationCounts ProgramAnalysis::countsOf(const Statementlist* list) {
  OperationCounts counts;
  Operations direct;
  for (; list != nullptr; list = list->getRest()) {
    const Statement* statement = list->getStatement();
    if (const auto* loop = dynamic_cast<const LoopStatement*>(statement)) {
      const std::size_t slot = loopBodies.size();
      if (keepLoops) loopBodies.emplace_back();
      OperationCounts body = countsOf(loop->getBody());
      const LoopRuns repeats = loopRuns(*loop);
      counts.add(body, repeats.factor, repeats.power);
      if (keepLoops) loopBodies[slot] = std::move(body);
    } else {
      const Operations own =
          operationsOf(*static_cast<const ExpressionStatement*>(statement)->getExpression());
      direct.additions += own.additions;
      direct.multiplications += own.multiplications;
    }
  }
  counts.add(1, 0, direct.additions, direct.multiplications);
  return counts;
}

std::vector<std::string> ProgramAnalysis::growth() const {
  std::vector<std::string> growths;
  for (const ExactPolynomial& cost : totals) growths.push_back(growthOf(cost));
  return growths;
}

std::optional<std::vector<CheapestRange>> ProgramAnalysis::comparison() const {
  return cheapestRanges(totals);
}

void ProgramAnalysis::walk(StatementVisitor& visitor) const {
  RowWalk rows(prices, loopBodies, visitor);
  rows.list(program.getBody(), Runs{1, 0}, 1);
  visitor.end(rows.lines() + 1, 0);
}

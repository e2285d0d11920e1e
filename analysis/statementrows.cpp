#include "analysis/statementrows.h"

#include <utility>

#include "statements/expressionstatement.h"
#include "statements/loopstatement.h"
#include "statements/program.h"

namespace {

// How a loop repeats its body: factor * n^power times.
Runs repeats(const LoopStatement& loop) {
  const int count = loop.getCount();
  return count < 0 ? Runs{1, 1} : Runs{count, 0};
}

}  // namespace

// Counts one run of a list: its own expression statements share its runs, so they are added up
// as plain numbers; each loop adds its body's counts times its count. Given rows to fill, also
// notes each statement's row and each loop's body, in the order of the echo.
class RowWalk : public StatementVisitor {
 public:
  explicit RowWalk(StatementRows* rows) : rows(rows) {}

  OperationCounts list(const Statementlist* list, const Runs& runs, int depth, int parent) {
    Frame frame{{}, {}, &runs, depth, parent};
    Frame* const outer = std::exchange(current, &frame);
    for (; list != nullptr; list = list->getRest()) list->getStatement()->accept(*this);
    current = outer;
    frame.counts.add(1, 0, frame.direct.additions, frame.direct.multiplications);
    return std::move(frame.counts);
  }

  void visit(const ExpressionStatement& statement) override {
    const Operations own = operationsOf(*statement.getExpression());
    current->direct.additions += own.additions;
    current->direct.multiplications += own.multiplications;
    if (rows != nullptr) note(statement, -1);
  }

  void visit(const LoopStatement& loop) override {
    const Runs repeated = repeats(loop);
    int index = -1;
    Runs inner;
    if (rows != nullptr) {
      index = static_cast<int>(rows->loops.size());
      inner = {current->runs->factor * repeated.factor, current->runs->power + repeated.power};
      rows->loops.push_back({{}, inner, 0});
      note(loop, index);
    }
    OperationCounts body = list(loop.getBody(), inner, current->depth + 1, index);
    current->counts.add(body, repeated.factor, repeated.power);
    if (rows == nullptr) return;
    rows->loops[index].body = std::move(body);
    rows->loops[index].endLine = ++line;
  }

  int line = 1;  // "BEGIN"

 private:
  struct Frame {
    OperationCounts counts;
    Operations direct;
    const Runs* runs;
    int depth;
    int parent;
  };

  void note(const Statement& statement, int loop) {
    rows->all.push_back({&statement, ++line, current->depth, current->parent, loop});
  }

  StatementRows* rows;
  Frame* current = nullptr;
};

StatementRows::StatementRows(const Program& program, const std::vector<CostModel>& models) {
  for (const CostModel& model : models) prices.emplace_back(model);
  RowWalk walk(this);
  const OperationCounts counts = walk.list(program.getBody(), Runs{1, 0}, 1, -1);
  last = walk.line + 1;
  for (const WholePrices& model : prices) sums.push_back(counts.priced(model));
}

int StatementRows::endLine(const Row& loop) const { return loops[loop.loop].endLine; }

Runs StatementRows::runs(const Row& row) const {
  return row.parent < 0 ? Runs{1, 0} : loops[row.parent].inner;
}

std::optional<int> StatementRows::count(const Row& row) const {
  const int count = static_cast<const LoopStatement*>(row.statement)->getCount();
  return count < 0 ? std::nullopt : std::optional<int>(count);
}

Operations StatementRows::operations(const Row& row) const {
  return operationsOf(*static_cast<const ExpressionStatement*>(row.statement)->getExpression());
}

ExactPolynomial StatementRows::cost(const Row& row, std::size_t model) const {
  if (row.loop >= 0) {
    const Loop& loop = loops[row.loop];
    return loop.body.priced(prices[model], loop.inner.factor, loop.inner.power);
  }
  const Runs times = runs(row);
  return prices[model].priced(operations(row), times.factor, times.power);
}

std::vector<ExactPolynomial> exactTotals(const Program& program,
                                         const std::vector<CostModel>& models) {
  const OperationCounts counts = RowWalk(nullptr).list(program.getBody(), Runs{1, 0}, 1, -1);
  std::vector<ExactPolynomial> totals;
  for (const CostModel& model : models) totals.push_back(counts.priced(WholePrices(model)));
  return totals;
}

#include "analysis/programanalysis.h"

#include <utility>

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

// Counts one run of a list: its own expression statements share its runs, so they are added up
// as plain numbers; each loop adds its body's counts times its count. Keeps each loop's body,
// in echo order, when given somewhere to.
class CountWalk : public StatementVisitor {
 public:
  explicit CountWalk(std::vector<OperationCounts>* loopBodies) : loopBodies(loopBodies) {}

  OperationCounts list(const Statementlist* list) {
    Frame frame;
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
  }

  void visit(const LoopStatement& loop) override {
    const std::size_t slot = loopBodies != nullptr ? loopBodies->size() : 0;
    if (loopBodies != nullptr) loopBodies->emplace_back();
    OperationCounts body = list(loop.getBody());
    const LoopRuns repeats = loopRuns(loop);
    current->counts.add(body, repeats.factor, repeats.power);
    if (loopBodies != nullptr) (*loopBodies)[slot] = std::move(body);
  }

 private:
  struct Frame {
    OperationCounts counts;
    Operations direct;
  };

  std::vector<OperationCounts>* loopBodies;
  Frame* current = nullptr;
};

// Walks the tree in echo order, numbering the lines as the echo does, one row at a time.
class RowWalk : public StatementVisitor {
 public:
  RowWalk(const std::vector<WholePrices>& prices, const std::vector<OperationCounts>& loopBodies,
          RowVisitor& visitor)
      : prices(prices), loopBodies(loopBodies), visitor(visitor) {}

  // The statements of a list that runs `runs` times at `depth`.
  void list(const Statementlist* list, const Runs& runs, int depth) {
    const Runs* const outerRuns = std::exchange(this->runs, &runs);
    const int outerDepth = std::exchange(this->depth, depth);
    for (; list != nullptr; list = list->getRest()) list->getStatement()->accept(*this);
    this->runs = outerRuns;
    this->depth = outerDepth;
  }

  int lines() const { return line; }

  void visit(const ExpressionStatement& statement) override {
    const Operations own = operationsOf(*statement.getExpression());
    StatementAnalysis row{StatementAnalysis::Kind::expression,
                          &statement,
                          ++line,
                          depth,
                          *runs,
                          std::nullopt,
                          own.additions,
                          own.multiplications,
                          {}};
    for (const WholePrices& model : prices) {
      row.costs.push_back(model.priced(own, runs->factor, runs->power));
    }
    visitor.statement(row);
  }

  void visit(const LoopStatement& loop) override {
    const LoopRuns repeats = loopRuns(loop);
    const OperationCounts& body = loopBodies[nextLoop++];
    StatementAnalysis row{
        StatementAnalysis::Kind::loop, &loop, ++line, depth, *runs, std::nullopt, 0, 0, {}};
    if (repeats.power == 0) row.count = loop.getCount();
    const Runs inner{runs->factor * repeats.factor, runs->power + repeats.power};
    for (const WholePrices& model : prices) {
      row.costs.push_back(body.priced(model, inner.factor, inner.power));
    }
    visitor.statement(row);
    row = StatementAnalysis();  // the costs of a deep loop need not wait for its body
    const int loopDepth = depth;
    list(loop.getBody(), inner, depth + 1);
    visitor.end(++line, loopDepth);
  }

 private:
  const std::vector<WholePrices>& prices;
  const std::vector<OperationCounts>& loopBodies;
  RowVisitor& visitor;
  const Runs* runs = nullptr;  // of the list being walked
  int depth = 0;
  std::size_t nextLoop = 0;
  int line = 1;  // BEGIN
};

}  // namespace

ProgramAnalysis::ProgramAnalysis(const Program& program, const std::vector<CostModel>& models,
                                 bool rows)
    : program(program) {
  for (const CostModel& model : models) prices.emplace_back(model);
  const OperationCounts counts = CountWalk(rows ? &loopBodies : nullptr).list(program.getBody());
  for (const WholePrices& model : prices) totals.push_back(counts.priced(model));
}

std::vector<std::string> ProgramAnalysis::growth() const {
  std::vector<std::string> growths;
  for (const ExactPolynomial& cost : totals) growths.push_back(growthOf(cost));
  return growths;
}

std::optional<std::vector<CheapestRange>> ProgramAnalysis::comparison() const {
  return cheapestRanges(totals);
}

void ProgramAnalysis::walk(RowVisitor& visitor) const {
  RowWalk rows(prices, loopBodies, visitor);
  rows.list(program.getBody(), Runs{1, 0}, 1);
  visitor.end(rows.lines() + 1, 0);
}

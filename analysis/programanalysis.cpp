#include "analysis/programanalysis.h"

#include <chrono>

#include "analysis/operationcounts.h"
#include "statements/expressionstatement.h"
#include "statements/loopstatement.h"
#include "statements/program.h"

namespace {

// Walks the tree in echo order, numbering the lines as the echo does.
class Walk {
 public:
  Walk(const std::vector<CostModel>& models, bool perStatement)
      : models(models), perStatement(perStatement) {}

  OperationCounts list(const Statementlist* list, const Runs& runs, int depth) {
    OperationCounts counts;
    Operations direct;  // the list's own expression statements share its runs
    for (; list != nullptr; list = list->getRest()) {
      ++line;
      const Statement* statement = list->getStatement();
      if (const auto* loop = dynamic_cast<const LoopStatement*>(statement)) {
        counts.add(this->loop(*loop, runs, depth));
      } else {
        const Operations own =
            operationsOf(*static_cast<const ExpressionStatement*>(statement)->getExpression());
        direct.additions += own.additions;
        direct.multiplications += own.multiplications;
        if (perStatement) addExpressionRow(own, runs, depth);
      }
    }
    counts.add(runs.factor, runs.power, direct.additions, direct.multiplications);
    return counts;
  }

  std::vector<StatementAnalysis> rows;

 private:
  OperationCounts loop(const LoopStatement& loop, const Runs& runs, int depth) {
    const bool byN = loop.getCount() < 0;
    const Runs inner{byN ? runs.factor : runs.factor * loop.getCount(), runs.power + (byN ? 1 : 0)};
    const std::size_t row = rows.size();
    if (perStatement) {
      rows.push_back({StatementAnalysis::Kind::loop,
                      line,
                      depth,
                      runs,
                      byN ? "n" : std::to_string(loop.getCount()),
                      0,
                      0,
                      {}});
    }
    OperationCounts counts = list(loop.getBody(), inner, depth + 1);
    ++line;  // END
    if (perStatement) rows[row].costs = pricedByEveryModel(counts);
    return counts;
  }

  void addExpressionRow(const Operations& own, const Runs& runs, int depth) {
    OperationCounts counts;
    counts.add(runs.factor, runs.power, own.additions, own.multiplications);
    rows.push_back({StatementAnalysis::Kind::expression, line, depth, runs, "", own.additions,
                    own.multiplications, pricedByEveryModel(counts)});
  }

  std::vector<ExactPolynomial> pricedByEveryModel(const OperationCounts& counts) const {
    std::vector<ExactPolynomial> costs;
    for (const CostModel& model : models) costs.push_back(counts.priced(model));
    return costs;
  }

  const std::vector<CostModel>& models;
  const bool perStatement;
  int line = 1;  // BEGIN
};

}  // namespace

ProgramAnalysis analyse(const Program& program, const std::vector<CostModel>& models,
                        bool perStatement) {
  Walk walk(models, perStatement);
  const OperationCounts counts = walk.list(program.getBody(), Runs{1, 0}, 1);
  ProgramAnalysis analysis;
  for (const CostModel& model : models) analysis.costs.push_back(counts.priced(model));
  if (!perStatement) return analysis;
  analysis.statements = std::move(walk.rows);
  for (const ExactPolynomial& cost : analysis.costs) analysis.growth.push_back(growthOf(cost));
  analysis.comparison = cheapestRanges(analysis.costs, std::chrono::seconds(1));
  return analysis;
}

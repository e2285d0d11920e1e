#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/comparison.h"
#include "analysis/costmodel.h"
#include "analysis/exactpolynomial.h"
#include "analysis/operationcounts.h"

class Program;
class Statement;
class Statementlist;

// How many times a line runs in one run of the program: factor * n^power.
struct Runs {
  Integer factor;  // the product of the enclosing fixed counts
  int power = 0;   // the number of enclosing n-loops
};

// One statement of the program as the echo shows it.
struct StatementAnalysis {
  enum class Kind { expression, loop };

  Kind kind = Kind::expression;
  const Statement* statement = nullptr;
  int line = 0;   // in the echo; line 1 is "BEGIN"
  int depth = 0;  // 1 for a statement of the program's own list
  Runs runs;
  std::optional<int> count;     // a loop's fixed count; empty for n and for expressions
  std::uint64_t additions = 0;  // an expression statement's, per run
  std::uint64_t multiplications = 0;
  std::vector<ExactPolynomial> costs;  // per model: over all runs (a loop: its whole body)
};

// Told of each line of the echo after "BEGIN", in order.
class RowVisitor {
 public:
  virtual ~RowVisitor() = default;
  virtual void statement(const StatementAnalysis& row) = 0;
  // The "END" of a loop at `depth`, or of the program at depth 0.
  virtual void end(int line, int depth) = 0;
};

// The program's exact cost under each model, and everything the statements' rows need.
class ProgramAnalysis {
 public:
  // Keeps a reference to `program`; `rows` keeps what walk() needs, else only the totals are
  // found.
  ProgramAnalysis(const Program& program, const std::vector<CostModel>& models, bool rows);

  const std::vector<ExactPolynomial>& costs() const { return totals; }
  std::vector<std::string> growth() const;  // per model: "0", "1" or "n^k"
  // The cheapest model(s) for every n >= 0; empty when the work limit was reached first.
  std::optional<std::vector<CheapestRange>> comparison() const;
  // Tells `visitor` of every statement, with its costs, and every "END"; needs `rows`. One row
  // at a time is held, so that the rows of any program fit where its tree does.
  void walk(RowVisitor& visitor) const;

 private:
  const Program& program;
  std::vector<WholePrices> prices;          // per model
  std::vector<OperationCounts> loopBodies;  // one run of each loop's body, in echo order
  std::vector<ExactPolynomial> totals;
};

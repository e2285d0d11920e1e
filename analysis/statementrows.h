#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "analysis/costmodel.h"
#include "analysis/exactpolynomial.h"
#include "analysis/operationcounts.h"

class Program;
class Statement;

// How many times a line runs in one run of the program: factor * n^power.
struct Runs {
  Integer factor;  // the product of the enclosing fixed counts
  int power = 0;   // the number of enclosing n-loops
};

// The program's exact cost under each model and each statement's, in the order of the echo: how
// often it runs, its operations and its cost over all its runs (a loop's: its whole body's). A
// row holds its place and its loops; its costs are priced when asked for, so that the rows of
// any program fit where its tree does.
class StatementRows {
 public:
  struct Row {
    const Statement* statement;
    int line;    // in the echo, where "BEGIN" is line 1
    int depth;   // 1 for a statement of the program's own list
    int parent;  // the index of the loop around it in `loops`, or -1
    int loop;    // a loop's own index there; -1 for an expression statement
  };

  StatementRows(const Program& program, const std::vector<CostModel>& models);

  const std::vector<Row>& rows() const { return all; }
  const std::vector<ExactPolynomial>& totals() const { return sums; }  // per model
  int endLine(const Row& loop) const;                                  // of its END
  int lastLine() const { return last; }                                // of the program's END
  Runs runs(const Row& row) const;
  std::optional<int> count(const Row& row) const;  // a loop's fixed count; none for n
  Operations operations(const Row& row) const;     // an expression statement's, per run
  ExactPolynomial cost(const Row& row, std::size_t model) const;

 private:
  friend class RowWalk;
  struct Loop {
    OperationCounts body;  // one run of the body
    Runs inner;            // how often the body runs
    int endLine = 0;
  };

  std::vector<WholePrices> prices;  // per model
  std::vector<Row> all;
  std::vector<Loop> loops;
  std::vector<ExactPolynomial> sums;
  int last = 0;
};

// The program's exact cost under each model, without the rows.
std::vector<ExactPolynomial> exactTotals(const Program& program,
                                         const std::vector<CostModel>& models);

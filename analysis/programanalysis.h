#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/comparison.h"
#include "analysis/costmodel.h"
#include "analysis/exactpolynomial.h"

class Program;

// How many times a line runs in one run of the program: factor * n^power.
struct Runs {
  Integer factor;  // the product of the enclosing fixed counts
  int power = 0;   // the number of enclosing n-loops
};

// One statement of the program as the echo shows it.
struct StatementAnalysis {
  enum class Kind { expression, loop };

  Kind kind = Kind::expression;
  int line = 0;   // in the echo; line 1 is "BEGIN"
  int depth = 0;  // 1 for a statement of the program's own list
  Runs runs;
  std::string count;            // a loop's count as echoed: "n" or the number
  std::uint64_t additions = 0;  // an expression statement's, per run
  std::uint64_t multiplications = 0;
  std::vector<ExactPolynomial> costs;  // per model: over all runs (a loop: its whole body)
};

// Where a program's cost comes from, exactly, under each model.
struct ProgramAnalysis {
  std::vector<StatementAnalysis> statements;  // in echo order; empty unless asked for
  std::vector<ExactPolynomial> costs;         // the program's exact cost per model
  std::vector<std::string> growth;            // per model: "0", "1" or "n^k"
  // The cheapest model(s) for every n >= 0; empty when it could not be computed in time.
  std::optional<std::vector<CheapestRange>> comparison;
};

// The program's exact costs; with `perStatement`, also the rows of every statement, the growth
// and the comparison of the models.
ProgramAnalysis analyse(const Program& program, const std::vector<CostModel>& models,
                        bool perStatement);

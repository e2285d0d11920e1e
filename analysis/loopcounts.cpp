#include "analysis/loopcounts.h"

#include "statements/loopstatement.h"

namespace {

const LoopStatement& loopOf(const StatementRows::Row& row) {
  return *static_cast<const LoopStatement*>(row.statement);
}

// A sum of a count as a polynomial; `variableOf` gives an index's variable. Its products are
// work, counted against the LOOP at `line`.
template <typename VariableOf>
MultiPolynomial polynomialOf(const LoopCount& count, const LoopCount::Sum& sum,
                             const VariableOf& variableOf, int line, CountWork& work) {
  MultiPolynomial total;
  for (const LoopCount::Term& term : sum) {
    MultiPolynomial product(1);
    for (const LoopCount::Factor& factor : term.factors) {
      work.spend(product.size() + 1, line);
      switch (factor.kind) {
        case LoopCount::Factor::Kind::number:
          product = product * MultiPolynomial(Rational(factor.value));
          break;
        case LoopCount::Factor::Kind::n:
          product = product * MultiPolynomial::variable(MultiPolynomial::N);
          break;
        case LoopCount::Factor::Kind::log:
          product = product * MultiPolynomial::variable(MultiPolynomial::LOG);
          break;
        case LoopCount::Factor::Kind::index:
          product =
              product * MultiPolynomial::variable(variableOf(static_cast<char>(factor.value)));
          break;
        case LoopCount::Factor::Kind::group: {
          const MultiPolynomial group =
              polynomialOf(count, count.group(factor.value), variableOf, line, work);
          work.spend(CountWork::product(product.size(), group.size()), line);
          product = product * group;
          break;
        }
      }
    }
    if (term.minus) {
      total -= product;
    } else {
      total += product;
    }
  }
  return total;
}

}  // namespace

LoopCounts::LoopCounts(const StatementRows& rows, const std::vector<CostModel>& models)
    : table(rows), models(models), once(ExactCount::of(ExactPolynomial::fromTerms({{0, 1}}, 1))) {
  for (std::size_t r = 0; r < rows.rows().size(); ++r) {
    if (rows.rows()[r].loop >= 0) loopRows.push_back(r);
  }
  try {
    for (std::size_t loop = 0; loop < loopRows.size(); ++loop) loopBodies.push_back(bodyRuns(loop));
    for (std::size_t m = 0; m < models.size(); ++m) {
      sums.push_back(ExactCount::combined(costTerms(0, rows.rows().size(), m)));
    }
  } catch (const CountRefusal& refusal) {
    refused = refusal;
    loopBodies.clear();
    sums.clear();
  }
}

// The loop and those around it, inside out: each sums or repeats what the ones inside it gave,
// until no index is left: from there on, it is that count times the runs of the loop's list,
// known already, as a loop comes after the loops around it.
ExactCount LoopCounts::bodyRuns(std::size_t loop) const {
  const auto& rows = table.rows();
  Piecewise runs(1);
  int line = rows[loopRows[loop]].line;
  for (int at = static_cast<int>(loop); at >= 0; at = rows[loopRows[at]].parent) {
    const StatementRows::Row& row = rows[loopRows[at]];
    line = row.line;
    const LoopStatement& statement = loopOf(row);
    const LoopCount* count = statement.getExtendedCount();
    if (count == nullptr) {
      const int fixed = statement.getCount();
      runs.repeat(fixed < 0 ? MultiPolynomial::variable(MultiPolynomial::N)
                            : MultiPolynomial(Rational(fixed)),
                  line, work);
      continue;
    }
    const auto variableOf = [&](char letter) {
      int outer = row.parent;
      while (loopOf(rows[loopRows[outer]]).getExtendedCount() == nullptr ||
             loopOf(rows[loopRows[outer]]).getExtendedCount()->index() != letter) {
        outer = rows[loopRows[outer]].parent;
      }
      return MultiPolynomial::indexAt(rows[loopRows[outer]].depth);
    };
    const MultiPolynomial last = polynomialOf(*count, count->to(), variableOf, line, work);
    if (count->index() == '\0') {
      runs.repeat(last, line, work);
    } else {
      runs.sum(MultiPolynomial::indexAt(row.depth),
               polynomialOf(*count, count->from(), variableOf, line, work), last, line, work);
    }
    if (row.parent >= 0 && runs.inNAlone()) {
      const ExactCount& outer = loopBodies[row.parent];
      const ExactCount inner = ExactCount::of(runs, line, work);
      work.spend(inner.polynomial.terms().size() * outer.polynomial.terms().size() + inner.fromN +
                     outer.fromN,
                 line);
      return ExactCount::product(inner, outer);
    }
  }
  return ExactCount::of(runs, line, work);
}

const ExactCount& LoopCounts::runs(std::size_t row) const {
  const int parent = table.rows()[row].parent;
  return parent < 0 ? once : loopBodies[parent];
}

std::vector<Rational> LoopCounts::directCosts(const Operations& operations) const {
  std::vector<Rational> costs;
  for (const CostModel& model : models) {
    costs.push_back(model.addition.exact() * operations.additions +
                    model.multiplication.exact() * operations.multiplications);
  }
  return costs;
}

// Each expression statement among the rows, priced, with its runs.
std::vector<std::pair<Rational, const ExactCount*>> LoopCounts::costTerms(std::size_t firstRow,
                                                                          std::size_t endRow,
                                                                          std::size_t model) const {
  std::vector<std::pair<Rational, const ExactCount*>> terms;
  for (std::size_t r = firstRow; r < endRow; ++r) {
    if (table.rows()[r].loop >= 0) continue;
    terms.emplace_back(directCosts(table.operations(table.rows()[r]))[model], &runs(r));
  }
  return terms;
}

ExactCount LoopCounts::cost(std::size_t row, std::size_t model) const {
  const auto& rows = table.rows();
  std::size_t end = row + 1;
  if (rows[row].loop >= 0) {
    while (end < rows.size() && rows[end].depth > rows[row].depth) ++end;
  }
  return ExactCount::combined(costTerms(row, end, model));
}

#include "tests/analysischecks.h"

#include <sstream>

std::vector<std::size_t> cheapestByEvaluation(const std::vector<ExactPolynomial>& costs,
                                              const Integer& n) {
  std::vector<std::size_t> cheapest;
  Rational least;
  for (std::size_t i = 0; i < costs.size(); ++i) {
    const Rational value = costs[i].valueAt(n);
    if (cheapest.empty() || value < least) {
      cheapest.clear();
      least = value;
    }
    if (value == least) cheapest.push_back(i);
  }
  return cheapest;
}

bool rowsAddUp(const StatementRows& rows, std::size_t models) {
  struct Open {
    const StatementRows::Row* loop;
    std::vector<ExactPolynomial> sum;
  };
  std::vector<Open> open;
  std::vector<ExactPolynomial> total(models);
  bool addUp = true;
  const auto closeBefore = [&](int line) {
    for (; !open.empty() && rows.endLine(*open.back().loop) < line; open.pop_back()) {
      for (std::size_t m = 0; m < models; ++m) {
        addUp = addUp && rows.cost(*open.back().loop, m) == open.back().sum[m];
      }
    }
  };
  for (const StatementRows::Row& row : rows.rows()) {
    closeBefore(row.line);
    if (row.loop >= 0) {
      open.push_back({&row, std::vector<ExactPolynomial>(models)});
      continue;
    }
    for (std::size_t m = 0; m < models; ++m) {
      const ExactPolynomial cost = rows.cost(row, m);
      total[m].add(cost);
      for (Open& loop : open) loop.sum[m].add(cost);
    }
  }
  closeBefore(rows.lastLine());
  return addUp && total == rows.totals();
}

AnalysedProgram analysedText(const std::string& text, const std::vector<CostModel>& models) {
  std::stringbuf buffer(text);
  return AnalysedProgram(parseProgram(buffer, Places::statements), models);
}

ExactPolynomial monomial(const Rational& c, int power) {
  return ExactPolynomial::fromTerms({{power, numerator(c)}}, denominator(c));
}

ExactPolynomial scaled(const ExactPolynomial& p, const Rational& factor) {
  std::vector<ExactPolynomial::Term> terms = p.terms();
  for (ExactPolynomial::Term& term : terms) term.numerator *= numerator(factor);
  return ExactPolynomial::fromTerms(std::move(terms), p.commonDenominator() * denominator(factor));
}

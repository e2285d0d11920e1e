#include "analysis/exactcount.h"

#include <algorithm>
#include <functional>

#include "analysis/leadingsign.h"

namespace {

// The polynomial from `start` on, and fromN walked down while the true values agree with it.
ExactCount settle(ExactPolynomial polynomial, std::size_t start,
                  const std::function<Rational(std::size_t)>& truth) {
  ExactCount count{std::move(polynomial), start, {}};
  for (std::size_t n = 0; n < start; ++n) count.below.push_back(truth(n));
  while (count.fromN > 0 &&
         count.below.back() == count.polynomial.valueAt(Integer(count.fromN - 1))) {
    --count.fromN;
    count.below.pop_back();
  }
  return count;
}

}  // namespace

ExactCount ExactCount::of(const ExactPolynomial& polynomial) { return {polynomial, 0, {}}; }

ExactCount ExactCount::of(const Piecewise& value, int line, CountWork& work) {
  struct Part {
    std::vector<ExactPolynomial> atLeastZero;
    ExactPolynomial value;
  };
  std::vector<Part> parts;
  Integer start = 0;
  ExactPolynomial large;
  for (const Piecewise::Piece& piece : value.pieces()) {
    Part part{{}, piece.value.inN()};
    bool holds = true;
    for (const Piecewise::Condition& condition : piece.conditions) {
      part.atLeastZero.push_back(condition.atLeastZero.inN());
      const ExactPolynomial& p = part.atLeastZero.back();
      const std::optional<Integer> from = leadingSignFrom(p, MAX_FROM_N);
      if (!from) throw CountRefusal{CountRefusal::Reason::workLimit, line};
      start = std::max(start, *from);
      holds = holds && p.leadingCoefficient() > 0;
    }
    if (holds) large.add(part.value);
    parts.push_back(std::move(part));
  }
  const auto truth = [&](std::size_t n) {
    Rational sum = 0;
    for (const Part& part : parts) {
      work.spend(part.atLeastZero.size() + part.value.terms().size(), line);
      const bool holds = std::all_of(part.atLeastZero.begin(), part.atLeastZero.end(),
                                     [n](const ExactPolynomial& p) { return p.valueAt(n) >= 0; });
      if (holds) sum += part.value.valueAt(n);
    }
    return sum;
  };
  return settle(std::move(large), static_cast<std::size_t>(start), truth);
}

ExactCount ExactCount::combined(const std::vector<std::pair<Rational, const ExactCount*>>& terms) {
  std::size_t start = 0;
  ExactPolynomial sum;
  for (const auto& [factor, count] : terms) {
    start = std::max(start, count->fromN);
    std::vector<ExactPolynomial::Term> scaled;
    for (const ExactPolynomial::Term& term : count->polynomial.terms()) {
      scaled.push_back({term.power, term.numerator * numerator(factor), term.log});
    }
    sum.add(ExactPolynomial::fromTerms(
        std::move(scaled), count->polynomial.commonDenominator() * denominator(factor)));
  }
  return settle(std::move(sum), start, [&](std::size_t n) {
    Rational value = 0;
    for (const auto& [factor, count] : terms) value += factor * count->valueAt(n);
    return value;
  });
}

ExactCount ExactCount::product(const ExactCount& a, const ExactCount& b) {
  ExactPolynomial product;
  for (const ExactPolynomial::Term& mine : a.polynomial.terms()) {
    std::vector<ExactPolynomial::Term> terms;
    for (const ExactPolynomial::Term& theirs : b.polynomial.terms()) {
      terms.push_back(
          {mine.power + theirs.power, mine.numerator * theirs.numerator, mine.log + theirs.log});
    }
    product.add(ExactPolynomial::fromTerms(
        std::move(terms), a.polynomial.commonDenominator() * b.polynomial.commonDenominator()));
  }
  return settle(std::move(product), std::max(a.fromN, b.fromN),
                [&](std::size_t n) { return a.valueAt(n) * b.valueAt(n); });
}

Rational ExactCount::valueAt(const Integer& n) const {
  return n < fromN ? below[static_cast<std::size_t>(n)] : polynomial.valueAt(n);
}

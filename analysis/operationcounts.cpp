#include "analysis/operationcounts.h"

#include <algorithm>
#include <utility>

#include "expressions/expression.h"

void OperationCounts::add(const Integer& factor, int power, std::uint64_t additions,
                          std::uint64_t multiplications) {
  if (additions == 0 && multiplications == 0) return;
  OperationCounts counts;
  counts.terms.push_back({power, Integer(additions), Integer(multiplications)});
  add(counts, factor, 0);
}

// One pass over both ascending lists: the cost of adding what a loop's body counts to its list
// is the length of the two, however deep the loops.
void OperationCounts::add(const OperationCounts& other, const Integer& factor, int power) {
  if (factor == 0 || other.terms.empty()) return;
  std::vector<Term> sum;
  sum.reserve(terms.size() + other.terms.size());
  auto mine = terms.begin();
  for (const Term& theirs : other.terms) {
    const int shifted = theirs.power + power;
    for (; mine != terms.end() && mine->power < shifted; ++mine) sum.push_back(std::move(*mine));
    Term term{shifted, theirs.additions * factor, theirs.multiplications * factor};
    if (mine != terms.end() && mine->power == shifted) {
      term.additions += mine->additions;
      term.multiplications += mine->multiplications;
      ++mine;
    }
    sum.push_back(std::move(term));
  }
  std::move(mine, terms.end(), std::back_inserter(sum));
  terms = std::move(sum);
}

ExactPolynomial OperationCounts::priced(const WholePrices& prices, const Integer& factor,
                                        int power) const {
  const Integer addition = prices.addition * factor;
  const Integer multiplication = prices.multiplication * factor;
  std::vector<ExactPolynomial::Term> priced;
  priced.reserve(terms.size());
  for (const Term& term : terms) {
    priced.push_back(
        {term.power + power, term.additions * addition + term.multiplications * multiplication});
  }
  return ExactPolynomial::fromTerms(std::move(priced), prices.denominator);
}

WholePrices::WholePrices(const CostModel& model) {
  const Rational addition = model.addition.exact();
  const Rational multiplication = model.multiplication.exact();
  denominator = lcm(boost::multiprecision::denominator(addition),
                    boost::multiprecision::denominator(multiplication));
  this->addition =
      numerator(addition) * (denominator / boost::multiprecision::denominator(addition));
  this->multiplication = numerator(multiplication) *
                         (denominator / boost::multiprecision::denominator(multiplication));
}

ExactPolynomial WholePrices::priced(const Operations& operations, const Integer& factor,
                                    int power) const {
  Integer cost = addition * operations.additions + multiplication * operations.multiplications;
  cost *= factor;
  return ExactPolynomial::fromTerms({{power, std::move(cost)}}, denominator);
}

Operations operationsOf(const Expression& expression) {
  Operations operations;
  for (const Expression* sum = &expression; sum != nullptr; sum = sum->leftPart()) {
    if (sum->leftPart() != nullptr) ++operations.additions;
    for (const Term* product = sum->lastTerm(); product->leftPart() != nullptr;
         product = product->leftPart()) {
      ++operations.multiplications;
    }
  }
  return operations;
}

#include "analysis/operationcounts.h"

#include "expressions/expression.h"

namespace {

void addTo(std::map<int, Integer>& counts, int power, const Integer& amount) {
  if (amount != 0) counts[power] += amount;
}

// The counts stay whole until the end: Boost reduces every fraction it computes, which is slow
// for the long numbers that nested fixed counts make.
ExactPolynomial pricedCounts(const std::map<int, Integer>& counts, const Rational& price) {
  ExactPolynomial cost;
  for (const auto& [power, count] : counts) cost.add(ExactPolynomial::wholeMonomial(count, power));
  return cost.scaled(price);
}

}  // namespace

void OperationCounts::add(const Integer& factor, int power, std::uint64_t additions,
                          std::uint64_t multiplications) {
  addTo(this->additions, power, factor * additions);
  addTo(this->multiplications, power, factor * multiplications);
}

void OperationCounts::add(const OperationCounts& other) {
  for (const auto& [power, count] : other.additions) addTo(additions, power, count);
  for (const auto& [power, count] : other.multiplications) addTo(multiplications, power, count);
}

ExactPolynomial OperationCounts::priced(const CostModel& model) const {
  ExactPolynomial cost = pricedCounts(additions, model.addition.exact());
  cost.add(pricedCounts(multiplications, model.multiplication.exact()));
  return cost;
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

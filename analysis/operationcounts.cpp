#include "analysis/operationcounts.h"

#include "expressions/expression.h"

namespace {

void addTo(std::map<int, Integer>& counts, int power, const Integer& amount) {
  if (amount != 0) counts[power] += amount;
}

ExactPolynomial pricedCounts(const std::map<int, Integer>& counts, const Rational& price) {
  ExactPolynomial cost;
  if (price == 0) return cost;
  for (const auto& [power, count] : counts)
    cost.add(ExactPolynomial::monomial(price * count, power));
  return cost;
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
  ExactPolynomial cost = pricedCounts(additions, exactly(model.addition));
  cost.add(pricedCounts(multiplications, exactly(model.multiplication)));
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

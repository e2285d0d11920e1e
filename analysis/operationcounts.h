#pragma once

#include <cstdint>
#include <map>

#include "analysis/costmodel.h"
#include "analysis/exactpolynomial.h"

class Expression;

// How many additions and multiplications a piece of program runs, as polynomials in n with
// exact integer coefficients. Every cost is additions x addition price + multiplications x
// multiplication price, so one count serves every model.
class OperationCounts {
 public:
  // Adds `additions` and `multiplications`, each run factor * n^power times.
  void add(const Integer& factor, int power, std::uint64_t additions,
           std::uint64_t multiplications);
  void add(const OperationCounts& other);
  ExactPolynomial priced(const CostModel& model) const;

 private:
  std::map<int, Integer> additions;  // power of n -> coefficient
  std::map<int, Integer> multiplications;
};

// The '+' and '*' of an expression that the cost models price.
struct Operations {
  std::uint64_t additions = 0;
  std::uint64_t multiplications = 0;
};
Operations operationsOf(const Expression& expression);

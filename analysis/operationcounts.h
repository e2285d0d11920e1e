#pragma once

#include <cstdint>
#include <vector>

#include "analysis/costmodel.h"
#include "analysis/exactpolynomial.h"

class Expression;

// The '+' and '*' of an expression that the cost models price.
struct Operations {
  std::uint64_t additions = 0;
  std::uint64_t multiplications = 0;
};
Operations operationsOf(const Expression& expression);

// A model's prices as whole numbers over one denominator, the form counts are priced in: every
// coefficient of a cost is then a whole number over it too, and no fraction is reduced term by
// term.
struct WholePrices {
  explicit WholePrices(const CostModel& model);

  Integer addition;
  Integer multiplication;
  Integer denominator;

  // The cost of `operations` run factor * n^power times.
  ExactPolynomial priced(const Operations& operations, const Integer& factor, int power) const;
};

// How many additions and multiplications a piece of program runs, as polynomials in n with
// exact whole coefficients. Every cost is additions x addition price + multiplications x
// multiplication price, so one count serves every model.
class OperationCounts {
 public:
  // Adds `additions` and `multiplications`, run factor * n^power times.
  void add(const Integer& factor, int power, std::uint64_t additions,
           std::uint64_t multiplications);
  // Adds what `other` counts, run factor * n^power times.
  void add(const OperationCounts& other, const Integer& factor, int power);
  // The cost of all of it, run factor * n^power times.
  ExactPolynomial priced(const WholePrices& prices, const Integer& factor = 1, int power = 0) const;

 private:
  struct Term {
    int power;
    Integer additions;
    Integer multiplications;
  };

  std::vector<Term> terms;  // ascending powers
};

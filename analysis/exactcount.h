#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "analysis/exactpolynomial.h"
#include "analysis/piecewise.h"

// A count or a cost as a function of n >= 0, exactly: a polynomial in n and log n that holds from
// `fromN` on, the smallest such n, and the values below it.
struct ExactCount {
  ExactPolynomial polynomial;
  std::size_t fromN = 0;
  std::vector<Rational> below;  // at n = 0 ... fromN - 1

  // The smallest n from which values below this many are worked out one by one; a range that
  // starts later is refused.
  static constexpr std::size_t MAX_FROM_N = 10000;

  static ExactCount of(const ExactPolynomial& polynomial);  // holds from n = 0
  // A value that depends on n alone; throws CountRefusal (naming the LOOP at `line`) where its
  // pieces settle only past MAX_FROM_N.
  static ExactCount of(const Piecewise& value, int line, CountWork& work);
  // The product of the two counts, which must hold from n = 0 ... MAX_FROM_N on.
  static ExactCount product(const ExactCount& a, const ExactCount& b);
  // The sum of factor * count over `terms`.
  static ExactCount combined(const std::vector<std::pair<Rational, const ExactCount*>>& terms);

  Rational valueAt(const Integer& n) const;
};

#pragma once

#include <utility>

#include "analysis/exactpolynomial.h"

// How a cost grows with n: Θ(n^degree log^log n), or not at all for a cost of 0. Ordered by the
// power of n first, then by the power of log n.
struct Growth {
  int degree;   // -1 for no cost at all; 0 with no log for a non-zero constant
  int log = 0;  // the power of log n

  static Growth of(const ExactPolynomial& cost) { return {cost.degree(), cost.logDegree()}; }
  bool operator==(const Growth& other) const { return !(*this < other) && !(other < *this); }
  bool operator!=(const Growth& other) const { return !(*this == other); }
  bool operator<(const Growth& other) const {
    return std::pair(degree, log) < std::pair(other.degree, other.log);
  }
};

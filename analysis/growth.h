#pragma once

#include "analysis/exactpolynomial.h"

// How a cost grows with n: Θ(n^degree), or not at all for a cost of 0.
struct Growth {
  int degree;  // -1 for no cost at all; 0 for a non-zero constant

  static Growth of(const ExactPolynomial& cost) { return {cost.degree()}; }
  bool operator==(const Growth& other) const { return degree == other.degree; }
  bool operator!=(const Growth& other) const { return degree != other.degree; }
  bool operator<(const Growth& other) const { return degree < other.degree; }
};

#include "analysis/growth.h"

std::string growthOf(const ExactPolynomial& cost) {
  const int degree = cost.degree();
  if (degree < 1) return degree < 0 ? "0" : "1";
  return "n^" + std::to_string(degree);
}

std::string growthText(const std::string& growth, const std::string& theta) {
  return growth == "0" ? growth : theta + "(" + growth + ")";
}

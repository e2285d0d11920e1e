#pragma once

#include <boost/multiprecision/cpp_int.hpp>
#include <map>
#include <string>

using Integer = boost::multiprecision::cpp_int;
using Rational = boost::multiprecision::cpp_rational;

// A polynomial in n with exact rational coefficients: the cost a float Polynomial approximates.
// Sparse, so that a term of n^1000 costs one entry.
class ExactPolynomial {
 public:
  ExactPolynomial() = default;  // zero
  static ExactPolynomial monomial(const Rational& coefficient, int power);

  void add(const ExactPolynomial& other);
  void subtract(const ExactPolynomial& other);

  int degree() const;  // of the highest non-zero term; -1 for zero
  Rational coefficient(int power) const;
  Rational valueAt(const Integer& n) const;
  const std::map<int, Rational>& terms() const { return nonZero; }  // power -> coefficient

  // What Polynomial::print writes for these coefficients, without the line end: the same
  // zero and one tests and two significant digits, here decided exactly.
  std::string text() const;

 private:
  std::map<int, Rational> nonZero;
};

// What `out << std::setprecision(2) << value` writes for a double of this value: two
// significant digits, exponent form below 1e-4 and from 100 on, ties rounded to even.
std::string formatCoefficient(const Rational& value);

// "7", "-3" or "p/q" in lowest terms.
std::string decimalText(const Rational& value);

// The highest power with a non-zero coefficient: "0" for zero, "1" for a constant, else "n^k".
std::string growthOf(const ExactPolynomial& cost);

// A double exactly, as the rational it is; `value` must be finite.
Rational exactly(double value);

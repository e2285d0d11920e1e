#pragma once

#include <map>
#include <optional>
#include <vector>

#include "analysis/exactpolynomial.h"

// A polynomial in several variables with rational coefficients: n, L = floor(log2 n), and the
// index of each LOOP around. Sparse: a term per monomial whose coefficient is not zero.
class MultiPolynomial {
 public:
  static constexpr int N = 0;
  static constexpr int LOG = 1;
  static int indexAt(int depth) { return depth + 1; }  // the variable of the LOOP at `depth`

  // The power of each variable, from variable 0 on; no trailing zeros, so that equal monomials
  // have equal keys.
  using Monomial = std::vector<int>;

  MultiPolynomial() = default;  // zero
  explicit MultiPolynomial(const Rational& constant);
  static MultiPolynomial variable(int index);

  MultiPolynomial& operator+=(const MultiPolynomial& other);
  MultiPolynomial& operator-=(const MultiPolynomial& other);
  MultiPolynomial operator+(const MultiPolynomial& other) const;
  MultiPolynomial operator-(const MultiPolynomial& other) const;
  MultiPolynomial operator*(const MultiPolynomial& other) const;
  bool operator==(const MultiPolynomial& other) const { return terms == other.terms; }
  bool operator<(const MultiPolynomial& other) const { return terms < other.terms; }

  bool isZero() const { return terms.empty(); }
  std::size_t size() const { return terms.size(); }
  std::optional<Rational> constant() const;  // the value, when no variable is left
  int degreeIn(int variable) const;
  // The coefficient of each power of `variable`, from the power 0 on.
  std::vector<MultiPolynomial> powersOf(int variable) const;
  // `variable` replaced by `value`.
  MultiPolynomial substituted(int variable, const MultiPolynomial& value) const;
  // Divided by the greatest common divisor of its coefficients other than the constant, and the
  // constant rounded down by it: for whole coefficients, p >= 0 exactly where the result is.
  MultiPolynomial reducedInequality() const;
  bool inNAlone() const;        // whether it holds no variable but n and L
  ExactPolynomial inN() const;  // the polynomial, which must be in n and L alone
  const std::map<Monomial, Rational>& monomials() const { return terms; }

 private:
  void addTerm(Monomial monomial, const Rational& coefficient);

  std::map<Monomial, Rational> terms;
};

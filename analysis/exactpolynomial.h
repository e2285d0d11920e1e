#pragma once

#include <string>
#include <vector>

// GCC 12 wrongly finds a variable maybe-uninitialised inside Boost's fraction normalisation,
// wherever that gets compiled; the warning is kept for everything else.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <boost/multiprecision/cpp_int.hpp>
#pragma GCC diagnostic pop
#else
#include <boost/multiprecision/cpp_int.hpp>
#endif

using Integer = boost::multiprecision::cpp_int;
using Rational = boost::multiprecision::cpp_rational;

// The exact counterpart of Polynomial: a polynomial in n with rational coefficients. Sparse, so a
// lone term of a high power stays small. The coefficients share one denominator and are kept as
// whole numerators over it: Boost reduces each Rational it computes with a gcd whose time grows
// with the square of the numerator's length, which whole numbers avoid.
class ExactPolynomial {
 public:
  // numerator / commonDenominator() * n^power
  struct Term {
    int power;
    Integer numerator;  // never zero
  };

  ExactPolynomial();  // the zero polynomial
  // The sum of numerator / denominator * n^power over `terms`, whose powers ascend; zero
  // numerators are dropped. denominator > 0.
  static ExactPolynomial fromTerms(std::vector<Term> terms, Integer denominator);

  void add(const ExactPolynomial& other);

  int degree() const;                     // -1 for the zero polynomial
  Rational coefficient(int power) const;  // 0 above the degree
  Rational valueAt(const Integer& n) const;
  // Every non-zero term in full, highest power first, joined by " + ": "4 * n^1 + 300",
  // "0.0000001 * n^1"; a coefficient of exactly one is left out before "n^"; "0" for zero.
  // Coefficients are decimals; one that no decimal holds exactly is written "p/q".
  std::string text() const;
  // What Polynomial::print writes, without the line end, if its float arithmetic were exact.
  std::string printedText() const;

  // Every coefficient from n^0 to the degree (at least one), as decimalText writes it.
  std::vector<std::string> coefficientTexts() const;
  const std::vector<Term>& terms() const { return nonZeroTerms; }  // lowest power first
  // Positive, and in lowest terms with the numerators taken together.
  const Integer& commonDenominator() const { return common; }
  bool operator==(const ExactPolynomial& other) const;
  bool operator!=(const ExactPolynomial& other) const { return !(*this == other); }

 private:
  void reduce();  // divides the numerators and the denominator by their greatest common divisor

  std::vector<Term> nonZeroTerms;  // lowest power first
  Integer common;
};

// The decimal digits of n, with a '-' before them when negative; quick for what fits 64 bits,
// which Boost's own conversion is not.
std::string decimal(const Integer& n);
// The exact value of a finite double, such as a float price.
Rational exactRational(double value);
// "7", "-3" or "p/q" in lowest terms.
std::string decimalText(const Rational& value);
// The value in full as a decimal, "1996002" or "0.3", as text() writes coefficients: "p/q" when
// no decimal holds it.
std::string decimalValue(const Rational& value);

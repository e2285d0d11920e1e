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

// The exact counterpart of Polynomial: a polynomial in n with rational coefficients, and in the
// extended dialect in L = log n too, which stands for the whole number floor(log2 n) (0 at n = 0).
// Sparse, so a lone term of a high power stays small. The coefficients share one denominator and
// are kept as whole numerators over it: Boost reduces each Rational it computes with a gcd whose
// time grows with the square of the numerator's length, which whole numbers avoid.
class ExactPolynomial {
 public:
  // numerator / commonDenominator() * n^power * L^log
  struct Term {
    int power;
    Integer numerator;  // never zero
    int log = 0;

    bool before(const Term& other) const {
      return power < other.power || (power == other.power && log < other.log);
    }
  };

  ExactPolynomial();  // the zero polynomial
  // The sum of numerator / denominator * n^power * L^log over `terms`, ascending by power and
  // then by log; zero numerators are dropped. denominator > 0.
  static ExactPolynomial fromTerms(std::vector<Term> terms, Integer denominator);

  void add(const ExactPolynomial& other);

  int degree() const;     // in n; -1 for the zero polynomial
  int logDegree() const;  // L's power in the leading term, the one that grows fastest
  bool hasLog() const;
  Rational coefficient(int power, int log = 0) const;  // 0 for a term it lacks
  Rational leadingCoefficient() const;                 // 0 for the zero polynomial
  Rational valueAt(const Integer& n) const;
  // Every non-zero term in full, fastest growing first, joined by " + ": "4 * n^1 + 300",
  // "0.0000001 * n^1", "2 * n^1 * log n"; a coefficient of exactly one is left out before "n^" and
  // "log"; "0" for zero.
  // Coefficients are decimals; one that no decimal holds exactly is written "p/q".
  std::string text() const;
  // What Polynomial::print writes, without the line end, if its float arithmetic were exact.
  std::string printedText() const;

  // Every coefficient from n^0 to the degree (at least one), as decimalText writes it.
  std::vector<std::string> coefficientTexts() const;
  const std::vector<Term>& terms() const { return nonZeroTerms; }  // slowest growing first
  // Positive, and in lowest terms with the numerators taken together.
  const Integer& commonDenominator() const { return common; }
  bool operator==(const ExactPolynomial& other) const;
  bool operator!=(const ExactPolynomial& other) const { return !(*this == other); }

 private:
  void reduce();  // divides the numerators and the denominator by their greatest common divisor

  std::vector<Term> nonZeroTerms;  // slowest growing first
  Integer common;
};

// "n^2", "n^1 * log n", "log^2 n"; "" for n^0 L^0.
std::string monomialText(int power, int log);
// floor(log2 n), and 0 for n = 0.
Integer floorLog(const Integer& n);
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

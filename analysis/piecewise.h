#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/multipolynomial.h"

// Why a count has no single polynomial that the tool can give, and the line of the LOOP whose
// range is the cause.
struct CountRefusal {
  enum class Reason {
    fraction,   // the range ends where an index is a fraction of the rest: e.g. n's parity counts
    nonlinear,  // the range ends where a power or a product of indices reaches a value
    workLimit,  // the pieces took more work than the limit allows
  };
  Reason reason;
  int line;
};

// The work that a count may take, in terms of polynomials touched; past it the count is refused.
class CountWork {
 public:
  static constexpr std::size_t LIMIT = 20000000;

  // Takes `units` of work; throws CountRefusal past the limit, naming the LOOP at `line`.
  void spend(std::size_t units, int line);
  // The work of multiplying polynomials of these many terms, whose coefficients grow with them.
  static std::size_t product(std::size_t a, std::size_t b) { return a * b * (1 + (a + b) / 16); }

 private:
  std::size_t spent = 0;
};

// A value that is a sum of polynomials, each where its conditions hold: how often a statement
// runs, summed over the LOOPs inside out. A condition is "p >= 0" for a polynomial p with whole
// coefficients. The value is exact for every n and every index.
class Piecewise {
 public:
  struct Condition {
    MultiPolynomial atLeastZero;
    int line;  // of the LOOP it comes from
  };
  struct Piece {
    std::vector<Condition> conditions;  // sorted by polynomial, none twice
    MultiPolynomial value;
  };

  explicit Piecewise(const Rational& constant);  // the constant everywhere

  // Repeated max(0, count) times, counted by the LOOP at `line`.
  void repeat(const MultiPolynomial& count, int line, CountWork& work);
  // Summed over variable `index` from `first` to `last` (none where last < first), by the LOOP at
  // `line`. Throws CountRefusal where the ranges of the pieces cannot be split exactly.
  void sum(int index, const MultiPolynomial& first, const MultiPolynomial& last, int line,
           CountWork& work);

  const std::vector<Piece>& pieces() const { return all; }
  bool inNAlone() const;  // whether no index is left in values or conditions: only n and L

 private:
  // Adds the piece, its conditions made canonical; drops it where one never holds.
  void add(std::vector<Condition> conditions, MultiPolynomial value);
  void sumPiece(const Piece& piece, int index, const MultiPolynomial& first,
                const MultiPolynomial& last, int line, CountWork& work);

  std::vector<Piece> all;
};

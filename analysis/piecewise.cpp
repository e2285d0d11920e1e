#include "analysis/piecewise.h"

#include <algorithm>
#include <utility>

namespace {

// The coefficients of 1^k + 2^k + ... + x^k as a polynomial in x, from x^0 on (Faulhaber's
// formula, with Bernoulli numbers B1 = +1/2), kept for every k asked for so far.
const std::vector<Rational>& powerSum(std::size_t k) {
  static std::vector<Rational> bernoulli{1};
  static std::vector<std::vector<Rational>> sums;
  while (bernoulli.size() <= k) {
    const std::size_t m = bernoulli.size();
    Rational b = 0;
    Integer binomial = 1;  // C(m + 1, j)
    for (std::size_t j = 0; j < m; ++j) {
      b -= binomial * bernoulli[j];
      binomial = binomial * (m + 1 - j) / (j + 1);
    }
    bernoulli.push_back(b / (m + 1));
  }
  while (sums.size() <= k) {
    const std::size_t p = sums.size();
    std::vector<Rational> sum(p + 2, 0);
    Integer binomial = 1;  // C(p + 1, j)
    for (std::size_t j = 0; j <= p; ++j) {
      const Rational b = j == 1 ? Rational(1, 2) : bernoulli[j];
      sum[p + 1 - j] = binomial * b / (p + 1);
      binomial = binomial * (p + 1 - j) / (j + 1);
    }
    sums.push_back(std::move(sum));
  }
  return sums[k];
}

// 1^k + ... + x^k for a polynomial x.
MultiPolynomial powerSumAt(std::size_t k, const MultiPolynomial& x) {
  const std::vector<Rational>& coefficients = powerSum(k);
  MultiPolynomial result;
  for (std::size_t c = coefficients.size(); c-- > 0;) {
    result = result * x + MultiPolynomial(coefficients[c]);
  }
  return result;
}

// first + ... + last of the polynomial in `index`, for last >= first - 1.
MultiPolynomial sumOver(const MultiPolynomial& value, int index, const MultiPolynomial& first,
                        const MultiPolynomial& last) {
  const MultiPolynomial before = first - MultiPolynomial(1);
  const std::vector<MultiPolynomial> powers = value.powersOf(index);
  MultiPolynomial sum;
  for (std::size_t k = 0; k < powers.size(); ++k) {
    if (powers[k].isZero()) continue;
    sum += powers[k] * (powerSumAt(k, last) - powerSumAt(k, before));
  }
  return sum;
}

// The bounds that a piece's conditions put on `index`: lower ones (index >= bound) and upper ones
// (index <= bound); the conditions without the index are kept as they are.
struct Bounds {
  std::vector<MultiPolynomial> lower, upper;
  std::vector<Piecewise::Condition> rest;
};

Bounds boundsOn(int index, const std::vector<Piecewise::Condition>& conditions) {
  Bounds bounds;
  for (const Piecewise::Condition& condition : conditions) {
    const std::vector<MultiPolynomial> powers = condition.atLeastZero.powersOf(index);
    if (powers.size() == 1) {
      bounds.rest.push_back(condition);
      continue;
    }
    const std::optional<Rational> coefficient = powers[1].constant();
    if (powers.size() > 2 || !coefficient) {
      throw CountRefusal{CountRefusal::Reason::nonlinear, condition.line};
    }
    // Reduced, the condition has whole coefficients with no common divisor but its constant:
    // an index with a coefficient other than 1 or -1 meets other variables at a fraction.
    if (*coefficient == 1) {
      bounds.lower.push_back(MultiPolynomial() - powers[0]);
    } else if (*coefficient == -1) {
      bounds.upper.push_back(powers[0]);
    } else {
      throw CountRefusal{CountRefusal::Reason::fraction, condition.line};
    }
  }
  return bounds;
}

// The conditions under which bounds[chosen] is the greatest of `bounds` (`sign` 1) or the least
// (`sign` -1), the first one winning a tie.
void chooseExtreme(const std::vector<MultiPolynomial>& bounds, std::size_t chosen, int sign,
                   int line, std::vector<Piecewise::Condition>& conditions) {
  for (std::size_t other = 0; other < bounds.size(); ++other) {
    if (other == chosen) continue;
    MultiPolynomial lead = bounds[chosen] - bounds[other];
    if (sign < 0) lead = MultiPolynomial() - lead;
    if (other < chosen) lead -= MultiPolynomial(1);  // strictly ahead of an earlier one
    conditions.push_back({std::move(lead), line});
  }
}

}  // namespace

void CountWork::spend(std::size_t units, int line) {
  spent += units;
  if (spent > LIMIT) throw CountRefusal{CountRefusal::Reason::workLimit, line};
}

bool Piecewise::inNAlone() const {
  return std::all_of(all.begin(), all.end(), [](const Piece& piece) {
    return piece.value.inNAlone() &&
           std::all_of(piece.conditions.begin(), piece.conditions.end(),
                       [](const Condition& c) { return c.atLeastZero.inNAlone(); });
  });
}

Piecewise::Piecewise(const Rational& constant) { add({}, MultiPolynomial(constant)); }

void Piecewise::add(std::vector<Condition> conditions, MultiPolynomial value) {
  if (value.isZero()) return;
  std::vector<Condition> kept;
  for (Condition& condition : conditions) {
    condition.atLeastZero = condition.atLeastZero.reducedInequality();
    const std::optional<Rational> constant = condition.atLeastZero.constant();
    if (constant && *constant < 0) return;
    if (!constant) kept.push_back(std::move(condition));
  }
  const auto byPolynomial = [](const Condition& a, const Condition& b) {
    return a.atLeastZero < b.atLeastZero;
  };
  std::sort(kept.begin(), kept.end(), byPolynomial);
  kept.erase(std::unique(kept.begin(), kept.end(),
                         [](const Condition& a, const Condition& b) {
                           return a.atLeastZero == b.atLeastZero;
                         }),
             kept.end());
  for (Piece& piece : all) {
    const bool same = std::equal(
        piece.conditions.begin(), piece.conditions.end(), kept.begin(), kept.end(),
        [](const Condition& a, const Condition& b) { return a.atLeastZero == b.atLeastZero; });
    if (!same) continue;
    piece.value += value;
    if (piece.value.isZero()) all.erase(all.begin() + (&piece - all.data()));
    return;
  }
  all.push_back({std::move(kept), std::move(value)});
}

void Piecewise::repeat(const MultiPolynomial& count, int line, CountWork& work) {
  std::vector<Piece> pieces = std::move(all);
  all.clear();
  for (Piece& piece : pieces) {
    work.spend(CountWork::product(piece.value.size(), count.size()) + piece.conditions.size(),
               line);
    piece.conditions.push_back({count, line});
    add(std::move(piece.conditions), piece.value * count);
  }
}

void Piecewise::sum(int index, const MultiPolynomial& first, const MultiPolynomial& last, int line,
                    CountWork& work) {
  const std::vector<Piece> pieces = std::move(all);
  all.clear();
  for (const Piece& piece : pieces) sumPiece(piece, index, first, last, line, work);
}

// Over each choice of the greatest lower and the least upper bound, where it is the choice: the
// sum from the one to the other, where that range is not empty.
void Piecewise::sumPiece(const Piece& piece, int index, const MultiPolynomial& first,
                         const MultiPolynomial& last, int line, CountWork& work) {
  Bounds bounds = boundsOn(index, piece.conditions);
  bounds.lower.insert(bounds.lower.begin(), first);
  bounds.upper.insert(bounds.upper.begin(), last);
  for (std::size_t l = 0; l < bounds.lower.size(); ++l) {
    for (std::size_t u = 0; u < bounds.upper.size(); ++u) {
      const MultiPolynomial& from = bounds.lower[l];
      const MultiPolynomial& to = bounds.upper[u];
      work.spend((piece.value.size() + 1) * (from.size() + to.size() + 1) *
                     (piece.value.degreeIn(index) + 2) * (piece.value.degreeIn(index) + 2),
                 line);
      std::vector<Condition> conditions = bounds.rest;
      chooseExtreme(bounds.lower, l, 1, line, conditions);
      chooseExtreme(bounds.upper, u, -1, line, conditions);
      conditions.push_back({to - from + MultiPolynomial(1), line});
      add(std::move(conditions), sumOver(piece.value, index, from, to));
    }
  }
}

#include "analysis/comparison.h"

#include <algorithm>
#include <utility>

// Two costs can trade places only where their difference changes sign. Between the integers
// next to the difference's positive real roots, and beyond the last of them, every difference
// keeps its sign on the whole numbers, so one exact evaluation decides each such stretch.
// The roots are bracketed between consecutive integers by the Vincent-Collins-Akritas method.

namespace {

using Coefficients = std::vector<Integer>;  // lowest power first

struct OutOfTime {};

class Deadline {
 public:
  explicit Deadline(std::chrono::milliseconds budget)
      : end(std::chrono::steady_clock::now() + budget) {}

  void check() const {
    if (std::chrono::steady_clock::now() > end) throw OutOfTime();
  }

 private:
  std::chrono::steady_clock::time_point end;
};

// Dense coefficients of p times `factor`, a multiple of p's denominator.
Coefficients integerCoefficients(const ExactPolynomial& p, const Integer& factor) {
  Coefficients result(p.degree() + 1);
  const Integer widening = factor / p.commonDenominator();
  for (const ExactPolynomial::Term& term : p.terms()) {
    result[term.power] = term.numerator * widening;
  }
  return result;
}

// a - b, without leading zeros.
Coefficients difference(const Coefficients& a, const Coefficients& b) {
  Coefficients result(std::max(a.size(), b.size()));
  for (std::size_t i = 0; i < a.size(); ++i) result[i] = a[i];
  for (std::size_t i = 0; i < b.size(); ++i) result[i] -= b[i];
  while (!result.empty() && result.back() == 0) result.pop_back();
  return result;
}

// Removes every factor x; true when there was one, that is when 0 is a root.
bool divideOutZeroRoot(Coefficients& q) {
  const auto first = std::find_if(q.begin(), q.end(), [](const Integer& c) { return c != 0; });
  if (first == q.begin()) return false;
  q.erase(q.begin(), first);
  return true;
}

// Divides out the largest power of two common to all coefficients, which keeps them short.
void removeCommonTwos(Coefficients& q) {
  unsigned shift = ~0u;
  for (const Integer& c : q) {
    if (c != 0) shift = std::min(shift, static_cast<unsigned>(lsb(abs(c))));
  }
  if (shift == 0 || shift == ~0u) return;
  for (Integer& c : q) c >>= shift;
}

// q(x + 1), by repeated synthetic division: the deadline is checked every row.
void shiftByOne(Coefficients& q, const Deadline& deadline) {
  for (std::size_t row = 0; row + 1 < q.size(); ++row) {
    deadline.check();
    for (std::size_t i = q.size() - 1; i > row; --i) q[i - 1] += q[i];
  }
}

int signVariations(const Coefficients& q) {
  int variations = 0;
  int previous = 0;
  for (const Integer& c : q) {
    const int sign = c.sign();
    if (sign == 0) continue;
    if (previous != 0 && sign != previous) ++variations;
    previous = sign;
  }
  return variations;
}

// Descartes' rule on (0, 1): the sign variations of (x + 1)^d q(1 / (x + 1)) exceed the number
// of roots of q in (0, 1) by an even number, so 0 means none and 1 means exactly one.
int rootBound(const Coefficients& q, const Deadline& deadline) {
  Coefficients image(q.rbegin(), q.rend());
  shiftByOne(image, deadline);
  return signVariations(image);
}

// 2^d q(x / 2): the left half of q's interval stretched onto [0, 1].
Coefficients leftHalf(const Coefficients& q) {
  Coefficients half(q.size());
  for (std::size_t i = 0; i < q.size(); ++i) half[i] = q[i] << (q.size() - 1 - i);
  return half;
}

// A k with every root of q below 2^k in absolute value, from Fujiwara's bound
// 2 max |a_i / a_d|^(1 / (d - i)), each ratio's root rounded up to a power of two.
unsigned rootBoundExponent(const Coefficients& q) {
  const std::size_t d = q.size() - 1;
  const long leading = static_cast<long>(msb(abs(q[d])));
  long exponent = 0;
  for (std::size_t i = 0; i < d; ++i) {
    if (q[i] == 0) continue;
    const long bits = static_cast<long>(msb(abs(q[i]))) + 1 - leading;
    const long span = static_cast<long>(d - i);
    exponent = std::max(exponent, (bits + span - 1) / span);
  }
  return static_cast<unsigned>(exponent + 1);
}

// The interval [start, start + 2^widthExponent] with q(x), a positive multiple of
// p(start + 2^widthExponent x), which carries it onto [0, 1].
struct Interval {
  Integer start;
  unsigned widthExponent;
  Coefficients q;
};

// Adds the integers where the sign of p on the whole numbers may change: 0 and every other
// integer root, and both integer neighbours of every other positive root.
void addSignChanges(Coefficients p, std::vector<Integer>& points, const Deadline& deadline) {
  if (divideOutZeroRoot(p)) points.push_back(0);
  if (signVariations(p) == 0) return;  // by Descartes' rule, no positive root at all
  removeCommonTwos(p);
  const unsigned widthExponent = rootBoundExponent(p);
  for (std::size_t i = 0; i < p.size(); ++i) {
    deadline.check();
    p[i] <<= widthExponent * i;
  }
  std::vector<Interval> pending{{0, widthExponent, std::move(p)}};
  while (!pending.empty()) {
    Interval interval = std::move(pending.back());
    pending.pop_back();
    if (rootBound(interval.q, deadline) == 0) continue;
    if (interval.widthExponent == 0) {
      points.push_back(interval.start);
      points.push_back(interval.start + 1);
      continue;
    }
    const unsigned halfExponent = interval.widthExponent - 1;
    Coefficients left = leftHalf(interval.q);
    removeCommonTwos(left);
    Coefficients right = left;
    shiftByOne(right, deadline);
    Integer middle = interval.start + (Integer(1) << halfExponent);
    if (divideOutZeroRoot(right)) points.push_back(middle);
    pending.push_back({std::move(interval.start), halfExponent, std::move(left)});
    pending.push_back({std::move(middle), halfExponent, std::move(right)});
  }
}

// 0 and every point where some pair of costs may trade places, ascending, each once.
std::vector<Integer> criticalPoints(const std::vector<Coefficients>& costs,
                                    const Deadline& deadline) {
  std::vector<Integer> points{0};
  for (std::size_t i = 0; i < costs.size(); ++i) {
    for (std::size_t j = i + 1; j < costs.size(); ++j) {
      Coefficients gap = difference(costs[i], costs[j]);
      if (!gap.empty()) addSignChanges(std::move(gap), points, deadline);
    }
  }
  std::sort(points.begin(), points.end());
  points.erase(std::unique(points.begin(), points.end()), points.end());
  return points;
}

Integer valueAt(const Coefficients& q, const Integer& n) {
  Integer sum = 0;
  for (auto c = q.rbegin(); c != q.rend(); ++c) sum = sum * n + *c;
  return sum;
}

// The indexes of the costs, all scaled by one positive factor, that are least at n.
std::vector<std::size_t> cheapestAt(const std::vector<Coefficients>& costs, const Integer& n,
                                    const Deadline& deadline) {
  deadline.check();
  std::vector<std::size_t> cheapest;
  Integer least;
  for (std::size_t i = 0; i < costs.size(); ++i) {
    const Integer value = valueAt(costs[i], n);
    if (cheapest.empty() || value < least) {
      cheapest.clear();
      least = value;
    }
    if (value == least) cheapest.push_back(i);
  }
  return cheapest;
}

// Appends the range, or widens the last one when it has the same cheapest costs.
void append(std::vector<CheapestRange>& ranges, CheapestRange range) {
  if (!ranges.empty() && ranges.back().cheapest == range.cheapest) {
    ranges.back().to = std::move(range.to);
  } else {
    ranges.push_back(std::move(range));
  }
}

// Each critical point on its own, each stretch of whole numbers between two of them, and all
// beyond the last, merged where neighbours agree.
std::vector<CheapestRange> rangesBetween(const std::vector<Integer>& points,
                                         const std::vector<Coefficients>& costs,
                                         const Deadline& deadline) {
  std::vector<CheapestRange> ranges;
  for (std::size_t k = 0; k < points.size(); ++k) {
    append(ranges, {points[k], points[k], cheapestAt(costs, points[k], deadline)});
    const Integer after = points[k] + 1;
    if (k + 1 == points.size()) {
      append(ranges, {after, std::nullopt, cheapestAt(costs, after, deadline)});
    } else if (after < points[k + 1]) {
      append(ranges, {after, points[k + 1] - 1, cheapestAt(costs, after, deadline)});
    }
  }
  return ranges;
}

}  // namespace

std::optional<std::vector<CheapestRange>> cheapestRanges(const std::vector<ExactPolynomial>& costs,
                                                         std::chrono::milliseconds budget) {
  const Deadline deadline(budget);
  Integer common = 1;
  for (const ExactPolynomial& cost : costs) common = lcm(common, cost.commonDenominator());
  std::vector<Coefficients> scaled;
  for (const ExactPolynomial& cost : costs) scaled.push_back(integerCoefficients(cost, common));
  try {
    return rangesBetween(criticalPoints(scaled, deadline), scaled, deadline);
  } catch (const OutOfTime&) {
    return std::nullopt;
  }
}

std::vector<Crossing> crossingsOf(const std::vector<CheapestRange>& ranges) {
  const auto singleTie = [](const CheapestRange& range) {
    return range.cheapest.size() > 1 && range.to && *range.to == range.from;
  };
  std::vector<Crossing> crossings;
  for (std::size_t k = 0; k < ranges.size(); ++k) {
    const bool tie = singleTie(ranges[k]);
    if (tie || (k > 0 && !singleTie(ranges[k - 1]))) {
      crossings.push_back({ranges[k].from, ranges[k].cheapest, tie});
    }
  }
  return crossings;
}

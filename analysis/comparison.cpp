#include "analysis/comparison.h"

#include <algorithm>
#include <map>
#include <utility>

#include "analysis/leadingsign.h"

// Two costs can trade places only where their difference changes sign. Between the integers
// next to the difference's positive real roots, and beyond the last of them, the difference
// keeps its sign on the whole numbers. The roots are bracketed between consecutive integers by
// the Vincent-Collins-Akritas method, for a pair of costs only when a sweep from n = 0 upwards
// needs them: the cheapest cost can only lose its place to another where their difference
// changes sign.

namespace {

using Coefficients = std::vector<Integer>;  // lowest power first

struct OverLimit {};

// The big-number work done so far, in machine words read or written, against the limit.
class Work {
 public:
  explicit Work(std::uint64_t limit) : limit(limit) {}

  void spend(const Integer& number) {
    spent += number.backend().size();
    if (spent > limit) throw OverLimit();
  }

 private:
  std::uint64_t limit;
  std::uint64_t spent = 0;
};

// Dense coefficients of p times `factor`, a multiple of p's denominator, with L = `log`.
Coefficients integerCoefficients(const ExactPolynomial& p, const Integer& factor, unsigned log) {
  Coefficients result(p.degree() + 1);
  const Integer widening = factor / p.commonDenominator();
  for (const ExactPolynomial::Term& term : p.terms()) {
    const Integer value = term.numerator * widening;
    result[term.power] += term.log == 0 ? value : Integer(value * pow(Integer(log), term.log));
  }
  while (!result.empty() && result.back() == 0) result.pop_back();
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

// q divided by the greatest common divisor of its coefficients, leading coefficient positive:
// the same for every non-zero multiple of q, whose sign changes are those of q.
Coefficients primitive(Coefficients q) {
  Integer content = 0;
  for (const Integer& c : q) {
    if (content != 1) content = gcd(content, c);
  }
  if (!q.empty() && q.back() < 0) content = -content;
  if (content != 1) {
    for (Integer& c : q) c /= content;
  }
  return q;
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

// q(x + 1), by repeated synthetic division.
void shiftByOne(Coefficients& q, Work& work) {
  for (std::size_t row = 0; row + 1 < q.size(); ++row) {
    for (std::size_t i = q.size() - 1; i > row; --i) {
      q[i - 1] += q[i];
      work.spend(q[i - 1]);
    }
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
int rootBound(const Coefficients& q, Work& work) {
  Coefficients image(q.rbegin(), q.rend());
  shiftByOne(image, work);
  return signVariations(image);
}

// 2^d q(x / 2): the left half of q's interval stretched onto [0, 1].
Coefficients leftHalf(const Coefficients& q, Work& work) {
  Coefficients half(q.size());
  for (std::size_t i = 0; i < q.size(); ++i) {
    half[i] = q[i] << (q.size() - 1 - i);
    work.spend(half[i]);
  }
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

// The integers where the sign of p on the whole numbers may change, ascending: 0, every other
// integer root, and both integer neighbours of every other positive root.
std::vector<Integer> signChanges(Coefficients p, Work& work) {
  std::vector<Integer> points{0};
  divideOutZeroRoot(p);
  if (signVariations(p) == 0) return points;  // by Descartes' rule, no positive root at all
  removeCommonTwos(p);
  const unsigned widthExponent = rootBoundExponent(p);
  for (std::size_t i = 0; i < p.size(); ++i) {
    p[i] <<= widthExponent * i;
    work.spend(p[i]);
  }
  std::vector<Interval> pending{{0, widthExponent, std::move(p)}};
  while (!pending.empty()) {
    Interval interval = std::move(pending.back());
    pending.pop_back();
    if (rootBound(interval.q, work) == 0) continue;
    if (interval.widthExponent == 0) {
      points.push_back(interval.start);
      points.push_back(interval.start + 1);
      continue;
    }
    const unsigned halfExponent = interval.widthExponent - 1;
    Coefficients left = leftHalf(interval.q, work);
    removeCommonTwos(left);
    Coefficients right = left;
    shiftByOne(right, work);
    Integer middle = interval.start + (Integer(1) << halfExponent);
    if (divideOutZeroRoot(right)) points.push_back(middle);
    pending.push_back({std::move(interval.start), halfExponent, std::move(left)});
    pending.push_back({std::move(middle), halfExponent, std::move(right)});
  }
  std::sort(points.begin(), points.end());
  points.erase(std::unique(points.begin(), points.end()), points.end());
  return points;
}

// The costs, all scaled by one positive factor to whole coefficients, with the sign changes of
// their differences worked out as the sweep asks for them.
class Sweep {
 public:
  Sweep(std::vector<Coefficients> costs, Work& work) : costs(std::move(costs)), work(work) {}

  // The indexes of the costs that are least at n.
  std::vector<std::size_t> cheapestAt(const Integer& n) {
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

  // The least point after n where the sign of cost `i` minus another cost may change.
  std::optional<Integer> nextChangeAfter(std::size_t i, const Integer& n) {
    std::optional<Integer> next;
    for (std::size_t j = 0; j < costs.size(); ++j) {
      if (j == i) continue;
      const std::vector<Integer>& points = changesBetween(i, j);
      const auto after = std::upper_bound(points.begin(), points.end(), n);
      if (after != points.end() && (!next || *after < *next)) next = *after;
    }
    return next;
  }

 private:
  Integer valueAt(const Coefficients& q, const Integer& n) {
    Integer sum = 0;
    for (auto c = q.rbegin(); c != q.rend(); ++c) {
      sum = sum * n + *c;
      work.spend(sum);
    }
    return sum;
  }

  // Pairs whose differences are multiples of one another share their sign changes; with two
  // prices per model that is common.
  const std::vector<Integer>& changesBetween(std::size_t i, std::size_t j) {
    Coefficients gap = primitive(difference(costs[i], costs[j]));
    const auto known = changes.find(gap);
    if (known != changes.end()) return known->second;
    std::vector<Integer> points = gap.empty() ? std::vector<Integer>{0} : signChanges(gap, work);
    return changes.emplace(std::move(gap), std::move(points)).first->second;
  }

  std::vector<Coefficients> costs;
  std::map<Coefficients, std::vector<Integer>> changes;
  Work& work;
};

// Appends the range, or widens the last one when it has the same cheapest costs.
void append(std::vector<CheapestRange>& ranges, CheapestRange range) {
  if (!ranges.empty() && ranges.back().cheapest == range.cheapest) {
    ranges.back().to = std::move(range.to);
  } else {
    ranges.push_back(std::move(range));
  }
}

// From n = `from` up to `to`: each point where a sign may change on its own, then the stretch
// after it, up to the next point where a difference with a cost cheapest on that stretch may
// change sign.
void sweep(Sweep& costs, const Integer& from, const std::optional<Integer>& to,
           std::vector<CheapestRange>& ranges) {
  for (Integer point = from;;) {
    append(ranges, {point, point, costs.cheapestAt(point)});
    if (to && point == *to) return;
    const Integer after = point + 1;
    std::vector<std::size_t> cheapest = costs.cheapestAt(after);
    const std::optional<Integer> next =
        cheapest.empty() ? std::nullopt : costs.nextChangeAfter(cheapest.front(), point);
    if (!next || (to && *next > *to)) {
      append(ranges, {after, to, std::move(cheapest)});
      return;
    }
    if (after < *next) append(ranges, {after, *next - 1, std::move(cheapest)});
    point = *next;
  }
}

ExactPolynomial difference(const ExactPolynomial& a, const ExactPolynomial& b) {
  std::vector<ExactPolynomial::Term> negated = b.terms();
  for (ExactPolynomial::Term& term : negated) term.numerator = -term.numerator;
  ExactPolynomial result = ExactPolynomial::fromTerms(std::move(negated), b.commonDenominator());
  result.add(a);
  return result;
}

// Costs with log n: L is k from n = 2^k to 2^(k+1) - 1, where the costs are polynomials in n, swept
// one such range after another up to the k from which every difference keeps its leading term's
// sign; from there on the cheapest stay the same.
std::vector<CheapestRange> sweepByLog(const std::vector<ExactPolynomial>& costs,
                                      const Integer& common, Work& work) {
  unsigned settled = 1;
  for (std::size_t i = 0; i < costs.size(); ++i) {
    for (std::size_t j = i + 1; j < costs.size(); ++j) {
      const ExactPolynomial gap = difference(costs[i], costs[j]);
      if (gap.degree() < 0) continue;
      const std::optional<unsigned> range = leadingSignRange(gap, MAX_LOG_RANGES);
      if (!range) throw OverLimit();
      settled = std::max(settled, *range);
    }
  }
  const auto costsAt = [&](unsigned log) {
    std::vector<Coefficients> scaled;
    for (const ExactPolynomial& cost : costs) {
      scaled.push_back(integerCoefficients(cost, common, log));
      for (const Integer& coefficient : scaled.back()) work.spend(coefficient);
    }
    return scaled;
  };
  std::vector<CheapestRange> ranges;
  for (unsigned k = 0; k < settled; ++k) {
    Sweep range(costsAt(k), work);
    sweep(range, k == 0 ? Integer(0) : Integer(1) << k, (Integer(2) << k) - 1, ranges);
  }
  Sweep beyond(costsAt(settled), work);
  const Integer from = Integer(1) << settled;
  append(ranges, {from, std::nullopt, beyond.cheapestAt(from)});
  return ranges;
}

}  // namespace

std::optional<std::vector<CheapestRange>> cheapestRanges(const std::vector<ExactPolynomial>& costs,
                                                         std::uint64_t workLimit) {
  Integer common = 1;
  for (const ExactPolynomial& cost : costs) common = lcm(common, cost.commonDenominator());
  Work work(workLimit);
  try {
    if (std::any_of(costs.begin(), costs.end(), [](const auto& c) { return c.hasLog(); })) {
      return sweepByLog(costs, common, work);
    }
    std::vector<Coefficients> scaled;
    for (const ExactPolynomial& cost : costs)
      scaled.push_back(integerCoefficients(cost, common, 0));
    Sweep sweeping(std::move(scaled), work);
    std::vector<CheapestRange> ranges;
    sweep(sweeping, 0, std::nullopt, ranges);
    return ranges;
  } catch (const OverLimit&) {
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

std::vector<CheapestRange> withValuesBelow(const std::vector<CheapestRange>& large,
                                           const std::vector<ExactCount>& totals) {
  std::size_t start = 0;
  for (const ExactCount& total : totals) start = std::max(start, total.fromN);
  std::vector<CheapestRange> merged;
  const auto append = [&](CheapestRange range) {
    if (!merged.empty() && merged.back().cheapest == range.cheapest) {
      merged.back().to = range.to;
    } else {
      merged.push_back(std::move(range));
    }
  };
  for (std::size_t n = 0; n < start; ++n) {
    std::vector<std::size_t> least;
    for (std::size_t m = 0; m < totals.size(); ++m) {
      const Rational value = totals[m].valueAt(n);
      if (!least.empty() && value > totals[least[0]].valueAt(n)) continue;
      if (!least.empty() && value < totals[least[0]].valueAt(n)) least.clear();
      least.push_back(m);
    }
    append({n, Integer(n), least});
  }
  for (const CheapestRange& range : large) {
    if (range.to && *range.to < start) continue;
    append({std::max(range.from, Integer(start)), range.to, range.cheapest});
  }
  return merged;
}

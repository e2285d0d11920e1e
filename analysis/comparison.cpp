#include "analysis/comparison.h"

#include <set>

namespace {

using Coefficients = std::vector<Integer>;  // lowest power first
using Clock = std::chrono::steady_clock;

struct OutOfTime {};

// Where the sign of a difference may change between consecutive whole numbers: the ends of the
// unit intervals that isolate its positive real roots (Vincent-Collins-Akritas: Descartes' rule
// of signs on each interval, bisected at whole numbers), found exactly.
class RootIsolation {
 public:
  RootIsolation(Coefficients polynomial, Clock::time_point deadline, std::set<Integer>& candidates)
      : p(std::move(polynomial)), deadline(deadline), candidates(candidates) {}

  void isolate() {
    if (signVariations(p) == 0) return;  // no positive root at all
    isolate(0, cauchyBound());
  }

 private:
  // Every root is smaller than 1 + max |a_i / a_d|.
  Integer cauchyBound() const {
    Integer largest = 0;
    for (const Integer& a : p) largest = std::max(largest, Integer(abs(a)));
    return 2 + largest / abs(p.back());
  }

  // Roots in the open interval (low, high).
  void isolate(const Integer& low, const Integer& high) {
    if (rootsBound(low, high) == 0) return;
    if (high - low <= 1) {
      candidates.insert(low);
      candidates.insert(high);
      return;
    }
    const Integer middle = (low + high) / 2;
    candidates.insert(middle);  // a root there, or not: the sign is looked at anyway
    isolate(low, middle);
    isolate(middle, high);
  }

  // Descartes' bound on the roots in (low, high): the sign variations of
  // (1 + x)^d p((low + high x) / (1 + x)).
  int rootsBound(const Integer& low, const Integer& high) {
    Coefficients q = shifted(p, low);  // p(low + x)
    Integer scale = 1;
    for (Integer& a : q) {  // p(low + (high - low) x)
      a *= scale;
      scale *= high - low;
    }
    std::reverse(q.begin(), q.end());  // x^d q(1/x)
    return signVariations(shifted(q, 1));
  }

  // The coefficients of p(x + by), by repeated synthetic division: O(d^2) additions.
  Coefficients shifted(Coefficients a, const Integer& by) {
    const std::size_t d = a.size() - 1;
    for (std::size_t i = 0; i < d; ++i) {
      if (Clock::now() > deadline) throw OutOfTime{};
      for (std::size_t j = d - 1; j + 1 > i; --j) a[j] += by * a[j + 1];
    }
    return a;
  }

  static int signVariations(const Coefficients& a) {
    int variations = 0;
    int last = 0;
    for (const Integer& c : a) {
      const int sign = c.sign();
      if (sign != 0 && last != 0 && sign != last) ++variations;
      if (sign != 0) last = sign;
    }
    return variations;
  }

  Coefficients p;
  Clock::time_point deadline;
  std::set<Integer>& candidates;
};

// first - second, with its coefficients made whole by a common denominator (the sign is kept).
Coefficients wholeDifference(const ExactPolynomial& first, const ExactPolynomial& second) {
  ExactPolynomial difference = first;
  difference.subtract(second);
  Integer common = 1;
  for (const auto& term : difference.terms()) {
    const Integer& d = denominator(term.second);
    common = common / boost::multiprecision::gcd(common, d) * d;
  }
  Coefficients whole(difference.degree() + 1, 0);
  for (const auto& [power, c] : difference.terms()) {
    whole[power] = numerator(c) * (common / denominator(c));
  }
  return whole;
}

std::vector<std::size_t> cheapestAt(const std::vector<ExactPolynomial>& costs, const Integer& n) {
  std::vector<std::size_t> cheapest;
  Rational lowest;
  for (std::size_t i = 0; i < costs.size(); ++i) {
    const Rational value = costs[i].valueAt(n);
    if (cheapest.empty() || value < lowest) {
      cheapest = {i};
      lowest = value;
    } else if (value == lowest) {
      cheapest.push_back(i);
    }
  }
  return cheapest;
}

void append(std::vector<CheapestRange>& ranges, CheapestRange range) {
  if (!ranges.empty() && ranges.back().cheapest == range.cheapest) {
    ranges.back().to = range.to;
  } else {
    ranges.push_back(std::move(range));
  }
}

}  // namespace

std::optional<std::vector<CheapestRange>> cheapestRanges(const std::vector<ExactPolynomial>& costs,
                                                         std::chrono::milliseconds budget) {
  const Clock::time_point deadline = Clock::now() + budget;
  std::set<Integer> candidates = {0};
  try {
    for (std::size_t i = 0; i < costs.size(); ++i) {
      for (std::size_t j = i + 1; j < costs.size(); ++j) {
        Coefficients difference = wholeDifference(costs[i], costs[j]);
        if (difference.size() > 1) RootIsolation(difference, deadline, candidates).isolate();
      }
    }
  } catch (const OutOfTime&) {
    return std::nullopt;
  }
  // Between consecutive candidates, and beyond the last, no difference changes sign.
  std::vector<CheapestRange> ranges;
  for (auto at = candidates.begin(); at != candidates.end(); ++at) {
    append(ranges, {*at, *at, cheapestAt(costs, *at)});
    const auto next = std::next(at);
    const Integer gapStart = *at + 1;
    if (next == candidates.end()) {
      append(ranges, {gapStart, std::nullopt, cheapestAt(costs, gapStart)});
    } else if (gapStart < *next) {
      append(ranges, {gapStart, Integer(*next - 1), cheapestAt(costs, gapStart)});
    }
  }
  return ranges;
}

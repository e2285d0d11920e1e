#include "analysis/leadingsign.h"

#include <algorithm>

// Write c for the leading coefficient's size, taking L = k, n >= 2^k >= 2, the leading term's
// power of n as A and its power of L as B. The terms of power A together are at least
// h(k) = c k^B - (the sizes of the other terms of power A, each times k^its log) in size, and
// have c's sign once h(k) > 0; the terms of lower powers are at most g(k) n^(A - 1), g(k) being
// their sizes each times k^its log. So the sign is c's wherever h(k) 2^k > g(k). Past k = 2E,
// E being the highest power of L in g, that inequality, once true, stays true: h(k) / k^B grows
// with k, and 2^k k^B / g(k) grows too, as g(k + 1) / g(k) <= (1 + 1 / k)^E < 2.

namespace {

bool settles(const ExactPolynomial& p, unsigned k) {
  const ExactPolynomial::Term& lead = p.terms().back();
  Integer h = 0, g = 0;
  for (const ExactPolynomial::Term& term : p.terms()) {
    const Integer size = abs(term.numerator) * pow(Integer(k), static_cast<unsigned>(term.log));
    if (term.power < lead.power) {
      g += size;
    } else if (&term == &lead) {
      h += size;
    } else {
      h -= size;
    }
  }
  return h > 0 && (h << k) > g;
}

// 1 + max |a_k / a_d|, rounded up, plus one.
Integer cauchyBound(const ExactPolynomial& p) {
  const Rational lead = abs(p.coefficient(p.degree()));
  Rational most = 0;
  for (int k = 0; k < p.degree(); ++k)
    most = std::max(most, Rational(abs(p.coefficient(k)) / lead));
  const Rational bound = most + 1;
  return numerator(bound) / denominator(bound) + 1;
}

}  // namespace

std::optional<unsigned> leadingSignRange(const ExactPolynomial& p, unsigned most) {
  const ExactPolynomial::Term& lead = p.terms().back();
  int lowLog = 0;
  for (const ExactPolynomial::Term& term : p.terms()) {
    if (term.power < lead.power) lowLog = std::max(lowLog, term.log);
  }
  unsigned low = std::max(1u, 2 * static_cast<unsigned>(lowLog));
  if (low > most || !settles(p, most)) return std::nullopt;
  for (unsigned high = most; low < high;) {  // the least k from `low` on where it settles
    const unsigned middle = low + (high - low) / 2;
    if (settles(p, middle)) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return low;
}

std::optional<Integer> leadingSignFrom(const ExactPolynomial& p, unsigned most) {
  if (!p.hasLog()) {
    Integer from = cauchyBound(p);
    if (from > most) return std::nullopt;
    return from;
  }
  unsigned exponent = 0;  // the greatest with 2^exponent <= most
  while ((2u << exponent) <= most) ++exponent;
  const std::optional<unsigned> range = leadingSignRange(p, exponent);
  if (!range) return std::nullopt;
  return Integer(1) << *range;
}

#pragma once

#include <optional>

#include "analysis/exactpolynomial.h"

// Where a polynomial in n and L = floor(log2 n) takes the sign of its leading term for good: that
// of the term with the highest power of n, and of L among those, as n grows. Not zero.

// The least k found such that the sign holds for every n >= 2^k; none when it is more than
// `most`. Within 2^k <= n < 2^(k+1), L is k and the polynomial is one in n alone.
std::optional<unsigned> leadingSignRange(const ExactPolynomial& p, unsigned most);
// An n from which the sign holds: Cauchy's bound on the roots without L, 2^leadingSignRange with
// it; none when it is more than `most`.
std::optional<Integer> leadingSignFrom(const ExactPolynomial& p, unsigned most);

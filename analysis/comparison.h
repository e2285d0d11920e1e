#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/exactcount.h"
#include "analysis/exactpolynomial.h"

// The costs that are cheapest for every whole number n from `from` to `to`.
struct CheapestRange {
  Integer from;
  std::optional<Integer> to;          // empty: open-ended
  std::vector<std::size_t> cheapest;  // indexes into the costs, ascending
};

// The most work a comparison may do, in machine words of big numbers read or written: enough for
// any program of everyday size, and a bound on the time an adversarial one can take.
constexpr std::uint64_t COMPARISON_WORK_LIMIT = std::uint64_t{1} << 31;

// The ranges 2^k <= n < 2^(k+1) that a comparison of costs with log n may take one by one: past
// them, the cheapest are not worked out.
constexpr unsigned MAX_LOG_RANGES = 4096;

// Which of the costs is cheapest for every whole number n >= 0, exactly: maximal ranges covering
// 0 to infinity, neighbours differing in their cheapest set. Without costs, one range with none.
// Empty when it would take more than `workLimit`.
std::optional<std::vector<CheapestRange>> cheapestRanges(
    const std::vector<ExactPolynomial>& costs, std::uint64_t workLimit = COMPARISON_WORK_LIMIT);

// `large`, the ranges of the costs' polynomials, from the n on where every cost's polynomial
// holds, and below that n the cheapest by the costs' values, n by n.
std::vector<CheapestRange> withValuesBelow(const std::vector<CheapestRange>& large,
                                           const std::vector<ExactCount>& costs);

// A place where the cheapest costs change, as a plot marks it.
struct Crossing {
  Integer n;
  std::vector<std::size_t> cheapest;  // from n on; at n alone when `tie`
  bool tie;                           // the costs meet at this one n
};

// Each tie at a single n, and the first n of every other range after the first that does not
// follow such a tie.
std::vector<Crossing> crossingsOf(const std::vector<CheapestRange>& ranges);

#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <vector>

#include "analysis/exactpolynomial.h"

// The costs that are cheapest for every whole number n from `from` to `to`.
struct CheapestRange {
  Integer from;
  std::optional<Integer> to;          // empty: open-ended
  std::vector<std::size_t> cheapest;  // indexes into the costs, ascending
};

// Which of the costs is cheapest for every whole number n >= 0, exactly: maximal ranges covering
// 0 to infinity, neighbours differing in their cheapest set. Without costs, one range with none.
// Empty when the work does not finish within `budget`.
std::optional<std::vector<CheapestRange>> cheapestRanges(const std::vector<ExactPolynomial>& costs,
                                                         std::chrono::milliseconds budget);

#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <vector>

#include "analysis/exactpolynomial.h"

// A maximal range of whole numbers n on which the same models are cheapest.
struct CheapestRange {
  Integer from;
  std::optional<Integer> to;          // empty: every n from `from` on
  std::vector<std::size_t> cheapest;  // indexes into the costs, ascending
};

// Which of the costs is cheapest for every whole number n >= 0, exactly, as maximal ranges from
// n = 0 on, the last one open-ended; nothing when that cannot be settled within `budget`.
std::optional<std::vector<CheapestRange>> cheapestRanges(const std::vector<ExactPolynomial>& costs,
                                                         std::chrono::milliseconds budget);

#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cost/cpucontext.h"

// A named cost model: the label it is printed under and its two prices.
struct CostModel {
  std::string name;  // e.g. "CPU1(2,4)"
  float addition;
  float multiplication;

  CPUContext context() const { return CPUContext(addition, multiplication); }
};

// The models "CPU1(a,m)", "CPU2(a,m)", ... for the given price pairs, in order.
std::vector<CostModel> numberedModels(const std::vector<std::pair<float, float>>& prices);

// The two models the tool uses unless told otherwise: CPU1(2,4) and CPU2(1,5).
std::vector<CostModel> defaultModels();

// A price as a label shows it: the shortest decimal that reads back as the same float.
std::string priceText(float price);

// "ADD,MUL" as two non-negative decimal prices, or nothing when it is not that.
std::optional<std::pair<float, float>> parsePrices(const std::string& text);

#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/price.h"
#include "cost/cpucontext.h"

// A named cost model: the label it is printed under and its two prices.
struct CostModel {
  std::string name;  // e.g. "CPU1(2,4)", the prices as typed
  Price addition;
  Price multiplication;

  CPUContext context() const { return CPUContext(addition.single(), multiplication.single()); }
};

// The models "CPU1(a,m)", "CPU2(a,m)", ... for the given price pairs, in order.
std::vector<CostModel> numberedModels(const std::vector<std::pair<Price, Price>>& prices);

// The two models the tool uses unless told otherwise: CPU1(2,4) and CPU2(1,5).
std::vector<CostModel> defaultModels();

// A text that is not "ADD,MUL": the whole text, the part of it that is no price (all of it when
// it has no comma), and why.
struct PricesFault {
  std::string text;
  std::string price;
  Price::Fault fault = Price::Fault::notNumber;
};

// "ADD,MUL" as two prices; otherwise nothing, and `fault` says what is wrong.
std::optional<std::pair<Price, Price>> parsePrices(const std::string& text, PricesFault& fault);

// "2,4;1,5": the models of a list separated by ';', as the playground and editors write them;
// none for an empty list.
std::vector<std::string> modelTexts(const std::string& list);

// One model per "ADD,MUL" text, numbered in order; the default models for none. Nothing when a
// text is not a model, and `fault` says which and why, as parsePrices does.
std::optional<std::vector<CostModel>> modelsFrom(const std::vector<std::string>& texts,
                                                 PricesFault& fault);

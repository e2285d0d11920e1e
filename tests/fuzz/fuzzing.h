#pragma once

// What the fuzz targets share: a check that ends the run as a finding, and the input split into
// the cost models and the program.
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "analysis/costmodel.h"

inline void check(bool condition) {
  if (!condition) std::abort();
}

// The input's first line, and the rest after it.
inline std::pair<std::string, std::string> firstLineAndRest(const std::string& input) {
  const std::size_t end = input.find('\n');
  if (end == std::string::npos) return {input, ""};
  return {input.substr(0, end), input.substr(end + 1)};
}

// The models of a line as the playground writes them ("2,4;0.5,3"); the defaults when it is not
// that.
inline std::vector<CostModel> modelsOf(const std::string& line) {
  PricesFault problem;
  return modelsFrom(modelTexts(line), problem).value_or(defaultModels());
}

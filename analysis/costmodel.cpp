#include "analysis/costmodel.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

// Digits with at most one '.' among them: "2", "0.5", ".5", "5.".
bool isDecimal(const std::string& text) {
  const std::size_t point = text.find('.');
  const bool digitsOnly =
      text.find_first_not_of("0123456789.") == std::string::npos && point == text.rfind('.');
  return digitsOnly && text.size() > (point == std::string::npos ? 0u : 1u);
}

std::optional<float> parsePrice(const std::string& text) {
  if (!isDecimal(text)) return std::nullopt;
  const float price = std::strtof(text.c_str(), nullptr);
  if (!std::isfinite(price)) return std::nullopt;
  return price;
}

}  // namespace

std::vector<CostModel> numberedModels(const std::vector<std::pair<float, float>>& prices) {
  std::vector<CostModel> models;
  for (const auto& [addition, multiplication] : prices) {
    const std::string name = "CPU" + std::to_string(models.size() + 1) + "(" + priceText(addition) +
                             "," + priceText(multiplication) + ")";
    models.push_back({name, addition, multiplication});
  }
  return models;
}

std::vector<CostModel> defaultModels() { return numberedModels({{2.0f, 4.0f}, {1.0f, 5.0f}}); }

std::string priceText(float price) {
  if (price == static_cast<float>(static_cast<long long>(price)) && price < 1e15f) {
    return std::to_string(static_cast<long long>(price));
  }
  for (int digits = 1;; ++digits) {
    std::ostringstream text;
    text.precision(digits);
    text << price;
    if (digits >= 9 || std::strtof(text.str().c_str(), nullptr) == price) return text.str();
  }
}

std::optional<std::pair<float, float>> parsePrices(const std::string& text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos) return std::nullopt;
  const auto addition = parsePrice(text.substr(0, comma));
  const auto multiplication = parsePrice(text.substr(comma + 1));
  if (!addition || !multiplication) return std::nullopt;
  return std::make_pair(*addition, *multiplication);
}

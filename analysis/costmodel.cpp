#include "analysis/costmodel.h"

std::vector<CostModel> numberedModels(const std::vector<std::pair<Price, Price>>& prices) {
  std::vector<CostModel> models;
  for (const auto& [addition, multiplication] : prices) {
    const std::string name = "CPU" + std::to_string(models.size() + 1) + "(" + addition.text() +
                             "," + multiplication.text() + ")";
    models.push_back({name, addition, multiplication});
  }
  return models;
}

std::vector<CostModel> defaultModels() {
  return numberedModels({{Price(2), Price(4)}, {Price(1), Price(5)}});
}

std::optional<std::pair<Price, Price>> parsePrices(const std::string& text, PricesFault& fault) {
  fault = {text, text, Price::Fault::notNumber};
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos) return std::nullopt;
  fault.price = text.substr(0, comma);
  const auto addition = Price::parse(fault.price, fault.fault);
  if (!addition) return std::nullopt;
  fault.price = text.substr(comma + 1);
  const auto multiplication = Price::parse(fault.price, fault.fault);
  if (!multiplication) return std::nullopt;
  return std::make_pair(*addition, *multiplication);
}

std::vector<std::string> modelTexts(const std::string& list) {
  std::vector<std::string> texts;
  if (list.empty()) return texts;
  std::size_t start = 0;
  for (std::size_t end; (end = list.find(';', start)) != std::string::npos; start = end + 1) {
    texts.push_back(list.substr(start, end - start));
  }
  texts.push_back(list.substr(start));
  return texts;
}

std::optional<std::vector<CostModel>> modelsFrom(const std::vector<std::string>& texts,
                                                 PricesFault& fault) {
  if (texts.empty()) return defaultModels();
  std::vector<std::pair<Price, Price>> prices;
  for (const std::string& text : texts) {
    const auto pair = parsePrices(text, fault);
    if (!pair) return std::nullopt;
    prices.push_back(*pair);
  }
  return numberedModels(prices);
}

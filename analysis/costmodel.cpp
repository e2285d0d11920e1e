#include "analysis/costmodel.h"

#include "support/translation.h"

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

std::optional<std::pair<Price, Price>> parsePrices(const std::string& text, std::string& problem) {
  const std::size_t comma = text.find(',');
  std::string why;
  std::optional<Price> addition, multiplication;
  if (comma != std::string::npos) {
    addition = Price::parse(text.substr(0, comma), why);
    if (addition) multiplication = Price::parse(text.substr(comma + 1), why);
  }
  if (multiplication) return std::make_pair(*addition, *multiplication);
  problem = fill(tr("'%s' is not ADD,MUL (%s)"),
                 {text, why.empty() ? tr("two non-negative numbers") : why});
  return std::nullopt;
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
                                                 std::string& problem) {
  if (texts.empty()) return defaultModels();
  std::vector<std::pair<Price, Price>> prices;
  for (const std::string& text : texts) {
    const auto pair = parsePrices(text, problem);
    if (!pair) return std::nullopt;
    prices.push_back(*pair);
  }
  return numberedModels(prices);
}

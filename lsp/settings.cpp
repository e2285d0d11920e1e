#include "lsp/settings.h"

#include "report/wording.h"

namespace {

using json = nlohmann::json;

constexpr std::size_t NARROWEST = 10;
constexpr std::size_t WIDEST = 1000;

std::string nameOf(Dialect dialect) {
  for (const auto& [name, named] : dialectNames()) {
    if (named == dialect) return name;
  }
  return "";
}

}  // namespace

std::vector<Settings::Description> Settings::descriptions() {
  const Settings initial;
  return {{"cpu", "array", json::array()},  // no models named: the tool's
          {"codeLens", "boolean", initial.codeLens},
          {"inlayHints", "boolean", initial.inlayHints},
          {"hintWidth", "integer", initial.hintWidth},
          {"dialect", "string", nameOf(initial.dialect)}};
}

Settings Settings::with(const json& given, std::vector<std::string>& problems,
                        const Words& words) const {
  Settings settings = *this;
  if (!given.is_object()) return settings;
  const json& all = given.contains("loopcost") ? given["loopcost"] : given;
  if (!all.is_object()) return settings;
  for (const auto& [name, flag] : {std::make_pair("codeLens", &settings.codeLens),
                                   std::make_pair("inlayHints", &settings.inlayHints)}) {
    const auto value = all.find(name);
    if (value == all.end()) continue;
    if (value->is_boolean()) {
      *flag = value->get<bool>();
    } else {
      problems.push_back(fill(words.tr("%s must be true or false"), {name}));
    }
  }
  if (const auto width = all.find("hintWidth"); width != all.end()) {
    if (width->is_number_unsigned() && *width >= NARROWEST && *width <= WIDEST) {
      settings.hintWidth = width->get<std::size_t>();
    } else {
      problems.push_back(fill(words.tr("hintWidth must be a whole number from %s to %s"),
                              {std::to_string(NARROWEST), std::to_string(WIDEST)}));
    }
  }
  if (const auto dialect = all.find("dialect"); dialect != all.end()) {
    const auto named = dialect->is_string() ? dialectNames().find(dialect->get<std::string>())
                                            : dialectNames().end();
    if (named != dialectNames().end()) {
      settings.dialect = named->second;
    } else {
      problems.push_back(words.tr("dialect must be \"classic\" or \"extended\""));
    }
  }
  if (const auto cpu = all.find("cpu"); cpu != all.end()) {
    std::string problem = words.tr("must be a list of \"ADD,MUL\" texts");
    std::vector<std::string> texts;
    for (const json& text : cpu->is_array() ? *cpu : json::array({nullptr})) {
      if (text.is_string()) texts.push_back(text.get<std::string>());
    }
    std::optional<std::vector<CostModel>> models;
    PricesFault fault;
    if (cpu->is_array() && texts.size() == cpu->size()) {
      models = modelsFrom(texts, fault);
      if (!models) problem = pricesProblem(fault, words);
    }
    if (models) {
      settings.models = std::move(*models);
    } else {
      problems.push_back("cpu: " + problem);
    }
  }
  return settings;
}

bool Settings::operator==(const Settings& other) const {
  if (codeLens != other.codeLens || inlayHints != other.inlayHints ||
      hintWidth != other.hintWidth || dialect != other.dialect ||
      models.size() != other.models.size()) {
    return false;
  }
  for (std::size_t m = 0; m < models.size(); ++m) {
    if (models[m].name != other.models[m].name) return false;
  }
  return true;
}

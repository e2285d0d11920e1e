#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "analysis/costmodel.h"
#include "report/glances.h"
#include "support/dialect.h"
#include "support/words.h"

// What a client may set, as initializationOptions or in workspace/didChangeConfiguration (plain
// or under "loopcost"). The names, types and defaults are written here once; the VS Code
// extension's package.json and the README's lines for Neovim are checked against them by a test.
struct Settings {
  std::vector<CostModel> models;  // "cpu": ["2,4", "1,5"]; [] for the tool's defaults
  bool codeLens = true;
  bool inlayHints = true;
  std::size_t hintWidth = GLANCE_WIDTH;  // characters of a hint's or a lens's label
  Dialect dialect = Dialect::classic;    // "dialect": "classic" or "extended"

  struct Description {
    const char* name;
    const char* type;  // as JSON Schema names it
    nlohmann::json defaultValue;
  };
  // Each setting, its default the value of a Settings as it starts.
  static std::vector<Description> descriptions();

  // The settings with `given` applied: the members it has that are right. The problems with the
  // rest, each as a sentence in the language of `words`, go to `problems`.
  Settings with(const nlohmann::json& given, std::vector<std::string>& problems,
                const Words& words) const;
  bool operator==(const Settings& other) const;
  bool operator!=(const Settings& other) const { return !(*this == other); }
};

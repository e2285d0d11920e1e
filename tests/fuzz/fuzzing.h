#pragma once

// What the fuzz targets share: a check that ends the run as a finding, and the program parsed
// from the input with syntax errors turned into a null result.
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

#include "statements/program.h"
#include "support/syntaxerror.h"

inline void check(bool condition) {
  if (!condition) std::abort();
}

inline std::unique_ptr<Program> parsedOrNull(const std::string& text) {
  const SyntaxErrorsThrow throwing;
  std::istringstream in(text);
  try {
    return std::make_unique<Program>(in);
  } catch (const SyntaxError&) {
    return nullptr;
  }
}

// The input's first line, and the rest after it.
inline std::pair<std::string, std::string> firstLineAndRest(const std::string& input) {
  const std::size_t end = input.find('\n');
  if (end == std::string::npos) return {input, ""};
  return {input.substr(0, end), input.substr(end + 1)};
}

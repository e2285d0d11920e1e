#pragma once

#include <functional>
#include <sstream>
#include <string>

#include "cost/cpucontext.h"
#include "cost/polynomial.h"

// The driver's two cost models.
inline CPUContext cpu1() { return CPUContext(2.0f, 4.0f); }
inline CPUContext cpu2() { return CPUContext(1.0f, 5.0f); }

// Runs `parse` with syntax errors turned into exceptions; returns the error line, "" if none.
std::string syntaxErrorOf(const std::function<void()>& parse);

// What a node's print(out) writes.
template <typename Node>
std::string printed(const Node& node) {
  std::ostringstream out;
  node.print(out);
  return out.str();
}

inline std::string printed(const Polynomial& polynomial) {
  std::ostringstream out;
  polynomial.print(out);
  return out.str();
}

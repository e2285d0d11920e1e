#pragma once

#include "cost/cpucontext.h"
#include "cost/polynomial.h"

// Base of every syntax-tree node: a node owns its children and reports its cost.
class Complexity {
 public:
  Complexity() = default;
  Complexity(const Complexity&) = delete;
  Complexity& operator=(const Complexity&) = delete;
  virtual ~Complexity();

  // The node's cost under the given prices; the tree is left unchanged.
  virtual Polynomial evaluate(CPUContext context) const = 0;
};

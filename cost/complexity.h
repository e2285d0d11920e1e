#pragma once

#include <cstddef>

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

  // Nodes live in the NodePool; `size` is that of the whole node, found through the
  // virtual destructor.
  static void* operator new(std::size_t size);
  static void operator delete(void* node, std::size_t size);
};

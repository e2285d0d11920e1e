#pragma once

#include <cstddef>

#include "support/nodepool.h"

// Base that gives a node class a NodePool of its own: `new Node` and `delete` (also through a
// base pointer, thanks to the virtual destructor) take and return its blocks.
template <typename Node>
class Pooled {
 public:
  static void* operator new(std::size_t size) { return pool().allocate(size); }
  static void operator delete(void* node, std::size_t) { pool().release(node); }

 private:
  static NodePool& pool() {
    static NodePool nodes(sizeof(Node), alignof(Node));
    return nodes;
  }
};

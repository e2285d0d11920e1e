#pragma once

#include <cstddef>

// Memory for syntax-tree nodes. A program holds millions of small nodes, built in one pass and
// freed in another, so blocks are carved from large chunks and recycled through one free list
// per size instead of going one by one through the general allocator. Single-threaded, like the
// tool. Sanitizer builds pass every request straight to the general allocator, so that ASan
// still sees each node on its own.
class NodePool {
 public:
  static void* allocate(std::size_t size);
  static void release(void* block, std::size_t size);
  static void* allocateList(std::size_t size);
  static void releaseList(void* block, std::size_t size);
};

#pragma once

#include <cstddef>
#include <vector>

#include "support/hugepages.h"

// Memory for the nodes of one class. A program holds millions of small nodes, built in one
// pass and freed in another, so blocks are cut from large chunks in address order and
// recycled through a free list instead of going one by one through the general allocator.
// Chains of one class then lie side by side and are walked at memory speed. Chunks are kept
// until the pool is destroyed. Not thread-safe, like the tool.
//
// In sanitizer builds the pool tells AddressSanitizer which blocks are handed out, so touching
// a released block or one never handed out is reported as a use-after-poison. LeakSanitizer
// does not look inside the chunks, which is fine while nodes point only to other nodes.
class NodePool {
 public:
  NodePool(std::size_t nodeSize, std::size_t nodeAlignment);
  NodePool(const NodePool&) = delete;
  NodePool& operator=(const NodePool&) = delete;
  ~NodePool();

  void* allocate(std::size_t size);  // size may not exceed the block size
  void release(void* block);

 private:
  struct FreeBlock {
    FreeBlock* next;
  };

  void addChunk();

  std::size_t blockSize;
  FreeBlock* released = nullptr;
  unsigned char* fresh = nullptr;  // the next block never handed out
  unsigned char* end = nullptr;
  std::vector<HugePages> chunks;
};

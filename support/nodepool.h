#pragma once

#include <cstddef>
#include <memory>
#include <vector>

// Memory for the nodes of one class. A program holds millions of small nodes, built in one
// pass and freed in another, so blocks are cut from large chunks in address order and
// recycled through a free list instead of going one by one through the general allocator.
// Chains of one class then lie side by side and are walked at memory speed. Not thread-safe,
// like the tool. Sanitizer builds use the general allocator, so that ASan sees every node.
// A pool gives its memory back once all its nodes are gone, so that a program too large for
// memory leaves room for the next one.
class NodePool {
 public:
  NodePool(std::size_t nodeSize, std::size_t nodeAlignment);
  NodePool(const NodePool&) = delete;
  NodePool& operator=(const NodePool&) = delete;

  void* allocate(std::size_t size);  // size may not exceed the block size
  void release(void* block);         // when the last live block goes, the chunks go back too

 private:
  void addChunk();

  struct FreeBlock {
    FreeBlock* next;
  };

  std::size_t blockSize;
  std::size_t live = 0;  // blocks handed out and not yet released
  FreeBlock* released = nullptr;
  unsigned char* fresh = nullptr;  // the next block never handed out
  unsigned char* end = nullptr;
  std::vector<std::unique_ptr<unsigned char[]>> chunks;
};

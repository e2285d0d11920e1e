#pragma once

#include <cstddef>
#include <memory>
#include <vector>

// Memory for the nodes of one class. A program holds millions of small nodes, built in one
// pass and freed in another, so blocks are cut from large chunks in address order and
// recycled through a free list instead of going one by one through the general allocator.
// Chains of one class then lie side by side and are walked at memory speed. Once every block
// is released (a whole tree was deleted), all chunks but the first go back to the system, so
// that a program too large for memory leaves room for the next one, and blocks are cut from the
// first chunk again, so the next tree lies in address order too. Not thread-safe, like the tool.
//
// In sanitizer builds the pool tells AddressSanitizer which blocks are handed out, so touching
// a released block or one never handed out is reported as a use-after-poison. LeakSanitizer
// does not look inside the chunks, which is fine while nodes point only to other nodes.
class NodePool {
 public:
  static constexpr std::size_t CHUNK = std::size_t{2} << 20;  // bytes

  NodePool(std::size_t nodeSize, std::size_t nodeAlignment);
  NodePool(const NodePool&) = delete;
  NodePool& operator=(const NodePool&) = delete;
  ~NodePool();

  void* allocate(std::size_t size);  // size may not exceed the block size
  void release(void* block);         // when the last live block goes, the chunks go back too

 private:
  struct FreeBlock {
    FreeBlock* next;
  };

  void nextChunk();
  void rewind();

  std::size_t blockSize;
  std::size_t live = 0;  // blocks handed out and not released
  FreeBlock* released = nullptr;
  unsigned char* fresh = nullptr;  // the next block of the last chunk not handed out yet
  unsigned char* end = nullptr;    // of the last chunk
  std::vector<std::unique_ptr<unsigned char[]>> chunks;
};

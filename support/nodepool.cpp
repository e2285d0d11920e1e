#include "support/nodepool.h"

#include <algorithm>
#include <new>
#include <utility>

#include "support/prefetch.h"

#ifdef LOOPCOST_SANITIZE
#include <sanitizer/asan_interface.h>
#endif

namespace {

std::size_t roundedUp(std::size_t size, std::size_t alignment) {
  return (size + alignment - 1) / alignment * alignment;
}

// AddressSanitizer sees a chunk as one piece of memory; these mark the bytes inside it that
// nodes may not touch (released and fresh blocks) and those they may (handed-out blocks).
void poison(void* memory, std::size_t size) {
#ifdef LOOPCOST_SANITIZE
  ASAN_POISON_MEMORY_REGION(memory, size);
#else
  static_cast<void>(memory), static_cast<void>(size);
#endif
}

void unpoison(void* memory, std::size_t size) {
#ifdef LOOPCOST_SANITIZE
  ASAN_UNPOISON_MEMORY_REGION(memory, size);
#else
  static_cast<void>(memory), static_cast<void>(size);
#endif
}

}  // namespace

// Each block must also hold a free-list link while it is released.
NodePool::NodePool(std::size_t nodeSize, std::size_t nodeAlignment)
    : blockSize(roundedUp(std::max(nodeSize, sizeof(FreeBlock)),
                          std::max(nodeAlignment, alignof(FreeBlock)))) {}

// The memory goes back to the system marked usable: it may be mapped again for anything.
NodePool::~NodePool() {
  for (const HugePages& chunk : chunks) unpoison(chunk.begin(), chunk.end() - chunk.begin());
}

void* NodePool::allocate(std::size_t size) {
  if (released != nullptr) {
    FreeBlock* block = released;
    unpoison(block, size);
    released = block->next;
    ++live;
    return block;
  }
  if (static_cast<std::size_t>(end - fresh) < blockSize) nextChunk();
  void* block = fresh;
  fresh += blockSize;
  prefetchToWrite(fresh);  // the blocks handed out next, which the parser is about to build
  unpoison(block, size);
  ++live;
  return block;
}

void NodePool::release(void* block) {
  if (block == nullptr) return;
  prefetchToWrite(block);  // a tree is deleted in the order it was built: address order
  released = new (block) FreeBlock{released};
  poison(block, blockSize);
  if (--live == 0) rewind();
}

// The chunk after the current one, when an earlier tree left one; else a new one. Most pools
// of a real run never fill their first chunk, so it keeps ordinary pages, which become
// resident only as blocks are handed out; a huge page would make 2 MiB resident for a few
// nodes. Every later chunk is asked for huge pages.
void NodePool::nextChunk() {
  if (current + 1 < chunks.size()) {
    ++current;
  } else {
    HugePages chunk(HugePages::SIZE);
    if (!chunks.empty()) chunk.advise();
    poison(chunk.begin(), HugePages::SIZE);
    chunks.push_back(std::move(chunk));  // should this throw, `chunk` still frees the memory
    current = chunks.size() - 1;
  }
  fresh = chunks[current].begin();
  end = chunks[current].end();
}

// Every block is free: the free list, in the reverse order of the deletes, is dropped, the
// chunks after the first are given back, and blocks are cut in address order from the first
// chunk on, which later walks read fastest.
void NodePool::rewind() {
  released = nullptr;
  for (auto chunk = chunks.begin() + 1; chunk != chunks.end(); ++chunk) {
    unpoison(chunk->begin(), chunk->end() - chunk->begin());
  }
  chunks.erase(chunks.begin() + 1, chunks.end());
  current = 0;
  fresh = chunks[0].begin();
  end = chunks[0].end();
}

#include "support/nodepool.h"

#include <algorithm>
#include <new>
#include <utility>

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

// The memory goes back marked usable: it may be handed out again for anything.
NodePool::~NodePool() {
  for (const auto& chunk : chunks) unpoison(chunk.get(), CHUNK);
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
  unpoison(block, size);
  ++live;
  return block;
}

void NodePool::release(void* block) {
  if (block == nullptr) return;
  released = new (block) FreeBlock{released};
  poison(block, blockSize);
  if (--live == 0) rewind();
}

// A new chunk, left uninitialised: its pages become resident only as blocks are handed out.
void NodePool::nextChunk() {
  std::unique_ptr<unsigned char[]> chunk(new unsigned char[CHUNK]);
  poison(chunk.get(), CHUNK);
  fresh = chunk.get();
  end = fresh + CHUNK;
  chunks.push_back(std::move(chunk));  // should this throw, `chunk` still frees the memory
}

// Every block is free: the free list, in the reverse order of the deletes, is dropped, the
// chunks after the first are given back, and blocks are cut in address order from the first
// chunk on, which later walks read fastest.
void NodePool::rewind() {
  released = nullptr;
  for (auto chunk = chunks.begin() + 1; chunk != chunks.end(); ++chunk)
    unpoison(chunk->get(), CHUNK);
  chunks.erase(chunks.begin() + 1, chunks.end());
  fresh = chunks[0].get();
  end = fresh + CHUNK;
}

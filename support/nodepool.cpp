#include "support/nodepool.h"

#include <algorithm>
#include <new>
#include <utility>

namespace {

constexpr std::size_t CHUNK_SIZE = 1 << 20;

#ifdef LOOPCOST_SANITIZE
constexpr bool POOLING = false;  // ASan must see every node as an allocation of its own
#else
constexpr bool POOLING = true;
#endif

std::size_t roundedUp(std::size_t size, std::size_t alignment) {
  return (size + alignment - 1) / alignment * alignment;
}

}  // namespace

// Each block must also hold a free-list link while it is released.
NodePool::NodePool(std::size_t nodeSize, std::size_t nodeAlignment)
    : blockSize(roundedUp(std::max(nodeSize, sizeof(FreeBlock)),
                          std::max(nodeAlignment, alignof(FreeBlock)))) {}

void* NodePool::allocate(std::size_t size) {
  if (!POOLING) return ::operator new(size);
  void* block = released;
  if (released != nullptr) {
    released = released->next;
  } else {
    if (fresh == nullptr || static_cast<std::size_t>(end - fresh) < blockSize) addChunk();
    block = fresh;
    fresh += blockSize;
  }
  ++live;
  return block;
}

void NodePool::addChunk() {
  std::unique_ptr<unsigned char[]> chunk(new unsigned char[CHUNK_SIZE]);  // left uninitialised
  chunks.push_back(std::move(chunk));  // should this throw, `chunk` still frees the memory
  fresh = chunks.back().get();
  end = fresh + CHUNK_SIZE;
}

void NodePool::release(void* block) {
  if (!POOLING) {
    ::operator delete(block);
  } else if (block != nullptr && --live == 0) {
    chunks.clear();
    released = nullptr;
    fresh = end = nullptr;
  } else if (block != nullptr) {
    released = new (block) FreeBlock{released};
  }
}

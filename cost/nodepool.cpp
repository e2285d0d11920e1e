#include "cost/nodepool.h"

#include <memory>
#include <new>
#include <vector>

namespace {

constexpr std::size_t GRAIN = alignof(void*);      // nodes hold pointers, floats and ints
constexpr std::size_t LARGEST_POOLED = 8 * GRAIN;  // every node class fits
constexpr std::size_t CHUNK_SIZE = 1 << 20;

struct FreeBlock {
  FreeBlock* next;
};

class Pools {
 public:
  void* allocate(std::size_t size) {
    FreeBlock*& head = freeList(size);
    if (head == nullptr) carve(size);
    FreeBlock* block = head;
    head = block->next;
    return block;
  }

  void release(void* block, std::size_t size) {
    FreeBlock*& head = freeList(size);
    head = new (block) FreeBlock{head};
  }

 private:
  static std::size_t rounded(std::size_t size) { return (size + GRAIN - 1) / GRAIN * GRAIN; }

  FreeBlock*& freeList(std::size_t size) { return heads[rounded(size) / GRAIN - 1]; }

  // Splits a fresh chunk into blocks of the size and puts them on its free list.
  void carve(std::size_t size) {
    const std::size_t blockSize = rounded(size);
    chunks.emplace_back(new unsigned char[CHUNK_SIZE]);  // left uninitialised: no need to clear
    unsigned char* chunk = chunks.back().get();
    FreeBlock*& head = freeList(size);
    for (std::size_t at = CHUNK_SIZE / blockSize * blockSize; at > 0; at -= blockSize) {
      head = new (chunk + at - blockSize) FreeBlock{head};
    }
  }

  FreeBlock* heads[LARGEST_POOLED / GRAIN] = {};
  std::vector<std::unique_ptr<unsigned char[]>> chunks;
};

Pools& pools() {
  static Pools instance;
  return instance;
}
Pools& listPools() {
  static Pools instance;
  return instance;
}

bool pooled(std::size_t size) {
#ifdef LOOPCOST_SANITIZE
  (void)size;
  return false;
#else
  return size <= LARGEST_POOLED;
#endif
}

}  // namespace

void* NodePool::allocateList(std::size_t size) { return listPools().allocate(size); }
void NodePool::releaseList(void* b, std::size_t size) { listPools().release(b, size); }
void* NodePool::allocate(std::size_t size) {
  return pooled(size) ? pools().allocate(size) : ::operator new(size);
}

void NodePool::release(void* block, std::size_t size) {
  if (block == nullptr) return;
  if (pooled(size)) {
    pools().release(block, size);
  } else {
    ::operator delete(block);
  }
}

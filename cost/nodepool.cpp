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

// Blocks of one size: released ones are reused first, then fresh ones are cut from the chunk at
// hand, in address order, so that nodes built one after the other lie side by side.
class SizeClass {
 public:
  void* allocate(std::size_t blockSize, std::vector<std::unique_ptr<unsigned char[]>>& chunks) {
    if (released != nullptr) {
      FreeBlock* block = released;
      released = block->next;
      return block;
    }
    if (fresh == nullptr || static_cast<std::size_t>(end - fresh) < blockSize) {
      chunks.emplace_back(new unsigned char[CHUNK_SIZE]);  // left uninitialised: no need to clear
      fresh = chunks.back().get();
      end = fresh + CHUNK_SIZE;
    }
    void* block = fresh;
    fresh += blockSize;
    return block;
  }

  void release(void* block) { released = new (block) FreeBlock{released}; }

 private:
  FreeBlock* released = nullptr;
  unsigned char* fresh = nullptr;
  unsigned char* end = nullptr;
};

class Pools {
 public:
  void* allocate(std::size_t size) { return sizeClass(size).allocate(rounded(size), chunks); }
  void release(void* block, std::size_t size) { sizeClass(size).release(block); }

 private:
  static std::size_t rounded(std::size_t size) { return (size + GRAIN - 1) / GRAIN * GRAIN; }
  SizeClass& sizeClass(std::size_t size) { return classes[rounded(size) / GRAIN - 1]; }

  SizeClass classes[LARGEST_POOLED / GRAIN];
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

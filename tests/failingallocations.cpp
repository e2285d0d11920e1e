#include "tests/failingallocations.h"

#include <cstdlib>
#include <new>

namespace {

bool armed = false;
long remaining = 0;
bool anyFailed = false;

}  // namespace

FailingAllocations::FailingAllocations(long after) {
  armed = true;
  remaining = after;
  anyFailed = false;
}

FailingAllocations::~FailingAllocations() { armed = false; }

bool FailingAllocations::failed() const { return anyFailed; }

// The program's own operator new, for FailingAllocations to fail; otherwise malloc's.
void* operator new(std::size_t size) {
  if (armed && remaining-- <= 0) {
    anyFailed = true;
    throw std::bad_alloc();
  }
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}

void* operator new[](std::size_t size) { return operator new(size); }

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return operator new(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

void* operator new[](std::size_t size, const std::nothrow_t& nothrow) noexcept {
  return operator new(size, nothrow);
}

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }

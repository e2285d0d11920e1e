#include "support/hugepages.h"

#include <cstdint>
#include <new>
#include <utility>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace {

std::size_t wholePages(std::size_t bytes) {
  if (bytes > static_cast<std::size_t>(-1) - HugePages::SIZE) throw std::bad_alloc();
  return (bytes + HugePages::SIZE - 1) / HugePages::SIZE * HugePages::SIZE;
}

#ifdef __linux__

// mmap only promises the alignment of an ordinary page, so one huge page more is mapped and the
// unaligned ends are given back.
unsigned char* map(std::size_t length) {
  void* mapped = mmap(nullptr, length + HugePages::SIZE, PROT_READ | PROT_WRITE,
                      MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  auto* start = static_cast<unsigned char*>(mapped);
  const std::size_t misalignment = reinterpret_cast<std::uintptr_t>(start) % HugePages::SIZE;
  const std::size_t head = misalignment == 0 ? 0 : HugePages::SIZE - misalignment;
  if (head != 0) munmap(start, head);
  munmap(start + head + length, HugePages::SIZE - head);
  return start + head;
}

void unmap(unsigned char* memory, std::size_t length) { munmap(memory, length); }

#else

unsigned char* map(std::size_t length) {
  return static_cast<unsigned char*>(::operator new (length, std::align_val_t{HugePages::SIZE}));
}

void unmap(unsigned char* memory, std::size_t) {
  ::operator delete (memory, std::align_val_t{HugePages::SIZE});
}

#endif

}  // namespace

HugePages::HugePages(std::size_t bytes) : memory(nullptr), length(wholePages(bytes)) {
  memory = map(length);
}

HugePages::HugePages(HugePages&& other) noexcept
    : memory(std::exchange(other.memory, nullptr)), length(std::exchange(other.length, 0)) {}

HugePages& HugePages::operator=(HugePages&& other) noexcept {
  std::swap(memory, other.memory);
  std::swap(length, other.length);
  return *this;
}

HugePages::~HugePages() {
  if (memory != nullptr) unmap(memory, length);
}

// MADV_HUGEPAGE fails on kernels built without transparent huge pages; that only costs speed.
void HugePages::advise() {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  madvise(memory, length, MADV_HUGEPAGE);
#endif
}

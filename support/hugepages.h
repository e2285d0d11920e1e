#pragma once

#include <cstddef>

// A region of memory for many small nodes that live as long as the process: aligned to and a
// whole number of 2 MiB pages long, so that the kernel can back it with transparent huge pages
// when asked to. A tree of millions of nodes then costs a few hundred page faults instead of
// tens of thousands, and walking it misses the TLB far less often. Left uninitialised.
class HugePages {
 public:
  static constexpr std::size_t SIZE = std::size_t{2} << 20;  // one huge page on x86-64 Linux

  explicit HugePages(std::size_t bytes);  // rounded up to whole pages; throws std::bad_alloc
  HugePages(HugePages&& other) noexcept;
  HugePages& operator=(HugePages&& other) noexcept;
  ~HugePages();

  // Asks Linux for huge pages from the next fault on; elsewhere, or when the kernel has none to
  // give, the region keeps ordinary pages and works the same.
  void advise();

  unsigned char* begin() const { return memory; }
  unsigned char* end() const { return memory + length; }

 private:
  unsigned char* memory;
  std::size_t length;
};

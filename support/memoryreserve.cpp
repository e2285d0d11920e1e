#include "support/memoryreserve.h"

namespace {

std::unique_ptr<char[]> held;
std::size_t reserved = 0;  // the size of the reserve installed

}  // namespace

MemoryReserve::MemoryReserve(std::size_t bytes) : previous(std::set_new_handler(release)) {
  reserved = bytes;
  refill();
}

MemoryReserve::~MemoryReserve() {
  std::set_new_handler(previous);
  held.reset();
  reserved = 0;
}

void MemoryReserve::refill() {
  if (!held && reserved > 0) held.reset(new (std::nothrow) char[reserved]);
}

void MemoryReserve::release() {
  held.reset();
  throw std::bad_alloc();
}

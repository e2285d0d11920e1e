#include "support/memoryreserve.h"

namespace {

std::unique_ptr<char[]> held;

}  // namespace

MemoryReserve::MemoryReserve(std::size_t bytes)
    : bytes(bytes), previous(std::set_new_handler(release)) {
  refill();
}

MemoryReserve::~MemoryReserve() {
  std::set_new_handler(previous);
  held.reset();
}

void MemoryReserve::refill() {
  if (!held) held.reset(new (std::nothrow) char[bytes]);
}

void MemoryReserve::release() {
  held.reset();
  throw std::bad_alloc();
}

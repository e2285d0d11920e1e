#pragma once

#include <cstddef>
#include <memory>
#include <new>

// Memory held back for the way out of an allocation that fails. While a reserve is installed,
// an allocation that fails lets go of it and throws std::bad_alloc, so that whatever unwinds the
// stack (a JSON value's destructor allocates) finds memory; refill() takes it back, as every
// place that catches the failure does once it has unwound. Not thread-safe, like the tool.
class MemoryReserve {
 public:
  explicit MemoryReserve(std::size_t bytes);
  MemoryReserve(const MemoryReserve&) = delete;
  MemoryReserve& operator=(const MemoryReserve&) = delete;
  ~MemoryReserve();  // the handler before is back

  static void refill();  // takes the reserve back, if memory allows and one is installed

 private:
  static void release();

  std::new_handler previous;
};

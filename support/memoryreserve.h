#pragma once

#include <cstddef>
#include <memory>
#include <new>

// Memory held back for the way out of an allocation that fails. While a reserve is installed,
// the first allocation that fails lets go of it and throws std::bad_alloc, so that whatever
// unwinds the stack (a JSON value's destructor allocates) finds memory again; refill() takes it
// back once the failure has been dealt with. Not thread-safe, like the tool.
class MemoryReserve {
 public:
  explicit MemoryReserve(std::size_t bytes);
  MemoryReserve(const MemoryReserve&) = delete;
  MemoryReserve& operator=(const MemoryReserve&) = delete;
  ~MemoryReserve();  // the handler before is back

  void refill();  // takes the reserve back, if memory allows

 private:
  static void release();

  std::size_t bytes;
  std::new_handler previous;
};

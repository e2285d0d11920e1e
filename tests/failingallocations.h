#pragma once

// While alive, the allocations of operator new in this test program fail, as when memory runs
// out, from the one numbered `after` on (the first is 0); those before it succeed.
class FailingAllocations {
 public:
  explicit FailingAllocations(long after);
  FailingAllocations(const FailingAllocations&) = delete;
  FailingAllocations& operator=(const FailingAllocations&) = delete;
  ~FailingAllocations();

  bool failed() const;  // whether an allocation failed
};

// loopcost's entry point: the process-wide settings, then one run on the standard streams.
#include <iostream>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "driver/run.h"

namespace {

// The walks of long chains take buffers of up to megabytes and give them back, once or more per
// statement. By default glibc maps such blocks afresh and returns the free top of its heap to
// the kernel, so every walk faulted its buffer in page by page again: a third of the time of a
// program of long sums. Freed memory is kept for reuse instead; the peak stays what it was.
void keepFreedMemory() {
#ifdef __GLIBC__
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
}

}  // namespace

int main(int argc, char* argv[]) {
  keepFreedMemory();
  std::ios::sync_with_stdio(false);  // buffered output; reading a name still flushes the prompt
  return run(argc, argv, std::cin, std::cout, std::cerr);
}

// The playground's way into the core: the page hands over its programs' texts and its cost models
// and gets back the JSON document `loopcost --format=json --compare` writes for them.
#include <emscripten/bind.h>
#include <malloc.h>

#include "report/playground.h"

namespace {

// Bytes the allocator has handed out and not taken back; analysing a program, good or bad,
// must leave it as it found it.
unsigned heapBytesInUse() { return static_cast<unsigned>(mallinfo().uordblks); }

}  // namespace

EMSCRIPTEN_BINDINGS(loopcost) {
  emscripten::function("analyse", &analyseProgramText);
  emscripten::function("analyseMany", &analyseProgramTexts);
  emscripten::function("heapBytesInUse", &heapBytesInUse);
}

#pragma once

#include <cstdint>

// Each node class has its own pool, which cuts blocks in address order, so a walk over the
// statements in program order reads every class's nodes in address order too (and a walk from
// the last statement back, in reverse). The processor's prefetcher misses that pattern across
// the five or six pools read side by side, and the walks of a large tree wait for memory at
// nearly every node. These ask for the memory a few statements ahead of a walk instead; a hint
// never faults, so an address past a pool's end does no harm.

// How far ahead, in bytes of one pool: several statements' nodes, enough to hide the latency of
// memory, but little enough that the lines are still cached when the walk gets there.
constexpr std::uintptr_t PREFETCH_DISTANCE = 2048;

// Asks for the cache line at `address` + `offset` (modulo 2^N), to read, or to write when
// `write` is 1.
template <int write = 0>
void prefetchAt(const void* address, std::uintptr_t offset) {
#if defined(__GNUC__)
  __builtin_prefetch(
      reinterpret_cast<const void*>(reinterpret_cast<std::uintptr_t>(address) + offset), write);
#else
  static_cast<void>(address), static_cast<void>(offset);
#endif
}

// For walks in program order: the nodes of the same class as `node` cut a little after it.
inline void prefetchNodesAfter(const void* node) { prefetchAt(node, PREFETCH_DISTANCE); }

// For walks from the last statement back: the nodes of the same class cut a little before it.
inline void prefetchNodesBefore(const void* node) { prefetchAt(node, 0 - PREFETCH_DISTANCE); }

// For a pool about to hand out `block`: the blocks it hands out a little later, to be built.
inline void prefetchToWrite(const void* block) { prefetchAt<1>(block, PREFETCH_DISTANCE); }

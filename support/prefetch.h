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
constexpr std::uintptr_t PREFETCH_DISTANCE = 1024;

// For walks in program order: the nodes of the same class as `node` cut a little after it.
inline void prefetchNodesAfter(const void* node) {
#if defined(__GNUC__)
  __builtin_prefetch(
      reinterpret_cast<const void*>(reinterpret_cast<std::uintptr_t>(node) + PREFETCH_DISTANCE));
#else
  static_cast<void>(node);
#endif
}

// For walks from the last statement back: the nodes of the same class cut a little before it.
inline void prefetchNodesBefore(const void* node) {
#if defined(__GNUC__)
  __builtin_prefetch(
      reinterpret_cast<const void*>(reinterpret_cast<std::uintptr_t>(node) - PREFETCH_DISTANCE));
#else
  static_cast<void>(node);
#endif
}

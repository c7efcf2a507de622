#pragma once
// Asking early for a cache line that is about to be written.

#include <cstdint>

namespace runtime {

#if defined(__x86_64__)
// Whether the processor has PREFETCHW, which fetches a line to be written
// to: read once, at start-up. The oldest x86-64 processors lack it.
extern const bool kHasPrefetchW;
#endif

// Starts making the cache line holding the address ready to be written by
// this core. A line another core has read since it was last written here
// must first be taken back from that core's cache, and a store that meets
// one waits, holding up every store behind it. Any address will do: nothing
// is read or written.
inline void prefetch_for_writing(std::uintptr_t address) {
#if defined(__x86_64__)
  if (kHasPrefetchW) {
    __asm__ volatile("prefetchw (%0)" : : "r"(address));
    return;
  }
#endif
  __builtin_prefetch(reinterpret_cast<const void*>(address), 1);
}

}  // namespace runtime

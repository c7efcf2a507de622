#include "platform/runtime/prefetch.h"

#if defined(__x86_64__)
#include <cpuid.h>
#endif

namespace runtime {

#if defined(__x86_64__)
extern const bool kHasPrefetchW = [] {
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  return __get_cpuid(0x80000001u, &eax, &ebx, &ecx, &edx) != 0 && (ecx & bit_PRFCHW) != 0;
}();
#endif

}  // namespace runtime

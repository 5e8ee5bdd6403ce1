#include "engine/BitCount.h"

#include <bit>
#include <cstdlib>

namespace bits {

#if defined(__x86_64__) || defined(__i386__)
#define MAROVELKA_X86_POPCNT 1
#endif

bool HardwareCount() {
#ifdef MAROVELKA_X86_POPCNT
    __builtin_cpu_init();
    return __builtin_cpu_supports("popcnt");
#else
    return false;
#endif
}

int CountCommonPortable(const Word* a, const Word* b, int n) {
    int count = 0;
    for (int i = 0; i < n; ++i) count += std::popcount(a[i] & b[i]);
    return count;
}

#ifdef MAROVELKA_X86_POPCNT
__attribute__((target("popcnt"))) int CountCommonHardware(const Word* a, const Word* b, int n) {
    int count = 0;
    for (int i = 0; i < n; ++i) count += __builtin_popcountll(a[i] & b[i]);
    return count;
}
#else
int CountCommonHardware(const Word*, const Word*, int) { std::abort(); }
#endif

int CountCommon(const Word* a, const Word* b, int n) {
    using Counter = int (*)(const Word*, const Word*, int);
    static const Counter counter = HardwareCount() ? CountCommonHardware : CountCommonPortable;
    return counter(a, b, n);
}

}  // namespace bits

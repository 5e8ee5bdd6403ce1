#pragma once
#include <cstdint>

// Counting set bits of word arrays, the inner loop of the Swiss pairing's opponent counts. The
// processor's own count instruction is used where the machine running the program has it (asked
// once, at the first count); the build itself assumes no more than any x86-64 offers.
namespace bits {

using Word = std::uint64_t;

// The set bits of a[0..n) & b[0..n).
int CountCommon(const Word* a, const Word* b, int n);
// The set bits of a[0..n).
inline int Count(const Word* a, int n) { return CountCommon(a, a, n); }

// The two ways, for comparing them: the one in plain code, which runs everywhere, and the one by
// the count instruction, which may only be called where HardwareCount() says so.
bool HardwareCount();
int CountCommonPortable(const Word* a, const Word* b, int n);
int CountCommonHardware(const Word* a, const Word* b, int n);

}  // namespace bits

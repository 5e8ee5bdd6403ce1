#include "platform/Random.h"

#include <mutex>

#include "platform/Clock.h"

namespace prng {
namespace {
std::mutex mutex;
Generator shared{1};
}  // namespace

int Generator::Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
}

void Seed(uint32_t seed) {
    std::lock_guard lock(mutex);
    shared = Generator(seed);
}

void SeedFromClock() {
    Seed(static_cast<uint32_t>(datetime::ToMilliseconds(Now()) ^ static_cast<uint64_t>(GetTickCount())));
}

int Rand() {
    std::lock_guard lock(mutex);
    return shared.Next();
}

int Random(int n) {
    if (n <= 1) return 0;
    return static_cast<int>(static_cast<int64_t>(Rand()) * n / (kRandMax + 1));
}

int Uniform(int n) {
    if (n <= 1) return 0;
    // One draw gives 15 bits; three cover every int.
    const int draws = n <= kRandMax + 1 ? 1 : 3;
    const int64_t range = int64_t{1} << (15 * draws);
    const int64_t limit = range - range % n;
    for (;;) {
        int64_t value = 0;
        for (int i = 0; i < draws; ++i) value = (value << 15) | Rand();
        if (value < limit) return static_cast<int>(value % n);
    }
}

}  // namespace prng

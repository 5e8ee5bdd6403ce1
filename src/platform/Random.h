#pragma once
#include <cstdint>

// The process-wide pseudo-random generator of the runtime: values 0..32767.
// Seeded from the clock at start; tests seed it for repeatable runs.
namespace prng {

constexpr int kRandMax = 32767;

void Seed(uint32_t seed);
void SeedFromClock();
int Rand();
// 0 .. n-1 (0 when n <= 1).
int Random(int n);

// A generator of its own for callers that must not disturb the shared sequence.
class Generator {
public:
    explicit Generator(uint32_t seed) : state_(seed) {}
    int Next();

private:
    uint32_t state_;
};

}  // namespace prng

#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// The process-wide pseudo-random generator of the runtime: values 0..32767.
// Seeded from the clock at start; tests seed it for repeatable runs.
namespace prng {

constexpr int kRandMax = 32767;

void Seed(uint32_t seed);
void SeedFromClock();
int Rand();
// 0 .. n-1 (0 when n <= 1).
int Random(int n);
// 0 .. n-1, every value equally likely (0 when n <= 1): draws that would favour some values
// are drawn again, and several draws are joined for n beyond the generator's range.
int Uniform(int n);

// Puts the items in a random order, every order equally likely (Fisher-Yates).
template <class T>
void Shuffle(std::vector<T>& items) {
    for (std::size_t i = items.size(); i > 1; --i) {
        const auto j = static_cast<std::size_t>(Uniform(static_cast<int>(i)));
        std::swap(items[i - 1], items[j]);
    }
}

// A generator of its own for callers that must not disturb the shared sequence.
class Generator {
public:
    explicit Generator(uint32_t seed) : state_(seed) {}
    int Next();

private:
    uint32_t state_;
};

}  // namespace prng

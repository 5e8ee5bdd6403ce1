#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/BitCount.h"

namespace {

using bits::Word;

// Words of every kind the pairing meets: empty, full, single bits at both ends, random.
std::vector<Word> Words(std::mt19937_64& rng, size_t n) {
    static const Word kinds[] = {0, ~Word{0}, 1, Word{1} << 63, 0x5555555555555555ULL, 0x8000000000000001ULL};
    std::vector<Word> words(n);
    for (Word& w : words) w = rng() % 3 == 0 ? kinds[rng() % std::size(kinds)] : rng();
    return words;
}

}  // namespace

TEST(BitCountTest, CountsTheCommonBitsOfWordArrays) {
    const Word a[] = {0b1011, ~Word{0}, Word{1} << 63};
    const Word b[] = {0b0110, 0xF0, ~Word{0}};
    EXPECT_EQ(bits::CountCommon(a, b, 3), 1 + 4 + 1);
    EXPECT_EQ(bits::Count(a, 3), 3 + 64 + 1);
    EXPECT_EQ(bits::CountCommon(a, b, 0), 0);
}

// Where the machine has the count instruction, it counts what the plain code counts.
TEST(BitCountTest, BothWaysCountAlike) {
    if (!bits::HardwareCount()) GTEST_SKIP() << "Dieser Prozessor zählt Bits nicht selbst";
    std::mt19937_64 rng(99);
    for (size_t n : {size_t{0}, size_t{1}, size_t{2}, size_t{16}, size_t{17}, size_t{157}}) {
        for (int t = 0; t < 50; ++t) {
            const std::vector<Word> a = Words(rng, n), b = Words(rng, n);
            const int size = static_cast<int>(n);
            ASSERT_EQ(bits::CountCommonHardware(a.data(), b.data(), size),
                      bits::CountCommonPortable(a.data(), b.data(), size));
            ASSERT_EQ(bits::CountCommon(a.data(), b.data(), size), bits::CountCommonPortable(a.data(), b.data(), size));
        }
    }
}

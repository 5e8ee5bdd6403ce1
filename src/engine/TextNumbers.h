#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// Small whole numbers for texts: each distinct text gets the next number (0, 1, ...) in the order
// it is first met. The operations that compare names of every earlier game after a round ask
// thousands of times for a few hundred names: one flat table, probed in place, spares a node and
// a pass through the general hash per name. The texts are looked at where they stand and must
// stay there while the table is used.
class TextNumbers {
public:
    static constexpr int kNone = -1;

    // Room for `expected` texts before the table grows.
    explicit TextNumbers(size_t expected);

    int Count() const { return static_cast<int>(texts_.size()); }
    // The text's number; a new text gets the next one.
    int Number(std::string_view text);
    // The text's number, or kNone for a text not met yet.
    int Find(std::string_view text) const;

private:
    std::vector<std::string_view> texts_;  // by number
    std::vector<int> slots_;               // numbers by hash, kNone where free; a power of two long
    size_t mask_ = 0;

    // The slot of the text, or the free slot where it would go.
    size_t SlotOf(std::string_view text) const;
    void Grow();
};

#include "engine/TextNumbers.h"

#include <bit>
#include <cstring>
#include <utility>

namespace {

// Loads of a fixed width, so that no call to copy or compare a few bytes is made.
template <typename Word>
std::uint64_t Load(const char* at) {
    Word word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

std::uint64_t Mix(std::uint64_t h, std::uint64_t word) {
    h = (h ^ word) * 0x9E3779B97F4A7C15ULL;
    return h ^ (h >> 29);
}

// The first and the last word (which may overlap) of a text of at least one word's length.
template <typename Word>
std::pair<std::uint64_t, std::uint64_t> Ends(std::string_view text) {
    return {Load<Word>(text.data()), Load<Word>(text.data() + text.size() - sizeof(Word))};
}

// Names are short: eight bytes at a time, the last eight in one piece with the ones before.
size_t HashOf(std::string_view text) {
    const size_t size = text.size();
    std::uint64_t h = Mix(0x243F6A8885A308D3ULL, size);
    if (size >= 8) {
        for (size_t at = 0; at + 8 < size; at += 8) h = Mix(h, Load<std::uint64_t>(text.data() + at));
        h = Mix(h, Load<std::uint64_t>(text.data() + size - 8));
    } else if (size >= 4) {
        const auto [first, last] = Ends<std::uint32_t>(text);
        h = Mix(h, first << 32 | last);
    } else {
        for (char c : text) h = Mix(h, static_cast<unsigned char>(c));
    }
    return static_cast<size_t>(Mix(h, 0));
}

bool SameText(std::string_view a, std::string_view b) {
    const size_t size = a.size();
    if (size != b.size()) return false;
    if (size < 8) return a == b;
    for (size_t at = 0; at + 8 < size; at += 8)
        if (Load<std::uint64_t>(a.data() + at) != Load<std::uint64_t>(b.data() + at)) return false;
    return Load<std::uint64_t>(a.data() + size - 8) == Load<std::uint64_t>(b.data() + size - 8);
}

}  // namespace

TextNumbers::TextNumbers(size_t expected) {
    texts_.reserve(expected);
    // At most half full, so that probes stay short.
    slots_.assign(std::bit_ceil(2 * expected + 2), kNone);
    mask_ = slots_.size() - 1;
}

size_t TextNumbers::SlotOf(std::string_view text) const {
    size_t slot = HashOf(text) & mask_;
    while (slots_[slot] != kNone && !SameText(texts_[static_cast<size_t>(slots_[slot])], text)) slot = (slot + 1) & mask_;
    return slot;
}

int TextNumbers::Find(std::string_view text) const { return slots_[SlotOf(text)]; }

int TextNumbers::Number(std::string_view text) {
    const size_t slot = SlotOf(text);
    if (slots_[slot] != kNone) return slots_[slot];
    const int number = Count();
    slots_[slot] = number;
    texts_.push_back(text);
    if (2 * texts_.size() > slots_.size()) Grow();
    return number;
}

void TextNumbers::Grow() {
    slots_.assign(2 * slots_.size(), kNone);
    mask_ = slots_.size() - 1;
    for (size_t number = 0; number < texts_.size(); ++number) slots_[SlotOf(texts_[number])] = static_cast<int>(number);
}

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/TextNumbers.h"

// Names are numbered in the order they are first met; equal texts, wherever they are kept, share
// one number, and texts that differ in any byte do not.
TEST(TextNumbers, EqualTextsShareANumberInTheOrderFirstMet) {
    const std::vector<std::string> names{"Spieler 1", "Spieler 2", "Spieler 1", "", "Spieler 2", "Müller"};
    const std::string copy = "Spieler 2";
    TextNumbers numbers(2);
    std::vector<int> got;
    for (const std::string& name : names) got.push_back(numbers.Number(name));
    EXPECT_EQ(got, (std::vector<int>{0, 1, 0, 2, 1, 3}));
    EXPECT_EQ(numbers.Find(copy), 1) << "compared by text, not by where it is kept";
    EXPECT_EQ(numbers.Find(""), 2) << "the empty name is a name as any other";
    EXPECT_EQ(numbers.Find("Spieler"), TextNumbers::kNone);
    EXPECT_EQ(numbers.Find("Spieler 1 "), TextNumbers::kNone);
    EXPECT_EQ(numbers.Count(), 4);
}

// Texts of every length up to three words, each differing from the others in one byte only (at
// the start, in the middle, where the last word overlaps the one before, at the end), and far more
// of them than the table had room for at first.
TEST(TextNumbers, TextsDifferingInOneByteAtAnyPlaceAndLengthStayApart) {
    std::vector<std::string> texts;
    for (size_t length = 0; length <= 24; ++length) {
        const std::string base(length, 'a');
        texts.push_back(base);
        for (size_t at = 0; at < length; ++at) {
            std::string other = base;
            other[at] = '\xC3';
            texts.push_back(other);
        }
    }
    texts.emplace_back("a\0b", 3);
    texts.emplace_back("a\0c", 3);
    TextNumbers numbers(1);
    for (size_t i = 0; i < texts.size(); ++i) ASSERT_EQ(numbers.Number(texts[i]), static_cast<int>(i)) << i;
    for (size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(numbers.Find(texts[i]), static_cast<int>(i)) << i;
    EXPECT_EQ(numbers.Count(), static_cast<int>(texts.size()));
}

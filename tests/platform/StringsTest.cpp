#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>

#include "platform/Strings.h"
#include "platform/Utf8.h"

using Lines = std::vector<std::string>;

TEST(Strings, TextSplitsAtEveryKindOfLineEnd) {
    TStringList list;
    list.SetText("a\r\nb\rc\nd");
    EXPECT_EQ(list.ToVector(), (Lines{"a", "b", "c", "d"}));
    list.SetText("a\r\n\r\n");
    EXPECT_EQ(list.ToVector(), (Lines{"a", ""}));
    EXPECT_EQ(list.Text(), "a\r\n\r\n");
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
}

TEST(Strings, SortedListKeepsOrderAndDuplicateRule) {
    TStringList list;
    list.SetSorted(true);
    list.Add("b");
    list.Add("A");
    list.Add("a");
    list.Add("c");
    EXPECT_EQ(list.ToVector(), (Lines{"A", "a", "b", "c"})) << "equal texts in the order added";
    for (const char* text : {"C", "c", "C"}) list.Add(text);
    EXPECT_EQ(list.ToVector(), (Lines{"A", "a", "b", "c", "C", "c", "C"})) << "behind every equal one";
    list.Duplicates = TDuplicates::dupIgnore;
    list.Add("B");
    EXPECT_EQ(list.Count(), 7);
    EXPECT_EQ(list.IndexOf("C"), 3);
    EXPECT_THROW(list.Insert(0, "x"), std::logic_error);
}

TEST(Strings, IndexErrorsThrowAndChangeNothing) {
    TStringList list;
    list.Add("a");
    EXPECT_THROW(list.Delete(1), std::out_of_range);
    EXPECT_THROW(list.Insert(-1, "x"), std::out_of_range);
    EXPECT_THROW(list.Set(3, "x"), std::out_of_range);
    EXPECT_EQ(list.ToVector(), (Lines{"a"}));
}

TEST(Strings, MoveExchangeAndChangeEvent) {
    TStringList list;
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    list.SetText("a\nb\nc");
    list.Move(0, 2);
    EXPECT_EQ(list.ToVector(), (Lines{"b", "c", "a"}));
    list.Exchange(0, 1);
    EXPECT_EQ(list.ToVector(), (Lines{"c", "b", "a"}));
    EXPECT_GT(changes, 2);
}

// What is read from a list stays valid while its change count does: a list that takes over the
// texts of one not needed any more counts a change, as a copy does.
TEST(Strings, AListTakingOverTheTextsOfAnotherCountsAChange) {
    TStringList row, source;
    row.SetText("alt");
    source.SetText("1\n2");
    const auto before = row.Changes();
    row.Assign(std::move(source));
    EXPECT_EQ(row.ToVector(), (Lines{"1", "2"}));
    EXPECT_NE(row.Changes(), before);
}

TEST(Utf8, CountsCutsAndSlicesByCharacters) {
    EXPECT_EQ(utf8::Length("Grüße"), 5u);
    EXPECT_EQ(utf8::Cut("Grüße", 3), "Grü");
    EXPECT_EQ(utf8::Cut("Grüße", 0), "");
    EXPECT_EQ(utf8::Cut("ab", 9), "ab");
    EXPECT_EQ(utf8::Sub("Grüße", 3, 2), "üß");
    EXPECT_EQ(utf8::Sub("Grüße", 5, 9), "e");
    EXPECT_EQ(utf8::Sub("Grüße", 9, 1), "");
    EXPECT_EQ(utf8::Sub("Grüße", 0, 2), "G");
}

TEST(Utf8, MalformedBytesCountAsOneCharacterEach) {
    std::string bad = "a\xE4\xFF" "b";
    EXPECT_FALSE(utf8::IsValid(bad));
    EXPECT_EQ(utf8::Length(bad), 4u);
    EXPECT_EQ(utf8::Cut(bad, 2), "a\xE4");
    EXPECT_EQ(utf8::Length("\xE2\x82"), 2u) << "truncated sequence";
    EXPECT_FALSE(utf8::IsValid("\xC0\xAF")) << "overlong";
    EXPECT_FALSE(utf8::IsValid("\xED\xA0\x80")) << "surrogate";
    EXPECT_TRUE(utf8::IsValid("€𝄞"));
    std::string out;
    utf8::Append(out, U'€');
    size_t pos = 0;
    EXPECT_EQ(utf8::Next(out, pos), U'€');
    EXPECT_EQ(pos, 3u);
}

TEST(Strings, NamesFoldUmlautsAndCaseAsAKeyboardWithoutUmlautsTypesThem) {
    EXPECT_EQ(FoldName("Gruppe-Löschen"), "gruppe-loeschen");
    EXPECT_EQ(FoldName("ÄÖÜ äöü ß"), "aeoeue aeoeue ss");
    EXPECT_TRUE(SameName("ergebnis-loeschen", "Ergebnis-Löschen"));
    EXPECT_TRUE(SameName("Strasse", "Straße"));
    EXPECT_FALSE(SameName("Losung", "Lösung")) << "o stays o";
    EXPECT_EQ(FoldName("Élan"), "Élan") << "other letters stay as they are";
}

// The plans compare a list's count with the one they saw to know its texts are the same.
TEST(Strings, EveryChangeOfTheTextsIsCountedAndOnlyThat) {
    TStringList list, other;
    other.SetText("x");
    std::vector<std::function<void()>> changes{
        [&] { list.Add("a"); },        [&] { list.Insert(0, "b"); }, [&] { list.Set(1, "c"); },
        [&] { list.Move(0, 1); },      [&] { list.Exchange(0, 1); }, [&] { list.Sort(); },
        [&] { list.Delete(0); },       [&] { list.SetText("d\ne"); }, [&] { list.Assign(other); },
        [&] { list = other; },         [&] { list.Clear(); },        [&] { list.SetText(""); }};
    for (size_t i = 0; i < changes.size(); ++i) {
        const std::uint64_t before = list.Changes();
        changes[i]();
        EXPECT_NE(list.Changes(), before) << "change " << i;
    }
    const std::uint64_t before = list.Changes();
    list.Clear();  // already empty
    list.AddObject("f", 7);
    const std::uint64_t afterAdd = list.Changes();
    list.SetObject(0, 8);
    (void)list.IndexOf("f");
    EXPECT_NE(afterAdd, before);
    EXPECT_EQ(list.Changes(), afterAdd) << "tags and reading are no change of the texts";

    // A list copied over another brings the count it had with its texts, never one that stood
    // for other texts there.
    TStringList copy;
    copy.SetText("g");
    const std::uint64_t ownTexts = copy.Changes();
    copy = list;
    EXPECT_NE(copy.Changes(), ownTexts);
    EXPECT_EQ(copy.Changes(), list.Changes());
}

// The log writes its lines by moving them into the list: the same rules as for a copied text.
TEST(Strings, ATextMovedIntoTheListFollowsTheRulesOfACopiedOne) {
    TStringList list;
    std::string line = "mPlayed[0] = 12[%%]34 und ein langer Rest";
    const std::uint64_t before = list.Changes();
    EXPECT_EQ(list.Add(std::move(line)), 0);
    EXPECT_EQ(list[0], "mPlayed[0] = 12[%%]34 und ein langer Rest");
    EXPECT_NE(list.Changes(), before);

    TStringList sorted;
    sorted.SetSorted(true);
    sorted.Duplicates = TDuplicates::dupIgnore;
    for (std::string text : {"b", "a", "B", "c"}) sorted.Add(std::move(text));
    EXPECT_EQ(sorted.Text(), "a\r\nb\r\nc\r\n") << "sorted, a duplicate ignored regardless of case";
    sorted.Duplicates = TDuplicates::dupError;
    EXPECT_THROW(sorted.Add(std::string("A")), std::invalid_argument);
    EXPECT_EQ(sorted.Count(), 3);
}

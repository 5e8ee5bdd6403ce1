#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "engine/RundenSpiele.h"
#include "engine/Spielzeiten.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Settings.h"
#include "platform/Random.h"

namespace {

using Pairs = std::vector<std::pair<int, int>>;

// Slots as text: "12 34 | 13 24" with "--" for an idle field.
std::string SlotText(const std::vector<SlotEntry>& entries, int fields) {
    std::string text;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) text += (i % static_cast<size_t>(fields) == 0) ? " | " : " ";
        const SlotEntry& e = entries[i];
        text += e.idle ? "--" : std::to_string(e.first) + std::to_string(e.second);
    }
    return text;
}

}  // namespace

// --- field lists ---

TEST_F(EngineTest, FieldListWithRange) {
    ASSERT_TRUE(parseFeldListe(*form, "1-3,6"));
    EXPECT_EQ(form->XTempList.Items.ToVector(), (std::vector<std::string>{"1", "2", "3", "6"}));
    ASSERT_TRUE(parseFeldListe(*form, "2,2"));
    EXPECT_EQ(form->XTempList.Items.ToVector(), (std::vector<std::string>{"2", "2"}));
    ASSERT_TRUE(parseFeldListe(*form, "2147483646-2147483647"));
    EXPECT_EQ(form->XTempList.Items.ToVector(), (std::vector<std::string>{"2147483646", "2147483647"}));
}

TEST_F(EngineTest, InvalidFieldLists) {
    for (const char* text : {"", "3-1", "2-2", "0", "1,,2", "1,", "a", "-3", "1-", "1-99999999"})
        EXPECT_FALSE(parseFeldListe(*form, text)) << text;
}

// --- slot packing ---

TEST(SlotPacking, OneGroupOfFourOnTwoFields) {
    const std::vector<GroupPairs> groups{{1, {{1, 2}, {3, 4}, {1, 3}, {2, 4}, {1, 4}, {2, 3}}}};
    EXPECT_EQ(SlotText(PackSlots(groups, 2), 2), "12 34 | 13 24 | 14 23");
}

TEST(SlotPacking, PlainOrderIsRearrangedIntoRounds) {
    const std::vector<GroupPairs> groups{{1, {{1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}}}};
    EXPECT_EQ(SlotText(PackSlots(groups, 2), 2), "12 34 | 13 24 | 14 23");
}

TEST(SlotPacking, GroupsTakeTurns) {
    const std::vector<GroupPairs> groups{{1, {{1, 2}, {1, 3}, {2, 3}}}, {2, {{4, 5}, {4, 6}, {5, 6}}}};
    const auto entries = PackSlots(groups, 2);
    ASSERT_EQ(entries.size(), 6u);
    for (size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(entries[i].group, i % 2 == 0 ? 1 : 2) << i;
    EXPECT_EQ(SlotText(entries, 2), "12 45 | 13 46 | 23 56");
}

TEST(SlotPacking, IdleFieldsWhenEveryPairSharesAParticipant) {
    const std::vector<GroupPairs> groups{{1, {{1, 2}, {1, 3}, {1, 4}}}};
    EXPECT_EQ(SlotText(PackSlots(groups, 3), 3), "12 -- -- | 13 -- -- | 14");
}

TEST(SlotPacking, GroupWithoutPairsStillTakesItsTurn) {
    const std::vector<GroupPairs> groups{{1, {}}, {2, {{1, 2}, {3, 4}}}};
    EXPECT_EQ(SlotText(PackSlots(groups, 2), 2), "12 34");
}

TEST(SlotPacking, NothingWithoutFields) { EXPECT_TRUE(PackSlots({{1, {{1, 2}}}}, 0).empty()); }

TEST(SlotPacking, ParticipantAgainstHimselfCannotHangThePacking) {
    const std::vector<GroupPairs> groups{{1, {{1, 1}, {2, 3}}}};
    EXPECT_EQ(SlotText(PackSlots(groups, 2), 2), "23 --");
}

// --- times and games ---

class LayoutTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        form->XZeitSpiele.SetChecked(true);
    }
    std::string Plan(int column, int row) { return Get(form->Spielplan, column, row, true); }
    // "von-bis tag" of a game.
    std::string When(int row) {
        return Plan(Spielplan_Von, row) + "-" + Plan(Spielplan_Bis, row) + " " + Plan(Spielplan_Tag, row);
    }
    int GroupWith(const std::string& id, const std::string& system, int count) {
        const int group = AddGroup(id, system, count);
        for (int i = 0; i < count; ++i) AddTeam(group);
        return group;
    }
    void PlayOn(const std::string& fields, int startRow, int groupCount) {
        ASSERT_TRUE(parseFeldListe(*form, fields));
        Do_RundenSpiele(*form, startRow, groupCount);
    }
};

TEST_F(LayoutTest, SlotsFollowAtGameLengthPlusPause) {
    const int a = GroupWith("A", "JGJ", 4);
    SetGroupTiming(a, "09:00", 20, 5, 2);
    PlayOn("3,5", 1, 1);
    ASSERT_EQ(Games().size(), 6u);
    const char* expected[][3] = {{"09:00", "09:20", "3"}, {"09:00", "09:20", "5"}, {"09:25", "09:45", "3"},
                                 {"09:25", "09:45", "5"}, {"09:50", "10:10", "3"}, {"09:50", "10:10", "5"}};
    for (int row = 1; row <= 6; ++row) {
        EXPECT_EQ(Plan(Spielplan_Von, row), expected[row - 1][0]);
        EXPECT_EQ(Plan(Spielplan_Bis, row), expected[row - 1][1]);
        EXPECT_EQ(Plan(Spielplan_Feld, row), expected[row - 1][2]);
        EXPECT_EQ(Plan(Spielplan_Tag, row), "2");
        EXPECT_EQ(Plan(Spielplan_SpNr, row), std::to_string(row));
        EXPECT_EQ(Plan(Spielplan_Schir, row), "0");
        EXPECT_EQ(Plan(1, row), "4");
    }
    EXPECT_EQ(GetSetting(*form, "AktSpieltag", ""), "2");
    EXPECT_EQ(GetSetting(*form, "AktUhrzeit", ""), "10:10");
}

TEST_F(LayoutTest, MidnightCarriesIntoTheNextDay) {
    const int a = GroupWith("A", "SV", 4);
    SetGroupTiming(a, "23:30", 40, 10, 1);
    SetSetting(*form, "Rundenpause", "15");
    PlayOn("1", 1, 1);
    EXPECT_EQ(When(1), "23:30-00:10 1");
    EXPECT_EQ(When(2), "00:20-01:00 2");
    EXPECT_EQ(GetSetting(*form, "AktSpieltag", ""), "2");
    EXPECT_EQ(GetSetting(*form, "AktUhrzeit", ""), "01:15");
}

TEST_F(LayoutTest, NextRoundStartsOnTheDayTheLastGameEnds) {
    const int a = GroupWith("A", "SV", 2);
    SetGroupTiming(a, "23:40", 30, 0, 3);
    PlayOn("1", 1, 1);
    EXPECT_EQ(Plan(Spielplan_Tag, 1), "3");
    EXPECT_EQ(GetSetting(*form, "AktSpieltag", ""), "4");
    EXPECT_EQ(GetSetting(*form, "AktUhrzeit", ""), "00:10");
}

TEST_F(LayoutTest, StartAtTwentyFourIsMidnightOfTheNextDay) {
    const int a = GroupWith("A", "A2", 2);
    SetGroupTiming(a, "24:00", 30, 10, 1);
    PlayOn("1", 1, 1);
    EXPECT_EQ(When(1), "00:00-00:30 2");
    EXPECT_EQ(When(2), "00:40-01:10 2");
    EXPECT_EQ(Get(form->Temp, 4, 1, true), "0");
}

// Game length and pause are typed in freely; absurd values must still count days, not overflow.
TEST_F(LayoutTest, HugeGameLengthAndPauseKeepCountingDays) {
    const int a = GroupWith("A", "A2", 2);
    SetGroupTiming(a, "23:00", 2000000000, 2000000000, 1);
    SetSetting(*form, "Rundenpause", "2147483647");
    PlayOn("1", 1, 1);
    // 2000000000 minutes are 1388888 days and 1280 minutes.
    EXPECT_EQ(When(1), "23:00-20:20 1");
    EXPECT_EQ(When(2), "17:40-15:00 2777779");
    EXPECT_EQ(GetSetting(*form, "AktUhrzeit", ""), "17:07");
}

TEST_F(LayoutTest, IdlePositionsUseTimeButWriteNoGame) {
    GroupWith("A", "A3", 2);
    PlayOn("1-2", 1, 1);
    // Temp: game, idle, game, idle, game (the last slot without idle row).
    const TSortGrid& temp = form->Temp;
    EXPECT_EQ(temp.RowCount(), 6);
    EXPECT_EQ(Get(temp, 0, 2, true), "");
    EXPECT_EQ(Get(temp, 3, 2, true), "2");
    EXPECT_EQ(Get(temp, 7, 2, true), "10:00");
    EXPECT_EQ(Get(temp, 9, 2, true), "0");
    ASSERT_EQ(Games().size(), 3u);
    EXPECT_EQ(Plan(Spielplan_Von, 2), "10:25");
    EXPECT_EQ(Plan(Spielplan_Feld, 2), "1");
    EXPECT_EQ(Plan(Spielplan_Von, 3), "10:50");
}

TEST_F(LayoutTest, GameNumbersRunOnAcrossRounds) {
    AddGame(1, 1, 2);
    AddGame(1, 3, 4);
    form->AnzRunden = 1;
    const int b = GroupWith("B", "SV", 2);
    PlayOn("1", b, 1);
    EXPECT_EQ(form->Spielplan.RowCount(), 4);
    EXPECT_EQ(Plan(Spielplan_SpNr, 3), "3");
    EXPECT_EQ(Plan(Spielplan_RNr, 3), "2");
    EXPECT_EQ(Plan(Spielplan_GrNr, 3), std::to_string(b));
}

TEST_F(LayoutTest, UntimedGamesHaveNoClockAndLeaveTheProposal) {
    form->XZeitSpiele.SetChecked(false);
    SetSetting(*form, "AktUhrzeit", "14:00");
    GroupWith("A", "SV", 2);
    PlayOn("1", 1, 1);
    ASSERT_EQ(Games().size(), 1u);
    EXPECT_EQ(Plan(Spielplan_Von, 1), "");
    EXPECT_EQ(Plan(Spielplan_Bis, 1), "");
    EXPECT_EQ(GetSetting(*form, "AktUhrzeit", ""), "14:00");
    EXPECT_EQ(GetSetting(*form, "AktSpieltag", "leer"), "leer");
}

TEST_F(LayoutTest, TheLastGroupsTimingHoldsForTheRound) {
    const int a = GroupWith("A", "SV", 2);
    const int b = GroupWith("B", "SV", 2);
    SetGroupTiming(a, "08:00", 10, 0, 1);
    SetGroupTiming(b, "15:00", 30, 0, 1);
    PlayOn("1", 1, 2);
    EXPECT_EQ(Plan(Spielplan_Von, 1), "15:00");
    EXPECT_EQ(Plan(Spielplan_Von, 2), "15:30");
}

// The packing written out step by step, scanning every group from its first pair on each visit.
namespace {

std::vector<SlotEntry> ReferencePacking(const std::vector<GroupPairs>& groups, int fields) {
    std::vector<std::vector<bool>> used;
    size_t left = 0;
    for (const auto& g : groups) {
        used.emplace_back(g.pairs.size(), false);
        left += g.pairs.size();
    }
    std::vector<SlotEntry> out, slot;
    auto inSlot = [&](int p) {
        for (const SlotEntry& e : slot)
            if (e.first == p || e.second == p) return true;
        return false;
    };
    auto close = [&](bool idle) {
        out.insert(out.end(), slot.begin(), slot.end());
        if (idle) out.resize(out.size() + static_cast<size_t>(fields) - slot.size());
        slot.clear();
    };
    size_t g = 0;
    bool pass = false;
    while (left > 0) {
        for (size_t i = 0; i < groups[g].pairs.size(); ++i) {
            auto [a, b] = groups[g].pairs[i];
            if (used[g][i] || a == b || inSlot(a) || inSlot(b)) continue;
            used[g][i] = true;
            --left;
            SlotEntry e;
            e.idle = false;
            e.group = groups[g].group;
            e.first = a;
            e.second = b;
            slot.push_back(e);
            pass = false;
            break;
        }
        if (static_cast<int>(slot.size()) == fields) {
            close(false);
            pass = false;
        }
        if (++g < groups.size()) continue;
        g = 0;
        if (!pass) {
            pass = true;
        } else {
            if (slot.empty()) break;
            close(true);
            pass = false;
        }
    }
    close(false);
    return out;
}

}  // namespace

TEST(SlotPacking, SameSlotsAsScanningFromTheStartEveryTime) {
    prng::Generator random(99);
    for (int round = 0; round < 200; ++round) {
        const int groupCount = 1 + random.Next() % 4, fields = 1 + random.Next() % 5;
        std::vector<GroupPairs> groups;
        for (int g = 0; g < groupCount; ++g) {
            GroupPairs group;
            group.group = g + 1;
            const int size = 2 + random.Next() % 7, pairs = random.Next() % 25;
            for (int p = 0; p < pairs; ++p)
                group.pairs.emplace_back(100 * g + random.Next() % size, 100 * g + random.Next() % size);
            groups.push_back(group);
        }
        const auto expected = ReferencePacking(groups, fields);
        const auto actual = PackSlots(groups, fields);
        ASSERT_EQ(SlotText(actual, fields), SlotText(expected, fields)) << "Durchgang " << round;
        for (size_t i = 0; i < actual.size(); ++i) ASSERT_EQ(actual[i].group, expected[i].group);
    }
}

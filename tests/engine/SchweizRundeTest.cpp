#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "engine/Platzhalter.h"
#include "engine/SpielplanKlick.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/Settings.h"
#include "output/OutputNotice.h"

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// A Swiss tournament of four players A, B, C, D: one knock-out-style group per round ("R1",
// "R2", ...), the slots of a later round waiting for the places of the round before.
class SchweizRundeTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        ResetOutputNotices();
        Put(form->Turnier, 0, 1, "1", true);
        Put(form->Turnier, Turnier_System, 1, "Schweiz", true);
        Put(form->Turnier, Turnier_Runden, 1, 3, true);
    }

    // Round r with its four slots and two games; returns the group number.
    int Round(int r) {
        const int g = AddGroup("R" + IntToStr(r), "SV", 4);
        Put(form->Gruppe, Gruppe_RNr, g, r, true);
        std::vector<int> slots;
        for (int i = 1; i <= 4; ++i) {
            const int t = AddTeam(g, r == 1 ? std::string(1, static_cast<char>('A' + i - 1)) : "");
            if (r > 1) {
                const std::string text = PutPlatzhalter(*form, IntToStr(i) + ".R" + IntToStr(r - 1), t);
                Put(form->Teams, Teams_Name, t, text, true);
            }
            AddStanding(g, t);
            const int row = FindRow(form->Platz, Platz_TeamNr, IntToStr(t));
            Put(form->Platz, Platz_Team, row, r == 1 ? ListGet(form->XATeams, t) : "", true);
            slots.push_back(t);
        }
        AddGame(g, slots[0], slots[1]);
        AddGame(g, slots[2], slots[3]);
        return g;
    }

    void Won(int game, int by) {
        const std::string side = by == 1 ? "Punkte1=1" : "Punkte2=1";
        ui.QueueDialog({side, "übernehmen"});
        doSpielplanKlick(*form, nullptr, game, false, false);
    }
    // The players of a round's games, first and second side, by name.
    std::vector<std::string> Pairs(int g) const {
        std::vector<std::string> names;
        for (int r = 1; r < form->Spielplan.RowCount(); ++r)
            if (IntGet(form->Spielplan, Spielplan_GrNr, r, true) == g)
                for (int c : {Spielplan_T1, Spielplan_T2})
                    names.push_back(ListGet(form->XATeamsTur, IntGet(form->Spielplan, c, r, true)));
        return names;
    }
    std::vector<std::string> Boxes() const {
        std::vector<std::string> texts;
        for (const MessageBoxRecord& box : ui.boxes) texts.push_back(box.text);
        return texts;
    }
};

TEST_F(SchweizRundeTest, CompletedRoundPairsTheNextDownTheStandings) {
    DebugModus = true;
    const int r1 = Round(1);
    const int r2 = Round(2);
    Round(3);
    Won(1, 1);  // A beats B
    Won(2, 1);  // C beats D
    // Standings A, C, then D above B: both lost, and D stood above B in the table when they came
    // level. A meets C, D meets B; the last slots take the first pair.
    EXPECT_THAT(Pairs(r2), ElementsAre("B", "D", "C", "A"));
    EXPECT_EQ(Get(form->Teams, Teams_Name_Tur, 8, true), "A");
    EXPECT_EQ(Get(form->Gruppe, Gruppe_State, r1, true), "Done");
    EXPECT_EQ(Get(form->Gruppe, Gruppe_State, r2, true), "Open");
    EXPECT_EQ(Get(form->Platz, Platz_Team, FindRow(form->Platz, Platz_TeamNr, "8"), true), "A");
    EXPECT_THAT(ReadProgramFile("debug.log"), HasSubstr("[F] auswertSchweiz(1): Gruppenende Schweiz"));
    EXPECT_THAT(form->Memo1.Lines.ToVector(), Contains("Platz 1 = 1"));
    EXPECT_THAT(form->Memo1.Lines.ToVector(), Contains("Path: |1[%%]3|4[%%]2|"));
}

TEST_F(SchweizRundeTest, EveryRoundMeetsNewOpponents) {
    Round(1);
    const int r2 = Round(2);
    const int r3 = Round(3);
    Won(1, 1);
    Won(2, 1);
    ASSERT_THAT(Pairs(r2), ElementsAre("B", "D", "C", "A"));
    Won(3, 2);  // D beats B
    Won(4, 2);  // A beats C
    // D and A lead round 2 and have not met; B and C neither.
    EXPECT_THAT(Pairs(r3), ElementsAre("B", "C", "A", "D"));
}

TEST_F(SchweizRundeTest, NoPairingLeftIsToldAndLeavesTheSlots) {
    Put(form->Turnier, Turnier_Runden, 1, 4, true);
    for (int r = 1; r <= 4; ++r) Round(r);
    for (int game = 1; game <= 6; ++game) Won(game, 1);
    EXPECT_THAT(Boxes(), Contains(" Keine Spielpaarungen mehr moeglich!! "));
    EXPECT_THAT(Pairs(4), ElementsAre("", "", "", ""));
}

TEST_F(SchweizRundeTest, PlayThroughPairsSilently) {
    Put(form->Turnier, Turnier_Runden, 1, 4, true);
    for (int r = 1; r <= 4; ++r) Round(r);
    for (int game = 1; game <= 6; ++game) doSpielplanKlick(*form, nullptr, game, true, false);
    EXPECT_THAT(ui.boxes, IsEmpty());
}

TEST_F(SchweizRundeTest, LastRoundPairsNothingMore) {
    Round(1);
    const int r2 = Round(2);
    Put(form->Gruppe, Gruppe_Bez, r2, "", true);
    Won(1, 1);
    Won(2, 1);
    EXPECT_THAT(Pairs(r2), ElementsAre("", "", "", ""));
    EXPECT_THAT(form->Memo1.Lines.ToVector(), IsEmpty());
}

TEST_F(SchweizRundeTest, NewRoundGetsRefereesAsTheTournamentChose) {
    Round(1);
    const int r2 = Round(2);
    Round(3);
    Won(1, 1);
    Won(2, 1);
    // By default a player of the round's own group referees, never one of the game.
    for (int game : {3, 4}) {
        const std::string referee = Get(form->Spielplan, Spielplan_Schir, game, true);
        EXPECT_EQ(IntGet(form->Teams, Teams_InGr, ToInt(referee), true), r2) << game;
        EXPECT_NE(referee, Get(form->Spielplan, Spielplan_T1, game, true));
        EXPECT_NE(referee, Get(form->Spielplan, Spielplan_T2, game, true));
    }
    EXPECT_EQ(form->RadioGroup2.ItemIndex(), 0);
}

TEST_F(SchweizRundeTest, NeutralCourtForTheNewRound) {
    SetSetting(*form, "SchiriAuswahl", "2");
    Round(1);
    Round(2);
    Round(3);
    Won(1, 1);
    Won(2, 1);
    EXPECT_EQ(Get(form->Spielplan, Spielplan_Schir, 3, true), "0");
    EXPECT_EQ(Get(form->Spielplan, Spielplan_Schir, 4, true), "0");
    EXPECT_EQ(Get(form->Spielplan, Spielplan_Schir, 5, true), "");
}

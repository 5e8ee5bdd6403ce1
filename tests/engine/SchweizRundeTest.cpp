#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "engine/Platzhalter.h"
#include "engine/ResultsExchange.h"
#include "engine/SpielplanKlick.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/Settings.h"
#include "foundation/files/ResultsExchangeFile.h"
#include "output/OutputNotice.h"
#include "platform/Random.h"

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

// A Swiss tournament of four players A, B, C, D: one knock-out-style group per round ("R1",
// "R2", ...), the slots of a later round waiting for the places of the round before.
class SchweizRundeTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        ResetOutputNotices();
        SwissTournament(3);
    }

    void SwissTournament(int rounds) {
        Put(form->Turnier, 0, 1, "1", true);
        Put(form->Turnier, Turnier_System, 1, "Schweiz", true);
        Put(form->Turnier, Turnier_Runden, 1, rounds, true);
    }

    // Round r with its slots (four players A, B, C, D, or more named "Spieler " + i) and their
    // games in pairs; returns the group number.
    int Round(int r, int players = 4) {
        const int g = AddGroup("R" + IntToStr(r), "SV", players);
        Put(form->Gruppe, Gruppe_RNr, g, r, true);
        std::vector<int> slots;
        for (int i = 1; i <= players; ++i) {
            const std::string name = players == 4 ? std::string(1, static_cast<char>('A' + i - 1)) : "Spieler " + IntToStr(i);
            const int t = AddTeam(g, r == 1 ? name : "");
            if (r > 1) {
                const std::string text = PutPlatzhalter(*form, IntToStr(i) + ".R" + IntToStr(r - 1), t);
                Put(form->Teams, Teams_Name, t, text, true);
            }
            AddStanding(g, t);
            const int row = FindRow(form->Platz, Platz_TeamNr, IntToStr(t));
            // A slot's standings row shows its placeholder until the player is known.
            Put(form->Platz, Platz_Team, row, Get(form->Teams, Teams_Name, t, true), true);
            slots.push_back(t);
        }
        for (size_t i = 0; i + 1 < slots.size(); i += 2) AddGame(g, slots[i], slots[i + 1]);
        return g;
    }

    // Every round's standings in their order, with the totals, and every slot's player.
    std::string Standings() const {
        std::string seen;
        const TSortGrid& platz = form->Platz;
        for (int g = 1; g < form->Gruppe.RowCount(); ++g) {
            seen += "R" + IntToStr(g) + ":";
            for (int p = 1; p < platz.RowCount(); ++p)
                if (IntGet(platz, Platz_GrNr, p, true) == g)
                    seen += " " + platz.Cells(Platz_Team, p) + "/" + platz.Cells(Platz_PPkt, p) + ":" + platz.Cells(Platz_MPkt, p);
            seen += "\n";
        }
        for (int t = 1; t < form->XATeamsTur.Items.Count(); ++t) seen += form->XATeamsTur.Items[t] + ";";
        return seen;
    }
    int byGroup = 0;  // results that found the standings ranked as the last one left them

    // A tournament of `players` over `rounds` played through with made-up points; the standings
    // after every result. wholeTable: every result ranks the whole table, as it always could.
    std::vector<std::string> PlayThrough(int players, int rounds, bool football, bool wholeTable) {
        NewForm();
        SwissTournament(rounds);
        form->Wertung1 = "Punkte";
        if (football) SetSetting(*form, "AWertung", "7");
        for (int r = 1; r <= rounds; ++r) Round(r, players);
        Put(form->Gruppe, Gruppe_State, 1, "None", true);
        prng::Seed(players + rounds);
        std::vector<std::string> seen;
        for (int game = 1; game <= players / 2 * rounds; ++game) {
            if (wholeTable) form->RankedStandings = {};
            byGroup += form->RankedStandings.valid;
            doSpielplanKlick(*form, nullptr, game, true, false);
            seen.push_back(Standings());
        }
        return seen;
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

// Four players cannot play four rounds: already round 2 finds no pairing that leaves the later
// rounds one. Its games keep their placeholders and take no result, typed, imported or made up
// in a play-through: it would go to whoever takes the places later.
TEST_F(SchweizRundeTest, NoPairingLeftIsToldAndItsGamesTakeNoResult) {
    Put(form->Turnier, Turnier_Runden, 1, 4, true);
    Put(form->Turnier, Turnier_DateiName, 1, "schach.tur", true);
    for (int r = 1; r <= 4; ++r) Round(r);
    Won(1, 1);
    Won(2, 1);
    EXPECT_THAT(Boxes(), Contains(" Keine Spielpaarungen mehr moeglich!! "));
    EXPECT_THAT(Pairs(2), ElementsAre("", "", "", ""));
    ASSERT_EQ(Get(form->Gruppe, Gruppe_State, 2, true), "Open");
    const std::vector<std::string> before = form->Platz.Cols(Platz_PPkt).ToVector();

    ui.boxes.clear();
    doSpielplanKlick(*form, nullptr, 3, false, false);
    EXPECT_THAT(Boxes(), ElementsAre("Spiel 3 nimmt kein Ergebnis an: die Teilnehmer „1. Gruppe R1“ und „2. Gruppe R1“ "
                                     "stehen noch nicht fest."));
    doSpielplanKlick(*form, nullptr, 4, true, false);
    const ExchangeBlock block{"3", Get(form->Spielplan, Spielplan_T1, 3, true), Get(form->Spielplan, Spielplan_T2, 3, true),
                              "1", "0", "", "", "", "", "", Get(form->Spielplan, Spielplan_T1, 3, true)};
    ASSERT_TRUE(WriteExchangeFile(folder + "schach.exp", "schach.tur", {block}));
    const std::optional<ErgebnisImport> imported = ergebnisseImportieren(*form, folder + "schach.exp");
    ASSERT_TRUE(imported);
    EXPECT_EQ(imported->taken, 0);
    EXPECT_EQ(imported->heldBack, 1);

    for (int game : {3, 4}) EXPECT_EQ(Get(form->Spielplan, Spielplan_Sieger, game, true), "") << game;
    EXPECT_EQ(form->Platz.Cols(Platz_PPkt).ToVector(), before);
    EXPECT_EQ(Get(form->Gruppe, Gruppe_State, 2, true), "Open");
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

// In rounds of 40 a result moves its players' rows past many others at once, level totals
// included, and the last result of a round ranks its round and pairs the next: every standings
// row, and so every pairing, is as ranking the whole table after every result shows it, also
// under the football rules, where head-to-head decides level rows.
TEST_F(SchweizRundeTest, LargeRoundsRankAsTheWholeTableDoes) {
    for (const bool football : {false, true}) {
        const std::vector<std::string> whole = PlayThrough(40, 6, football, true);
        byGroup = 0;
        const std::vector<std::string> moved = PlayThrough(40, 6, football, false);
        EXPECT_GT(byGroup, 100);
        ASSERT_EQ(whole.size(), moved.size());
        for (size_t i = 0; i < whole.size(); ++i)
            ASSERT_EQ(whole[i], moved[i]) << (football ? "Fussball, " : "") << "Ergebnis " << i + 1;
        EXPECT_THAT(whole.back(), Not(HasSubstr(";;"))) << "jede Runde gepaart";
    }
}

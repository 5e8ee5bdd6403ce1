#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "engine/ResultTexts.h"
#include "engine/TableLookups.h"
#include "foundation/Settings.h"
#include "foundation/SortGrid.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/ProgramSettings.h"
#include "foundation/Settings.h"

class ResultTextTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        form->Wertung1 = "Punkte";
        form->Wertung2 = "Sätze";
        game = AddGame(1, 1, 2, "1");
        AddStanding(1, 1);
        standing = 1;
    }
    void GameValues(const char* pp, const char* mp, const char* ps, const char* ms, const char* pb, const char* mb) {
        const char* values[] = {pp, mp, ps, ms, pb, mb};
        for (int i = 0; i < 6; ++i) Put(form->Spielplan, Spielplan_PPkt + i, game, values[i], true);
    }
    void StandingValues(const char* pp, const char* mp, const char* ps, const char* ms, const char* pb,
                        const char* mb) {
        const char* values[] = {pp, mp, ps, ms, pb, mb};
        for (int i = 0; i < 6; ++i) Put(form->Platz, Platz_PPkt + i, standing, values[i], true);
    }
    void Mode(int mode) { SetSetting(*form, "AWertung", std::to_string(mode)); }
    int game = 0, standing = 0;
};

// --- points ---

TEST_F(ResultTextTest, PointsWithoutValues) {
    EXPECT_EQ(PunkteText(*form, standing, true), "0 : 0");
    EXPECT_EQ(PunkteText(*form, game, false), "");
    form->Wertung1 = form->Wertung2 = "";
    StandingValues("3", "1", "", "", "", "");
    EXPECT_EQ(PunkteText(*form, standing, true), "");
}

TEST_F(ResultTextTest, PointsByMode) {
    StandingValues("12", "2", "", "", "", "");
    GameValues("3", "", "", "", "", "");
    EXPECT_EQ(PunkteText(*form, standing, true), "12 : 2");
    EXPECT_EQ(PunkteText(*form, game, false), "3 : 0");
    Mode(3);
    EXPECT_EQ(PunkteText(*form, standing, true), "12 : 2 (+10)");
    Mode(6);
    StandingValues("2", "12", "", "", "", "");
    EXPECT_EQ(PunkteText(*form, standing, true), "2 : 12 (-10)");
    Mode(7);
    EXPECT_EQ(PunkteText(*form, standing, true), "2");
    EXPECT_EQ(PunkteText(*form, game, false), "3 : 0");
}

// Halves are summed as halves; the difference is taken in the same numbers, also below one.
TEST_F(ResultTextTest, DifferencesKeepHalves) {
    Mode(3);
    StandingValues("4,5", "3", "", "", "", "");
    EXPECT_EQ(PunkteText(*form, standing, true), "4,5 : 3 (+1,5)");
    StandingValues("2,5", "3", "", "", "", "");
    EXPECT_EQ(PunkteText(*form, standing, true), "2,5 : 3 (-0,5)");
    StandingValues("0,5", "0,5", "", "", "", "");
    EXPECT_EQ(PunkteText(*form, standing, true), "0,5 : 0,5 (0)");
    // Stored values from before whole numbers were required are read as they stand.
    Mode(7);
    StandingValues("3", "0", "4,5", "3", "", "");
    EXPECT_EQ(ErgebnisText(*form, standing, 0, true), "4,5:3 (+1,5)");
}

TEST_F(ResultTextTest, HiddenMinusPointsShowOnlyThePlusSide) {
    form->MinusAnzeigen = false;
    StandingValues("12", "2", "5", "1", "80", "60");
    form->Wertung3 = "Bälle";
    EXPECT_EQ(PunkteText(*form, standing, true), "12");
    Mode(1);
    EXPECT_EQ(ErgebnisText(*form, standing, 0, true), "5 / 80");
    Mode(5);
    EXPECT_EQ(ErgebnisText(*form, standing, 0, true), "5 / 80");
    Mode(2);
    EXPECT_EQ(ErgebnisText(*form, standing, 0, true), "5 (+4) / 80 (+20)");
}

// --- results ---

TEST_F(ResultTextTest, NotScoredGameInEveryMode) {
    Put(form->Spielplan, Spielplan_SatzErg, game, "NULL", true);
    for (int mode = 1; mode <= 7; ++mode) {
        Mode(mode);
        EXPECT_EQ(ErgebnisText(*form, game, 0, false), "Keine Wertung") << mode;
    }
}

TEST_F(ResultTextTest, GameResultsByMode) {
    GameValues("2", "0", "2", "1", "55", "47");
    Put(form->Spielplan, Spielplan_SatzErg, game, "25:10, 15:25, 15:12", true);
    Mode(1);
    EXPECT_EQ(ErgebnisText(*form, game, 0, false), "2:1");
    Mode(4);
    EXPECT_EQ(ErgebnisText(*form, game, 0, false), "25:10, 15:25, 15:12");
    Mode(5);
    EXPECT_EQ(ErgebnisText(*form, game, 0, false), "2:1 (25:10, 15:25, 15:12)");
    form->Wertung3 = "Bälle";
    EXPECT_EQ(ErgebnisText(*form, game, 0, false), "2:1 (25:10, 15:25, 15:12) / 55:47");
    Mode(3);
    EXPECT_EQ(ErgebnisText(*form, game, 0, false), "2:1 / 55:47");
    EXPECT_EQ(ErgebnisText(*form, game, 1, false), "2 (55)");
    EXPECT_EQ(ErgebnisText(*form, game, 2, false), "1 (47)");
    Mode(9);
    EXPECT_EQ(ErgebnisText(*form, game, 0, false), "");
}

TEST_F(ResultTextTest, ModeThatIsNoNumberCountsAsModeOne) {
    GameValues("2", "0", "2", "1", "", "");
    for (const char* mode : {"", "x", "3a", "99999999999"}) {
        SetSetting(*form, "AWertung", mode);
        EXPECT_EQ(ErgebnisText(*form, game, 0, false), "2:1") << mode;
    }
    SetSetting(*form, "AWertung", "0");
    EXPECT_EQ(ErgebnisText(*form, game, 0, false), "");
}

TEST_F(ResultTextTest, StandingsResultsWithDifferences) {
    StandingValues("6", "2", "5", "2", "80", "60");
    form->Wertung3 = "Bälle";
    Mode(6);
    EXPECT_EQ(ErgebnisText(*form, standing, 0, true), "5:2 (+3) / 80:60 (+20)");
    Mode(2);
    EXPECT_EQ(ErgebnisText(*form, standing, 0, true), "5:2 (+3) / 80:60 (+20)");
    Mode(4);
    EXPECT_EQ(ErgebnisText(*form, standing, 0, true), "5:2 / 80:60");
}

TEST_F(ResultTextTest, NoResultYet) {
    Mode(1);
    EXPECT_EQ(ErgebnisText(*form, game, 0, false), "");
    EXPECT_EQ(ErgebnisText(*form, standing, 0, true), "");
    GameValues("2", "0", "2", "1", "", "");
    Put(form->Spielplan, Spielplan_Sieger, game, "", true);
    EXPECT_EQ(ErgebnisText(*form, game, 0, false), "");
}

TEST_F(ResultTextTest, StandingsRowIsJudgedByItsOwnValues) {
    // The game of the same row number has a result; the standings row has only points.
    GameValues("2", "0", "2", "0", "", "");
    StandingValues("3", "0", "", "", "", "");
    Mode(1);
    EXPECT_EQ(ErgebnisText(*form, standing, 0, true), "0:0");
    StandingValues("", "", "", "", "", "");
    EXPECT_EQ(ErgebnisText(*form, standing, 0, true), "");
}

TEST_F(ResultTextTest, ResultSum) {
    EXPECT_EQ(ErgebnisSumme(*form, game), 0.0);
    GameValues("1", "0", "2", "1", "", "");
    EXPECT_EQ(ErgebnisSumme(*form, game), 4.0);
    Put(form->Spielplan, Spielplan_SatzErg, game, "0:0", true);
    EXPECT_EQ(ErgebnisSumme(*form, game), 1.0);
}

// --- helpers ---

TEST_F(EngineTest, DirectWinnerInEitherOrder) {
    AddGame(1, 3, 4, "4");
    AddGame(2, 4, 3, "3");
    EXPECT_EQ(getDirektSieger(*form, 3, 4, 1), 4);
    EXPECT_EQ(getDirektSieger(*form, 4, 3, 1), 4);
    EXPECT_EQ(getDirektSieger(*form, 3, 4, 2), 3);
    EXPECT_EQ(getDirektSieger(*form, 3, 5, 1), 0);
    EXPECT_EQ(getDirektSieger(*form, 3, 4, 3), 0);
}

TEST_F(EngineTest, KthParticipantRowOfAGroup) {
    const int a1 = AddTeam(1), b1 = AddTeam(2), a2 = AddTeam(1);
    EXPECT_EQ(getTeamZeile(*form, 1, 1), a1);
    EXPECT_EQ(getTeamZeile(*form, 1, 2), a2);
    EXPECT_EQ(getTeamZeile(*form, 2, 1), b1);
    EXPECT_EQ(getTeamZeile(*form, 1, 3), 0);
    EXPECT_EQ(getTeamZeile(*form, 1, 0), 0);
}

TEST_F(EngineTest, SortsNumericallyOrByTextAndKeepsTies) {
    TSortGrid& t = form->Temp;
    const char* rows[][2] = {{"10", "b"}, {"9", "a"}, {"10", "a"}, {"9", "b"}};
    t.SetRowCount(5);
    for (int r = 1; r <= 4; ++r) {
        Put(t, 0, r, rows[r - 1][0], true);
        Put(t, 1, r, rows[r - 1][1], true);
        Put(t, 2, r, r, true);
    }
    sortGrid(t, 0, true);
    EXPECT_EQ(Get(t, 2, 1, true) + Get(t, 2, 2, true) + Get(t, 2, 3, true) + Get(t, 2, 4, true), "2413");
    sortGrid(t, 0, false);
    EXPECT_EQ(Get(t, 0, 1, true), "10");
    sortGrid(t, {{1, false}, {0, true}});
    EXPECT_EQ(Get(t, 2, 1, true) + Get(t, 2, 2, true) + Get(t, 2, 3, true) + Get(t, 2, 4, true), "2341");
}

TEST_F(EngineTest, SettingWithUserDefault) {
    EXPECT_EQ(GetSettingReg(*form, "ZeitSpiele", "true"), "true");
    SetSetting(*form, "ZeitSpiele", "false");
    EXPECT_EQ(GetSettingReg(*form, "ZeitSpiele", "true"), "false");
    SetSettingReg(*form, "SpielBogenTyp", "B");
    EXPECT_EQ(GetSetting(*form, "SpielBogenTyp", "A"), "B");
    EXPECT_EQ(RegReadString("SpielBogenTyp", ""), "B");
    // The user's last choice wins over the tournament's value.
    SetSetting(*form, "SpielBogenTyp", "V");
    EXPECT_EQ(GetSettingReg(*form, "SpielBogenTyp", "A"), "B");
}

TEST_F(EngineTest, GameDateFollowsTheDayNumberAcrossTheYearUnlessTheGameHasItsOwn) {
    const int g = AddGroup("A", "JGJ", 2);
    const int a = AddTeam(g, "Adler"), b = AddTeam(g, "Bären");
    const int game = AddGame(g, a, b);
    EXPECT_EQ(SpielDatum(*form, game), "") << "no first day, no date";
    Put(form->Turnier, Turnier_Datum, 1, "30.12.2026", true);
    Put(form->Spielplan, Spielplan_Tag, game, "3", true);
    EXPECT_EQ(SpielDatum(*form, game), "01.01.2027");
    Put(form->Spielplan, Spielplan_Spieltag, game, "05.01.2027", true);
    EXPECT_EQ(SpielDatum(*form, game), "05.01.2027");
    Put(form->Spielplan, Spielplan_Spieltag, game, "", true);
    Put(form->Spielplan, Spielplan_Tag, game, "999999999", true);
    EXPECT_EQ(SpielDatum(*form, game), "") << "a day number no tournament reaches names no date";
}

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "engine/Fehlermeldungen.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"

using ::testing::ElementsAre;

class FehlermeldungenTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        a = AddGroup("A", "JGJ", 4);
        for (const char* name : {"Adler", "Bären", "Condor", "Dachse", "Elche", "Füchse"}) AddTeam(a, name);
    }
    // A game on a field and day from one time to another.
    int Game(int t1, int t2, int field, const std::string& from, const std::string& to, int day = 1,
             const std::string& referee = "0") {
        const int row = AddGame(a, t1, t2);
        Put(form->Spielplan, Spielplan_Feld, row, field, true);
        Put(form->Spielplan, Spielplan_Von, row, from, true);
        Put(form->Spielplan, Spielplan_Bis, row, to, true);
        Put(form->Spielplan, Spielplan_Tag, row, day, true);
        Put(form->Spielplan, Spielplan_Schir, row, referee, true);
        return row;
    }
    std::vector<std::string> Report() {
        doFehlermeldungen(*form);
        std::vector<std::string> lines;
        for (const TRichEdit::Line& line : form->RichEdit1.Lines) lines.push_back(line.text);
        return lines;
    }
    int a = 0;
};

TEST_F(FehlermeldungenTest, AnEmptyScheduleHasNoClash) {
    EXPECT_THAT(Report(), ElementsAre("Fehlermeldungen:", "Keine Fehler im Turnier"));
    const TRichEdit::Line& heading = form->RichEdit1.Lines[0];
    EXPECT_EQ(heading.attributes.Color, 0xFF0000);
    EXPECT_EQ(heading.attributes.Size, 12);
    EXPECT_EQ(form->RichEdit1.Lines[1].attributes.Color, 0x008000);
    EXPECT_EQ(form->RichEdit1.Lines[1].attributes.Size, 10);
}

TEST_F(FehlermeldungenTest, TwoGamesOnOneFieldAtTheSameTimeClash) {
    Game(1, 2, 1, "10:00", "10:20");
    Game(3, 4, 1, "10:10", "10:30");
    EXPECT_THAT(Report(), ElementsAre("Fehlermeldungen:",
                                      "Spiele 1 (10:00-10:20) und 2 (10:10-10:30) überschneiden sich in der Zeit"));
    EXPECT_EQ(form->RichEdit1.Lines[1].attributes.Color, 0x0000FF);
    EXPECT_EQ(form->RichEdit1.Lines[1].attributes.Size, 8);
}

TEST_F(FehlermeldungenTest, GamesOnDifferentDaysNeverClash) {
    Game(1, 2, 1, "10:00", "10:20", 1);
    Game(1, 2, 1, "10:00", "10:20", 2);
    EXPECT_THAT(Report(), ElementsAre("Fehlermeldungen:", "Keine Fehler im Turnier"));
}

TEST_F(FehlermeldungenTest, AGameStartingWhenAnotherEndsDoesNotClashOneEndingWithItDoes) {
    Game(1, 2, 1, "10:00", "10:20");
    Game(3, 4, 1, "10:20", "10:40");
    Game(5, 6, 1, "10:30", "10:40");
    EXPECT_THAT(Report(), ElementsAre("Fehlermeldungen:",
                                      "Spiele 2 (10:20-10:40) und 3 (10:30-10:40) überschneiden sich in der Zeit"));
}

TEST_F(FehlermeldungenTest, AGameContainedInAnotherClashesWhicheverComesFirst) {
    Game(1, 2, 1, "10:00", "11:00");
    Game(3, 4, 1, "10:15", "10:30");
    Game(5, 6, 2, "12:15", "12:30");
    Game(3, 4, 2, "12:00", "13:00");
    EXPECT_THAT(Report(), ElementsAre("Fehlermeldungen:",
                                      "Spiele 1 (10:00-11:00) und 2 (10:15-10:30) überschneiden sich in der Zeit",
                                      "Spiele 3 (12:15-12:30) und 4 (12:00-13:00) überschneiden sich in der Zeit"));
}

TEST_F(FehlermeldungenTest, AParticipantWhoPlaysAndRefereesAtOnceIsNamedForEitherGame) {
    Game(1, 2, 1, "10:00", "10:20");
    Game(3, 4, 2, "10:00", "10:20", 1, "1");
    Game(5, 6, 1, "11:00", "11:20", 1, "4");
    Game(4, 3, 2, "11:10", "11:30");
    EXPECT_THAT(Report(), ElementsAre("Fehlermeldungen:", "Adler spielt/pfeifft um (10:00-10:20) auf Feld 1 und 2 ",
                                      "Dachse spielt/pfeifft um (11:00-11:20) auf Feld 1 und 2 "));
}

TEST_F(FehlermeldungenTest, NeutralRefereesNeverClash) {
    Game(1, 2, 1, "10:00", "10:20", 1, "N1");
    Game(3, 4, 2, "10:00", "10:20", 1, "N1");
    Game(5, 6, 3, "10:00", "10:20", 1, "0");
    Game(1, 2, 4, "12:00", "12:20", 1, "");
    Game(3, 4, 5, "12:00", "12:20", 1, "");
    EXPECT_THAT(Report(), ElementsAre("Fehlermeldungen:", "Keine Fehler im Turnier"));
}

TEST_F(FehlermeldungenTest, OnePairCanGiveAFieldAndSeveralParticipantLines) {
    Game(1, 2, 1, "10:00", "10:20", 1, "3");
    Game(2, 3, 1, "10:05", "10:25");
    EXPECT_THAT(Report(), ElementsAre("Fehlermeldungen:",
                                      "Spiele 1 (10:00-10:20) und 2 (10:05-10:25) überschneiden sich in der Zeit",
                                      "Bären spielt/pfeifft um (10:00-10:20) auf Feld 1 und 1 ",
                                      "Condor spielt/pfeifft um (10:00-10:20) auf Feld 1 und 1 "));
}

TEST_F(FehlermeldungenTest, GamesWithoutTimesNeverClash) {
    Game(1, 2, 1, "", "");
    Game(1, 3, 1, "", "");
    EXPECT_THAT(Report(), ElementsAre("Fehlermeldungen:", "Keine Fehler im Turnier"));
}

// Only a game from the evening into the morning runs past midnight; an end before the start at
// any other time, or no end at all, leaves the game its start alone.
TEST_F(FehlermeldungenTest, AGameWithoutAValidEndIsComparedByItsStart) {
    Game(1, 2, 1, "10:00", "");
    Game(3, 4, 1, "12:00", "12:20");
    Game(5, 6, 2, "10:20", "10:00");
    Game(1, 3, 2, "14:00", "10:30");
    Game(2, 4, 2, "10:25", "10:45");
    Game(3, 5, 3, "10:00", "kurz");
    EXPECT_THAT(Report(), ElementsAre("Fehlermeldungen:", "Keine Fehler im Turnier"));
}

TEST_F(FehlermeldungenTest, AGameWithoutAValidEndStillClashesAtItsStart) {
    Game(1, 2, 1, "10:00", "10:00");
    Game(3, 4, 1, "10:00", "");
    Game(5, 6, 1, "09:50", "10:10");
    EXPECT_THAT(Report(), ElementsAre("Fehlermeldungen:",
                                      "Spiele 1 (10:00-10:00) und 2 (10:00-) überschneiden sich in der Zeit",
                                      "Spiele 1 (10:00-10:00) und 3 (09:50-10:10) überschneiden sich in der Zeit",
                                      "Spiele 2 (10:00-) und 3 (09:50-10:10) überschneiden sich in der Zeit"));
}

TEST_F(FehlermeldungenTest, AnEveningGameRunsOnPastMidnight) {
    Game(1, 2, 1, "23:50", "00:20");
    Game(3, 4, 1, "23:55", "00:10");
    Game(5, 6, 2, "18:00", "11:59");
    Game(1, 5, 3, "23:00", "23:20");
    // Not yet evening: the end before the start is no end.
    Game(2, 3, 4, "17:59", "06:00");
    Game(2, 4, 5, "20:00", "20:20");
    EXPECT_THAT(Report(), ElementsAre("Fehlermeldungen:",
                                      "Spiele 1 (23:50-00:20) und 2 (23:55-00:10) überschneiden sich in der Zeit",
                                      "Elche spielt/pfeifft um (18:00-11:59) auf Feld 2 und 3 "));
}

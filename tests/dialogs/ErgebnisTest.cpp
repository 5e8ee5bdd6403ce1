#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "LightForm.h"
#include "TestEnvironment.h"
#include "dialogs/Dialogs.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ErgebnisTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        for (const char* name : {"Neutrales Schiedsgericht", "Adler", "Bären"}) {
            form.XATeams.Items.Add(name);
            form.XATeamsTur.Items.Add(name);
        }
        TfrmErgebnis& d = Dialog();
        d.Form = &form;
        d.Zeile.Clear();
        for (int c = 0; c <= Spielplan_RNr; ++c) d.Zeile.Add("");
        d.Zeile.Set(Spielplan_SpNr, "7");
        d.Zeile.Set(Spielplan_T1, "1");
        d.Zeile.Set(Spielplan_T2, "2");
        d.ZeileNr = 7;
        d.Button3.Enabled = false;
    }

    TfrmErgebnis& Dialog() { return DialogsOf(form).frmErgebnis; }

    // Shows the dialog with the lines a user types; returns its modal result.
    int Enter(std::vector<std::string> lines) {
        ui.QueueDialog(std::move(lines));
        return Dialog().ShowModal();
    }

    std::string Cell(int column) { return Dialog().Zeile[column]; }
    // The eight cells the dialog writes: winner, set results, then the six scores.
    std::vector<std::string> Result() {
        std::vector<std::string> cells{Cell(Spielplan_Sieger), Cell(Spielplan_SatzErg)};
        for (int c = Spielplan_PPkt; c <= Spielplan_MBall; ++c) cells.push_back(Cell(c));
        return cells;
    }
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const MessageBoxRecord& box : ui.boxes) texts.push_back(box.text);
        return texts;
    }

    LightForm form;
};

// --- who wins ---

TEST_F(ErgebnisTest, PointsDecideFirst) {
    EXPECT_EQ(Enter({"Punkte1=1", "Punkte2=3", "Sätze1=5", "übernehmen"}), mrOk);
    EXPECT_THAT(Result(), ElementsAre("2", "", "1", "3", "5", "", "", ""));
    EXPECT_TRUE(Dialog().Uebernommen);
    EXPECT_FALSE(Dialog().Geloescht);
}

TEST_F(ErgebnisTest, SetsThenBallsDecideWhenPointsAreLevel) {
    Enter({"Punkte1=2", "Punkte2=2", "Sätze1=1", "Sätze2=2", "übernehmen"});
    EXPECT_EQ(Cell(Spielplan_Sieger), "2");
    Enter({"Sätze1=2", "Sätze2=2", "Bälle1=50", "Bälle2=48", "übernehmen"});
    EXPECT_EQ(Cell(Spielplan_Sieger), "1");
}

TEST_F(ErgebnisTest, LevelOnAllThreeIsADraw) {
    Enter({"Punkte1=1", "Punkte2=1", "Sätze1=0", "Sätze2=0", "übernehmen"});
    EXPECT_EQ(Cell(Spielplan_Sieger), "0");
    EXPECT_TRUE(Dialog().Uebernommen);
}

TEST_F(ErgebnisTest, ChosenWinnerComesBeforeTheScores) {
    Enter({"Punkte1=3", "Punkte2=3", "Sieger=Bären", "übernehmen"});
    EXPECT_EQ(Cell(Spielplan_Sieger), "2");
    // Shown again, the choice the scores do not give is offered again.
    Enter({"abbrechen"});
    EXPECT_EQ(Dialog().ComboBox1.Text(), "Bären");
    Enter({"Sieger=automatisch", "übernehmen"});
    EXPECT_EQ(Cell(Spielplan_Sieger), "0");
}

TEST_F(ErgebnisTest, DecimalCommaOrPointAndLeadingZerosAreStoredPlainly) {
    Enter({"Punkte1=2.5", "Punkte2= 02,0 ", "übernehmen"});
    EXPECT_EQ(Cell(Spielplan_PPkt), "2,5");
    EXPECT_EQ(Cell(Spielplan_MPkt), "2");
}

// --- points awarded by the group ---

TEST_F(ErgebnisTest, GroupPointsPerWinAndDrawFollowTheGoals) {
    Dialog().EigenePunkte = true;
    Dialog().P1 = 3;
    Dialog().P2 = 1;
    Enter({"Sätze1=1", "Sätze2=2", "übernehmen"});
    EXPECT_THAT(Result(), ElementsAre("2", "", "0", "3", "1", "2", "", ""));
    Enter({"Sätze1=2", "Sätze2=2", "übernehmen"});
    EXPECT_THAT(Result(), ElementsAre("0", "", "1", "1", "2", "2", "", ""));
}

// Points the group awards are not typed: the dialog says so and how they are awarded.
TEST_F(ErgebnisTest, PointsTheGroupAwardsAreNotOfferedAndItSaysWhy) {
    form.XAGruppBez.Items.Add("");
    form.XAGruppBez.Items.Add("B");
    Dialog().Zeile.Set(Spielplan_GrNr, "1");
    Dialog().EigenePunkte = true;
    Dialog().P1 = 2;
    Dialog().P2 = 0.5;
    Enter({"Punkte1=9", "punkte2=1", "Tore3=1", "abbrechen"});
    const auto perWin = [](const std::string& field) {
        return "Das Feld \"" + field + "\" bietet der Dialog \"Ergebnis eingeben\" hier nicht an: die Punkte folgen aus "
               "dem Ergebnis und der Wertung der Gruppe B (2 pro Sieg, 0,5 pro Unentschieden)";
    };
    EXPECT_THAT(ui.dialogProblems,
                ElementsAre("Punkte1=9: " + perWin("Punkte1"), "punkte2=1: " + perWin("Punkte2"),
                            "Tore3=1: Das Feld \"Tore3\" gibt es im Dialog \"Ergebnis eingeben\" nicht"));
    ui.dialogProblems.clear();
    Dialog().EigenePunkte = false;
    Dialog().P3 = 1;
    Enter({"Punkte1=9", "abbrechen"});
    EXPECT_THAT(ui.dialogProblems, ElementsAre(::testing::EndsWith("der Gruppe B (1 pro Satz, 0 bei Ballgleichstand)")));
    // Without points awarded, they are typed.
    ui.dialogProblems.clear();
    Dialog().P3 = 0;
    Enter({"Punkte1=9", "abbrechen"});
    EXPECT_THAT(ui.dialogProblems, IsEmpty());
}

// A football tournament names its second scoring value "Tore": the fields and messages say so,
// and the plain names still fill them.
TEST_F(ErgebnisTest, ScoresAreNamedAfterTheTournamentsScoringValues) {
    form.Wertung1 = "Punkte";
    form.Wertung2 = "Tore";
    Dialog().EigenePunkte = true;
    Dialog().P1 = 3;
    std::vector<std::string> labels;
    for (const DialogField& field : Dialog().Fields()) labels.push_back(field.label);
    EXPECT_THAT(labels, ElementsAre("Spiel", "Sieger", "Punkte1", "Punkte2", "Tore1", "Tore2", "Bälle1", "Bälle2",
                                    "Satzergebnisse"));
    Enter({"Tore1=x", "übernehmen", "Tore1=2", "Sätze2=1", "übernehmen"});
    EXPECT_THAT(Messages(), ElementsAre("Bitte bei \"Tore1\" eine Zahl eingeben"));
    EXPECT_THAT(Result(), ElementsAre("1", "", "3", "0", "2", "1", "", ""));
}

TEST_F(ErgebnisTest, GroupPointsPerSetAndAtLevelBalls) {
    Dialog().P3 = 2;
    Dialog().P4 = 1;
    Enter({"Satzergebnisse=25:20, 18:25, 15:10", "übernehmen"});
    EXPECT_THAT(Result(), ElementsAre("1", "25:20, 18:25, 15:10", "4", "2", "2", "1", "58", "55"));
    Enter({"Satzergebnisse=", "Sätze1=1", "Sätze2=1", "Bälle1=60", "Bälle2=60", "übernehmen"});
    EXPECT_THAT(Result(), ElementsAre("0", "", "3", "3", "1", "1", "60", "60"));
    // Balls level by the set results alone count as level balls.
    Enter({"Sätze1=", "Sätze2=", "Bälle1=", "Bälle2=", "Satzergebnisse=25:20, 20:25", "übernehmen"});
    EXPECT_THAT(Result(), ElementsAre("0", "25:20, 20:25", "3", "3", "1", "1", "45", "45"));
}

// --- the other buttons ---

TEST_F(ErgebnisTest, NoResultCountsAsNotPlayedButDecided) {
    EXPECT_EQ(Enter({"Punkte1=4", "kein-ergebnis"}), mrOk);
    EXPECT_THAT(Result(), ElementsAre("0", "NULL", "", "", "", "", "", ""));
    EXPECT_TRUE(Dialog().Uebernommen);
}

TEST_F(ErgebnisTest, ClearingEmptiesTheResult) {
    Dialog().Zeile.Set(Spielplan_PPkt, "3");
    Dialog().Zeile.Set(Spielplan_SatzErg, "NULL");
    Dialog().Zeile.Set(Spielplan_Sieger, "1");
    Dialog().Button3.Enabled = true;
    EXPECT_EQ(Enter({"ergebnis-löschen"}), mrOk);
    EXPECT_THAT(Result(), ElementsAre("", "", "", "", "", "", "", ""));
    EXPECT_TRUE(Dialog().Geloescht);
    EXPECT_FALSE(Dialog().Uebernommen);
}

TEST_F(ErgebnisTest, ClearingAGameWithoutResultIsRefused) {
    EXPECT_EQ(Enter({"ergebnis-löschen", "abbrechen"}), mrCancel);
    EXPECT_THAT(Messages(), ElementsAre("Das Spiel hat kein Ergebnis, das gelöscht werden könnte"));
    EXPECT_FALSE(Dialog().Geloescht);
}

TEST_F(ErgebnisTest, CancelChangesNothing) {
    Dialog().Zeile.Set(Spielplan_PPkt, "3");
    EXPECT_EQ(Enter({"Punkte1=9", "abbrechen"}), mrCancel);
    EXPECT_EQ(Cell(Spielplan_PPkt), "3");
    EXPECT_FALSE(Dialog().Uebernommen);
}

// --- bad input: a German message, nothing written, the dialog stays open ---

TEST_F(ErgebnisTest, BadScoresAreRefusedOneByOne) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Punkte1=drei", "Bitte bei \"Punkte1\" eine Zahl eingeben"},
        {"Sätze2=-1", "\"Sätze2\" darf nicht negativ sein"},
        {"Bälle1=1e3", "Bitte bei \"Bälle1\" eine Zahl eingeben"},
        {"Bälle2=100000", "\"Bälle2\" darf höchstens 99999 sein"},
        {"Punkte2=1,2,3", "Bitte bei \"Punkte2\" eine Zahl eingeben"},
        {"Satzergebnisse=25-20", "Bitte die Satzergebnisse wie 25:20, 18:25, 15:10 eingeben"},
        {"Satzergebnisse=25:20,", "Bitte die Satzergebnisse wie 25:20, 18:25, 15:10 eingeben"},
        {"Satzergebnisse=1:0,1:0,1:0,1:0,0:1,0:1,0:1,1:0", "Höchstens 7 Sätze pro Spiel"},
        {"Satzergebnisse=25:20, 25:18", "Die Sätze passen nicht zu den Satzergebnissen"},
    };
    for (const auto& [line, message] : cases) {
        ui.boxes.clear();
        const std::vector<std::string> before = Result();
        EXPECT_EQ(Enter({"Sätze1=1", "Sätze2=1", line, "übernehmen", "abbrechen"}), mrCancel) << line;
        EXPECT_THAT(Messages(), ElementsAre(message)) << line;
        EXPECT_EQ(Result(), before) << line;
        EXPECT_FALSE(Dialog().Uebernommen) << line;
    }
}

// --- results that contradict themselves: refused with their reason, nothing written ---

class ErgebnisChecksTest : public ErgebnisTest {
protected:
    // The tournament's scoring kind and its three scoring names.
    void Scoring(const std::string& kind, const std::string& second, const std::string& third) {
        form.Turnier.SetCells(Turnier_Sportart, 1, kind);
        form.Wertung1 = "Punkte";
        form.Wertung2 = second;
        form.Wertung3 = third;
    }
    // The message of a refused result, which must leave the row as it was.
    std::string Refused(std::vector<std::string> lines) {
        ui.boxes.clear();
        const std::vector<std::string> before = Result();
        lines.insert(lines.end(), {"übernehmen", "abbrechen"});
        EXPECT_EQ(Enter(lines), mrCancel);
        EXPECT_EQ(Result(), before);
        EXPECT_FALSE(Dialog().Uebernommen);
        return ui.boxes.empty() ? std::string() : ui.boxes.front().text;
    }
    // The winner of an accepted result.
    std::string Accepted(std::vector<std::string> lines) {
        lines.push_back("übernehmen");
        EXPECT_EQ(Enter(lines), mrOk);
        return Cell(Spielplan_Sieger);
    }
};

TEST_F(ErgebnisChecksTest, GoalsSetsAndBallsAreWholeNumbersPointsOnlyWhenPlayedFor) {
    Scoring("Fussball", "Tore", "");
    EXPECT_EQ(Refused({"Tore1=2,5", "Tore2=1"}), "Bitte bei \"Tore1\" eine ganze Zahl eingeben");
    EXPECT_EQ(Refused({"Bälle2=10.5"}), "Bitte bei \"Bälle2\" eine ganze Zahl eingeben");
    EXPECT_EQ(Accepted({"Tore1=2,0", "Tore2=1"}), "1");
    EXPECT_EQ(Cell(Spielplan_PSatz), "2");
    // Points a group scoring awards in halves may be typed so.
    Scoring("Spiel mit Punkten", "", "");
    EXPECT_EQ(Accepted({"Sätze1=", "Sätze2=", "Punkte1=0,5", "Punkte2=0,5"}), "0");
    // Points played for are counted one by one.
    Scoring("Spiel auf 21", "", "");
    EXPECT_EQ(Refused({"Punkte1=20,5"}), "Bitte bei \"Punkte1\" eine ganze Zahl eingeben");
}

// The group game of the report: a winner chosen against 3:0 would have given the points to the
// loser. A chosen winner still decides a level game.
TEST_F(ErgebnisChecksTest, AChosenWinnerAgreesWithAScoreThatIsNotLevel) {
    Scoring("Fussball", "Tore", "");
    Dialog().EigenePunkte = true;
    Dialog().P1 = 3;
    Dialog().P2 = 1;
    EXPECT_EQ(Refused({"Tore1=3", "Tore2=0", "Sieger=Bären"}),
              "Der gewählte Sieger Bären passt nicht zum Ergebnis Tore 3:0; bitte den Sieger berichtigen oder "
              "\"automatisch\" wählen");
    EXPECT_EQ(Accepted({"Tore1=3", "Tore2=0", "Sieger=Adler"}), "1");
    EXPECT_EQ(Accepted({"Tore1=1", "Tore2=1", "Sieger=Bären"}), "2");
    EXPECT_EQ(Cell(Spielplan_PPkt), "0");
    EXPECT_EQ(Cell(Spielplan_MPkt), "3");
    // Shown again, the choice is offered again: the awarded points do not make it automatic.
    EXPECT_EQ(Accepted({}), "2");
    // Typed points decide before goals: level points leave the goals to speak.
    Dialog().EigenePunkte = false;
    EXPECT_THAT(Refused({"Punkte1=1", "Punkte2=1", "Tore1=0", "Tore2=2", "Sieger=Adler"}),
                ::testing::StartsWith("Der gewählte Sieger Adler passt nicht zum Ergebnis Tore 0:2;"));
    // Shown again after a level game decided by choice, the choice must follow a corrected score.
    EXPECT_EQ(Accepted({"Punkte1=", "Punkte2=", "Tore1=1", "Tore2=1", "Sieger=Bären"}), "2");
    Enter({"abbrechen"});
    EXPECT_EQ(Dialog().ComboBox1.Text(), "Bären");
    EXPECT_THAT(Refused({"Tore1=2"}), ::testing::StartsWith("Der gewählte Sieger Bären passt nicht"));
    EXPECT_EQ(Accepted({"Tore1=2", "Sieger=automatisch"}), "1");
}

TEST_F(ErgebnisChecksTest, SetResultsAgreeWithSetsAndBalls) {
    Scoring("Volleyball", "Sätze", "Bälle");
    EXPECT_EQ(Refused({"Satzergebnisse=25:20, 25:25"}), "Satz 2 (25:25) hat keinen Sieger");
    EXPECT_EQ(Refused({"Satzergebnisse=0:0"}), "Satz 1 (0:0) hat keinen Sieger");
    EXPECT_EQ(Refused({"Satzergebnisse=25:20, 18:25, 15:10", "Bälle1=58", "Bälle2=50"}),
              "Die Bälle passen nicht zu den Satzergebnissen (zusammen 58:55)");
    EXPECT_EQ(Accepted({"Satzergebnisse=25:20, 18:25, 15:10", "Bälle1=58", "Bälle2=55"}), "1");
    EXPECT_EQ(Cell(Spielplan_PSatz), "2");
    EXPECT_EQ(Cell(Spielplan_MSatz), "1");
}

// Set results typed alone give the sets and the balls; sets level leave the balls to decide.
TEST_F(ErgebnisChecksTest, SetResultsAloneGiveSetsAndBalls) {
    Scoring("Volleyball", "Sätze", "Bälle");
    EXPECT_EQ(Accepted({"Satzergebnisse=25:20, 23:25, 15:12"}), "1");
    EXPECT_THAT(Result(), ElementsAre("1", "25:20, 23:25, 15:12", "", "", "2", "1", "63", "57"));
    EXPECT_EQ(Accepted({"Sätze1=", "Sätze2=", "Bälle1=", "Bälle2=", "Satzergebnisse=25:10; 21:25"}), "1");
    EXPECT_THAT(Result(), ElementsAre("1", "25:10; 21:25", "", "", "1", "1", "46", "35"));
    // Balls typed along with sets left out: the sets are taken, the balls must agree.
    EXPECT_EQ(Accepted({"Sätze1=", "Sätze2=", "Bälle1=46", "Bälle2=35"}), "1");
    EXPECT_EQ(Cell(Spielplan_PSatz), "1");
    EXPECT_EQ(Refused({"Sätze1=", "Sätze2=", "Bälle1=45", "Bälle2=35"}),
              "Die Bälle passen nicht zu den Satzergebnissen (zusammen 46:35)");
}

// Shown again, the sets and balls the set results gave follow set results typed anew; typed
// ones must still agree, and set results taken away leave the sums standing.
TEST_F(ErgebnisChecksTest, CorrectedSetResultsGiveNewSums) {
    Scoring("Volleyball", "Sätze", "Bälle");
    Accepted({"Satzergebnisse=25:20, 23:25, 15:12"});
    EXPECT_EQ(Accepted({"Satzergebnisse=25:20, 25:23"}), "1");
    EXPECT_THAT(Result(), ElementsAre("1", "25:20, 25:23", "", "", "2", "0", "50", "43"));
    EXPECT_EQ(Refused({"Satzergebnisse=20:25, 23:25", "Sätze1=1", "Sätze2=1"}),
              "Die Sätze passen nicht zu den Satzergebnissen");
    EXPECT_EQ(Accepted({"Satzergebnisse="}), "1");
    EXPECT_THAT(Result(), ElementsAre("1", "", "", "", "2", "0", "50", "43"));
    // Sums that differ from what the shown set results give were typed: they stay and must agree.
    Accepted({"Satzergebnisse=25:20, 25:23", "Sätze1=", "Sätze2=", "Bälle1=", "Bälle2="});
    Dialog().Zeile.Set(Spielplan_PBall, "51");
    EXPECT_EQ(Refused({"Satzergebnisse=25:20, 25:22"}),
              "Die Bälle passen nicht zu den Satzergebnissen (zusammen 50:42)");
}

TEST_F(ErgebnisChecksTest, NoSideWinsMoreSetsThanItsSportPlays) {
    Scoring("Volleyball", "Sätze", "Bälle");
    const std::string volleyball =
        "Volleyball wird auf höchstens 3 Gewinnsätze gespielt (höchstens 5 Sätze): ";
    EXPECT_EQ(Refused({"Sätze1=5", "Sätze2=4"}), volleyball + "5:4 Sätze sind nicht möglich");
    EXPECT_EQ(Refused({"Sätze1=4", "Sätze2=0"}), volleyball + "4:0 Sätze sind nicht möglich");
    EXPECT_EQ(Refused({"Satzergebnisse=25:1, 25:1, 25:1, 1:25, 1:25, 1:25"}),
              volleyball + "3:3 Sätze sind nicht möglich");
    EXPECT_EQ(Accepted({"Sätze1=2", "Sätze2=3"}), "2");
    Scoring("Badminton", "Sätze", "Bälle");
    EXPECT_EQ(Refused({"Sätze1=3", "Sätze2=0"}),
              "Badminton wird auf höchstens 2 Gewinnsätze gespielt (höchstens 3 Sätze): 3:0 Sätze sind nicht möglich");
    // Without a sport that fixes it, a game has at most seven sets; goals are no sets.
    Scoring("Spiel auf 21", "", "");
    EXPECT_EQ(Refused({"Sätze1=5", "Sätze2=3"}), "Höchstens 7 Sätze pro Spiel");
    Scoring("Handball", "Tore", "");
    EXPECT_EQ(Accepted({"Tore1=31", "Tore2=29"}), "1");
}

// Every set won has more balls than it gave away, so a side that won all sets has more balls;
// one that lost a set may well have fewer.
TEST_F(ErgebnisChecksTest, ASideThatWonEverySetHasMoreBalls) {
    Scoring("Volleyball", "Sätze", "Bälle");
    EXPECT_EQ(Refused({"Sätze1=2", "Sätze2=0", "Bälle1=10", "Bälle2=80"}),
              "2:0 Sätze, aber 10:80 Bälle: wer alle Sätze gewinnt, hat auch mehr Bälle");
    EXPECT_EQ(Refused({"Sätze1=0", "Sätze2=3", "Bälle1=75", "Bälle2=75"}),
              "0:3 Sätze, aber 75:75 Bälle: wer alle Sätze gewinnt, hat auch mehr Bälle");
    EXPECT_EQ(Accepted({"Sätze1=2", "Sätze2=1", "Bälle1=60", "Bälle2=66"}), "1");
    EXPECT_EQ(Accepted({"Sätze1=0", "Sätze2=2", "Bälle1=40", "Bälle2=50"}), "2");
}

// Fields left empty are no result, not a draw: nothing is written and the dialog says why. A game
// that was not played gets "Kein Ergebnis"; a typed 0:0 and a chosen winner are results.
TEST_F(ErgebnisChecksTest, EmptyFieldsAreNoResult) {
    Scoring("Volleyball", "Sätze", "Bälle");
    const std::string none = "Es ist kein Ergebnis eingegeben: bitte das Ergebnis eingeben oder einen Sieger wählen; "
                             "ein Spiel, das nicht stattfand, bekommt „Kein Ergebnis“";
    EXPECT_EQ(Refused({}), none);
    EXPECT_EQ(Refused({"Sätze1=  ", "Satzergebnisse= "}), none);
    // A game marked as not played shows empty fields: taking them is no draw either.
    Dialog().Zeile.Set(Spielplan_SatzErg, "NULL");
    Dialog().Zeile.Set(Spielplan_Sieger, "0");
    EXPECT_EQ(Refused({}), none);
    EXPECT_EQ(Accepted({"Sätze1=0", "Sätze2=0"}), "0");
    EXPECT_THAT(Result(), ElementsAre("0", "", "", "", "0", "0", "", ""));
    EXPECT_EQ(Accepted({"Sätze1=", "Sätze2=", "Sieger=Bären"}), "2");
}

TEST_F(ErgebnisTest, ShowingResetsTheFlagsAndPresetsTheFields) {
    Enter({"Punkte1=2", "Punkte2=1", "übernehmen"});
    ASSERT_TRUE(Dialog().Uebernommen);
    Enter({"abbrechen"});
    EXPECT_FALSE(Dialog().Uebernommen);
    EXPECT_EQ(Dialog().Edit1.Text(), "2");
    EXPECT_EQ(Dialog().ComboBox1.Text(), "automatisch");
    EXPECT_EQ(Dialog().Label2.Caption(), "7: Adler - Bären");
    EXPECT_THAT(ui.dialogProblems, IsEmpty());
}

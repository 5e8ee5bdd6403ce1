#include <gtest/gtest.h>

#include "StartFixture.h"
#include "dialogs/Dialogs.h"
#include "engine/EndPlatzierung.h"
#include "engine/TurnierStart.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Platzgrid.h"

using Strings = std::vector<std::string>;

class EndPlatzierungTest : public StartTest {
protected:
    Strings PlacingRow(int row) { return form->TPlatz.Rows(row).ToVector(); }
};

TEST_F(EndPlatzierungTest, CurrentPlacingReadsAsCodes) {
    EXPECT_EQ(currentEndPlatzierung(*form), "S3;V3;");
}

TEST_F(EndPlatzierungTest, ThreePlacesOfEightParticipantsGiveNineRows) {
    Put(form->Turnier, Turnier_AnzMann, 1, 8, true);
    setEndPlatzierung(*form, "1.C;2.C;B1/2/A,B");
    ASSERT_EQ(form->TPlatz.RowCount(), 9);
    EXPECT_EQ(PlacingRow(1), (Strings{"1", "1. Gruppe C"}));
    EXPECT_EQ(PlacingRow(3), (Strings{"3", "1. Bester aller 2. der Gruppen A,B"}));
    EXPECT_EQ(PlacingRow(4), (Strings{"", ""}));
    // The old places made room: the new ones stand at the end with their own numbers.
    EXPECT_EQ(form->Teams.RowCount(), 10);
    EXPECT_EQ(Team(Teams_Platz, 9), "3");
    EXPECT_EQ(Team(Teams_Nr, 9), "9");
    EXPECT_EQ(Team(Teams_Name_Tmp, 7), "1. Gruppe C");
    EXPECT_EQ(Team(Teams_GrNr, 7), "3");
    EXPECT_EQ(ListGet(form->XATeams, 8), "2. Gruppe C");
    EXPECT_EQ(form->XATeamsTur.Items.Count(), 10);
    EXPECT_EQ(currentEndPlatzierung(*form), "1.C;2.C;B1/2/A,B;");
    EXPECT_EQ(Get(form->Turnier, Turnier_Changes, 1, true), "true");
}

TEST_F(EndPlatzierungTest, EmptyListRemovesEveryPlace) {
    setEndPlatzierung(*form, "");
    EXPECT_EQ(currentEndPlatzierung(*form), "");
    EXPECT_EQ(form->Teams.RowCount(), 7);
    EXPECT_EQ(form->XATeams.Items.Count(), 7);
    ASSERT_EQ(form->TPlatz.RowCount(), 2);
    EXPECT_EQ(PlacingRow(1), Strings(2, ""));
    setupEndPlatzierung(*form);
    EXPECT_EQ(form->TPlatz.RowCount(), 2);
}

TEST_F(EndPlatzierungTest, ShorterListLeavesNoOldPlaceBehind) {
    setEndPlatzierung(*form, "1.C;2.C;1.A;1.B");
    setEndPlatzierung(*form, "S3;");
    EXPECT_EQ(PlacingRow(1), (Strings{"1", "Sieger Spiel 3"}));
    EXPECT_EQ(PlacingRow(2), (Strings{"", ""}));
    EXPECT_EQ(PlacingRow(4), (Strings{"", ""}));
}

TEST_F(EndPlatzierungTest, ParticipantsBelowTheOldPlacesKeepTheirGames) {
    // A round made after the placing: its slots stand below the final-placing rows.
    const int d = AddGroup("D", "JGJ", 2);
    const int e1 = AddTeam(d, "Mannschaft 5"), e2 = AddTeam(d, "Mannschaft 6");
    const int game = AddGame(d, e1, e2);
    Put(form->Spielplan, Spielplan_Schir, game, e1, true);
    AddStanding(d, e2);
    setupEndPlatzierung(*form);
    setEndPlatzierung(*form, "1.D");
    EXPECT_EQ(Team(Teams_Name, place1), "Mannschaft 5");
    EXPECT_EQ(Team(Teams_Nr, place1), std::to_string(place1));
    EXPECT_EQ(IntGet(form->Spielplan, Spielplan_T1, game, true), place1);
    EXPECT_EQ(IntGet(form->Spielplan, Spielplan_T2, game, true), place2);
    EXPECT_EQ(IntGet(form->Spielplan, Spielplan_Schir, game, true), place1);
    EXPECT_EQ(IntGet(form->Platz, Platz_TeamNr, 5, true), place2);
    EXPECT_EQ(ListGet(form->XATeams, place2), "Mannschaft 6");
    EXPECT_EQ(Grid(Platzgrid_TeamNr, 5), std::to_string(place1));
    EXPECT_EQ(Team(Teams_Platz, 9), "1");
    EXPECT_EQ(Team(Teams_Nr, 9), "9");
    // The games of the earlier rounds still name their own participants.
    EXPECT_EQ(IntGet(form->Spielplan, Spielplan_T1, gameC, true), winnerA);
}

// --- the editor ---

TEST_F(EndPlatzierungTest, EditorIsRefusedOnceAGameHasAWinner) {
    setEndPlatzierung(*form, "");
    Put(form->Spielplan, Spielplan_Sieger, gameB, m3, true);
    endPlatzierungBearbeiten(*form);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "EndPlatzierung kann nach Spielstart nicht mehr veraendert werden");
    EXPECT_TRUE(ui.dialogCaptions.empty());
}

TEST_F(EndPlatzierungTest, EditorOffersTheCurrentPlacingAndTakesTheConfirmedOne) {
    ui.QueueDialog({"abbrechen"});
    endPlatzierungBearbeiten(*form);
    TfrmGruppe& dialog = DialogsOf(*form).frmGruppe;
    EXPECT_EQ(dialog.Edit3.Text(), "S3;V3");
    EXPECT_EQ(dialog.Panel2.Caption(), " >> Endplatzierung bearbeiten (4 Teilnehmer)");
    EXPECT_EQ(dialog.IAeverButton2.Caption(), "        Speichern");
    EXPECT_EQ(currentEndPlatzierung(*form), "S3;V3;");  // cancelled: nothing changes
    ui.QueueDialog({"Teilnehmer=1.C;2.C;1.A", "ok"});
    endPlatzierungBearbeiten(*form);
    EXPECT_EQ(currentEndPlatzierung(*form), "1.C;2.C;1.A;");
    EXPECT_EQ(PlacingRow(3), (Strings{"3", "1. Gruppe A"}));
    EXPECT_EQ(form->TPlatz.RowCount(), 5);
}

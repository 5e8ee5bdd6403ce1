#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EditingFixture.h"
#include "engine/GruppenListe.h"
#include "engine/RundeAnlegen.h"
#include "foundation/Conversions.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class GruppenListeTest : public EditingTest {
protected:
    void SetUp() override {
        EditingTest::SetUp();
        form->Label20.SetCaption("8");
    }
};

// --- editing a listed group ---

TEST_F(GruppenListeTest, EditingWithoutARowOrOnAnEmptyRowShowsNoDialog) {
    form->Gruppen.SetRow(0);
    GruppeEditieren(*form);
    form->Gruppen.SetRow(1);
    GruppeEditieren(*form);
    EXPECT_THAT(ui.dialogCaptions, IsEmpty());
    EXPECT_THAT(ui.unscripted, IsEmpty());
}

TEST_F(GruppenListeTest, AnEditedGroupKeepsItsGameSystem) {
    ListGroup("A", "Gruppe A", "M1;M2;M3", "JGJ");
    ListGroup("B", "Gruppe B", "M4;M5", "SV");
    ListGroup("C", "Gruppe C", "M6;M7;M8", "A5");
    for (int row : {2, 3}) {
        form->Gruppen.SetRow(row);
        ui.QueueDialog({"Name=Neu " + IntToStr(row), "ok"});
        GruppeEditieren(*form);
    }
    EXPECT_THAT(Rows(form->Gruppen), ElementsAre("A|Gruppe A|M1;M2;M3|3|JGJ|", "B|Neu 2|M4;M5|2|SV|", "C|Neu 3|M6;M7;M8|3|A5|"));
}

TEST_F(GruppenListeTest, ACancelledEditChangesNothing) {
    ListGroup("A", "Gruppe A", "M1;M2;M3", "JGJ");
    form->Gruppen.SetRow(1);
    ui.QueueDialog({"Name=anders", "Teilnehmer=M1;M2", "abbrechen"});
    GruppeEditieren(*form);
    EXPECT_THAT(Rows(form->Gruppen), ElementsAre("A|Gruppe A|M1;M2;M3|3|JGJ|"));
}

// --- removing a listed group ---

TEST_F(GruppenListeTest, RemovingTheOnlyRowLeavesOneEmptyRow) {
    ListGroup("A", "Gruppe A", "M1;M2", "JGJ");
    form->Gruppen.SetRow(1);
    GruppeAusListe(*form);
    EXPECT_THAT(Rows(form->Gruppen), ElementsAre("|||||"));
}

TEST_F(GruppenListeTest, RemovingARowMovesTheRowsBelowUp) {
    ListGroup("A", "Gruppe A", "M1;M2", "JGJ");
    ListGroup("B", "Gruppe B", "M3;M4", "SV");
    ListGroup("C", "Gruppe C", "M5;M6", "JGJ2");
    form->Gruppen.SetRow(2);
    GruppeAusListe(*form);
    EXPECT_THAT(Rows(form->Gruppen), ElementsAre("A|Gruppe A|M1;M2|2|JGJ|", "C|Gruppe C|M5;M6|2|JGJ2|"));
    form->Gruppen.SetRow(1);
    // A new group after a removal takes the next free row.
    ui.QueueDialog({"Name=Gruppe D", "Teilnehmer=M7;M8", "ok"});
    NeueGruppe(*form);
    EXPECT_EQ(form->Gruppen.RowCount(), 4);
    EXPECT_EQ(form->Gruppen.Cells(2, 3), "M7;M8");
}

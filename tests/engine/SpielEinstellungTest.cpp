#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EditingFixture.h"
#include "engine/SpielEinstellung.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Settings.h"
#include "foundation/Tables.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class SpielEinstellungTest : public EditingTest {
protected:
    void SetUp() override {
        EditingTest::SetUp();
        form->Edit11.SetText("1-2");
        Build("!Vorrunde|$A$Gruppe A$JGJ$M1;M2;M3;$B$Gruppe B$JGJ$M4;M5;M6;");
        setTurChanged(*form, false);
        form->Spieleverschiebbar1.Checked = true;
        form->Plan1Modus = 1;
        game = GameBetween("Mannschaft 1", "Mannschaft 2");
    }
    // The upper plan shows one game in row 1, chosen, with ">>" when it can take its result.
    void ShowGame(int number, bool ready) {
        form->XPlan1.SetCells(0, 1, ready ? ">>" : "");
        form->XPlan1.SetCells(1, 1, IntToStr(number));
        form->XPlan1.SetRow(1);
    }
    bool Changed() const { return form->Turnier.Cells(Turnier_Changes, 1) == "true"; }
    std::string GameCell(int column) const { return Cell(form->Spielplan, column, game); }

    int game = 0;
};

// --- what a double click opens ---

TEST_F(SpielEinstellungTest, AViewWithoutGamesOnlyUnchecksMovableGames) {
    form->Plan1Modus = 2;
    ShowGame(game, true);
    PlanDoppelklick(*form, true);
    EXPECT_FALSE(form->Spieleverschiebbar1.Checked);
    EXPECT_THAT(ui.dialogCaptions, IsEmpty());
    EXPECT_FALSE(Changed());
}

// Nothing opened, nothing changed: leaving the program has nothing to offer for saving.
TEST_F(SpielEinstellungTest, AGameWithAResultOfAClosedGroupOpensNothingAndChangesNothing) {
    Put(form->Spielplan, Spielplan_Sieger, game, GameCell(Spielplan_T1), true);
    Put(form->Spielplan, Spielplan_PPkt, game, "2", true);
    ShowGame(game, false);
    PlanDoppelklick(*form, true);
    EXPECT_THAT(ui.dialogCaptions, IsEmpty());
    EXPECT_FALSE(Changed());
}

TEST_F(SpielEinstellungTest, AGameReadyForItsResultOpensResultEntry) {
    ShowGame(game, true);
    ui.QueueDialog({"abbrechen"});
    PlanDoppelklick(*form, true);
    EXPECT_THAT(ui.dialogCaptions, ElementsAre("Ergebnis eingeben"));
    EXPECT_FALSE(Changed());
}

TEST_F(SpielEinstellungTest, AGameNumberThePlanDoesNotHoldOpensNoSettings) {
    ShowGame(99, false);
    PlanDoppelklick(*form, true);
    EXPECT_THAT(ui.dialogCaptions, IsEmpty());
}

// --- the single-game settings ---

TEST_F(SpielEinstellungTest, AGameNotYetReadyOpensItsSettingsAndOkWritesThem) {
    Put(form->Spielplan, Spielplan_Spieltag, game, "06.12.2026", true);
    SetSetting(*form, "N1", "Herr Pfiff");
    ShowGame(game, false);
    ui.QueueDialog({"Feld=Feld 2", "Beginn=12:00", "Ende=12:20", "Tag=2", "Teilnehmer 1=Mannschaft 3",
                    "Schiedsrichter=Herr Pfiff", "ok"});
    PlanDoppelklick(*form, true);
    ASSERT_THAT(ui.dialogCaptions, ElementsAre("Spieleinstellung"));
    EXPECT_THAT(ui.dialogProblems, IsEmpty());
    EXPECT_EQ(GameCell(Spielplan_Feld), "2");
    EXPECT_EQ(GameCell(Spielplan_Von) + "-" + GameCell(Spielplan_Bis) + " Tag " + GameCell(Spielplan_Tag), "12:00-12:20 Tag 2");
    EXPECT_EQ(NameOf(GameCell(Spielplan_T1)), "Mannschaft 3");
    EXPECT_EQ(NameOf(GameCell(Spielplan_T2)), "Mannschaft 2");
    EXPECT_EQ(GameCell(Spielplan_Schir), "N1");
    EXPECT_EQ(GameCell(Spielplan_Spieltag), "");
    EXPECT_TRUE(Changed());
    EXPECT_THAT(form->calls, ::testing::Contains("DoPlan(XPlan1)"));
}

TEST_F(SpielEinstellungTest, ThePlayersOfAGameWithAResultStayWhateverIsChosen) {
    Put(form->Spielplan, Spielplan_Sieger, game, "0", true);
    const std::string first = GameCell(Spielplan_T1), second = GameCell(Spielplan_T2);
    ui.QueueDialog({"Teilnehmer 1=Mannschaft 3", "Beginn=11:00", "Ende=11:20", "ok"});
    doSpielEinstellung(*form, game, false);
    EXPECT_EQ(ui.dialogProblems.size(), 1u);
    EXPECT_EQ(GameCell(Spielplan_T1) + "/" + GameCell(Spielplan_T2), first + "/" + second);
    EXPECT_EQ(GameCell(Spielplan_Von), "11:00");
}

TEST_F(SpielEinstellungTest, ACancelledDialogChangesNothing) {
    const std::vector<std::string> before = Snapshot();
    ui.QueueDialog({"Beginn=11:00", "Tag=3", "abbrechen"});
    doSpielEinstellung(*form, game, false);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_FALSE(Changed());
}

TEST_F(SpielEinstellungTest, TheDialogRefusesWhatNoGameCanHave) {
    const std::pair<std::string, std::string> wrong[] = {
        {"Beginn=9 Uhr", "Bitte Beginn und Ende als Uhrzeit hh:mm eingeben"},
        {"Ende=", "Bitte Beginn und Ende als Uhrzeit hh:mm eingeben"},
        {"Tag=0", "Bitte als Tag eine Zahl von 1 bis 9999 eingeben"},
        {"Teilnehmer 2=Mannschaft 1", "Ein Teilnehmer kann nicht gegen sich selbst spielen"},
        {"Schiedsrichter=Mannschaft 2", "Der Schiedsrichter spielt selbst in diesem Spiel"},
    };
    for (const auto& [line, message] : wrong) {
        ui.boxes.clear();
        const std::vector<std::string> before = Snapshot();
        ui.QueueDialog({line, "ok", "abbrechen"});
        doSpielEinstellung(*form, game, false);
        ASSERT_EQ(ui.boxes.size(), 1u) << line;
        EXPECT_EQ(ui.boxes[0].text, message);
        EXPECT_EQ(Snapshot(), before) << line;
    }
}

TEST_F(SpielEinstellungTest, AGameWithoutAParticipantCannotBeConfirmedEmpty) {
    // A slot not yet filled: its number names no participant the dialog could offer.
    Put(form->Spielplan, Spielplan_T2, game, "", true);
    ui.QueueDialog({"ok", "abbrechen"});
    doSpielEinstellung(*form, game, false);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Bitte beide Teilnehmer des Spiels auswählen");
    EXPECT_EQ(GameCell(Spielplan_T2), "");
}

TEST_F(SpielEinstellungTest, TheTimeKeeperListComesFromItsFile) {
    WriteProgramFile("zeitnehmer.dat", "Frau Uhr\r\nHerr Stopp\r\n");
    ui.QueueDialog({"Zeitnehmer=Herr Stopp", "ok"});
    doSpielEinstellung(*form, game, false);
    EXPECT_EQ(GameCell(Spielplan_Zeitnehmer), "Herr Stopp");
    ui.QueueDialog({"Zeitnehmer=1", "ok"});
    doSpielEinstellung(*form, game, false);
    EXPECT_EQ(GameCell(Spielplan_Zeitnehmer), "");
}

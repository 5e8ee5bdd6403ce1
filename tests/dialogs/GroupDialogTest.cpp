#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "LightForm.h"
#include "ScriptedDialog.h"
#include "TestEnvironment.h"
#include "dialogs/Dialogs.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

class GroupDialogTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        dialog.Gruppen = &form.Gruppen;
        dialog.Label20 = &form.Label20;
        dialog.Main = &form;
        form.Label20.SetCaption("6");
    }
    void TableGroup(int row, const std::string& id, int count, int round) {
        if (form.Gruppe.RowCount() <= row) form.Gruppe.SetRowCount(row + 1);
        Put(form.Gruppe, 0, row, "1", true);
        Put(form.Gruppe, Gruppe_Nr, row, row, true);
        Put(form.Gruppe, Gruppe_Bez, row, id, true);
        Put(form.Gruppe, Gruppe_AnzTeams, row, count, true);
        Put(form.Gruppe, Gruppe_RNr, row, round, true);
    }
    void ListRow(int row, const std::string& id) {
        if (form.Gruppen.RowCount() <= row) form.Gruppen.SetRowCount(row + 1);
        form.Gruppen.SetCells(0, row, id);
        form.Gruppen.SetCells(3, row, "2");
    }
    // Shows the dialog with the lines typed; gives the message boxes it showed.
    std::vector<std::string> Show(std::vector<std::string> lines, int expected = mrOk) {
        return ShowScripted(ui, dialog, std::move(lines), expected);
    }
    std::vector<std::string> Candidates() const { return dialog.ListBox2.Items.ToVector(); }
    LightForm form;
    TfrmGruppe dialog;
};

// --- presets ---

TEST_F(GroupDialogTest, AnEmptyTournamentProposesA) {
    dialog.PrepareNewGroup("1", "Vorrunde");
    EXPECT_EQ(dialog.Edit1.Text(), "A");
    EXPECT_EQ(dialog.Edit2.Text(), "1");
    EXPECT_EQ(dialog.Edit4.Text(), "Vorrunde");
    EXPECT_EQ(dialog.Edit3.Text(), "");
    EXPECT_EQ(dialog.Label15.Caption(), "0");
}

TEST_F(GroupDialogTest, TheProposalCountsTableAndListAndSkipsTakenIds) {
    TableGroup(1, "A", 4, 1);
    ListRow(1, "B");
    dialog.PrepareNewGroup("2", "Finale");
    EXPECT_EQ(dialog.Edit1.Text(), "C");
    // Three groups make D the proposal; D is taken, so the first free letter.
    ListRow(2, "D");
    dialog.PrepareNewGroup("2", "Finale");
    EXPECT_EQ(dialog.Edit1.Text(), "C");
    form.Gruppen.SetCells(0, 2, "c");
    dialog.PrepareNewGroup("2", "Finale");
    EXPECT_EQ(dialog.Edit1.Text(), "D");
}

TEST_F(GroupDialogTest, LaterRoundsOfferWinnersLosersAndBestOf) {
    TableGroup(1, "A", 2, 1);
    TableGroup(2, "B", 2, 1);
    Put(form.Spielplan, 0, 1, "1", true);
    Put(form.Spielplan, Spielplan_SpNr, 1, "1", true);
    dialog.PrepareNewGroup("1", "x");
    EXPECT_THAT(Candidates(), Contains("2. Gruppe B"));
    EXPECT_THAT(Candidates(), Not(Contains("Sieger Spiel 1")));
    EXPECT_THAT(Candidates(), Contains("Mannschaft 6"));
    dialog.PrepareNewGroup("2", "x");
    EXPECT_THAT(Candidates(), Contains("Sieger Spiel 1"));
    EXPECT_THAT(Candidates(), Contains("Verlierer Spiel 1"));
    EXPECT_THAT(Candidates(), Contains("2. Bester aller 1. der Gruppen A,B"));
}

TEST_F(GroupDialogTest, EditingPresetsTheRowAndItsParticipants) {
    dialog.PrepareEditGroup("1", "Vorrunde", "B", "Gruppe B", "M1;M2;M5");
    EXPECT_EQ(dialog.Edit1.Text(), "B");
    EXPECT_EQ(dialog.ComboBox1.Text(), "Gruppe B");
    EXPECT_THAT(dialog.ListBox1.Items.ToVector(), ElementsAre("Mannschaft 1", "Mannschaft 2", "Mannschaft 5"));
    EXPECT_EQ(dialog.Label15.Caption(), "3");
}

// --- the checks of OK ---

TEST_F(GroupDialogTest, EachCheckNamesItsProblemAndKeepsTheDialogOpen) {
    dialog.PrepareNewGroup("1", "x");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"Bezeichnung=", "Name=n", "Teilnehmer=M1;M2"}, "Bitte Bezeichnung angeben"},
        {{"Bezeichnung=ABCDE"}, "Die Bezeichnung darf höchstens 4 Zeichen lang sein"},
        {{"Bezeichnung=A;B"}, "Die Bezeichnung darf keines der Zeichen ! | $ ; , enthalten"},
        {{"Bezeichnung=A,B"}, "Die Bezeichnung darf keines der Zeichen ! | $ ; , enthalten"},
        {{"Bezeichnung=A\x1B[m"}, "Die Bezeichnung enthält Zeichen, die kein Text sind"},
        {{"Bezeichnung=A", "Name="}, "Bitte geben Sie einen Gruppennamen an"},
        {{"Name=Gruppe $"}, "Der Gruppenname darf keines der Zeichen ! | $ ; enthalten"},
        {{"Name=Gruppe \xE2\x80\xAE" "A"}, "Der Gruppenname enthält Zeichen, die kein Text sind"},
        {{"Name=Gruppe A", "Teilnehmer=M1"}, "Bitte geben Sie mindestens zwei Mannschaft in die Gruppe"},
        {{"Teilnehmer=M1;Q2"}, "Ungültiger Teilnehmer: \"Q2\""},
        {{"Teilnehmer=M1;1.Z"}, "Die Gruppe Z gibt es nicht (Teilnehmer \"1.Z\")"},
        {{"Teilnehmer=M1;S4"}, "Das Spiel 4 gibt es nicht (Teilnehmer \"S4\")"},
        {{"Teilnehmer=M1;M2;M3", "System=Anzahl Spiele:", "Anzahl Spiele=0"}, "Bitte korrekte Anzahl Spiele eingeben"},
        {{"Anzahl Spiele=1001"}, "Bitte korrekte Anzahl Spiele eingeben"},
        {{"System=1-2,3-4,5-6 etc.."}, "Bitte eine gerade Anzahl von Mannschaften fuer dieses System eingeben"},
    };
    std::vector<std::string> lines;
    for (const auto& [typed, message] : cases) {
        lines.insert(lines.end(), typed.begin(), typed.end());
        lines.push_back("ok");
    }
    lines.push_back("abbrechen");
    const std::vector<std::string> shown = Show(lines, mrCancel);
    std::vector<std::string> expected;
    for (const auto& c : cases) expected.push_back(c.second);
    EXPECT_EQ(shown, expected);
}

TEST_F(GroupDialogTest, ANewGroupMayNotTakeAnIdInUseWhateverItsCase) {
    TableGroup(1, "A", 2, 1);
    ListRow(1, "B");
    dialog.PrepareNewGroup("1", "x");
    EXPECT_THAT(
        Show({"Bezeichnung=b", "Name=n", "Teilnehmer=M1;M2", "ok", "Bezeichnung=a", "ok", "Bezeichnung=C", "ok"}),
        ElementsAre("Die Bezeichnung existiert schon, bitte eine andere eingeben",
                    "Die Bezeichnung existiert schon, bitte eine andere eingeben"));
    EXPECT_EQ(dialog.SystemCode(), "JGJ");
}

TEST_F(GroupDialogTest, AnEditedGroupKeepsItsIdButTakesNoOther) {
    ListRow(1, "A");
    ListRow(2, "B");
    dialog.Bearbeiten = 1;
    dialog.PrepareEditGroup("1", "x", "B", "Gruppe B", "M1;M2");
    EXPECT_THAT(Show({"Bezeichnung=A", "ok", "Bezeichnung=B", "ok"}),
                ElementsAre("Die Bezeichnung existiert schon, bitte eine andere eingeben"));
}

TEST_F(GroupDialogTest, CandidatesJoinTheParticipants) {
    dialog.PrepareNewGroup("1", "x");
    Show({"Name=n", "Kandidat=Mannschaft 3", "Kandidat=M5", "Kandidat=1", "ok"});
    EXPECT_EQ(dialog.Edit3.Text(), "M3;M5;M1");
    EXPECT_EQ(dialog.Label15.Caption(), "3");
    ui.QueueDialog({"Kandidat=Mannschaft 99", "abbrechen"});
    dialog.ShowModal();
    EXPECT_THAT(ui.dialogProblems, Not(IsEmpty()));
}

// --- final placing ---

TEST_F(GroupDialogTest, TheFinalPlacingTakesAnyValidListEvenAnEmptyOne) {
    TableGroup(1, "A", 4, 1);
    dialog.EndplatzModus = 1;
    dialog.Bearbeiten = 1;
    dialog.PrepareEndplatzierung("1.A;2.A;");
    EXPECT_EQ(dialog.Edit3.Text(), "1.A;2.A");
    EXPECT_THAT(Candidates(), Contains("4. Gruppe A"));
    EXPECT_THAT(Show({"Teilnehmer=1.A;9;", "ok", "Teilnehmer=", "ok"}), ElementsAre("Ungültiger Teilnehmer: \"9\""));
    EXPECT_EQ(dialog.Edit3.Text(), "");
    const std::vector<DialogField> fields = dialog.Fields();
    EXPECT_EQ(dialog.FindField(fields, "Bezeichnung"), nullptr);
}

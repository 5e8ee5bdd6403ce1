#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "LightForm.h"
#include "TestEnvironment.h"
#include "dialogs/Dialogs.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"

using ::testing::ElementsAre;

class KonfliktTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        TSortGrid& p = form.Platz;
        p.SetRowCount(6);
        const char* names[] = {"Adler", "Bären", "Cobras", "Dachse", "Elche"};
        for (int r = 1; r <= 5; ++r) {
            Put(p, Platz_TeamNr, r, r, true);
            Put(p, Platz_GrNr, r, r == 5 ? 2 : 1, true);
            Put(p, Platz_Team, r, names[r - 1], true);
            Put(p, Platz_PPkt, r, 10 * r, true);
        }
        for (const char* t : {"4", "2", "3"}) form.KonfliktTeams.Add(t);
        TfrmKonflikt& d = DialogsOf(form).frmKonflikt;
        d.Form = &form;
        d.GrNr = 1;
        d.Teams = &form.KonfliktTeams;
    }

    std::vector<std::string> Column(int column) const {
        std::vector<std::string> cells;
        for (int r = 1; r < form.Platz.RowCount(); ++r) cells.push_back(Get(form.Platz, column, r, true));
        return cells;
    }

    LightForm form;
};

TEST_F(KonfliktTest, TiedTeamsTakeTheOrderGivenOnTheirOwnRows) {
    ui.QueueDialog({"Nr. 1=x", "Reihenfolge=3, 1,2", "ok"});
    EXPECT_EQ(DialogsOf(form).frmKonflikt.ShowModal(), mrOk);
    // Places shown were Bären, Cobras, Dachse (standings order); Dachse goes first.
    EXPECT_THAT(Column(Platz_Team), ElementsAre("Adler", "Dachse", "Bären", "Cobras", "Elche"));
    EXPECT_THAT(Column(Platz_PPkt), ElementsAre("10", "40", "20", "30", "50"));
    EXPECT_THAT(ui.dialogProblems, ElementsAre("Nr. 1=x: Das Feld \"Nr. 1\" kann nicht geändert werden"));
}

TEST_F(KonfliktTest, OrderMustNameEachPlaceOnce) {
    for (const char* bad : {"1,1,2", "1,2", "1,2,3,4", "0,1,2", "a,b,c", "1-2-3"}) {
        ui.boxes.clear();
        ui.QueueDialog({std::string("Reihenfolge=") + bad, "ok", "abbrechen"});
        DialogsOf(form).frmKonflikt.ShowModal();
        ASSERT_EQ(ui.boxes.size(), 1u) << bad;
        EXPECT_EQ(ui.boxes[0].text, "Bitte jede Platznummer von 1 bis 3 genau einmal angeben, z.B. 2,1") << bad;
        EXPECT_THAT(Column(Platz_Team), ElementsAre("Adler", "Bären", "Cobras", "Dachse", "Elche")) << bad;
    }
}

TEST_F(KonfliktTest, ConfirmingTheShownOrderChangesNothing) {
    ui.QueueDialog({"ok"});
    DialogsOf(form).frmKonflikt.ShowModal();
    EXPECT_THAT(Column(Platz_Team), ElementsAre("Adler", "Bären", "Cobras", "Dachse", "Elche"));
}

// "3,1,2" could be read as the places the listed participants go to, which gives another order:
// the dialog says which reading holds, with the names it shows, and the example does what it says.
TEST_F(KonfliktTest, NotesSayHowTheOrderIsReadWithTheListNumbersShown) {
    TfrmKonflikt& d = DialogsOf(form).frmKonflikt;
    form.Gruppe.SetRowCount(2);
    Put(form.Gruppe, Gruppe_Bez, 1, "A", true);
    ui.QueueDialog({"ok"});
    d.ShowModal();
    std::vector<std::string> labels;
    for (const DialogField& field : d.Fields()) labels.push_back(field.label + "=" + field.value());
    EXPECT_THAT(labels, ElementsAre("Nr. 1=Bären", "Nr. 2=Cobras", "Nr. 3=Dachse", "Reihenfolge=1,2,3"));
    const std::string example =
        "Reihenfolge=3,1,2 setzt Nr. 3 (Dachse) an die erste Stelle, dann folgen Nr. 1 (Bären) und Nr. 2 (Cobras).";
    EXPECT_THAT(d.Notes(), ElementsAre("Die Wertungsregeln trennen diese Teilnehmer der Gruppe A nicht alle voneinander.",
                                       "„Reihenfolge“ nennt ihre Nummern (Nr.) vom ersten Platz an; sie gilt für "
                                       "Tabelle und Platzhalter:",
                                       example));
    EXPECT_EQ(d.Fields().back().rule, "Die Nummern (Nr.) vom ersten Platz an, jede genau einmal: " + example);
    ui.QueueDialog({"Reihenfolge=3,1,2", "ok"});
    d.ShowModal();
    EXPECT_THAT(Column(Platz_Team), ElementsAre("Adler", "Dachse", "Bären", "Cobras", "Elche"));
}

TEST_F(KonfliktTest, ExampleFitsTheNumberOfTiedParticipants) {
    TfrmKonflikt& d = DialogsOf(form).frmKonflikt;
    form.KonfliktTeams.Clear();
    form.KonfliktTeams.Add("1");
    form.KonfliktTeams.Add("2");
    ui.QueueDialog({"ok"});
    d.ShowModal();
    EXPECT_EQ(d.Notes().back(), "Reihenfolge=2,1 setzt Nr. 2 (Bären) an die erste Stelle, dann folgt Nr. 1 (Adler).");
    for (const char* t : {"3", "4", "5"}) form.KonfliktTeams.Add(t);
    d.GrNr = 0;
    ui.QueueDialog({"ok"});
    d.ShowModal();
    EXPECT_EQ(d.Notes().back(), "Reihenfolge=5,1,2,3,4 setzt Nr. 5 (Elche) an die erste Stelle, dann folgen Nr. 1 bis "
                                "Nr. 4 wie gelistet.");
}

TEST_F(KonfliktTest, TieFromAnImportSaysThatLaterResultsDependOnIt) {
    TfrmKonflikt& d = DialogsOf(form).frmKonflikt;
    d.Importiert = true;
    ui.QueueDialog({"ok"});
    d.ShowModal();
    const std::vector<std::string> notes = d.Notes();
    ASSERT_EQ(notes.size(), 5u);
    EXPECT_EQ(notes[3] + " " + notes[4],
              "Der Konflikt kommt aus dem Import: so zu lösen wie im Marovelkandis, der die Datei exportiert hat. Der "
              "Import vergleicht die Namen der Teilnehmer, die die Datei nennt, und nimmt kein Ergebnis anderer an.");
    d.Importiert = false;
    EXPECT_EQ(d.Notes().size(), 3u);
}

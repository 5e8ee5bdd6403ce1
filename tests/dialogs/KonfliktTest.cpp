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
    ui.QueueDialog({"Platz 1=x", "Reihenfolge=3, 1,2", "ok"});
    EXPECT_EQ(DialogsOf(form).frmKonflikt.ShowModal(), mrOk);
    // Places shown were Bären, Cobras, Dachse (standings order); Dachse goes first.
    EXPECT_THAT(Column(Platz_Team), ElementsAre("Adler", "Dachse", "Bären", "Cobras", "Elche"));
    EXPECT_THAT(Column(Platz_PPkt), ElementsAre("10", "40", "20", "30", "50"));
    EXPECT_THAT(ui.dialogProblems, ElementsAre("Platz 1=x: Das Feld \"Platz 1\" kann nicht geändert werden"));
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

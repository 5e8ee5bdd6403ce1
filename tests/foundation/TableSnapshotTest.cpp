#include <gtest/gtest.h>

#include "LightForm.h"
#include "TestEnvironment.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/TableSnapshot.h"

class TableSnapshotTest : public ProgramTest {
protected:
    LightForm form;
};

TEST_F(TableSnapshotTest, PutsBackRowsCellsListsAndOrderWhateverWasDoneMeanwhile) {
    for (int row = 1; row <= 3; ++row) {
        form.Platz.SetRowCount(row + 1);
        Put(form.Platz, Platz_TeamNr, row, row, true);
        form.Platz.SetCells(30, row, "versteckt " + std::to_string(row));
    }
    form.XATeams.Items.Add("Adler");
    form.KonfliktTeams.Add("2");
    const TableSnapshot before(form);

    sortGrid(form.Platz, Platz_TeamNr, true);
    form.Platz.SwapRows(1, 3);
    form.Platz.SetRowCount(6);
    Put(form.Platz, Platz_Team, 5, "neu", true);
    form.Teams.SetCells(Teams_Name_Tur, 1, "erfunden");
    form.XATeams.Items.Add("Bären");
    form.KonfliktTeams.Clear();
    EXPECT_NE(before.FirstDifference(TableSnapshot(form)), "");

    before.Restore(form);
    EXPECT_EQ(before.FirstDifference(TableSnapshot(form)), "");
    EXPECT_EQ(form.Platz.RowCount(), 4);
    EXPECT_EQ(form.Platz.Cells(30, 3), "versteckt 3");
    EXPECT_EQ(form.Platz.Cells(Platz_Team, 5), "");
    EXPECT_EQ(form.XATeams.Items.Count(), 1);
    EXPECT_EQ(form.KonfliktTeams.Count(), 1);
}

TEST_F(TableSnapshotTest, NamesTheFirstDifference) {
    const TableSnapshot before(form);
    Put(form.Spielplan, Spielplan_Sieger, 1, "2", true);
    EXPECT_EQ(before.FirstDifference(TableSnapshot(form)), "Spielplan Zeile 1 Spalte 23:  / 2");
}

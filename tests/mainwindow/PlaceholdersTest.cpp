#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "engine/TurnierStart.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Platzgrid.h"
#include "mainwindow/main.h"

// The placeholder tool's buttons, arrows and drops reach the assignment.
class PlaceholdersTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        form = std::make_unique<TForm1>();
        form->AktTurNr = 1;
        TSortGrid& g = form->Gruppe;
        Put(g, 0, 1, "1", true);
        Put(g, Gruppe_Nr, 1, 1, true);
        Put(g, Gruppe_Bez, 1, "A", true);
        TSortGrid& t = form->Teams;
        t.SetRowCount(3);
        for (int row = 1; row <= 2; ++row) {
            Put(t, 0, row, "1", true);
            Put(t, Teams_Nr, row, row, true);
            Put(t, Teams_InGr, row, 1, true);
            Put(t, Teams_Name, row, "Mannschaft " + std::to_string(row), true);
        }
        setupEndPlatzierung(*form);
        TListItem& item = form->ListView2.Add();
        item.Caption = "Adler";
        item.Selected = true;
        form->Xplatzgrid.SetRow(2);
    }
    std::string Name(int row) const { return form->Xplatzgrid.Cells(Platzgrid_Mannschaft, row); }
    std::unique_ptr<TForm1> form;
};

TEST_F(PlaceholdersTest, ButtonsAndArrowsAreBound) {
    form->IAeverButton34.Click();
    EXPECT_EQ(Name(2), "Adler");
    form->UpDown1.Click(TUDBtnType::btNext);  // the upper arrow moves the name up
    EXPECT_EQ(Name(1), "Adler");
    EXPECT_EQ(form->Xplatzgrid.Row(), 1);
    form->IAeverButton35.Click();
    EXPECT_EQ(Name(1), "");
    EXPECT_EQ(form->IAeverButton30.Caption(), "Zufallsgenerator (Platzhalter)");
    EXPECT_EQ(form->IAeverButton39.Caption(), "Teams aus .txt Datei in Platzhalterliste");
}

TEST_F(PlaceholdersTest, OnlyNamesFromTheNameListMayBeDropped) {
    bool accept = true;
    form->XplatzgridDragOver(&form->Xplatzgrid, &form->ListView1, 3, 4, accept);
    EXPECT_FALSE(accept);
    form->XplatzgridDragDrop(&form->Xplatzgrid, &form->ListView1, 3, 4);
    EXPECT_EQ(Name(2), "");
    form->XplatzgridDragOver(&form->Xplatzgrid, &form->ListView2, 3, 4, accept);
    EXPECT_TRUE(accept);
    // The target is the selected row, wherever the names are let go.
    form->XplatzgridDragDrop(&form->Xplatzgrid, &form->ListView2, 0, 0);
    EXPECT_EQ(Name(2), "Adler");
}

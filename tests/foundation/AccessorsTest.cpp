#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/SortGrid.h"
#include "foundation/Tables.h"
#include "LightForm.h"

class AccessorsTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        form = std::make_unique<LightForm>();
    }
    std::string ErrorLines() { return ReadProgramFile("error.log"); }
    std::unique_ptr<LightForm> form;
};

TEST_F(AccessorsTest, TablesStartEmptyWithTheirHeadersAndColumnCounts) {
    const std::pair<TSortGrid*, int> tables[] = {
        {&form->Turnier, 22}, {&form->Gruppe, 29}, {&form->Teams, 17}, {&form->Spielplan, 27}, {&form->Platz, 18},
        {&form->Ein, 5}, {&form->UkSound, 17}, {&form->XMasterGrid, 31}, {&form->Temp, 25}, {&form->Schiris, 12}};
    for (auto [grid, columns] : tables) {
        EXPECT_EQ(grid->ColCount(), columns) << grid->Name;
        EXPECT_EQ(grid->RowCount(), 2) << grid->Name;
        EXPECT_EQ(grid->FixedRows(), 1);
        EXPECT_EQ(grid->FixedCols(), 0);
        EXPECT_FALSE(grid->ClickSorting);
    }
    EXPECT_EQ(form->Spielplan.Cells(Spielplan_SpNr, 0), "Spielplan_SpNr");
    EXPECT_EQ(form->Platz.Cells(0, 0), "Platz_Tur");
    EXPECT_EQ(form->XMasterGrid.Cells(27, 0), "27");
    EXPECT_TRUE(CheckColumnNumbers(*form));
    EXPECT_FALSE(ProgramFileExists("error.log"));
}

TEST_F(AccessorsTest, BadCellIndexIsLoggedAndNothingIsTouched) {
    EXPECT_EQ(Get(form->Spielplan, 4, 0, true), "");
    Put(form->Spielplan, -1, 1, "x", true);
    Put(form->Spielplan, 2, 0, 5, true);
    EXPECT_EQ(IntGet(form->Gruppe, 3, -2, true), 0);
    EXPECT_EQ(ErrorLines(),
              "[06.12.26 09:05:03] [X] Get: Fehler im Befehl Get(Spielplan,4,0)\r\n"
              "[06.12.26 09:05:03] [X] Put: Fehler im Befehl Put(Spielplan,-1,1,x)\r\n"
              "[06.12.26 09:05:03] [X] Put: Fehler im Befehl Put(Spielplan,2,0,5)\r\n"
              "[06.12.26 09:05:03] [X] Get: Fehler im Befehl IntGet(Gruppe,3,-2)\r\n");
    EXPECT_EQ(form->Spielplan.Cells(2, 0), "Spielplan_Nr") << "the header is never written";
}

TEST_F(AccessorsTest, WithoutLogFlagBadIndexesAreRefusedSilently) {
    Put(form->Spielplan, -1, 1, "x", false);
    Put(form->Spielplan, 3, 0, "x", false);
    EXPECT_EQ(Get(form->Spielplan, 3, 0, false), "");
    EXPECT_EQ(IntGet(form->Spielplan, -5, 1, false), 0);
    EXPECT_EQ(form->Spielplan.Cells(3, 0), "Spielplan_Tur");
    EXPECT_FALSE(ProgramFileExists("error.log"));
}

TEST_F(AccessorsTest, CellsBeyondTheTableAreKept) {
    Put(form->Ein, 7, 9, "weit", true);
    EXPECT_EQ(Get(form->Ein, 7, 9, true), "weit");
    EXPECT_EQ(form->Ein.RowCount(), 2);
}

TEST_F(AccessorsTest, CellsAtAbsurdIndexesAreRefusedNotAllocated) {
    // A damaged group or game number must not make a write allocate every row up to it.
    Put(form->Gruppe, Gruppe_State, 2147483647, "Open", true);
    Put(form->Gruppe, 2000000, 1, 1, true);
    Put(form->Gruppe, Gruppe_State, 1000001, "Open", false);
    EXPECT_EQ(Get(form->Gruppe, Gruppe_State, 2147483647, true), "");
    EXPECT_EQ(ErrorLines(), "[06.12.26 09:05:03] [X] Put: Fehler im Befehl Put(Gruppe,17,2147483647,Open)\r\n"
                            "[06.12.26 09:05:03] [X] Put: Fehler im Befehl Put(Gruppe,2000000,1,1)\r\n");
    Put(form->Gruppe, 1000, 1000000, "weit", true);
    EXPECT_EQ(Get(form->Gruppe, 1000, 1000000, true), "weit");
}

TEST_F(AccessorsTest, IntGetReadsSilently) {
    Put(form->Teams, Teams_Nr, 1, "abc", true);
    EXPECT_EQ(IntGet(form->Teams, Teams_Nr, 1, true), 0);
    Put(form->Teams, Teams_Nr, 1, 12, true);
    EXPECT_EQ(IntGet(form->Teams, Teams_Nr, 1, true), 12);
    EXPECT_EQ(IntGet(form->Teams, Teams_Pos, 1, true), 0);
    EXPECT_FALSE(ProgramFileExists("error.log"));
}

TEST_F(AccessorsTest, EmptyTableConvention) {
    EXPECT_EQ(FindRow(form->Gruppe, Gruppe_Bez, "A"), 0);
    EXPECT_EQ(FindRow(form->Gruppe, Gruppe_Bez, ""), 1);
    Put(form->Gruppe, Gruppe_Bez, 1, "A", true);
    DeleteGridRow(form->Gruppe, 1);
    EXPECT_EQ(form->Gruppe.RowCount(), 2);
    EXPECT_EQ(Get(form->Gruppe, Gruppe_Bez, 1, true), "");
}

TEST_F(AccessorsTest, DeleteGridRowMovesTheRowsBelowUp) {
    TSortGrid& g = form->Gruppe;
    g.SetRowCount(6);
    for (int r = 1; r <= 5; ++r) Put(g, Gruppe_Bez, r, std::string(1, static_cast<char>('A' + r - 1)), true);
    DeleteGridRow(g, 3);
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(Get(g, Gruppe_Bez, 3, true), "D");
    EXPECT_EQ(Get(g, Gruppe_Bez, 4, true), "E");
    g.SetRowCount(6);
    EXPECT_EQ(Get(g, Gruppe_Bez, 5, true), "") << "a row added later starts blank";
}

TEST_F(AccessorsTest, DeleteGridRowOutsideTheDataRowsChangesNothing) {
    TSortGrid& g = form->Gruppe;
    g.SetRowCount(3);
    Put(g, Gruppe_Bez, 1, "A", true);
    Put(g, Gruppe_Bez, 2, "B", true);
    DeleteGridRow(g, 0);
    DeleteGridRow(g, 3);
    DeleteGridRow(g, -1);
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.Cells(Gruppe_Bez, 0), "Gruppe_Bez");
    EXPECT_EQ(Get(g, Gruppe_Bez, 2, true), "B");
}

TEST_F(AccessorsTest, ClearGridBlanksDataAndKeepsTheHeader) {
    TSortGrid& g = form->Spielplan;
    g.SetRowCount(4);
    Put(g, 0, 3, "1", true);
    ClearGrid(g);
    EXPECT_EQ(g.RowCount(), 2);
    g.SetRowCount(4);
    EXPECT_EQ(g.Cells(0, 3), "");
    EXPECT_EQ(g.Cells(0, 0), "Tur_Nr");
}

TEST_F(AccessorsTest, ListAccessWithExactMessages) {
    TListBox& list = form->XATeams;
    list.Items.Add("0");
    EXPECT_EQ(ListGet(list, -1), "");
    EXPECT_EQ(ListGet(list, 1), "");
    ListPut(list, 1, "x");
    TStringList strings;
    EXPECT_EQ(ListGet(strings, 0), "");
    ListPut(static_cast<TStrings&>(strings), 2, "y");
    TComboBox combo;
    combo.Name = "ComboBox1";
    ComboPut(combo, 0, "z");
    EXPECT_EQ(combo.Items.Count(), 0);
    EXPECT_EQ(ComboGet(combo, 0), "");
    EXPECT_EQ(ErrorLines(),
              "[06.12.26 09:05:03] [X] ListGet: Fehler im Befehl ListGet(XATeams,-1)\r\n"
              "[06.12.26 09:05:03] [X] ListGet: Fehler im Befehl ListGet(XATeams,1)\r\n"
              "[06.12.26 09:05:03] [X] ListPut: Fehler im Befehl ListPut(XATeams,1) - Index zu hoch\r\n"
              "[06.12.26 09:05:03] [X] ListGet: Fehler im Befehl ListGet(StringList,0) - Index zu hoch\r\n"
              "[06.12.26 09:05:03] [X] ListPut: Fehler im Befehl ListPut(Strings,2) - Index zu hoch\r\n"
              "[06.12.26 09:05:03] [X] ComboPut: Fehler im Befehl ComboPut(ComboBox1,0) - Index zu hoch\r\n"
              "[06.12.26 09:05:03] [X] ComboGet: Fehler im Befehl ComboGet(ComboBox1,0)\r\n");
    EXPECT_EQ(list.Items.ToVector(), (std::vector<std::string>{"0"}));
}

TEST_F(AccessorsTest, ContainsChecksAreExact) {
    form->XAGruppBez.Items.SetText("\nA\nb");
    EXPECT_TRUE(ItemExists(form->XAGruppBez, "A"));
    EXPECT_FALSE(ItemExists(form->XAGruppBez, "a"));
    TStringList list;
    list.SetText("Müller\nMeier");
    EXPECT_TRUE(StringsContains(list, "Meier"));
    EXPECT_FALSE(StringsContains(list, "meier"));
}

TEST_F(AccessorsTest, ListViewSortKeepsDuplicateCaptions) {
    TListView& view = form->ListView1;
    for (const char* name : {"Zeh", "Abel", "Zeh", "Mayer"}) ListViewAdd(view, name);
    EXPECT_TRUE(ListViewHasCaption(view, "Mayer"));
    ListViewSort(view);
    std::vector<std::string> captions;
    for (const auto& item : view.Items) captions.push_back(item.Caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"Abel", "Mayer", "Zeh", "Zeh"}));
    EXPECT_FALSE(ProgramFileExists("error.log"));
}

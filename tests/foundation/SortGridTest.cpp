#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "foundation/SortGrid.h"

namespace {

// A table like the program's: header row, no fixed column, one key column and a tag column.
struct Table {
    TSortGrid grid;
    Table(std::initializer_list<std::pair<std::string, std::string>> list) {
        std::vector<std::pair<std::string, std::string>> rows(list);
        TStringList header;
        header.Add("Schluessel|Zeile");
        grid.SetItems(header);
        grid.SetFixedCols(0);
        grid.SetRowCount(static_cast<int>(rows.size()) + 1);
        for (size_t i = 0; i < rows.size(); ++i) {
            grid.SetCells(0, static_cast<int>(i) + 1, rows[i].first);
            grid.SetCells(1, static_cast<int>(i) + 1, rows[i].second);
        }
    }
    std::vector<std::string> Column(int c) const {
        std::vector<std::string> out;
        for (int r = 1; r < grid.RowCount(); ++r) out.push_back(grid.Cells(c, r));
        return out;
    }
    void Sort(TSortStyle style, TSortDirection direction, int column = 0) {
        TSortOptions options;
        options.SortStyle = style;
        options.SortDirection = direction;
        grid.SortByColumn(column, options);
    }
};

using Rows = std::vector<std::string>;

}  // namespace

TEST(SortGridSort, EqualKeysKeepTheirOrderInBothDirections) {
    Table t({{"2", "a"}, {"1", "b"}, {"2", "c"}});
    t.Sort(ssNumeric, sdAscending);
    EXPECT_EQ(t.Column(1), (Rows{"b", "a", "c"}));
    Table u({{"2", "a"}, {"1", "b"}, {"2", "c"}});
    u.Sort(ssNumeric, sdDescending);
    EXPECT_EQ(u.Column(1), (Rows{"a", "c", "b"}));
}

// Sorting and exchanging move whole rows: every row counts as changed, not only the table.
TEST(SortGridSort, SortingAndExchangingRowsCountAsChanges) {
    Table t({{"2", "a"}, {"1", "b"}});
    uint64_t before = t.grid.Changes();
    auto everyRowChanged = [](const TSortGrid& grid, uint64_t since) {
        return grid.Changes() != since && grid.RowChanges(1) > since && grid.RowChanges(2) > since;
    };
    t.Sort(ssNumeric, sdAscending);
    EXPECT_TRUE(everyRowChanged(t.grid, before));
    before = t.grid.Changes();
    t.grid.UndoSort();
    EXPECT_TRUE(everyRowChanged(t.grid, before));
    before = t.grid.Changes();
    t.grid.ExchangeRowCells(1, t.grid, 2);
    EXPECT_TRUE(everyRowChanged(t.grid, before));
    Table other({{"9", "z"}, {"8", "y"}});
    before = other.grid.Changes();
    t.grid.ExchangeRowCells(1, other.grid, 1);
    EXPECT_TRUE(everyRowChanged(other.grid, before));
    EXPECT_EQ(other.grid.Cells(1, 1), "b");
}

// The ranking moves a changed row past the rows it overtakes in one go: each place takes the row
// that order names, with the cells beyond the visible columns, and the rows not named stay.
TEST(SortGridSort, ReorderedRowsMoveWholeAndOnlyAsAPermutationOfTheirPlaces) {
    Table t({{"1", "a"}, {"2", "b"}, {"3", "c"}, {"4", "d"}, {"5", "e"}});
    t.grid.SetCells(7, 4, "verborgen");  // beyond ColCount
    t.grid.ReorderRows({2, 3, 4}, {2, 0, 1});
    EXPECT_EQ(t.Column(1), (Rows{"a", "d", "b", "c", "e"}));
    EXPECT_EQ(t.grid.Cells(7, 2), "verborgen");
    EXPECT_EQ(t.grid.Cells(7, 4), "");
    const uint64_t before = t.grid.Changes();
    t.grid.ReorderRows({1, 5}, {0, 1});        // nothing moves
    t.grid.ReorderRows({1, 2}, {0, 0});        // not a permutation
    t.grid.ReorderRows({3, 2}, {1, 0});        // places out of order
    t.grid.ReorderRows({0, 1}, {1, 0});        // the header is no data row
    t.grid.ReorderRows({5, 6}, {1, 0});        // beyond the rows
    t.grid.ReorderRows({1, 2, 3}, {1, 2, 3});  // a place that is not there
    EXPECT_EQ(t.grid.Changes(), before);
    EXPECT_EQ(t.Column(1), (Rows{"a", "d", "b", "c", "e"}));
    EXPECT_EQ(t.grid.Cells(0, 0), "Schluessel");
}

// A changed row moves up or down past the rows it overtakes, only those named, with the cells
// beyond the visible columns; a move to or from a place that is not a data row's moves nothing.
TEST(SortGridSort, RowMovedAmongOthersPassesOnlyThoseBetween) {
    Table t({{"1", "a"}, {"2", "b"}, {"3", "c"}, {"4", "d"}, {"5", "e"}});
    t.grid.SetCells(7, 5, "verborgen");  // beyond ColCount
    t.grid.MoveRowAmong({1, 2, 4, 5}, 3, 0);
    EXPECT_EQ(t.Column(1), (Rows{"e", "a", "c", "b", "d"}));
    EXPECT_EQ(t.grid.Cells(7, 1), "verborgen");
    t.grid.MoveRowAmong({1, 2, 4, 5}, 1, 3);
    EXPECT_EQ(t.Column(1), (Rows{"e", "b", "c", "d", "a"}));
    const uint64_t before = t.grid.Changes();
    t.grid.MoveRowAmong({1, 2}, 1, 1);     // stays
    t.grid.MoveRowAmong({1, 2}, 0, 2);     // a place that is not there
    t.grid.MoveRowAmong({3, 2}, 0, 1);     // places out of order
    t.grid.MoveRowAmong({0, 1}, 0, 1);     // the header is no data row
    t.grid.MoveRowAmong({5, 6}, 1, 0);     // beyond the rows
    EXPECT_EQ(t.grid.Changes(), before);
    EXPECT_EQ(t.Column(1), (Rows{"e", "b", "c", "d", "a"}));
    EXPECT_EQ(t.grid.Cells(0, 0), "Schluessel");
}

TEST(SortGridSort, SortingTwiceOrdersBySecondKeyWithTiesInFirstOrder) {
    Table t({{"B", "2"}, {"A", "1"}, {"B", "1"}, {"A", "2"}});
    t.Sort(ssAlphabetic, sdAscending, 0);
    t.Sort(ssNumeric, sdAscending, 1);
    EXPECT_EQ(t.Column(0), (Rows{"A", "B", "A", "B"}));
    EXPECT_EQ(t.Column(1), (Rows{"1", "1", "2", "2"}));
}

TEST(SortGridSort, AutomaticStyleNeedsEveryCellToConvert) {
    Table t({{"10", "a"}, {"9", "b"}, {"", "c"}});
    EXPECT_EQ(t.grid.DetermineSortStyle(0), ssAlphabetic);
    t.Sort(ssAutomatic, sdAscending);
    EXPECT_EQ(t.Column(0), (Rows{"", "10", "9"}));

    Table n({{"10", "a"}, {"9", "b"}});
    n.Sort(ssAutomatic, sdAscending);
    EXPECT_EQ(n.Column(0), (Rows{"9", "10"}));

    Table d({{"02.01.2026", "a"}, {"31.12.2025", "b"}});
    EXPECT_EQ(d.grid.DetermineSortStyle(0), ssDate);
    d.Sort(ssAutomatic, sdAscending);
    EXPECT_EQ(d.Column(1), (Rows{"b", "a"}));
}

TEST(SortGridSort, NumbersUseTheDecimalComma) {
    Table t({{"1,5", "a"}, {"-2", "b"}, {"1,25", "c"}});
    t.Sort(ssAutomatic, sdAscending);
    EXPECT_EQ(t.Column(1), (Rows{"b", "c", "a"}));
}

TEST(SortGridSort, TextsWithoutNumberComeFirstAndStayStable) {
    // A total order: "x" and "" sort before every number instead of equalling all of them.
    Table t({{"3", "a"}, {"x", "b"}, {"1", "c"}, {"", "d"}, {"2", "e"}});
    t.Sort(ssNumeric, sdAscending);
    EXPECT_EQ(t.Column(1), (Rows{"b", "d", "c", "e", "a"}));
    t.Sort(ssNumeric, sdDescending);
    EXPECT_EQ(t.Column(0), (Rows{"3", "2", "1", "x", ""}));
}

TEST(SortGridSort, CaseRuleAndBytewiseOrder) {
    Table t({{"b", "1"}, {"B", "2"}, {"a", "3"}, {"ab", "4"}, {"A", "5"}});
    t.Sort(ssAlphabetic, sdAscending);
    EXPECT_EQ(t.Column(1), (Rows{"3", "5", "4", "1", "2"}));
    Table s({{"b", "1"}, {"B", "2"}, {"a", "3"}});
    TSortOptions options;
    options.SortStyle = ssAlphabetic;
    options.SortCaseSensitive = true;
    s.grid.SortByColumn(0, options);
    EXPECT_EQ(s.Column(0), (Rows{"B", "a", "b"}));
}

TEST(SortGridSort, CustomCompareGetsUpperCasedTexts) {
    Table t({{"bb", "1"}, {"a", "2"}, {"ccc", "3"}});
    TSortOptions options;
    options.SortStyle = ssCustom;
    std::vector<std::string> seen;
    options.SortCompare = [&](const std::string& a, const std::string& b) {
        seen.push_back(a);
        return static_cast<int>(b.size()) - static_cast<int>(a.size());  // longest first
    };
    t.grid.SortByColumn(0, options);
    EXPECT_EQ(t.Column(0), (Rows{"ccc", "bb", "a"}));
    for (const auto& s : seen) EXPECT_EQ(s.find_first_of("abc"), std::string::npos);
}

TEST(SortGridSort, OneDataRowChangesNothingAndFiresNoEvents) {
    Table t({{"x", "1"}});
    int events = 0;
    t.grid.OnBeginSort = [&](TObject*, int, TSortOptions&) { ++events; };
    t.grid.OnEndSort = [&](TObject*, int) { ++events; };
    t.Sort(ssAutomatic, sdAscending);
    EXPECT_EQ(events, 0);
    EXPECT_FALSE(t.grid.CanUndoSort());
}

TEST(SortGridSort, BeginSortMayChangeTheOptions) {
    Table t({{"1", "a"}, {"2", "b"}});
    int endColumn = -1;
    t.grid.OnBeginSort = [](TObject*, int, TSortOptions& o) { o.SortDirection = sdDescending; };
    t.grid.OnEndSort = [&](TObject*, int column) { endColumn = column; };
    t.Sort(ssNumeric, sdAscending);
    EXPECT_EQ(t.Column(1), (Rows{"b", "a"}));
    EXPECT_EQ(endColumn, 0);
}

TEST(SortGridSort, NoSortWhileTheMouseMovesAColumn) {
    Table t({{"2", "a"}, {"1", "b"}});
    t.grid.GridState = TGridState::gsColMoving;
    t.Sort(ssNumeric, sdAscending);
    EXPECT_EQ(t.Column(1), (Rows{"a", "b"}));
}

TEST(SortGridSort, SelectionFollowsItsRowAndHiddenCellsMoveWithIt) {
    Table t({{"3", "a"}, {"1", "b"}, {"2", "c"}});
    t.grid.SetCells(7, 1, "versteckt");  // beyond ColCount
    t.grid.SetRow(1);
    t.Sort(ssNumeric, sdAscending);
    EXPECT_EQ(t.grid.Row(), 3);
    EXPECT_EQ(t.grid.Cells(7, 3), "versteckt");
}

TEST(SortGridUndo, RestoresTheFormerOrderOnce) {
    Table t({{"3", "a"}, {"1", "b"}, {"2", "c"}});
    t.grid.SetRow(2);
    t.Sort(ssNumeric, sdAscending);
    EXPECT_EQ(t.grid.Row(), 1);
    ASSERT_TRUE(t.grid.CanUndoSort());
    t.grid.UndoSort();
    EXPECT_EQ(t.Column(1), (Rows{"a", "b", "c"}));
    EXPECT_EQ(t.grid.Row(), 2);
    EXPECT_FALSE(t.grid.CanUndoSort());
    t.grid.UndoSort();
    EXPECT_EQ(t.Column(1), (Rows{"a", "b", "c"}));
}

TEST(SortGridUndo, NotPossibleAfterTheRowCountChanged) {
    Table t({{"3", "a"}, {"1", "b"}, {"2", "c"}});
    t.Sort(ssNumeric, sdAscending);
    t.grid.DeleteRow(1);
    EXPECT_FALSE(t.grid.CanUndoSort());
    t.grid.InsertRow(1);
    EXPECT_FALSE(t.grid.CanUndoSort()) << "the list was emptied by the first refusal";
}

TEST(SortGridRows, ClearKeepsHeaderAndCounts) {
    Table t({{"1", "a"}, {"2", "b"}});
    t.grid.SetEditText(0, 1, "neu");
    EXPECT_TRUE(t.grid.Modified());
    t.grid.Clear(false);
    EXPECT_EQ(t.grid.Cells(0, 0), "Schluessel");
    EXPECT_EQ(t.grid.RowCount(), 3);
    EXPECT_EQ(t.Column(0), (Rows{"", ""}));
    EXPECT_FALSE(t.grid.Modified());
    t.grid.Clear(true);
    EXPECT_EQ(t.grid.Cells(0, 0), "");
}

TEST(SortGridRows, InsertDeleteAndEvents) {
    Table t({{"1", "a"}, {"2", "b"}, {"3", "c"}});
    std::vector<std::string> events;
    t.grid.OnRowInsert = [&](TObject*, int i) { events.push_back("ins" + std::to_string(i)); };
    t.grid.OnRowDelete = [&](TObject*, int i) { events.push_back("del" + std::to_string(i)); };
    t.grid.InsertRow(2);
    EXPECT_EQ(t.Column(1), (Rows{"a", "", "b", "c"}));
    t.grid.DeleteRow(1);
    EXPECT_EQ(t.Column(1), (Rows{"", "b", "c"}));
    EXPECT_EQ(events, (Rows{"ins2", "del1"}));
    EXPECT_EQ(t.grid.RowCount(), 4);
    EXPECT_EQ(t.grid.Cells(1, 4), "") << "the row removed at the end leaves no stale cells";
    t.grid.SetRowCount(5);
    EXPECT_EQ(t.grid.Cells(1, 4), "");
}

TEST(SortGridRows, ColumnsInsertDeleteMoveAndSwap) {
    Table t({{"1", "a"}});
    t.grid.InsertColumn(1);
    EXPECT_EQ(t.grid.ColCount(), 3);
    EXPECT_EQ(t.grid.Cells(2, 1), "a");
    t.grid.SwapColumns(0, 2);
    EXPECT_EQ(t.grid.Cells(0, 1), "a");
    EXPECT_EQ(t.grid.Cells(2, 1), "1");
    EXPECT_EQ(t.grid.Cells(2, 0), "Schluessel");
    t.grid.DeleteColumn(1);
    EXPECT_EQ(t.grid.ColCount(), 2);
    EXPECT_EQ(t.grid.Cells(1, 1), "1");
}

TEST(SortGridRows, SwapAndMoveRowsInBothDirections) {
    Table t({{"1", "a"}, {"2", "b"}, {"3", "c"}, {"4", "d"}});
    t.grid.SwapRows(1, 3);
    EXPECT_EQ(t.Column(1), (Rows{"c", "b", "a", "d"}));
    t.grid.SwapRows(4, 2);
    EXPECT_EQ(t.Column(1), (Rows{"c", "d", "a", "b"}));
    t.grid.SwapRows(2, 2);
    t.grid.MoveRow(4, 1);
    EXPECT_EQ(t.Column(1), (Rows{"b", "c", "d", "a"}));
    t.grid.Options |= goEditing;
    t.grid.MoveRow(1, 2);
    EXPECT_TRUE(t.grid.Options & goEditing) << "editing option restored after the move";
}

TEST(SortGridRows, IsCellSearchesColumnByColumn) {
    Table t({{"x", "y"}, {"y", "x"}});
    int c = -1, r = -1;
    ASSERT_TRUE(t.grid.IsCell("x", c, r));
    EXPECT_EQ(c, 0);
    EXPECT_EQ(r, 1);
    ASSERT_TRUE(t.grid.IsCell("Zeile", c, r));
    EXPECT_EQ(c, 1);
    EXPECT_EQ(r, 0);
    EXPECT_FALSE(t.grid.IsCell("z", c, r));
}

TEST(SortGridRows, MoveToClampsToTheDataArea) {
    Table t({{"1", "a"}, {"2", "b"}});
    t.grid.MoveTo(9, -3);
    EXPECT_EQ(t.grid.Col(), 1);
    EXPECT_EQ(t.grid.Row(), 1);
}

TEST(SortGridLoad, SingleLineWithTrailingDelimiters) {
    TSortGrid grid;
    TStringList lines;
    lines.Add("a|b||");
    grid.LoadFromStrings(lines, '|');
    EXPECT_EQ(grid.RowCount(), grid.FixedRows() + 1);
    EXPECT_EQ(grid.ColCount(), 4);
    EXPECT_EQ(grid.Cells(1, 0), "b");
}

TEST(SortGridLoad, ColumnCountIsTheWidestLine) {
    TSortGrid grid;
    grid.SetColCount(9);
    TStringList lines;
    lines.SetText("a|b|c\r\n\r\nd");
    grid.LoadFromStrings(lines, '|');
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.ColCount(), 3);
    EXPECT_EQ(grid.Cells(0, 1), "");
    EXPECT_EQ(grid.Cells(0, 2), "d");
    EXPECT_EQ(grid.Cells(1, 2), "");
}

TEST(SortGridLoad, LoadingOverHiddenCellsLeavesNothingBehind) {
    TSortGrid grid;
    grid.SetCells(3, 2, "alt");
    TStringList lines;
    lines.SetText("a\r\nb\r\nc|d|e|f");
    grid.LoadFromStrings(lines, '|');
    EXPECT_EQ(grid.Cells(3, 2), "f");
    lines.SetText("a\r\nb\r\nc");
    grid.LoadFromStrings(lines, '|');
    grid.SetColCount(4);
    EXPECT_EQ(grid.Cells(3, 2), "");
}

TEST(SortGridLoad, ItemsGiveTheHeaderRow) {
    TSortGrid grid;
    TStringList items;
    items.Add("Nr|Name|Punkte");
    grid.SetItems(items);
    EXPECT_EQ(grid.ColCount(), 3);
    EXPECT_EQ(grid.Cells(2, 0), "Punkte");
    EXPECT_EQ(grid.Items().Count(), 1);
}

class SortGridFileTest : public ProgramTest {};

TEST_F(SortGridFileTest, SaveAndLoadRoundTrip) {
    Table t({{"Müller", "1"}, {"", ""}, {"Ähre", "3"}});
    ASSERT_TRUE(t.grid.SaveToFile(folder + "t.txt", ';'));
    EXPECT_EQ(ReadProgramFile("t.txt"), "Schluessel;Zeile\r\nMüller;1\r\n;\r\nÄhre;3\r\n");
    TSortGrid copy;
    ASSERT_TRUE(copy.LoadFromFile(folder + "t.txt", ';'));
    TStringList a, b;
    t.grid.SaveToStrings(a, ';');
    copy.SaveToStrings(b, ';');
    EXPECT_EQ(a.ToVector(), b.ToVector());
    EXPECT_FALSE(copy.LoadFromFile(folder + "fehlt.txt", ';'));
}

TEST(SortGridInput, ClickOnHeaderSortsShiftDescending) {
    Table t({{"2", "a"}, {"10", "b"}, {"1", "c"}});
    t.grid.MouseUp(TMouseButton::mbLeft, 0, 5, 5);
    EXPECT_EQ(t.Column(0), (Rows{"1", "2", "10"}));
    t.grid.MouseUp(TMouseButton::mbLeft, ssShift, 5, 5);
    EXPECT_EQ(t.Column(0), (Rows{"10", "2", "1"}));
    t.grid.MouseUp(TMouseButton::mbLeft, 0, 5, 30);  // a data cell
    EXPECT_EQ(t.Column(0), (Rows{"10", "2", "1"}));
    t.grid.ClickSorting = false;
    t.grid.MouseUp(TMouseButton::mbLeft, 0, 5, 5);
    EXPECT_EQ(t.Column(0), (Rows{"10", "2", "1"}));
    EXPECT_EQ(Screen().Cursor, TCursor::crDefault);
}

TEST(SortGridInput, ExtendedKeysInsertAndDeleteButKeepOneDataRow) {
    Table t({{"1", "a"}});
    unsigned short key = VK_DELETE;
    t.grid.KeyDown(key, ssCtrl);
    EXPECT_EQ(t.grid.RowCount(), 2) << "off by default";
    t.grid.ExtendedKeys = true;
    key = VK_DELETE;
    t.grid.KeyDown(key, ssCtrl);
    EXPECT_EQ(t.grid.RowCount(), 2) << "last data row stays";
    key = VK_INSERT;
    t.grid.KeyDown(key, ssCtrl);
    EXPECT_EQ(t.grid.RowCount(), 3);
    key = VK_INSERT;
    t.grid.KeyDown(key, ssCtrl | ssShift);
    EXPECT_EQ(t.grid.ColCount(), 3);
}

TEST(SortGridInput, ValidationRestoresRefusedTextAndModifiedFlag) {
    Table t({{"1", "a"}});
    t.grid.SetRow(1);
    t.grid.SetCol(0);
    t.grid.DoEnter();
    t.grid.OnCellValidate = [](TObject*, int, int, std::string& value, bool& valid) { valid = value != "falsch"; };
    t.grid.SetEditText(0, 1, "falsch");
    unsigned short key = VK_RETURN;
    t.grid.KeyDown(key, 0);
    EXPECT_EQ(t.grid.Cells(0, 1), "1");
    EXPECT_FALSE(t.grid.Modified());

    t.grid.OnCellValidate = [](TObject*, int, int, std::string& value, bool&) { value += "!"; };
    t.grid.SetEditText(0, 1, "gut");
    t.grid.DoExit();
    EXPECT_EQ(t.grid.Cells(0, 1), "gut!");
    EXPECT_TRUE(t.grid.Modified());
}

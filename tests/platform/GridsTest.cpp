#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/Grids.h"

TEST(StringGrid, CellsBeyondTheCountsAreKeptUntilTheCountDrops) {
    TStringGrid grid;
    grid.SetRowCount(2);
    grid.SetCells(1, 7, "versteckt");
    grid.SetCells(4, 1, "rechts");
    EXPECT_EQ(grid.Cells(1, 7), "versteckt");
    EXPECT_EQ(grid.RowCount(), 2);
    grid.SetRowCount(8);
    EXPECT_EQ(grid.Cells(1, 7), "versteckt");
    grid.SetRowCount(3);
    grid.SetRowCount(8);
    EXPECT_EQ(grid.Cells(1, 7), "") << "a row cut off stays gone";
    grid.SetColCount(3);
    grid.SetColCount(10);
    EXPECT_EQ(grid.Cells(4, 1), "");
}

TEST(StringGrid, NegativeIndexReadsEmptyAndRefusesWrites) {
    TStringGrid grid;
    EXPECT_EQ(grid.Cells(-1, 0), "");
    EXPECT_EQ(grid.Cells(0, -1), "");
    EXPECT_THROW(grid.SetCells(-1, 0, "x"), std::out_of_range);
}

TEST(StringGrid, RowCountNeverDropsToTheFixedRows) {
    TStringGrid grid;
    grid.SetRowCount(0);
    EXPECT_EQ(grid.RowCount(), grid.FixedRows() + 1);
}

TEST(StringGrid, RowsAndColsAsLists) {
    TStringGrid grid;
    grid.SetColCount(3);
    TStringList header;
    header.SetText("a\rb");
    grid.SetCells(2, 0, "alt");
    grid.SetRows(0, header);
    EXPECT_EQ(grid.Rows(0).ToVector(), (std::vector<std::string>{"a", "b", ""}));
    // A list of its own takes the row the same way, whatever it held before.
    grid.SetCells(5, 0, "versteckt");
    TStringList row;
    row.SetText("1\n2\n3\n4\n5");
    const auto before = row.Changes();
    grid.RowTo(0, row);
    EXPECT_EQ(row.ToVector(), (std::vector<std::string>{"a", "b", ""}));
    EXPECT_NE(row.Changes(), before);
    grid.SetCells(0, 4, "x");
    EXPECT_EQ(grid.Cols(0).Count(), grid.RowCount());
}

TEST(StringGrid, DeleteAndMoveTakeHiddenCellsAlong) {
    TStringGrid grid;
    grid.SetRowCount(4);
    grid.SetCells(9, 1, "h1");
    grid.SetCells(0, 2, "r2");
    grid.DeleteRow(1);
    EXPECT_EQ(grid.Cells(0, 1), "r2");
    EXPECT_EQ(grid.Cells(4, 1), "");
    EXPECT_EQ(grid.RowCount(), 3);
    grid.SetRowCount(4);
    EXPECT_EQ(grid.Cells(9, 3), "") << "the deleted row does not come back";
}

// The last row of a fresh grid was never written: deleting it must not reach past the cells.
TEST(StringGrid, LastRowNeverWrittenCanBeDeleted) {
    TStringGrid grid;
    grid.SetRowCount(6);
    grid.SetCells(0, 1, "r1");
    grid.DeleteRow(5);
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(grid.Cells(0, 1), "r1");
}

// Result processing relies on the count to know that nothing else touched a table since.
TEST(StringGrid, EveryChangeOfCellsRowsOrColumnsIsCounted) {
    TStringGrid grid;
    auto changes = [&grid, last = grid.Changes()]() mutable {
        const bool changed = grid.Changes() != last;
        last = grid.Changes();
        return changed;
    };
    grid.SetCells(1, 1, "a");
    EXPECT_TRUE(changes());
    grid.SetCells(1, 1, "a");
    EXPECT_TRUE(changes()) << "a write counts even with the same text";
    grid.SetCells(2, 2, "");
    EXPECT_FALSE(changes()) << "an empty cell written empty stays as it was";
    EXPECT_EQ(grid.Cells(1, 1), "a");
    EXPECT_FALSE(changes()) << "reading changes nothing";
    grid.MoveRow(1, 3);
    EXPECT_TRUE(changes());
    grid.MoveColumn(1, 2);
    EXPECT_TRUE(changes());
    grid.SetRowCount(grid.RowCount() + 1);
    EXPECT_TRUE(changes());
    grid.SetColCount(grid.ColCount() + 1);
    EXPECT_TRUE(changes());
    grid.DeleteRow(1);
    EXPECT_TRUE(changes());
    grid.MoveRow(2, 2);
    EXPECT_FALSE(changes());
}

// The plans rebuild only rows whose count went up: a row written, cut off, or moved (every row
// counts as moved then) must say so, and a row not touched must not.
TEST(StringGrid, RowCountsTellWhichRowsMayHoldOtherCells) {
    TStringGrid grid;
    grid.SetRowCount(6);
    for (int r = 1; r < 6; ++r) grid.SetCells(1, r, "Zeile " + std::to_string(r));
    std::uint64_t seen = grid.Changes();
    auto changedRows = [&] {
        std::vector<int> rows;
        for (int r = 0; r < 8; ++r)
            if (grid.RowChanges(r) > seen) rows.push_back(r);
        seen = grid.Changes();
        return rows;
    };
    grid.SetCells(3, 2, "neu");
    grid.SetCells(0, 4, "");  // an empty cell written empty
    grid.SetCells(0, 7, "unter der letzten Zeile");
    EXPECT_EQ(changedRows(), (std::vector<int>{2, 7}));
    EXPECT_TRUE(changedRows().empty()) << "reading changes nothing";

    grid.SetRowCount(4);
    EXPECT_EQ(changedRows(), (std::vector<int>{4, 5})) << "the rows cut off lost their cells, row 7 was not shown";
    grid.SetRowCount(6);
    EXPECT_TRUE(changedRows().empty()) << "growing brings back empty rows only";

    const std::vector<std::function<void()>> moves{[&] { grid.MoveRow(1, 3); }, [&] { grid.MoveColumn(1, 2); },
                                                   [&] { grid.DeleteRow(2); }, [&] { grid.SetColCount(2); }};
    for (const auto& move : moves) {
        move();
        EXPECT_EQ(changedRows().size(), 8u) << "after a move no row is what it was";
    }
}

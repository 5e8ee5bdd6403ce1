#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "foundation/Accessors.h"
#include "foundation/Conversions.h"
#include "foundation/SortGrid.h"

namespace {

constexpr int kText = 1, kNumber = 2, kOther = 3;

// Texts of few kinds, so that keys repeat: numbers written in several ways, small and large,
// blanks, words.
std::string RandomCell(std::mt19937& rng) {
    static const char* const kinds[] = {"", "1", "2", "3", "07", "7", " 7", "x", "12", "-2", "$A", "0", "00", "5000", "123456789", "1234567890"};
    return kinds[rng() % std::size(kinds)];
}

int FirstRowByReading(const TSortGrid& grid, int column, const std::string& text) {
    for (int r = 1; r < grid.RowCount(); ++r)
        if (grid.Cells(column, r) == text) return r;
    return 0;
}

std::vector<int> RowsByReading(const TSortGrid& grid, int column, int number) {
    std::vector<int> rows;
    for (int r = 1; r < grid.RowCount(); ++r)
        if (IntGet(grid, column, r, false) == number) rows.push_back(r);
    return rows;
}

// Some data rows in ascending order and a shuffle of their places; now and then one that is no
// permutation, which moves nothing.
void Reorder(std::mt19937& rng, TSortGrid& grid) {
    std::vector<int> rows;
    for (int r = 1; r < grid.RowCount(); ++r)
        if (rng() % 3 == 0) rows.push_back(r);
    std::vector<int> order(rows.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::shuffle(order.begin(), order.end(), rng);
    if (!order.empty() && rng() % 8 == 0) order.back() = order.front();
    grid.ReorderRows(rows, order);
}

// One row of some data rows moved up or down among them, as the ranking moves a changed row;
// now and then to a place that is not there, which moves nothing.
void MoveAmong(std::mt19937& rng, TSortGrid& grid) {
    std::vector<int> rows;
    for (int r = 1; r < grid.RowCount(); ++r)
        if (rng() % 2 == 0) rows.push_back(r);
    if (rows.empty()) return;
    const size_t from = rng() % rows.size(), to = rng() % (rows.size() + (rng() % 8 == 0 ? 2 : 0));
    grid.MoveRowAmong(rows, from, to);
}

// One of the ways the program changes a table: cells of the looked-up columns or of another one,
// rows exchanged or reordered (the ranking) within the table, exchanged with another table,
// moved, sorted, inserted, deleted, the row count changed.
void Change(std::mt19937& rng, TSortGrid& grid, TSortGrid& other) {
    const auto row = [&] { return 1 + static_cast<int>(rng() % static_cast<unsigned>(grid.RowCount() - 1)); };
    switch (rng() % 15) {
        case 14: MoveAmong(rng, grid); break;
        case 0: grid.SetCells(kText, row(), RandomCell(rng)); break;
        case 1: grid.SetCells(kNumber, row(), RandomCell(rng)); break;
        case 2: grid.SetCells(kOther, row(), RandomCell(rng)); break;
        case 3:
        case 4:
        case 5: grid.ExchangeRowCells(row(), grid, row()); break;
        case 12:
        case 13: Reorder(rng, grid); break;
        case 6: grid.ExchangeRowCells(row(), other, 1 + static_cast<int>(rng() % 3)); break;
        case 7: grid.MoveRow(row(), row()); break;
        case 8: sortGrid(grid, rng() % 2 ? kText : kNumber, rng() % 2 == 0); break;
        case 9: grid.InsertRow(row()); break;
        case 10:
            if (grid.RowCount() > 3) grid.DeleteRow(row());
            break;
        default: grid.SetRowCount(std::max(2, grid.RowCount() + static_cast<int>(rng() % 5) - 2)); break;
    }
}

void Fill(std::mt19937& rng, TSortGrid& grid, int rows) {
    grid.SetColCount(4);
    grid.SetRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r)
        for (int c : {kText, kNumber, kOther}) grid.SetCells(c, r, RandomCell(rng));
}

}  // namespace

// Whatever changed the table, a lookup finds what reading the column row by row finds: after
// changes, between them, and looked up again and again with nothing changed.
TEST(ColumnIndexTest, LookupsFindWhatReadingTheColumnFinds) {
    std::mt19937 rng(31);
    for (int t = 0; t < 40; ++t) {
        TSortGrid grid, other;
        Fill(rng, grid, 5 + static_cast<int>(rng() % 40));
        Fill(rng, other, 3);
        for (int step = 0; step < 300; ++step) {
            if (rng() % 3 == 0) Change(rng, grid, other);
            const std::string text = RandomCell(rng);
            const int number = ToInt(RandomCell(rng));
            for (int again = 0; again < 3; ++again) {
                ASSERT_EQ(FindRow(grid, kText, text), FirstRowByReading(grid, kText, text))
                    << "Tabelle " << t << ", Schritt " << step << ", Text \"" << text << "\"";
                ASSERT_EQ(RowsWithNumber(grid, kNumber, number), RowsByReading(grid, kNumber, number))
                    << "Tabelle " << t << ", Schritt " << step << ", Zahl " << number;
            }
        }
    }
}

// The standings' participant numbers: every row has a key of its own. Reordered and moved
// again and again, every key is found where its row went; once a key stands in two rows, the lookups
// follow both.
TEST(ColumnIndexTest, ReorderedRowsWithKeysOfTheirOwnAreFollowed) {
    std::mt19937 rng(7);
    TSortGrid grid;
    grid.SetColCount(4);
    grid.SetRowCount(41);
    for (int r = 1; r <= 40; ++r) grid.SetCells(kText, r, IntToStr(100 + r));
    for (const bool twice : {false, true}) {
        if (twice) grid.SetCells(kText, 40, grid.Cells(kText, 3));
        for (int step = 0; step < 200; ++step) {
            if (step % 2 == 0)
                Reorder(rng, grid);
            else
                MoveAmong(rng, grid);
            for (int key = 101; key <= 140; ++key)
                ASSERT_EQ(FindRow(grid, kText, IntToStr(key)), FirstRowByReading(grid, kText, IntToStr(key)))
                    << (twice ? "doppelt, " : "") << "Schritt " << step << ", Schlüssel " << key;
        }
    }
}

// The ranking exchanges rows by the hundred after a result: the lookups follow them, also for
// keys that several rows share, and a row exchanged with itself changes nothing.
TEST(ColumnIndexTest, ExchangedRowsAreFollowed) {
    TSortGrid grid;
    grid.SetColCount(4);
    grid.SetRowCount(7);
    const char* const texts[] = {"", "5", "3", "5", "9", "1", "3"};
    for (int r = 1; r <= 6; ++r) {
        grid.SetCells(kText, r, texts[r]);
        grid.SetCells(kNumber, r, r <= 3 ? "1" : "2");
    }
    ASSERT_EQ(FindRow(grid, kText, "3"), 2);
    ASSERT_EQ(FindRow(grid, kText, "3"), 2);
    ASSERT_EQ(RowsWithNumber(grid, kNumber, 2), (std::vector<int>{4, 5, 6}));
    ASSERT_EQ(RowsWithNumber(grid, kNumber, 2), (std::vector<int>{4, 5, 6}));
    grid.ExchangeRowCells(2, grid, 6);  // both "3"
    grid.ExchangeRowCells(1, grid, 4);
    grid.ExchangeRowCells(5, grid, 5);
    // Now "9" "3" "5" "5" "1" "3", numbers 2 2 1 1 2 1.
    EXPECT_EQ(FindRow(grid, kText, "3"), 2);
    EXPECT_EQ(FindRow(grid, kText, "5"), 3);
    EXPECT_EQ(FindRow(grid, kText, "9"), 1);
    EXPECT_EQ(RowsWithNumber(grid, kNumber, 1), (std::vector<int>{3, 4, 6}));
    EXPECT_EQ(RowsWithNumber(grid, kNumber, 2), (std::vector<int>{1, 2, 5}));
    EXPECT_EQ(RowsWithNumber(grid, kNumber, 3), (std::vector<int>{}));
    EXPECT_EQ(FindRow(grid, kText, "4"), 0);
}

// Moving rows among themselves leaves what a column holds: the content count stays, the count
// of rows and places moves.
TEST(ColumnIndexTest, ColumnCountsTellWhatChanged) {
    TSortGrid grid;
    grid.SetRowCount(4);
    grid.SetCells(kText, 1, "a");
    grid.SetCells(kText, 2, "b");
    const auto changes = grid.ColumnChanges(kText), content = grid.ColumnContentChanges(kText);
    const auto otherColumn = grid.ColumnChanges(kOther);
    grid.SetCells(kNumber, 1, "1");
    EXPECT_EQ(grid.ColumnChanges(kText), changes);
    grid.ExchangeRowCells(1, grid, 2);
    EXPECT_NE(grid.ColumnChanges(kText), changes);
    EXPECT_EQ(grid.ColumnContentChanges(kText), content);
    EXPECT_NE(grid.ColumnChanges(kOther), otherColumn);
    grid.SetRowCount(5);
    EXPECT_NE(grid.ColumnContentChanges(kText), content);
}

#include <gtest/gtest.h>

#include "components/Aligrid.h"

namespace {

struct Grid : TStringAlignGrid {
    Grid() {
        SetColCount(5);
        SetRowCount(8);
    }
};

TFont FontNamed(const std::string& name, int points) {
    TFont f;
    f.Name = name;
    f.SetSize(points);
    return f;
}

}  // namespace

TEST(AligridLookup, CellBeatsColumnBeatsRowBeatsGrid) {
    Grid g;
    g.SetAlign(alRight);
    EXPECT_EQ(g.GetAlignCell(2, 3), alRight);
    g.SetAlignRow(3, alCenter);
    EXPECT_EQ(g.GetAlignCell(2, 3), alCenter);
    g.SetAlignCol(2, alLeft);
    EXPECT_EQ(g.GetAlignCell(2, 3), alLeft);
    g.SetAlignCell(2, 3, alCenter);
    EXPECT_EQ(g.GetAlignCell(2, 3), alCenter);
    g.ResetAlignCell(2, 3);
    EXPECT_EQ(g.GetAlignCell(2, 3), alLeft);
}

TEST(AligridLookup, HeaderCellsUseOnlyTheFixedStores) {
    Grid g;
    g.SetAlignCol(2, alRight);
    g.SetColorCol(2, clYellow);
    g.GetFontCol(2).SetName("Arial");
    EXPECT_EQ(g.GetAlignCell(2, 0), alLeft) << "a header cell never takes the data column's alignment";
    EXPECT_EQ(g.GetColorCell(2, 0), g.FixedColor());
    EXPECT_EQ(g.GetFontCellComplete(2, 0).Name, g.Font.Name);
    g.SetFixAlignRow(0, alCenter);
    EXPECT_EQ(g.GetAlignCell(2, 0), alCenter);
    g.SetFixAlignCol(2, alRight);
    EXPECT_EQ(g.GetAlignCell(2, 0), alRight);
    EXPECT_EQ(g.GetAlignCell(2, 1), alRight);
    g.SetFixColorRow(0, clAqua);
    EXPECT_EQ(g.GetColorCell(2, 0), clAqua);
    EXPECT_EQ(g.GetFixColorRow(0), clAqua);
    g.SetFixAlignCol(0, alCenter);
    EXPECT_EQ(g.GetAlignCell(0, 4), alCenter) << "the fixed column's data rows are fixed cells too";
}

TEST(AligridLookup, EditPermissionFallsBackToEditableOnlyForCells) {
    Grid g;
    g.Editable = false;
    EXPECT_TRUE(g.GetEditCol(3));
    EXPECT_FALSE(g.GetEditCell(3, 2));
    g.SetEditRow(2, true);
    EXPECT_TRUE(g.GetEditCell(3, 2));
    g.SetEditCol(3, false);
    EXPECT_FALSE(g.GetEditCell(3, 2));
    g.SetEditCell(3, 2, true);
    EXPECT_TRUE(g.GetEditCell(3, 2));
}

TEST(AligridLookup, SelectionColoursAndHints) {
    Grid g;
    EXPECT_EQ(g.GetSelColorCell(1, 1), clActiveCaption);
    EXPECT_EQ(g.GetSelFontColorCell(1, 1), clWhite);
    EXPECT_EQ(g.GetSelColorCol(1), g.Color) << "a single store falls back to the grid colour";
    g.SetSelColorRow(1, clRed);
    g.SetSelFontColorCol(1, clBlue);
    EXPECT_EQ(g.GetSelColorCell(1, 1), clRed);
    EXPECT_EQ(g.GetSelFontColorCell(1, 1), clBlue);
    EXPECT_EQ(g.GetHintCell(2, 3), "");
    const int repaints = g.Invalidations();
    g.SetHintCell(2, 3, "Spiel läuft");
    EXPECT_EQ(g.Invalidations(), repaints) << "a hint does not repaint";
    g.ResetAllCell(2, 3);
    EXPECT_EQ(g.GetHintCell(2, 3), "Spiel läuft");
}

TEST(AligridFonts, GetMakesASnapshotOfTheGridFont) {
    Grid g;
    g.Font = FontNamed("Arial", 10);
    TMyFont& row = g.GetFontRow(4);
    EXPECT_EQ(row.Font().Name, "Arial");
    EXPECT_TRUE(row.IsChanged()) << "copying a font that differs from a fresh one changes it";
    g.Font = FontNamed("Courier", 12);
    EXPECT_EQ(g.GetFontRow(4).Font().Name, "Arial");
    EXPECT_EQ(&g.GetFontRow(4), &row);
    const int repaints = g.Invalidations();
    row.SetColor(clRed);
    EXPECT_GT(g.Invalidations(), repaints) << "each change of a place's font repaints";
    EXPECT_EQ(g.GetFontCellComplete(1, 4).Color, clRed);
    g.ResetFontRow(4);
    EXPECT_EQ(g.GetFontCellComplete(1, 4).Name, "Courier");
}

TEST(AligridFonts, FreshCopyOfADefaultFontStaysUnchanged) {
    Grid g;
    EXPECT_FALSE(g.GetFontCell(1, 1).IsChanged());
    g.SetFontCell(2, 2, TFont{});
    EXPECT_TRUE(g.GetFontCell(2, 2).IsChanged()) << "Set raises the flag itself";
}

TEST(AligridColours, GetColourCreatesNothingAndSetMakesTheBrush) {
    Grid g;
    g.Color = clWhite;
    EXPECT_EQ(g.GetColorCol(2), clWhite);
    g.Color = clSilver;
    EXPECT_EQ(g.GetColorCell(2, 3), clSilver) << "no brush was made by the read";
    g.SetColorCol(2, clLime);
    EXPECT_EQ(g.GetColorCell(2, 3), clLime);
    EXPECT_EQ(g.GetBrushCol(2).Brush().Style, TBrushStyle::bsSolid);
    g.SetColorCell(2, 3, clRed);
    EXPECT_EQ(g.GetColorCell(2, 3), clRed);
    g.ResetColorCell(2, 3);
    EXPECT_EQ(g.GetColorCell(2, 3), clLime);
    g.SetFixedColor(clGray);
    EXPECT_EQ(g.GetColorCell(0, 0), clGray);
    EXPECT_EQ(g.FixedColor(), clGray);
}

TEST(AligridStoresFailure, NegativeIndexIsRefusedAndNothingStored) {
    Grid g;
    EXPECT_THROW(g.SetAlignCol(-1, alRight), std::out_of_range);
    EXPECT_THROW(g.SetAlignCell(1, -2, alRight), std::out_of_range);
    EXPECT_THROW(g.SetFontRow(-3, TFont{}), std::out_of_range);
    EXPECT_THROW(g.GetBrushCell(-1, 0), std::out_of_range);
    EXPECT_THROW(g.SetHintCell(-1, -1, "x"), std::out_of_range);
    EXPECT_NO_THROW(g.ResetAlignCol(-1));
    EXPECT_NO_THROW(g.ResetFontCell(-1, 4));
    EXPECT_EQ(g.GetAlignCol(-1), alLeft);
    EXPECT_EQ(g.GetAlignCell(1, 1), alLeft);
}

TEST(AligridStoresFailure, HugeIndexCostsOneEntry) {
    Grid g;
    g.SetAlignCell(2'000'000'000, 2'000'000'000, alRight);
    EXPECT_EQ(g.GetAlignCell(2'000'000'000, 2'000'000'000), alRight);
    g.InsertRow(1);  // the entry at the largest index moves up and cannot overflow
    g.InsertCol(1);
}

TEST(AligridShape, RemoveAndInsertRowsCarryTheAttributes) {
    Grid g;
    g.SetAlignRow(5, alCenter);
    g.SetCells(1, 5, "fünf");
    g.RemoveRow(3);
    EXPECT_EQ(g.GetAlignRow(4), alCenter);
    EXPECT_EQ(g.GetAlignRow(5), alLeft);
    EXPECT_EQ(g.Cells(1, 4), "fünf");
    EXPECT_EQ(g.RowCount(), 7);
    g.InsertRow(2);
    EXPECT_EQ(g.GetAlignRow(5), alCenter);
    EXPECT_EQ(g.Cells(1, 5), "fünf");
    EXPECT_EQ(g.Cells(1, 2), "");
    EXPECT_EQ(g.RowCount(), 8);
}

TEST(AligridShape, CellStoresFollowRowAndColumnChanges) {
    Grid g;
    g.SetColorCell(3, 4, clRed);
    g.SetHintCell(3, 4, "Hinweis");
    g.RemoveCol(2);
    EXPECT_EQ(g.GetColorCell(2, 4), clRed);
    EXPECT_EQ(g.GetHintCell(2, 4), "Hinweis");
    g.InsertRow(1);
    EXPECT_EQ(g.GetHintCell(2, 5), "Hinweis");
    g.ExchangeRow(5, 1);
    EXPECT_EQ(g.GetHintCell(2, 1), "Hinweis");
    EXPECT_EQ(g.GetHintCell(2, 5), "");
    g.ExchangeCol(2, 3);
    EXPECT_EQ(g.GetColorCell(3, 1), clRed);
    g.MoveRow(1, 3);
    EXPECT_EQ(g.GetColorCell(3, 3), clRed);
    g.MoveColumn(3, 1);
    EXPECT_EQ(g.GetColorCell(1, 3), clRed);
}

TEST(AligridShape, RemoveOutsideTheDataAreaChangesNothing) {
    Grid g;
    g.SetAlignCol(0, alRight);
    g.SetCells(4, 1, "letzte");
    g.RemoveCol(0);
    g.RemoveCol(g.ColCount());
    g.RemoveRow(0);
    EXPECT_EQ(g.ColCount(), 5);
    EXPECT_EQ(g.GetAlignCol(0), alRight);
    EXPECT_EQ(g.Cells(4, 1), "letzte");
    g.InsertCol(0);  // raised to the first data column
    EXPECT_EQ(g.GetAlignCol(0), alRight);
    EXPECT_EQ(g.Cells(5, 1), "letzte");
    EXPECT_EQ(g.Cells(1, 1), "");
}

TEST(AligridShape, RemovedColumnTextsDoNotComeBack) {
    Grid g;
    g.SetCells(2, 1, "weg");
    g.SetCells(4, 1, "bleibt");
    g.RemoveCol(2);
    EXPECT_EQ(g.Cells(3, 1), "bleibt");
    g.SetColCount(5);
    EXPECT_EQ(g.Cells(4, 1), "");
}

TEST(AligridSort, ByteOrderWithAttributesMovingAlong) {
    Grid g;
    g.SetRowCount(4);
    g.SetCells(0, 1, "b");
    g.SetCells(0, 2, "a");
    g.SetCells(0, 3, "B");
    g.SetColorRow(1, clRed);
    g.GetFontCell(0, 3).SetStyle(fsBold);
    g.SortColumn(0, true);
    EXPECT_EQ(g.Cells(0, 1), "B");
    EXPECT_EQ(g.Cells(0, 2), "a");
    EXPECT_EQ(g.Cells(0, 3), "b");
    EXPECT_EQ(g.GetColorCell(1, 3), clRed);
    EXPECT_TRUE(g.GetFontCellComplete(0, 1).Has(fsBold));
    g.SortColumn(0, false);
    EXPECT_EQ(g.Cells(0, 1), "b");
}

TEST(AligridSort, IntegerComparersAndMissingComparer) {
    Grid g;
    g.SetRowCount(4);
    g.SetCells(1, 1, "10");
    g.SetCells(1, 2, "9");
    g.SetCells(1, 3, "x");
    g.OnCompareCol = [&g](TObject* s, int c, int a, int b) { return g.CompareColInteger(s, c, a, b); };
    g.SortColumn(1, true);
    EXPECT_EQ(g.Cells(1, 1), "x");
    EXPECT_EQ(g.Cells(1, 3), "10");
    g.OnCompareRow = nullptr;
    g.SetCells(1, 1, "z");
    g.SortRow(1, true);
    EXPECT_EQ(g.Cells(1, 1), "z");
}

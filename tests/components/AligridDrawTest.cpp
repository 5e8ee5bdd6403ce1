#include <gtest/gtest.h>

#include <filesystem>

#include "components/Aligrid.h"
#include "platform/Png.h"

namespace {

// A grid in the test face: a character is a box of 4 x 8 pixels in a cell 12 high, advance 6.
struct DrawnGrid : TStringAlignGrid {
    DrawnGrid() {
        Font.Name = kTestFontName;
        Font.Height = -12;
        Font.Color = clBlack;
        Color = clWhite;
        SetColCount(3);
        SetRowCount(3);
        DefaultColWidth = 60;
        DefaultRowHeight = 40;
        DrawSelection = false;
    }
    TBitmap Paint() {
        TBitmap b(200, 130);
        PaintTo(b.Canvas());
        return b;
    }
};

// The first column of the cell with ink (black) in the row y, -1 for none.
int FirstInk(const TBitmap& b, const TRect& cell, int y) {
    for (int x = cell.left; x < cell.right; ++x)
        if (b.Pixel(x, y) == clBlack) return x;
    return -1;
}

}  // namespace

TEST(AligridDrawing, AlignmentsPlaceTheTextInTheCell) {
    DrawnGrid g;
    g.SetCells(1, 1, "ab");  // 12 pixels wide
    g.SetCells(2, 1, "ab");
    g.SetCells(1, 2, "ab");
    g.SetAlignCell(2, 1, alRight);
    g.SetAlignCell(1, 2, alCenter);
    const TBitmap b = g.Paint();
    const int y = g.CellRect(1, 1).top + 2 + 1;  // first row of ink
    EXPECT_EQ(FirstInk(b, g.CellRect(1, 1), y), g.CellRect(1, 1).left + 2);
    EXPECT_EQ(FirstInk(b, g.CellRect(2, 1), y), g.CellRect(2, 1).right - 12 - 2);
    const TRect centred = g.CellRect(1, 2);
    EXPECT_EQ(FirstInk(b, centred, centred.top + 3), centred.left + (60 - 12) / 2);
}

TEST(AligridDrawing, CarriageReturnsBreakLinesAndLineFeedsAfterThemVanish) {
    DrawnGrid g;
    g.SetCells(1, 1, "a\r\nb");
    g.SetCells(2, 1, "a\rb");
    const TBitmap b = g.Paint();
    for (int col : {1, 2}) {
        const TRect cell = g.CellRect(col, 1);
        EXPECT_EQ(FirstInk(b, cell, cell.top + 3), cell.left + 2) << col;
        EXPECT_EQ(FirstInk(b, cell, cell.top + 3 + 12), cell.left + 2) << "second line 12 pixels lower";
        EXPECT_EQ(FirstInk(b, cell, cell.top + 3 + 9), -1) << "gap between the lines";
    }
    int width = 0, height = 0;
    g.CalcTextSize(1, 1, width, height);
    EXPECT_EQ(width, 6 + 4);
    EXPECT_EQ(height, 24);
    g.CalcTextSize(1, 2, width, height);
    EXPECT_EQ(width, 0) << "an empty cell measures nothing";
    EXPECT_EQ(height, 12);
}

TEST(AligridDrawing, SelectedCellsTakeTheSelectionColours) {
    DrawnGrid g;
    g.DrawSelection = true;
    g.SetCells(2, 2, "x");
    g.Selection = TGridRect{2, 2, 2, 2};
    g.SetSelColorCell(2, 2, clYellow);
    g.SetSelFontColorCell(2, 2, clRed);
    TBitmap b = g.Paint();
    const TRect cell = g.CellRect(2, 2);
    EXPECT_EQ(b.Pixel(cell.right - 3, cell.bottom - 3), clYellow);
    EXPECT_EQ(b.Pixel(cell.left + 3, cell.top + 4), clRed);
    g.DrawSelection = false;
    b = g.Paint();
    EXPECT_EQ(b.Pixel(cell.right - 3, cell.bottom - 3), clWhite);
}

TEST(AligridDrawing, ASelectedCellIsWhiteOnNavyByDefault) {
    DrawnGrid g;
    g.DrawSelection = true;
    g.SetCells(2, 2, "x");
    g.Selection = TGridRect{2, 2, 2, 2};
    const TBitmap b = g.Paint();
    const TRect cell = g.CellRect(2, 2);
    const uint8_t* background = b.ScanLine(cell.bottom - 3) + 3 * (cell.right - 3);
    EXPECT_EQ(background[2], 0) << "red";
    EXPECT_EQ(background[1], 0) << "green";
    EXPECT_EQ(background[0], 128) << "blue";
    EXPECT_EQ(b.Pixel(cell.left + 3, cell.top + 4), clWhite) << "the text";
}

TEST(AligridDrawing, FixedCellsUseTheFixedBrush) {
    DrawnGrid g;
    g.SetFixedColor(clGray);
    g.SetColorRow(1, clLime);
    const TBitmap b = g.Paint();
    EXPECT_EQ(b.Pixel(5, 5), clGray);
    EXPECT_EQ(b.Pixel(g.CellRect(1, 1).left + 30, g.CellRect(1, 1).top + 30), clLime);
    EXPECT_EQ(b.Pixel(g.CellRect(0, 1).left + 5, g.CellRect(0, 1).top + 5), clGray);
}

TEST(AligridDrawing, AdjustedColumnsFitTheirTexts) {
    DrawnGrid g;
    g.SetCells(1, 1, "abc");
    g.SetCells(1, 2, "a");
    g.AdjustColWidths();
    EXPECT_EQ(g.ColWidths(1), 18 + 4);
    EXPECT_EQ(g.ColWidths(2), 0) << "a column of empty cells";
    int changes = 0;
    g.OnRowHeightsChanged = [&](TObject*) { ++changes; };
    g.AdjustRowHeight(1);
    EXPECT_EQ(g.RowHeights(1), 12);
    EXPECT_EQ(changes, 1);
    g.AdjustRowHeight(3);  // beyond the rows
    EXPECT_EQ(changes, 1);
}

// Writes build/<...>/aligrid_look.png for a person to look at.
TEST(AligridDrawing, MixedLookAsPicture) {
    TStringAlignGrid g;
    g.SetColCount(4);
    g.SetRowCount(5);
    g.DefaultColWidth = 110;
    g.DefaultRowHeight = 36;
    g.Font.Name = "DejaVu Sans";
    g.Font.SetSize(10);
    const char* header[] = {"Nr", "Mannschaft", "Punkte", "Tore"};
    for (int c = 0; c < 4; ++c) g.SetCells(c, 0, header[c]);
    g.SetFixAlignRow(0, alCenter);
    g.GetFontFixedRow(0).SetStyle(fsBold);
    g.SetFixColorRow(0, clNavy);
    g.GetFontFixedRow(0).SetColor(clWhite);
    const char* teams[] = {"Grün-Weiß", "Blau\r\nGelb", "Rot", "Schwarz"};
    for (int r = 1; r < 5; ++r) {
        g.SetCells(0, r, std::to_string(r));
        g.SetCells(1, r, teams[r - 1]);
        g.SetCells(2, r, std::to_string(10 - 2 * r));
        g.SetCells(3, r, std::to_string(r * 3) + ":" + std::to_string(r));
    }
    g.SetAlignCol(2, alRight);
    g.SetAlignCol(3, alCenter);
    g.SetColorRow(2, clYellow);
    g.GetFontCell(1, 3).SetStyle(fsItalic | fsUnderline);
    g.GetFontCell(1, 3).SetColor(clRed);
    g.SetColorCell(3, 4, clLime);
    g.Selection = TGridRect{2, 4, 2, 4};
    TBitmap grid(4 * 111, 5 * 37);
    g.PaintTo(grid.Canvas());
    // On a window background, so that the lines after the last row and column show.
    TBitmap b(grid.Width() + 20, grid.Height() + 20);
    b.Canvas().Brush.Color = clBtnFace;
    b.Canvas().FillRect(Rect(0, 0, b.Width(), b.Height()));
    b.Canvas().Draw(10, 10, grid);
    EXPECT_EQ(b.Pixel(10 + 4 * 111 - 1, 10 + 50), clSilver) << "the line after the last column";
    EXPECT_EQ(b.Pixel(10 + 200, 10 + 5 * 37 - 1), clSilver) << "the line after the last row";
    const std::string path = std::string(MAROVELKA_BINARY_DIR) + "/aligrid_look.png";
    ASSERT_TRUE(SavePng(b, path));
    EXPECT_TRUE(std::filesystem::exists(path));
}

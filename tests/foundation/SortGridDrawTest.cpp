#include <gtest/gtest.h>

#include "foundation/SortGrid.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"

namespace {

// A 2 x 2 grid of 40 x 20 cells in the test font: characters are 6 pixels wide, 12 high.
struct DrawnGrid {
    TSortGrid grid;
    TBitmap bitmap{80, 40};
    TCanvas canvas{bitmap};
    DrawnGrid() {
        grid.SetColCount(2);
        grid.SetRowCount(2);
        grid.SetFixedCols(0);
        grid.DefaultColWidth = 40;
        grid.DefaultRowHeight = 20;
        grid.GridLineWidth = 0;
        grid.Font.Name = kTestFontName;
        grid.Font.Height = -12;
        grid.Font.Color = clBlack;
        grid.SetCells(0, 1, "ab");
    }
    TColor At(int x, int y) const { return bitmap.Pixel(x, y); }
};

}  // namespace

TEST(SortGridDraw, AlignmentPlacesTheTextInsideItsCell) {
    DrawnGrid d;
    d.grid.PaintTo(d.canvas);
    // Left: the first character starts 2 pixels into the cell (row 1 starts at y 20).
    EXPECT_EQ(d.At(2, 20 + 2 + 1), clBlack);
    EXPECT_EQ(d.At(1, 20 + 2 + 1), ColorToRGB(clWindow));

    d.grid.AlignmentHorz = TAlignment::taRightJustify;
    d.grid.AlignmentVert = TVertAlignment::taBottomJustify;
    d.grid.PaintTo(d.canvas);
    // Two characters of 6 pixels end 2 pixels before the right edge; the text's cell ends 2 above the bottom.
    EXPECT_EQ(d.At(40 - 2 - 12, 40 - 2 - 12 + 1), clBlack);
    EXPECT_EQ(d.At(40 - 2 - 13, 40 - 2 - 12 + 1), ColorToRGB(clWindow));
}

TEST(SortGridDraw, CellFormatEventChangesBrushAndFont) {
    DrawnGrid d;
    d.grid.OnGetCellFormat = [](TObject*, int column, int row, TGridDrawState state, TFormatOptions& o) {
        if (column == 1 && row == 1) o.Brush.Color = clYellow;
        if (state & gdFixed) o.Font.Color = clRed;
    };
    d.grid.SetCells(0, 0, "Kopf");
    d.grid.PaintTo(d.canvas);
    EXPECT_EQ(d.At(60, 30), clYellow);
    EXPECT_EQ(d.At(2, 3), clRed) << "header text";
    EXPECT_EQ(d.At(30, 10), ColorToRGB(clBtnFace)) << "fixed row background";
}

TEST(SortGridDraw, RaisedBevelIsLightAboveAndDarkBelow) {
    DrawnGrid d;
    d.grid.BevelStyle = TCellBevelStyle::cbRaised;
    d.grid.PaintTo(d.canvas);
    EXPECT_EQ(d.At(0, 25), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(d.At(20, 20), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(d.At(39, 30), ColorToRGB(clBtnShadow));
    EXPECT_EQ(d.At(20, 39), ColorToRGB(clBtnShadow));
}

TEST(SortGridDraw, AutoSizeFitsTheWidestTextInItsOwnFontPlusAnX) {
    DrawnGrid d;
    d.grid.SetCells(1, 0, "abc");
    d.grid.SetCells(1, 1, "abcdefgh");
    d.grid.OnGetCellFormat = [](TObject*, int, int row, TGridDrawState, TFormatOptions& o) {
        if (row == 0) o.Font.Height = -24;  // header twice as wide per character
    };
    d.grid.AutoSizeCol(1);
    EXPECT_EQ(d.grid.ColWidths(1), 8 * 6 + 6);
    d.grid.SetCells(1, 0, "abcdefghij");
    d.grid.AutoSizeColumns(true, 3);
    EXPECT_EQ(d.grid.ColWidths(1), 10 * 12 + 6 + 3);
    EXPECT_EQ(d.grid.ColWidths(0), 2 * 6 + 6 + 3);
}

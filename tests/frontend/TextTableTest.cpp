#include <gtest/gtest.h>

#include "frontend/TextTable.h"
#include "platform/Grids.h"

TEST(TextTableTest, ShownColumnsAlignedByCharactersAndEmptyRowsLeftOut) {
    TStringGrid grid;
    grid.SetColCount(4);
    grid.SetRowCount(5);
    const char* cells[5][4] = {{"Nr", "Geheim", "Mannschaft", "Punkte"},
                               {"1", "x", "Bären", "3 : 0"},
                               {"", "nur versteckt", "", ""},
                               {"12", "", "Adler\r\nNord", ""},
                               {"", "", "", ""}};
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c) grid.SetCells(c, r, cells[r][c]);
    grid.SetColWidths(1, 0);
    EXPECT_EQ(GridLines(grid), (std::vector<std::string>{"Nr  Mannschaft   Punkte",
                                                         "1   Bären        3 : 0",
                                                         "12  Adler  Nord"}));
}

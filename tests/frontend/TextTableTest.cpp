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
    EXPECT_EQ(GridLines(grid), (std::vector<std::string>{"Nr  Mannschaft         Punkte",
                                                         "1   Bären              3 : 0",
                                                         "12  Adler\\x0D\\x0ANord"}));
}

// A cell holds a value, perhaps from a file made elsewhere: a line break or another control
// character in it shows as its escape, on the cell's own line, and counts as wide as it shows.
TEST(TextTableTest, ControlCharactersInACellShowEscapedAndKeepTheColumnsAligned) {
    TStringGrid grid;
    grid.SetColCount(2);
    grid.SetRowCount(3);
    const char* cells[3][2] = {
        {"Mannschaft", "Punkte"}, {"Adler\nInformation: Alle Ergebnisse gespeichert", "3"}, {"B\x1B[1mären", "0"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c) grid.SetCells(c, r, cells[r][c]);
    EXPECT_EQ(GridLines(grid),
              (std::vector<std::string>{"Mannschaft                                         Punkte",
                                        "Adler\\x0AInformation: Alle Ergebnisse gespeichert  3",
                                        "B\\x1B[1mären                                       0"}));
}

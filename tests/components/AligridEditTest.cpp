#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/Aligrid.h"
#include "components/AligridHints.h"
#include "platform/Application.h"
#include "platform/Window.h"

namespace {

// A grid with the editing option and a log of its editing events.
struct EditGrid : TStringAlignGrid {
    std::vector<std::string> events;
    EditGrid() {
        SetColCount(4);
        SetRowCount(4);
        Options |= goEditing;
        auto log = [this](const char* name) {
            return [this, name](TObject*, int c, int r) { events.push_back(std::string(name) + " " + std::to_string(c) + "," + std::to_string(r)); };
        };
        OnBeforeEdit = log("vor");
        OnAfterEdit = log("nach");
        OnCancelEdit = log("abbruch");
        SetFocus();
    }
    void Type(const std::string& text) {
        for (char c : text) TypeChar(static_cast<unsigned char>(c));
    }
};

}  // namespace

TEST(AligridEditing, TypeAndEnterStoresTheTextAndFiresAfterEditLater) {
    EditGrid g;
    g.SetCells(1, 1, "alt");
    g.Type("neu");
    EXPECT_EQ(g.events, std::vector<std::string>{"vor 1,1"});
    EXPECT_TRUE(g.Editing());
    EXPECT_EQ(g.Cells(1, 1), "neu");
    g.TypeChar(VK_RETURN);
    EXPECT_FALSE(g.EditorMode());
    EXPECT_EQ(g.events.size(), 1u) << "the return message is posted";
    ProcessMessages();
    EXPECT_EQ(g.events, (std::vector<std::string>{"vor 1,1", "nach 1,1"}));
    EXPECT_FALSE(g.Editing());
}

TEST(AligridEditing, EscapeRestoresTheTextAndCancels) {
    EditGrid g;
    g.SetCells(1, 1, "alt");
    g.Type("xy");
    g.TypeChar(VK_ESCAPE);
    ProcessMessages();
    EXPECT_EQ(g.Cells(1, 1), "alt");
    EXPECT_EQ(g.events, (std::vector<std::string>{"vor 1,1", "abbruch 1,1"}));
    EXPECT_FALSE(g.EditorMode());
}

TEST(AligridEditing, ArrowKeyLeavesTheCellWithOneAfterEdit) {
    EditGrid g;
    g.Type("a");
    g.PressKey(VK_DOWN);
    EXPECT_EQ(g.Row(), 2);
    ProcessMessages();
    EXPECT_EQ(g.events, (std::vector<std::string>{"vor 1,1", "vor 1,2", "nach 1,1"}));
    EXPECT_EQ(g.Cells(1, 1), "a");
}

TEST(AligridEditing, ForbiddenCellKeepsTheEditorClosedAndTheKeyGoesToOnKeyPress) {
    EditGrid g;
    g.SetEditCell(1, 1, false);
    std::u32string pressed;
    g.OnKeyPress = [&](TObject*, char32_t& key) { pressed += key; };
    g.Type("q");
    EXPECT_FALSE(g.EditorMode());
    EXPECT_EQ(g.Cells(1, 1), "");
    EXPECT_EQ(pressed, U"q");
    EXPECT_TRUE(g.events.empty());
}

TEST(AligridEditing, EnterInTheLastCellAppendsARowAndEditsOnThere) {
    EditGrid g;
    g.AutoEditNextCell = true;
    g.FocusCell(3, 3);
    g.Type("x");
    g.TypeChar(VK_RETURN);
    ProcessMessages();
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), 4);
    EXPECT_TRUE(g.EditorShowing());
    EXPECT_EQ(g.events, (std::vector<std::string>{"vor 3,3", "nach 3,3", "vor 1,4"}));
}

TEST(AligridEditing, HideEditWithCancelRestoresAndWithoutFiresAfterEditAtOnce) {
    EditGrid g;
    g.SetCells(1, 1, "alt");
    g.Type("z");
    g.HideEdit(false);
    EXPECT_EQ(g.events.back(), "nach 1,1");
    EXPECT_EQ(g.Cells(1, 1), "z");
    g.SetCells(2, 1, "zwei");
    g.FocusCell(2, 1);
    g.ShowEdit();
    g.Type("w");
    g.HideEdit(true);
    ProcessMessages();
    EXPECT_EQ(g.Cells(2, 1), "zwei");
    EXPECT_EQ(g.events.back(), "abbruch 2,1");
}

TEST(AligridWalks, EveryDirectionWrapsAtTheLineEnd) {
    EditGrid g;  // data area columns 1..3, rows 1..3
    struct Case {
        T_nextcell kind;
        int col, row, wantCol, wantRow;
    } cases[] = {
        {nc_rightdown, 3, 1, 1, 2}, {nc_downright, 1, 3, 2, 1}, {nc_leftdown, 1, 1, 3, 2}, {nc_downleft, 3, 3, 2, 1},
        {nc_leftup, 1, 2, 3, 1},    {nc_upleft, 2, 1, 1, 3},    {nc_rightup, 3, 2, 1, 1},  {nc_upright, 1, 1, 2, 3},
    };
    for (const Case& c : cases) {
        int col = c.col, row = c.row;
        g.NextCell(c.kind, lc_stop, col, row);
        EXPECT_EQ(col, c.wantCol) << int(c.kind);
        EXPECT_EQ(row, c.wantRow) << int(c.kind);
    }
}

TEST(AligridWalks, EndModes) {
    EditGrid g;
    int col = 1, row = 1;
    g.NextCell(nc_leftup, lc_stop, col, row);
    EXPECT_EQ(col, -1);
    EXPECT_EQ(row, -1);
    col = 1, row = 1;
    g.NextCell(nc_leftup, lc_first, col, row);
    EXPECT_EQ(col, 3);
    EXPECT_EQ(row, 3);
    col = 3, row = 3;
    g.NextCell(nc_downright, lc_newcolrow, col, row);
    EXPECT_EQ(g.ColCount(), 5);
    EXPECT_EQ(col, 4);
    EXPECT_EQ(row, 1);
    g.SetAlignRow(1, alCenter);
    col = 4, row = 1;
    g.NextCell(nc_rightup, lc_newcolrow, col, row);
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(col, 1);
    EXPECT_EQ(row, 1);
    EXPECT_EQ(g.GetAlignRow(2), alCenter) << "the inserted row pushed the old one down";
}

TEST(AligridWalks, WalkThatFindsNothingStopsAndTakesItsRowBack) {
    EditGrid g;
    g.Editable = false;
    int col = 3, row = 3;
    g.NextEditableCell(col, row);
    EXPECT_EQ(col, -1);
    EXPECT_EQ(row, -1);
    EXPECT_EQ(g.RowCount(), 4) << "no rows piled up";
    for (int c = 0; c < g.ColCount(); ++c) g.SetTabStops(c, false);
    g.Options |= goTabs;
    g.AfterLastCellTab = lc_newcolrow;
    g.FocusCell(2, 2);
    g.PressKey(VK_TAB);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.RowCount(), 4);
}

TEST(AligridWalks, TabAndShiftTab) {
    EditGrid g;
    g.Options |= goTabs;
    g.FocusCell(3, 3);
    g.PressKey(VK_TAB);
    EXPECT_EQ(g.Col(), 1) << "lc_first: back to the first data cell";
    EXPECT_EQ(g.Row(), 1);
    g.PressKey(VK_TAB, ssShift);
    EXPECT_EQ(g.Col(), 3) << "Shift walks left and up, wrapping to the end";
    EXPECT_EQ(g.Row(), 3);
    g.SetTabStops(2, false);
    g.FocusCell(1, 2);
    g.PressKey(VK_TAB);
    EXPECT_EQ(g.Col(), 3);
}

TEST(AligridHints, HintShowsOverItsCellAndGoesWhenTheMouseMoves) {
    Application().OnShowHint = nullptr;
    TStringAlignGrid g;
    g.Left = 100;
    g.Top = 50;
    g.SetHintCell(2, 3, "Feld gesperrt");
    const TRect cell = g.CellRect(2, 3);
    Application().ActivateHint(g, TPoint{cell.left + 3, cell.top + 3}, "");
    EXPECT_TRUE(Application().HintShowing());
    EXPECT_EQ(Application().HintText(), "Feld gesperrt");
    EXPECT_EQ(Application().HintPos(), (TPoint{100 + cell.left, 50 + cell.bottom + 6}));
    EXPECT_EQ(g.HintCol(), 2);
    g.MouseMoveTo(cell.left + 5, cell.top + 5);
    EXPECT_TRUE(Application().HintShowing()) << "still the same cell";
    g.MouseMoveTo(cell.right + 5, cell.top + 5);
    EXPECT_FALSE(Application().HintShowing());
    EXPECT_EQ(g.HintCol(), -1);
}

TEST(AligridHints, ChainAsksTheLatestFirstAndTheApplicationLast) {
    std::vector<std::string> order;
    {
        TStringAlignGrid first, second;
        AddShowHintProc(&order, [&](std::string& s, bool&, THintInfo&) { order.push_back("eigen:" + s); });
        TControl other;
        Application().ActivateHint(other, TPoint{1, 1}, "Text");
        EXPECT_EQ(order, std::vector<std::string>{"eigen:Text"});
        RemoveShowHintProc(&order);
    }
    bool done = false;
    AddIdleProc(&done, [](TObject*, bool& d) { d = false; });
    EXPECT_FALSE(Application().Idle());
    RemoveIdleProc(&done);
    EXPECT_TRUE(Application().Idle());
}

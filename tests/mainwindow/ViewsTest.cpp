#include <gtest/gtest.h>

#include <memory>

#include "SmallTournament.h"
#include "TestEnvironment.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Settings.h"
#include "mainwindow/main.h"

class ViewsTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        form = std::make_unique<TForm1>();
        form->FormCreate();
        FillSmallTournament(*form);
        form->doTurnierBaum();
    }
    TTreeNode* Node(TTreeView& tree, const std::string& text) {
        for (TTreeNode* node : tree.Nodes())
            if (node->Text == text) return node;
        ADD_FAILURE() << "no node " << text;
        return nullptr;
    }
    std::vector<std::string> Row(const TStringGrid& grid, int row) {
        std::vector<std::string> cells;
        for (int c = 0; c < grid.ColCount(); ++c) cells.push_back(grid.Cells(c, row));
        return cells;
    }
    std::unique_ptr<TForm1> form;
};

TEST_F(ViewsTest, FieldColumnShowsTheGamesOwnFieldNotAPositionInTheFieldList) {
    // The field list holds "2" before "1" (order of first appearance).
    form->DoPlan(form->XPlan1, 0, 0, nullptr);
    EXPECT_EQ(form->XPlan1.Cells(3, 0), "Feld");
    EXPECT_EQ(form->XPlan1.Cells(3, 1), "2");
    EXPECT_EQ(form->XPlan1.Cells(3, 2), "1");
}

TEST_F(ViewsTest, HugeScoresAndDayNumbersNeitherOverflowNorHideAResult) {
    // Two scores at the integer limit: a sum in int would wrap below zero and count the game as
    // one without a result.
    Put(form->Spielplan, Spielplan_PPkt, 2, "2147483647", true);
    Put(form->Spielplan, Spielplan_MPkt, 2, "2147483647", true);
    Put(form->Spielplan, Spielplan_Sieger, 2, "0", true);
    form->XTreeView1.SetSelected(Node(form->XTreeView1, "Spiele ohne Ergebnisse"));
    EXPECT_EQ(form->Plan1Modus, 7);
    EXPECT_EQ(form->XPlan1.RowCount(), 2);
    EXPECT_EQ(form->XPlan1.Cells(1, 1), "1");

    Put(form->Spielplan, Spielplan_Tag, 1, "2147483647", true);
    form->XTreeView1.SetSelected(Node(form->XTreeView1, "Sortiert nach Uhrzeit"));
    EXPECT_EQ(form->XPlan1.Cells(1, 1), "2") << "the game on the last possible day comes last";
    EXPECT_EQ(form->XPlan1.Cells(1, 2), "1");
}

// A game is played once its winner is set: a 0:0 draw worth no points is no game without a
// result, and values without a winner make none.
TEST_F(ViewsTest, GamesWithoutResultsAreThoseWithoutAWinner) {
    for (int column : {Spielplan_PPkt, Spielplan_MPkt}) Put(form->Spielplan, column, 1, "0", true);
    Put(form->Spielplan, Spielplan_Sieger, 1, "0", true);
    Put(form->Spielplan, Spielplan_PPkt, 2, "3", true);
    form->XTreeView1.SetSelected(Node(form->XTreeView1, "Spiele ohne Ergebnisse"));
    ASSERT_EQ(form->XPlan1.RowCount(), 2);
    EXPECT_EQ(form->XPlan1.Cells(1, 1), "2");
}

TEST_F(ViewsTest, ColumnSwitchesHideColumnsAndStoredWidthsApply) {
    SetSetting(*form, "Spalte Schiri", "Off");
    SetSetting(*form, "Spalte Datum", "Off");
    SetSetting(*form, "SpielSpalte6", "300");
    SetSetting(*form, "SpielSpalte1", "breit");
    form->DoPlan(form->XPlan1, 0, 0, nullptr);
    const TStringGrid& plan = form->XPlan1;
    EXPECT_EQ(plan.ColWidths(9), 0);
    EXPECT_EQ(plan.ColWidths(2), 0);
    EXPECT_EQ(plan.ColWidths(6), 300);
    EXPECT_EQ(plan.ColWidths(1), 20) << "a width that is no number counts as the built-in one";
    EXPECT_EQ(plan.ColWidths(3), 27);
    EXPECT_EQ(plan.ColWidths(10), 0) << "the group name is never shown";
    EXPECT_EQ(plan.Cells(9, 1), "Neutrales Schiedsgericht 2") << "hidden columns keep their cells";
}

TEST_F(ViewsTest, TreeEndsWithTheStandingsOfEveryGroupAndTheFinalPlacing) {
    auto nodes = form->XTreeView1.Nodes();
    ASSERT_EQ(nodes.size(), 14u);
    EXPECT_EQ(nodes[10]->Text, "Platzierungen");
    EXPECT_EQ(nodes[11]->Text, "Tabelle A ( Gruppe A )");
    EXPECT_EQ(nodes[12]->Text, "Tabelle B ( Gruppe B )");
    EXPECT_EQ(nodes[13]->Text, "Endplatzierung");
}

TEST_F(ViewsTest, StandingsOfAGroupInRankingOrderThenBackToGames) {
    form->Wertung1 = "Tore";
    form->XTreeView2.SetSelected(Node(form->XTreeView2, "Tabelle A ( Gruppe A )"));
    const TStringGrid& plan = form->XPlan2;
    EXPECT_EQ(form->Plan2Modus, 2);
    EXPECT_EQ(plan.ColCount(), 6);
    EXPECT_EQ(Row(plan, 0), (std::vector<std::string>{"Platz", "Platzhalter", "Mannschaft", "Spiele", "Punkte", "Ergebnis"}));
    EXPECT_EQ(plan.RowCount(), 3);
    EXPECT_EQ(Row(plan, 1)[0], "1");
    EXPECT_EQ(Row(plan, 1)[2], "Bären");
    EXPECT_EQ(Row(plan, 1)[4], "3 : 0");
    EXPECT_EQ(Row(plan, 2)[2], "Adler");
    EXPECT_EQ(plan.ColWidths(1), 120);
    EXPECT_EQ(form->Panel6.Caption(), " >> Platzierungen >> Tabelle A ( Gruppe A )");

    SetSetting(*form, "Spalte MPlatzhalter", "Off");
    SetSetting(*form, "PlatzSpalte2", "250");
    form->XTreeView2Change(&form->XTreeView2, form->XTreeView2.Selected());
    EXPECT_EQ(plan.ColWidths(1), 0);
    EXPECT_EQ(plan.ColWidths(2), 250);

    form->XTreeView2.SetSelected(Node(form->XTreeView2, "Sortiert nach Spielnummern"));
    EXPECT_EQ(plan.ColCount(), 11);
    EXPECT_EQ(plan.Cells(3, 0), "Feld");
    EXPECT_EQ(plan.Cells(6, 1), "Adler - Bären");
}

TEST_F(ViewsTest, FinalPlacingShowsPlaceholderAndTheParticipantItResolvedTo) {
    form->XTreeView1.SetSelected(Node(form->XTreeView1, "Endplatzierung"));
    const TStringGrid& plan = form->XPlan1;
    EXPECT_EQ(form->Plan1Modus, 3);
    EXPECT_EQ(Row(plan, 0), (std::vector<std::string>{"Platz", "Platzhalter", "Mannschaft"}));
    EXPECT_EQ(Row(plan, 1), (std::vector<std::string>{"1", "Sieger Spiel 1", "Bären"}));
    EXPECT_EQ(Row(plan, 2), (std::vector<std::string>{"2", "Verlierer Spiel 1", ""}));
    EXPECT_EQ(plan.ColWidths(2), 300);
    SetSetting(*form, "Spalte EPlatzhalter", "Off");
    form->DoPlan(form->XPlan1, 3, 0, nullptr);
    EXPECT_EQ(plan.ColWidths(1), 0);
}

TEST_F(ViewsTest, FilterKeepsOnlyTheListedGroups) {
    TStringList groups;
    groups.Add("2");
    form->DoPlan(form->XPlan1, 1, 0, &groups);
    EXPECT_EQ(form->XPlan1.RowCount(), 2);
    EXPECT_EQ(form->XPlan1.Cells(1, 1), "2");
    form->DoPlan(form->XPlan1, 2, 1, &groups);
    EXPECT_EQ(form->XPlan1.Cells(2, 1), "") << "group 1 is not in the filter";
}

TEST_F(ViewsTest, HeaderPanelsAndCountersStartWithTheirDesignCaptions) {
    TForm1 fresh;
    EXPECT_EQ(fresh.Panel7.Caption(), "  >> ");
    EXPECT_EQ(fresh.Panel6.Caption(), "  >>");
    EXPECT_EQ(fresh.Panel11.Caption(), " Spiele:");
    EXPECT_EQ(fresh.Panel12.Caption(), " Runden:");
    EXPECT_EQ(fresh.Panel34.Caption(), " Felder:");
    EXPECT_FALSE(fresh.ScrollBox1.Visible) << "no graphic view on a terminal";
    EXPECT_EQ(form->Panel7.Caption(), " >> TurnierPlan >> Sortiert nach Spielnummern");
}

TEST_F(ViewsTest, ToolAreaTogglesAndClosingRedrawsThePlans) {
    EXPECT_FALSE(form->ToolAreaOpen());
    form->IAeverButton11.Click();
    EXPECT_TRUE(form->ToolAreaOpen());
    EXPECT_TRUE(form->IAeverButton54.Visible);
    EXPECT_EQ(form->PageControl1.ActivePage, &form->TabSheet1);
    form->showWerkzeug(30);
    EXPECT_EQ(form->PageControl1.ActivePage, &form->TabSheet30);
    form->Plan1Modus = form->Plan2Modus = 0;
    form->IAeverButton54.Click();
    EXPECT_FALSE(form->ToolAreaOpen());
    EXPECT_FALSE(form->IAeverButton54.Visible);
    EXPECT_EQ(form->Plan1Modus, 1);
    EXPECT_EQ(form->Plan2Modus, 1);
    form->IAeverButton11.Click();
    form->IAeverButton11.Click();
    EXPECT_FALSE(form->ToolAreaOpen());
}

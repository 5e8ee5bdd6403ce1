#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EditingFixture.h"
#include "engine/RundenBaum.h"
#include "engine/RundenWertung.h"
#include "foundation/Accessors.h"
#include "foundation/ClockTime.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Tables.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class RundenWertungTest : public EditingTest {
protected:
    void SetUp() override {
        EditingTest::SetUp();
        Build("!Vorrunde|$A$a$JGJ$M1;M2;M3;$B$b$JGJ$M4;M5;|!Endrunde|$F$f$SV$1.A;1.B;");
        setTurChanged(*form, false);
        // The round tree as the round-editing page shows it: rounds and groups by position.
        TTreeView& tree = form->TreeView3;
        round1 = tree.Add("Runde 1 ( Vorrunde )");
        round1->Data = 1;
        groupA = round1->AddChild("Gruppe A ( a )");
        groupA->Data = 1;
        groupB = round1->AddChild("Gruppe B ( b )");
        groupB->Data = 2;
        round2 = tree.Add("Runde 2 ( Endrunde )");
        round2->Data = 2;
        round2->AddChild("Gruppe F ( f )")->Data = 3;
    }
    void Choose(TRadioButton& chosen, std::initializer_list<TRadioButton*> options) {
        for (TRadioButton* option : options) option->SetChecked(option == &chosen);
    }
    std::string Scoring(int g) const {
        std::string text;
        for (int c : {Gruppe_P1, Gruppe_P2, Gruppe_P3, Gruppe_P4, Gruppe_ErgUE}) text += Cell(form->Gruppe, c, g) + "|";
        return text;
    }
    std::vector<std::string> Times() const {
        std::vector<std::string> times;
        const TSortGrid& plan = form->Spielplan;
        for (int row = 1; row < plan.RowCount(); ++row)
            times.push_back(plan.Cells(Spielplan_Tag, row) + " " + plan.Cells(Spielplan_Von, row) + "-" + plan.Cells(Spielplan_Bis, row));
        return times;
    }
    bool Changed() const { return form->Turnier.Cells(Turnier_Changes, 1) == "true"; }
    // A node chosen in the tree, which loads it into the page.
    void Select(TTreeNode* node) {
        form->TreeView3.SetSelected(node);
        TreeView3Change(*form);
    }
    void Shift(const std::string& minutes) {
        form->umValidEdit5.SetText(minutes);
        Choose(form->RadioButton18, {&form->RadioButton18, &form->RadioButton19, &form->RadioButton20});
        SpielzeitenAendern(*form);
    }

    TTreeNode *round1 = nullptr, *round2 = nullptr, *groupA = nullptr, *groupB = nullptr;
};

// --- scoring ---

TEST_F(RundenWertungTest, PointsPerSetLeaveThePointsPerWinEmpty) {
    form->TreeView3.SetSelected(groupB);
    Choose(form->RadioButton2, {&form->RadioButton1, &form->RadioButton2, &form->RadioButton3});
    form->umEdit3.SetText("2");
    form->umEdit4.SetText("1");
    Choose(form->RadioButton5, {&form->RadioButton4, &form->RadioButton5});
    GruppenWertung(*form);
    EXPECT_EQ(Scoring(2), "||2|1|0|");
    EXPECT_EQ(Scoring(1), "0|0|||0|");
    EXPECT_TRUE(Changed());  // also for one group
}

TEST_F(RundenWertungTest, ARoundTakesTheScoringIntoEachOfItsGroups) {
    form->TreeView3.SetSelected(groupA);  // a group node stands for its round here
    form->umEdit1.SetText("3");
    form->umEdit2.SetText("1");
    form->CheckBox2.SetChecked(true);
    Choose(form->RadioButton4, {&form->RadioButton4, &form->RadioButton5});
    GruppenWertung(*form);
    EXPECT_EQ(Scoring(1), "3|1|||1|");
    EXPECT_EQ(Scoring(2), "3|1|||1|");
    EXPECT_EQ(Scoring(3), "0|0|||0|");
    Choose(form->RadioButton3, {&form->RadioButton1, &form->RadioButton2, &form->RadioButton3});
    GruppenWertung(*form);
    EXPECT_EQ(Scoring(1), "||||1|");
}

TEST_F(RundenWertungTest, ARoundNodeIsNoGroupAndNoSelectionChangesNothing) {
    Choose(form->RadioButton5, {&form->RadioButton4, &form->RadioButton5});
    form->TreeView3.SetSelected(round2);
    const std::vector<std::string> before = Snapshot();
    GruppenWertung(*form);
    form->TreeView3.SetSelected(nullptr);
    Choose(form->RadioButton4, {&form->RadioButton4, &form->RadioButton5});
    GruppenWertung(*form);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_FALSE(Changed());
}

TEST_F(RundenWertungTest, ARoundShowsWhatItsGroupsHoldAndTakesItBackUnchanged) {
    for (int g : {1, 2}) {
        Put(form->Gruppe, Gruppe_P1, g, "3", true);
        Put(form->Gruppe, Gruppe_P2, g, "1", true);
        Put(form->Gruppe, Gruppe_ErgUE, g, "1", true);
    }
    Put(form->Gruppe, Gruppe_P1, 3, "", true);
    Put(form->Gruppe, Gruppe_P2, 3, "", true);
    Put(form->Gruppe, Gruppe_P3, 3, "2", true);
    Put(form->Gruppe, Gruppe_P4, 3, "0,5", true);
    const std::vector<std::string> before{Scoring(1), Scoring(2), Scoring(3)};
    // The page as a fresh window holds it, as after loading the tournament.
    for (TEdit* points : {&form->umEdit1, &form->umEdit2, &form->umEdit3, &form->umEdit4}) points->SetText("0");
    Select(round1);
    EXPECT_TRUE(form->RadioButton1.Checked());
    EXPECT_EQ(form->umEdit1.Text(), "3");
    EXPECT_EQ(form->umEdit2.Text(), "1");
    EXPECT_TRUE(form->CheckBox2.Checked());
    GruppenWertung(*form);
    Select(round2);
    EXPECT_TRUE(form->RadioButton2.Checked());
    EXPECT_EQ(form->umEdit3.Text(), "2");
    EXPECT_EQ(form->umEdit4.Text(), "0,5");
    EXPECT_FALSE(form->CheckBox2.Checked());
    GruppenWertung(*form);
    EXPECT_EQ((std::vector<std::string>{Scoring(1), Scoring(2), Scoring(3)}), before);
}

TEST_F(RundenWertungTest, PointsThatAreNoNumberAreRefused) {
    form->TreeView3.SetSelected(groupA);
    Choose(form->RadioButton5, {&form->RadioButton4, &form->RadioButton5});
    form->umEdit1.SetText("drei");
    const std::vector<std::string> before = Snapshot();
    GruppenWertung(*form);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_THAT(Boxes(), ElementsAre("Bitte bei „Pro Sieg:“ eine Zahl ab 0 eingeben"));
}

// --- times and lengths ---

TEST_F(RundenWertungTest, AShiftOfExactly120MinutesEitherWayIsTakenOneMoreIsNot) {
    form->TreeView3.SetSelected(round2);
    const std::vector<std::string> before = Times();
    Shift("120");
    Shift("-120");
    EXPECT_EQ(Times(), before);
    EXPECT_THAT(Boxes(), ElementsAre("Änderungen vorgenommen", "Änderungen vorgenommen"));
    for (const char* wrong : {"-121", "121", "1-2", "", "-", "abc"}) {
        ui.boxes.clear();
        Shift(wrong);
        EXPECT_EQ(Times(), before) << wrong;
        EXPECT_THAT(Boxes(), ElementsAre("Zeiten verschieben um -120 bis 120 Minuten")) << wrong;
    }
}

TEST_F(RundenWertungTest, AShiftMovesOnlyTheChosenGroupAcrossMidnight) {
    Put(form->Spielplan, Spielplan_Von, 1, "23:00", true);
    Put(form->Spielplan, Spielplan_Bis, 1, "23:20", true);
    form->TreeView3.SetSelected(groupA);
    Choose(form->RadioButton8, {&form->RadioButton7, &form->RadioButton8});
    const std::vector<std::string> before = Times();
    Shift("90");
    const std::vector<std::string> after = Times();
    for (int row = 1; row < form->Spielplan.RowCount(); ++row) {
        const bool inA = Cell(form->Spielplan, Spielplan_GrNr, row) == "1";
        EXPECT_EQ(after[static_cast<size_t>(row - 1)] != before[static_cast<size_t>(row - 1)], inA) << row;
    }
    EXPECT_EQ(after[0], "2 00:30-00:50");
    EXPECT_TRUE(form->RadioButton20.Checked());
    EXPECT_FALSE(form->RadioButton18.Checked());
}

TEST_F(RundenWertungTest, ALengthChangeMovesTheEndOfEveryGameOfTheRound) {
    form->TreeView3.SetSelected(round2);
    form->umValidEdit7.SetText("-5");
    Choose(form->RadioButton19, {&form->RadioButton18, &form->RadioButton19, &form->RadioButton20});
    const int final = FirstGameOf("F");
    const std::string from = Cell(form->Spielplan, Spielplan_Von, final);
    SpielzeitenAendern(*form);
    EXPECT_EQ(Cell(form->Spielplan, Spielplan_Von, final), from);
    EXPECT_EQ(TimeToMinutes(Cell(form->Spielplan, Spielplan_Bis, final)) - TimeToMinutes(from), 15);
    EXPECT_TRUE(Changed());
}

TEST_F(RundenWertungTest, NoChangeChosenChangesNothingAndSaysNothing) {
    form->TreeView3.SetSelected(round1);
    Choose(form->RadioButton20, {&form->RadioButton18, &form->RadioButton19, &form->RadioButton20});
    const std::vector<std::string> before = Snapshot();
    SpielzeitenAendern(*form);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_THAT(Boxes(), IsEmpty());
    EXPECT_FALSE(Changed());
}

TEST_F(RundenWertungTest, WithoutTimedGamesTheButtonDoesNothingAtAll) {
    form->XZeitSpiele.SetChecked(false);
    form->TreeView3.SetSelected(round1);
    const std::string logBefore = ReadProgramFile("debug.log");
    const std::vector<std::string> before = Times();
    Shift("30");
    EXPECT_EQ(Times(), before);
    EXPECT_THAT(Boxes(), IsEmpty());
    EXPECT_EQ(ReadProgramFile("debug.log"), logBefore);
}

TEST_F(RundenWertungTest, ALengthThatWouldVanishIsRefusedForTheWholeRound) {
    form->TreeView3.SetSelected(round1);
    form->umValidEdit7.SetText("-20");
    Choose(form->RadioButton19, {&form->RadioButton18, &form->RadioButton19, &form->RadioButton20});
    const std::vector<std::string> before = Times();
    SpielzeitenAendern(*form);
    EXPECT_EQ(Times(), before);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_THAT(ui.boxes[0].text, ::testing::HasSubstr("hätte damit keine Spieldauer mehr; nichts geändert"));
}

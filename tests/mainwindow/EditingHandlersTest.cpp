#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TableInvariants.h"
#include "WindowFixture.h"
#include "dialogs/Dialogs.h"
#include "engine/Turnierform.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Settings.h"
#include "foundation/TableSnapshot.h"
#include "foundation/Tables.h"
#include "foundation/Texts.h"
#include "mainwindow/main.h"
#include "platform/Messages.h"
#include "platform/Window.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class EditingHandlersTest : public WindowTest {
protected:
    void Build(const std::string& text) {
        ASSERT_TRUE(buildTurnierform(*form, text + "!"));
        form->doTurnierBaum();
        form->showWerkzeug(30);
        setTurChanged(*form, false);
    }
    std::vector<std::string> Tree() const {
        std::vector<std::string> out;
        for (TTreeNode* node : form->TreeView3.Nodes()) out.push_back(node->Text);
        return out;
    }
    void Select(const std::string& text) {
        for (TTreeNode* node : form->TreeView3.Nodes())
            if (node->Text == text) return form->TreeView3.SetSelected(node);
        FAIL() << text;
    }
    std::vector<std::string> Ids() const {
        std::vector<std::string> ids;
        for (int row = 1; row < form->Gruppe.RowCount(); ++row) ids.push_back(form->Gruppe.Cells(Gruppe_Bez, row));
        return ids;
    }
    std::vector<std::string> Boxes() const {
        std::vector<std::string> texts;
        for (const MessageBoxRecord& box : ui.boxes) texts.push_back(box.text);
        return texts;
    }
    bool Changed() const { return form->Turnier.Cells(Turnier_Changes, 1) == "true"; }
};

const char* const kTwoRounds = "!Vorrunde|$A$Gruppe A$JGJ$M1;M2;M3;$B$Gruppe B$JGJ$M4;M5;M6;$E$Gruppe E$JGJ$M7;M8;|"
                               "!Endrunde|$C$Oben$SV$1.A;1.B;$D$Unten$SV$2.A;2.B;";

// --- deleting a group ---

TEST_F(EditingHandlersTest, AGroupIsDeletedOnlyAfterYes) {
    Build(kTwoRounds);
    Select("Gruppe E ( Gruppe E )");
    const TableSnapshot before(*form);
    ui.QueueAnswer(mrNo);
    form->SpeedButton7Click(nullptr);
    EXPECT_EQ(before.FirstDifference(TableSnapshot(*form)), "");
    EXPECT_THAT(Boxes(), ElementsAre("Wirklich Gruppe E (Gruppe E) löschen??"));
    ui.QueueAnswer(mrYes);
    form->SpeedButton7Click(nullptr);
    EXPECT_THAT(Ids(), ElementsAre("A", "B", "C", "D"));
    EXPECT_THAT(Tree(), ElementsAre("Runde 1 ( Vorrunde )", "Gruppe A ( Gruppe A )", "Gruppe B ( Gruppe B )",
                                    "Runde 2 ( Endrunde )", "Gruppe C ( Oben )", "Gruppe D ( Unten )"));
    EXPECT_EQ(GetSetting(*form, "Durchspielen", ""), "0");
    EXPECT_TRUE(Changed());
    EXPECT_THAT(table_invariants::Check(*form), IsEmpty());
}

TEST_F(EditingHandlersTest, AGroupOthersDependOnIsRefusedByItsId) {
    Build(kTwoRounds);
    Select("Gruppe A ( Gruppe A )");
    ui.QueueAnswer(mrYes);
    form->SpeedButton7Click(nullptr);
    EXPECT_THAT(Boxes(), ElementsAre("Wirklich Gruppe A (Gruppe A) löschen??",
                                     "Gruppe A kann nicht gelöscht werden.\r\nEs existieren noch Abhängigkeiten zu dieser Gruppe"));
    EXPECT_EQ(ui.boxes[1].kind, TMsgKind::Warning);
    EXPECT_THAT(Ids(), ElementsAre("A", "B", "E", "C", "D"));
}

TEST_F(EditingHandlersTest, AGroupRenamedAfterADeletionIsTheOneSelected) {
    Build(kTwoRounds);
    Select("Gruppe B ( Gruppe B )");
    ui.QueueAnswer(mrYes);
    form->SpeedButton7Click(nullptr);  // refused: B feeds the second round
    Select("Gruppe E ( Gruppe E )");
    ui.QueueAnswer(mrYes);
    form->SpeedButton7Click(nullptr);
    Select("Gruppe C ( Oben )");
    form->Edit8.SetText("O");
    form->Edit9.SetText("Oben neu");
    form->SpeedButton9Click(nullptr);
    EXPECT_THAT(Ids(), ElementsAre("A", "B", "O", "D"));
}

// --- deleting a round ---

TEST_F(EditingHandlersTest, ARoundWhoseGroupsAllGoLeavesTheTree) {
    Build(kTwoRounds);
    Select("Gruppe D ( Unten )");
    ui.QueueAnswer(mrYes);
    form->SpeedButton8Click(nullptr);
    EXPECT_THAT(Boxes(), ElementsAre("Wirklich Runde 2 (Endrunde) löschen ??"));
    EXPECT_THAT(Ids(), ElementsAre("A", "B", "E"));
    EXPECT_THAT(Tree(), ElementsAre("Runde 1 ( Vorrunde )", "Gruppe A ( Gruppe A )", "Gruppe B ( Gruppe B )",
                                    "Gruppe E ( Gruppe E )"));
    EXPECT_EQ(form->Edit4.Text(), "2");
    EXPECT_THAT(table_invariants::Check(*form), IsEmpty());
}

TEST_F(EditingHandlersTest, ARoundKeepsItsNodeAndTheGroupsThatOthersDependOn) {
    Build(kTwoRounds);
    Select("Runde 1 ( Vorrunde )");
    ui.QueueAnswer(mrYes);
    form->SpeedButton8Click(nullptr);
    EXPECT_THAT(Boxes(), ElementsAre("Wirklich Runde 1 (Vorrunde) löschen ??",
                                     "Gruppe A kann nicht gelöscht werden.\r\nEs existieren noch Abhängigkeiten zu dieser Gruppe",
                                     "Gruppe B kann nicht gelöscht werden.\r\nEs existieren noch Abhängigkeiten zu dieser Gruppe"));
    EXPECT_THAT(Ids(), ElementsAre("A", "B", "C", "D"));
    EXPECT_EQ(Tree().front(), "Runde 1 ( Vorrunde )");
    EXPECT_TRUE(Changed());
    EXPECT_THAT(table_invariants::Check(*form), IsEmpty());
}

TEST_F(EditingHandlersTest, NothingIsDeletedWithoutASelection) {
    Build(kTwoRounds);
    form->TreeView3.SetSelected(nullptr);
    const TableSnapshot before(*form);
    form->SpeedButton7Click(nullptr);
    form->SpeedButton8Click(nullptr);
    EXPECT_EQ(before.FirstDifference(TableSnapshot(*form)), "");
    EXPECT_THAT(Boxes(), IsEmpty());
}

// --- the play-through button ---

TEST_F(EditingHandlersTest, ThePlayThroughButtonMarksTheRunAndComesBackEnabled) {
    Build("!R|$A$a$JGJ$M1;M2;M3;<$$>1.A;2.A;3.A;");
    form->IAeverButton33Click(nullptr);
    EXPECT_TRUE(form->IAeverButton33.Enabled);
    EXPECT_EQ(GetSetting(*form, "Durchspielen", ""), "1");
    EXPECT_EQ(form->RichEdit3.Lines.back().text, "Keine Fehler im Turnier");
}

namespace {
// A window whose message runs the clock's tick, as the timer does while the window lets its
// messages through.
class TickWindow : public TWindowProc {
public:
    explicit TickWindow(TForm1& form) : form_(form) { handle = CreateWindowHandle(this, {}); }
    ~TickWindow() override { DestroyWindow(handle); }
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_USER) form_.Timer1Timer(nullptr);
    }
    HWND handle = 0;

private:
    TForm1& form_;
};
}  // namespace

TEST_F(EditingHandlersTest, NoAutosaveWritesMadeUpResultsWhileTheTournamentIsPlayedThrough) {
    Build("!R|$A$a$JGJ$M1;M2;M3;<$$>1.A;2.A;3.A;");
    form->AnzTurniere = 1;
    Put(form->Turnier, 0, 1, "1", true);
    Put(form->Turnier, 1, 1, "1", true);
    Put(form->Turnier, Turnier_DateiNameS, 1, folder + "pokal.tur", true);
    SetSetting(*form, "AutoSave", "true");
    SetSetting(*form, "AutoSave Min", "1");
    setTurChanged(*form, true);
    TickWindow window(*form);
    ASSERT_TRUE(PostMessage(window.handle, WM_USER));
    form->IAeverButton33Click(nullptr);
    EXPECT_FALSE(ProgramFileExists("pokal.tur"));
    form->Timer1Timer(nullptr);
    EXPECT_TRUE(ProgramFileExists("pokal.tur"));
}

TEST_F(EditingHandlersTest, TypingMinutesChoosesWhatTheyAreFor) {
    form->umValidEdit7.SetText("15");
    EXPECT_TRUE(form->RadioButton19.Checked());
    EXPECT_FALSE(form->RadioButton20.Checked());
    form->umValidEdit5.SetText("-30");
    EXPECT_TRUE(form->RadioButton18.Checked());
    EXPECT_FALSE(form->RadioButton19.Checked());
}

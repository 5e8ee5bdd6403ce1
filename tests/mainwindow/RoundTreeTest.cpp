#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "dialogs/Dialogs.h"
#include "engine/RundenBaum.h"
#include "engine/Turnierform.h"
#include "engine/TurnierWechsel.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Settings.h"
#include "foundation/Texts.h"
#include "mainwindow/main.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class RoundTreeTest : public WindowTest {
protected:
    // Two rounds of two groups; the second round's groups take places of the first.
    void TwoRounds(const std::string& groupName = "Gruppe B") {
        ASSERT_TRUE(
            buildTurnierform(*form, "!Vorrunde|$A$Gruppe A$JGJ$M1;M2;M3;$B$" + groupName +
                                        "$JGJ$M4;M5;M6;|!Endrunde|$C$Oben$SV$1.A;1.B;$D$Unten$SV$B1/3/A,B;B2/3/A,B;!"));
        form->doTurnierBaum();
        form->showWerkzeug(30);
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (TTreeNode* node : form->TreeView3.Nodes()) out.push_back(node->Text + " #" + std::to_string(node->Data));
        return out;
    }
    TTreeNode* Node(int index) const { return form->TreeView3.Nodes().at(static_cast<size_t>(index)); }
};

// --- the tree and its selection ---

TEST_F(RoundTreeTest, RoundsAndGroupsCarryTheirPositions) {
    TwoRounds();
    EXPECT_THAT(Texts(), ElementsAre("Runde 1 ( Vorrunde ) #1", "Gruppe A ( Gruppe A ) #1", "Gruppe B ( Gruppe B ) #2",
                                     "Runde 2 ( Endrunde ) #2", "Gruppe C ( Oben ) #3", "Gruppe D ( Unten ) #4"));
    EXPECT_TRUE(form->PageControl2.Visible);
    EXPECT_EQ(form->TreeView3.Selected(), Node(0));
    EXPECT_EQ(form->Edit6.Text(), "1");
    EXPECT_EQ(form->Edit7.Text(), "Vorrunde");
    EXPECT_EQ(form->Panel23.Caption(), "Runde 1 ( Vorrunde )");
}

TEST_F(RoundTreeTest, AnEmptyTournamentHasNoTreeAndNoTabs) {
    form->doTurnierBaum();
    form->PageControl2.Visible = true;
    form->showWerkzeug(30);
    EXPECT_THAT(Texts(), IsEmpty());
    EXPECT_FALSE(form->PageControl2.Visible);
}

TEST_F(RoundTreeTest, SelectingAGroupLoadsItThenItsRoundSwitchesBack) {
    TwoRounds();
    Put(form->Gruppe, Gruppe_P1, 2, "", true);
    form->TreeView3.SetSelected(Node(2));
    EXPECT_EQ(form->Edit8.Text(), "B");
    EXPECT_EQ(form->Edit9.Text(), "Gruppe B");
    EXPECT_EQ(form->Label31.Caption(), "2");
    EXPECT_EQ(form->Edit6.Text(), "1");
    EXPECT_TRUE(form->Panel29.Visible);
    EXPECT_TRUE(form->RadioButton3.Checked());
    EXPECT_TRUE(form->RadioButton5.Checked());
    EXPECT_FALSE(form->RadioButton4.Enabled);
    EXPECT_TRUE(form->RadioButton8.Checked());
    EXPECT_FALSE(form->RadioButton7.Enabled);
    form->TreeView3.SetSelected(Node(3));
    EXPECT_FALSE(form->Panel29.Visible);
    EXPECT_TRUE(form->RadioButton4.Checked());
    EXPECT_FALSE(form->RadioButton5.Enabled);
    EXPECT_TRUE(form->RadioButton7.Checked());
    EXPECT_EQ(form->Edit7.Text(), "Endrunde");
}

TEST_F(RoundTreeTest, AGroupsScoringIsLoaded) {
    TwoRounds();
    Put(form->Gruppe, Gruppe_P1, 1, "", true);
    Put(form->Gruppe, Gruppe_P3, 1, "2", true);
    Put(form->Gruppe, Gruppe_P4, 1, "1", true);
    Put(form->Gruppe, Gruppe_ErgUE, 1, "1", true);
    form->TreeView3.SetSelected(Node(1));
    EXPECT_TRUE(form->RadioButton2.Checked());
    EXPECT_FALSE(form->RadioButton1.Checked());
    EXPECT_EQ(form->umEdit3.Text(), "2");
    EXPECT_EQ(form->umEdit4.Text(), "1");
    EXPECT_TRUE(form->CheckBox2.Checked());
}

TEST_F(RoundTreeTest, NamesWithBracketsReadBackWhole) {
    TwoRounds("Spiel (um) Platz ( 3 )");
    form->TreeView3.SetSelected(Node(2));
    EXPECT_EQ(form->Edit8.Text(), "B");
    EXPECT_EQ(form->Edit9.Text(), "Spiel (um) Platz ( 3 )");
    const NodeLabel round = ReadNodeText("Runde 2 ( Finale (A) )", "Runde");
    EXPECT_EQ(round.key, "2");
    EXPECT_EQ(round.name, "Finale (A)");
    EXPECT_FALSE(ReadNodeText("Gruppe A", "Gruppe").valid);
}

// --- renaming ---

TEST_F(RoundTreeTest, RenamingAGroupFollowsItsReferences) {
    TwoRounds();
    form->TreeView3.SetSelected(Node(1));
    form->Edit8.SetText("X");
    form->Edit9.SetText("Gruppe X");
    form->SpeedButton9.Click();
    EXPECT_THAT(ui.boxes, IsEmpty());
    EXPECT_EQ(Node(1)->Text, "Gruppe X ( Gruppe X )");
    EXPECT_EQ(Get(form->Gruppe, Gruppe_Bez, 1, true), "X");
    EXPECT_EQ(form->XAGruppBez.Items[1], "X");
    EXPECT_EQ(form->XAGruppName.Items[1], "Gruppe X");
    EXPECT_EQ(Get(form->Gruppe, Gruppe_Teams, 3, true), "1.X;1.B");
    EXPECT_EQ(Get(form->Gruppe, Gruppe_Teams, 4, true), "B1/3/X,B;B2/3/X,B");
    EXPECT_EQ(Get(form->Teams, Teams_Name, 7, true), "1. Gruppe X");
    EXPECT_EQ(Get(form->Teams, Teams_SV, 9, true), "B1/3/X,B");
    EXPECT_EQ(Get(form->Teams, Teams_Name, 9, true), "1. Bester aller 3. der Gruppen X,B");
    EXPECT_EQ(form->XATeams.Items[7], "1. Gruppe X");
    EXPECT_EQ(form->XTreeView1.Nodes()[8]->Text, "Gruppe X ( Gruppe X )");
    EXPECT_EQ(Get(form->Turnier, Turnier_Changes, 1, true), "true");
}

TEST_F(RoundTreeTest, ARenamedGroupPassesTheGroupDialogsChecks) {
    TwoRounds();
    form->TreeView3.SetSelected(Node(1));
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "Bitte Bezeichnung angeben"},
        {"ABCDE", "Die Bezeichnung darf höchstens 4 Zeichen lang sein"},
        {"b", "Die Bezeichnung existiert schon, bitte eine andere eingeben"},
        {"X!", "Die Bezeichnung darf keines der Zeichen ! | $ ; , enthalten"},
        {"X$", "Die Bezeichnung darf keines der Zeichen ! | $ ; , enthalten"},
        {"X,Y", "Die Bezeichnung darf keines der Zeichen ! | $ ; , enthalten"},
    };
    for (const auto& [id, message] : cases) {
        ui.boxes.clear();
        form->Edit8.SetText(id);
        form->Edit9.SetText("Neu");
        form->SpeedButton9.Click();
        ASSERT_EQ(ui.boxes.size(), 1u) << id;
        EXPECT_EQ(ui.boxes[0].text, message);
        EXPECT_EQ(Get(form->Gruppe, Gruppe_Bez, 1, true), "A");
        EXPECT_EQ(Node(1)->Text, "Gruppe A ( Gruppe A )");
    }
    ui.boxes.clear();
    form->Edit8.SetText("a");
    form->Edit9.SetText("Name;mit");
    form->SpeedButton9.Click();
    EXPECT_EQ(ui.boxes.at(0).text, "Der Gruppenname darf keines der Zeichen ! | $ ; enthalten");
    // Its own id in another case is its own.
    form->Edit9.SetText("Gruppe a");
    form->SpeedButton9.Click();
    EXPECT_EQ(Get(form->Gruppe, Gruppe_Bez, 1, true), "a");
}

TEST_F(RoundTreeTest, ARoundNodeIsNoGroupToRename) {
    TwoRounds();
    form->TreeView3.SetSelected(Node(1));
    form->TreeView3.SetSelected(Node(0));
    form->Edit8.SetText("Z");
    form->SpeedButton9.Click();
    EXPECT_EQ(Node(0)->Text, "Runde 1 ( Vorrunde )");
    EXPECT_EQ(Get(form->Gruppe, Gruppe_Bez, 1, true), "A");
}

TEST_F(RoundTreeTest, RenamingARound) {
    TwoRounds();
    form->TreeView3.SetSelected(Node(4));
    form->Edit7.SetText("Finalrunde");
    form->IAeverButton13.Click();
    EXPECT_EQ(Node(3)->Text, "Runde 2 ( Finalrunde )");
    EXPECT_THAT((std::vector<std::string>{Get(form->Gruppe, Gruppe_RundeName, 3, true),
                                          Get(form->Gruppe, Gruppe_RundeName, 4, true)}),
                ElementsAre("Finalrunde", "Finalrunde"));
    EXPECT_EQ(form->XARunden.Items[2], "Runde 2 ( Finalrunde )");
    form->IAeverButton13.Click();
    EXPECT_EQ(form->XARunden.Items[2], "Runde 2 ( Finalrunde )");
    form->Edit7.SetText("Final|runde");
    form->IAeverButton13.Click();
    EXPECT_EQ(ui.boxes.at(0).text, "Der Rundenname darf keines der Zeichen ! | $ ; enthalten");
    EXPECT_EQ(form->XARunden.Items[2], "Runde 2 ( Finalrunde )");
    form->Edit7.SetText("Final\x1B[32mrunde");
    form->IAeverButton13.Click();
    EXPECT_EQ(ui.boxes.at(1).text, "Der Rundenname enthält Zeichen, die kein Text sind");
    EXPECT_EQ(form->XARunden.Items[2], "Runde 2 ( Finalrunde )");
    EXPECT_EQ(Get(form->Gruppe, Gruppe_RundeName, 3, true), "Finalrunde");
    form->Edit7.SetText("");
    form->IAeverButton13.Click();
    EXPECT_EQ(ui.boxes.size(), 2u);
}

// --- the plans' headers ---

TEST_F(RoundTreeTest, AClickOnAGameNamesItInTheHeader) {
    TwoRounds();
    form->XTreeView1.SetSelected(form->XTreeView1.Nodes()[1]);
    form->DoPlan(form->XPlan1, 0, 0, nullptr);
    form->XPlan1.SetRow(2);
    form->XPlan1Click(nullptr);
    EXPECT_EQ(form->Panel7.Caption(),
              " >> TurnierPlan >> " + form->XTreeView1.Nodes()[1]->Text + " ->> Spiel 2 >> Gruppe B (Gruppe B)");
    // A group node is on level 2: only the path.
    form->XTreeView1.SetSelected(form->XTreeView1.Nodes()[8]);
    form->DoPlan(form->XPlan1, 0, 0, nullptr);
    form->XPlan1Click(nullptr);
    EXPECT_EQ(form->Panel7.Caption(), " >> Runden >> Runde 1 ( Vorrunde ) >> Gruppe A ( Gruppe A )");
    form->Plan1Modus = 2;
    form->Panel7.SetCaption("bleibt");
    form->XPlan1Click(nullptr);
    EXPECT_EQ(form->Panel7.Caption(), "bleibt");
}

// --- referees from the tab ---

// Typing a number of neutral referees chooses them; the stored choice, loaded with its count,
// stays the choice.
TEST_F(RoundTreeTest, TheStoredRefereeChoiceSurvivesItsCountTypedChoiceDoesNot) {
    SetSetting(*form, "SchiriAuswahl", "1");
    SetSetting(*form, "SchiriAusAnz", "3");
    TwoRounds();
    EXPECT_EQ(form->umNeutral.Text(), "3");
    EXPECT_EQ(form->RadioGroup2.ItemIndex(), 1) << "opening the round tree";
    SetSetting(*form, "SchiriAusAnz", "4");
    AlgSet(*form);
    EXPECT_EQ(form->umNeutral.Text(), "4");
    EXPECT_EQ(form->RadioGroup2.ItemIndex(), 1) << "making the tournament current";
    EXPECT_EQ(form->RadioGroup1.ItemIndex(), 1);
    form->umNeutral.SetText("5");
    EXPECT_EQ(form->RadioGroup2.ItemIndex(), 3);
}

TEST_F(RoundTreeTest, ANewTournamentKeepsItsRefereeChoiceWithItsCount) {
    ui.QueueDialog({"Name=Liga", "Schiedsrichter=Aus der Runde", "Anzahl Schiedsrichter=5",
                    "System=Selbstdefinierte Turnierform", "ok"});
    form->NeuesTurnier(false);
    EXPECT_EQ(form->umNeutral.Text(), "5");
    EXPECT_EQ(form->RadioGroup1.ItemIndex(), 1);
    EXPECT_EQ(form->RadioGroup2.ItemIndex(), 1);
}

// The points fields of the scoring tab take a decimal number with a comma, not first and once.
TEST_F(RoundTreeTest, ThePointsFieldsSwallowEveryOtherKey) {
    for (TEdit* points : {&form->umEdit1, &form->umEdit2, &form->umEdit3, &form->umEdit4}) {
        points->SetText("");
        for (char32_t key : {U',', U'-', U'2', U'x', U',', U'5', U',', U'\u00e4', U'0'}) points->WMChar(key);
        EXPECT_EQ(points->Text(), "2,50") << points->Name;
    }
}

TEST_F(RoundTreeTest, TheRefereeTabReassignsTheSelectedRoundOrGroup) {
    TwoRounds();
    const TSortGrid& plan = form->Spielplan;
    auto referees = [&](int round) {
        std::vector<std::string> out;
        for (int row = 1; row < plan.RowCount(); ++row)
            if (IntGet(plan, Spielplan_RNr, row, true) == round) out.push_back(Get(plan, Spielplan_Schir, row, true));
        return out;
    };
    const std::vector<std::string> first = referees(1);
    form->TreeView3.SetSelected(Node(3));
    form->RadioGroup2.SetItemIndex(4);
    form->IAeverButton40.Click();
    EXPECT_THAT(referees(2), ElementsAre("", ""));
    EXPECT_EQ(referees(1), first);
    form->TreeView3.SetSelected(Node(5));
    form->RadioGroup2.SetItemIndex(2);
    form->IAeverButton40.Click();
    EXPECT_THAT(referees(2), ElementsAre("0", "0")) << "a group node of a round in mode 2 takes its round";
    EXPECT_EQ(referees(1), first);
}

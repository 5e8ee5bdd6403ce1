#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "RoundsFixture.h"
#include "engine/RundeAnlegen.h"
#include "foundation/Accessors.h"
#include "foundation/Busy.h"
#include "foundation/Columns.h"
#include "foundation/Settings.h"
#include "platform/Messages.h"
#include "platform/Window.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class RundeAnlegenTest : public RoundsTest {
protected:
    void FirstRound() {
        RoundPage(1, "Vorrunde");
        ListGroup("A", "Gruppe A", "M1;M2;M3", "JGJ");
        ListGroup("B", "Gruppe B", "M4;M5", "SV");
        RundeAnlegen(*form);
    }
};

// --- checks of the page ---

TEST_F(RundeAnlegenTest, TheLastFailingInputCheckIsTheOneShown) {
    ListGroup("A", "Gruppe A", "M1;M2", "JGJ");
    form->Edit10.SetText("25:99");
    form->Edit11.SetText("1,,2");
    const std::vector<std::string> before = Snapshot();
    RundeAnlegen(*form);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].kind, TMsgKind::Warning);
    EXPECT_EQ(ui.boxes[0].text, "Die Feldereingabe ist nicht korrekt");
    EXPECT_EQ(Snapshot(), before);
    EXPECT_THAT(form->calls, ElementsAre("DoPlan(XPlan2)"));
}

TEST_F(RundeAnlegenTest, AnEmptyListMakesNothingAndSaysNothing) {
    const std::vector<std::string> before = Snapshot();
    RundeAnlegen(*form);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_THAT(Boxes(), IsEmpty());
}

TEST_F(RundeAnlegenTest, EveryListedGroupNeedsItsId) {
    ListGroup("A", "Gruppe A", "M1;M2", "JGJ");
    ListGroup("", "ohne", "M3;M4", "JGJ");
    const std::vector<std::string> before = Snapshot();
    RundeAnlegen(*form);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_THAT(Boxes(), ElementsAre(HasSubstr("Zeile 2 hat keine Bezeichnung")));
}

// --- numbering and the rows written ---

TEST_F(RundeAnlegenTest, TheFirstRoundStartsEveryTableAtRowOne) {
    FirstRound();
    EXPECT_THAT(Column(form->Gruppe, Gruppe_Nr), ElementsAre("1", "2"));
    EXPECT_THAT(Column(form->Gruppe, Gruppe_GrNr), ElementsAre("1", "2"));
    EXPECT_THAT(Column(form->Teams, Teams_Nr), ElementsAre("1", "2", "3", "4", "5"));
    EXPECT_THAT(Column(form->Teams, Teams_InGr), ElementsAre("1", "1", "1", "2", "2"));
    EXPECT_THAT(Column(form->Platz, Platz_TeamNr), ElementsAre("1", "2", "3", "4", "5"));
    EXPECT_THAT(Column(form->Platz, Platz_Team), ElementsAre("Mannschaft 1", "Mannschaft 2", "Mannschaft 3",
                                                              "Mannschaft 4", "Mannschaft 5"));
    EXPECT_THAT(Column(form->Spielplan, Spielplan_GrNr), ElementsAre("1", "2", "1", "1"));
    EXPECT_THAT(form->XATeams.Items.ToVector(),
                ElementsAre("Neutrales Schiedsgericht", "Mannschaft 1", "Mannschaft 2", "Mannschaft 3", "Mannschaft 4",
                            "Mannschaft 5"));
    EXPECT_THAT(form->XAGruppBez.Items.ToVector(), ElementsAre("", "A", "B"));
    EXPECT_THAT(form->XARunden.Items.ToVector(), ElementsAre("", "Runde 1 ( Vorrunde )"));
    EXPECT_THAT(form->XAFelder.Items.ToVector(), ElementsAre("", "1"));
}

TEST_F(RundeAnlegenTest, AGroupRowHoldsThePageAndTheList) {
    form->CheckBox1.SetChecked(true);
    form->RadioButton1.SetChecked(false);
    form->RadioButton2.SetChecked(true);
    form->umEdit3.SetText("2");
    form->umEdit4.SetText("1");
    FirstRound();
    const TSortGrid& g = form->Gruppe;
    EXPECT_EQ(Rows(g)[0], "1|2|1|1|1|A|Gruppe A|M1;M2;M3|1|1|1|10:00|20|5||3||||0|||2|1|JGJ||1|Vorrunde||");
}

TEST_F(RundeAnlegenTest, TheSecondRoundGoesOnWhereTheFirstEnded) {
    FirstRound();
    RoundPage(2, "Finale");
    ListGroup("F", "Finale", "1.A;1.B", "SV");
    RundeAnlegen(*form);
    EXPECT_THAT(Column(form->Gruppe, Gruppe_Nr), ElementsAre("1", "2", "3"));
    EXPECT_THAT(Column(form->Teams, Teams_Nr), ElementsAre("1", "2", "3", "4", "5", "6", "7"));
    EXPECT_THAT(Column(form->Teams, Teams_GrNr), ElementsAre("", "", "", "", "", "1", "2"));
    EXPECT_EQ(Column(form->Spielplan, Spielplan_SpNr).back(), "5");
    EXPECT_EQ(Get(form->Spielplan, Spielplan_RNr, 5, true), "2");
    EXPECT_EQ(form->AnzRunden, 2);
}

TEST_F(RundeAnlegenTest, SeparatorsMakeTheSlots) {
    ListGroup("A", "x", "M1;M2;M3", "JGJ");
    ListGroup("B", "y", "M4;M5;M6;", "JGJ");
    RundeAnlegen(*form);
    EXPECT_THAT(Column(form->Teams, Teams_InGr), ElementsAre("1", "1", "1", "2", "2", "2", "2"));
    EXPECT_EQ(Get(form->Teams, Teams_Name, 7, true), "");
    EXPECT_THAT(ErrorLogText(), HasSubstr("PutPlatzhalter FEHLER"));
}

TEST_F(RundeAnlegenTest, ASecondRoundAfterPlacingRowsLeavesThemAlone) {
    FirstRound();
    const int placing = AppendRow(form->Teams);
    Put(form->Teams, Teams_Platz, placing, "1", true);
    Put(form->Teams, Teams_Name, placing, "1. Gruppe A", true);
    const std::string placingRow = Rows(form->Teams)[placing - 1];
    RoundPage(2, "Finale");
    ListGroup("F", "Finale", "1.A;1.B", "SV");
    RundeAnlegen(*form);
    EXPECT_EQ(Rows(form->Teams)[placing - 1], placingRow);
    EXPECT_EQ(IntGet(form->Teams, Teams_Nr, placing + 1, true), placing + 1);
}

TEST_F(RundeAnlegenTest, TheTypedRoundNumberIsKeptAndThePageProposesTheNext) {
    RoundPage(5, "Start");
    ListGroup("A", "x", "M1;M2", "JGJ");
    form->CheckBox6.Visible = true;
    RundeAnlegen(*form);
    EXPECT_THAT(Column(form->Gruppe, Gruppe_RNr), ElementsAre("5"));
    EXPECT_EQ(form->AnzRunden, 1);
    EXPECT_EQ(form->Edit4.Text(), "2");
    EXPECT_EQ(form->Edit3.Text(), "Runde 2");
    EXPECT_EQ(form->Label42.Caption(), "1");
    EXPECT_TRUE(form->CheckBox6.Visible);
    EXPECT_THAT(Rows(form->Gruppen), ElementsAre("|||||"));
}

TEST_F(RundeAnlegenTest, CarryOverIsOfferedFromTheSecondRoundOn) {
    form->CheckBox6.Visible = true;
    form->Edit4.SetText("1");
    RundeAnlegen(*form);
    EXPECT_FALSE(form->CheckBox6.Visible);
}

TEST_F(RundeAnlegenTest, DayAndStartContinueAfterTheRound) {
    SetSetting(*form, "Rundenpause", "15");
    FirstRound();
    // Four games on one field, 20 + 5 minutes each, and the pause between rounds: 10:00 + 4 * 25 - 5 + 15.
    EXPECT_EQ(form->Edit10.Text(), "11:50");
    EXPECT_EQ(form->Edit5.Text(), "1");
}

TEST_F(RundeAnlegenTest, UntimedRoundsProposeTheDefaults) {
    form->XZeitSpiele.SetChecked(false);
    form->Edit10.SetText("14:00");
    form->Edit5.SetText("3");
    FirstRound();
    EXPECT_EQ(form->Edit10.Text(), "10:00");
    EXPECT_EQ(form->Edit5.Text(), "1");
}

TEST_F(RundeAnlegenTest, CountersShowGamesRoundsAndFields) {
    form->Edit11.SetText("1-3");
    FirstRound();
    EXPECT_EQ(form->Panel11.Caption(), "Spiele: 4");
    EXPECT_EQ(form->Panel12.Caption(), "Runden: 1");
    EXPECT_EQ(form->Panel34.Caption(), "Felder: 3");
    EXPECT_THAT(form->calls, ElementsAre("doTurnierBaum()", "DoPlan(XPlan2)"));
}

TEST_F(RundeAnlegenTest, TheNewRoundIsAnnouncedWhenTheWindowAsks) {
    form->RundenAnsage = true;
    FirstRound();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].kind, TMsgKind::Information);
    EXPECT_EQ(ui.boxes[0].text, "Runde wurde erfolgreich angelegt");
}

TEST_F(RundeAnlegenTest, OwnGroupRefereesWithRoundNumberZeroStayNeutral) {
    RoundPage(0, "Null");
    ListGroup("A", "x", "M1;M2;M3;M4", "JGJ");
    RundeAnlegen(*form);
    EXPECT_THAT(Column(form->Spielplan, Spielplan_Schir), ElementsAre("0", "0", "0", "0", "0", "0"));
    EXPECT_THAT(ErrorLogText(), HasSubstr("[X] generateSchiris: Gruppe aber keine GruppenNummer"));
}

TEST_F(RundeAnlegenTest, OwnGroupRefereesComeFromTheGroup) {
    ListGroup("A", "x", "M1;M2;M3", "JGJ");
    ListGroup("B", "y", "M4;M5;M6", "JGJ");
    form->Edit11.SetText("1-2");
    RundeAnlegen(*form);
    const TSortGrid& plan = form->Spielplan;
    for (int row = 1; row < plan.RowCount(); ++row) {
        const int referee = IntGet(plan, Spielplan_Schir, row, true);
        EXPECT_EQ(IntGet(form->Teams, Teams_InGr, referee, true), IntGet(plan, Spielplan_GrNr, row, true)) << row;
    }
}

TEST_F(RundeAnlegenTest, NeutralRefereesTakeTheirCountFromThePage) {
    form->RadioGroup1.SetItemIndex(3);
    form->umNeutral2.SetText("1");
    form->Edit11.SetText("1-2");
    ListGroup("A", "x", "M1;M2;M3;M4", "SV");
    RundeAnlegen(*form);
    EXPECT_THAT(Column(form->Spielplan, Spielplan_Schir), ElementsAre("N1", "N0"));
}

// --- one command at a time ---

namespace {
// A window whose message starts round creation, as a click arriving while the window lets its
// messages through would.
class ClickWindow : public TWindowProc {
public:
    explicit ClickWindow(TMainForm& form) : form_(form) { handle = CreateWindowHandle(this, {}); }
    ~ClickWindow() override { DestroyWindow(handle); }
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_USER) RundeAnlegen(form_);
    }
    HWND handle = 0;

private:
    TMainForm& form_;
};
}  // namespace

TEST_F(RundeAnlegenTest, ACommandArrivingDuringCreationIsRefused) {
    ClickWindow window(*form);
    ASSERT_TRUE(PostMessage(window.handle, WM_USER));
    FirstRound();
    EXPECT_EQ(form->AnzRunden, 1);
    EXPECT_THAT(Column(form->Gruppe, Gruppe_Nr), ElementsAre("1", "2"));
    EXPECT_THAT(Boxes(), ElementsAre(HasSubstr("\"Runde anlegen\" ist noch nicht fertig")));
    EXPECT_FALSE(IsBusy(*form));
}

// --- the new-group command ---

TEST_F(RundeAnlegenTest, ANewGroupFromTheDialogJoinsTheList) {
    form->Label20.SetCaption("4");
    ui.QueueDialog({"Name=Gruppe A", "Teilnehmer=M1;M2;M3", "ok"});
    NeueGruppe(*form);
    ui.QueueDialog({"Name=Gruppe B", "System=Anzahl Spiele:", "Anzahl Spiele=5", "Kandidat=Mannschaft 4",
                    "Kandidat=M1", "ok"});
    NeueGruppe(*form);
    EXPECT_THAT(Rows(form->Gruppen), ElementsAre("A|Gruppe A|M1;M2;M3|3|JGJ|", "B|Gruppe B|M4;M1|2|A5|"));
    EXPECT_THAT(ui.unscripted, IsEmpty());
}

TEST_F(RundeAnlegenTest, ACancelledDialogLeavesTheList) {
    ui.QueueDialog({"Name=Gruppe A", "abbrechen"});
    NeueGruppe(*form);
    EXPECT_THAT(Rows(form->Gruppen), ElementsAre("|||||"));
}

TEST_F(RundeAnlegenTest, NoNewGroupBeyondTheLimit) {
    form->Gruppe.SetRowCount(200);
    NeueGruppe(*form);
    EXPECT_THAT(Boxes(), ElementsAre("Maximal 199 erlaubt."));
    EXPECT_THAT(ui.dialogCaptions, IsEmpty());
}

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "LightForm.h"
#include "TestEnvironment.h"
#include "TurnierBuilder.h"
#include "dialogs/Dialogs.h"
#include "engine/TurnierWechsel.h"
#include "foundation/Notation.h"
#include "foundation/Settings.h"
#include "foundation/Tables.h"

using namespace turnier_builder;
using ::testing::HasSubstr;

class TurnierWechselTest : public ProgramTest {
protected:
    LightForm form;

    void SwitchTo(int n) {
        form.XComboBox1.SetItemIndex(n - 1);
        turnierWechseln(form);
    }
    std::string ErrorLogText() const { return ReadProgramFile("error.log"); }
};

// --- switching ---

TEST_F(TurnierWechselTest, SwitchingBackAndForthRestoresBothTournamentsRowForRow) {
    OpenTurnier(form, "Stadtpokal", "SP");
    AddSmallStructure(form, "A", "1");
    OpenTurnier(form, "Kreisliga", "KL");
    AddSmallStructure(form, "K", "3");
    SwitchTo(1);
    SwitchTo(2);
    SwitchTo(1);
    const TurnierRows first = CurrentRows(form);
    SwitchTo(2);
    const TurnierRows second = CurrentRows(form);
    SwitchTo(1);
    EXPECT_EQ(CurrentRows(form), first);
    // The parked tournament stands in XMasterGrid in table order.
    const char* kinds[] = {"1", "2", "4", "4", "3", "3", "3", "3", "6"};
    ASSERT_EQ(form.XMasterGrid.RowCount() - 1, 9 + 19) << "widths stored as settings travel along";
    for (int r = 1; r <= 8; ++r) EXPECT_EQ(form.XMasterGrid.Cells(1, r), kinds[r - 1]) << r;
    SwitchTo(2);
    EXPECT_EQ(CurrentRows(form), second);
    EXPECT_EQ(form.Gruppe.Cells(Gruppe_Bez, 1), "K");
}

TEST_F(TurnierWechselTest, SwitchingKeepsEachTournamentsChangedMark) {
    OpenTurnier(form, "Stadtpokal", "SP");
    setTurChanged(form, true);
    OpenTurnier(form, "Kreisliga", "KL");
    SwitchTo(1);
    EXPECT_EQ(form.Turnier.Cells(Turnier_Changes, 1), "true");
    SwitchTo(2);
    EXPECT_EQ(form.Turnier.Cells(Turnier_Changes, 1), "");
    EXPECT_TRUE(AnyTurnierChanged(form));
}

TEST_F(TurnierWechselTest, SwitchingToTheCurrentOneOrToNothingDoesNothing) {
    OpenTurnier(form, "Stadtpokal", "SP");
    OpenTurnier(form, "Kreisliga", "KL");
    form.calls.clear();
    form.XComboBox1.SetItemIndex(1);
    EXPECT_FALSE(turnierWechseln(form));
    form.XComboBox1.SetItemIndex(-1);
    EXPECT_FALSE(turnierWechseln(form));
    EXPECT_TRUE(form.calls.empty());
    EXPECT_EQ(form.AktTurNr, 2);
}

TEST_F(TurnierWechselTest, SwitchingShowsTheNewTournamentInCaptionAndStatusBar) {
    OpenTurnier(form, "Stadtpokal", "SP");
    AddSmallStructure(form, "A", "1");
    OpenTurnier(form, "Kreisliga", "KL");
    form.calls.clear();
    SwitchTo(1);
    EXPECT_EQ(form.AktTurNr, 1);
    EXPECT_EQ(form.Label39.Caption(), "[SP] Stadtpokal");
    EXPECT_THAT(form.calls, ::testing::Contains("setStatusText(1,Turnier: [SP] Stadtpokal)"));
    EXPECT_THAT(form.calls, ::testing::Contains("setStatusText(2,Fussball)"));
}

// --- AlgSet ---

TEST_F(TurnierWechselTest, GeneralValuesOfTheCurrentTournamentFillTheWindow) {
    OpenTurnier(form, "Stadtpokal", "SP");
    AddSmallStructure(form, "A", "1");
    AddSmallStructure(form, "B", "2");
    SetSetting(form, "TeamTyp", "Spieler");
    SetSetting(form, "TeamTyps", "Spieler");
    SetSetting(form, "SchiriAusAnz", "3");
    form.RadioGroup1.Items.Add("a");
    form.RadioGroup1.Items.Add("b");
    SetSetting(form, "SchiriAuswahl", "1");
    form.RichEdit1.Add("alt");
    LoadTurSettings(form);
    AlgSet(form);
    EXPECT_EQ(form.Label42.Caption(), "1");
    EXPECT_EQ(form.Panel11.Caption(), "Spiele: 4");
    EXPECT_EQ(form.Panel12.Caption(), "Runden: 1");
    EXPECT_EQ(form.Panel34.Caption(), "Felder: 2");
    EXPECT_EQ(form.Label39.Caption(), "[SP] Stadtpokal");
    EXPECT_EQ(form.Label20.Caption(), "4");
    EXPECT_EQ(form.Edit4.Text(), "2");
    EXPECT_EQ(form.Edit3.Text(), "Runde 2");
    EXPECT_EQ(form.Gruppen.Cells(2, 0), "Spieler");
    EXPECT_EQ(DialogsOf(form).frmExport.Label5.Caption(), "Spieler");
    EXPECT_EQ(form.RadioGroup1.ItemIndex(), 1);
    EXPECT_EQ(form.umNeutral.Text(), "3");
    EXPECT_TRUE(form.RichEdit1.Lines.empty());
    EXPECT_TRUE(form.TabSheet8.TabVisible);
}

// "Ergebnis aus Vorrunde übernehmen" belongs to the round the page proposes: not to round 1 of
// a new window or of a tournament without rounds, whatever the tournament before had.
TEST_F(TurnierWechselTest, TheCarryOverIsOfferedOnlyWhileTheProposedRoundHasAPredecessor) {
    EXPECT_FALSE(form.CheckBox6.Visible);
    OpenTurnier(form, "Stadtpokal", "SP");
    AddSmallStructure(form, "A", "1");
    OpenTurnier(form, "Kreisliga", "KL");
    SwitchTo(1);
    EXPECT_EQ(form.Edit4.Text(), "2");
    EXPECT_TRUE(form.CheckBox6.Visible);
    SwitchTo(2);
    EXPECT_EQ(form.Edit4.Text(), "1");
    EXPECT_FALSE(form.CheckBox6.Visible);
    SwitchTo(1);
    EXPECT_TRUE(form.CheckBox6.Visible);
}

TEST_F(TurnierWechselTest, AnEmptyGamePlanCountsNoGames) {
    OpenTurnier(form, "Stadtpokal", "SP");
    SetSetting(form, "ZeitSpiele", "false");
    LoadTurSettings(form);
    AlgSet(form);
    EXPECT_EQ(form.Panel11.Caption(), "Spiele: 0");
    EXPECT_EQ(form.Panel34.Caption(), "Felder: 0");
    EXPECT_FALSE(form.TabSheet8.TabVisible);
    EXPECT_EQ(form.PageControl2.ActivePage, &form.TabSheet5);
}

// --- final placing codes ---

TEST_F(TurnierWechselTest, PlacingNamesTurnIntoCodesOnlyInTheProgramsOwnForms) {
    EXPECT_EQ(PlacingCodeOfName("Verlierer Spiel 7"), "V7");
    EXPECT_EQ(PlacingCodeOfName("Sieger Spiel 12"), "S12");
    EXPECT_EQ(PlacingCodeOfName("1. Gruppe A"), "1.A");
    EXPECT_EQ(PlacingCodeOfName("12. Gruppe Süd"), "12.Süd");
    for (const char* name : {"Spielgemeinschaft Nord", "Spiel um Platz 3", "Sieger Spiel", "Sieger Spiel 3b",
                             "Gruppe A", "Erster. Gruppe A", "1. Gruppe ", "Verlierer Spiel -2"})
        EXPECT_EQ(PlacingCodeOfName(name), "") << name;
}

TEST_F(TurnierWechselTest, APlacingRowWithoutCodeGetsItBackWhenItsTournamentBecomesCurrent) {
    OpenTurnier(form, "Stadtpokal", "SP");
    AddSmallStructure(form, "A", "1");
    const int lost = AddRow(form, TabelleTeams, {"5", "", "", "0", "Verlierer Spiel 7", "", "", "1", "0", "", ""});
    const int own = AddRow(form, TabelleTeams, {"6", "", "", "0", "Spielgemeinschaft", "", "", "2", "0", "", ""});
    const int place = AddRow(form, TabelleTeams, {"7", "", "", "0", "2. Gruppe A", "", "", "3", "0", "", ""});
    OpenTurnier(form, "Kreisliga", "KL");
    SwitchTo(1);
    EXPECT_EQ(form.Teams.Cells(Teams_SV, lost), "V");
    EXPECT_EQ(form.Teams.Cells(Teams_Pos, lost), "7");
    EXPECT_EQ(form.Teams.Cells(Teams_SV, own), "");
    EXPECT_EQ(form.Teams.Cells(Teams_Pos, own), "");
    EXPECT_EQ(form.Teams.Cells(Teams_Pos, place), "2");
    EXPECT_EQ(form.Teams.Cells(Teams_GrNr, place), "1");
    EXPECT_THAT(ErrorLogText(), HasSubstr("[X] Konnte Team Spielgemeinschaft nicht in EndPlatz zuweisen"));
}

// --- any sequence of switches ---

namespace {

std::string RandomCell(std::mt19937& random) {
    static const char* const samples[] = {"", "", "1", "17", "Müller", "a|b", " ", "Gruppe A", "true", "Ärger É"};
    return samples[random() % (sizeof samples / sizeof *samples)];
}

// A tournament of random rows in every table; its changed mark is random as well.
void FillRandomTurnier(TMainForm& f, std::mt19937& random) {
    for (int kind = TabelleGruppe; kind <= TabelleUkSound; ++kind) {
        const int rows = static_cast<int>(random() % 6);
        for (int r = 0; r < rows; ++r) {
            std::vector<std::string> cells;
            for (int c = 2; c < 31; ++c) cells.push_back(RandomCell(random));
            if (kind == TabelleTeams) cells[Teams_Platz - 2] = "";
            AddRow(f, kind, cells);
        }
    }
}

}  // namespace

TEST_F(TurnierWechselTest, AnySequenceOfSwitchesKeepsEveryTournamentAsItWas) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        LightForm window;
        std::mt19937 random(seed);
        const int count = seed == 12 ? 99 : 1 + static_cast<int>(random() % 20);
        for (int t = 1; t <= count; ++t) {
            OpenTurnier(window, "Turnier " + IntToStr(t), "T" + IntToStr(t));
            FillRandomTurnier(window, random);
        }
        // Becoming current once stores the default widths; from then on nothing may change.
        std::map<int, TurnierRows> expected;
        for (int t = 1; t <= count; ++t) {
            window.XComboBox1.SetItemIndex(t - 1);
            turnierWechseln(window);
            setTurChanged(window, random() % 2 == 0);
            expected[t] = CurrentRows(window);
        }
        for (int step = 0; step < 150; ++step) {
            const int target = 1 + static_cast<int>(random() % count);
            if (random() % 3) {
                window.XComboBox1.SetItemIndex(target - 1);
                turnierWechseln(window);
            } else {
                // Pack and unpack by hand, as loading does, back to the same or another one.
                TurToMaster(window, window.AktTurNr);
                ClearAll(window, false);
                window.AktTurNr = target;
                MasterToTur(window, target);
                AlgSet(window);
                window.XComboBox1.SetItemIndex(target - 1);
            }
            ASSERT_EQ(CurrentRows(window), expected[window.AktTurNr]) << "seed " << seed << " step " << step;
        }
        for (int t = 1; t <= count; ++t) {
            window.XComboBox1.SetItemIndex(t - 1);
            turnierWechseln(window);
            ASSERT_EQ(CurrentRows(window), expected[t]) << "seed " << seed << " tournament " << t;
        }
    }
}

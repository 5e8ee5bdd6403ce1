#include <gtest/gtest.h>

#include "SmallTournament.h"
#include "TestEnvironment.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Logs.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/ProgramSettings.h"
#include "foundation/Settings.h"
#include "foundation/Texts.h"
#include "mainwindow/main.h"

class MainWindowTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        form = std::make_unique<TForm1>();
    }
    std::unique_ptr<TForm1> form;

    std::vector<std::string> TreeTexts(TTreeView& tree) {
        std::vector<std::string> out;
        for (TTreeNode* node : tree.Nodes()) out.push_back(node->Text);
        return out;
    }
};

TEST_F(MainWindowTest, CaptionNamesTheReleaseNotAnError) {
    EXPECT_EQ(form->Caption(), "Marovelkandis Release 1.88a");
}

TEST_F(MainWindowTest, StartTakesIniPathAndTournamentFolder) {
    SetProgramGlobals("");
    EXPECT_EQ(IniPath, folder + "Marovelka4.ini");
    EXPECT_EQ(form->TurFileDir, folder);
    RegWriteString("TurFileDir", "/daten/turniere/");
    TForm1 second;
    EXPECT_EQ(second.TurFileDir, "/daten/turniere/");
}

TEST_F(MainWindowTest, FormCreateWritesTheFormsFileHeaderOnce) {
    form->FormCreate();
    const std::string header = "Bitte diese Datei nicht editieren\r\n|" + std::string(49, '-') + "\r\n";
    EXPECT_EQ(ReadProgramFile("EigenForm.dat"), header);
    WriteProgramFile("EigenForm.dat", header + "8|Kurz|x\r\n|y\r\n");
    form->FormCreate();
    EXPECT_EQ(ReadProgramFile("EigenForm.dat"), header + "8|Kurz|x\r\n|y\r\n");
}

TEST_F(MainWindowTest, TextsAreBoundToTheWindow) {
    form->Wertung2 = "Tore";
    form->FormCreate();
    EXPECT_EQ(form->Datei1.Caption(), "&Turnier");
    EXPECT_EQ(form->Label25.Caption(), lngText(318));
    EXPECT_EQ(form->XPlan1.Cells(2, 0), "Datum");
    EXPECT_EQ(form->XPlan2.Cells(3, 0), "Feld");
    EXPECT_EQ(form->XPlan1.Cells(9, 0), "Schiedsrichter");
    EXPECT_EQ(form->RadioGroup1.Caption(), lngText(39));
    EXPECT_EQ(form->RadioGroup2.Items.Count(), 5);
    EXPECT_EQ(form->RadioButton2.Caption(), lngText(43) + " Tore");
    EXPECT_EQ(form->Panel65.Caption(), ">> " + lngText(347));
    // The speed buttons of the round-editing page take their captions like the other buttons,
    // and every binding finds its control: the start leaves no error line.
    EXPECT_EQ(form->SpeedButton8.Caption(), lngText(333));
    EXPECT_EQ(form->SpeedButton9.Caption(), lngText(41));
    EXPECT_EQ(form->SpeedButton7.Caption(), lngText(382));
    EXPECT_FALSE(ProgramFileExists("error.log")) << ReadProgramFile("error.log");
}

TEST_F(MainWindowTest, RefereeNames) {
    FillSmallTournament(*form);
    SetSetting(*form, "N2", "Frau Schmidt");
    EXPECT_EQ(form->getSchiriName(1), "Frau Schmidt");
    EXPECT_EQ(form->getSchiriName(2), "Delfine") << "name assigned at the start wins";
    Put(form->Spielplan, Spielplan_Schir, 2, "3", true);
    EXPECT_EQ(form->getSchiriName(2), "Condor");
    Put(form->Spielplan, Spielplan_Schir, 2, "", true);
    EXPECT_EQ(form->getSchiriName(2), "Neutrales Schiedsgericht");
    Put(form->Spielplan, Spielplan_Schir, 2, "0", true);
    EXPECT_EQ(form->getSchiriName(2), "Neutrales Schiedsgericht");
    Put(form->Spielplan, Spielplan_Schir, 2, "N5", true);
    EXPECT_EQ(form->getSchiriName(2), "Neutrales Schiedsgericht 5");
}

TEST_F(MainWindowTest, TreeHasThePlanNodesThenTheRounds) {
    FillSmallTournament(*form);
    form->doTurnierBaum();
    auto nodes = form->XTreeView1.Nodes();
    ASSERT_GE(nodes.size(), 7u);
    EXPECT_EQ(nodes[6]->Text, "Runden");
    EXPECT_EQ(nodes[7]->Text, "Runde 1 ( Vorrunde )");
    EXPECT_EQ(nodes[8]->Text, "Gruppe A ( Gruppe A )");
    EXPECT_EQ(form->XTreeView1.Selected()->Text, lngText(23));
    form->XZeitSpiele.SetChecked(true);
    form->doTurnierBaum();
    EXPECT_EQ(form->XTreeView2.Nodes()[8]->Text, "Runden");
}

TEST_F(MainWindowTest, TreeBeforeTheFirstRoundShowsTheTypedGroups) {
    FillSmallTournament(*form);
    form->AnzRunden = 0;
    Put(form->Teams, Teams_Name, 1, "Adler", true);
    form->doTurnierBaum();
    auto texts = TreeTexts(form->XTreeView1);
    EXPECT_EQ(texts[7], "Runde 1");
    EXPECT_EQ(texts[9], "Gruppe B ( Gruppe B )");
}

TEST_F(MainWindowTest, GameListsMarkGamesOpenForResults) {
    FillSmallTournament(*form);
    form->doTurnierBaum();
    form->XPlan1.SetRow(2);
    form->DoPlan(form->XPlan1, 0, 0, nullptr);
    EXPECT_EQ(form->Plan1Modus, 1);
    EXPECT_EQ(form->XPlan1.RowCount(), 3);
    EXPECT_EQ(form->XPlan1.Cells(0, 1), ">>");
    EXPECT_EQ(form->XPlan1.Cells(1, 1), "1");
    EXPECT_EQ(form->XPlan1.Cells(5, 1), "A");
    EXPECT_EQ(form->XPlan1.Cells(6, 1), "Adler - Bären");
    EXPECT_EQ(form->XPlan1.Cells(10, 1), "Gruppe A");
    EXPECT_EQ(form->XPlan1.Cells(0, 2), "") << "a closed group takes no results";
    EXPECT_EQ(Get(form->Spielplan, Spielplan_Status, 1, true), ">>");
    EXPECT_EQ(Get(form->Spielplan, Spielplan_Status, 2, true), "");
    EXPECT_EQ(form->XPlan1.Row(), 2) << "the clicked row stays current";
}

TEST_F(MainWindowTest, GroupNodeListsOnlyItsGames) {
    FillSmallTournament(*form);
    form->doTurnierBaum();
    auto nodes = form->XTreeView2.Nodes();
    form->XTreeView2.SetSelected(nodes[9]);  // group B
    form->DoPlan(form->XPlan2, 0, 0, nullptr);
    EXPECT_EQ(form->Plan2Modus, 4);
    EXPECT_EQ(form->XPlan2.RowCount(), 2);
    EXPECT_EQ(form->XPlan2.Cells(1, 1), "2");
    EXPECT_EQ(form->XPlan2.Cells(6, 1), "Condor - Delfine");
}

TEST_F(MainWindowTest, GameWithAGroupNumberNoListHasIsListedWithoutGroup) {
    FillSmallTournament(*form);
    Put(form->Spielplan, Spielplan_GrNr, 1, "-1", true);  // as a damaged file may hold
    Put(form->Spielplan, Spielplan_GrNr, 2, "99", true);
    form->doTurnierBaum();
    ASSERT_NO_THROW(form->DoPlan(form->XPlan1, 0, 0, nullptr));
    EXPECT_EQ(form->XPlan1.Cells(1, 1), "1");
    EXPECT_EQ(form->XPlan1.Cells(5, 1), "");
    EXPECT_EQ(form->XPlan1.Cells(10, 1), "");
    EXPECT_EQ(form->XPlan1.Cells(5, 2), "");
}

TEST_F(MainWindowTest, NoSelectedNodeLeavesThePlanAlone) {
    form->XPlan1.SetCells(1, 1, "alt");
    form->DoPlan(form->XPlan1, 0, 0, nullptr);
    EXPECT_EQ(form->XPlan1.Cells(1, 1), "alt");
    EXPECT_EQ(form->Plan1Modus, 0);
}

TEST_F(MainWindowTest, StatusPanelsMenusAndReset) {
    form->setStatusText(2, "Gespeichert");
    form->setStatusText(4, "nie");
    EXPECT_EQ(form->StatusBar1.Panels[2], "Gespeichert");
    EXPECT_EQ(form->StatusBar1.Panels.Count(), 4);
    DebugModus = true;
    form->showMenuEmpty(true, false);
    EXPECT_FALSE(form->AlleTurnierespeichern1.Enabled);
    EXPECT_TRUE(form->Datei1.Enabled);
    form->showMenuEmpty(false, false);
    EXPECT_TRUE(form->AlleTurnierespeichern1.Enabled);
    FillSmallTournament(*form);
    form->InitAll();
    EXPECT_EQ(form->XATeams.Items.Count(), 0);
    const std::string trace = ReadProgramFile("debug.log");
    EXPECT_NE(trace.find("[F] showMenuEmpty(true,false)"), std::string::npos);
    EXPECT_NE(trace.find("[F] InitAll(): Alle Felder zuruecksetzen"), std::string::npos);
}

TEST_F(MainWindowTest, ToolPagesByTag) {
    form->showWerkzeug(29);
    EXPECT_EQ(form->PageControl1.ActivePage, &form->TabSheet29);
    form->showWerkzeug(-3);
    EXPECT_EQ(form->PageControl1.ActivePage, &form->TabSheet1);
}

TEST_F(MainWindowTest, DebugSwitchFromTheFirstArgument) {
    form.reset();
    SetProgramGlobals("-d");
    form = std::make_unique<TForm1>();
    EXPECT_TRUE(DebugModus);
    EXPECT_EQ(ReadProgramFile("debug.log"), "[06.12.26 09:05:03] Auf: \r\n");
}

TEST_F(MainWindowTest, TwoWindowsSideBySideKeepTheirOwnTablesAndGoInEitherOrder) {
    for (bool firstGoesFirst : {true, false}) {
        auto first = std::make_unique<TForm1>();
        auto second = std::make_unique<TForm1>();
        first->AktTurNr = 1;
        second->AktTurNr = 1;
        SetSetting(*first, "TeamTyp", "Spieler");
        SetSetting(*second, "TeamTyp", "Mannschaft");
        Put(first->Spielplan, Spielplan_Schir, 1, "N1", true);
        Put(second->Spielplan, Spielplan_Schir, 1, "N1", true);
        SetSetting(*first, "N1", "Herr Meier");
        EXPECT_EQ(first->getSchiriName(1), "Herr Meier");
        EXPECT_EQ(second->getSchiriName(1), "Neutrales Schiedsgericht 1");
        EXPECT_EQ(GetSetting(*second, "TeamTyp", ""), "Mannschaft");
        if (firstGoesFirst) first.reset(); else second.reset();
        TForm1& alive = first ? *first : *second;
        alive.doTurnierBaum();
        EXPECT_EQ(alive.XTreeView1.Selected()->Text, lngText(23));
        EXPECT_EQ(GetSetting(alive, "TeamTyp", ""), firstGoesFirst ? "Mannschaft" : "Spieler");
    }
}

TEST_F(MainWindowTest, NameListButtonsAreBoundToTheirHandlers) {
    for (const char* name : {"Frau Berger", "Herr Acker"}) {
        form->Edit1.SetText(name);
        form->Button3.Click();
    }
    ASSERT_EQ(form->ListView1.Items.size(), 2u);
    WriteProgramFile("schiris.dat", "Schulz\r\n");
    form->RadioButton9.SetChecked(true);
    ASSERT_EQ(form->ListView2.Items.size(), 1u) << "choosing the referees shows their list";
    EXPECT_EQ(form->ListView2.Items[0].Caption, "Schulz");
    form->ListView1.Items[0].Selected = true;  // sorted: "Frau Berger" comes first
    form->Button4.Click();
    EXPECT_EQ(ReadProgramFile("zeitnehmer.dat"), "Herr Acker\r\n");
}

// Menu entries that do what a button does run that button's handler.
TEST_F(MainWindowTest, MenuAndPopupEntriesRunTheirHandlers) {
    ui.QueueDialog({"abbrechen"});
    form->EndPlatzierungbearbeiten1.Click();
    EXPECT_TRUE(form->HandlersRun.count("IAeverButton55Click"));
    form->Spieleinstellung1.Click();
    EXPECT_TRUE(form->HandlersRun.count("Spieleinstellung1Click"));
    ui.QueueDialog({"abbrechen"});
    form->Vorbereitung1.Click();
    EXPECT_TRUE(form->HandlersRun.count("Vorbereitung1Click"));
    EXPECT_EQ(form->AnzTurniere, 0) << "a cancelled preparation makes nothing";
}

// Clicks on the grids run the handlers of the plans and of the round page's group list.
TEST_F(MainWindowTest, GridClicksRunTheirHandlers) {
    const std::pair<TStringGrid*, const char*> clicks[] = {{&form->XPlan1, "XPlan1Click"}, {&form->XPlan2, "XPlan2Click"}};
    for (const auto& [grid, handler] : clicks) {
        grid->Click();
        EXPECT_TRUE(form->HandlersRun.count(handler)) << handler;
    }
    const std::pair<TStringGrid*, const char*> doubleClicks[] = {
        {&form->XPlan1, "XPlan1DblClick"}, {&form->XPlan2, "XPlan2DblClick"}, {&form->Gruppen, "IAeverButton18Click"}};
    for (const auto& [grid, handler] : doubleClicks) {
        grid->DblClick();
        EXPECT_TRUE(form->HandlersRun.count(handler)) << handler;
    }
}

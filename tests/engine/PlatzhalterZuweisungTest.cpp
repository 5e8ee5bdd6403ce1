#include <gtest/gtest.h>

#include <set>

#include "StartFixture.h"
#include "engine/NamenAusDatei.h"
#include "engine/PlatzhalterZuweisung.h"
#include "engine/SpielplanKlick.h"
#include "engine/TurnierStart.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Platzgrid.h"
#include "foundation/Settings.h"
#include "foundation/files/LineFile.h"

using Strings = std::vector<std::string>;

class ZuweisungTest : public StartTest {
protected:
    void SetUp() override {
        StartTest::SetUp();
        setupEndPlatzierung(*form);
    }
    void AssignAt(int row, const Strings& names, const Strings& selected) {
        Offer(names, selected);
        form->Xplatzgrid.SetRow(row);
        doNamenZuweisen(*form);
    }
    std::string Changed() const { return Get(form->Turnier, Turnier_Changes, 1, true); }
    std::vector<std::string> BoxTexts() const {
        Strings texts;
        for (const auto& box : ui.boxes) texts.push_back(box.text);
        return texts;
    }
};

// --- assigning selected names ---

TEST_F(ZuweisungTest, ThreeNamesOnTheLastSlotAssignOnlyTheFirst) {
    AssignAt(4, {"Adler", "Bären", "Condor"}, {"Adler", "Bären", "Condor"});
    EXPECT_EQ(Names(), (Strings{"", "", "", "Adler"}));
    EXPECT_EQ(form->Xplatzgrid.Row(), 4);
    EXPECT_EQ(Changed(), "true");
}

TEST_F(ZuweisungTest, NameGivenAlreadyLetsTheNextNameTakeTheSameRow) {
    Fill({"", "", "", "Bären"});
    AssignAt(1, {"Adler", "Bären", "Condor"}, {"Bären", "Condor"});
    EXPECT_EQ(Names(), (Strings{"Condor", "", "", "Bären"}));
    EXPECT_EQ(form->Xplatzgrid.Row(), 2);
}

TEST_F(ZuweisungTest, AssignWithoutTargetRowAsksForSourceAndTarget) {
    form->Xplatzgrid.SetRow(0);
    Offer({"Adler"}, {"Adler"});
    doNamenZuweisen(*form);
    EXPECT_EQ(BoxTexts(), Strings{"Bitte Quelle und Ziel auswählen"});
    EXPECT_EQ(Names(), Strings(4, ""));
    EXPECT_EQ(Changed(), "");
}

TEST_F(ZuweisungTest, LockedRowTakesNoName) {
    form->Xplatzgrid.SetCells(Platzgrid_Sperre, 1, "NO");
    AssignAt(1, {"Adler", "Bären"}, {"Adler", "Bären"});
    EXPECT_EQ(Names(), Strings(4, ""));
}

TEST_F(ZuweisungTest, AssignedNameReplacesThePlayersOfTheNameBefore) {
    Fill({"Adler"});
    form->Xplatzgrid.SetCells(Platzgrid_Spieler, 1, "Anna|Arno");
    AssignAt(1, {"Bären"}, {"Bären"});
    EXPECT_EQ(form->Xplatzgrid.Rows(1).ToVector(), (Strings{"A", "Mannschaft 1", "Bären", "", "1", "1", ""}));
}

TEST_F(ZuweisungTest, OverlongNameFromTheListIsCut) {
    AssignAt(1, {std::string(34, 'x')}, {std::string(34, 'x')});
    EXPECT_EQ(Grid(Platzgrid_Mannschaft, 1), std::string(30, 'x'));
    EXPECT_EQ(BoxTexts(), Strings{"Name wurde auf 30 gekürzt"});
}

TEST_F(ZuweisungTest, AllNamesByButtonStartTheTournamentAndATakeBackWithdrawsIt) {
    AssignAt(1, {"Adler", "Bären", "Condor", "Dachse"}, {"Adler", "Bären", "Condor", "Dachse"});
    EXPECT_EQ(State(a), "None");
    EXPECT_EQ(GetSetting(*form, "Spielstart", ""), "true");
    form->Xplatzgrid.SetRow(2);
    doNamenZuruecknehmen(*form);
    // The slot keeps its group, so its group is reset like every group without results.
    EXPECT_EQ(State(a), "");
    EXPECT_EQ(State(b), "");
    EXPECT_EQ(GetSetting(*form, "Spielstart", ""), "false");
}

// --- taking back ---

TEST_F(ZuweisungTest, TakeBackKeepsTheNamesResolvedForOtherRows) {
    Fill({"Adler", "Bären", "Condor", "Dachse"});
    checkStartTur(*form);
    Put(form->Teams, Teams_Name_Tur, winnerA, "Adler", true);
    ListPut(form->XATeamsTur, winnerA, "Adler");
    form->Xplatzgrid.SetRow(4);
    doNamenZuruecknehmen(*form);
    EXPECT_EQ(Team(Teams_Name_Tur, m4), "");
    EXPECT_EQ(ListGet(form->XATeamsTur, m4), "");
    EXPECT_EQ(ListGet(form->XATeamsTur, m1), "Adler");
    EXPECT_EQ(ListGet(form->XATeamsTur, winnerA), "Adler");
    EXPECT_EQ(ListGet(form->XATeamsTur, 0), "Neutrales Schiedsgericht");
}

TEST_F(ZuweisungTest, NameTakenBackReturnsToTheTeamListInOrder) {
    Fill({"Bären"});
    form->Xplatzgrid.SetCells(Platzgrid_Spieler, 1, "Berta");
    Offer({"Adler", "Condor"});
    form->Xplatzgrid.SetRow(1);
    doNamenZuruecknehmen(*form);
    ASSERT_EQ(form->ListView2.Items.size(), 3u);
    EXPECT_EQ(form->ListView2.Items[1].Caption, "Bären");
    EXPECT_EQ(Grid(Platzgrid_Mannschaft, 1), "");
    EXPECT_EQ(Grid(Platzgrid_Spieler, 1), "");
    EXPECT_EQ(Grid(Platzgrid_GrNr, 1), "1");
    EXPECT_EQ(Changed(), "true");
}

TEST_F(ZuweisungTest, NameTakenBackStaysOutOfTheRefereeList) {
    Fill({"Bären"});
    form->RadioButton9.SetChecked(true);
    Offer({"Schulz"});
    form->Xplatzgrid.SetRow(1);
    doNamenZuruecknehmen(*form);
    EXPECT_EQ(form->ListView2.Items.size(), 1u);
}

TEST_F(ZuweisungTest, LockedRowKeepsItsName) {
    Fill({"Adler"});
    form->Xplatzgrid.SetCells(Platzgrid_Sperre, 1, "NO");
    form->Xplatzgrid.SetRow(1);
    doNamenZuruecknehmen(*form);
    EXPECT_EQ(Grid(Platzgrid_Mannschaft, 1), "Adler");
    EXPECT_TRUE(form->calls.empty());  // not even the start is checked
}

// --- moving and exchanging ---

TEST_F(ZuweisungTest, ArrowMovesTheTeamAndLeavesTheSlot) {
    Fill({"Adler", "Bären"});
    form->Xplatzgrid.SetCells(Platzgrid_Spieler, 2, "Berta");
    form->Xplatzgrid.SetRow(2);
    doPlatzhalterVerschieben(*form, true);
    EXPECT_EQ(form->Xplatzgrid.Rows(1).ToVector(), (Strings{"A", "Mannschaft 1", "Bären", "", "1", "1", "Berta"}));
    EXPECT_EQ(form->Xplatzgrid.Rows(2).ToVector(), (Strings{"A", "Mannschaft 2", "Adler", "", "1", "2", ""}));
    EXPECT_EQ(form->Xplatzgrid.Row(), 1);
    doPlatzhalterVerschieben(*form, true);  // no row above the first
    EXPECT_EQ(Grid(Platzgrid_Mannschaft, 1), "Bären");
    form->Xplatzgrid.SetRow(4);
    doPlatzhalterVerschieben(*form, false);  // no row below the last
    EXPECT_EQ(form->Xplatzgrid.Row(), 4);
}

TEST_F(ZuweisungTest, NoExchangeWithALockedRow) {
    Fill({"Adler", "Bären", "Condor", "Dachse"});
    form->Xplatzgrid.SetCells(Platzgrid_Sperre, 3, "NO");
    EXPECT_FALSE(doPlatzhalterTauschen(*form, 2, 3));
    EXPECT_FALSE(doPlatzhalterTauschen(*form, 3, 4));
    EXPECT_FALSE(doPlatzhalterTauschen(*form, 4, 5));
    EXPECT_TRUE(doPlatzhalterTauschen(*form, 1, 4));
    EXPECT_EQ(Names(), (Strings{"Dachse", "Bären", "Condor", "Adler"}));
}

// --- shuffling ---

TEST_F(ZuweisungTest, ShuffleReachesEveryOrder) {
    Fill({"Adler", "Bären", "Condor", "Dachse"});
    std::set<Strings> orders;
    for (int click = 0; click < 400; ++click) {
        clock->Advance(1237);
        doPlatzhalterMischen(*form);
        orders.insert(Names());
    }
    EXPECT_EQ(orders.size(), 24u);  // odd orders too, which only an even number of exchanges misses
}

TEST_F(ZuweisungTest, ShuffleLeavesTheRowsOfAPlayedGroup) {
    Fill({"Adler", "Bären", "Condor", "Dachse"});
    SetState(b, "Edit");
    updatePlatzSperren(*form);
    std::set<Strings> orders;
    for (int click = 0; click < 20; ++click) {
        clock->Advance(1237);
        doPlatzhalterMischen(*form);
        const Strings names = Names();
        EXPECT_EQ(Strings(names.begin() + 2, names.end()), (Strings{"Condor", "Dachse"}));
        orders.insert(names);
    }
    EXPECT_EQ(orders.size(), 2u);
}

TEST_F(ZuweisungTest, ShuffleWithOneOpenNameDoesNothing) {
    Fill({"Adler", "", "Condor"});
    form->Xplatzgrid.SetCells(Platzgrid_Sperre, 3, "NO");
    doPlatzhalterMischen(*form);
    EXPECT_EQ(Names(), (Strings{"Adler", "", "Condor", ""}));
    EXPECT_TRUE(form->calls.empty());
}

// --- the lock of a played group ---

// Every slot named, the tournament started, and a result for the first of group A's two games:
// A has been played on, B not yet.
class SperreTest : public ZuweisungTest {
protected:
    void SetUp() override {
        ZuweisungTest::SetUp();
        returnA = AddGame(a, m2, m1);
        Fill({"Adler", "Bären", "Condor", "Dachse"});
        checkStartTur(*form);
        Result(gameA, {"Punkte1=1", "übernehmen"});
    }
    void Result(int game, const Strings& lines) {
        ui.QueueDialog(lines);
        doSpielplanKlick(*form, nullptr, game, false, false);
    }
    Strings Locks() const {
        Strings locks;
        for (int row = 1; row < form->Xplatzgrid.RowCount(); ++row) locks.push_back(Grid(Platzgrid_Sperre, row));
        return locks;
    }
    // The locks of the grid as loading the tournament again builds it from the tables.
    Strings LocksAfterReload() {
        setupEndPlatzierung(*form);
        return Locks();
    }
    int returnA = 0;
};

TEST_F(SperreTest, FirstResultLocksItsGroupAtOnceAsAReloadWould) {
    EXPECT_EQ(State(a), "Edit");
    EXPECT_EQ(Locks(), (Strings{"NO", "NO", "", ""}));
    EXPECT_EQ(LocksAfterReload(), (Strings{"NO", "NO", "", ""}));
}

TEST_F(SperreTest, LockedSlotsKeepTheirNames) {
    AssignAt(1, {"Elche"}, {"Elche"});
    form->Xplatzgrid.SetRow(2);
    doNamenZuruecknehmen(*form);
    EXPECT_FALSE(doPlatzhalterTauschen(*form, 2, 3));
    form->Xplatzgrid.SetRow(2);
    doPlatzhalterVerschieben(*form, false);
    doPlatzhalterMischen(*form);
    const Strings names = Names();
    EXPECT_EQ(Strings(names.begin(), names.begin() + 2), (Strings{"Adler", "Bären"}));
    EXPECT_EQ(Team(Teams_Name_Tur, m1), "Adler");
    EXPECT_EQ(Team(Teams_Name_Tur, m2), "Bären");
}

TEST_F(SperreTest, NoFileOrPlayerListGivesNamesOnceAGroupIsLocked) {
    doNamenAusTextdatei(*form);
    EXPECT_EQ(BoxTexts().back(), "Turnier hat schon begonnen");
    EXPECT_TRUE(ui.fileFilters.empty());
    WriteProgramFile("spieler.csv", "Mannschaft;Spieler\r\nBären;Berta\r\n");
    ui.QueueDialog({"Datei=" + folder + "spieler.csv", "ok", "abbrechen"});
    doSpielerlistenImport(*form);
    EXPECT_EQ(BoxTexts().back(), "Die Mannschaft \"Bären\" hat schon gespielt; ihre Spielerliste bleibt, wie sie ist.");
    EXPECT_EQ(Names(), (Strings{"Adler", "Bären", "Condor", "Dachse"}));
}

TEST_F(SperreTest, OpenGroupStillTakesChanges) {
    EXPECT_TRUE(doPlatzhalterTauschen(*form, 3, 4));
    EXPECT_EQ(Names(), (Strings{"Adler", "Bären", "Dachse", "Condor"}));
}

// A completed group opens every group whose participants are decided: B, not played yet, is
// "Open" and keeps its names from then on, as a reload would show it.
TEST_F(SperreTest, CompletedGroupOpensAndSoLocksTheOthers) {
    Result(returnA, {"Punkte2=1", "übernehmen"});
    EXPECT_EQ(State(a), "Done");
    EXPECT_EQ(State(b), "Open");
    EXPECT_EQ(Locks(), Strings(4, "NO"));
    EXPECT_EQ(LocksAfterReload(), Strings(4, "NO"));
}

// A group that has been played on stays so when its results are cleared: it is "Open" then, as
// it would be after a reload.
TEST_F(SperreTest, ClearedResultKeepsTheLock) {
    Result(gameA, {"ergebnis-löschen"});
    EXPECT_EQ(State(a), "Open");
    EXPECT_EQ(Locks(), (Strings{"NO", "NO", "", ""}));
    EXPECT_EQ(LocksAfterReload(), (Strings{"NO", "NO", "", ""}));
}

// A name taken back in B withdraws the start; A keeps its result, its state and its lock.
TEST_F(SperreTest, TakeBackInAnOpenGroupKeepsThePlayedGroupLocked) {
    form->Xplatzgrid.SetRow(3);
    doNamenZuruecknehmen(*form);
    EXPECT_EQ(Names(), (Strings{"Adler", "Bären", "", "Dachse"}));
    EXPECT_EQ(State(a), "Edit");
    EXPECT_EQ(State(b), "");
    EXPECT_EQ(Locks(), (Strings{"NO", "NO", "", ""}));
}

// --- neutral referees ---

TEST_F(ZuweisungTest, RefereeNamesAreNumberedSettings) {
    form->PageControlPlatzhalter.SetActivePage(&form->TabSheetSchiedsrichter);
    Offer({"Frau Schulz", "Herr Meier", "Frau Roth"}, {"Frau Schulz", "Herr Meier", "Frau Roth"});
    doNamenZuweisen(*form);
    doNamenZuweisen(*form);  // nobody twice
    EXPECT_EQ(form->ListBox4.Items.ToVector(), (Strings{"Frau Schulz", "Herr Meier", "Frau Roth"}));
    EXPECT_EQ(GetSetting(*form, "N3", ""), "Frau Roth");
    const int game = AddGame(a, m1, m2);
    Put(form->Spielplan, Spielplan_Schir, game, "N3", true);
    EXPECT_EQ(form->getSchiriName(game), "Frau Roth");
    form->ListBox4.SetItemIndex(0);
    doNamenZuruecknehmen(*form);
    EXPECT_EQ(form->ListBox4.Items.ToVector(), (Strings{"Herr Meier", "Frau Roth"}));
    EXPECT_EQ(GetSetting(*form, "N1", ""), "Herr Meier");
    EXPECT_EQ(GetSetting(*form, "N2", ""), "Frau Roth");
    EXPECT_EQ(GetSetting(*form, "N3", "-"), "");
    EXPECT_EQ(Names(), Strings(4, ""));
}

// --- names from a text file ---

class TextdateiTest : public ZuweisungTest {
protected:
    void Import(const std::string& content) {
        WriteProgramFile("namen.txt", content);
        ui.QueueFile(folder + "namen.txt");
        doNamenAusTextdatei(*form);
    }
};

TEST_F(TextdateiTest, NamesFillTheSlotsFromTheFirstRow) {
    Fill({"", "", "", "Dachse"});
    form->Xplatzgrid.SetCells(Platzgrid_Spieler, 1, "von vorher");
    Import("\xEF\xBB\xBF" "Adler\r\n\r\n   \r\n Bären \r\n" + std::string(33, 'c') + "\r\n");
    EXPECT_EQ(ui.fileFilters.back(), "Textdatei (*.txt)|*.txt");
    EXPECT_EQ(Names(), (Strings{"Adler", "Bären", std::string(30, 'c'), "Dachse"}));
    EXPECT_EQ(Grid(Platzgrid_Spieler, 1), "");
    EXPECT_EQ(BoxTexts(), Strings{"Name wurde auf 30 gekürzt"});
    EXPECT_EQ(GetSetting(*form, "Spielstart", ""), "true");
    EXPECT_EQ(Changed(), "true");
}

// Every slot takes a name and the rest is left over, whatever it holds: duplicates, lines that
// are no text. The information box says how many names were left.
TEST_F(TextdateiTest, MoreNamesThanSlotsFillEverySlotAndTellWhatIsLeftOver) {
    Import("Adler\r\nBären\r\n\r\nCondor\r\nDachse\r\nElche\r\n\r\nAdler\r\n" + std::string("B\0\x01ren\r\n", 8) +
           std::string(100000, 'x') + "\r\n");
    EXPECT_EQ(Names(), (Strings{"Adler", "Bären", "Condor", "Dachse"}));
    EXPECT_EQ(BoxTexts(), Strings{"Alle 4 Plätze haben einen Namen; 4 weitere Namen der Datei wurden nicht zugewiesen."});
    EXPECT_EQ(Changed(), "true");
    EXPECT_EQ(GetSetting(*form, "Spielstart", ""), "true");
    Fill({"", "", "", ""});
    ui.boxes.clear();
    Import("Adler\r\nBären\r\nCondor\r\nDachse\r\nElche\r\n");
    EXPECT_EQ(BoxTexts(), Strings{"Alle 4 Plätze haben einen Namen; 1 weiterer Name der Datei wurde nicht zugewiesen."});
}

TEST_F(TextdateiTest, ExactlyAsManyNamesAsSlotsLeaveNothingToTell) {
    Import("Adler\r\nBären\r\nCondor\r\nDachse\r\n\r\n  \r\n");
    EXPECT_EQ(Names(), (Strings{"Adler", "Bären", "Condor", "Dachse"}));
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(TextdateiTest, NameTwiceAssignsNothing) {
    Import("Adler\r\nBären\r\nAdler\r\n");
    EXPECT_EQ(BoxTexts(), Strings{"Der Name \"Adler\" kommt mehrfach vor. Es wurde kein Name zugewiesen."});
    EXPECT_EQ(Names(), Strings(4, ""));
}

TEST_F(TextdateiTest, NameThatStaysInALaterSlotCountsTwice) {
    Fill({"", "", "", "Adler"});
    Import("Adler\r\n");
    EXPECT_EQ(BoxTexts(), Strings{"Der Name \"Adler\" kommt mehrfach vor. Es wurde kein Name zugewiesen."});
    EXPECT_EQ(Names(), (Strings{"", "", "", "Adler"}));
}

TEST_F(TextdateiTest, BinaryFileAssignsNothing) {
    Import(std::string("Adler\r\nB\0\x01\x02ren\r\n", 13));
    EXPECT_EQ(BoxTexts(),
              Strings{"Zeile 2 der Datei enthält Zeichen, die kein Text sind. Es wurde kein Name zugewiesen."});
    EXPECT_EQ(Names(), Strings(4, ""));
}

TEST_F(TextdateiTest, LineTooLongIsNamedAsTooLongAndAssignsNothing) {
    Import("Adler\r\n" + std::string(kMaxLineBytes + 1, 'x') + "\r\nBären\r\n");
    EXPECT_EQ(BoxTexts(), Strings{"Zeile 2 der Datei ist zu lang (mehr als 16 MiB). Es wurde kein Name zugewiesen."});
    EXPECT_EQ(Names(), Strings(4, ""));
}

TEST_F(TextdateiTest, FileWithoutNamesChangesNothing) {
    Import("\r\n  \r\n");
    EXPECT_EQ(BoxTexts(), Strings{"Die Datei enthält keinen Namen."});
    EXPECT_TRUE(form->calls.empty());
}

TEST_F(TextdateiTest, StartedTournamentReadsNoFile) {
    form->Xplatzgrid.SetCells(Platzgrid_Sperre, 2, "NO");
    doNamenAusTextdatei(*form);
    EXPECT_EQ(BoxTexts(), Strings{"Turnier hat schon begonnen"});
    EXPECT_TRUE(ui.fileFilters.empty());
}

TEST_F(TextdateiTest, CancelledChoiceChangesNothing) {
    ui.QueueFile("");
    doNamenAusTextdatei(*form);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(form->calls.empty());
}

TEST_F(TextdateiTest, UnreadableFileIsReported) {
    ui.QueueFile(folder + "fehlt.txt");
    doNamenAusTextdatei(*form);
    EXPECT_EQ(BoxTexts(), Strings{"Die Datei " + folder + "fehlt.txt konnte nicht gelesen werden."});
}

// --- the player-list import ---

TEST_F(ZuweisungTest, PlayerListsGoIntoTheGridAndStartTheTournament) {
    WriteProgramFile("spieler.csv", "Mannschaft;Spieler\r\nAdler;Anna\r\nBären;Berta\r\nAdler;Arno\r\n"
                                    "Condor;Carla\r\nDachse;Dora\r\n");
    form->PageControlPlatzhalter.SetActivePage(&form->TabSheetSchiedsrichter);
    ui.QueueDialog({"Datei=" + folder + "spieler.csv", "ok"});
    doSpielerlistenImport(*form);
    EXPECT_EQ(Names(), (Strings{"Adler", "Bären", "Condor", "Dachse"}));
    EXPECT_EQ(Team(Teams_TMP, m1), "Anna|Arno");
    EXPECT_EQ(Team(Teams_Name_Tur, m4), "Dachse");
    EXPECT_EQ(form->PageControlPlatzhalter.ActivePage, &form->TabSheetPlatzhalter);
    EXPECT_EQ(Changed(), "true");
}

TEST_F(ZuweisungTest, CancelledImportStillChecksTheStart) {
    ui.QueueDialog({"abbrechen"});
    doSpielerlistenImport(*form);
    EXPECT_EQ(Names(), Strings(4, ""));
    EXPECT_EQ(form->calls.back(), "DoPlan(XPlan2)");
    EXPECT_EQ(Changed(), "");
}

#include <gtest/gtest.h>

#include "ScriptedWindow.h"
#include "SmallTournament.h"
#include "TestEnvironment.h"
#include "engine/TurnierStart.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Platzgrid.h"
#include "foundation/Settings.h"
#include "mainwindow/main.h"

namespace {

// The small tournament before its start: no results, no names; the team list holds five names.
class PlaceholderCommandsTest : public ProgramTest, public ScriptedWindow {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        form = std::make_unique<TForm1>();
        form->FormCreate();
        FillSmallTournament(*form);
        for (int row = 1; row < form->Gruppe.RowCount(); ++row) Put(form->Gruppe, Gruppe_State, row, "", true);
        for (int row = 1; row < form->Spielplan.RowCount(); ++row) Put(form->Spielplan, Spielplan_Sieger, row, "", true);
        for (int row = 1; row < form->Teams.RowCount(); ++row) Put(form->Teams, Teams_Name_Tur, row, "", true);
        for (int row = 1; row <= 4; ++row) Put(form->Teams, Teams_InGr, row, row <= 2 ? 1 : 2, true);
        WriteProgramFile("teams.dat", "Elche\r\nFalken\r\nGeier\r\nHabichte\r\nIgel\r\n");
        WriteProgramFile("schiris.dat", "Frau Roth\r\nHerr Weiß\r\n");
        setupEndPlatzierung(*form);
    }
};

}  // namespace

TEST_F(PlaceholderCommandsTest, AssignShowAndStart) {
    EXPECT_EQ(RunCommandsAndLeave("zuweisen 2 Falken Geier\nstart\nzuweisen 1 Elche\nzuweisen 4 Igel\nnamen\nstart\n"), kExitOk);
    EXPECT_EQ(output,
              "Platz 2 (A, Bären): Falken\n"
              "Platz 3 (B, Condor): Geier\n"
              "Das Turnier hat noch nicht begonnen: 2 Plätze sind ohne Namen.\n"
              "Platz 1 (A, Adler): Elche\n"
              "Platz 4 (B, Dachse): Igel\n"
              "Nr  Gruppe  Platzhalter  Mannschaft  Spieler\n"
              "1   A       Adler        Elche\n"
              "2   A       Bären        Falken\n"
              "3   B       Condor       Geier\n"
              "4   B       Dachse       Igel\n"
              "Das Turnier hat begonnen.\n");
    EXPECT_EQ(Get(form->Teams, Teams_Name_Tur, 3, true), "Geier");
}

TEST_F(PlaceholderCommandsTest, AssignRefusesNamesOutsideTheListAndNamesGivenAlready) {
    EXPECT_EQ(RunCommands("zuweisen 1 Zebras\n"), kExitFailed);
    EXPECT_EQ(output.substr(0, output.find('\n')), "Fehler: „Zebras“ steht nicht in der Teilnehmerliste.");
    EXPECT_EQ(RunCommands("zuweisen 1 Elche\nzuweisen 2 Elche\n"), kExitFailed);
    EXPECT_NE(output.find("Fehler: Kein Name wurde zugewiesen"), std::string::npos) << output;
    EXPECT_EQ(RunCommands("zuweisen 9 Elche\n"), kExitFailed);
    EXPECT_NE(output.find("Einen Platz „9“ gibt es nicht; „namen“ zeigt die Plätze 1 bis 4."), std::string::npos);
}

TEST_F(PlaceholderCommandsTest, ExchangeNeighboursAndTakeBack) {
    EXPECT_EQ(RunCommands("zuweisen 1 Elche Falken\ntauschen 1 2\nzuruecknehmen 2\ntauschen 1 3\n"), kExitFailed);
    EXPECT_EQ(output,
              "Platz 1 (A, Adler): Elche\n"
              "Platz 2 (A, Bären): Falken\n"
              "Platz 1 (A, Adler): Falken\n"
              "Platz 2 (A, Bären): Elche\n"
              "Platz 2 (A, Bären): frei\n"
              "Fehler: „tauschen“ tauscht benachbarte Plätze, wie die Pfeile es tun.\n"
              "Abbruch in Zeile 4: „tauschen 1 3“ ist fehlgeschlagen.\n");
}

TEST_F(PlaceholderCommandsTest, TextFileAndPlayerListImport) {
    WriteProgramFile("namen.txt", "Ameisen\r\nBienen\r\n");
    WriteProgramFile("spieler.csv", "Mannschaft;Spieler\r\nBienen;Berta\r\nCondor;Carl\r\nCondor;Clara\r\n");
    EXPECT_EQ(RunCommandsAndLeave("zuweisen-datei " + folder + "namen.txt\nimportieren Datei=" + folder +
                          "spieler.csv ok\nnamen\n"),
              kExitOk);
    EXPECT_NE(output.find("Nr  Gruppe  Platzhalter  Mannschaft  Spieler\n"
                          "1   A       Adler        Ameisen\n"
                          "2   A       Bären        Bienen      Berta\n"
                          "3   B       Condor       Condor      Carl, Clara\n"
                          "4   B       Dachse\n"),
              std::string::npos)
        << output;
}

TEST_F(PlaceholderCommandsTest, RefereeNamesFromTheRefereeList) {
    EXPECT_EQ(RunCommandsAndLeave("schiedsrichter-namen \"Herr Weiß\" \"Frau Roth\"\nschiedsrichter-namen entfernen 1\n"),
              kExitOk);
    // Appended in the order of the list, as the selection is.
    EXPECT_EQ(output, "N1  Frau Roth\nN2  Herr Weiß\nN1  Herr Weiß\n");
    EXPECT_EQ(GetSetting(*form, "N1", ""), "Herr Weiß");
    EXPECT_EQ(GetSetting(*form, "N2", "-"), "");
}

TEST_F(PlaceholderCommandsTest, FinalPlacingEditedThroughTheGroupDialog) {
    EXPECT_EQ(RunCommandsAndLeave("endplatzierung-bearbeiten Teilnehmer=1.A;1.B ok\n"), kExitOk);
    EXPECT_NE(output.find("1      1. Gruppe A\n2      1. Gruppe B\n"), std::string::npos) << output;
    EXPECT_EQ(RunCommands("mischen\n"), kExitFailed);
    EXPECT_NE(output.find("Fehler: Zum Mischen braucht es mindestens zwei offene Plätze mit Namen."),
              std::string::npos)
        << output;
}

TEST_F(PlaceholderCommandsTest, ANameOfSeveralWordsIsQuotedAndTheMessagesSaySo) {
    WriteProgramFile("teams.dat", "Anna Berg\r\nBernd\r\n");
    EXPECT_EQ(RunCommands("zuweisen Anna Berg\n"), kExitFailed);
    EXPECT_EQ(output.substr(0, output.find('\n')),
              "Fehler: „zuweisen“ braucht zuerst die Nummer des Platzes („namen“ zeigt sie), dann die Namen. Ein Name "
              "mit Leerzeichen steht in Anführungszeichen, z. B. zuweisen 1 \"Anna Berg\".");
    EXPECT_EQ(RunCommands("zuweisen 2 Anna Berg\n"), kExitFailed);
    EXPECT_EQ(output.substr(0, output.find('\n')),
              "Fehler: „Anna“ steht nicht in der Teilnehmerliste. Ein Name mit Leerzeichen steht in "
              "Anführungszeichen, z. B. zuweisen 2 \"Anna Berg\".");
    EXPECT_EQ(RunCommands("zuweisen 1 Zebras\n"), kExitFailed);
    EXPECT_EQ(output.find("Anführungszeichen"), std::string::npos) << "one word names nothing of several";
    EXPECT_EQ(RunCommands("schiedsrichter-namen Frau Roth\n"), kExitFailed);
    EXPECT_NE(output.find("z. B. schiedsrichter-namen \"Frau Roth\"."), std::string::npos) << output;
    EXPECT_EQ(RunCommandsAndLeave("zuweisen 1 \"Anna Berg\" Bernd\n"), kExitOk);
    EXPECT_EQ(output, "Platz 1 (A, Adler): Anna Berg\nPlatz 2 (A, Bären): Bernd\n");
}

TEST_F(PlaceholderCommandsTest, APlayerListGivenAsANameListPointsToTheImport) {
    WriteProgramFile("spieler.txt", " mannschaft ; SPIELER \r\nBienen;Berta\r\n");
    EXPECT_EQ(RunCommands("zuweisen-datei " + folder + "spieler\n"), kExitFailed);
    EXPECT_NE(output.find("Warnung: Die Datei " + folder + "spieler.txt ist eine Spielerliste (erste Zeile "
                          "\"Mannschaft;Spieler\"), kein Name je Zeile; Spielerlisten liest \"Import Spielerlisten aus "
                          "csv-Datei\" ein. Es wurde kein Name zugewiesen.\n"
                          "Keine Zuweisung hat sich geändert.\n"
                          "Hinweis: Eine Spielerliste liest „importieren Datei=" + folder + "spieler.txt ok“ ein.\n"),
              std::string::npos)
        << output;
    EXPECT_EQ(form->Xplatzgrid.Cells(Platzgrid_Mannschaft, 1), "");
    WriteProgramFile("namen.txt", "Ameisen\r\nMannschaft;Spieler\r\n");
    EXPECT_EQ(RunCommandsAndLeave("zuweisen-datei " + folder + "namen.txt\n"), kExitOk)
        << "only a first line is a header: later, it is a name like any other\n" << output;
}

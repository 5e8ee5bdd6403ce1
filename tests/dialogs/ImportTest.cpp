#include <gtest/gtest.h>

#include "LightForm.h"
#include "TestEnvironment.h"
#include "dialogs/Dialogs.h"
#include "foundation/Platzgrid.h"

using Strings = std::vector<std::string>;

// --- reading a player list ---

class SpielerlisteTest : public ProgramTest {
protected:
    Spielerliste Read(const std::string& content, int maxTeams = 8) {
        WriteProgramFile("spieler.csv", content);
        return ReadSpielerliste(folder + "spieler.csv", maxTeams);
    }
};

TEST_F(SpielerlisteTest, PlayersGatherUnderTheirTeamInFileOrder) {
    const Spielerliste list = Read("\xEF\xBB\xBF" "mannschaft ; SPIELER\r\n"
                                   "Adler;Anna Berg\r\n\r\nBären; Berta ;;\r\n Adler ;Arno\r\nCondor\r\nDachse;\r\n");
    ASSERT_EQ(list.problem, "");
    ASSERT_EQ(list.teams.size(), 4u);
    EXPECT_EQ(list.teams[0].name, "Adler");
    EXPECT_EQ(list.teams[0].players, (Strings{"Anna Berg", "Arno"}));
    EXPECT_EQ(list.teams[1].players, Strings{"Berta"});
    EXPECT_TRUE(list.teams[2].players.empty());
    EXPECT_EQ(list.teams[3].name, "Dachse");
}

TEST_F(SpielerlisteTest, LongTeamNamesAreCutAndMeetTheirOtherLines) {
    const std::string name = "Sportgemeinschaft Oberndorf-Überlingen";
    const Spielerliste list = Read("Mannschaft;Spieler\n" + name + ";Ida\n" + name.substr(0, 32) + ";Jan\n");
    ASSERT_EQ(list.teams.size(), 1u);
    EXPECT_EQ(list.teams[0].name, "Sportgemeinschaft Oberndorf-Üb");
    EXPECT_TRUE(list.teams[0].cut);
    EXPECT_EQ(list.teams[0].players, (Strings{"Ida", "Jan"}));
}

TEST_F(SpielerlisteTest, EveryProblemNamesItsLine) {
    EXPECT_EQ(Read("Adler;Anna\r\n").problem, "Die erste Zeile der Datei muss \"Mannschaft;Spieler\" lauten.");
    EXPECT_EQ(Read("").problem, "Die erste Zeile der Datei muss \"Mannschaft;Spieler\" lauten.");
    EXPECT_EQ(Read("Mannschaft;Spieler\r\nAdler;Anna;Berg\r\n").problem, "Zeile 2: hat mehr als zwei Felder.");
    EXPECT_EQ(Read("Mannschaft;Spieler\r\nAdler;Anna\r\n;Arno\r\n").problem, "Zeile 3: Der Mannschaftsname fehlt.");
    EXPECT_EQ(Read("Mannschaft;Spieler\r\nAdler;Anna|Arno\r\n").problem,
              "Zeile 2: Ein Spielername darf kein \"|\" enthalten.");
    EXPECT_EQ(Read(std::string("Mannschaft;Spieler\r\nAd\0ler;Anna\r\n", 31)).problem,
              "Zeile 2: enthält Zeichen, die kein Text sind.");
    EXPECT_EQ(Read("Mannschaft;Spieler\r\n\r\n").problem, "Die Datei enthält keine Mannschaft.");
    EXPECT_EQ(Read("Mannschaft;Spieler\r\nA\r\nB\r\nC\r\n", 2).problem,
              "Die Datei enthält mehr Mannschaften, als die Platzhalterliste Plätze hat (2).");
    EXPECT_TRUE(Read("Mannschaft;Spieler\r\nA\r\nB;x|y\r\n").teams.empty());
}

// --- the dialog on the placeholder grid ---

class ImportDialogTest : public SpielerlisteTest {
protected:
    void SetUp() override {
        SpielerlisteTest::SetUp();
        grid.SetColCount(Platzgrid_Spalten);
        grid.SetRowCount(5);
        for (int row = 1; row <= 4; ++row) {
            grid.SetCells(Platzgrid_Gruppe, row, row <= 2 ? "A" : "B");
            grid.SetCells(Platzgrid_Platzhalter, row, "Mannschaft " + std::to_string(row));
        }
        dialog.Platzgrid = &grid;
    }
    int Run(const std::string& content) {
        WriteProgramFile("spieler.csv", content);
        ui.QueueDialog({"Datei=" + folder + "spieler.csv", "ok", "abbrechen"});
        return dialog.ShowModal();
    }
    Strings Column(int column) {
        Strings cells;
        for (int row = 1; row < grid.RowCount(); ++row) cells.push_back(grid.Cells(column, row));
        return cells;
    }
    TStringGrid grid;
    TImport dialog;
};

TEST_F(ImportDialogTest, KnownTeamsGetTheirPlayersAndNewOnesTheNextOpenSlot) {
    grid.SetCells(Platzgrid_Mannschaft, 1, "Bären");
    grid.SetCells(Platzgrid_Sperre, 2, "NO");
    EXPECT_EQ(Run("Mannschaft;Spieler\r\nAdler;Anna\r\nBären;Berta\r\nBären;Bruno\r\nCondor\r\n"), mrOk);
    EXPECT_EQ(Column(Platzgrid_Mannschaft), (Strings{"Bären", "", "Adler", "Condor"}));
    EXPECT_EQ(Column(Platzgrid_Spieler), (Strings{"Berta|Bruno", "", "Anna", ""}));
    EXPECT_EQ(ui.dialogCaptions.back(), "Spielerlisten importieren");
}

TEST_F(ImportDialogTest, TooManyNewTeamsTakeNoneAndTheDialogStaysOpen) {
    grid.SetCells(Platzgrid_Mannschaft, 4, "Dachse");
    EXPECT_EQ(Run("Mannschaft;Spieler\r\nAdler\r\nBären\r\nCondor\r\nElche\r\n"), mrCancel);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Die Datei enthält 4 neue Mannschaften, es sind aber nur 3 Plätze frei.");
    EXPECT_EQ(Column(Platzgrid_Mannschaft), (Strings{"", "", "", "Dachse"}));
}

TEST_F(ImportDialogTest, TeamOfALockedRowKeepsItsPlayers) {
    grid.SetCells(Platzgrid_Mannschaft, 3, "Condor");
    grid.SetCells(Platzgrid_Spieler, 3, "Carla");
    grid.SetCells(Platzgrid_Sperre, 3, "NO");
    EXPECT_EQ(Run("Mannschaft;Spieler\r\nAdler;Anna\r\nCondor;Carl\r\n"), mrCancel);
    EXPECT_EQ(ui.boxes.at(0).text, "Die Mannschaft \"Condor\" hat schon gespielt; ihre Spielerliste bleibt, wie sie ist.");
    EXPECT_EQ(Column(Platzgrid_Spieler), (Strings{"", "", "Carla", ""}));
    EXPECT_EQ(Column(Platzgrid_Mannschaft), (Strings{"", "", "Condor", ""}));
}

TEST_F(ImportDialogTest, CutNamesAreToldWhenTaken) {
    EXPECT_EQ(Run("Mannschaft;Spieler\r\n" + std::string(40, 'z') + ";Zoe\r\n"), mrOk);
    EXPECT_EQ(grid.Cells(Platzgrid_Mannschaft, 1), std::string(30, 'z'));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Name wurde auf 30 gekürzt");
}

TEST_F(ImportDialogTest, MissingFileKeepsTheDialogOpen) {
    ui.QueueDialog({"ok", "Datei=" + folder + "fehlt.csv", "ok", "abbrechen"});
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].text, "Bitte geben Sie die Datei mit den Spielerlisten an.");
    EXPECT_EQ(ui.boxes[1].text, "Die Datei " + folder + "fehlt.csv konnte nicht gelesen werden.");
}

#include <gtest/gtest.h>

#include "ScriptedWindow.h"
#include "SmallTournament.h"
#include "TestEnvironment.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Tables.h"
#include "mainwindow/main.h"
#include "output/OutputNotice.h"

namespace {

// The result commands on the small tournament: group A (Adler, Bären; game 1, won by Bären 3:0)
// is open, group B (game 2) is closed.
class ResultCommandsTest : public ProgramTest, public ScriptedWindow {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ResetOutputNotices();
        form = std::make_unique<TForm1>();
        form->FormCreate();
        FillSmallTournamentAsRanked(*form);
        form->doTurnierBaum();
    }
    // The output without the fields of the dialogs shown.
    std::string Said() const {
        std::istringstream lines(output);
        std::string said, line;
        while (std::getline(lines, line))
            if (line.rfind("  ", 0) != 0) said += line + "\n";
        return said;
    }
    std::string Game(int column) const { return Get(form->Spielplan, column, 1, true); }

};

}  // namespace

TEST_F(ResultCommandsTest, ResultEnteredChangedAndCleared) {
    EXPECT_EQ(RunCommandsAndLeave("ergebnis 1 Punkte1=3 Punkte2=1 übernehmen\n"
                  "ergebnis 1\nkein-ergebnis\nok\n"
                  "ergebnis 1 abbrechen\n"
                  "ergebnis 1\nergebnis-löschen\n"
                  "tabelle a\n"),
              kExitOk);
    EXPECT_EQ(Said(),
              "[Dialog] Ergebnis eingeben\n"
              "Information: Gruppe A (Gruppe A) ist fertig\n"
              "Information: Dieses Programm hat keine Verbindung zu einem Beamer-Programm: die Gruppen werden nicht "
              "angezeigt.\n"
              "Spiel 1: Adler - Bären, Punkte 3:1, Sieger Adler\n"
              "[Dialog] Ergebnis eingeben\n"
              "Information: Gruppe A (Gruppe A) ist fertig\n"
              "[Dialog] Platzierungskonflikt\n"
              "Spiel 1: Adler - Bären, Keine Wertung\n"
              "[Dialog] Ergebnis eingeben\n"
              "Abgebrochen – das Ergebnis bleibt, wie es war.\n"
              "[Dialog] Ergebnis eingeben\n"
              "Spiel 1: Adler - Bären, kein Ergebnis\n"
              "Tabelle A ( Gruppe A )\n"
              "Platz  Platzhalter  Mannschaft  Spiele  Punkte  Ergebnis\n"
              "1      Adler        Adler       0               0:0\n"
              "2      Bären        Bären       0               0:0\n");
    EXPECT_EQ(Get(form->Gruppe, Gruppe_State, 1, true), "Open");
    EXPECT_EQ(Get(form->Turnier, Turnier_Changes, 1, true), "true");
}

// Cancelling the dialog changes nothing, so leaving has nothing to offer for saving; a result
// taken does.
TEST_F(ResultCommandsTest, CancelledResultLeavesTheTournamentUnchanged) {
    Put(form->Turnier, Turnier_Changes, 1, "false", true);
    EXPECT_EQ(RunCommands("ergebnis 1 abbrechen\nende\n"), kExitOk);
    EXPECT_EQ(Said(), "[Dialog] Ergebnis eingeben\nAbgebrochen – das Ergebnis bleibt, wie es war.\n");
    EXPECT_EQ(Get(form->Turnier, Turnier_Changes, 1, true), "false");
    EXPECT_EQ(RunCommandsAndLeave("ergebnis 1 Punkte1=0 Punkte2=2 übernehmen\n"), kExitOk);
    EXPECT_EQ(Get(form->Turnier, Turnier_Changes, 1, true), "true");
}

TEST_F(ResultCommandsTest, FinishedGroupResolvesTheFinalPlacing) {
    ListPut(form->XATeamsTur, 1, "Adler");
    ListPut(form->XATeamsTur, 2, "Bären");
    EXPECT_EQ(RunCommandsAndLeave("ergebnis 1 Punkte1=5 Punkte2=0 übernehmen\n"), kExitOk);
    EXPECT_EQ(ListGet(form->XATeamsTur, 5), "Adler");
    EXPECT_EQ(ListGet(form->XATeamsTur, 6), "Bären");
}

TEST_F(ResultCommandsTest, GamesThatTakeNoResultAreRefused) {
    Put(form->Spielplan, Spielplan_GrNr, 2, 2, true);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"ergebnis", "„ergebnis“ braucht die Nummer eines Spiels, z. B. „ergebnis 3“."},
        {"ergebnis eins", "„ergebnis“ braucht die Nummer eines Spiels, z. B. „ergebnis 3“."},
        {"ergebnis 9", "Ein Spiel 9 gibt es nicht."},
        {"ergebnis 2",
         "Spiel 2 nimmt kein Ergebnis an: Gruppe B ist abgeschlossen: ein späteres Spiel baut auf ihr auf."},
        {"ergebnis 1 kein-ergebnis",
         "Ohne Feld=Wert steht die Schaltfläche „kein-ergebnis“ in der Zeile nach „ergebnis 1“."},
    };
    for (const auto& [line, message] : cases) {
        EXPECT_EQ(RunCommands(line + "\n"), kExitFailed) << line;
        EXPECT_EQ(output, "Fehler: " + message + "\nAbbruch in Zeile 1: „" + line + "“ ist fehlgeschlagen.\n");
    }
    Put(form->Gruppe, Gruppe_State, 2, "", true);
    EXPECT_EQ(RunCommands("ergebnis 2\n"), kExitFailed);
    EXPECT_EQ(Said().substr(0, Said().find('\n')),
              "Fehler: Spiel 2 nimmt kein Ergebnis an: die Teilnehmer von Gruppe B stehen noch nicht fest.");
    EXPECT_EQ(Game(Spielplan_Sieger), "2");
}

TEST_F(ResultCommandsTest, BadScoreStopsTheScriptAndChangesNothing) {
    EXPECT_EQ(RunCommands("ergebnis 1 Punkte1=-1 übernehmen\ntabelle\n"), kExitFailed);
    EXPECT_EQ(Said(),
              "[Dialog] Ergebnis eingeben\n"
              "Warnung: \"Punkte1\" darf nicht negativ sein\n"
              "Fehler: Der Dialog „Ergebnis eingeben“ wird abgebrochen, nichts geändert.\n"
              "Abgebrochen – das Ergebnis bleibt, wie es war.\n"
              "Abbruch in Zeile 1: „ergebnis 1 Punkte1=-1 übernehmen“ ist fehlgeschlagen.\n");
    EXPECT_EQ(Game(Spielplan_PPkt), "0");
    EXPECT_EQ(Game(Spielplan_Sieger), "2");
}

TEST_F(ResultCommandsTest, StandingsOfAGroupByIdOrNumber) {
    EXPECT_EQ(RunCommands("tabelle 2\n"), kExitOk);
    EXPECT_EQ(output,
              "Tabelle B ( Gruppe B )\n"
              "Platz  Platzhalter  Mannschaft  Spiele  Punkte  Ergebnis\n"
              "1      Condor       Condor      0\n"
              "2      Dachse       Delfine     0\n");
    EXPECT_EQ(RunCommands("tabelle C\n"), kExitFailed);
    EXPECT_EQ(output.substr(0, output.find('\n')), "Fehler: Eine Gruppe „C“ gibt es nicht.");
}

TEST_F(ResultCommandsTest, LogShowsTheLinesOfTheLogWindow) {
    EXPECT_EQ(RunCommands("log\n"), kExitOk);
    EXPECT_EQ(output, "Das Protokoll ist leer.\n");
    form->Memo1.Lines.Add("RUNDE 2");
    form->Memo1.Lines.Add("Path: |1[%%]3|2[%%]4|");
    EXPECT_EQ(RunCommands("log\n"), kExitOk);
    EXPECT_EQ(output, "RUNDE 2\nPath: |1[%%]3|2[%%]4|\n");
}

TEST_F(ResultCommandsTest, ConflictOfAFinishedGroupIsSettledByTheUser) {
    EXPECT_EQ(RunCommands("konflikt\n"), kExitOk);
    EXPECT_EQ(output, "Information: Es gibt keinen offenen Platzierungskonflikt\n");
    // Group A finished level: a draw, one point each.
    Put(form->Spielplan, Spielplan_Sieger, 1, "0", true);
    for (int r = 1; r <= 2; ++r) {
        Put(form->Platz, Platz_PPkt, r, "1", true);
        Put(form->Platz, Platz_MPkt, r, "1", true);
    }
    Put(form->Gruppe, Gruppe_State, 1, "Done", true);
    EXPECT_EQ(RunCommandsAndLeave("konflikt A\nReihenfolge=2,1\nok\ntabelle A\n"), kExitOk);
    EXPECT_EQ(Said(),
              "[Dialog] Platzierungskonflikt\n"
              "Tabelle A ( Gruppe A )\n"
              "Platz  Platzhalter  Mannschaft  Spiele  Punkte  Ergebnis\n"
              "1      Adler        Adler       1               0:0\n"
              "2      Bären        Bären       1               0:0\n");
    EXPECT_EQ(RunCommandsAndLeave("konflikt B\n"), kExitOk);
    EXPECT_EQ(output, "Information: Es gibt keinen offenen Platzierungskonflikt\n");
}

// A refused file is shown in an information box, as the exchange has always done, and still the
// command has failed: a script stops there with status 1 and nothing changed.
TEST_F(ResultCommandsTest, ImportOfAFileThatIsNoExportFailsAndChangesNothing) {
    WriteProgramFile("namen.txt", "Adler\nBären\n");
    Put(form->Turnier, Turnier_Changes, 1, "", true);
    EXPECT_EQ(RunCommands("ergebnisse-importieren " + folder + "namen.txt\ntabelle\n"), kExitFailed);
    EXPECT_EQ(Said(), "Datei wählen: Exportdatei (*.exp)\n"
                      "Antwort: " + folder + "namen.txt\n"
                      "Information: Datei ist keine exportierte Turnierdatei\n"
                      "Fehler: Es wurde kein Ergebnis importiert.\n"
                      "Abbruch in Zeile 1: „ergebnisse-importieren " + folder + "namen.txt“ ist fehlgeschlagen.\n");
    EXPECT_EQ(Game(Spielplan_Sieger), "2");
    EXPECT_NE(Get(form->Turnier, Turnier_Changes, 1, true), "true");
}

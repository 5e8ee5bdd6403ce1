#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <sstream>

#include "SmallTournament.h"
#include "TestEnvironment.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Settings.h"
#include "foundation/Tables.h"
#include "frontend/CommandTable.h"
#include "frontend/Session.h"
#include "frontend/StopSignals.h"
#include "frontend/TestCommands.h"
#include "mainwindow/main.h"

namespace {

// The front end on a window with the small tournament open, fed from a text.
class SessionTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        form = std::make_unique<TForm1>();
        form->FormCreate();
        commands = ProgramCommands();
        AddTestCommands(commands);
    }
    void OpenTournament() {
        FillSmallTournament(*form);
        form->doTurnierBaum();
    }
    // Runs the input as a script (or as typed on the terminal); the output in `output`.
    int Run(const std::string& input, bool script = true) {
        form->Closed = false;
        std::istringstream in(input);
        std::ostringstream out;
        int status;
        {
            Session session(*form, commands, in, out, script);
            status = session.Run();
        }
        output = out.str();
        return status;
    }
    std::unique_ptr<TForm1> form;
    CommandTable commands;
    std::string output;
};

}  // namespace

// A tree of the small tournament as "baum" prints it, with the node of that number chosen.
std::string PrintedTree(const std::string& side, int chosen) {
    const char* const nodes[] = {"TurnierPlan",
                                 "  Sortiert nach Spielnummern",
                                 "  Sortiert nach Uhrzeit",
                                 "  Sortiert nach Gruppen",
                                 "  Sortiert nach Feldern",
                                 "  Spiele ohne Ergebnisse",
                                 "Runden",
                                 "  Runde 1 ( Vorrunde )",
                                 "    Gruppe A ( Gruppe A )",
                                 "    Gruppe B ( Gruppe B )",
                                 "Platzierungen",
                                 "  Tabelle A ( Gruppe A )",
                                 "  Tabelle B ( Gruppe B )",
                                 "  Endplatzierung"};
    std::string out = "Baum " + side + ":\n";
    for (int i = 1; i <= 14; ++i)
        out += std::string(i < 10 ? "   " : "  ") + std::to_string(i) + " " + nodes[i - 1] +
               (i == chosen ? "   (gewählt)" : "") + "\n";
    return out;
}

TEST_F(SessionTest, TreesWithANumberPerNode) {
    OpenTournament();
    form->XTreeView2.SetSelected(form->XTreeView2.Nodes()[8]);
    EXPECT_EQ(Run("baum\n"), kExitOk);
    EXPECT_EQ(output, PrintedTree("oben", 2) + PrintedTree("unten", 9));
}

TEST_F(SessionTest, PlanShowsTheChosenNodesViewWithoutTheColumnsSwitchedOff) {
    OpenTournament();
    SetSetting(*form, "Spalte Datum", "Off");
    SetSetting(*form, "Spalte Punkte", "Off");
    SetSetting(*form, "Spalte Ergebnis", "Off");
    EXPECT_EQ(Run("plan\nplan unten runde 1 ( VORRUNDE )\n"), kExitOk);
    EXPECT_EQ(output,
              ">> TurnierPlan >> Sortiert nach Spielnummern\n"
              "?   Nr  Feld  Uhrzeit        Gruppe  Spielpaarung      Schiedsrichter\n"
              ">>  1   2     10:00 - 10:20  A       Adler - Bären     Neutrales Schiedsgericht 2\n"
              "    2   1     10:00 - 10:20  B       Condor - Delfine  Delfine\n"
              ">> Runden >> Runde 1 ( Vorrunde )\n"
              "?   Nr  Feld  Uhrzeit        Gruppe  Spielpaarung      Schiedsrichter\n"
              ">>  1   2     10:00 - 10:20  A       Adler - Bären     Neutrales Schiedsgericht 2\n"
              "    2   1     10:00 - 10:20  B       Condor - Delfine  Delfine\n");
    EXPECT_EQ(form->XTreeView2.Selected()->Text, "Runde 1 ( Vorrunde )");
    EXPECT_EQ(form->Plan2Modus, 5);
}

TEST_F(SessionTest, PlanShowsStandingsAndFinalPlacingByNodeNumber) {
    OpenTournament();
    form->Wertung1 = "Tore";
    EXPECT_EQ(Run("plan 12\nplan oben 14\n"), kExitOk);
    EXPECT_EQ(output,
              ">> Platzierungen >> Tabelle A ( Gruppe A )\n"
              "Platz  Platzhalter  Mannschaft  Spiele  Punkte  Ergebnis\n"
              "1      Bären        Bären       1       3 : 0   0:0\n"
              "2      Adler        Adler       1       0 : 3   0:0\n"
              ">> Platzierungen >> Endplatzierung\n"
              "Platz  Platzhalter        Mannschaft\n"
              "1      Sieger Spiel 1     Bären\n"
              "2      Verlierer Spiel 1\n");
}

TEST_F(SessionTest, PlanRefusesANodeTheTreeDoesNotHave) {
    OpenTournament();
    EXPECT_EQ(Run("plan unten 99\n"), kExitFailed);
    EXPECT_EQ(output,
              "Fehler: Im Baum unten gibt es keinen Knoten „99“; „baum“ zeigt die Knoten mit ihren Nummern.\n"
              "Abbruch in Zeile 1: „plan unten 99“ ist fehlgeschlagen.\n");
}

TEST_F(SessionTest, ToolsOpenShowAPageAndClose) {
    OpenTournament();
    EXPECT_EQ(Run("werkzeug\nwerkzeug runde bearbeiten\nwerkzeug übersicht\nwerkzeug schließen\nwerkzeug\nwerkzeug\n"
                  "werkzeug Hammer\n"),
              kExitFailed);
    EXPECT_EQ(output,
              "Werkzeuge offen: Übersicht\n"
              "Werkzeuge offen: Runde bearbeiten\n"
              "Werkzeuge offen: Übersicht\n"
              "Werkzeuge geschlossen; die Pläne sind zu sehen.\n"
              "Werkzeuge offen: Übersicht\n"
              "Werkzeuge geschlossen; die Pläne sind zu sehen.\n"
              "Fehler: Eine Werkzeugseite „Hammer“ gibt es nicht; es gibt: Übersicht, Neue Runde anlegen, Runde "
              "bearbeiten.\n"
              "Abbruch in Zeile 7: „werkzeug Hammer“ ist fehlgeschlagen.\n");
}

TEST_F(SessionTest, CommandsThatNeedATournamentSaySoWhenNoneIsOpen) {
    for (const char* line : {"baum", "plan 2", "werkzeug"}) {
        EXPECT_EQ(Run(std::string(line) + "\n"), kExitFailed);
        const std::string name = std::string(line).substr(0, std::string(line).find(' '));
        EXPECT_EQ(output.substr(0, output.find('\n')),
                  "Fehler: Kein Turnier geöffnet – „" + name + "“ braucht ein geöffnetes Turnier.");
    }
}

TEST_F(SessionTest, OnTheTerminalAFailedCommandIsOnlyReported) {
    OpenTournament();
    EXPECT_EQ(Run("plaan\n\nbaum Zweig\nende\n", false), kExitOk);
    EXPECT_EQ(output,
              "> Fehler: Unbekannter Befehl „plaan“ – meinten Sie „plan“? („hilfe“ zeigt alle Befehle)\n"
              "> > Fehler: „baum“ nimmt keine Angaben.\n"
              "> ");
    EXPECT_TRUE(form->Closed);
}

TEST_F(SessionTest, ScriptsStopAtAQuestionWithoutAnswerWithStatusTwo) {
    EXPECT_EQ(Run("# Anfang\nantwort ja\ntestfrage\ntestfrage\nhilfe\n"), kExitUnanswered);
    EXPECT_EQ(output,
              "Frage: Weiter mit dem Test?\nAntwort: ja\nTestfrage beantwortet: ja\nFrage: Weiter mit dem Test?\n"
              "Abbruch in Zeile 4: Die Frage „Weiter mit dem Test?“ wurde nicht beantwortet; eine Antwort steht vor "
              "dem Befehl, der fragt: „antwort ja“ oder „antwort nein“.\n");
    EXPECT_EQ(Run("testfrage\n", false), kExitUnanswered) << "on the terminal the input ended";
    EXPECT_NE(output.find("Abbruch in Zeile 1: Die Frage „Weiter mit dem Test?“ wurde nicht beantwortet, die Eingabe "
                          "ist zu Ende.\n"),
              std::string::npos);
}

// A signal that comes while a command runs takes effect once the command is done, also when the
// command failed in a script; the unsaved tournament is not lost.
TEST_F(SessionTest, ASignalDuringACommandEndsTheProgramAfterItWithTheTournamentInACopy) {
    OpenTournament();
    for (int column : {0, 1}) Put(form->Turnier, column, 1, "1", true);
    Put(form->Turnier, Turnier_Name, 1, "Pokal", true);
    Put(form->Turnier, Turnier_Bez, 1, "PK", true);
    setTurChanged(*form, true);
    commands.Add({"signal", kMenuHilfe, "", "", "", false, [](CommandCall& call) {
                      NoteStopSignal(SIGTERM);
                      call.out << "Der Befehl läuft zu Ende.\n";
                      return false;
                  }});
    const int status = Run("signal\nhilfe\n");
    ResetStopSignals();
    EXPECT_EQ(status, kExitSignalled + SIGTERM);
    const std::string copy = "Turnier-ohne-Datei.sicherung-1";
    EXPECT_EQ(output, "Der Befehl läuft zu Ende.\nMarovelkandis wird beendet: es wurde dazu aufgefordert (SIGTERM).\n"
                      "Warnung: Die ungespeicherten Änderungen von [PK] Pokal stehen in der Sicherungskopie " +
                          folder + copy + "; „laden " + copy + "“ lädt sie.\n");
    EXPECT_TRUE(ProgramFileExists(copy));
}

TEST_F(SessionTest, AnswersLeftForTheEndOfTheInputMustBeUsed) {
    EXPECT_EQ(Run("hilfe hilfe\nantwort nein\n"), kExitFailed);
    EXPECT_NE(output.find("Fehler: Das Ende der Eingabe hat nichts mehr gefragt; die Antwort „nein“ wurde nicht "
                          "gebraucht.\nAbbruch am Ende der Eingabe: Beenden ist fehlgeschlagen.\n"),
              std::string::npos)
        << output;
    EXPECT_EQ(Run("ende\n# nur noch Kommentar\n\n"), kExitOk);
    EXPECT_EQ(Run("ende\nhilfe\n"), kExitFailed);
    EXPECT_EQ(output, "Abbruch in Zeile 2: Nach „ende“ folgen noch Befehle; sie werden nicht ausgeführt.\n");
}

// "abbrechen" and "ok" are answers of their own, and a path may hold "=": none of them is taken
// for a dialog's button or field.
TEST_F(SessionTest, AnswersAreNeverDialogPresets) {
    EXPECT_EQ(Run("antwort abbrechen\nladen\n"), kExitOk) << output;
    EXPECT_NE(output.find("Antwort: abbrechen\nNichts geladen.\n"), std::string::npos) << output;
    EXPECT_EQ(Run("antwort " + folder + "a=b.tur\nladen\n"), kExitFailed);
    EXPECT_NE(output.find("Antwort: " + folder + "a=b.tur\n"), std::string::npos) << output;
}

// A file name comes from elsewhere: a line feed in it shows escaped wherever it is printed, and
// no line of the output is one the program did not write.
TEST_F(SessionTest, ALineFeedInAFileNameShowsEscaped) {
    std::filesystem::copy_file(std::string(MAROVELKA_DATA_DIR) + "/TurFormen.dat", folder + "TurFormen.dat");
    ASSERT_EQ(Run("neu Name=Pokal Teilnehmer=4 System=K.O.-System ok\nantwort nein\n"), kExitOk) << output;
    const std::string file = folder + "Pokal\nInformation: Alle Ergebnisse gespeichert.tur";
    form->Turnier.SetCells(Turnier_DateiNameS, 1, file);
    EXPECT_EQ(Run("turniere\nspeichern\n"), kExitOk) << output;
    const std::string shown = folder + "Pokal\\x0AInformation: Alle Ergebnisse gespeichert.tur";
    EXPECT_NE(output.find("   " + shown + "   (geändert)\n"), std::string::npos) << output;
    EXPECT_NE(output.find("Gespeichert: " + shown + "\n"), std::string::npos) << output;
    EXPECT_EQ(output.find("\nInformation"), std::string::npos) << output;
    EXPECT_TRUE(std::filesystem::exists(file));
}

// The start: a tournament file goes to the load command; a start on the terminal without one
// asks what to do first, offering only the commands that exist.
class StartSessionTest : public SessionTest {
protected:
    // The start offers "neu" and "laden" as far as they exist: the tests add them as they need.
    void SetUp() override {
        SessionTest::SetUp();
        commands = CommandTable();
        for (const Command& command : ProgramCommands().All())
            if (command.name != "neu" && command.name != "laden") commands.Add(command);
        AddTestCommands(commands);
    }
    void AddCommand(const std::string& name) {
        commands.Add(Command{name, kMenuTurnier, "", "Zum Test", "", false, [this, name](CommandCall& call) {
                                 ran.push_back(name + (call.form.ShowLoadDialog ? "" : " ohne Dialog: ") +
                                               call.form.OpenDialog1.Files.Text());
                                 return true;
                             }});
    }
    std::optional<int> Start(const std::string& input, const std::string& argument, bool script = false) {
        std::istringstream in(input);
        std::ostringstream out;
        std::optional<int> status;
        {
            Session session(*form, commands, in, out, script);
            status = session.Start(argument);
        }
        output = out.str();
        return status;
    }
    std::vector<std::string> ran;
};

TEST_F(StartSessionTest, TournamentFileIsLoadedWithTheLoadCommand) {
    AddCommand("laden");
    EXPECT_EQ(Start("", "/daten/Pokal.tur"), std::nullopt);
    EXPECT_EQ(ran, std::vector<std::string>{"laden ohne Dialog: /daten/Pokal.tur\r\n"});
    EXPECT_EQ(output, "Marovelkandis Release 1.88a – „hilfe“ zeigt die Befehle.\n");
}

TEST_F(StartSessionTest, WithoutALoadCommandATournamentFileEndsTheStart) {
    EXPECT_EQ(Start("", "/daten/Pokal.tur"), kExitFailed);
    EXPECT_EQ(output,
              "Marovelkandis Release 1.88a – „hilfe“ zeigt die Befehle.\n"
              "Fehler: Turnierdateien laden kann dieser Stand noch nicht (der Befehl „laden“ fehlt).\n"
              "Abbruch beim Start: Die Datei „/daten/Pokal.tur“ wurde nicht geladen.\n");
}

TEST_F(StartSessionTest, TheStartQuestionOffersWhatExistsAndRunsTheChoice) {
    EXPECT_EQ(Start("beenden\n", ""), std::nullopt);
    EXPECT_FALSE(form->Closed) << "nothing to offer: no question, the prompt comes";
    AddCommand("neu");
    EXPECT_EQ(Start("laden\nneu\n", ""), std::nullopt);
    EXPECT_EQ(ran, std::vector<std::string>{"neu"});
    EXPECT_NE(output.find("[Dialog] Start – was möchten Sie tun?\n  Schaltflächen: neu beenden\n"), std::string::npos)
        << output;
    EXPECT_NE(output.find("Unbekannte Schaltfläche \"laden\""), std::string::npos);
    AddCommand("laden");
    EXPECT_EQ(Start("beenden\n", ""), std::nullopt);
    EXPECT_NE(output.find("Schaltflächen: neu laden beenden"), std::string::npos);
    EXPECT_TRUE(form->Closed);
}

// "neu" with the wizard's fields on its line, as at the prompt; "beenden" takes nothing more.
TEST_F(StartSessionTest, TheStartQuestionTakesAChoiceWithItsLineAsThePromptDoes) {
    commands = ProgramCommands();
    EXPECT_EQ(Start("beenden sofort\nneu Name=Pokal Teilnehmer=4 System=K.O.-System ok\n", ""), std::nullopt);
    EXPECT_NE(output.find("Fehler: Unbekannte Schaltfläche \"beenden sofort\""), std::string::npos) << output;
    EXPECT_EQ(output.find("gibt es im Dialog"), std::string::npos) << output;
    EXPECT_FALSE(form->Closed);
    ASSERT_EQ(form->AnzTurniere, 1);
    EXPECT_EQ(form->Turnier.Cells(Turnier_Name, 1), "Pokal");
    EXPECT_EQ(form->Turnier.Cells(Turnier_Bez, 1), "Tur1") << "the first tournament after a fresh start";
    EXPECT_EQ(form->Turnier.Cells(Turnier_AnzMann, 1), "4");
}

TEST_F(StartSessionTest, NoStartQuestionInAScriptAndTheEndOfInputQuits) {
    AddCommand("neu");
    EXPECT_EQ(Start("", "", true), std::nullopt);
    EXPECT_FALSE(form->Closed);
    EXPECT_EQ(Start("", ""), std::nullopt);
    EXPECT_FALSE(form->Closed) << "the start question left without a choice leads to the prompt, which ends";
    EXPECT_TRUE(ran.empty());
}

TEST_F(StartSessionTest, NeuInTheStartQuestionMakesTheFirstTournamentWithoutACancelButton) {
    std::filesystem::copy_file(std::string(MAROVELKA_DATA_DIR) + "/TurFormen.dat", folder + "TurFormen.dat");
    commands = ProgramCommands();
    EXPECT_EQ(Start("neu\nabbrechen\nName=Pokal\nok\n", ""), std::nullopt);
    EXPECT_NE(output.find("  Kürzel = Tur1\n"), std::string::npos) << output;
    EXPECT_NE(output.find("  Schaltflächen: ok\n"), std::string::npos);
    EXPECT_NE(output.find("Fehler: Unbekannte Schaltfläche \"abbrechen\" im Dialog \"Neues Turnier\" (möglich: ok)\n"),
              std::string::npos);
    EXPECT_EQ(form->AnzTurniere, 1);
    EXPECT_EQ(form->Turnier.Cells(Turnier_Bez, 1), "Tur1");
    EXPECT_EQ(Run("neu\nabbrechen\nende\nnein\n", false), kExitOk) << "at the prompt a new tournament may be cancelled";
    EXPECT_NE(output.find("  Kürzel = Tur2\n"), std::string::npos) << output;
    EXPECT_NE(output.find("Kein neues Turnier angelegt.\n"), std::string::npos);
}

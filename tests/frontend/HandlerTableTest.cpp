// Every handler of the main window is reached from a command of the terminal, listed by "hilfe"
// under the menu a user would look in; start-up and the timer are reached by the program's start
// and the loop between commands. A handler without its row here, or a row whose command does not
// reach its handler, fails.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "SmallTournament.h"
#include "TestEnvironment.h"
#include "engine/TurnierStart.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "frontend/CommandTable.h"
#include "frontend/Program.h"
#include "frontend/Session.h"
#include "mainwindow/main.h"

namespace {

// How a user reaches a handler: the command (empty: the program's start or the loop between
// commands) with its menu, and the lines that do it on the small tournament before its start.
// "%P%" stands for the program folder.
struct Reach {
    const char* handler;
    const char* command;
    const char* menu;
    const char* lines;
    bool started = false;  // the small tournament as it is played (group A takes results)
};

const char* const kStart = "";

// The handlers the window's design names, each bound to a menu entry, a button or an event.
const std::set<std::string> kNamedHandlers = {
    "TForm1", "FormCreate", "FormShow", "Timer1Timer", "AktuellesTurnierentfernen1Click",
    "AktuellesTurnierspeichern1Click", "AktuellesTurnierspeichernunter1Click", "Button2Click", "Button3Click",
    "Button4Click", "Button6Click", "Ergebnisse1Click", "IAeverButton10Click", "IAeverButton11Click",
    "IAeverButton13Click", "IAeverButton18Click", "IAeverButton19Click", "IAeverButton20Click",
    "IAeverButton2Click", "IAeverButton30Click", "IAeverButton33Click", "IAeverButton34Click",
    "IAeverButton35Click", "IAeverButton36Click", "IAeverButton38Click", "IAeverButton39Click",
    "IAeverButton3Click", "IAeverButton40Click", "IAeverButton54Click", "IAeverButton55Click",
    "IAeverButton6Click", "IAeverButton8Click", "IAeverButton9Click", "NeuerMarovelkandis1Click",
    "NeuesTurnierhinzufuegen1Click", "RadioButton6Click", "RadioButton9Click", "SpeedButton2Click",
    "SpeedButton7Click", "SpeedButton8Click", "SpeedButton9Click", "Spieleinstellung1Click",
    "Spielergebnisse1Click", "TreeView3Change", "Turnierform1Click", "TurnierzumTausch1Click", "UpDown1Click",
    "XComboBox1Change", "XPlan1Click", "XPlan1DblClick", "XPlan2Click", "XPlan2DblClick", "XplatzgridDragDrop",
    "XplatzgridDragOver", "umEdit1KeyPress", "umNeutralChange", "umValidEdit5Change", "umValidEdit7Change",
};

const Reach kTable[] = {
    // Start, the loop between commands and the end.
    {"TForm1", kStart, "", ""},
    {"FormCreate", kStart, "", ""},
    {"FormShow", kStart, "", ""},
    {"Timer1Timer", kStart, "", ""},
    {"Ende1Click", "ende", kMenuTurnier, "antwort nein\nende"},
    {"FormCloseQuery", "ende", kMenuTurnier, "antwort nein\nende"},
    // Menu "Turnier".
    {"NeuesTurnierhinzufuegen1Click", "neu", kMenuTurnier, "neu abbrechen"},
    {"NeuerMarovelkandis1Click", "neu-alle", kMenuTurnier, "antwort nein\nneu-alle"},
    {"Vorbereitung1Click", "vorbereitung", kMenuTurnier, "vorbereitung abbrechen"},
    {"SpeedButton2Click", "laden", kMenuTurnier, "laden %P%fehlt.tur"},
    {"AktuellesTurnierspeichern1Click", "speichern", kMenuTurnier, "antwort abbrechen\nspeichern"},
    {"AktuellesTurnierspeichernunter1Click", "speichern-unter", kMenuTurnier, "speichern-unter %P%a.tur"},
    {"IAeverButton6Click", "alle-speichern", kMenuTurnier, "antwort abbrechen\nalle-speichern"},
    {"AktuellesTurnierentfernen1Click", "schliessen", kMenuTurnier, "antwort nein\nschliessen"},
    {"XComboBox1Change", "wechseln", kMenuTurnier, "wechseln 1"},
    {"TurnierzumTausch1Click", "leeres-turnier", kMenuTurnier, "leeres-turnier %P%leer.tur"},
    {"Turnierform1Click", "form-exportieren", kMenuTurnier, "form-exportieren abbrechen"},
    {"Spielergebnisse1Click", "ergebnisse-exportieren", kMenuTurnier, "ergebnisse-exportieren"},
    {"Ergebnisse1Click", "ergebnisse-importieren", kMenuTurnier, "ergebnisse-importieren %P%fehlt.exp"},
    // Menu "Werkzeuge": the tool area, the round pages, the round tree and its tabs.
    {"IAeverButton11Click", "werkzeug", kMenuWerkzeuge, "werkzeug"},
    {"IAeverButton22Click", "werkzeug", kMenuWerkzeuge, "werkzeug übersicht"},
    {"IAeverButton54Click", "werkzeug", kMenuWerkzeuge, "werkzeug\nwerkzeug schliessen"},
    {"IAeverButton20Click", "gruppe-neu", kMenuWerkzeuge, "gruppe-neu abbrechen"},
    {"IAeverButton18Click", "gruppe-bearbeiten", kMenuWerkzeuge, "gruppe-bearbeiten 1 abbrechen"},
    {"IAeverButton19Click", "gruppe-entfernen", kMenuWerkzeuge, "gruppe-entfernen 1"},
    {"IAeverButton2Click", "runde-anlegen", kMenuWerkzeuge, "runde-anlegen"},
    {"TreeView3Change", "runden", kMenuWerkzeuge, "runden 2"},
    {"SpeedButton9Click", "umbenennen", kMenuWerkzeuge, "umbenennen 2 A Nord"},
    {"IAeverButton13Click", "umbenennen", kMenuWerkzeuge, "umbenennen 1 Vorrunde"},
    {"IAeverButton40Click", "schiedsrichter", kMenuWerkzeuge, "schiedsrichter 1"},
    {"umNeutralChange", "schiedsrichter", kMenuWerkzeuge, "schiedsrichter 1 neutrale 3"},
    {"SpeedButton7Click", "gruppe-loeschen", kMenuWerkzeuge, "antwort nein\ngruppe-loeschen 2"},
    {"SpeedButton8Click", "runde-loeschen", kMenuWerkzeuge, "antwort nein\nrunde-loeschen 1"},
    {"IAeverButton9Click", "wertung", kMenuWerkzeuge, "wertung 1 \"Wertung=Pro Satz\" ok"},
    {"umEdit1KeyPress", "wertung", kMenuWerkzeuge, "wertung 1 \"Punkte pro Sieg=3\" ok"},
    {"IAeverButton3Click", "zeiten", kMenuWerkzeuge, "zeiten 1 ok"},
    {"umValidEdit5Change", "zeiten", kMenuWerkzeuge, "zeiten 1 Verschiebung=5 ok"},
    {"umValidEdit7Change", "zeiten", kMenuWerkzeuge, "zeiten 1 Spieldauer=5 ok"},
    // Games in the plans and their results.
    {"XPlan1DblClick", "spiel", kMenuWerkzeuge, "spiel 1 abbrechen"},
    {"XPlan2DblClick", "spiel", kMenuWerkzeuge, "plan oben 12\nplan unten 2\nspiel 1 abbrechen"},
    {"Spieleinstellung1Click", "spieleinstellung", kMenuWerkzeuge, "spieleinstellung 1 abbrechen"},
    {"SpielErgebnisClick", "ergebnis", kMenuWerkzeuge, "ergebnis 1 abbrechen", true},
    {"PlatzierungskonfliktClick", "konflikt", kMenuWerkzeuge, "konflikt"},
    // The placeholder page, the neutral referees and the final placing.
    {"IAeverButton34Click", "zuweisen", kMenuWerkzeuge, "zuweisen 1 Elche"},
    {"XplatzgridDragOver", "ziehen", kMenuWerkzeuge, "ziehen 1 Elche"},
    {"XplatzgridDragDrop", "ziehen", kMenuWerkzeuge, "ziehen schiedsrichter \"Frau Roth\""},
    {"IAeverButton35Click", "zuruecknehmen", kMenuWerkzeuge, "zuweisen 1 Elche\nzuruecknehmen 1"},
    {"UpDown1Click", "tauschen", kMenuWerkzeuge, "zuweisen 1 Elche\ntauschen 1 2"},
    {"IAeverButton30Click", "mischen", kMenuWerkzeuge, "zuweisen 1 Elche Falken\nmischen"},
    {"IAeverButton39Click", "zuweisen-datei", kMenuWerkzeuge, "zuweisen-datei %P%fehlt.txt"},
    {"Button2Click", "importieren", kMenuWerkzeuge, "importieren abbrechen"},
    {"IAeverButton55Click", "endplatzierung-bearbeiten", kMenuWerkzeuge, "endplatzierung-bearbeiten abbrechen"},
    // The name lists.
    {"RadioButton6Click", "namensliste", kMenuWerkzeuge, "namensliste schiedsrichter\nnamensliste teilnehmer"},
    {"RadioButton9Click", "namensliste", kMenuWerkzeuge, "namensliste schiedsrichter"},
    {"Button6Click", "in-die-liste", kMenuWerkzeuge, "in-die-liste teilnehmer Adler"},
    {"IAeverButton36Click", "eintrag-loeschen", kMenuWerkzeuge, "eintrag-loeschen teilnehmer Elche"},
    {"Button3Click", "in-die-liste", kMenuWerkzeuge, "in-die-liste zeitnehmer Herr Uhr"},
    {"Button4Click", "eintrag-loeschen", kMenuWerkzeuge,
     "in-die-liste zeitnehmer Herr Uhr\neintrag-loeschen zeitnehmer \"Herr Uhr\""},
    {"IAeverButton8Click", "liste-importieren", kMenuWerkzeuge, "liste-importieren teilnehmer %P%fehlt.txt"},
    {"IAeverButton10Click", "liste-importieren", kMenuWerkzeuge, "liste-importieren schiedsrichter %P%fehlt.txt"},
    // Menu "Extras".
    {"IAeverButton38Click", "fehlermeldungen", kMenuExtras, "fehlermeldungen"},
    {"IAeverButton33Click", "durchspielen", kMenuExtras, "durchspielen"},
    // Menu "Ansicht".
    {"XTreeView1Change", "plan", kMenuAnsicht, "plan oben 3"},
    {"XTreeView2Change", "plan", kMenuAnsicht, "plan unten 3"},
    {"XPlan1Click", "anklicken", kMenuAnsicht, "anklicken oben 1"},
    {"XPlan2Click", "anklicken", kMenuAnsicht, "plan unten 2\nanklicken unten 1"},
};

std::string NameOf(const testing::TestParamInfo<Reach>& info) { return info.param.handler; }
void PrintTo(const Reach& reach, std::ostream* out) { *out << reach.handler; }

std::vector<Reach> CommandRows() {
    std::vector<Reach> rows;
    for (const Reach& reach : kTable)
        if (!std::string(reach.command).empty()) rows.push_back(reach);
    return rows;
}

// The handlers main.h declares: members taking the sender first, and the form's own events.
std::set<std::string> DeclaredHandlers() {
    std::ifstream header(std::string(MAROVELKA_DATA_DIR) + "/../src/mainwindow/main.h");
    std::stringstream text;
    text << header.rdbuf();
    const std::string source = text.str();
    std::set<std::string> names;
    const std::regex declaration(R"((?:void|bool)\s+(\w+)\((TObject\*)?)");
    for (std::sregex_iterator it(source.begin(), source.end(), declaration), end; it != end; ++it) {
        const std::string name = (*it)[1];
        if ((*it)[2].matched || name.rfind("Form", 0) == 0) names.insert(name);
    }
    return names;
}

std::set<std::string> TableHandlers() {
    std::set<std::string> names;
    for (const Reach& reach : kTable) names.insert(reach.handler);
    return names;
}

// The small tournament before its start, with names in the team and referee lists, timed games
// and a group listed on the round page.
class HandlerReachTest : public ProgramTest, public testing::WithParamInterface<Reach> {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        form = std::make_unique<TForm1>();
        form->FormCreate();
        FillSmallTournament(*form);
        if (!GetParam().started) {
            for (int row = 1; row < form->Gruppe.RowCount(); ++row) Put(form->Gruppe, Gruppe_State, row, "", true);
            for (int row = 1; row < form->Spielplan.RowCount(); ++row) Put(form->Spielplan, Spielplan_Sieger, row, "", true);
        }
        for (int row = 1; row <= 4; ++row) Put(form->Teams, Teams_InGr, row, row <= 2 ? 1 : 2, true);
        form->XZeitSpiele.SetChecked(true);
        form->XComboBox1.Items.Add(form->Label39.Caption());
        form->XComboBox1.SetItemIndex(0);
        const std::string list[] = {"A", "Gruppe A", "M1;M2", "2", "0"};
        for (int c = 0; c < 5; ++c) form->Gruppen.SetCells(c, 1, list[c]);
        WriteProgramFile("teams.dat", "Elche\r\nFalken\r\n");
        WriteProgramFile("schiris.dat", "Frau Roth\r\n");
        setupEndPlatzierung(*form);
        form->doTurnierBaum();
    }
    // The lines with the program folder put in.
    static std::string Lines(const std::string& text, const std::string& folder) {
        std::string lines = text;
        for (size_t at; (at = lines.find("%P%")) != std::string::npos;) lines.replace(at, 3, folder);
        return lines;
    }
    // Runs the lines as a script; the window opens again for the next run.
    std::string Run(const std::string& lines) {
        std::istringstream in(lines + "\n");
        std::ostringstream out;
        {
            Session session(*form, ProgramCommands(), in, out, true);
            session.Run();
        }
        form->Closed = false;
        return out.str();
    }
    std::unique_ptr<TForm1> form;
};

}  // namespace

TEST(HandlerTableTest, EveryHandlerTheWindowNamesHasACommand) {
    const std::set<std::string> table = TableHandlers();
    for (const std::string& handler : kNamedHandlers) EXPECT_TRUE(table.count(handler)) << handler;
}

TEST(HandlerTableTest, EveryDeclaredHandlerHasACommandAndEveryRowADeclaredHandler) {
    const std::set<std::string> declared = DeclaredHandlers();
    ASSERT_GT(declared.size(), 60u) << "main.h not read";
    const std::set<std::string> table = TableHandlers();
    for (const std::string& handler : declared) EXPECT_TRUE(table.count(handler)) << handler << " has no command";
    for (const std::string& handler : table)
        EXPECT_TRUE(declared.count(handler) || handler == "TForm1") << handler << " is not a handler of the window";
}

TEST(HandlerTableTest, CommandsAreListedUnderTheirMenu) {
    for (const Reach& reach : kTable) {
        if (std::string(reach.command).empty()) continue;
        const Command* command = ProgramCommands().Find(reach.command);
        ASSERT_NE(command, nullptr) << reach.command;
        EXPECT_EQ(command->menu, reach.menu) << reach.command;
    }
}

// The last line is the command (with the answers on the line before it); the lines before
// prepare the window, and what they reach does not count.
TEST_P(HandlerReachTest, TheCommandReachesItsHandler) {
    const Reach& reach = GetParam();
    const std::string lines = Lines(reach.lines, folder);
    size_t command = lines.rfind('\n');
    command = command == std::string::npos ? 0 : command + 1;
    const size_t answers = command > 1 ? lines.rfind('\n', command - 2) : std::string::npos;
    const size_t answerLine = answers == std::string::npos ? 0 : answers + 1;
    if (command > 0 && lines.compare(answerLine, 8, "antwort ") == 0) command = answerLine;
    const std::string prepared = command > 0 ? Run(lines.substr(0, command - 1)) : std::string();
    form->HandlersRun.clear();
    const std::string output = Run(lines.substr(command));
    EXPECT_TRUE(form->HandlersRun.count(reach.handler)) << lines << "\n" << prepared << output;
}

INSTANTIATE_TEST_SUITE_P(Table, HandlerReachTest, testing::ValuesIn(CommandRows()), NameOf);

class StartReachTest : public ProgramTest {};

TEST_F(StartReachTest, TheStartAndTheLoopBetweenCommandsReachTheirHandlers) {
    TForm1 form;
    std::istringstream in("hilfe ende\nende\n");
    std::ostringstream out;
    EXPECT_EQ(RunWindow(form, ProgramCommands(), "", in, out, true), kExitOk) << out.str();
    for (const Reach& reach : kTable) {
        if (!std::string(reach.command).empty()) continue;
        EXPECT_TRUE(form.HandlersRun.count(reach.handler)) << reach.handler;
    }
}

// The placeholder tool: names into the team slots, the neutral referees' names, the start of the
// tournament, and the final placing.
#include <ostream>

#include "dialogs/frmImport.h"
#include "engine/TurnierStart.h"
#include "foundation/Conversions.h"
#include "foundation/Platzgrid.h"
#include "foundation/Settings.h"
#include "frontend/CommandTable.h"
#include "frontend/TerminalHost.h"
#include "frontend/TextTable.h"
#include "mainwindow/main.h"

namespace {

using Names = std::vector<std::string>;

bool IsNumber(const std::string& text) {
    return !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos;
}

Names SlotNames(const TForm1& f) {
    Names names;
    for (int row = 1; row < f.Xplatzgrid.RowCount(); ++row) names.push_back(f.Xplatzgrid.Cells(Platzgrid_Mannschaft, row));
    return names;
}

int SlotCount(const TForm1& f) {
    int count = 0;
    for (int row = 1; row < f.Xplatzgrid.RowCount(); ++row) count += IsSlotRow(f.Xplatzgrid, row) ? 1 : 0;
    return count;
}

std::string SlotText(const TForm1& f, int row) {
    const TStringGrid& grid = f.Xplatzgrid;
    const std::string& name = grid.Cells(Platzgrid_Mannschaft, row);
    return "Platz " + IntToStr(row) + " (" + grid.Cells(Platzgrid_Gruppe, row) + ", " +
           grid.Cells(Platzgrid_Platzhalter, row) + "): " + (name.empty() ? "frei" : name);
}

// The slots whose name the command changed; false when none did.
bool ReportChanges(CommandCall& call, const Names& before) {
    const Names after = SlotNames(call.form);
    bool changed = false;
    for (size_t i = 0; i < after.size(); ++i) {
        if (i < before.size() && before[i] == after[i]) continue;
        call.out << SlotText(call.form, static_cast<int>(i) + 1) << "\n";
        changed = true;
    }
    return changed;
}

// The slot a user names by its number, as "namen" shows it; 0 with a message when there is none.
int SlotArgument(CommandCall& call, const std::string& text) {
    const int slots = SlotCount(call.form);
    if (IsNumber(text) && ToInt(text) >= 1 && ToInt(text) <= slots) return ToInt(text);
    Fail(call, "Einen Platz " + Quoted(text) + " gibt es nicht; „namen“ zeigt die Plätze 1 bis " + IntToStr(slots) + ".");
    return 0;
}

void ShowPage(TForm1& f, TTabSheet& page) { f.PageControlPlatzhalter.SetActivePage(&page); }

// How a name of several words is typed, with the words the user gave as the example.
std::string QuotingHint(const std::string& command, const Names& words) {
    return "Ein Name mit Leerzeichen steht in Anführungszeichen, z. B. " + command + " \"" + JoinedArgs(words, 0) + "\".";
}

// Selects exactly these names in the name list, as a user picks them; false with a message
// when one is not in it. Several words may be one name typed without quotes: that is said.
bool SelectNames(CommandCall& call, const Names& names, const std::string& list, const std::string& command) {
    for (TListItem& item : call.form.ListView2.Items) item.Selected = false;
    for (const std::string& name : names) {
        bool found = false;
        for (TListItem& item : call.form.ListView2.Items)
            if (item.Caption == name) found = item.Selected = true;
        if (found) continue;
        std::string message = Quoted(name) + " steht nicht in der " + list + ".";
        if (names.size() > 1) message += " " + QuotingHint(command, names);
        return Fail(call, message);
    }
    return true;
}

bool ShowSlots(CommandCall& call) {
    if (!call.args.empty()) return Fail(call, "„namen“ nimmt keine Angaben.");
    const TStringGrid& source = call.form.Xplatzgrid;
    TStringGrid table;
    table.SetColCount(6);
    table.SetRowCount(source.RowCount());
    const Names header{"Nr", source.Cells(Platzgrid_Gruppe, 0), source.Cells(Platzgrid_Platzhalter, 0),
                       source.Cells(Platzgrid_Mannschaft, 0), "Spieler", ""};
    for (int c = 0; c < 6; ++c) table.SetCells(c, 0, header[static_cast<size_t>(c)]);
    for (int row = 1; row < source.RowCount(); ++row) {
        if (!IsSlotRow(source, row)) continue;
        table.SetCells(0, row, IntToStr(row));
        for (int c : {Platzgrid_Gruppe, Platzgrid_Platzhalter, Platzgrid_Mannschaft})
            table.SetCells(c + 1, row, source.Cells(c, row));
        std::string players = source.Cells(Platzgrid_Spieler, row);
        for (size_t bar; (bar = players.find('|')) != std::string::npos;) players.replace(bar, 1, ", ");
        table.SetCells(4, row, players);
        table.SetCells(5, row, IsLockedRow(source, row) ? "gesperrt" : "");
    }
    if (SlotCount(call.form) == 0) {
        call.out << "Das Turnier hat keine Plätze für " << GetSetting(call.form, "TeamTyps", "Mannschaften") << ".\n";
        return true;
    }
    for (const std::string& line : GridLines(table)) call.out << line << "\n";
    return true;
}

// The names selected in the name list reach the chosen slot or the referees' list by the button
// "Zuweisen" or by dragging them there.
void PressOrDrop(TForm1& f, TControl& target, bool drop) {
    if (drop) f.XplatzgridDragDrop(&target, &f.ListView2, 0, 0);
    else f.IAeverButton34Click(&f.IAeverButton34);
}

bool AssignNames(CommandCall& call, bool drop) {
    const std::string name = drop ? "ziehen" : "zuweisen";
    // "zuweisen Anna Berg": the place was left out, and the name split in two.
    if (!call.args.empty() && !IsNumber(call.args[0]))
        return Fail(call, "„" + name + "“ braucht zuerst die Nummer des Platzes („namen“ zeigt sie), dann die Namen. " +
                              QuotingHint(name + " 1", call.args));
    if (call.args.size() < 2) return Fail(call, "„" + name + "“ braucht einen Platz und mindestens einen Namen.");
    const int slot = SlotArgument(call, call.args[0]);
    if (slot == 0) return false;
    TForm1& f = call.form;
    if (f.RadioButton9.Checked()) {
        f.RadioButton6.SetChecked(true);
        f.RadioButton9.SetChecked(false);
        f.RadioButton6Click(&f.RadioButton6);
    }
    const Names names(call.args.begin() + 1, call.args.end());
    if (!SelectNames(call, names, "Teilnehmerliste", name + " " + call.args[0])) return false;
    ShowPage(f, f.TabSheetPlatzhalter);
    f.Xplatzgrid.SetRow(slot);
    const Names before = SlotNames(f);
    PressOrDrop(f, f.Xplatzgrid, drop);
    if (!ReportChanges(call, before))
        return Fail(call, "Kein Name wurde zugewiesen: der Platz ist gesperrt oder die Namen sind schon vergeben.");
    return true;
}

bool Assign(CommandCall& call) { return AssignNames(call, false); }

// False, having said why, when a name is not in the referee list.
bool AddReferees(CommandCall& call, const Names& names, bool drop) {
    TForm1& f = call.form;
    f.RadioButton9.SetChecked(true);
    f.RadioButton6.SetChecked(false);
    f.RadioButton9Click(&f.RadioButton9);
    if (!SelectNames(call, names, "Schiedsrichterliste", drop ? "ziehen schiedsrichter" : "schiedsrichter-namen"))
        return false;
    PressOrDrop(f, f.ListBox4, drop);
    return true;
}

bool AnySlotLocked(const TForm1& f) {
    for (int row = 1; row < f.Xplatzgrid.RowCount(); ++row)
        if (IsSlotRow(f.Xplatzgrid, row) && IsLockedRow(f.Xplatzgrid, row)) return true;
    return false;
}

bool AssignFromFile(CommandCall& call) {
    if (call.args.size() > 1) return Fail(call, "„zuweisen-datei“ nimmt eine Datei.");
    // Once a group has been played on, the program refuses before it asks for a file.
    if (AnySlotLocked(call.form)) {
        call.form.IAeverButton39Click(&call.form.IAeverButton39);
        return Fail(call, "Die Datei wird nicht gelesen: die Plätze einer Gruppe, die schon spielt, sind gesperrt "
                          "(„namen“ zeigt sie).");
    }
    if (!call.args.empty()) call.host.QueueAnswers({call.args[0]});
    const Names before = SlotNames(call.form);
    // The file chosen now, not one chosen before, is looked at below.
    call.form.OpenDialog1.FileName.clear();
    call.form.IAeverButton39Click(&call.form.IAeverButton39);
    if (ReportChanges(call, before)) return true;
    call.out << "Keine Zuweisung hat sich geändert.\n";
    const std::string& file = call.form.OpenDialog1.FileName;
    if (file.empty() || !IstSpielerliste(file)) return true;
    const std::string field = "Datei=" + file;
    call.out << "Hinweis: Eine Spielerliste liest „importieren "
             << (file.find(' ') == std::string::npos ? field : "\"" + field + "\"") << " ok“ ein.\n";
    return true;
}

bool Import(CommandCall& call) {
    if (!call.args.empty())
        return Fail(call, "„importieren“ nimmt die Datei als Feld des Dialogs: importieren Datei=DATEI ok.");
    const Names before = SlotNames(call.form);
    call.form.Button2Click(&call.form.Button2);
    if (!ReportChanges(call, before)) call.out << "Keine Zuweisung hat sich geändert.\n";
    return true;
}

// Rows the shuffle may move: open and with a name.
std::vector<int> ShuffleRows(const TForm1& f) {
    std::vector<int> rows;
    for (int row = 1; row < f.Xplatzgrid.RowCount(); ++row)
        if (IsSlotRow(f.Xplatzgrid, row) && !IsLockedRow(f.Xplatzgrid, row) &&
            !f.Xplatzgrid.Cells(Platzgrid_Mannschaft, row).empty())
            rows.push_back(row);
    return rows;
}

bool Shuffle(CommandCall& call) {
    if (!call.args.empty()) return Fail(call, "„mischen“ nimmt keine Angaben.");
    const std::vector<int> rows = ShuffleRows(call.form);
    if (rows.size() < 2) return Fail(call, "Zum Mischen braucht es mindestens zwei offene Plätze mit Namen.");
    call.form.IAeverButton30Click(&call.form.IAeverButton30);
    for (int row : rows) call.out << SlotText(call.form, row) << "\n";
    return true;
}

// Neighbouring slots change their names as the arrows beside the list do.
bool Exchange(CommandCall& call) {
    if (call.args.size() != 2) return Fail(call, "„tauschen“ braucht zwei benachbarte Plätze, z. B. tauschen 2 3.");
    const int first = SlotArgument(call, call.args[0]);
    if (first == 0) return false;
    const int second = SlotArgument(call, call.args[1]);
    if (second == 0) return false;
    if (second != first - 1 && second != first + 1)
        return Fail(call, "„tauschen“ tauscht benachbarte Plätze, wie die Pfeile es tun.");
    TForm1& f = call.form;
    f.Xplatzgrid.SetRow(first);
    const Names before = SlotNames(f);
    f.UpDown1.Click(second < first ? TUDBtnType::btNext : TUDBtnType::btPrev);
    if (f.Xplatzgrid.Row() != second) return Fail(call, "Ein gesperrter Platz tauscht nicht.");
    if (!ReportChanges(call, before)) call.out << "Beide Plätze sind frei.\n";
    return true;
}

bool TakeBack(CommandCall& call) {
    if (call.args.size() != 1) return Fail(call, "„zuruecknehmen“ braucht den Platz, z. B. zuruecknehmen 2.");
    const int slot = SlotArgument(call, call.args[0]);
    if (slot == 0) return false;
    TForm1& f = call.form;
    if (IsLockedRow(f.Xplatzgrid, slot)) return Fail(call, "Platz " + IntToStr(slot) + " ist gesperrt: seine Gruppe spielt schon.");
    ShowPage(f, f.TabSheetPlatzhalter);
    f.Xplatzgrid.SetRow(slot);
    const Names before = SlotNames(f);
    f.IAeverButton35Click(&f.IAeverButton35);
    if (!ReportChanges(call, before)) call.out << "Platz " << slot << " hatte keinen Namen.\n";
    return true;
}

void ListReferees(CommandCall& call) {
    const TListBox& list = call.form.ListBox4;
    if (list.Items.Count() == 0) call.out << "Keine Namen für neutrale Schiedsrichter.\n";
    for (int i = 0; i < list.Items.Count(); ++i) call.out << "N" << i + 1 << "  " << list.Items[i] << "\n";
}

bool RefereeNames(CommandCall& call) {
    TForm1& f = call.form;
    if (call.args.empty()) {
        ListReferees(call);
        return true;
    }
    ShowPage(f, f.TabSheetSchiedsrichter);
    if (FoldName(call.args[0]) == "entfernen") {
        if (call.args.size() != 2 || !IsNumber(call.args[1]) || ToInt(call.args[1]) < 1 ||
            ToInt(call.args[1]) > f.ListBox4.Items.Count())
            return Fail(call, "„schiedsrichter-namen entfernen“ braucht die Nummer eines Namens, wie die Liste sie zeigt.");
        f.ListBox4.SetItemIndex(ToInt(call.args[1]) - 1);
        f.IAeverButton35Click(&f.IAeverButton35);
    } else {
        if (!AddReferees(call, call.args, false)) return false;
    }
    ListReferees(call);
    return true;
}

// Names dragged from the name list onto a slot, or onto the list of neutral referees.
bool Drag(CommandCall& call) {
    if (call.args.empty() || FoldName(call.args[0]) != "schiedsrichter") return AssignNames(call, true);
    if (call.args.size() < 2) return Fail(call, "„ziehen schiedsrichter NAME...“ braucht mindestens einen Namen.");
    TForm1& f = call.form;
    ShowPage(f, f.TabSheetSchiedsrichter);
    if (!AddReferees(call, Names(call.args.begin() + 1, call.args.end()), true)) return false;
    ListReferees(call);
    return true;
}

bool Start(CommandCall& call) {
    if (!call.args.empty()) return Fail(call, "„start“ nimmt keine Angaben.");
    checkStartTur(call.form);
    int open = 0;
    for (const std::string& name : SlotNames(call.form)) open += name.empty() ? 1 : 0;
    if (GetSetting(call.form, "Spielstart", "false") == "true")
        call.out << "Das Turnier hat begonnen.\n";
    else
        call.out << "Das Turnier hat noch nicht begonnen: " << open << (open == 1 ? " Platz ist" : " Plätze sind")
                 << " ohne Namen.\n";
    return true;
}

void PrintFinalPlacing(CommandCall& call) {
    for (const std::string& line : GridLines(call.form.TPlatz)) call.out << line << "\n";
}

bool ShowFinalPlacing(CommandCall& call) {
    if (!call.args.empty()) return Fail(call, "„endplatzierung“ nimmt keine Angaben.");
    PrintFinalPlacing(call);
    return true;
}

bool EditFinalPlacing(CommandCall& call) {
    if (!call.args.empty())
        return Fail(call, "„endplatzierung-bearbeiten“ nimmt die Liste als Feld des Dialogs: Teilnehmer=1.A;2.A ok.");
    call.form.IAeverButton55Click(&call.form.IAeverButton55);
    PrintFinalPlacing(call);
    return true;
}

const CommandRegistration kPlaceholderCommands({
    Command{"namen", kMenuWerkzeuge, "", "Die Plätze der Teilnehmer mit ihren Namen zeigen",
            "Jeder Platz einer Gruppe der ersten Runde, der einen Teilnehmer direkt erhält, mit seiner Nummer,\n"
            "seinem Platzhalter, dem zugewiesenen Namen und der Spielerliste. Gesperrt ist ein Platz,\n"
            "dessen Gruppe schon spielt.",
            true, ShowSlots},
    Command{"zuweisen", kMenuWerkzeuge, "PLATZ NAME...", "Namen aus der Teilnehmerliste ab einem Platz zuweisen",
            "Wie die Auswahl in der Teilnehmerliste und „Zuweisen“: der erste Name geht auf PLATZ, jeder weitere\n"
            "auf den nächsten Platz. Ein schon vergebener Name oder ein gesperrter Platz wird übersprungen.",
            true, Assign},
    Command{"ziehen", kMenuWerkzeuge, "PLATZ|schiedsrichter NAME...",
            "Namen aus der Namensliste auf einen Platz oder zu den Schiedsrichtern ziehen",
            "Wie Ziehen und Loslassen mit der Maus: auf PLATZ wirkt es wie „zuweisen“, auf die Liste der\n"
            "neutralen Schiedsrichter wie „schiedsrichter-namen NAME...“.",
            true, Drag},
    Command{"zuweisen-datei", kMenuWerkzeuge, "[DATEI]", "Namen aus einer Textdatei den Plätzen zuweisen",
            "Wie „Teams aus .txt Datei in Platzhalterliste“: ein Name je Zeile, ab Platz 1. Leere Zeilen\n"
            "zählen nicht; Namen nach dem letzten Platz bleiben übrig und werden gemeldet. Eine Datei mit\n"
            "einem Namen zweimal oder Zeichen, die kein Text sind, ändert nichts. Ohne DATEI wird nach ihr\n"
            "gefragt. Sobald eine Gruppe spielt, liest es keine Datei mehr.",
            true, AssignFromFile},
    Command{"importieren", kMenuWerkzeuge, "[Datei=DATEI ok]", "Mannschaften mit ihren Spielerlisten importieren",
            "Wie „Import Spielerlisten aus csv-Datei“. Die Datei beginnt mit der Zeile „Mannschaft;Spieler“,\n"
            "dann je Zeile eine Mannschaft und einer ihrer Spieler, durch „;“ getrennt.",
            true, Import},
    Command{"mischen", kMenuWerkzeuge, "", "Die zugewiesenen Namen zufällig auf ihre Plätze verteilen",
            "Wie „Zufallsgenerator (Platzhalter)“: nur offene Plätze mit Namen; jede Reihenfolge ist gleich\n"
            "wahrscheinlich.",
            true, Shuffle},
    Command{"tauschen", kMenuWerkzeuge, "A B", "Die Namen zweier benachbarter Plätze tauschen",
            "Wie die Pfeile neben der Liste: B ist der Platz über oder unter A.", true, Exchange},
    Command{"zuruecknehmen", kMenuWerkzeuge, "PLATZ", "Den Namen eines Platzes zurücknehmen",
            "Der Name kommt zurück in die Teilnehmerliste; solange ein Platz frei ist, hat das Turnier nicht\n"
            "begonnen.",
            true, TakeBack},
    Command{"schiedsrichter-namen", kMenuWerkzeuge, "[NAME...|entfernen NR]",
            "Die Namen der neutralen Schiedsrichter zeigen, hinzufügen oder entfernen",
            "Ohne Angabe die Liste N1, N2, ...; mit Namen aus der Schiedsrichterliste werden sie angehängt;\n"
            "„entfernen NR“ nimmt einen heraus, die folgenden rücken auf.",
            true, RefereeNames},
    Command{"start", kMenuWerkzeuge, "", "Prüfen, ob das Turnier begonnen hat",
            "Übernimmt die Zuweisungen in das Turnier, sobald jeder Platz einen Namen hat, und sagt, ob das\n"
            "Turnier begonnen hat.",
            true, Start},
    Command{"endplatzierung", kMenuWerkzeuge, "", "Die Plätze der Endplatzierung mit ihren Platzhaltern zeigen",
            "Wie die Werkzeugseite „EndPlatzierung“: jeder Platz mit dem Platzhalter, der ihn vergibt,\n"
            "z. B. „Sieger Spiel 16“. Wer einen Platz erreicht hat, zeigt „plan Endplatzierung“.",
            true, ShowFinalPlacing},
    Command{"endplatzierung-bearbeiten", kMenuWerkzeuge, "[Teilnehmer=LISTE ok]", "Die Endplatzierung bearbeiten",
            "Wie „Endplatzierung bearbeiten“: der Gruppendialog mit der Liste der Plätze, durch „;“ getrennt.\n"
            "Nicht mehr möglich, sobald ein Spiel einen Sieger hat.",
            true, EditFinalPlacing},
});

}  // namespace

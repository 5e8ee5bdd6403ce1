// The name lists beside the program: participants (teams), referees and time keepers, as the
// page "Mannschaftsnamen eingeben" shows them.
#include <ostream>

#include "engine/NameLists.h"
#include "foundation/Conversions.h"
#include "foundation/MessageBoxes.h"
#include "frontend/CommandTable.h"
#include "frontend/TerminalHost.h"
#include "mainwindow/main.h"

namespace {

enum class NameList { Teilnehmer, Schiedsrichter, Zeitnehmer };

const char* const kListWords = "teilnehmer, schiedsrichter oder zeitnehmer";

const char* FileOf(NameList list) {
    switch (list) {
        case NameList::Teilnehmer: return kTeamsListFile;
        case NameList::Schiedsrichter: return kSchirisListFile;
        default: return kZeitnehmerListFile;
    }
}

const char* Title(NameList list) {
    switch (list) {
        case NameList::Teilnehmer: return "Teilnehmerliste (teams.dat)";
        case NameList::Schiedsrichter: return "Schiedsrichterliste (schiris.dat)";
        default: return "Zeitnehmerliste (zeitnehmer.dat)";
    }
}

// The list a word names; false, having said why, for any other word.
bool ListNamed(CommandCall& call, const std::string& word, NameList& list, bool timeKeepers) {
    const std::string key = FoldName(word);
    if (key == "teilnehmer") list = NameList::Teilnehmer;
    else if (key == "schiedsrichter") list = NameList::Schiedsrichter;
    else if (key == "zeitnehmer" && timeKeepers) list = NameList::Zeitnehmer;
    else
        return Fail(call, "Eine Namensliste " + Quoted(word) + " gibt es nicht: " +
                              (timeKeepers ? kListWords : "teilnehmer oder schiedsrichter") + ".");
    return true;
}

TListView& ViewOf(TForm1& f, NameList list) { return list == NameList::Zeitnehmer ? f.ListView1 : f.ListView2; }

// Shows the team or referee list, as a click on its radio button does; the time keepers are
// always shown.
void ShowList(TForm1& f, NameList list) {
    if (list == NameList::Zeitnehmer) return;
    const bool teams = list == NameList::Teilnehmer;
    (teams ? f.RadioButton9 : f.RadioButton6).SetChecked(false);
    TRadioButton& chosen = teams ? f.RadioButton6 : f.RadioButton9;
    if (chosen.Checked()) (f.*(teams ? &TForm1::RadioButton6Click : &TForm1::RadioButton9Click))(&chosen);
    else chosen.SetChecked(true);
}

void PrintList(CommandCall& call, NameList list) {
    const std::vector<TListItem>& items = ViewOf(call.form, list).Items;
    call.out << Title(list) << ": " << items.size() << (items.size() == 1 ? " Name" : " Namen") << "\n";
    for (const TListItem& item : items) call.out << "  " << item.Caption << "\n";
}

bool ShowNames(CommandCall& call) {
    if (call.args.size() > 1) return Fail(call, "„namensliste“ nimmt höchstens den Namen einer Liste.");
    NameList list = NameList::Teilnehmer;
    if (!call.args.empty() && !ListNamed(call, call.args[0], list, true)) return false;
    ShowList(call.form, list);
    // A list that shows only a part of its file says so.
    if (const std::string problem = NameListProblem(FileOf(list)); !problem.empty())
        ShowMsg(3, problem + " Gezeigt werden nur die Namen davor.");
    PrintList(call, list);
    return true;
}

// The list named by the first argument, after which at least `more` arguments follow; false,
// having said why, otherwise.
bool ListArgument(CommandCall& call, const char* usage, size_t more, bool timeKeepers, NameList& list) {
    if (call.args.size() < 1 + more) return Fail(call, usage);
    return ListNamed(call, call.args[0], list, timeKeepers);
}

bool AddName(CommandCall& call) {
    NameList list = NameList::Teilnehmer;
    if (!ListArgument(call, "„in-die-liste LISTE NAME“: die Liste und der Name.", 1, true, list)) return false;
    TForm1& f = call.form;
    ShowList(f, list);
    const bool timeKeeper = list == NameList::Zeitnehmer;
    TEdit& edit = timeKeeper ? f.Edit1 : f.Edit14;
    edit.SetText(JoinedArgs(call.args, 1));
    if (timeKeeper) f.Button3Click(&f.Button3);
    else f.Button6Click(&f.Button6);
    // The edit is emptied once the name stands in the list.
    if (!edit.Text().empty()) return Fail(call, "Der Name wurde nicht in die Liste aufgenommen.");
    PrintList(call, list);
    return true;
}

bool DeleteNames(CommandCall& call) {
    NameList list = NameList::Teilnehmer;
    if (!ListArgument(call, "„eintrag-loeschen LISTE NAME...“: die Liste und die Namen.", 1, true, list)) return false;
    TForm1& f = call.form;
    ShowList(f, list);
    TListView& view = ViewOf(f, list);
    for (TListItem& item : view.Items) item.Selected = false;
    for (size_t i = 1; i < call.args.size(); ++i) {
        bool found = false;
        for (TListItem& item : view.Items)
            if (item.Caption == call.args[i]) found = item.Selected = true;
        if (!found) return Fail(call, Quoted(call.args[i]) + " steht nicht in der " + Title(list) + ".");
    }
    if (list == NameList::Zeitnehmer) f.Button4Click(&f.Button4);
    else f.IAeverButton36Click(&f.IAeverButton36);
    // What is still selected was kept: the bye is never deleted.
    for (const TListItem& item : view.Items)
        if (item.Selected) call.out << "Der Eintrag " << Quoted(item.Caption) << " bleibt in der Liste.\n";
    PrintList(call, list);
    return true;
}

bool ImportNames(CommandCall& call) {
    NameList list = NameList::Teilnehmer;
    const char* usage = "„liste-importieren teilnehmer|schiedsrichter [DATEI]“";
    if (call.args.size() > 2) return Fail(call, usage);
    if (!ListArgument(call, usage, 0, false, list)) return false;
    TForm1& f = call.form;
    if (call.args.size() == 2) call.host.QueueAnswers({call.args[1]});
    ShowList(f, list);
    const size_t before = ViewOf(f, list).Items.size();
    if (list == NameList::Teilnehmer) f.IAeverButton8Click(&f.IAeverButton8);
    else f.IAeverButton10Click(&f.IAeverButton10);
    const size_t after = ViewOf(f, list).Items.size();
    const size_t added = after > before ? after - before : 0;
    call.out << "Aufgenommen: " << added << (added == 1 ? " Name" : " Namen") << "\n";
    PrintList(call, list);
    return true;
}

const CommandRegistration kNameListCommands({
    Command{"namensliste", kMenuWerkzeuge, "[teilnehmer|schiedsrichter|zeitnehmer]",
            "Eine Namensliste zeigen (ohne Angabe die Teilnehmerliste)",
            "Die Listen liegen neben dem Programm und gelten für alle Turniere: teams.dat, schiris.dat und\n"
            "zeitnehmer.dat. Aus der Teilnehmer- und der Schiedsrichterliste werden Namen zugewiesen\n"
            "(„zuweisen“, „schiedsrichter-namen“), die Zeitnehmer bietet die Spieleinstellung an.",
            false, ShowNames},
    Command{"in-die-liste", kMenuWerkzeuge, "LISTE NAME", "Einen Namen in eine Namensliste aufnehmen",
            "Wie „In die Liste“: LISTE ist teilnehmer, schiedsrichter oder zeitnehmer. Ein Name steht nur\n"
            "einmal in einer Liste; ein Name über 30 Zeichen wird gekürzt.",
            false, AddName},
    Command{"eintrag-loeschen", kMenuWerkzeuge, "LISTE NAME...", "Namen aus einer Namensliste löschen",
            "Wie „Eintrag löschen“ für die gewählten Namen; „[FREILOS]“ bleibt in der Teilnehmer- und der\n"
            "Schiedsrichterliste.",
            false, DeleteNames},
    Command{"liste-importieren", kMenuWerkzeuge, "teilnehmer|schiedsrichter [DATEI]",
            "Die Namen einer Textdatei an eine Namensliste anhängen",
            "Wie „Teams aus .txt Datei in Teilnehmerliste“ bzw. „... in Schiedsrichterl.“: ein Name je Zeile,\n"
            "leere Zeilen zählen nicht, doppelte Namen bleiben. Ohne DATEI wird nach ihr gefragt.",
            false, ImportNames},
});

}  // namespace

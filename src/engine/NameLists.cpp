#include "engine/NameLists.h"

#include <sys/stat.h>

#include <cerrno>
#include <exception>
#include <map>

#include "foundation/Accessors.h"
#include "foundation/Conversions.h"
#include "foundation/FileProblems.h"
#include "foundation/Logs.h"
#include "foundation/MessageBoxes.h"
#include "foundation/NameText.h"
#include "foundation/Texts.h"
#include "foundation/files/NameFile.h"
#include "foundation/files/TFile.h"
#include "foundation/MainForm.h"
#include "platform/AtomicFile.h"
#include "platform/ProgramFolder.h"

namespace {

constexpr const char* kFreilos = "[FREILOS]";  // text 84: the bye, never deleted

// error: the system's error number of the step that failed, named as the reason.
void ReportNotStored(const std::string& fileName, int error) {
    const std::string reason = WriteErrorText(ProgramFile(fileName), error);
    ErrorLog(WithReason("[X] Namensliste: " + ProgramFile(fileName) + " konnte nicht geschrieben werden", reason));
    ShowMsg(4, WithReason("Die Namensliste " + fileName + " konnte nicht gespeichert werden", reason) + ".");
}

// Why the list file was not read completely, as a sentence naming the file.
std::string ListProblem(const std::string& fileName, const NameListContent& list) {
    const std::string named = "Die Namensliste " + fileName;
    if (!list.opened) return named + " kann nicht gelesen werden.";
    if (list.badLine > 0)
        return named + " kann nicht vollständig gelesen werden: Zeile " + IntToStr(list.badLine) + " " +
               BadLineText(list.badLineTooLong) + ".";
    return named + " kann nicht vollständig gelesen werden.";
}

// Names are only ever added to a list read completely: behind a part nothing reads they would
// never show again.
bool RefuseIncompleteList(const std::string& fileName, const char* consequence) {
    const NameListContent stored = ReadNameListFile(fileName);
    if (stored.complete) return false;
    ShowMsg(4, ListProblem(fileName, stored) + " " + consequence);
    return true;
}

// Appends the names as lines, all or none: a failed append leaves the file as it was. error gets
// the system's error number when it fails.
bool AppendNames(const std::string& fileName, const std::vector<std::string>& names, int& error) {
    TFile file;
    error = 0;
    if (!file.OpenAppend(ProgramFile(fileName))) {
        error = file.Error();
        return false;
    }
    for (const std::string& name : names) file.WriteLine(name);
    if (file.Close()) return true;
    error = file.Error();
    return false;
}

// Replaces the list file safely: the old list stays when anything fails.
bool RewriteList(const std::string& fileName, const std::vector<std::string>& names, int& error) {
    error = 0;
    // A safe write with nothing written counts as failed; an emptied list is an empty file.
    if (names.empty()) {
        const bool written = WriteFileAtomically(ProgramFile(fileName), "");
        if (!written) error = errno;
        return written;
    }
    TFile file;
    file.SetSafeWrite(true);
    if (!file.OpenWrite(ProgramFile(fileName), false)) {
        error = file.Error();
        return false;
    }
    for (const std::string& name : names) file.WriteLine(name);
    if (file.Close()) return true;
    error = file.Error();
    return false;
}

void FillListView(TListView& view, const std::vector<std::string>& names) {
    view.Items.clear();
    for (const std::string& name : names) ListViewAdd(view, name);
    ListViewSort(view);
}

// The list from its file into the view; what could not be read is on record.
void LoadList(TListView& view, const std::string& fileName) {
    const NameListContent list = ReadNameListFile(fileName);
    FillListView(view, list.names);
    if (!list.complete) ErrorLog("[X] " + ListProblem(ProgramFile(fileName), list));
}

// Adds the name of the edit field to a list unless it is there already. Blanks around a name
// are not part of it: a field of blanks is an empty field.
void AddToList(TEdit& edit, TListView& view, const std::string& fileName, const char* marker) {
    Log(std::string("[") + marker + "-2]");
    const std::string typed = TrimName(edit.Text());
    if (typed.empty()) {
        ShowMsg(1, lngText(75));
        return;
    }
    if (!IsTypedText(typed)) return ShowMsg(3, TypedTextProblem("Der Name", typed) + ".");
    const std::string name = CutName(typed);
    Log(std::string("[") + marker + "-4]");
    if (!ListViewHasCaption(view, name)) {
        // A name that could not be stored stays in the edit field rather than show as saved.
        if (RefuseIncompleteList(fileName, "Der Name wird nicht aufgenommen.")) return;
        if (int error = 0; !AppendNames(fileName, {name}, error)) return ReportNotStored(fileName, error);
        ListViewAdd(view, name);
        ListViewSort(view);
    }
    Log(std::string("[") + marker + "-8]");
    edit.SetText("");
}

// The names of the file that no item of the view stands for (added elsewhere, or never loaded),
// in file order; a name the file holds twice and the view once counts once as shown.
std::vector<std::string> NamesNotShown(const std::vector<std::string>& stored, const TListView& view) {
    std::map<std::string, int> shown;
    for (const TListItem& item : view.Items) ++shown[item.Caption];
    std::vector<std::string> missing;
    for (const std::string& name : stored) {
        auto it = shown.find(name);
        if (it != shown.end() && it->second > 0)
            --it->second;
        else
            missing.push_back(name);
    }
    return missing;
}

// Removes the selected names, except the protected bye, from the list and its file. The file is
// rewritten from what it holds now, never from a part of it.
void DeleteSelected(TListView& view, const std::string& fileName, bool protectBye) {
    const NameListContent stored = ReadNameListFile(fileName);
    if (!stored.complete)
        return ShowMsg(4, ListProblem(fileName, stored) + " Sie wird nicht überschrieben; es wurde nichts gelöscht.");
    std::vector<TListItem> kept;
    std::vector<std::string> names;
    for (const TListItem& item : view.Items) {
        if (item.Selected && !(protectBye && item.Caption == kFreilos)) continue;
        kept.push_back(item);
        names.push_back(item.Caption);
    }
    for (std::string& name : NamesNotShown(stored.names, view)) names.push_back(std::move(name));
    if (int error = 0; !RewriteList(fileName, names, error)) return ReportNotStored(fileName, error);
    view.Items = std::move(kept);
}

// Every name of a text file to import, or none: a file with a line that is not text, or one
// that cannot be read to its end, is refused as a whole, so that no part of it is taken twice
// once the file is put right.
bool ReadImportedNames(const std::string& path, std::vector<std::string>& names) {
    NameFileReader file;
    if (!file.Open(path)) {
        ShowMsg(4, "Die Datei " + path + " konnte nicht gelesen werden.");
        return false;
    }
    for (std::string name; file.Next(name);) names.push_back(std::move(name));
    if (file.Complete()) return true;
    const char* const nothing = " Es wurde kein Name aufgenommen.";
    if (file.BadLine() > 0)
        ShowMsg(3, "Zeile " + IntToStr(file.BadLine()) + " der Datei " + path + " " + BadLineText(file.BadLineTooLong()) +
                       "." + nothing);
    else
        ShowMsg(3, "Die Datei " + path + " konnte nicht vollständig gelesen werden." + nothing);
    return false;
}

const std::string& PersonListFile(const TMainForm& form) {
    static const std::string teams = kTeamsListFile, schiris = kSchirisListFile;
    return form.RadioButton9.Checked() ? schiris : teams;
}

}  // namespace

NameListContent ReadNameListFile(const std::string& fileName) {
    NameListContent list;
    const std::string path = ProgramFile(fileName);
    NameFileReader file;
    if (!file.Open(path)) {
        struct stat info {};
        list.complete = ::lstat(path.c_str(), &info) != 0 && errno == ENOENT;
        list.opened = false;
        return list;
    }
    for (std::string name; file.Next(name);) list.names.push_back(std::move(name));
    list.complete = file.Complete();
    list.badLine = file.BadLine();
    list.badLineTooLong = file.BadLineTooLong();
    return list;
}

std::vector<std::string> ReadNameList(const std::string& fileName) { return ReadNameListFile(fileName).names; }

void loadNamensliste(TMainForm& form, bool teams) { LoadList(form.ListView2, teams ? kTeamsListFile : kSchirisListFile); }

void loadZeitnehmerliste(TMainForm& form) { LoadList(form.ListView1, kZeitnehmerListFile); }

std::string NameListProblem(const std::string& fileName) {
    const NameListContent list = ReadNameListFile(fileName);
    return list.complete ? std::string() : ListProblem(fileName, list);
}

void addPersonName(TMainForm& form) {
    Log("[F] Button6Click(): Mannschaften hinzufuegen in Mannschaftsliste");
    try {
        Log("[B6-1]");
        AddToList(form.Edit14, form.ListView2, PersonListFile(form), "B6");
        Log("[B6-9]");
    } catch (const std::exception& e) {
        Log(std::string("[X] Button6Click(): Exception ") + e.what());
    }
}

void addZeitnehmer(TMainForm& form) {
    Log("[F] Button3Click(): Zeitnehmer hinzufuegen");
    try {
        AddToList(form.Edit1, form.ListView1, kZeitnehmerListFile, "B3");
    } catch (const std::exception& e) {
        Log(std::string("[X] Button3Click(): Exception ") + e.what());
    }
}

void deletePersonNames(TMainForm& form) { DeleteSelected(form.ListView2, PersonListFile(form), true); }

void deleteZeitnehmer(TMainForm& form) { DeleteSelected(form.ListView1, kZeitnehmerListFile, false); }

void importNameFile(TMainForm& form, bool teams) {
    form.OpenDialog1.Filter = "Textdatei (*.txt)|*.txt";
    if (!form.OpenDialog1.Execute()) return;
    form.RadioButton6.SetChecked(teams);
    form.RadioButton9.SetChecked(!teams);
    loadNamensliste(form, teams);
    const std::string listFile = teams ? kTeamsListFile : kSchirisListFile;
    if (RefuseIncompleteList(listFile, "Es wird kein Name aufgenommen.")) return;
    std::vector<std::string> names;
    if (!ReadImportedNames(form.OpenDialog1.FileName, names) || names.empty()) return;
    for (std::string& name : names) name = CutName(name);
    if (int error = 0; !AppendNames(listFile, names, error)) {
        // Show what the file really holds, not names that were not stored.
        ReportNotStored(listFile, error);
        return loadNamensliste(form, teams);
    }
    for (const std::string& name : names) ListViewAdd(form.ListView2, name);
    ListViewSort(form.ListView2);
}

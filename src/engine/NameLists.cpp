#include "engine/NameLists.h"

#include <sys/stat.h>

#include <cerrno>
#include <exception>
#include <map>

#include "foundation/Accessors.h"
#include "foundation/Logs.h"
#include "foundation/MessageBoxes.h"
#include "foundation/NameText.h"
#include "foundation/Texts.h"
#include "foundation/files/TFile.h"
#include "foundation/MainForm.h"
#include "platform/AtomicFile.h"
#include "platform/ProgramFolder.h"

namespace {

constexpr const char* kFreilos = "[FREILOS]";  // text 84: the bye, never deleted

void ReportNotStored(const std::string& fileName) {
    ErrorLog("[X] Namensliste: " + ProgramFile(fileName) + " konnte nicht geschrieben werden");
    ShowMsg(4, "Die Namensliste " + fileName + " konnte nicht gespeichert werden.");
}

bool AppendName(const std::string& fileName, const std::string& name) {
    TFile file;
    if (!file.OpenAppend(ProgramFile(fileName))) return false;
    file.WriteLine(name);
    return file.Close();
}

void ReportNotRewritten(const std::string& fileName) {
    ShowMsg(4, "Die Namensliste " + fileName +
                   " konnte nicht vollständig gelesen werden und wird nicht überschrieben; es wurde nichts gelöscht.");
}

// Replaces the list file safely: the old list stays when anything fails.
bool RewriteList(const std::string& fileName, const std::vector<std::string>& names) {
    // A safe write with nothing written counts as failed; an emptied list is an empty file.
    if (names.empty()) return WriteFileAtomically(ProgramFile(fileName), "");
    TFile file;
    file.SetSafeWrite(true);
    if (!file.OpenWrite(ProgramFile(fileName), false)) return false;
    for (const std::string& name : names) file.WriteLine(name);
    return file.Close();
}

void FillListView(TListView& view, const std::vector<std::string>& names) {
    view.Items.clear();
    for (const std::string& name : names) ListViewAdd(view, name);
    ListViewSort(view);
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
    const std::string name = CutName(typed);
    Log(std::string("[") + marker + "-4]");
    if (!ListViewHasCaption(view, name)) {
        // A name that could not be stored stays in the edit field rather than show as saved.
        if (!AppendName(fileName, name)) return ReportNotStored(fileName);
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
    if (!stored.complete) return ReportNotRewritten(fileName);
    std::vector<TListItem> kept;
    std::vector<std::string> names;
    for (const TListItem& item : view.Items) {
        if (item.Selected && !(protectBye && item.Caption == kFreilos)) continue;
        kept.push_back(item);
        names.push_back(item.Caption);
    }
    for (std::string& name : NamesNotShown(stored.names, view)) names.push_back(std::move(name));
    if (!RewriteList(fileName, names)) return ReportNotStored(fileName);
    view.Items = std::move(kept);
}

const std::string& PersonListFile(const TMainForm& form) {
    static const std::string teams = kTeamsListFile, schiris = kSchirisListFile;
    return form.RadioButton9.Checked() ? schiris : teams;
}

}  // namespace

NameListContent ReadNameListFile(const std::string& fileName) {
    NameListContent list;
    const std::string path = ProgramFile(fileName);
    TFile file;
    if (!file.OpenRead(path, false)) {
        struct stat info {};
        list.complete = ::lstat(path.c_str(), &info) != 0 && errno == ENOENT;
        return list;
    }
    while (!file.Eof()) {
        std::string line = file.ReadLine();
        if (!line.empty()) list.names.push_back(std::move(line));
    }
    list.complete = file.ReadCompletely();
    file.Close();
    return list;
}

std::vector<std::string> ReadNameList(const std::string& fileName) { return ReadNameListFile(fileName).names; }

void loadNamensliste(TMainForm& form, bool teams) {
    FillListView(form.ListView2, ReadNameList(teams ? kTeamsListFile : kSchirisListFile));
}

void loadZeitnehmerliste(TMainForm& form) { FillListView(form.ListView1, ReadNameList(kZeitnehmerListFile)); }

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
    TFile source;
    if (!source.OpenRead(form.OpenDialog1.FileName, false)) {
        ShowMsg(4, "Die Datei " + form.OpenDialog1.FileName + " konnte nicht gelesen werden.");
        return;
    }
    const std::string listFile = teams ? kTeamsListFile : kSchirisListFile;
    TFile list;
    if (!list.OpenAppend(ProgramFile(listFile))) {
        source.Close();
        return ReportNotStored(listFile);
    }
    while (!source.Eof()) {
        const std::string line = TrimName(source.ReadLine());
        if (line.empty()) continue;
        const std::string name = CutName(line);
        list.WriteLine(name);
        ListViewAdd(form.ListView2, name);
    }
    const bool wholeSource = source.ReadCompletely();
    source.Close();
    if (!wholeSource)
        ShowMsg(3, "Die Datei " + form.OpenDialog1.FileName +
                       " konnte nicht vollständig gelesen werden; nur die Namen davor wurden übernommen.");
    if (!list.Close()) {
        // Show what the file really holds, not names that may not have been stored.
        ReportNotStored(listFile);
        return loadNamensliste(form, teams);
    }
    ListViewSort(form.ListView2);
}

#include "foundation/files/TournamentFile.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>

#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/FileProblems.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/MessageBoxes.h"
#include "foundation/NameText.h"
#include "foundation/Platzgrid.h"
#include "foundation/ProgramSettings.h"
#include "foundation/Settings.h"
#include "foundation/Tables.h"
#include "foundation/Texts.h"
#include "foundation/TurnierStore.h"
#include "foundation/files/ChosenFile.h"
#include "foundation/files/RecoveryCopy.h"
#include "foundation/files/TFile.h"
#include "foundation/files/TurnierRows.h"
#include "platform/FileNames.h"
#include "platform/FileVersion.h"
#include "platform/SaveLock.h"
#include "platform/UiHost.h"

namespace {

namespace fs = std::filesystem;
using Cells = std::vector<std::string>;

constexpr int kMasterColumns = 31;
constexpr const char* kCrLf = "\r\n";

// --- rows ---

Cells RowCells(const TSortGrid& grid, int row) {
    Cells cells(kMasterColumns);
    for (int c = 0; c < kMasterColumns; ++c) cells[static_cast<size_t>(c)] = grid.Cells(c, row);
    return cells;
}

// A neutral referee's name ("N" + k, k above 0) belongs to this tournament's people.
bool IsRefereeName(const std::string& key) {
    if (key.size() < 2 || key[0] != 'N') return false;
    const std::string number = key.substr(1);
    return number.find_first_not_of("0123456789") == std::string::npos && ToInt(number) > 0;
}

void Blank(Cells& cells, std::initializer_list<int> columns) {
    for (int c : columns) cells[static_cast<size_t>(c)].clear();
}

// The row as an empty copy of the tournament holds it; false when the row is left out.
bool ReduceToEmptyTournament(const TMainForm& f, Cells& cells) {
    switch (TurnierRowKind(cells)) {
        case TabelleGruppe: Blank(cells, {Gruppe_State}); return true;
        case TabelleSpielplan:
            Blank(cells, {Spielplan_Status, Spielplan_Spieltag, Spielplan_SatzErg, Spielplan_PPkt, Spielplan_MPkt,
                          Spielplan_PSatz, Spielplan_MSatz, Spielplan_PBall, Spielplan_MBall, Spielplan_Sieger});
            return true;
        case TabelleTeams: Blank(cells, {Teams_Name_Tur}); return true;
        case TabellePlatz:
            cells[Platz_Team] = ListGet(f.XATeams, ToInt(cells[Platz_TeamNr]));
            Blank(cells, {Platz_AnzSpiele, Platz_TotalSpiele, Platz_PPkt, Platz_MPkt, Platz_PSatz, Platz_MSatz,
                          Platz_PBall, Platz_MBall});
            return true;
        case TabelleUkSound: return false;
        case TabelleEin: return !IsRefereeName(cells[Ein_Name]);
        default: return true;
    }
}

// --- writing ---

// Where one open tournament's rows stand: a parked one in XMasterGrid, the current one in the
// tables (read there, so that saving never copies it through XMasterGrid).
struct RowRef {
    const TSortGrid* grid;
    int row;
};
struct SavedTurnier {
    int number = 0;
    bool current = false;
    RowRef turnierRow{nullptr, 0};
    std::vector<RowRef> otherRows;
};

// The parked tournaments in the order their own rows stand, each with its other rows in grid
// order, and the current one last with its rows in packing order.
std::vector<SavedTurnier> OpenTurniere(const TMainForm& f) {
    std::vector<SavedTurnier> turniere;
    std::map<int, size_t> index;
    const TSortGrid& master = f.XMasterGrid;
    for (int r = 1; r < master.RowCount(); ++r) {
        const int number = ToInt(master.Cells(0, r));
        if (ToInt(master.Cells(1, r)) != TabelleTurnier || master.Cells(0, r).empty() || number == f.AktTurNr) continue;
        index.emplace(number, turniere.size());
        turniere.push_back({number, false, {&master, r}, {}});
    }
    for (int r = 1; r < master.RowCount(); ++r) {
        auto it = index.find(ToInt(master.Cells(0, r)));
        if (it != index.end() && r != turniere[it->second].turnierRow.row && !master.Cells(0, r).empty())
            turniere[it->second].otherRows.push_back({&master, r});
    }
    if (f.AktTurNr < 1 || f.Turnier.Cells(0, 1).empty()) return turniere;
    SavedTurnier current{f.AktTurNr, true, {&f.Turnier, 1}, {}};
    for (const TSortGrid* table : {&f.Gruppe, &f.Spielplan, &f.Teams, &f.Platz, &f.UkSound, &f.Ein})
        for (int r = 1; r < table->RowCount(); ++r)
            if (!table->Cells(0, r).empty()) current.otherRows.push_back({table, r});
    turniere.push_back(std::move(current));
    return turniere;
}

struct SaveRequest {
    bool all = false;
    bool saveAs = false;
    bool emptyExport = false;
    bool automatic = false;
};

enum class SaveOutcome { Saved, Skipped, Failed, Declined, Cancelled };

// A chosen name whose last part has no extension gets ".tur"; the path is made absolute.
std::string TurPathOf(const std::string& chosen) {
    std::string path = chosen;
    if (FileNameOf(path).find('.') == std::string::npos) path += ".tur";
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

// The file name as the user typed it in the save dialog; nothing when cancelled.
std::optional<std::string> AskForTurnierFile(TMainForm& f, const Cells& row, const SaveRequest& request) {
    TSaveDialog& dialog = f.SaveDialog1;
    const std::string& path = row[Turnier_DateiNameS];
    dialog.InitialDir = f.TurFileDir;
    dialog.Title = lngText(351) + row[Turnier_Bez] + " (" + row[Turnier_Name] + ")";
    dialog.Filter = lngText(56) + " (*.tur)|*.tur";
    dialog.FileName = request.emptyExport ? (path.size() >= 4 ? path.substr(0, path.size() - 4) : "") + "_Leer.tur" : path;
    if (!dialog.Execute()) return std::nullopt;
    return dialog.FileName;
}

// A row that would not come back as written is on record; the file is written all the same.
// The interleave scheme keeps every byte but the two codes it stores line breaks as, and the text
// of a line always survives its encoding, so only those two codes need looking for there.
void CheckRoundTrip(TFile& file, const std::string& line, bool keyShift) {
    if (!keyShift) {
        for (char c : line)
            if (c == '\x15' || c == '\x16') {
                ErrorLog("Fehler beim Encoden von:/n/n" + line);
                return;
            }
        return;
    }
    const int keyPosition = file.KeyPosition();
    const std::string scrambled = file.ScrambleLine(line);
    // Unscrambled under the key digit it was scrambled with.
    file.SetKeyPosition(keyPosition);
    if (file.UnscrambleLine(scrambled) != line) ErrorLog("Fehler beim Encoden von:/n/n" + line);
    file.SetKeyPosition(keyPosition);
}

enum class WriteResult { Written, NotOpened, NotCompleted };

// The interleave scheme stores line breaks as the codes 21 and 22, so it cannot carry those two
// codes themselves; a file whose rows hold them is written in the key-shift scheme throughout,
// the older version every reader takes as well.
bool NeedsKeyShiftThroughout(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        for (char c : line)
            if (c == '\x15' || c == '\x16') return true;
    return false;
}

// Writes the file a check looked at (its link followed once, never again). error: the system's
// error number of the step that failed; version: the version written, taken from the bytes
// before the file was put in place.
WriteResult WriteTurnierFile(const std::string& path, const std::vector<Cells>& rows, int& error, std::string& version) {
    std::vector<std::string> lines;
    for (const Cells& cells : rows) lines.push_back(TurRowLine(cells));
    const bool keyShiftThroughout = NeedsKeyShiftThroughout(lines);
    TFile file;
    file.SetSafeWrite(true, TargetLink::AsChecked);
    if (!file.OpenWrite(path, true)) {
        error = file.Error();
        return WriteResult::NotOpened;
    }
    file.SetShiftScheme(true);
    for (const char* line : {"<DATEI>", "MAROVELKA4", keyShiftThroughout ? "v4.001" : "v4.002"}) file.WriteLine(line);
    file.SetShiftScheme(keyShiftThroughout);
    for (const char* line : {"TURNIER", "<TurnierInfo>", "<|LEER|>", "<|LEER|>", "<|LEER|>", "</TurnierInfo>", "<TABLE>"})
        file.WriteLine(line);
    for (const std::string& line : lines) {
        CheckRoundTrip(file, line, keyShiftThroughout);
        file.WriteLine(line);
    }
    file.WriteLine("</TABLE>");
    file.WriteLine("</DATEI>");
    if (file.Close()) {
        version = file.VersionWritten().value_or(std::string());
        return WriteResult::Written;
    }
    error = file.Error();
    return WriteResult::NotCompleted;
}

// The rows that go into the file, the tournament's own row first with its new file name.
std::vector<Cells> FileRows(const TMainForm& f, const SavedTurnier& turnier, const std::string& path, bool emptyExport) {
    std::vector<Cells> rows;
    Cells own = RowCells(*turnier.turnierRow.grid, turnier.turnierRow.row);
    if (!emptyExport) {
        own[Turnier_DateiNameS] = path;
        own[Turnier_DateiName] = FileNameOf(path);
    }
    own[Turnier_Changes].clear();
    own[Turnier_DateiStand].clear();
    own[Turnier_Sicherungskopie].clear();
    rows.push_back(own);
    for (const RowRef& ref : turnier.otherRows) {
        Cells cells = RowCells(*ref.grid, ref.row);
        if (!emptyExport || ReduceToEmptyTournament(f, cells)) rows.push_back(std::move(cells));
    }
    return rows;
}

void ReportFailure(TMainForm& f, const std::string& text, const SaveRequest& request) {
    if (request.automatic) {
        ErrorLog("[X] Automatisches Speichern: " + text);
        if (f.AutoSaveFehlerGezeigt) return;
        f.AutoSaveFehlerGezeigt = true;
        ShowMsg(4, text + "\r\n\r\n(Automatisches Speichern; die Änderungen bleiben als ungespeichert markiert.)");
        return;
    }
    ShowMsg(4, text);
}

// Its file is complete: the tournament now has it as its file, in the version just written, and
// no unsaved changes.
void TakeSavedFile(TMainForm& f, const SavedTurnier& turnier, const std::string& path, const std::string& version) {
    f.AutoSaveKonfliktGezeigt.erase(path);
    if (!turnier.current) {
        TSortGrid& master = f.XMasterGrid;
        master.SetCells(Turnier_DateiNameS, turnier.turnierRow.row, path);
        master.SetCells(Turnier_DateiName, turnier.turnierRow.row, FileNameOf(path));
        master.SetCells(Turnier_DateiStand, turnier.turnierRow.row, version);
        master.SetCells(Turnier_Changes, turnier.turnierRow.row, "");
        return;
    }
    Put(f.Turnier, Turnier_DateiNameS, 1, path, true);
    Put(f.Turnier, Turnier_DateiName, 1, FileNameOf(path), true);
    Put(f.Turnier, Turnier_DateiStand, 1, version, true);
    setTurChanged(f, false);
}

// The file a save writes: the name as typed in the save dialog, the path it goes by and the file
// behind its link, followed once.
struct SaveTarget {
    std::string typed;
    std::string path;
    std::string file;
    bool chosen = false;  // picked in the save dialog rather than the tournament's own
};

// The version another program saved into the tournament's own file since this one last read or
// wrote it; none when the file is still that version, is gone (writing it again takes nothing
// from anyone) or is not the tournament's own file. A plain save writes the tournament's own
// file by definition; a chosen name is that file when both lead to the same name. The file is
// looked at once, without following a link: a link in its place came since the file was chosen,
// and the write refuses it.
std::optional<std::string> OtherVersion(const Cells& own, const SaveTarget& target) {
    const std::string& known = own[Turnier_DateiStand];
    if (known.empty()) return std::nullopt;
    std::string ownFile;
    if (target.chosen && (!FollowLink(own[Turnier_DateiNameS], ownFile) || !SameResolvedPath(ownFile, target.file)))
        return std::nullopt;
    std::optional<std::string> now = FileVersionOf(target.file, false);
    if (!now || *now == known) return std::nullopt;
    return now;
}

void ReportAutoSaveKept(TMainForm& f, const std::string& path) {
    const std::string text =
        "Die Datei " + FileNameOf(path) + " wurde seit dem Laden geändert und wird nicht automatisch überschrieben";
    ErrorLog("[X] Automatisches Speichern: " + text);
    if (!f.AutoSaveKonfliktGezeigt.insert(path).second) return;
    ShowMsg(3, text + ".\r\n\r\n(Automatisches Speichern; die Änderungen bleiben als ungespeichert markiert. "
                      "Beim Speichern wird gefragt, ob die Datei überschrieben werden soll.)");
}

// Another program changed the tournament's own file since: the user decides whether to overwrite
// it, and the autosave never overwrites another's work. Asked while no lock is held, since the
// user may take minutes.
bool MayOverwrite(TMainForm& f, const Cells& own, const std::string& path, const SaveRequest& request) {
    if (request.automatic) {
        ReportAutoSaveKept(f, path);
        return false;
    }
    const std::string name = FileNameOf(path);
    if (AskYesNo("Die Datei " + name + " wurde seit dem Laden geändert. Überschreiben?") == mrYes) return true;
    ShowMsg(1, "Turnier " + name + " wurde nicht gespeichert; die Datei bleibt, wie sie ist." +
                   (own[Turnier_Changes] == "true" ? " Die Änderungen bleiben als ungespeichert markiert." : ""));
    return false;
}

// The file the tournament is saved to, asked for when it has none or with save-as; nothing when
// the dialog was cancelled.
std::optional<SaveTarget> TargetName(TMainForm& f, const Cells& own, const SaveRequest& request) {
    const std::string& path = own[Turnier_DateiNameS];
    if (!path.empty() && !request.saveAs) return SaveTarget{path, path, {}, false};
    const std::optional<std::string> typed = AskForTurnierFile(f, own, request);
    if (!typed) return std::nullopt;
    return SaveTarget{*typed, TurPathOf(*typed), {}, true};
}

void ReportRefused(TMainForm& f, const std::string& text, const SaveRequest& request) {
    if (request.automatic) return ReportFailure(f, text, request);
    ShowMsg(3, text);
}

// Follows the target's link once and checks the file behind it (RefusedChosenFile): the program's
// own files and another open tournament's are refused, chosen or not. A chosen file's folder is
// remembered. False when it must not be written; the reason is shown.
bool CheckedTarget(TMainForm& f, SaveTarget& target, int number, const SaveRequest& request) {
    if (!FollowLink(target.path, target.file)) {
        const int error = errno;
        ErrorLog("[F] Kann Datei nicht schreiben");
        ReportFailure(f, WithReason("Turnier " + FileNameOf(target.path) + " kann nicht gespeichert werden",
                                    WriteErrorText(target.path, error)),
                      request);
        return false;
    }
    if (const std::string refused = RefusedChosenFile(f, target.typed, target.path, target.file, ChosenContent::Turnier,
                                                      request.emptyExport ? 0 : number);
        !refused.empty()) {
        ReportRefused(f, refused, request);
        return false;
    }
    if (!target.chosen) return true;
    f.TurFileDir = fs::path(target.path).parent_path().string();
    RegWriteString("TurFileDir", f.TurFileDir);
    return true;
}

// Writes the file under its save lock: the last look at it and the rename that puts the new
// version in place are one step for every program that saves it. What another program saved in
// between is asked about without the lock, and looked at again under it after the answer.
SaveOutcome WriteUnderLock(TMainForm& f, const SavedTurnier& turnier, const Cells& own, const SaveTarget& target,
                           const SaveRequest& request, std::string& version) {
    const std::string name = FileNameOf(target.path);
    std::optional<std::string> agreed;  // the other program's version the user said to overwrite
    for (;;) {
        SaveLock lock(target.file);
        if (!lock.Granted()) {
            ReportFailure(f, "Turnier " + name + " kann nicht gespeichert werden: die Datei wird gerade von einem "
                                                 "anderen Programm gespeichert",
                          request);
            return SaveOutcome::Failed;
        }
        if (!request.emptyExport) {
            if (std::optional<std::string> other = OtherVersion(own, target); other && other != agreed) {
                lock.Release();
                if (!MayOverwrite(f, own, target.path, request)) return SaveOutcome::Declined;
                agreed = std::move(other);
                continue;
            }
        }
        int error = 0;
        switch (WriteTurnierFile(target.file, FileRows(f, turnier, target.path, request.emptyExport), error, version)) {
            case WriteResult::NotOpened:
                ErrorLog("[F] Kann Datei nicht schreiben");
                ReportFailure(f, WithReason("Turnier " + name + " kann nicht gespeichert werden",
                                            WriteErrorText(target.file, error)),
                              request);
                return SaveOutcome::Failed;
            case WriteResult::NotCompleted:
                ReportFailure(f, WithReason("Turnier " + name + " konnte nicht gespeichert werden",
                                            WriteErrorText(target.file, error)),
                              request);
                return SaveOutcome::Failed;
            case WriteResult::Written: return SaveOutcome::Saved;
        }
    }
}

SaveOutcome SaveOne(TMainForm& f, const SavedTurnier& turnier, const SaveRequest& request) {
    const Cells own = RowCells(*turnier.turnierRow.grid, turnier.turnierRow.row);
    // The timer writes what has changed: rewriting an unchanged tournament gains nothing and
    // would make a second program that works on the same file see it changed.
    if (request.automatic && (own[Turnier_DateiNameS].empty() || own[Turnier_Changes] != "true"))
        return SaveOutcome::Skipped;
    std::optional<SaveTarget> target = TargetName(f, own, request);
    if (!target) return SaveOutcome::Cancelled;
    if (!CheckedTarget(f, *target, turnier.number, request)) return SaveOutcome::Failed;
    std::string version;
    const SaveOutcome outcome = WriteUnderLock(f, turnier, own, *target, request, version);
    if (outcome != SaveOutcome::Saved) return outcome;
    if (!request.emptyExport) TakeSavedFile(f, turnier, target->path, version);
    f.setStatusText(1, lngText(352) + FileNameOf(target->path));
    return SaveOutcome::Saved;
}

struct SaveSummary {
    bool cancelled = false;
    bool failed = false;    // a file could not be written
    bool declined = false;  // a file another program changed was kept
    bool Complete() const { return !cancelled && !failed && !declined; }
};

SaveSummary SaveTurniere(TMainForm& f, const SaveRequest& request) {
    Log("[F] saveTurnier(" + BoolToStr(request.all) + "," + BoolToStr(request.saveAs) +
        "): Datei speichern / speichern unter ");
    SaveSummary summary;
    for (const SavedTurnier& turnier : OpenTurniere(f)) {
        if (!turnier.current && !request.all) continue;
        const SaveOutcome outcome = SaveOne(f, turnier, request);
        if (outcome == SaveOutcome::Saved && !request.emptyExport) RecoveryCopyServed(f, turnier.number);
        // Files finished before stay written.
        if (outcome == SaveOutcome::Cancelled) {
            summary.cancelled = true;
            break;
        }
        summary.failed |= outcome == SaveOutcome::Failed;
        summary.declined |= outcome == SaveOutcome::Declined;
    }
    return summary;
}

// --- reading ---

struct LoadFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// What a tournament file holds, read whole before anything is taken.
struct TurnierFileContent {
    std::vector<Cells> rows;
};

std::string Header(const std::string& file) { return "Datei '" + FileNameOf(file) + "' "; }

// A cell of a single blank is how older releases stored an empty cell. It is emptied before the
// rows are checked, so that what is accepted is what is kept and saved.
void EmptyOlderBlankCells(Cells& cells) {
    for (size_t c = 1; c < cells.size() && c <= 29; ++c)
        if (cells[c] == " ") cells[c].clear();
}

// A cell the row stops before is empty.
std::string CellOf(const Cells& cells, int column) {
    return static_cast<size_t>(column) < cells.size() ? cells[static_cast<size_t>(column)] : "";
}

// Reads the table of an opened file; false (with the message shown) when the file is refused.
std::optional<TurnierFileContent> ReadTurnierFile(TFile& file, const std::string& path, const TurnierLoadChecks& checks) {
    const std::string line1 = file.ReadLine();
    const std::string magic = file.ReadLine();
    const std::string version = file.ReadLine();
    file.ReadLine();
    (void)line1;
    if (magic == "MAROVELKA3" && version == "v3.005") {
        ShowMsg(1, "Marovelka3 Dateien werden nicht unterstützt");
        return std::nullopt;
    }
    if (magic != "MAROVELKA4" || (version != "v4.001" && version != "v4.002")) {
        ShowMsg(3, lngText(31) + "\r\n\r\n" + path);
        return std::nullopt;
    }
    const bool keyShift = version != "v4.002";
    file.SetShiftScheme(keyShift);
    for (int i = 0; i < 6; ++i) file.ReadLine();  // the info block and "<TABLE>"
    TurnierFileContent content;
    TurnierRowsCheck check(checks.fewestGames);
    for (;;) {
        if (file.Eof())
            throw LoadFailure(Header(path) + "ist unvollständig und wurde nicht geladen: das Ende der Tabelle fehlt.");
        const std::string line = file.ReadLine();
        if (file.LineTooLong())
            throw LoadFailure(Header(path) + "ist beschädigt und wurde nicht geladen: eine Zeile ist zu lang.");
        CheckRoundTrip(file, line, keyShift);
        if (line == "</TABLE>") break;
        content.rows.push_back(SplitTurRowLine(line));
        EmptyOlderBlankCells(content.rows.back());
        // Looked at as it comes, while its cells are at hand.
        if (checks.rows) check.Take(content.rows.back());
    }
    const TurnierRowsVerdict verdict = checks.rows ? check.Verdict() : TurnierRowsVerdict{};
    if (!verdict.damage.empty())
        throw LoadFailure(Header(path) + "ist beschädigt und wurde nicht geladen: " + verdict.damage);
    if (verdict.olderGroups) {
        ShowMsg(3, "Datei '" + FileNameOf(path) +
                       "' konnte nicht geladen werden; Gruppenfehler\n\nBitte erstellen Sie das Turnier neu in diesem Release.");
        return std::nullopt;
    }
    return content;
}

// Some group of the tournament has been played on: its slots keep their names.
bool AnyGroupPlayed(const TSortGrid& master, int first) {
    for (int r = first; r < master.RowCount(); ++r)
        if (ToInt(master.Cells(1, r)) == TabelleGruppe && LocksSlots(master.Cells(Gruppe_State, r))) return true;
    return false;
}

// Like names from a text file, the prepared names go to no slot once a group has been played on.
void GivePreparedNames(TSortGrid& master, int first, const TStrings& names) {
    if (AnyGroupPlayed(master, first)) return ShowMsg(1, "Turnier hat schon begonnen");
    for (int r = first; r < master.RowCount(); ++r) {
        if (ToInt(master.Cells(1, r)) != TabelleTeams) continue;
        const int k = DefaultParticipantNumber(master.Cells(Teams_Name, r));
        if (k >= 1 && k <= names.Count()) master.SetCells(Teams_Name_Tur, r, names[k - 1]);
    }
}

void TakeIntoMaster(TMainForm& f, const std::vector<Cells>& rows, const std::string& path, const std::string& identity,
                    int number, const TStrings* names) {
    TSortGrid& master = f.XMasterGrid;
    const int first = master.RowCount() == 2 && master.Cells(0, 1).empty() ? 1 : master.RowCount();
    master.SetRowCount(first + static_cast<int>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        const int row = first + static_cast<int>(i);
        for (int c = 0; c < kMasterColumns; ++c) {
            master.SetCells(c, row, CellOf(rows[i], c));
        }
        master.SetCells(0, row, IntToStr(number));
    }
    master.SetCells(Turnier_DateiNameS, first, path);
    master.SetCells(Turnier_DateiName, first, FileNameOf(path));
    master.SetCells(Turnier_Changes, first, "");
    master.SetCells(Turnier_DateiStand, first, identity);
    master.SetCells(Turnier_Sicherungskopie, first, "");
    f.AutoSaveKonfliktGezeigt.erase(path);
    f.XComboBox1.Items.Add(TurnierSelectorText(master, first));
    if (names && names->Count() > 0) GivePreparedNames(master, first, *names);
}

bool IsDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

std::string TurRowLine(const std::vector<std::string>& cells) {
    std::string line;
    for (int c = 0; c < kMasterColumns; ++c) {
        const std::string cell = static_cast<size_t>(c) < cells.size() ? cells[static_cast<size_t>(c)] : "";
        for (size_t at = 0; at < cell.size(); ++at)
            if (!(cell[at] == '\r' && at + 1 < cell.size() && cell[at + 1] == '\n')) line += cell[at];
        line += kCrLf;
    }
    return line;
}

std::vector<std::string> SplitTurRowLine(const std::string& line) {
    std::vector<std::string> cells;
    size_t start = 0;
    for (size_t at; (at = line.find(kCrLf, start)) != std::string::npos; start = at + 2)
        cells.push_back(line.substr(start, at - start));
    if (start < line.size() || cells.empty()) cells.push_back(line.substr(start));
    return cells;
}

bool saveTurnier(TMainForm& f, bool all, bool saveAs, bool emptyExport) {
    return SaveTurniere(f, {all, saveAs, emptyExport, false}).Complete();
}

bool autoSaveTurniere(TMainForm& f) {
    const SaveSummary summary = SaveTurniere(f, {true, false, false, true});
    if (!summary.failed) f.AutoSaveFehlerGezeigt = false;
    return summary.Complete();
}

namespace {

// The autosave interval in minutes; 0 when autosaving is off or the interval is no number above 0.
int AutoSaveInterval(const TMainForm& f) {
    if (f.AktTurNr < 1 || GetSetting(f, "AutoSave", "false") != "true") return 0;
    std::string interval = GetSetting(f, "AutoSave Min", "15");
    interval.erase(0, interval.find_first_not_of(' '));
    interval.erase(interval.find_last_not_of(' ') + 1);
    if (!IsDigits(interval) || interval.size() > 6) return 0;
    return std::max(ToInt(interval), 0);
}

}  // namespace

bool AutoSaveDue(const TMainForm& f, int minuteOfDay) {
    const int minutes = AutoSaveInterval(f);
    return minutes >= 1 && minuteOfDay % minutes == 0;
}

bool AutoSaveDueSince(const TMainForm& f, long long lastMinute, long long minute) {
    constexpr long long kMinutesPerDay = 24 * 60;
    const int minutes = AutoSaveInterval(f);
    if (minutes < 1) return false;
    const long long first = lastMinute < 0 || lastMinute >= minute ? minute : lastMinute + 1;
    // Every day has its minute 0, which every interval divides.
    if (minute - first >= kMinutesPerDay) return true;
    for (long long m = first; m <= minute; ++m)
        if (m % kMinutesPerDay % minutes == 0) return true;
    return false;
}

bool checkSaveTurnier(TMainForm& f) {
    if (!AnyTurnierChanged(f)) return true;
    if (AskYesNo(lngText(85)) != mrYes) return true;
    return saveTurnier(f, true, false, false);
}

namespace {

struct CheckedTurnierFile {
    std::vector<Cells> rows;
    std::string version;  // of the very bytes read: what another program saves meanwhile is another one
};

// The rows of a tournament file, read whole and checked; none, with the reason shown, when the
// file is refused.
std::optional<CheckedTurnierFile> ReadCheckedTurnierFile(const std::string& file, const TurnierLoadChecks& checks) {
    try {
        TFile input;
        if (!input.OpenRead(file, true)) {
            ShowMsg(3, "Kann Datei " + FileNameOf(file) + " nicht oeffnen");
            return std::nullopt;
        }
        std::optional<TurnierFileContent> content = ReadTurnierFile(input, file, checks);
        const std::optional<std::string> version = content ? input.VersionRead() : std::nullopt;
        input.Close();
        if (content) return CheckedTurnierFile{std::move(content->rows), version.value_or(std::string())};
    } catch (const LoadFailure& failure) {
        ShowMsg(3, failure.what());
    } catch (...) {
        ShowMsg(3, lngText(32));
    }
    return std::nullopt;
}

}  // namespace

bool LoadFileToMaster(TMainForm& f, const std::string& file, int number, const TStrings* names,
                      const TurnierLoadChecks& checks) {
    Log("[F] LoadFileToMaster(" + file + ") ");
    const std::optional<CheckedTurnierFile> read = ReadCheckedTurnierFile(file, checks);
    if (!read) return false;
    TakeIntoMaster(f, read->rows, file, read->version, number, names);
    return true;
}

namespace {

// The number of the open tournament whose row names this file in the column; 0 when none.
int OpenTurnierNaming(const TMainForm& f, int column, const std::string& file) {
    auto same = [&](const std::string& path) { return SameFile(path, file); };
    if (f.AktTurNr > 0 && same(f.Turnier.Cells(column, 1))) return f.AktTurNr;
    const TSortGrid& master = f.XMasterGrid;
    for (int r = 1; r < master.RowCount(); ++r) {
        const int number = ToInt(master.Cells(0, r));
        if (ToInt(master.Cells(1, r)) == TabelleTurnier && number != f.AktTurNr && same(master.Cells(column, r)))
            return number;
    }
    return 0;
}

}  // namespace

int OpenTurnierWithFile(const TMainForm& f, const std::string& file) {
    return OpenTurnierNaming(f, Turnier_DateiNameS, file);
}

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::vector<UnsavedTurnier> UnsavedTurniere(const TMainForm& f) {
    std::vector<UnsavedTurnier> unsaved;
    for (const SavedTurnier& turnier : OpenTurniere(f)) {
        const Cells own = RowCells(*turnier.turnierRow.grid, turnier.turnierRow.row);
        if (own[Turnier_Changes] != "true") continue;
        std::vector<Cells> rows = FileRows(f, turnier, own[Turnier_DateiNameS], false);
        rows.front() = own;
        rows.front()[Turnier_Sicherungskopie].clear();
        unsaved.push_back({TurnierSelectorText(*turnier.turnierRow.grid, turnier.turnierRow.row),
                           own[Turnier_DateiNameS], own[Turnier_Sicherungskopie], std::move(rows)});
    }
    return unsaved;
}

bool WriteTurnierRows(const std::string& path, const std::vector<std::vector<std::string>>& rows, int& error) {
    std::string version;  // a copy's name is its own: no other save looks at its version
    return WriteTurnierFile(path, rows, error, version) == WriteResult::Written;
}

bool LoadRecoveryCopyToMaster(TMainForm& f, const std::string& copy, const std::optional<std::string>& file, int number,
                              const TStrings* names, const TurnierLoadChecks& checks) {
    Log("[F] LoadRecoveryCopyToMaster(" + copy + ") ");
    const std::optional<CheckedTurnierFile> read = ReadCheckedTurnierFile(copy, checks);
    if (!read) return false;
    const Cells& own = read->rows.front();
    const std::string path = file ? *file : CellOf(own, Turnier_DateiNameS);
    // Its tournament is open already: from its file, or from this very copy.
    for (const auto& [column, named] : {std::pair{Turnier_DateiNameS, path}, std::pair{Turnier_Sicherungskopie, copy}})
        if (OpenTurnierNaming(f, column, named) != 0) {
            ShowMsg(1, lngText(375) + "\r\n\r\n" + named);
            return false;
        }
    TakeIntoMaster(f, read->rows, path, CellOf(own, Turnier_DateiStand), number, names);
    const int row = MasterTurnierRow(f, number);
    f.XMasterGrid.SetCells(Turnier_Changes, row, "true");
    f.XMasterGrid.SetCells(Turnier_Sicherungskopie, row, copy);
    return true;
}

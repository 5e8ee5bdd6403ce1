#include "engine/TurnierWechsel.h"

#include <filesystem>
#include <map>
#include <optional>
#include <set>

#include "dialogs/Dialogs.h"
#include "engine/Platzhalter.h"
#include "engine/RundenSpiele.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/FileProblems.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/Settings.h"
#include "foundation/Tables.h"
#include "foundation/Texts.h"
#include "foundation/MessageBoxes.h"
#include "foundation/Notation.h"
#include "foundation/ProgramSettings.h"
#include "foundation/TurnierStore.h"
#include "foundation/files/RecoveryCopy.h"
#include "foundation/files/TournamentFile.h"
#include "platform/UiHost.h"

namespace {

// Only the display texts the program writes itself are read back; a name that merely
// contains "Spiel" or "Gruppe" is a participant's own name and stays as it is.
void RepairPlacingCodes(TMainForm& f) {
    TSortGrid& teams = f.Teams;
    for (int r = 1; r < teams.RowCount(); ++r) {
        if (IntGet(teams, Teams_Platz, r, true) <= 0 || IntGet(teams, Teams_GrNr, r, true) != 0 ||
            !Get(teams, Teams_SV, r, true).empty())
            continue;
        const std::string name = Get(teams, Teams_Name, r, true);
        const std::string code = PlacingCodeOfName(name);
        if (!code.empty())
            PutPlatzhalter(f, code, r);
        else if (name.find(lngText(3)) == std::string::npos)
            ErrorLog("[X] Konnte Team " + name + " nicht in EndPlatz zuweisen");
    }
}

std::string GamesCounter(const TMainForm& f) {
    const TSortGrid& plan = f.Spielplan;
    if (plan.RowCount() == 2 && Get(plan, Spielplan_SpNr, 1, true).empty()) return lngText(7) + ": 0";
    return lngText(7) + ": " + IntToStr(plan.RowCount() - 1);
}

// The counts first: typing into one chooses neutral referees, the stored mode then chooses again.
void ShowRefereeChoice(TMainForm& f) {
    const std::string neutral = GetSetting(f, "SchiriAusAnz", "2");
    f.umNeutral2.SetText(neutral);
    f.umNeutral.SetText(neutral);
    const int choice = ToInt(GetSetting(f, "SchiriAuswahl", "0"));
    f.RadioGroup1.SetItemIndex(choice);
    f.RadioGroup2.SetItemIndex(choice);
}

constexpr int kMaxOpenTurniere = 99;

// The files to load: the stored form of the preparation, or from the open dialog, or as the
// caller put them into its list (also while a preparation is in force).
bool ChooseFilesToLoad(TMainForm& f, const TfrmTurPhase& phase, std::vector<std::string>& files) {
    if (phase.TurPhaseArt == kTurPhaseGespeichert) {
        files = {phase.TurFormDatei};
        return true;
    }
    files = f.OpenDialog1.Files.ToVector();
    if (!f.ShowLoadDialog || phase.TurPhaseArt != kTurPhaseKeine) return true;
    TOpenDialog& dialog = f.OpenDialog1;
    dialog.Title = lngText(55);
    dialog.Filter = lngText(56) + " (*.tur)|*.tur|" + lngText(57) + " (*.tur,*.spl)|*.tur;*.spl";
    dialog.FileName.clear();
    dialog.InitialDir = f.TurFileDir;
    if (!dialog.Execute()) return false;
    files = dialog.Files.ToVector();
    f.TurFileDir = std::filesystem::absolute(dialog.FileName).parent_path().string();
    RegWriteString("TurFileDir", f.TurFileDir);
    return true;
}

std::string AbsolutePath(const std::string& chosen) {
    std::error_code error;
    return std::filesystem::absolute(chosen, error).lexically_normal().string();
}

// For each chosen file that will be loaded, the recovery copy the user takes in its place. Every
// question comes before anything is loaded, so that a question left open changes nothing.
std::map<std::string, std::string> ChooseRecoveryCopies(const TMainForm& f, const std::vector<std::string>& files) {
    std::map<std::string, std::string> copies;
    std::set<std::string> asked;
    for (const std::string& chosen : files) {
        const std::string file = AbsolutePath(chosen);
        if (!NoRegularFileText(file, chosen).empty() || OpenTurnierWithFile(f, file) != 0 || !asked.insert(file).second)
            continue;
        if (const std::optional<std::string> copy = OfferRecoveryCopy(file)) copies[file] = *copy;
    }
    return copies;
}

// The file, or the recovery copy taken in its place, or a copy named itself (it brings its
// tournament's file along), as tournament `number`.
bool LoadFileOrCopy(TMainForm& f, const std::string& file, const std::map<std::string, std::string>& copies, int number,
                    const TStrings* names) {
    const TurnierLoadChecks checks{FewestGamesOfGroup};
    if (const auto copy = copies.find(file); copy != copies.end())
        return LoadRecoveryCopyToMaster(f, copy->second, file, number, names, checks);
    if (IsRecoveryCopyName(FileNameOf(file))) return LoadRecoveryCopyToMaster(f, file, std::nullopt, number, names, checks);
    return LoadFileToMaster(f, file, number, names, checks);
}

// Loads one file as tournament AnzTurniere + 1; false when it was skipped or refused.
bool LoadOneFile(TMainForm& f, const std::string& chosen, const std::map<std::string, std::string>& copies,
                 const TStrings* names) {
    const std::string file = AbsolutePath(chosen);
    if (const std::string missing = NoRegularFileText(file, chosen); !missing.empty()) {
        ShowMsg(3, missing);
        return false;
    }
    if (OpenTurnierWithFile(f, file) != 0) {
        ShowMsg(1, lngText(375) + "\r\n\r\n" + file);
        return false;
    }
    if (f.AnzTurniere >= kMaxOpenTurniere) {
        ShowMsg(1, "Es können höchstens " + IntToStr(kMaxOpenTurniere) + " Turniere geöffnet sein; " + file +
                       " wurde nicht geladen");
        return false;
    }
    ++f.AnzTurniere;
    const bool loaded = LoadFileOrCopy(f, file, copies, f.AnzTurniere, names);
    if (!loaded) --f.AnzTurniere;
    if (loaded) f.setStatusText(1, lngText(353) + FileNameOf(file));
    Log("[A] Lese Datei " + file + " -> " + (loaded ? " OK " : " ## NOT OK ##"));
    return loaded;
}

void ShowNoTurnier(TMainForm& f) {
    ClearTables(f);
    f.XComboBox1.Items.Clear();
    f.XComboBox1.SetItemIndex(-1);
    for (TPanel* counter : {&f.Panel11, &f.Panel12, &f.Panel34}) counter->SetCaption("");
    f.Label39.SetCaption("");
    f.showMenuEmpty(true, false);
}

void ShowCurrentTurnier(TMainForm& f) {
    f.XComboBox1.SetItemIndex(f.AktTurNr - 1);
    f.setStatusText(1, "Turnier: " + f.Label39.Caption());
    f.setStatusText(2, Get(f.Turnier, Turnier_Sportart, 1, true));
}

// Tournament numbers stay dense: the ones behind a closed tournament move up.
void RenumberAfter(TSortGrid& master, int closed) {
    for (int r = 1; r < master.RowCount(); ++r) {
        const int number = ToInt(master.Cells(0, r));
        if (number > closed) master.SetCells(0, r, IntToStr(number - 1));
    }
}

}  // namespace

void MasterToTur(TMainForm& f, int n) {
    Log("[F] MasterToTur(" + IntToStr(n) + ")");
    TakeTurFromMaster(f, n);
    LoadTurSettings(f);
    RepairPlacingCodes(f);
}

void ShowParticipantWords(TMainForm& f) {
    f.Gruppen.SetCells(2, 0, f.TeamTyps);
    f.TPlatz.SetCells(1, 0, f.TeamTyp);
    f.Xplatzgrid.SetCells(2, 0, f.TeamTyp);
    Dialogs& dialogs = DialogsOf(f);
    dialogs.frmEinzelSpiel.Label4.SetCaption(f.TeamTyp);
    dialogs.frmErgebnis.Label1.SetCaption(f.TeamTyps);
    dialogs.frmKonflikt.Grid1.SetCells(0, 1, f.TeamTyp);
    dialogs.frmExport.Label5.SetCaption(f.TeamTyps);
}

void AlgSet(TMainForm& f) {
    Log("[F] AlgSet() Allgemeine Einstellungen laden");
    f.Label42.SetCaption(IntToStr(f.AnzRunden));
    f.Panel11.SetCaption(GamesCounter(f));
    f.Panel12.SetCaption(lngText(5) + ": " + IntToStr(f.AnzRunden));
    f.Label39.SetCaption(TurnierSelectorText(f.Turnier, 1));
    f.Label20.SetCaption(Get(f.Turnier, Turnier_AnzMann, 1, true));
    f.ProposeRound(f.AnzRunden + 1);
    f.Panel34.SetCaption(lngText(8) + ": " + IntToStr(f.XAFelder.Items.Count() - 1));
    f.RadioButton20.SetChecked(true);
    f.TabSheet8.TabVisible = f.XZeitSpiele.Checked();
    if (!f.XZeitSpiele.Checked()) f.PageControl2.SetActivePage(&f.TabSheet5);
    ShowParticipantWords(f);
    for (TRichEdit* report : {&f.RichEdit1, &f.RichEdit2, &f.RichEdit3}) report->Clear();
    f.AktWertung = 1;
    ShowRefereeChoice(f);
    f.Xplatzgrid.SetRow(1);
}

bool turnierWechseln(TMainForm& f) {
    Log("[F] ComboBox1Change: Wechselversuch in neues Turnier");
    const int index = f.XComboBox1.ItemIndex();
    if (f.XComboBox1.Items.Count() == 0 || index < 0 || index + 1 == f.AktTurNr) return false;
    f.Label39.SetCaption(f.XComboBox1.Items[index]);
    if (f.AktTurNr > 0) TurToMaster(f, f.AktTurNr);
    ClearAll(f, false);
    f.AktTurNr = index + 1;
    MasterToTur(f, f.AktTurNr);
    AlgSet(f);
    f.setStatusText(1, "Turnier: " + f.Label39.Caption());
    f.setStatusText(2, Get(f.Turnier, Turnier_Sportart, 1, true));
    return true;
}

int turniereLaden(TMainForm& f) {
    Log("[F] SpeedButton2Click(): Turnier laden");
    const int oldCount = f.AnzTurniere;
    const TfrmTurPhase& phase = DialogsOf(f).frmTurPhase;
    std::vector<std::string> files;
    if (!ChooseFilesToLoad(f, phase, files)) return 0;
    // Participants prepared for this load take the places of the default participant names.
    const TStrings* names = phase.TurPhaseArt != kTurPhaseKeine ? &phase.Teilnehmer : nullptr;
    const std::map<std::string, std::string> copies = ChooseRecoveryCopies(f, files);
    int loaded = 0;
    for (const std::string& file : files)
        if (LoadOneFile(f, file, copies, names)) ++loaded;
    if (loaded == 0) {
        if (f.AnzTurniere == 0) ShowNoTurnier(f);
        return 0;
    }
    if (f.AktTurNr > 0) TurToMaster(f, f.AktTurNr);
    ClearAll(f, false);
    f.AktTurNr = oldCount + 1;
    MasterToTur(f, f.AktTurNr);
    // Prepared names make the tournament differ from its file: leaving offers to save it.
    if (names && names->Count() > 0) setTurChanged(f, true);
    f.Panel4.Visible = true;
    AlgSet(f);
    ShowCurrentTurnier(f);
    f.showMenuEmpty(false, false);
    return loaded;
}

bool aktuellesTurnierEntfernen(TMainForm& f) {
    Log("[F] AktuellesTurnierentfernen1Click(): Turnier schliessen");
    if (f.AktTurNr < 1) return false;
    // Closing must not lose what was not saved.
    if (Get(f.Turnier, Turnier_Changes, 1, true) == "true" && AskYesNo(lngText(85)) == mrYes &&
        !saveTurnier(f, false, false, false))
        return false;
    const int closed = f.AktTurNr;
    ClearAll(f, false);
    RenumberAfter(f.XMasterGrid, closed);
    if (closed - 1 < f.XComboBox1.Items.Count()) f.XComboBox1.Items.Delete(closed - 1);
    --f.AnzTurniere;
    if (f.AnzTurniere < 1) {
        f.AnzTurniere = 0;
        f.AktTurNr = 0;
        f.AnzRunden = 0;
        ShowNoTurnier(f);
        return true;
    }
    f.AktTurNr = std::max(1, closed - 1);
    MasterToTur(f, f.AktTurNr);
    AlgSet(f);
    ShowCurrentTurnier(f);
    return true;
}

#include "engine/TurnierformExport.h"

#include "dialogs/Dialogs.h"
#include "dialogs/FormGenerators.h"
#include "engine/Platzhalter.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/FileProblems.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/MessageBoxes.h"
#include "foundation/NameText.h"
#include "foundation/ProgramFiles.h"
#include "foundation/Texts.h"
#include "foundation/WindowHelpers.h"
#include "foundation/files/TournamentForms.h"
#include "platform/ProgramFolder.h"
#include "platform/UiHost.h"

namespace {

bool IsGameRow(const TSortGrid& plan, int row) { return !plan.Cells(0, row).empty(); }

int GameCount(const TMainForm& f) {
    int games = 0;
    for (int r = 1; r < f.Spielplan.RowCount(); ++r)
        if (IsGameRow(f.Spielplan, r)) ++games;
    return games;
}

void FillExportDialog(TMainForm& f, TfrmExport& dialog) {
    const std::string rounds = f.Label42.Caption();
    const std::string games = IntToStr(GameCount(f));
    dialog.Edit1.SetText(Get(f.Turnier, Turnier_AnzMann, 1, true));
    dialog.Edit2.SetText(rounds);
    dialog.Edit3.SetText(games);
    dialog.Memo1.Lines.Clear();
    dialog.Memo1.Lines.Add("Turnierform mit " + rounds + " Runden und " + games + " Spielen");
    dialog.Memo1.Lines.Add("Beschreibung.....");
}

// The memo's text: its lines with a line break between them.
std::string MemoText(const TMemo& memo) {
    std::string text;
    for (int i = 0; i < memo.Lines.Count(); ++i) text += (i ? "\r\n" : "") + memo.Lines[i];
    return text;
}

std::string Quoted(const std::string& what, const std::string& value) { return what + " \"" + value + "\""; }

// Why the record grammar would misread the name (with "forbidden", the characters that may not
// stand in it besides line breaks); empty when it can be stored.
std::string NameProblem(const std::string& what, const std::string& value, const char* forbidden) {
    if (value.find_first_of(std::string(forbidden) + "\r\n") != std::string::npos)
        return Quoted(what, value) + " enthält eines der Zeichen $ | ! ; oder einen Zeilenumbruch";
    // A line with a control character reads as a damaged file, and nothing behind it is read;
    // one that reorders text would show on the terminal as something else.
    return TypedTextProblem(Quoted(what, value), value);
}

// A form appended behind a part of the file that is not read would never be offered: the part
// after a line that is not text, or after the end marker.
std::string UnreadFormsProblem(const std::string& path) {
    const FormFile own = ReadFormFile(path);
    if (!own.complete) return FormFileProblem(path, own);
    if (own.endMarker)
        return "Die Datei " + path + " endet mit der Zeile „##ENDE##“, hinter der nichts mehr gelesen wird.";
    return {};
}

}  // namespace

std::string TurnierformOfTurnier(const TMainForm& f) {
    std::string form;
    std::string round;
    const TSortGrid& gruppe = f.Gruppe;
    for (int r = 1; r < gruppe.RowCount(); ++r) {
        if (gruppe.Cells(0, r).empty()) continue;
        if (r == 1 || gruppe.Cells(Gruppe_RNr, r) != round) form += "!" + gruppe.Cells(Gruppe_RundeName, r) + "|";
        round = gruppe.Cells(Gruppe_RNr, r);
        form += "$" + gruppe.Cells(Gruppe_Bez, r) + "$" + gruppe.Cells(Gruppe_Name, r) + "$" +
                gruppe.Cells(Gruppe_System, r) + "$" + gruppe.Cells(Gruppe_Teams, r) + "|";
    }
    form += "<$$>";
    const TSortGrid& teams = f.Teams;
    for (int r = 1; r < teams.RowCount(); ++r)
        if (IntGet(teams, Teams_Platz, r, true) > 0) form += GetPlatzhalter(f, r, true) + ";";
    return form;
}

std::string UnstorableTurnierformName(const TMainForm& f) {
    const TSortGrid& gruppe = f.Gruppe;
    for (int r = 1; r < gruppe.RowCount(); ++r) {
        if (gruppe.Cells(0, r).empty()) continue;
        const std::pair<const char*, int> names[] = {{"Die Gruppenbezeichnung", Gruppe_Bez},
                                                     {"Der Gruppenname", Gruppe_Name},
                                                     {"Das Spielsystem", Gruppe_System},
                                                     {"Der Rundenname", Gruppe_RundeName}};
        for (const auto& [what, column] : names)
            if (std::string problem = NameProblem(what, gruppe.Cells(column, r), "$|!;"); !problem.empty())
                return problem;
        if (std::string problem = NameProblem("Die Teilnehmerliste der Gruppe " + gruppe.Cells(Gruppe_Bez, r),
                                              gruppe.Cells(Gruppe_Teams, r), "$|!");
            !problem.empty())
            return problem;
    }
    return {};
}

void turnierformExportieren(TMainForm& f) {
    Log("[F] Turnierform1Click(): Eigene Turnierform exportieren");
    if (const std::string name = UnstorableTurnierformName(f); !name.empty()) {
        ShowMsg(3, "Die Turnierform kann nicht exportiert werden: " + name + ".\r\n\r\nBitte ändern Sie den Namen zuerst.");
        return;
    }
    const std::string path = ProgramFile(kEigenFormFile);
    if (const std::string problem = UnreadFormsProblem(path); !problem.empty()) {
        ShowMsg(4, problem + " Die Turnierform wurde nicht exportiert.");
        return;
    }
    TfrmExport& dialog = DialogsOf(f).frmExport;
    FillExportDialog(f, dialog);
    CenterControl(&dialog, &f);
    if (dialog.ShowModal() != mrOk) return;
    const std::string structure =
        StructureLine(Get(f.Turnier, Turnier_AnzMann, 1, true), dialog.Edit4.Text(), TurnierformOfTurnier(f));
    int error = 0;
    if (!AppendTurnierform(path, structure, DescriptionLine(MemoText(dialog.Memo1)), &error)) {
        if (error == 0)
            ShowMsg(3, "Die Turnierform wurde nicht exportiert: die Datei " + path +
                           " fehlt oder kann nicht geschrieben werden.");
        else
            ShowMsg(4, WithReason("Die Turnierform wurde nicht in die Datei " + path + " exportiert",
                                  WriteErrorText(path, error)) +
                           ".");
        return;
    }
    ShowMsg(1, lngText(381));
}

#include "engine/RundeAnlegen.h"

#include <algorithm>
#include <vector>

#include "dialogs/Dialogs.h"
#include "engine/GruppenListe.h"
#include "engine/Platzhalter.h"
#include "engine/RundenSpiele.h"
#include "engine/Schiris.h"
#include "engine/Spielzeiten.h"
#include "engine/TurnierStart.h"
#include "foundation/Accessors.h"
#include "foundation/Busy.h"
#include "foundation/ClockTime.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/MessageBoxes.h"
#include "foundation/NameText.h"
#include "foundation/Notation.h"
#include "foundation/Settings.h"
#include "foundation/Tables.h"
#include "foundation/Texts.h"
#include "foundation/WindowHelpers.h"
#include "platform/Window.h"

namespace {

// Groups may be collected up to this many rows of the Gruppe table, header included.
constexpr int kMaxGruppeRows = 199;

// Rows of the list that hold a group; an empty list when no row has an id.
int ListedGroups(const TStringGrid& list) {
    int count = 0;
    for (int row = 1; row < list.RowCount(); ++row)
        if (!list.Cells(0, row).empty()) ++count;
    return count;
}

// Every listed group needs its id: later rounds and the final placing name groups by it.
std::string MissingId(const TStringGrid& list) {
    for (int row = 1; row < list.RowCount(); ++row)
        if (list.Cells(0, row).empty())
            return "Die Gruppe in Zeile " + IntToStr(row) + " hat keine Bezeichnung. Bitte Bezeichnung angeben";
    return {};
}

// Item 0 of a lookup list is a fixed entry; numbers count from 1.
void KeepFixedItem(TListBox& list) {
    if (list.Items.Count() == 0) list.Items.Add("");
}

void AddNewFields(TMainForm& form) {
    KeepFixedItem(form.XAFelder);
    const TStrings& fields = form.XTempList.Items;
    for (int i = 0; i < fields.Count(); ++i)
        if (!fields[i].empty() && !ItemExists(form.XAFelder, fields[i])) form.XAFelder.Items.Add(fields[i]);
}

void WriteGroupRow(TMainForm& form, int g, int listRow) {
    TSortGrid& gruppe = form.Gruppe;
    const TStringGrid& list = form.Gruppen;
    Put(gruppe, 0, g, form.AktTurNr, true);
    Put(gruppe, 1, g, TabelleGruppe, true);
    Put(gruppe, Gruppe_Nr, g, g, true);
    Put(gruppe, Gruppe_GrNr, g, g, true);
    Put(gruppe, Gruppe_Tur, g, form.AktTurNr, true);
    Put(gruppe, Gruppe_Bez, g, list.Cells(0, listRow), true);
    Put(gruppe, Gruppe_Name, g, list.Cells(1, listRow), true);
    Put(gruppe, Gruppe_Teams, g, list.Cells(2, listRow), true);
    Put(gruppe, Gruppe_Felder, g, form.Edit11.Text(), true);
    Put(gruppe, Gruppe_Zeitspiel, g, form.CheckBox1.Checked() ? "1" : "0", true);
    Put(gruppe, Gruppe_Spieltag, g, form.Edit5.Text(), true);
    Put(gruppe, Gruppe_Startzeit, g, form.Edit10.Text(), true);
    Put(gruppe, Gruppe_Spielzeit, g, form.Edit12.Text(), true);
    Put(gruppe, Gruppe_Pause, g, form.Edit13.Text(), true);
    for (int column : {Gruppe_Fertig, Gruppe_AnzFelder, Gruppe_State, Gruppe_Printed, Gruppe_Neutral})
        Put(gruppe, column, g, "", true);
    Put(gruppe, Gruppe_AnzTeams, g, list.Cells(3, listRow), true);
    Put(gruppe, Gruppe_ErgUE, g, form.CheckBox6.Checked() ? "1" : "0", true);
    if (form.RadioButton1.Checked()) {
        Put(gruppe, Gruppe_P1, g, form.umEdit1.Text(), true);
        Put(gruppe, Gruppe_P2, g, form.umEdit2.Text(), true);
    } else if (form.RadioButton2.Checked()) {
        Put(gruppe, Gruppe_P3, g, form.umEdit3.Text(), true);
        Put(gruppe, Gruppe_P4, g, form.umEdit4.Text(), true);
    }
    Put(gruppe, Gruppe_System, g, list.Cells(4, listRow), true);
    Put(gruppe, Gruppe_RNr, g, form.Edit4.Text(), true);
    Put(gruppe, Gruppe_RundeName, g, form.Edit3.Text(), true);
}

// One participant slot: its Teams row, lookup entries and standings row.
void WriteSlot(TMainForm& form, int g, int t, int p, const std::string& item) {
    TSortGrid& teams = form.Teams;
    Put(teams, 0, t, form.AktTurNr, true);
    Put(teams, 1, t, TabelleTeams, true);
    Put(teams, Teams_Nr, t, t, true);
    for (int column : {Teams_Pos, Teams_GrNr, Teams_Platz, Teams_SV}) Put(teams, column, t, "", true);
    Put(teams, Teams_InGr, t, g, true);
    const std::string shown = PutPlatzhalter(form, item, t);
    Put(teams, Teams_Name, t, shown, true);
    Put(teams, Teams_Name_Tmp, t, shown, true);
    Put(teams, Teams_Name_Tur, t, "", true);
    Put(teams, Teams_TMP, t, "", true);
    PutListItem(form.XATeams, t, shown);
    PutListItem(form.XATeamsTur, t, "");

    TSortGrid& platz = form.Platz;
    Put(platz, 0, p, form.AktTurNr, true);
    Put(platz, 1, p, TabellePlatz, true);
    Put(platz, Platz_TeamNr, p, t, true);
    Put(platz, Platz_Platz, p, "", true);
    Put(platz, Platz_GrNr, p, g, true);
    Put(platz, Platz_Team, p, shown, true);
    for (int column = Platz_AnzSpiele; column <= Platz_MBall; ++column) Put(platz, column, p, "0", true);
}

void AssignReferees(TMainForm& form, int round) {
    const int mode = form.RadioGroup1.ItemIndex();
    if (mode == 0 && round > 0) {
        const TSortGrid& gruppe = form.Gruppe;
        for (int row = 1; row < gruppe.RowCount(); ++row)
            if (IntGet(gruppe, Gruppe_RNr, row, true) == round)
                generateSchiris(form, 0, IntGet(gruppe, Gruppe_Nr, row, true), form.RadioGroup1, 0, 0);
    } else if (mode == 3) {
        generateSchiris(form, round, 0, form.RadioGroup1, ToInt(form.umNeutral2.Text()), 0);
    } else {
        generateSchiris(form, round, 0, form.RadioGroup1, 0, 0);
    }
}

void ProposeNextRound(TMainForm& form) {
    ++form.AnzRunden;
    form.Label42.SetCaption(IntToStr(form.AnzRunden));
    form.ProposeRound(form.AnzRunden + 1);
    ClearListGrid(form.Gruppen);
}

void ShowCounters(TMainForm& form) {
    const TSortGrid& plan = form.Spielplan;
    const bool noGames = plan.RowCount() == 2 && Get(plan, Spielplan_SpNr, 1, true).empty();
    form.Panel11.SetCaption(lngText(7) + ": " + (noGames ? "0" : IntToStr(plan.RowCount() - 1)));
    form.Panel12.SetCaption(lngText(5) + ": " + IntToStr(form.AnzRunden));
    form.Panel34.SetCaption(lngText(8) + ": " + IntToStr(form.XAFelder.Items.Count() - 1));
}

void BuildRound(TMainForm& form) {
    AddNewFields(form);
    setTurChanged(form, true);
    const int round = ToInt(form.Edit4.Text());
    int g = FirstFreeRow(form.Gruppe, Gruppe_Nr);
    int t = FirstFreeRow(form.Teams, 0);
    int p = FirstFreeRow(form.Platz, Platz_Tabelle);
    const int firstGroup = g;
    const std::string label = lngText(4) + " " + form.Edit4.Text() + " ( " + form.Edit3.Text() + " )";
    KeepFixedItem(form.XARunden);
    const std::vector<std::string> labels = form.XARunden.Items.ToVector();
    if (std::find(labels.begin(), labels.end(), label) == labels.end()) form.XARunden.Items.Add(label);
    const TStringGrid& list = form.Gruppen;
    const int groups = list.RowCount() - 1;
    for (int i = 1; i <= groups; ++i, ++g) {
        PutListItem(form.XAGruppBez, g, list.Cells(0, i));
        PutListItem(form.XAGruppName, g, list.Cells(1, i));
        WriteGroupRow(form, g, i);
        // A participant text with k separators is k + 1 slots; the empty text is one empty slot.
        for (const std::string& item : SplitItems(list.Cells(2, i))) {
            ProcessMessages();
            WriteSlot(form, g, t++, p++, item);
        }
    }
    form.Gruppe.SetRowCount(std::max(2, g));
    form.Teams.SetRowCount(std::max(2, t));
    form.Platz.SetRowCount(std::max(2, p));
    Do_RundenSpiele(form, firstGroup, groups);
    form.Edit5.SetText(GetSetting(form, "AktSpieltag", "1"));
    form.Edit10.SetText(GetSetting(form, "AktUhrzeit", "10:00"));
    AssignReferees(form, round);
    ProposeNextRound(form);
    form.doTurnierBaum();
    // While a tournament form is built, its rounds are not announced one by one.
    if (form.RundenAnsage && !form.TurFormBuild) ShowMsg(1, lngText(66));
}

}  // namespace

std::string RoundPageProblem(TMainForm& form, bool nameRequired) {
    std::string error;
    if (!IsValidTime(form.Edit10.Text())) error = lngText(62);
    if (ToInt(form.Edit5.Text()) < 1) error = lngText(63);
    if (nameRequired && form.Edit3.Text().empty()) error = lngText(64);
    // A typed name; a form brings its own round names, which the terminal shows escaped.
    if (std::string problem = TypedTextProblem("Der Rundenname", form.Edit3.Text()); nameRequired && !problem.empty())
        error = problem;
    if (!parseFeldListe(form, form.Edit11.Text())) error = lngText(65);
    return error;
}

int FirstFreeRow(const TSortGrid& grid, int usedColumn) {
    const int last = grid.RowCount() - 1;
    return last >= 1 && Get(grid, usedColumn, last, true).empty() ? last : grid.RowCount();
}

void ClearListGrid(TStringGrid& grid) {
    for (int r = 1; r < grid.RowCount(); ++r)
        for (int c = 0; c < grid.ColCount(); ++c) grid.SetCells(c, r, "");
    grid.SetRowCount(2);
}

void PutListItem(TListBox& list, int index, const std::string& text) {
    if (index < 0) return;
    while (list.Items.Count() <= index) list.Items.Add("");
    list.Items.Set(index, text);
}

void CreateRound(TMainForm& form) {
    Log("[F] IAeverButton2Click(): Neue Runde anlegen");
    SetWaitCursor(true);
    std::string error = RoundPageProblem(form, !form.TurFormBuild);
    if (error.empty() && ListedGroups(form.Gruppen) > 0) error = MissingId(form.Gruppen);
    if (error.empty() && ListedGroups(form.Gruppen) > 0) BuildRound(form);
    form.CheckBox6.Visible = ToInt(form.Edit4.Text()) > 1;
    if (!error.empty()) ShowMsg(3, error);
    if (!form.TurFormBuild) {
        setupEndPlatzierung(form);
        form.DoPlan(form.XPlan2, 0, 0, nullptr);
    }
    SetWaitCursor(false);
    ShowCounters(form);
}

void RundeAnlegen(TMainForm& form) {
    if (RefuseWhileBusy(form)) return;
    BusyScope busy(form, "Runde anlegen");
    CreateRound(form);
}

void NeueGruppe(TMainForm& form) {
    Log("[F] IAeverButton20Click(): Neue Gruppe anlegen");
    if (RefuseWhileBusy(form)) return;
    if (form.Gruppe.RowCount() > kMaxGruppeRows) {
        ShowMsg(1, "Maximal " + IntToStr(kMaxGruppeRows) + " erlaubt.");
        return;
    }
    TfrmGruppe& dialog = DialogsOf(form).frmGruppe;
    dialog.EndplatzModus = 0;
    dialog.Bearbeiten = 0;
    dialog.Gruppen = &form.Gruppen;
    dialog.Label20 = &form.Label20;
    dialog.Main = &form;
    dialog.Panel2.SetCaption(" >> " + lngText(58));
    dialog.IAeverButton2.SetCaption(std::string(8, ' ') + lngText(59));
    dialog.PrepareNewGroup(form.Edit4.Text(), form.Edit3.Text());
    CenterControl(&dialog, &form);
    if (dialog.ShowModal() != mrOk) return;
    TStringGrid& list = form.Gruppen;
    const int row = list.Cells(0, 1).empty() ? 1 : list.RowCount();
    if (row > 1) list.SetRowCount(row + 1);
    PutGroupListRow(list, row, dialog);
}

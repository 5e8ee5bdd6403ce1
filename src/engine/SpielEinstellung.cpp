#include "engine/SpielEinstellung.h"

#include <string>

#include "dialogs/Dialogs.h"
#include "engine/Gruppenstatus.h"
#include "engine/SpielplanKlick.h"
#include "foundation/Accessors.h"
#include "foundation/Busy.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/Tables.h"
#include "foundation/Texts.h"
#include "foundation/WindowHelpers.h"

namespace {

bool ListsGames(int mode) { return mode == 1 || mode == 4 || mode == 5 || mode == 7; }

void FillFields(TMainForm& form, TfrmEinzelSpiel& dialog, int r) {
    const TSortGrid& plan = form.Spielplan;
    const TSortGrid& gruppe = form.Gruppe;
    const int groupRow = FindRow(gruppe, Gruppe_Nr, plan.Cells(Spielplan_GrNr, r));
    dialog.GruppeBez = groupRow > 0 ? gruppe.Cells(Gruppe_Bez, groupRow) : std::string();
    dialog.GruppeName = groupRow > 0 ? gruppe.Cells(Gruppe_Name, groupRow) : std::string();
    dialog.SchiriText = form.getSchiriName(r);
    dialog.RundenGruppen.Clear();
    const std::string round = groupRow > 0 ? gruppe.Cells(Gruppe_RNr, groupRow) : std::string();
    for (int row = 1; row < gruppe.RowCount(); ++row)
        if (!gruppe.Cells(0, row).empty() && gruppe.Cells(Gruppe_RNr, row) == round)
            dialog.RundenGruppen.Add(gruppe.Cells(Gruppe_Nr, row));
    TComboBox& fields = dialog.ComboBox3;
    fields.Items.Clear();
    int chosen = 0;
    for (int i = 1; i < form.XAFelder.Items.Count(); ++i) {
        fields.Items.Add(lngText(1) + " " + form.XAFelder.Items[i]);
        if (form.XAFelder.Items[i] == plan.Cells(Spielplan_Feld, r)) chosen = i - 1;
    }
    fields.SetItemIndex(chosen);
    dialog.Zeile.Assign(plan.Rows(r));
}

std::string Chosen(const TComboBox& combo, const TStringList& codes) {
    return combo.ItemIndex() >= 0 && combo.ItemIndex() < codes.Count() ? codes[combo.ItemIndex()] : std::string();
}

void WriteBack(TMainForm& form, const TfrmEinzelSpiel& dialog, int r) {
    TSortGrid& plan = form.Spielplan;
    if (dialog.ComboBox5.Visible)
        Put(plan, Spielplan_Zeitnehmer, r, dialog.ComboBox5.ItemIndex() > 0 ? dialog.ComboBox5.Text() : "", true);
    Put(plan, Spielplan_Von, r, dialog.Edit2.Text(), true);
    Put(plan, Spielplan_Bis, r, dialog.Edit3.Text(), true);
    Put(plan, Spielplan_Tag, r, dialog.Edit4.Text(), true);
    Put(plan, Spielplan_Spieltag, r, "", true);
    if (const int field = dialog.ComboBox3.ItemIndex() + 1; field >= 1 && field < form.XAFelder.Items.Count())
        Put(plan, Spielplan_Feld, r, form.XAFelder.Items[field], true);
    if (!dialog.TeamsLocked()) {
        Put(plan, Spielplan_T1, r, Chosen(dialog.ComboBox1, dialog.TeamCodes), true);
        Put(plan, Spielplan_T2, r, Chosen(dialog.ComboBox2, dialog.TeamCodes), true);
    }
    Put(plan, Spielplan_Schir, r, Chosen(dialog.ComboBox4, dialog.SchiriCodes), true);
}

}  // namespace

void doSpielEinstellung(TMainForm& form, int r, bool spielbereit) {
    Log("[F] doSpielEinstellung(" + IntToStr(r) + "): Spiel einstellen");
    if (r < 1 || r >= form.Spielplan.RowCount() || form.Spielplan.Cells(0, r).empty()) return;
    TfrmEinzelSpiel& dialog = DialogsOf(form).frmEinzelSpiel;
    dialog.Form = &form;
    dialog.Spielbereit = spielbereit;
    FillFields(form, dialog, r);
    CenterControl(&dialog, &form);
    if (dialog.ShowModal() != mrOk) return;
    WriteBack(form, dialog, r);
    setTurChanged(form, true);
    form.DoPlan(form.XPlan1, 0, 0, nullptr);
    form.DoPlan(form.XPlan2, 0, 0, nullptr);
}

namespace {

// The selected row of a plan that lists games, when it holds a game; 0 otherwise. A game row
// carries its number in column 1, and ">>" in column 0 when it can take its result.
int SelectedGameRow(const TMainForm& form, const TStringGrid& plan, bool upper) {
    const int row = plan.Row();
    if (!ListsGames(upper ? form.Plan1Modus : form.Plan2Modus) || row < 1 || row >= plan.RowCount() ||
        plan.Cells(1, row).empty())
        return 0;
    return row;
}

}  // namespace

void PlanSpieleinstellung(TMainForm& form, bool upper) {
    if (RefuseWhileBusy(form)) return;
    const TStringGrid& plan = upper ? form.XPlan1 : form.XPlan2;
    const int row = SelectedGameRow(form, plan, upper);
    if (row == 0) return;
    const int r = FindRow(form.Spielplan, Spielplan_SpNr, plan.Cells(1, row));
    if (r > 0) doSpielEinstellung(form, r, plan.Cells(0, row) == ">>");
}

void PlanDoppelklick(TMainForm& form, bool upper) {
    form.Spieleverschiebbar1.Checked = false;
    if (RefuseWhileBusy(form)) return;
    TStringGrid& plan = upper ? form.XPlan1 : form.XPlan2;
    const int row = SelectedGameRow(form, plan, upper);
    if (row == 0) return;
    const bool ready = plan.Cells(0, row) == ">>";
    const int r = FindRow(form.Spielplan, Spielplan_SpNr, plan.Cells(1, row));
    if (r > 0 && !SpielHatErgebnis(form, r) && !ready) doSpielEinstellung(form, r, false);
    else if (ready) doSpielplanKlick(form, &plan, 0, false, false);
}

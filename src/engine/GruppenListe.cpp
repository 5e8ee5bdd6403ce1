#include "engine/GruppenListe.h"

#include <algorithm>
#include <string>

#include "dialogs/Dialogs.h"
#include "foundation/Busy.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/Texts.h"
#include "foundation/WindowHelpers.h"

namespace {

// The list's system code back into the dialog, which would otherwise offer its first system
// and write that back for a group that plays another one.
void PresetSystem(TfrmGruppe& dialog, const std::string& code) {
    int index = -1;
    if (code == "JGJ") index = 0;
    else if (code == "SV") index = 1;
    else if (code == "JGJ2") index = 2;
    else if (code.size() > 1 && code[0] == 'A') index = 3;
    if (index < 0) return;
    dialog.RadioGroup1.SetItemIndex(index);
    if (index == 3) dialog.umNumberEdit1.SetText(code.substr(1));
}

}  // namespace

void PutGroupListRow(TStringGrid& list, int row, const TfrmGruppe& dialog) {
    list.SetCells(0, row, dialog.Edit1.Text());
    list.SetCells(1, row, dialog.ComboBox1.Text());
    list.SetCells(2, row, dialog.Edit3.Text());
    list.SetCells(3, row, dialog.Label15.Caption());
    if (const std::string system = dialog.SystemCode(); !system.empty()) list.SetCells(4, row, system);
}

void GruppeEditieren(TMainForm& form) {
    Log("[F] IAeverButton18Click(): Gruppe editieren");
    TStringGrid& list = form.Gruppen;
    const int row = list.Row();
    if (row < 1 || row >= list.RowCount() || list.Cells(0, row).empty()) return;
    if (RefuseWhileBusy(form)) return;
    TfrmGruppe& dialog = DialogsOf(form).frmGruppe;
    dialog.EndplatzModus = 0;
    dialog.Bearbeiten = 1;
    dialog.Gruppen = &list;
    dialog.Label20 = &form.Label20;
    dialog.Main = &form;
    dialog.Panel2.SetCaption(" >> " + lngText(60));
    dialog.IAeverButton2.SetCaption(std::string(8, ' ') + lngText(61));
    dialog.PrepareEditGroup(form.Edit4.Text(), form.Edit3.Text(), list.Cells(0, row), list.Cells(1, row), list.Cells(2, row));
    PresetSystem(dialog, list.Cells(4, row));
    CenterControl(&dialog, &form);
    if (dialog.ShowModal() != mrOk) return;
    const int edited = list.Row();
    if (edited >= 1 && edited < list.RowCount()) PutGroupListRow(list, edited, dialog);
}

void GruppeAusListe(TMainForm& form) {
    TStringGrid& list = form.Gruppen;
    const int row = list.Row();
    if (row < 1 || row >= list.RowCount() || list.Cells(0, row).empty()) return;
    if (RefuseWhileBusy(form)) return;
    Log("[F] IAeverButton19Click(): Gruppe aus der Liste entfernen");
    const int columns = std::max(7, list.ColCount());
    for (int r = row; r + 1 < list.RowCount(); ++r)
        for (int c = 0; c < columns; ++c) list.SetCells(c, r, list.Cells(c, r + 1));
    for (int c = 0; c < columns; ++c) list.SetCells(c, list.RowCount() - 1, "");
    if (list.RowCount() > 2) list.SetRowCount(list.RowCount() - 1);
}

#include "engine/Konflikt.h"

#include "dialogs/Dialogs.h"
#include "engine/Platzhalter.h"
#include "engine/Platzierung.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/MainForm.h"

namespace {

// Only a group whose outcome no later result uses yet may still be reordered.
bool Finished(const TMainForm& form, int g) { return g >= 1 && Get(form.Gruppe, Gruppe_State, g, true) == "Done"; }

}  // namespace

bool konfliktLoesen(TMainForm& form, int g) {
    const int first = g > 0 ? g : 1, last = g > 0 ? g : form.Gruppe.RowCount() - 1;
    for (int h = first; h <= last; ++h) {
        if (!Finished(form, h)) continue;
        updatePlatzierung(form, h, false);
        if (form.KonfliktTeams.Count() == 0) continue;
        gruppeAbschliessen(form, h, 0, true);
        return true;
    }
    return false;
}

void gruppeAbschliessen(TMainForm& form, int g, int x, bool showConflict) {
    if (showConflict) {
        TfrmKonflikt& dialog = DialogsOf(form).frmKonflikt;
        dialog.Form = &form;
        dialog.GrNr = g;
        dialog.Teams = &form.KonfliktTeams;
        dialog.ShowModal();
    }
    updatePlatzierung(form, g, true);
    calcAfterRound(form, g, x);
    updatePlatzierung(form, g, false);
}

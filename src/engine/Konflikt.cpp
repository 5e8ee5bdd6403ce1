#include "engine/Konflikt.h"

#include <set>

#include "dialogs/Dialogs.h"
#include "engine/Gruppenstatus.h"
#include "engine/Platzhalter.h"
#include "engine/Platzierung.h"
#include "foundation/Accessors.h"
#include "foundation/Busy.h"
#include "foundation/Columns.h"
#include "foundation/MainForm.h"

namespace {

// Only a group whose outcome no later result uses yet may still be reordered.
bool Finished(const TMainForm& form, int g) { return g >= 1 && Get(form.Gruppe, Gruppe_State, g, true) == "Done"; }

}  // namespace

bool konfliktLoesen(TMainForm& form, int g) {
    StandingsRanking ranking(form);
    const int first = g > 0 ? g : 1, last = g > 0 ? g : form.Gruppe.RowCount() - 1;
    for (int h = first; h <= last; ++h) {
        if (!Finished(form, h)) continue;
        CollectTies(form, h);
        if (form.KonfliktTeams.Count() == 0) continue;
        gruppeAbschliessen(form, h, 0, Konfliktdialog::Zeigen, ranking);
        teilnehmerNamenZeigen(form, ranking);
        ranking.Finish();
        return true;
    }
    ranking.Finish();
    return false;
}

void gruppeAbschliessen(TMainForm& form, int g, int x, Konfliktdialog conflict, StandingsRanking& ranking) {
    // While the conflict dialog waits for the user, the group is complete but its placeholders are
    // not resolved yet: the autosave must not write that half.
    BusyScope busy(form, "Gruppe abschließen");
    if (conflict != Konfliktdialog::Keiner) {
        TfrmKonflikt& dialog = DialogsOf(form).frmKonflikt;
        dialog.Form = &form;
        dialog.GrNr = g;
        dialog.Teams = &form.KonfliktTeams;
        dialog.Importiert = conflict == Konfliktdialog::ZeigenBeimImport;
        dialog.ShowModal();
    }
    // What stands now is g's order for the table and the placeholders alike: no ranking after
    // this moves its rows again while it stays finished.
    ranking.Settle(g);
    calcAfterRound(form, g, x);
}

void teilnehmerNamenZeigen(TMainForm& form, StandingsRanking& ranking) {
    if (const std::set<int> named = ShowParticipantNames(form); !named.empty()) ranking.Rank(0, false, named);
}

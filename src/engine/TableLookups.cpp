#include "engine/TableLookups.h"

#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/MainForm.h"

int getDirektSieger(const TMainForm& form, int a, int b, int g) {
    const TSortGrid& plan = form.Spielplan;
    for (int row = 1; row < plan.RowCount(); ++row) {
        if (IntGet(plan, Spielplan_GrNr, row, true) != g) continue;
        const int t1 = IntGet(plan, Spielplan_T1, row, true);
        const int t2 = IntGet(plan, Spielplan_T2, row, true);
        if ((t1 == a && t2 == b) || (t1 == b && t2 == a)) return IntGet(plan, Spielplan_Sieger, row, true);
    }
    return 0;
}

int getTeamZeile(const TMainForm& form, int g, int k) {
    if (k < 1) return 0;
    const TSortGrid& teams = form.Teams;
    int seen = 0;
    for (int row = 1; row < teams.RowCount(); ++row)
        if (IntGet(teams, Teams_InGr, row, true) == g && ++seen == k) return row;
    return 0;
}

#include "engine/TableLookups.h"

#include "foundation/Accessors.h"
#include "foundation/Conversions.h"
#include "foundation/Columns.h"
#include "foundation/MainForm.h"
#include "platform/DateTime.h"

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

std::string SpielDatum(const TMainForm& form, int row) {
    std::string own = Get(form.Spielplan, Spielplan_Spieltag, row, true);
    if (!own.empty()) return own;
    const auto first = datetime::ParseDate(Get(form.Turnier, Turnier_Datum, 1, true));
    const int day = IntGet(form.Spielplan, Spielplan_Tag, row, true);
    // A day number far beyond any tournament (a damaged file) names no date.
    if (!first || day < 1 || day > 3660) return {};
    const int64_t days = datetime::DaysFromDate(first->Year, first->Month, first->Day) + day - 1;
    return datetime::FormatDate(datetime::DateFromDays(days));
}

#include "foundation/Tables.h"

#include <utility>
#include <vector>

#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Logs.h"
#include "foundation/SortGrid.h"
#include "foundation/MainForm.h"

namespace headers {
const char* const Turnier =
    "Tur_Nr|Tabelle_Nr|Tur_Nr|Turnier_Name|Turnier_DateiName|Turnier_DateiNameS|Turnier_AnzMann|Turnier_Sportart|"
    "Turnier_Datum|Turnier_Changes|Turnier_Score|Turnier_Score2|Turnier_Score3|Turnier_Bez|Turnier_System|"
    "Turnier_Runden|Turnier_Fehlermeldungen|Turnier_Teams||||";
const char* const Gruppe =
    "Tur_Nr|Tabelle_Nr|Gruppe_Nr|Gruppe_Tur|Gruppe_GrNr|Gruppe_Bez|Gruppe_Name|Gruppe_Teams|Gruppe_Felder|"
    "Gruppe_Zeitspiel|Gruppe_Spieltag|Gruppe_Startzeit|Gruppe_Spielzeit|Gruppe_Pause|Gruppe_Fertig|"
    "Gruppe_AnzTeams|Gruppe_AnzFelder|Gruppe_State|Gruppe_Printed|Gruppe_ErgUE|Gruppe_P1|Gruppe_P2|Gruppe_P3|"
    "Gruppe_P4|Gruppe_System|Gruppe_Neutral|Gruppe_RNr|Gruppe_RundeName|";
const char* const Teams =
    "Tur_Nr|Tabelle_Nr|Teams_Nr|Teams_Tur|Teams_Pos|Teams_GrNr|Teams_Name|Teams_Name_Tur|Teams_Name_Tmp|"
    "Teams_Platz|Teams_InGr|Teams_TMP|Teams_SV||||";
const char* const Spielplan =
    "Tur_Nr|Tabelle_Nr|Spielplan_Nr|Spielplan_Tur|Spielplan_SpNr|Spielplan_Tag|Spielplan_GrNr|Spielplan_Feld|"
    "Spielplan_Von|Spielplan_Bis|Spielplan_T1|Spielplan_T2|Spielplan_Schir|Spielplan_Status|Spielplan_Spieltag|"
    "Spielplan_SatzErg|Spielplan_PPkt|Spielplan_MPkt|Spielplan_PSatz|Spielplan_MSatz|Spielplan_PBall|"
    "Spielplan_MBall|Spielplan_Zeitnehmer|Spielplan_Sieger|Spielplan_RNr||";
const char* const Platz =
    "Platz_Tur|Platz_Tabelle|Platz_TeamNr|Platz_Platz|Platz_GrNr|Platz_Team|Platz_AnzSpiele|Platz_TotalSpiele|"
    "Platz_PPkt|Platz_MPkt|Platz_PSatz|Platz_MSatz|Platz_PBall|Platz_MBall||||";
const char* const Ein = "Tur_Nr|Tabelle_Nr|Ein_Name|Ein_Tur|Ein_Wert";
const char* const UkSound =
    "Tur_Nr|Tabelle_Nr|Uk_Nr|Uk_Tur|Uk_Date|Uk_Wann|Uk_Wert|Uk_X|Uk_Y|Uk_Font|Uk_Gross|Uk_Farbe|Uk_Status|"
    "Uk_Text|||";
const char* const XMasterGrid =
    "TurNr|Tabelle|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20|21|22|23|24|25|26|27|||";
const char* const Temp = "0|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20||||";
const char* const Schiris = "|||||||||||";
}  // namespace headers

namespace {

void SetupTable(TSortGrid& grid, const char* name, const char* header) {
    grid.Name = name;
    grid.ClickSorting = false;
    TStringList items;
    items.Add(header);
    grid.SetItems(items);
    grid.SetRowCount(2);
    grid.SetFixedRows(1);
    grid.SetFixedCols(0);
}

struct ColumnCheck {
    const TSortGrid& grid;
    int column;
    const char* name;
};

}  // namespace

void CreateDataTables(TMainForm& f) {
    SetupTable(f.Turnier, "Turnier", headers::Turnier);
    SetupTable(f.Gruppe, "Gruppe", headers::Gruppe);
    SetupTable(f.Teams, "Teams", headers::Teams);
    SetupTable(f.Spielplan, "Spielplan", headers::Spielplan);
    SetupTable(f.Platz, "Platz", headers::Platz);
    SetupTable(f.Ein, "Ein", headers::Ein);
    SetupTable(f.UkSound, "UkSound", headers::UkSound);
    SetupTable(f.XMasterGrid, "XMasterGrid", headers::XMasterGrid);
    SetupTable(f.Temp, "Temp", headers::Temp);
    SetupTable(f.Schiris, "Schiris", headers::Schiris);
}

bool CheckColumnNumbers(const TMainForm& f) {
#define COLUMN(grid, constant) ColumnCheck{f.grid, constant, #constant}
    const ColumnCheck checks[] = {
        COLUMN(Turnier, Turnier_Name), COLUMN(Turnier, Turnier_DateiName), COLUMN(Turnier, Turnier_DateiNameS),
        COLUMN(Turnier, Turnier_AnzMann), COLUMN(Turnier, Turnier_Sportart), COLUMN(Turnier, Turnier_Datum),
        COLUMN(Turnier, Turnier_Changes), COLUMN(Turnier, Turnier_Score), COLUMN(Turnier, Turnier_Score2),
        COLUMN(Turnier, Turnier_Score3), COLUMN(Turnier, Turnier_Bez), COLUMN(Turnier, Turnier_System),
        COLUMN(Turnier, Turnier_Runden), COLUMN(Turnier, Turnier_Fehlermeldungen), COLUMN(Turnier, Turnier_Teams),
        COLUMN(Gruppe, Gruppe_Nr), COLUMN(Gruppe, Gruppe_Tur), COLUMN(Gruppe, Gruppe_GrNr), COLUMN(Gruppe, Gruppe_Bez),
        COLUMN(Gruppe, Gruppe_Name), COLUMN(Gruppe, Gruppe_Teams), COLUMN(Gruppe, Gruppe_Felder),
        COLUMN(Gruppe, Gruppe_Zeitspiel), COLUMN(Gruppe, Gruppe_Spieltag), COLUMN(Gruppe, Gruppe_Startzeit),
        COLUMN(Gruppe, Gruppe_Spielzeit), COLUMN(Gruppe, Gruppe_Pause), COLUMN(Gruppe, Gruppe_Fertig),
        COLUMN(Gruppe, Gruppe_AnzTeams), COLUMN(Gruppe, Gruppe_AnzFelder), COLUMN(Gruppe, Gruppe_State),
        COLUMN(Gruppe, Gruppe_Printed), COLUMN(Gruppe, Gruppe_ErgUE), COLUMN(Gruppe, Gruppe_P1),
        COLUMN(Gruppe, Gruppe_P2), COLUMN(Gruppe, Gruppe_P3), COLUMN(Gruppe, Gruppe_P4),
        COLUMN(Gruppe, Gruppe_System), COLUMN(Gruppe, Gruppe_Neutral), COLUMN(Gruppe, Gruppe_RNr),
        COLUMN(Gruppe, Gruppe_RundeName),
        COLUMN(Spielplan, Spielplan_Nr), COLUMN(Spielplan, Spielplan_Tur), COLUMN(Spielplan, Spielplan_SpNr),
        COLUMN(Spielplan, Spielplan_Tag), COLUMN(Spielplan, Spielplan_GrNr), COLUMN(Spielplan, Spielplan_Feld),
        COLUMN(Spielplan, Spielplan_Von), COLUMN(Spielplan, Spielplan_Bis), COLUMN(Spielplan, Spielplan_T1),
        COLUMN(Spielplan, Spielplan_T2), COLUMN(Spielplan, Spielplan_Schir), COLUMN(Spielplan, Spielplan_Status),
        COLUMN(Spielplan, Spielplan_Spieltag), COLUMN(Spielplan, Spielplan_SatzErg),
        COLUMN(Spielplan, Spielplan_PPkt), COLUMN(Spielplan, Spielplan_MPkt), COLUMN(Spielplan, Spielplan_PSatz),
        COLUMN(Spielplan, Spielplan_MSatz), COLUMN(Spielplan, Spielplan_PBall), COLUMN(Spielplan, Spielplan_MBall),
        COLUMN(Spielplan, Spielplan_Zeitnehmer), COLUMN(Spielplan, Spielplan_Sieger),
        COLUMN(Spielplan, Spielplan_RNr),
        COLUMN(Teams, Teams_Nr), COLUMN(Teams, Teams_Tur), COLUMN(Teams, Teams_Pos), COLUMN(Teams, Teams_GrNr),
        COLUMN(Teams, Teams_Name), COLUMN(Teams, Teams_Name_Tur), COLUMN(Teams, Teams_Name_Tmp),
        COLUMN(Teams, Teams_Platz), COLUMN(Teams, Teams_InGr), COLUMN(Teams, Teams_TMP), COLUMN(Teams, Teams_SV),
        COLUMN(Platz, Platz_Tur), COLUMN(Platz, Platz_Tabelle), COLUMN(Platz, Platz_TeamNr),
        COLUMN(Platz, Platz_Platz), COLUMN(Platz, Platz_GrNr), COLUMN(Platz, Platz_Team),
        COLUMN(Platz, Platz_AnzSpiele), COLUMN(Platz, Platz_TotalSpiele), COLUMN(Platz, Platz_PPkt),
        COLUMN(Platz, Platz_MPkt), COLUMN(Platz, Platz_PSatz), COLUMN(Platz, Platz_MSatz),
        COLUMN(Platz, Platz_PBall), COLUMN(Platz, Platz_MBall),
        COLUMN(UkSound, Uk_Nr), COLUMN(UkSound, Uk_Tur), COLUMN(UkSound, Uk_Date), COLUMN(UkSound, Uk_Wann),
        COLUMN(UkSound, Uk_Wert), COLUMN(UkSound, Uk_X), COLUMN(UkSound, Uk_Y), COLUMN(UkSound, Uk_Font),
        COLUMN(UkSound, Uk_Gross), COLUMN(UkSound, Uk_Farbe), COLUMN(UkSound, Uk_Status), COLUMN(UkSound, Uk_Text),
        COLUMN(Ein, Ein_Name), COLUMN(Ein, Ein_Tur), COLUMN(Ein, Ein_Wert),
    };
#undef COLUMN
    bool ok = true;
    for (const auto& check : checks) {
        if (check.grid.Cells(check.column, 0) == check.name) continue;
        ErrorLog(std::string("[X] Spaltennummer ") + check.name + " passt nicht zur Kopfzeile von " + check.grid.Name);
        ok = false;
    }
    return ok;
}

void setTurChanged(TMainForm& form, bool changed) {
    Put(form.Turnier, Turnier_Changes, 1, changed ? "true" : "", true);
}

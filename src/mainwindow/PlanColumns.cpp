#include "mainwindow/PlanColumns.h"

#include <algorithm>
#include <string>

#include "foundation/Conversions.h"
#include "foundation/MainForm.h"
#include "foundation/Settings.h"
#include "mainwindow/TextBinding.h"

const ColumnLayout kGameColumns{10,
                                "SpielSpalte",
                                {16, 20, 60, 27, 70, 46, 226, 62, 83, 166, 0},
                                {nullptr, "Spalte Spielnummer", "Spalte Datum", "Spalte Feld", "Spalte Uhrzeit",
                                 "Spalte Gruppe", nullptr, "Spalte Punkte", "Spalte Ergebnis", "Spalte Schiri",
                                 nullptr}};
const ColumnLayout kStandingsColumns{12,
                                     "PlatzSpalte",
                                     {45, 120, 200, 50, 70, 85},
                                     {nullptr, "Spalte MPlatzhalter", nullptr, nullptr, nullptr, "Spalte MErgebnis"}};
const ColumnLayout kFinalPlacingColumns{54, "EndPlatzSpalte", {45, 120, 300}, {nullptr, "Spalte EPlatzhalter", nullptr}};

namespace {

bool IsDecimal(const std::string& text) {
    return !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos;
}

// A column switched "Off" is hidden (width 0); a stored width that is not a number counts as
// the built-in one. The last game-list column (the group name) is never shown.
int ColumnWidth(const TMainForm& f, const ColumnLayout& layout, size_t column) {
    const int builtIn = layout.widths[column];
    if (builtIn == 0) return 0;
    if (const char* key = layout.switches[column]; key && GetSetting(f, key, "On") == "Off") return 0;
    const std::string stored = GetSetting(f, layout.widthSetting + IntToStr(static_cast<long long>(column)), "");
    return IsDecimal(stored) ? ToInt(stored) : builtIn;
}

}  // namespace

void ClearPlan(TStringGrid& plan, const ColumnLayout& layout, int dataRows) {
    // Rows and columns cut off go with their cells.
    plan.SetColCount(static_cast<int>(layout.widths.size()));
    plan.SetRowCount(std::max(2, dataRows + 1));
    for (int r = dataRows + 1; r < plan.RowCount(); ++r)
        for (int c = 0; c < plan.ColCount(); ++c) plan.SetCells(c, r, "");
}

void LayOut(const TMainForm& f, TStringGrid& plan, const ColumnLayout& layout) {
    SetGridHeader(plan, layout.headerText);
    for (size_t c = 0; c < layout.widths.size(); ++c) plan.SetColWidths(static_cast<int>(c), ColumnWidth(f, layout, c));
}

#pragma once
#include <cstddef>
#include <vector>

class TMainForm;
class TStringGrid;

// The columns of a view: the text of its header row, the settings of its column widths, their
// built-in values, and per column the "Spalte ..." switch that hides it (none: always shown).
struct ColumnLayout {
    int headerText;
    const char* widthSetting;
    std::vector<int> widths;
    std::vector<const char*> switches;
};

extern const ColumnLayout kGameColumns;
extern const ColumnLayout kStandingsColumns;
extern const ColumnLayout kFinalPlacingColumns;

// Gives the plan the layout's columns and room for dataRows rows, which the caller fills in every
// column; a plan without rows keeps an empty row 1.
void ClearPlan(TStringGrid& plan, const ColumnLayout& layout, int dataRows);
// The header texts and the column widths of the current tournament's settings.
void LayOut(const TMainForm& f, TStringGrid& plan, const ColumnLayout& layout);

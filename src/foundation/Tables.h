#pragma once
#include <string>

class TSortGrid;
class TMainForm;

// Header text of each table as its component carries it ('|'-separated, one field per column).
namespace headers {
extern const char* const Turnier;
extern const char* const Gruppe;
extern const char* const Teams;
extern const char* const Spielplan;
extern const char* const Platz;
extern const char* const Ein;
extern const char* const UkSound;
extern const char* const XMasterGrid;
extern const char* const Temp;
extern const char* const Schiris;
}  // namespace headers

// Gives every data table of the window its name, header row, one blank data row and the
// table settings (FixedRows 1, FixedCols 0, no click sorting).
void CreateDataTables(TMainForm& form);
// Checks that each column-number constant names the column of that header; logs each mismatch.
bool CheckColumnNumbers(const TMainForm& form);

// Marks the current tournament modified ("true") or saved (empty text).
void setTurChanged(TMainForm& form, bool changed);

#pragma once
#include <string>

class TMainForm;
class TSortGrid;
class TStringGrid;
class TListBox;

// The round page "Neue Runde anlegen": its groups are collected in the list grid Gruppen through
// the group dialog, and "Runde anlegen" turns the page into Gruppe, Teams and Platz rows, the
// round's games and their referees.

// "Runde anlegen". Refused with a message while another operation works on the tables.
void RundeAnlegen(TMainForm& form);
// The creation itself, for an operation that already holds the window (the form parser).
void CreateRound(TMainForm& form);
// "Neue Gruppe": a group made in the group dialog joins the list of the round.
void NeueGruppe(TMainForm& form);

// The inputs of the page (start time, day, round name, fields; the field list also fills
// XTempList): the message of the last failing check, or the empty text. A round a tournament
// form builds may have an empty name: the form's text is taken as it stands.
std::string RoundPageProblem(TMainForm& form, bool nameRequired);

// The first free row of a table: its last row when that is unused (judged by one column), else a
// new row after it.
int FirstFreeRow(const TSortGrid& grid, int usedColumn);
// Empties the data rows of a list grid and leaves one blank row.
void ClearListGrid(TStringGrid& grid);
// Item `index` of a lookup list, the list growing with empty items to reach it, so that lookup
// lists stay parallel to the rows they describe.
void PutListItem(TListBox& list, int index, const std::string& text);

#pragma once
#include <string>

#include "platform/Colors.h"
#include "platform/Grids.h"

// Columns of the placeholder grid Xplatzgrid: one row per direct team slot. Columns 0-2 are
// shown; the others are bookkeeping. Group and number describe the slot and stay with it; the
// name and the player list describe the team assigned to it and move with that team.
inline constexpr int Platzgrid_Gruppe = 0;       // designation of the slot's group
inline constexpr int Platzgrid_Platzhalter = 1;  // the slot's placeholder text (Teams_Name)
inline constexpr int Platzgrid_Mannschaft = 2;   // the assigned name; empty = not assigned
inline constexpr int Platzgrid_Sperre = 3;       // kGesperrt once the group has been played on
inline constexpr int Platzgrid_GrNr = 4;         // number of the slot's group (Teams_InGr)
inline constexpr int Platzgrid_TeamNr = 5;       // Teams_Nr of the slot
inline constexpr int Platzgrid_Spieler = 6;      // players of the assigned team, joined by "|"
inline constexpr int Platzgrid_Spalten = 7;

inline constexpr const char* kGesperrt = "NO";
// Font colour of a locked row; open rows are black.
inline constexpr TColor kGesperrtFarbe = 0xC0C0C0;

// A row that holds a slot: a data row with a group.
inline bool IsSlotRow(const TStringGrid& grid, int row) {
    return row >= 1 && row < grid.RowCount() && !grid.Cells(Platzgrid_Gruppe, row).empty();
}
// A group whose state has left "None" (or the empty text) has been played on: the names of its
// slots stay as they are, also when its results are cleared again.
inline bool LocksSlots(const std::string& groupState) { return !groupState.empty() && groupState != "None"; }
// A locked row accepts no change. The mark follows its group's state (engine/TurnierStart.h).
inline bool IsLockedRow(const TStringGrid& grid, int row) { return grid.Cells(Platzgrid_Sperre, row) == kGesperrt; }

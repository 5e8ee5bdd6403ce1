#pragma once

class TMainForm;
class TStringGrid;
class TfrmGruppe;

// The list of groups on the round page: each row is made or changed in the group dialog and
// becomes a group of the tournament only when the round is created.

// Columns 0-4 of a list row from the confirmed group dialog: id, name, participant codes, their
// number and the game system code (left as it is when no system is chosen).
void PutGroupListRow(TStringGrid& list, int row, const TfrmGruppe& dialog);
// "Gruppe editieren" (also the list's double click): the selected row in the group dialog.
void GruppeEditieren(TMainForm& form);
// "Gruppe löschen" of the round page: the selected row leaves the list; a sole row is emptied.
void GruppeAusListe(TMainForm& form);

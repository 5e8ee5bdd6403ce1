#pragma once

class TMainForm;

// What became of a new tournament.
enum class NeuesTurnierErgebnis {
    Abgebrochen,  // refused or cancelled: nothing changed
    MitRunden,    // made current with the rounds and groups of its form
    OhneRunden,   // made current without rounds: the user builds them on the round page
};

// Opens the new-tournament wizard and, when it is confirmed, makes a new tournament current: its
// row, its settings and, when the wizard supplied a form, its rounds, groups and games. The
// tournament current so far is parked among the open ones; with `first` the new one is the only
// one. At most 20 tournaments are open.
NeuesTurnierErgebnis newTurnier(TMainForm& form, bool first);

// Closes every open tournament after the user confirmed it and unsaved ones were offered for
// saving; false when the user kept them.
bool alleTurniereSchliessen(TMainForm& form);

#pragma once

class TMainForm;

// The tabs "Wertung" and "Sonstiges" of the round-editing page: they act on the round or the
// group selected in the round tree, as the tab's apply-to choice says.

// "Aktualisieren" of "Wertung": the points per win and draw ("Pro Sieg:"), per set and at equal
// balls ("Pro Satz"), or none ("Selbstdefinierte Punkte"), and whether the results of the round
// before are carried over, into the groups chosen. They count from the next result on.
void GruppenWertung(TMainForm& form);

// "Aktualisieren" of "Sonstiges" (only with timed games): moves the games of the round or group
// by the minutes of umValidEdit5, or changes their length by those of umValidEdit7, each
// -120 .. 120; then "Keine Änderung" is chosen again.
void SpielzeitenAendern(TMainForm& form);

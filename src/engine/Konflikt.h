#pragma once

class StandingsRanking;
class TMainForm;

// Settles the placing conflict of a finished group again: the conflict dialog shows the
// participants the ranking rules cannot separate in the order they stand now, their order is
// taken, and the placeholders that depend on the group follow it. g is the group; 0 takes the
// first finished group that has such participants. False when there is no conflict to settle.
bool konfliktLoesen(TMainForm& form, int g);

// Whether a finished group's ties go to the conflict dialog, and whether they came with results
// imported from another copy (whose later results stand on the order given there).
enum class Konfliktdialog { Keiner, Zeigen, ZeigenBeimImport };

// A finished group g takes its final order: the conflict dialog first when asked for (the tied
// participants are in KonfliktTeams), then the operation's ranking settles the order (only the
// values before head-to-head may still move a row) and the placeholders that depend on g follow
// it (x: the game just decided, 0 when none). Table and placeholders keep that one order.
void gruppeAbschliessen(TMainForm& form, int g, int x, Konfliktdialog dialog, StandingsRanking& ranking);

// After a finished group's order changed outside a result (settled again, new ranking rules):
// the standings of the groups its placeholders feed show the participants they took now, and
// those whose rows got a name are ranked by the operation's ranking.
void teilnehmerNamenZeigen(TMainForm& form, StandingsRanking& ranking);

#pragma once
#include <set>
#include <string>
#include <vector>

class TMainForm;

// The states of a group as results come and go: "None" before the start, "Open" when its
// participants are decided and it has no result, "Edit" with some results, "Done" when every game
// has a winner, "Closed" when a later group's result uses its outcome, and the empty text when a
// participant of it was taken back.

// Whether the games of a group in this state take a result now, by hand or from an import: not
// before the group's participants are decided (the empty text), and no longer once a later
// group has used its outcome ("Closed").
bool NimmtErgebnisse(const std::string& state);

// Why the game of this Spielplan row takes no result although its group may: a participant that
// still stands as its placeholder (a Swiss round that could not be paired, a source not decided
// yet), as "der Teilnehmer „1. Gruppe R1“ steht noch nicht fest" or "die Teilnehmer „…“ und „…“
// stehen noch nicht fest". Empty when both participants are known. A result for such a game
// would go to whoever takes the place later.
std::string OffeneTeilnehmer(const TMainForm& form, int row);

// Why the game of this Spielplan row takes no result now, as "Gruppe A ist abgeschlossen: ..."
// or "die Teilnehmer von Gruppe HF stehen noch nicht fest (Gruppe B ist noch nicht fertig)":
// its group does not take results, or a participant is not known yet (OffeneTeilnehmer). Empty
// when it takes one.
std::string KeinErgebnisGrund(const TMainForm& form, int row);

// Whether the game was played: its winner is set ("0" for a draw, also for a game not scored,
// "Kein Ergebnis"), however little its values add up to. The one test of a played game for
// result processing, the standings, the plans and the results exchange; a game not played
// counts nowhere, whatever values its row may hold.
bool SpielHatErgebnis(const TMainForm& form, int row);

struct GroupProgress {
    int games = 0;    // games of the group
    int decided = 0;  // of them with a winner
    bool Complete() const { return games == decided; }
};
GroupProgress CountProgress(const TMainForm& form, int g);
// Every game of the tournament has a winner.
bool AllGamesDecided(const TMainForm& form);

// A result of a game of group g between t1 and t2 was taken: the groups the two came from are
// in use, g is being played.
void MarkResultTaken(TMainForm& form, int g, int t1, int t2);
// A result of group g was removed (progress counted afterwards): a group complete before takes
// back the participants that came from it; a group left without any winner is open again.
// Returns the groups whose standings were rebuilt.
std::set<int> MarkResultRemoved(TMainForm& form, int g, const GroupProgress& progress);
struct LaterGroups {
    std::vector<std::string> opened;  // numbers of the groups opened
    std::set<int> changedStandings;   // groups with totals rebuilt or a row without a name given one
};
// Every standings row shows the name its participant has now (the slots of later groups, after
// their placeholders were resolved). Returns the groups with a row that had no name.
std::set<int> ShowParticipantNames(TMainForm& form);
// Shows the names the participant slots have in the standings, then opens every group not yet
// played whose participants' and referees' source groups are finished.
LaterGroups OpenLaterGroups(TMainForm& form);

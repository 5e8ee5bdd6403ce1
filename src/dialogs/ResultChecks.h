#pragma once
#include <array>
#include <string>

class TMainForm;

// The checks a scorer expects of a typed result: values that count goals, sets or balls are
// whole, set results agree with the sets and balls, no game has more sets than its sport plays,
// and a chosen winner agrees with a score that is not level.

// What the three scoring values of a tournament count.
struct ScoreRules {
    std::array<std::string, 3> names{"Punkte", "Sätze", "Bälle"};
    bool wholePoints = false;  // points are played for ("Spiel auf 21"), not awarded in halves
    bool setsCounted = true;   // the second value counts sets, not goals or baskets
    std::string sport;         // the sport, when it fixes the most sets of a game
    int bestOf = 0;            // most sets a game of that sport has; 0 when not known
};

// The rules of a tournament by its scoring kind (`Turnier_Sportart`) and its scoring names.
ScoreRules RulesOfTournament(const std::string& scoringKind, const std::array<std::string, 3>& names);
// The rules of the form's current tournament.
ScoreRules RulesOfTournament(const TMainForm& form);
// The name of scoring value k (1 to 3) of participant side (1 or 2) as the tournament calls it
// ("Tore1"); without a form the plain name ("Sätze1").
std::string ScoreLabel(const TMainForm* form, int k, int side);

// How a group awards points: its own points per win and per draw (`Gruppe_P1` set), else points
// per set won and, to each side, at level balls; none when neither. Awarded points follow from
// the outcome and are never typed.
struct PointsAward {
    bool perResult = false;
    double win = 0, draw = 0, perSet = 0, levelBalls = 0;
    bool Awarded() const { return perResult || perSet > 0; }
};
// The award of group g of the form's current tournament (`Gruppe_P1` to `Gruppe_P4`).
PointsAward AwardOfGroup(const TMainForm& form, int g);

// One score as the user typed it; empty counts 0 and is stored empty.
struct Score {
    std::string label;
    std::string text;
    double value = 0;
};

struct TypedResult {
    std::array<Score, 6> scores;  // points, sets, balls of the first and of the second participant
    std::string setResults;       // e.g. "25:20, 18:25, 15:10"
    int chosen = 0;               // the winner chosen: 1 the first participant, -1 the second, 0 none
    std::string chosenName;
};

// No score, no set result and no chosen winner: the user typed no result at all (a draw is typed
// as one, "0" to "0").
bool NothingTyped(const TypedResult& result);

// The first problem of the result as a German message, or the empty text. The score texts come
// back in their stored form, and sets and balls not typed are taken from the set results. Points
// the group awards are left out: they are not the user's to type.
std::string CheckResult(TypedResult& result, const ScoreRules& rules, const PointsAward& award = {});
// The points the group awards for the outcome (ahead > 0: the first participant won, < 0 the
// second, 0 a draw) put into the scores; nothing changes when it awards none.
void AwardPoints(std::array<Score, 6>& scores, int ahead, const PointsAward& award);
// The score that decides the game, the first pair not level, as "Tore 2:1"; empty when level.
std::string DecidingScore(const std::array<Score, 6>& scores, const ScoreRules& rules);
// How the award gives points, as "3 pro Sieg, 1 pro Unentschieden".
std::string AwardText(const PointsAward& award);
// Whether a winner (1 the first participant, -1 the second, 0 a draw) fits the scores: the side
// they put ahead, or any side when they are level, where a chosen winner decides the game.
bool WinnerFitsScores(const std::array<Score, 6>& scores, int side);

// What set results such as "25:20, 18:25, 15:10" add up to: the sets each side won and the balls
// each side scored.
struct SetTotals {
    int setsFirst = 0, setsSecond = 0;
    double ballsFirst = 0, ballsSecond = 0;
};
// The totals of set results; the problem as a German message, or the empty text.
std::string ReadSetResults(const std::string& text, SetTotals& totals);
// The sets and the balls a result leaves out (a pair empty on both sides) are those its set
// results add up to. False, and nothing taken, when the set results cannot be read.
bool TakeFromSetResults(std::array<Score, 6>& scores, const std::string& setResults);

// > 0 when the first participant is ahead by points, then sets, then balls; < 0 the second.
int AheadByScores(const std::array<Score, 6>& scores);

// A game has at most this many sets.
inline constexpr int kMaxSaetze = 7;
// No score of a game goes beyond this.
inline constexpr double kMaxErgebnis = 99999;

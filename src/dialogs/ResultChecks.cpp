#include "dialogs/ResultChecks.h"

#include <cmath>

#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/MainForm.h"

namespace {

// The sports played in sets, with the longest best-of a game of theirs is played over.
struct SetSport {
    const char* name;
    int bestOf;
};
constexpr SetSport kSetSports[] = {{"Volleyball", 5}, {"Tennis", 5}, {"Badminton", 3}, {"Tischtennis", 7}};

const char* const kPlainScoreLabels[] = {"Punkte1", "Punkte2", "Sätze1", "Sätze2", "Bälle1", "Bälle2"};

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Pair(double first, double second) { return FloatToStr(first) + ":" + FloatToStr(second); }

// The first problem with a score, or the empty text; a valid score gets its stored text.
std::string CheckScore(Score& score, bool whole) {
    score.text = Trim(score.text);
    if (score.text.empty()) return {};
    std::string decimal = score.text;
    for (char& c : decimal)
        if (c == '.') c = ',';
    if (decimal.find_first_of("eE") != std::string::npos || !TryTextToDouble(decimal, score.value))
        return "Bitte bei \"" + score.label + "\" eine Zahl eingeben";
    if (score.value < 0) return "\"" + score.label + "\" darf nicht negativ sein";
    if (score.value > kMaxErgebnis) return "\"" + score.label + "\" darf höchstens " + FloatToStr(kMaxErgebnis) + " sein";
    if (whole && score.value != std::floor(score.value))
        return "Bitte bei \"" + score.label + "\" eine ganze Zahl eingeben";
    score.text = FloatToStr(score.value);
    return {};
}

bool ReadWhole(const std::string& text, int& value) {
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    value = std::stoi(text);
    return true;
}

// One set "25:20" of the set results, the n-th; the problem or the empty text.
std::string AddSet(const std::string& set, int n, SetTotals& totals) {
    const size_t colon = set.find(':');
    int a = 0, b = 0;
    if (colon == std::string::npos || !ReadWhole(Trim(set.substr(0, colon)), a) ||
        !ReadWhole(Trim(set.substr(colon + 1)), b))
        return "Bitte die Satzergebnisse wie 25:20, 18:25, 15:10 eingeben";
    if (n > kMaxSaetze) return "Höchstens " + IntToStr(kMaxSaetze) + " Sätze pro Spiel";
    if (a == b) return "Satz " + IntToStr(n) + " (" + Trim(set) + ") hat keinen Sieger";
    (a > b ? totals.setsFirst : totals.setsSecond) += 1;
    totals.ballsFirst += a;
    totals.ballsSecond += b;
    return {};
}

bool Given(const Score& first, const Score& second) { return !first.text.empty() || !second.text.empty(); }

// A pair of scores left out takes the totals.
void TakeIfLeftOut(Score& first, Score& second, double firstTotal, double secondTotal) {
    if (Given(first, second)) return;
    first = {first.label, FloatToStr(firstTotal), firstTotal};
    second = {second.label, FloatToStr(secondTotal), secondTotal};
}

void TakeLeftOut(std::array<Score, 6>& s, const SetTotals& totals) {
    TakeIfLeftOut(s[2], s[3], totals.setsFirst, totals.setsSecond);
    TakeIfLeftOut(s[4], s[5], totals.ballsFirst, totals.ballsSecond);
}

// Sets and balls typed must be those of the set results; those not typed are taken from them.
std::string AgreeWithSetResults(std::array<Score, 6>& s, const std::string& setResults, const ScoreRules& rules) {
    SetTotals totals;
    if (std::string problem = ReadSetResults(setResults, totals); !problem.empty()) return problem;
    if (Given(s[2], s[3]) && (s[2].value != totals.setsFirst || s[3].value != totals.setsSecond))
        return "Die Sätze passen nicht zu den Satzergebnissen";
    if (Given(s[4], s[5]) && (s[4].value != totals.ballsFirst || s[5].value != totals.ballsSecond))
        return "Die " + rules.names[2] + " passen nicht zu den Satzergebnissen (zusammen " +
               Pair(totals.ballsFirst, totals.ballsSecond) + ")";
    TakeLeftOut(s, totals);
    return {};
}

// No side wins more sets than its sport's best-of lets it, and no game has more sets.
std::string SetsWithinBestOf(const std::array<Score, 6>& s, const ScoreRules& rules) {
    const double first = s[2].value, second = s[3].value;
    if (rules.bestOf > 0) {
        const int toWin = (rules.bestOf + 1) / 2;
        if (first > toWin || second > toWin || first + second > rules.bestOf)
            return rules.sport + " wird auf höchstens " + IntToStr(toWin) + " Gewinnsätze gespielt (höchstens " +
                   IntToStr(rules.bestOf) + " Sätze): " + Pair(first, second) + " Sätze sind nicht möglich";
    } else if (first + second > kMaxSaetze) {
        return "Höchstens " + IntToStr(kMaxSaetze) + " Sätze pro Spiel";
    }
    return {};
}

// A side that won every set also scored more balls.
std::string BallsFollowSweep(const std::array<Score, 6>& s, const ScoreRules& rules) {
    const int sweep = (s[2].value > 0 && s[3].value == 0) ? 1 : (s[3].value > 0 && s[2].value == 0) ? -1 : 0;
    if (sweep == 0 || !Given(s[4], s[5])) return {};
    const bool more = sweep > 0 ? s[4].value > s[5].value : s[5].value > s[4].value;
    if (more) return {};
    return Pair(s[2].value, s[3].value) + " " + rules.names[1] + ", aber " + Pair(s[4].value, s[5].value) + " " +
           rules.names[2] + ": wer alle Sätze gewinnt, hat auch mehr " + rules.names[2];
}

std::string SetProblem(TypedResult& result, const ScoreRules& rules) {
    std::array<Score, 6>& s = result.scores;
    if (!result.setResults.empty())
        if (std::string problem = AgreeWithSetResults(s, result.setResults, rules); !problem.empty()) return problem;
    if (!rules.setsCounted) return {};
    if (std::string problem = SetsWithinBestOf(s, rules); !problem.empty()) return problem;
    return BallsFollowSweep(s, rules);
}

// A chosen winner decides a level game; against a score that is not level it is a mistake.
std::string WinnerProblem(const TypedResult& result, const ScoreRules& rules) {
    const std::array<Score, 6>& s = result.scores;
    if (result.chosen == 0 || WinnerFitsScores(s, result.chosen)) return {};
    return "Der gewählte Sieger " + result.chosenName + " passt nicht zum Ergebnis " + DecidingScore(s, rules) +
           "; bitte den Sieger berichtigen oder \"automatisch\" wählen";
}

// The first pair of points, sets and balls that is not level: its index (0, 2 or 4), or -1.
int DecidingPair(const std::array<Score, 6>& s) {
    for (int i = 0; i < 6; i += 2)
        if (s[i].value != s[i + 1].value) return i;
    return -1;
}

}  // namespace

std::string ReadSetResults(const std::string& text, SetTotals& totals) {
    int n = 0;
    for (size_t start = 0; start <= text.size();) {
        size_t end = text.find_first_of(",;", start);
        if (end == std::string::npos) end = text.size();
        if (std::string problem = AddSet(text.substr(start, end - start), ++n, totals); !problem.empty())
            return problem;
        start = end + 1;
    }
    return {};
}

bool TakeFromSetResults(std::array<Score, 6>& scores, const std::string& setResults) {
    SetTotals totals;
    if (!ReadSetResults(setResults, totals).empty()) return false;
    TakeLeftOut(scores, totals);
    return true;
}

ScoreRules RulesOfTournament(const std::string& scoringKind, const std::array<std::string, 3>& names) {
    ScoreRules rules;
    rules.names = names;
    rules.wholePoints = scoringKind.rfind("Spiel auf ", 0) == 0;
    rules.setsCounted = names[1] == "Sätze";
    for (const SetSport& sport : kSetSports)
        if (scoringKind == sport.name) {
            rules.sport = sport.name;
            rules.bestOf = sport.bestOf;
        }
    return rules;
}

ScoreRules RulesOfTournament(const TMainForm& form) {
    return RulesOfTournament(Get(form.Turnier, Turnier_Sportart, 1, false),
                             {form.ScoreName(1), form.ScoreName(2), form.ScoreName(3)});
}

std::string ScoreLabel(const TMainForm* form, int k, int side) {
    return form ? form->ScoreName(k) + IntToStr(side) : kPlainScoreLabels[(k - 1) * 2 + side - 1];
}

PointsAward AwardOfGroup(const TMainForm& form, int g) {
    const TSortGrid& gruppe = form.Gruppe;
    return {!Get(gruppe, Gruppe_P1, g, true).empty(), ToDouble(Get(gruppe, Gruppe_P1, g, true)),
            ToDouble(Get(gruppe, Gruppe_P2, g, true)), ToDouble(Get(gruppe, Gruppe_P3, g, true)),
            ToDouble(Get(gruppe, Gruppe_P4, g, true))};
}

bool NothingTyped(const TypedResult& result) {
    for (const Score& score : result.scores)
        if (!Trim(score.text).empty()) return false;
    return Trim(result.setResults).empty() && result.chosen == 0;
}

std::string CheckResult(TypedResult& result, const ScoreRules& rules, const PointsAward& award) {
    if (award.Awarded()) result.scores[0].text = result.scores[1].text = "";
    for (int i = 0; i < 6; ++i)
        if (std::string problem = CheckScore(result.scores[i], i >= 2 || rules.wholePoints); !problem.empty())
            return problem;
    result.setResults = Trim(result.setResults);
    if (std::string problem = SetProblem(result, rules); !problem.empty()) return problem;
    return WinnerProblem(result, rules);
}

void AwardPoints(std::array<Score, 6>& s, int ahead, const PointsAward& award) {
    double first = 0, second = 0;
    if (award.perResult) {
        first = ahead > 0 ? award.win : ahead < 0 ? 0 : award.draw;
        second = ahead < 0 ? award.win : ahead > 0 ? 0 : award.draw;
    } else if (award.perSet > 0) {
        const bool levelBalls = s[4].value + s[5].value > 0 && s[4].value == s[5].value;
        first = s[2].value * award.perSet + (levelBalls ? award.levelBalls : 0);
        second = s[3].value * award.perSet + (levelBalls ? award.levelBalls : 0);
    } else {
        return;
    }
    s[0] = {s[0].label, FloatToStr(first), first};
    s[1] = {s[1].label, FloatToStr(second), second};
}

std::string DecidingScore(const std::array<Score, 6>& s, const ScoreRules& rules) {
    const int i = DecidingPair(s);
    if (i < 0) return {};
    return rules.names[static_cast<size_t>(i / 2)] + " " + Pair(s[i].value, s[i + 1].value);
}

std::string AwardText(const PointsAward& award) {
    if (award.perResult) return FloatToStr(award.win) + " pro Sieg, " + FloatToStr(award.draw) + " pro Unentschieden";
    return FloatToStr(award.perSet) + " pro Satz, " + FloatToStr(award.levelBalls) + " bei Ballgleichstand";
}

bool WinnerFitsScores(const std::array<Score, 6>& scores, int side) {
    const int ahead = AheadByScores(scores);
    return ahead == 0 || ahead == side;
}

int AheadByScores(const std::array<Score, 6>& scores) {
    const int i = DecidingPair(scores);
    if (i < 0) return 0;
    return scores[i].value > scores[i + 1].value ? 1 : -1;
}

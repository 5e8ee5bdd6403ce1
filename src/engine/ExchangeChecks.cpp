#include "engine/ExchangeChecks.h"

#include <array>

#include "dialogs/ResultChecks.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/MainForm.h"
#include "foundation/TeilnehmerName.h"

namespace {

// Where the block holds the values, the set results and the winner.
constexpr size_t kFirstValue = 3, kSetResults = 9, kWinner = 10;
// What the result dialog stores for a game not scored ("Kein Ergebnis") in place of set results.
constexpr const char* kKeineWertung = "NULL";

bool Blank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

std::string Pair(const std::string& first, const std::string& second) { return first + " - " + second; }

// A game not scored has no values and counts as a draw, as the dialog stores it.
std::string NotScoredProblem(ExchangeBlock& block) {
    for (size_t i = kFirstValue; i < kSetResults; ++i) {
        if (!Blank(block[i])) return "ein nicht gewertetes Spiel („Kein Ergebnis“) hat keine Werte";
        block[i].clear();
    }
    if (block[kWinner] != "0") return "ein nicht gewertetes Spiel („Kein Ergebnis“) hat keinen Sieger";
    return {};
}

// The winner's side: 1 the first participant, -1 the second, 0 a draw.
int WinnerSide(const ExchangeBlock& block) {
    if (block[kWinner] == block[1]) return 1;
    return block[kWinner] == block[2] ? -1 : 0;
}

std::string WinnerProblem(const TMainForm& f, const ExchangeBlock& block, const TypedResult& typed,
                          const ScoreRules& rules) {
    const int side = WinnerSide(block);
    if (WinnerFitsScores(typed.scores, side)) return {};
    const std::string score = DecidingScore(typed.scores, rules);
    if (side == 0) return "ein Unentschieden passt nicht zum Ergebnis " + score;
    return "der Sieger " + TeilnehmerName(f, ToInt(block[kWinner])) + " passt nicht zum Ergebnis " + score;
}

}  // namespace

std::string ErgebnisPruefen(const TMainForm& f, ExchangeBlock& block) {
    if (block[kSetResults] == kKeineWertung) return NotScoredProblem(block);
    if (block[kWinner].empty()) return "der Sieger fehlt";
    const int row = FindRow(f.Spielplan, Spielplan_SpNr, IntToStr(ToInt(block[0])));
    const int g = row >= 1 ? IntGet(f.Spielplan, Spielplan_GrNr, row, true) : 0;
    const PointsAward award = g >= 1 && g < f.Gruppe.RowCount() ? AwardOfGroup(f, g) : PointsAward{};
    const ScoreRules rules = RulesOfTournament(f);
    TypedResult typed;
    for (int i = 0; i < 6; ++i)
        typed.scores[static_cast<size_t>(i)] = {ScoreLabel(&f, i / 2 + 1, i % 2 + 1), block[kFirstValue + static_cast<size_t>(i)]};
    typed.setResults = block[kSetResults];
    // Points the group awards are not the user's to type: the dialog gives them from the outcome,
    // by this copy's scoring, whatever the file says.
    if (std::string problem = CheckResult(typed, rules, award); !problem.empty()) return problem;
    if (std::string problem = WinnerProblem(f, block, typed, rules); !problem.empty()) return problem;
    AwardPoints(typed.scores, WinnerSide(block), award);
    for (size_t i = 0; i < 6; ++i) block[kFirstValue + i] = typed.scores[i].text;
    block[kSetResults] = typed.setResults;
    return {};
}

std::string AndereTeilnehmer(const TMainForm& f, int row, const ParticipantNames& inFile) {
    const std::string first = TeilnehmerName(f, IntGet(f.Spielplan, Spielplan_T1, row, true));
    const std::string second = TeilnehmerName(f, IntGet(f.Spielplan, Spielplan_T2, row, true));
    if (first == inFile[0] && second == inFile[1]) return {};
    return "die Datei nennt " + Pair(inFile[0], inFile[1]) + ", hier spielen " + Pair(first, second);
}

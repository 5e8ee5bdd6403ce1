#include "engine/SchweizRunde.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "engine/CellNumbers.h"
#include "engine/Tschweiz.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/MessageBoxes.h"

namespace {

// A player's Swiss key: the first participant number that carries the player's name, the same in
// every round.
class SwissKeys {
public:
    explicit SwissKeys(const TListBox& names) : names_(names) {
        for (int i = names.Items.Count() - 1; i >= 0; --i) first_[names.Items[i]] = i;
    }
    std::string Of(int team) const {
        const std::string name = team >= 0 && team < names_.Items.Count() ? names_.Items[team] : std::string();
        const auto found = first_.find(name);
        return IntToStr(found == first_.end() ? -1 : found->second);
    }

private:
    const TListBox& names_;
    std::unordered_map<std::string, int> first_;
};

// The players of a path "|a[%%]b|c[%%]d|" in order: a, b, c, d.
std::vector<std::string> PlayersOfPath(std::string path) {
    std::vector<std::string> players;
    path.erase(0, 1);
    for (size_t bar; (bar = path.find('|')) != std::string::npos; path.erase(0, bar + 1)) {
        const size_t mark = path.find('[');
        if (mark == std::string::npos) continue;
        players.push_back(path.substr(0, mark));
        players.push_back(mark + 4 <= bar ? path.substr(mark + 4, bar - mark - 4) : std::string());
    }
    return players;
}

// The slots of the next round, from the last row up, take the players pair by pair.
void AssignSlots(TMainForm& form, int next, const std::vector<std::string>& players) {
    TSortGrid& teams = form.Teams;
    size_t k = 0;
    for (int row = teams.RowCount() - 1; row >= 2; --row) {
        if (CellInt(teams, Teams_InGr, row) != next) continue;
        const std::string name = k < players.size() ? ListGet(form.XATeamsTur, ToInt(players[k])) : std::string();
        ++k;
        Put(teams, Teams_Name_Tur, row, name, true);
        if (const int number = CellInt(teams, Teams_Nr, row); number != 0) ListPut(form.XATeamsTur, number, name);
    }
}

}  // namespace

void auswertSchweiz(TMainForm& form, int g, bool automatic) {
    if (Get(form.Gruppe, Gruppe_Bez, g + 1, true).empty()) return;
    Log("[F] auswertSchweiz(" + IntToStr(g) + "): Gruppenende Schweiz");
    TSchweiz schweiz(IntGet(form.Turnier, Turnier_Runden, 1, true), &form.Memo1);
    const SwissKeys keys(form.XATeamsTur);

    TStringList played, standings;
    const TSortGrid& plan = form.Spielplan;
    for (int r = 1; r < plan.RowCount(); ++r)
        if (!plan.Cells(Spielplan_Sieger, r).empty())
            played.Add(keys.Of(CellInt(plan, Spielplan_T1, r)) + "[%%]" + keys.Of(CellInt(plan, Spielplan_T2, r)));
    const TSortGrid& platz = form.Platz;
    for (int p = 1; p < platz.RowCount(); ++p)
        if (CellInt(platz, Platz_GrNr, p) == g) standings.Add(keys.Of(CellInt(platz, Platz_TeamNr, p)));

    const std::string result = schweiz.PairRound(g + 1, standings, played);
    if (result != "ERROR") {
        AssignSlots(form, g + 1, PlayersOfPath(result));
    } else if (!automatic) {
        ShowMsg(3, " Keine Spielpaarungen mehr moeglich!! ");
    }
}

#include "engine/SchweizRunde.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/CellNumbers.h"
#include "engine/TextNumbers.h"
#include "engine/Tschweiz.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/MessageBoxes.h"

namespace {

// A player's Swiss key: the first participant number that carries the player's name, the same in
// every round. Found in one pass over the names for the participants asked about only. The names
// are about as many as the round's players, as every round the same players meet.
class SwissKeys {
public:
    SwissKeys(const TListBox& names, const std::vector<int>& teams, size_t players) : names_(names.Items) {
        constexpr int kNotAsked = -1;
        nameOfSlot_.assign(static_cast<size_t>(names_.Count()) + 1, kNotAsked);
        TextNumbers nameNumbers(players);
        for (int team : teams)
            if (int& name = nameOfSlot_[Slot(team)]; name == kNotAsked) {
                name = nameNumbers.Number(NameOf(team));
                if (static_cast<size_t>(name) == first_.size()) first_.push_back(-1);
            }
        size_t open = first_.size();
        for (int i = 0; i < names_.Count() && open > 0; ++i)
            if (const int found = nameNumbers.Find(names_[i]); found != TextNumbers::kNone) {
                int& first = first_[static_cast<size_t>(found)];
                if (first >= 0) continue;
                first = i;
                --open;
            }
    }
    int Of(int team) const { return first_[static_cast<size_t>(nameOfSlot_[Slot(team)])]; }

private:
    const TStrings& names_;
    std::vector<int> nameOfSlot_;  // by participant number, the last for a number without a name entry
    std::vector<int> first_;       // by name: the first participant number that carries it, or -1

    bool Named(int team) const { return team >= 0 && team < names_.Count(); }
    std::string_view NameOf(int team) const { return Named(team) ? std::string_view(names_[team]) : std::string_view(); }
    size_t Slot(int team) const { return static_cast<size_t>(Named(team) ? team : names_.Count()); }
};

// The participant numbers of the players of a path "|a[%%]b|c[%%]d|" in order: a, b, c, d.
std::vector<int> PlayersOfPath(std::string_view path) {
    std::vector<int> players;
    size_t start = 1;
    for (size_t bar; (bar = path.find('|', start)) != std::string_view::npos; start = bar + 1) {
        const std::string_view pair = path.substr(start, bar - start);
        const size_t mark = pair.find('[');
        if (mark == std::string_view::npos) continue;
        players.push_back(ToInt(pair.substr(0, mark)));
        players.push_back(ToInt(mark + 4 <= pair.size() ? pair.substr(mark + 4) : std::string_view()));
    }
    return players;
}

// The slots of the next round, from the last row up, take the players pair by pair.
void AssignSlots(TMainForm& form, int next, const std::vector<int>& players) {
    TSortGrid& teams = form.Teams;
    // Copied: writing the names may look up the table again.
    const std::vector<int> slots = RowsWithNumber(teams, Teams_InGr, next);
    size_t k = 0;
    for (auto row = slots.rbegin(); row != slots.rend() && *row >= 2; ++row) {
        const std::string name = k < players.size() ? ListGet(form.XATeamsTur, players[k]) : std::string();
        ++k;
        Put(teams, Teams_Name_Tur, *row, name, true);
        if (const int number = CellInt(teams, Teams_Nr, *row); number != 0) ListPut(form.XATeamsTur, number, name);
    }
}

}  // namespace

void auswertSchweiz(TMainForm& form, int g, bool automatic) {
    if (Get(form.Gruppe, Gruppe_Bez, g + 1, true).empty()) return;
    Log("[F] auswertSchweiz(" + IntToStr(g) + "): Gruppenende Schweiz");
    TSchweiz schweiz(IntGet(form.Turnier, Turnier_Runden, 1, true), &form.Memo1);

    std::vector<int> teams;  // the two of every decided game, then those of g's standings rows
    const TSortGrid& plan = form.Spielplan;
    const TSortGrid& platz = form.Platz;
    const std::vector<int>& standingsRows = RowsWithNumber(platz, Platz_GrNr, g);
    teams.reserve(2 * static_cast<size_t>(plan.RowCount()) + standingsRows.size());
    for (int r = 1; r < plan.RowCount(); ++r)
        if (!plan.Cells(Spielplan_Sieger, r).empty()) {
            teams.push_back(CellInt(plan, Spielplan_T1, r));
            teams.push_back(CellInt(plan, Spielplan_T2, r));
        }
    const size_t games = teams.size() / 2;
    for (int p : standingsRows) teams.push_back(CellInt(platz, Platz_TeamNr, p));
    const SwissKeys keys(form.XATeamsTur, teams, standingsRows.size());

    std::vector<std::pair<int, int>> played;
    played.reserve(games);
    for (size_t i = 0; i < games; ++i) played.emplace_back(keys.Of(teams[2 * i]), keys.Of(teams[2 * i + 1]));
    std::vector<int> standings;
    standings.reserve(teams.size() - 2 * games);
    for (size_t i = 2 * games; i < teams.size(); ++i) standings.push_back(keys.Of(teams[i]));

    const std::string result = schweiz.PairRound(g + 1, standings, played);
    if (result != "ERROR") {
        AssignSlots(form, g + 1, PlayersOfPath(result));
    } else if (!automatic) {
        ShowMsg(3, " Keine Spielpaarungen mehr moeglich!! ");
    }
}

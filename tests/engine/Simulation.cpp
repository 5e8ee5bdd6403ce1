#include "Simulation.h"

#include <algorithm>

#include "engine/Platzhalter.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/MainForm.h"
#include "foundation/Notation.h"
#include "platform/Strings.h"

Simulation::Simulation(const TMainForm& form) : form_(form) {
    for (int row = 1; row < form.Gruppe.RowCount(); ++row)
        if (!Get(form.Gruppe, Gruppe_Nr, row, true).empty()) PlayGroup(row);
}

int Simulation::Resolve(const std::string& item, const std::string& where) {
    const ParticipantCode code = ReadParticipantCode(item);
    switch (code.kind) {
        case CodeKind::Team: return code.number;
        case CodeKind::Winner:
        case CodeKind::Loser: {
            const auto it = gameResult_.find(code.number);
            if (it != gameResult_.end()) return code.kind == CodeKind::Winner ? it->second.first : it->second.second;
            break;
        }
        case CodeKind::Place: {
            const auto it = standings_.find(UpperAscii(code.groups[0]));
            if (it != standings_.end() && code.number <= static_cast<int>(it->second.size()))
                return it->second[static_cast<size_t>(code.number - 1)];
            break;
        }
        case CodeKind::BestOf: {
            std::vector<int> ranked;
            for (const std::string& id : code.groups) {
                const auto it = standings_.find(UpperAscii(id));
                if (it != standings_.end() && code.rank <= static_cast<int>(it->second.size()))
                    ranked.push_back(it->second[static_cast<size_t>(code.rank - 1)]);
            }
            std::sort(ranked.begin(), ranked.end());
            if (code.number <= static_cast<int>(ranked.size())) return ranked[static_cast<size_t>(code.number - 1)];
            break;
        }
        default: break;
    }
    problems_.push_back(where + ": \"" + item + "\" ergibt keine Mannschaft");
    return 0;
}

void Simulation::PlayGroup(int groupRow) {
    const TSortGrid& gruppe = form_.Gruppe;
    const int group = IntGet(gruppe, Gruppe_Nr, groupRow, true);
    const std::string id = Get(gruppe, Gruppe_Bez, groupRow, true);
    const std::vector<std::string> codes = SplitItems(Get(gruppe, Gruppe_Teams, groupRow, true));
    std::vector<int> members;
    const TSortGrid& teams = form_.Teams;
    for (int row = 1; row < teams.RowCount(); ++row)
        if (IntGet(teams, Teams_InGr, row, true) == group) members.push_back(row);
    if (members.size() != codes.size()) problems_.push_back("Gruppe " + id + ": Plätze und Codes verschieden");
    std::map<int, int> wins;
    for (size_t i = 0; i < members.size() && i < codes.size(); ++i) {
        slotTeam_[members[i]] = Resolve(codes[i], "Gruppe " + id);
        wins[slotTeam_[members[i]]] += 0;
    }
    const TSortGrid& plan = form_.Spielplan;
    for (int row = 1; row < plan.RowCount(); ++row) {
        if (IntGet(plan, Spielplan_GrNr, row, true) != group) continue;
        const int a = slotTeam_[IntGet(plan, Spielplan_T1, row, true)];
        const int b = slotTeam_[IntGet(plan, Spielplan_T2, row, true)];
        if (a < 1 || b < 1 || a == b) problems_.push_back("Spiel " + Get(plan, Spielplan_SpNr, row, true) + " ohne zwei Mannschaften");
        const int winner = std::min(a, b), loser = std::max(a, b);
        gameResult_[IntGet(plan, Spielplan_SpNr, row, true)] = {winner, loser};
        ++wins[winner];
    }
    std::vector<int> order;
    for (const auto& [team, count] : wins) order.push_back(team);
    std::stable_sort(order.begin(), order.end(), [&](int x, int y) { return wins[x] > wins[y]; });
    standings_[UpperAscii(id)] = order;
}

int Simulation::TeamOfSlot(int row) const {
    const auto it = slotTeam_.find(row);
    return it == slotTeam_.end() ? 0 : it->second;
}

std::vector<int> Simulation::Placing() {
    std::vector<int> places;
    const TSortGrid& teams = form_.Teams;
    for (int row = 1; row < teams.RowCount(); ++row)
        if (IntGet(teams, Teams_Platz, row, true) > 0)
            places.push_back(Resolve(GetPlatzhalter(form_, row, true), "Endplatzierung"));
    return places;
}

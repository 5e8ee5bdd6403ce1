#include "engine/Wertungsregeln.h"

#include <map>
#include <set>

#include "engine/Konflikt.h"
#include "engine/Platzierung.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/MainForm.h"

namespace {

// The participants of every group in the order of its standings.
std::map<int, std::vector<int>> StandingsOrder(const TMainForm& form) {
    std::map<int, std::vector<int>> order;
    const TSortGrid& platz = form.Platz;
    for (int r = 1; r < platz.RowCount(); ++r)
        if (const int g = IntGet(platz, Platz_GrNr, r, true); g >= 1) order[g].push_back(IntGet(platz, Platz_TeamNr, r, true));
    return order;
}

bool IsDone(const TMainForm& form, int g) { return Get(form.Gruppe, Gruppe_State, g, true) == "Done"; }

// Finished groups whose order no later result uses yet: they take the new rules, and their
// placeholders follow. A "Closed" group keeps its order, as the participants it gave keep
// their places.
std::set<int> DoneGroups(const TMainForm& form) {
    std::set<int> done;
    for (int g = 1; g < form.Gruppe.RowCount(); ++g)
        if (IsDone(form, g)) done.insert(g);
    return done;
}

}  // namespace

std::vector<int> tabellenNeuOrdnen(TMainForm& form) {
    const std::map<int, std::vector<int>> before = StandingsOrder(form);
    StandingsRanking ranking(form);
    ranking.RankAnew(DoneGroups(form));
    ranking.Rank(0, false, {});
    std::vector<int> reordered;
    for (const auto& [g, teams] : StandingsOrder(form)) {
        const auto was = before.find(g);
        if (was == before.end() || was->second != teams) reordered.push_back(g);
    }
    for (int g : reordered)
        if (IsDone(form, g)) gruppeAbschliessen(form, g, 0, Konfliktdialog::Keiner, ranking);
    teilnehmerNamenZeigen(form, ranking);
    ranking.Finish();
    return reordered;
}

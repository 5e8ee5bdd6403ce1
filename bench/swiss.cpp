// Whole Swiss tournaments played through result processing with made-up results: 64 players over
// 9 rounds, 200 over 11, 500 over 12 and 1,000 over 13. Each round's last result pairs the next round. The time per
// round is the time of a whole tournament divided by its rounds.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "BenchForm.h"
#include "engine/SpielplanKlick.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/MainForm.h"
#include "platform/Random.h"

namespace {

int NewRow(TSortGrid& grid, int table) {
    const int row = Get(grid, 0, 1, false).empty() ? 1 : grid.RowCount();
    if (grid.RowCount() <= row) grid.SetRowCount(row + 1);
    Put(grid, 0, row, "1", false);
    Put(grid, 1, row, table, false);
    return row;
}

// One group per round ("R" + r, paired in list order); the slots of a later round wait for the
// places of the round before, as the Swiss tournament form lays them out.
std::unique_ptr<BenchForm> SwissTournament(int players, int rounds) {
    auto form = std::make_unique<BenchForm>();
    TMainForm& f = *form;
    f.AktTurNr = 1;
    f.Wertung1 = "Punkte";
    NewRow(f.Turnier, 1);
    Put(f.Turnier, Turnier_System, 1, "Schweiz", false);
    Put(f.Turnier, Turnier_Runden, 1, rounds, false);
    f.XAGruppBez.Items.Add("");
    f.XATeams.Items.Add("Neutrales Schiedsgericht");
    f.XATeamsTur.Items.Add("Neutrales Schiedsgericht");
    int game = 0;
    for (int r = 1; r <= rounds; ++r) {
        const int g = NewRow(f.Gruppe, 2);
        Put(f.Gruppe, Gruppe_Nr, g, g, false);
        Put(f.Gruppe, Gruppe_Bez, g, "R" + IntToStr(r), false);
        Put(f.Gruppe, Gruppe_System, g, "SV", false);
        Put(f.Gruppe, Gruppe_AnzTeams, g, players, false);
        Put(f.Gruppe, Gruppe_RNr, g, r, false);
        Put(f.Gruppe, Gruppe_State, g, r == 1 ? "None" : "", false);
        f.XAGruppBez.Items.Add("R" + IntToStr(r));
        int first = 0;
        for (int i = 1; i <= players; ++i) {
            const int t = NewRow(f.Teams, 3);
            if (i == 1) first = t;
            const std::string name = r == 1 ? "Spieler " + IntToStr(i) : IntToStr(i) + ". Gruppe R" + IntToStr(r - 1);
            Put(f.Teams, Teams_Nr, t, t, false);
            Put(f.Teams, Teams_InGr, t, g, false);
            Put(f.Teams, Teams_Name, t, name, false);
            if (r > 1) {
                Put(f.Teams, Teams_Pos, t, i, false);
                Put(f.Teams, Teams_GrNr, t, g - 1, false);
            }
            f.XATeams.Items.Add(name);
            f.XATeamsTur.Items.Add(r == 1 ? name : "");
            const int p = NewRow(f.Platz, 5);
            Put(f.Platz, Platz_TeamNr, p, t, false);
            Put(f.Platz, Platz_GrNr, p, g, false);
            Put(f.Platz, Platz_Team, p, name, false);
            // As a round is laid out, every total starts at 0.
            for (int column = Platz_AnzSpiele; column <= Platz_MBall; ++column) Put(f.Platz, column, p, "0", false);
        }
        for (int i = 0; i + 1 < players; i += 2) {
            const int row = NewRow(f.Spielplan, 4);
            Put(f.Spielplan, Spielplan_SpNr, row, ++game, false);
            Put(f.Spielplan, Spielplan_GrNr, row, g, false);
            Put(f.Spielplan, Spielplan_T1, row, first + i, false);
            Put(f.Spielplan, Spielplan_T2, row, first + i + 1, false);
        }
    }
    return form;
}

void BM_SwissTournament(benchmark::State& state) {
    const int players = static_cast<int>(state.range(0)), rounds = static_cast<int>(state.range(1));
    const int games = players / 2 * rounds;
    prng::Seed(4711);
    double milliseconds = 0;
    for (auto _ : state) {
        std::unique_ptr<BenchForm> form = SwissTournament(players, rounds);
        const auto start = std::chrono::steady_clock::now();
        for (int game = 1; game <= games; ++game) doSpielplanKlick(*form, nullptr, game, true, false);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        milliseconds += elapsed.count() * 1000;
        // Every round was paired: the last round's slots all have their players.
        for (int t = form->XATeamsTur.Items.Count() - players; t < form->XATeamsTur.Items.Count(); ++t)
            if (form->XATeamsTur.Items[t].empty()) state.SkipWithError("a round was not paired");
    }
    state.counters["ms_pro_Runde"] = milliseconds / rounds / static_cast<double>(state.iterations());
}

}  // namespace

BENCHMARK(BM_SwissTournament)->Args({64, 9})->Args({200, 11})->Args({500, 12})->Args({1000, 13})->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

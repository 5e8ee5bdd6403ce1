// Generating and laying out one round: a single round robin of 64 and of 200 participants on 8
// and 10 fields, and 50 groups of 4 on 10 fields. Items are games.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/RundenSpiele.h"
#include "engine/Spielzeiten.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "mainwindow/main.h"

namespace {

void AddRow(TSortGrid& grid, int row) {
    if (grid.RowCount() <= row) grid.SetRowCount(row + 1);
    Put(grid, 0, row, "1", true);
}

// A round of `groups` round-robin groups of `size` participants each.
void FillRound(TForm1& form, int groups, int size, int fields) {
    ClearGrid(form.Gruppe);
    ClearGrid(form.Teams);
    int teamRow = 0;
    for (int g = 1; g <= groups; ++g) {
        AddRow(form.Gruppe, g);
        Put(form.Gruppe, Gruppe_Nr, g, g, true);
        Put(form.Gruppe, Gruppe_System, g, "JGJ", true);
        Put(form.Gruppe, Gruppe_AnzTeams, g, size, true);
        Put(form.Gruppe, Gruppe_Startzeit, g, "09:00", true);
        Put(form.Gruppe, Gruppe_Spielzeit, g, 15, true);
        Put(form.Gruppe, Gruppe_Pause, g, 3, true);
        Put(form.Gruppe, Gruppe_Spieltag, g, 1, true);
        for (int t = 0; t < size; ++t) {
            AddRow(form.Teams, ++teamRow);
            Put(form.Teams, Teams_Nr, teamRow, teamRow, true);
            Put(form.Teams, Teams_InGr, teamRow, g, true);
        }
    }
    parseFeldListe(form, "1-" + std::to_string(fields));
}

void GenerateRound(benchmark::State& state, int groups, int size, int fields) {
    TForm1 form;
    form.AktTurNr = 1;
    form.XZeitSpiele.SetChecked(true);
    FillRound(form, groups, size, fields);
    int games = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ClearGrid(form.Spielplan);
        state.ResumeTiming();
        Do_RundenSpiele(form, 1, groups);
        games = form.Spielplan.RowCount() - 1;
    }
    state.counters["Spiele"] = games;
    state.SetItemsProcessed(state.iterations() * games);
}

// The packing alone, on the plain order of a round robin without a pairing block.
void PackOnly(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::vector<GroupPairs> groups(1);
    groups[0].group = 1;
    for (int i = 1; i < n; ++i)
        for (int j = i + 1; j <= n; ++j) groups[0].pairs.emplace_back(i, j);
    for (auto _ : state) benchmark::DoNotOptimize(PackSlots(groups, static_cast<int>(state.range(1))));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(groups[0].pairs.size()));
}

}  // namespace

BENCHMARK_CAPTURE(GenerateRound, JGJ_64_auf_8_Feldern, 1, 64, 8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GenerateRound, JGJ_200_auf_10_Feldern, 1, 200, 10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GenerateRound, 50_Gruppen_zu_4_auf_10_Feldern, 50, 4, 10)->Unit(benchmark::kMillisecond);
BENCHMARK(PackOnly)->Args({64, 8})->Args({200, 10})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

// One result entered in a tournament of groups of 8 (the first argument: the standings rows, from
// 104 in 13 groups to 10,000 in 1,250; 3.5 games a row, half of them played; the second: ranking by
// head-to-head): the ranking of the whole standings table alone, and the whole road of a result,
// imported (the row written first, as the import writes it) or made up.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "BenchForm.h"
#include "engine/Platzierung.h"
#include "engine/SpielplanKlick.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/MainForm.h"
#include "foundation/Settings.h"
#include "platform/Random.h"
#include "platform/UiHost.h"

namespace {

constexpr int kTeamsPerGroup = 8;

struct Tournament {
    BenchForm form;
    std::vector<int> openGames;  // games without a result, two per group at least
};

void Row(TSortGrid& grid, int row, int table) {
    if (grid.RowCount() <= row) grid.SetRowCount(row + 1);
    Put(grid, 0, row, "1", false);
    Put(grid, 1, row, table, false);
}

// Round robin of every group; the games of the first four rounds of pairs are played.
void Build(Tournament& t, const benchmark::State& state) {
    const int groups = static_cast<int>(state.range(0)) / kTeamsPerGroup;
    const bool headToHead = state.range(1) != 0;
    TMainForm& f = t.form;
    f.AktTurNr = 1;
    Row(f.Turnier, 1, 1);
    if (headToHead) SetSetting(f, "WertungDirektVergleich", "true");
    f.XAGruppBez.Items.Add("");
    f.XATeams.Items.Add("Neutrales Schiedsgericht");
    f.XATeamsTur.Items.Add("Neutrales Schiedsgericht");
    prng::Generator random(2026);
    std::vector<std::vector<double>> totals(static_cast<size_t>(groups * kTeamsPerGroup + 1), std::vector<double>(7, 0));
    int team = 0, game = 0;
    for (int g = 1; g <= groups; ++g) {
        Row(f.Gruppe, g, 2);
        Put(f.Gruppe, Gruppe_Nr, g, g, false);
        Put(f.Gruppe, Gruppe_Bez, g, "G" + IntToStr(g), false);
        Put(f.Gruppe, Gruppe_System, g, "JGJ", false);
        Put(f.Gruppe, Gruppe_AnzTeams, g, kTeamsPerGroup, false);
        Put(f.Gruppe, Gruppe_State, g, "Edit", false);
        f.XAGruppBez.Items.Add("G" + IntToStr(g));
        const int firstTeam = team + 1;
        for (int i = 0; i < kTeamsPerGroup; ++i) {
            ++team;
            Row(f.Teams, team, 3);
            Put(f.Teams, Teams_Nr, team, team, false);
            Put(f.Teams, Teams_InGr, team, g, false);
            f.XATeams.Items.Add("Team " + IntToStr(team));
            f.XATeamsTur.Items.Add("Team " + IntToStr(team));
        }
        int pair = 0;
        for (int x = firstTeam; x <= team; ++x)
            for (int y = x + 1; y <= team; ++y, ++pair) {
                ++game;
                Row(f.Spielplan, game, 4);
                Put(f.Spielplan, Spielplan_SpNr, game, game, false);
                Put(f.Spielplan, Spielplan_GrNr, game, g, false);
                Put(f.Spielplan, Spielplan_T1, game, x, false);
                Put(f.Spielplan, Spielplan_T2, game, y, false);
                if (pair % 2 == 1) {
                    t.openGames.push_back(game);
                    continue;
                }
                const int p = random.Next() % 4, m = random.Next() % 4;
                Put(f.Spielplan, Spielplan_PPkt, game, p, false);
                Put(f.Spielplan, Spielplan_MPkt, game, m, false);
                Put(f.Spielplan, Spielplan_Sieger, game, p > m ? x : p < m ? y : 0, false);
                totals[static_cast<size_t>(x)][0] += 1;
                totals[static_cast<size_t>(y)][0] += 1;
                totals[static_cast<size_t>(x)][1] += p;
                totals[static_cast<size_t>(x)][2] += m;
                totals[static_cast<size_t>(y)][1] += m;
                totals[static_cast<size_t>(y)][2] += p;
            }
    }
    for (int i = 1; i <= team; ++i) {
        Row(f.Platz, i, 5);
        Put(f.Platz, Platz_TeamNr, i, i, false);
        Put(f.Platz, Platz_GrNr, i, (i - 1) / kTeamsPerGroup + 1, false);
        Put(f.Platz, Platz_Team, i, "Team " + IntToStr(i), false);
        const int columns[] = {Platz_AnzSpiele, Platz_PPkt, Platz_MPkt};
        for (int c = 0; c < 3; ++c)
            Put(f.Platz, columns[c], i, FloatToStr(totals[static_cast<size_t>(i)][static_cast<size_t>(c)]), false);
    }
    updatePlatzierung(f, 0, false);
}

// A changed total moves its row; the ranking of all rows is measured.
void BM_RankingAfterOneResult(benchmark::State& state) {
    Tournament t;
    Build(t, state);
    TSortGrid& platz = t.form.Platz;
    int step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const int row = 1 + (step * 7919) % (platz.RowCount() - 1);
        const double delta = step % 2 ? -3 : 3;
        Put(platz, Platz_PPkt, row, FloatToStr(ToDouble(Get(platz, Platz_PPkt, row, false)) + delta), false);
        ++step;
        state.ResumeTiming();
        updatePlatzierung(t.form, 0, false);
    }
}

// The whole road of one result: stored, standings, states, ranking, later groups.
void BM_EnterOneResult(benchmark::State& state) {
    Tournament t;
    Build(t, state);
    TSortGrid& plan = t.form.Spielplan;
    size_t next = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // Every group keeps games without a winner, so no group is completed here.
        const int game = t.openGames[(next * 101) % t.openGames.size()];
        ++next;
        {
            // As the import writes a result before it is processed.
            const ResultBeingWritten writing(t.form);
            Put(plan, Spielplan_PPkt, game, "2", false);
            Put(plan, Spielplan_MPkt, game, "1", false);
        }
        state.ResumeTiming();
        doSpielplanKlick(t.form, nullptr, game, false, true);
    }
}

// The whole road of a made-up result, as the play-through enters one: nothing else changes the
// tables between results, so only the game's group is ranked. One game of every group stays
// without a result, so no group is completed.
void BM_PlayOneResult(benchmark::State& state) {
    Tournament t;
    Build(t, state);
    std::vector<int> games;
    const TSortGrid& plan = t.form.Spielplan;
    for (size_t i = 0; i + 1 < t.openGames.size(); ++i)
        if (Get(plan, Spielplan_GrNr, t.openGames[i], false) == Get(plan, Spielplan_GrNr, t.openGames[i + 1], false))
            games.push_back(t.openGames[i]);
    prng::Seed(4711);
    size_t next = 0;
    for (auto _ : state) {
        doSpielplanKlick(t.form, nullptr, games[(next * 101) % games.size()], true, false);
        ++next;
    }
}

}  // namespace

void Sizes(benchmark::internal::Benchmark* b) {
    for (int rows : {104, 1000, 2000, 10000})
        for (int headToHead : {0, 1}) b->Args({rows, headToHead});
    b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_RankingAfterOneResult)->Apply(Sizes);
BENCHMARK(BM_EnterOneResult)->Apply(Sizes);
BENCHMARK(BM_PlayOneResult)->Apply(Sizes);
BENCHMARK_MAIN();

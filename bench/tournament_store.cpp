// Open tournaments: switching between two large ones, closing one of many.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "BenchForm.h"
#include "engine/RundenSpiele.h"
#include "engine/TurnierWechsel.h"
#include "foundation/files/TournamentFile.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/TurnierStore.h"
#include "mainwindow/main.h"

namespace {

void UseBenchFolder() {
    static const bool done = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "bench-store-XXXXXX").string();
        setenv("MAROVELKA_HOME", mkdtemp(pattern.data()), 1);
        return true;
    }();
    (void)done;
}

int NextRow(TSortGrid& grid) {
    if (grid.Cells(0, 1).empty()) return 1;
    grid.SetRowCount(grid.RowCount() + 1);
    return grid.RowCount() - 1;
}

void PutRow(TMainForm& f, TSortGrid& grid, int kind, std::initializer_list<std::pair<int, std::string>> cells) {
    const int row = NextRow(grid);
    grid.SetCells(0, row, IntToStr(f.AktTurNr));
    grid.SetCells(1, row, IntToStr(kind));
    for (const auto& [column, text] : cells) grid.SetCells(column, row, text);
}

// A tournament of groups of eight that play every pair once, as many groups as the games need.
void OpenLargeTurnier(TMainForm& f, int games) {
    if (f.AktTurNr > 0) {
        TurToMaster(f, f.AktTurNr);
        ClearAll(f, false);
    }
    f.AktTurNr = ++f.AnzTurniere;
    PutRow(f, f.Turnier, TabelleTurnier,
           {{Turnier_Name, "Turnier " + IntToStr(f.AktTurNr)}, {Turnier_Bez, "T" + IntToStr(f.AktTurNr)},
            {Turnier_AnzMann, "800"}, {Turnier_Sportart, "Fussball"}, {Turnier_Datum, "06.12.2026"}});
    const int groups = (games + 27) / 28;
    int game = 0;
    for (int g = 1; g <= groups; ++g) {
        PutRow(f, f.Gruppe, TabelleGruppe,
               {{Gruppe_Nr, IntToStr(g)}, {Gruppe_Bez, "G" + IntToStr(g)}, {Gruppe_Name, "Gruppe " + IntToStr(g)},
                {Gruppe_Teams, "M1;M2;M3;M4;M5;M6;M7;M8"}, {Gruppe_Felder, "1-4"}, {Gruppe_State, "Edit"},
                {Gruppe_AnzTeams, "8"}, {Gruppe_System, "JGJ"}, {Gruppe_RNr, "1"}, {Gruppe_RundeName, "Vorrunde"}});
        for (int t = 1; t <= 8; ++t) {
            const std::string team = IntToStr((g - 1) * 8 + t);
            PutRow(f, f.Teams, TabelleTeams,
                   {{Teams_Nr, team}, {Teams_Name, "Mannschaft " + team}, {Teams_Name_Tur, "Verein Müller " + team},
                    {Teams_InGr, IntToStr(g)}});
            PutRow(f, f.Platz, TabellePlatz,
                   {{Platz_TeamNr, team}, {Platz_Platz, IntToStr(t)}, {Platz_GrNr, IntToStr(g)},
                    {Platz_Team, "Verein Müller " + team}, {Platz_AnzSpiele, "3"}, {Platz_PPkt, "7"}});
        }
        for (int a = 1; a <= 8 && game < games; ++a)
            for (int b = a + 1; b <= 8 && game < games; ++b) {
                ++game;
                PutRow(f, f.Spielplan, TabelleSpielplan,
                       {{Spielplan_Nr, IntToStr(game)}, {Spielplan_SpNr, IntToStr(game)}, {Spielplan_Tag, "1"},
                        {Spielplan_GrNr, IntToStr(g)}, {Spielplan_Feld, IntToStr(1 + game % 4)},
                        {Spielplan_Von, "10:00"}, {Spielplan_Bis, "10:20"},
                        {Spielplan_T1, IntToStr((g - 1) * 8 + a)}, {Spielplan_T2, IntToStr((g - 1) * 8 + b)},
                        {Spielplan_Schir, "0"}, {Spielplan_Spieltag, "06.12.2026"}, {Spielplan_PPkt, "2"},
                        {Spielplan_MPkt, "1"}, {Spielplan_Sieger, IntToStr((g - 1) * 8 + a)},
                        {Spielplan_RNr, "1"}});
            }
    }
    PutRow(f, f.Ein, TabelleEin, {{Ein_Name, "ZeitSpiele"}, {Ein_Wert, "true"}});
    f.XComboBox1.Items.Add(TurnierSelectorText(f.Turnier, 1));
    LoadTurSettings(f);
}

template <typename Form>
std::unique_ptr<Form> TwoLargeTournaments() {
    UseBenchFolder();
    auto form = std::make_unique<Form>();
    OpenLargeTurnier(*form, 2000);
    OpenLargeTurnier(*form, 2000);
    return form;
}

// The store's part of a switch (a window without views): pack, empty, unpack, lists, general values.
void SwitchBetweenTwoTournaments(benchmark::State& state) {
    auto form = TwoLargeTournaments<BenchForm>();
    int target = 1;
    for (auto _ : state) {
        form->XComboBox1.SetItemIndex(target - 1);
        turnierWechseln(*form);
        target = 3 - target;
    }
}

// The whole selector change in the window: the trees, whose selection redraws the plans, the
// placing grids and both plans again.
void SwitchBetweenTwoTournamentsWithPlans(benchmark::State& state) {
    auto form = TwoLargeTournaments<TForm1>();
    int target = 1;
    for (auto _ : state) {
        form->XComboBox1.SetItemIndex(target - 1);
        form->XComboBox1Change(&form->XComboBox1);
        target = 3 - target;
    }
}

// Closing the current tournament among 99 open ones of 200 games each: the others are renumbered
// and the one before becomes current.
void CloseOneOfNinetyNine(benchmark::State& state) {
    UseBenchFolder();
    auto form = std::make_unique<BenchForm>();
    for (int t = 0; t < 99; ++t) OpenLargeTurnier(*form, 200);
    for (auto _ : state) {
        state.PauseTiming();
        while (form->AnzTurniere < 99) OpenLargeTurnier(*form, 200);
        form->XComboBox1.SetItemIndex(49);
        turnierWechseln(*form);
        state.ResumeTiming();
        aktuellesTurnierEntfernen(*form);
    }
}

std::string SavedLargeTurnier(TMainForm& form, int games = 10000, const std::string& name = "gross.tur") {
    const std::string path = std::string(getenv("MAROVELKA_HOME")) + "/" + name;
    OpenLargeTurnier(form, games);
    Put(form.Turnier, Turnier_DateiNameS, 1, path, true);
    saveTurnier(form, false, false, false);
    return path;
}

// A tournament of 10,000 games written to its file (MB/s of file written).
void SaveTournamentOf10000Games(benchmark::State& state) {
    UseBenchFolder();
    auto form = std::make_unique<BenchForm>();
    const std::string path = SavedLargeTurnier(*form);
    for (auto _ : state) saveTurnier(*form, false, false, false);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(std::filesystem::file_size(path)));
}

// The same file read whole, checked and made current (MB/s of file read).
void LoadTournamentOf10000Games(benchmark::State& state) {
    UseBenchFolder();
    auto writer = std::make_unique<BenchForm>();
    const std::string path = SavedLargeTurnier(*writer);
    auto form = std::make_unique<BenchForm>();
    for (auto _ : state) {
        form->AnzTurniere = form->AktTurNr = 1;
        LoadFileToMaster(*form, path, 1, nullptr);
        TakeTurFromMaster(*form, 1);
        state.PauseTiming();
        ClearAll(*form, true);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(std::filesystem::file_size(path)));
}

// A tournament of as many participants as the first argument (groups of eight, every pair
// playing once) read whole and made current, with (second argument 1) and without (0) the check
// of its rows (TurnierRows.h), side by side: what the check costs of a load.
void LoadTournamentWithAndWithoutRowCheck(benchmark::State& state) {
    UseBenchFolder();
    const int teams = static_cast<int>(state.range(0));
    auto writer = std::make_unique<BenchForm>();
    const std::string path = SavedLargeTurnier(*writer, teams / 8 * 28, "teilnehmer" + IntToStr(teams) + ".tur");
    const TurnierLoadChecks checks{FewestGamesOfGroup, state.range(1) != 0};
    auto form = std::make_unique<BenchForm>();
    for (auto _ : state) {
        form->AnzTurniere = form->AktTurNr = 1;
        if (!LoadFileToMaster(*form, path, 1, nullptr, checks)) return state.SkipWithError("not loaded");
        TakeTurFromMaster(*form, 1);
        state.PauseTiming();
        ClearAll(*form, true);
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(LoadTournamentWithAndWithoutRowCheck)
    ->Args({256, 0})
    ->Args({256, 1})
    ->Args({1024, 0})
    ->Args({1024, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(SwitchBetweenTwoTournaments)->Unit(benchmark::kMillisecond);
BENCHMARK(SwitchBetweenTwoTournamentsWithPlans)->Unit(benchmark::kMillisecond);
BENCHMARK(CloseOneOfNinetyNine)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveTournamentOf10000Games)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadTournamentOf10000Games)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

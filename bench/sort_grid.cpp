// Sorting a data table of 10 columns by one column, numerically and alphabetically.
#include <benchmark/benchmark.h>

#include "foundation/SortGrid.h"
#include "platform/Random.h"

namespace {

void Fill(TSortGrid& grid, int rows) {
    prng::Generator random(12345);
    grid.SetColCount(10);
    grid.SetRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r)
        for (int c = 0; c < 10; ++c) grid.SetCells(c, r, std::to_string(random.Next() * 37 % 100000));
    for (int r = 1; r <= rows; ++r) grid.SetCells(1, r, "Team " + std::to_string(random.Next()));
}

void Sort(benchmark::State& state, TSortStyle style, int column) {
    TSortGrid grid;
    Fill(grid, static_cast<int>(state.range(0)));
    TSortOptions options;
    options.SortStyle = style;
    bool descending = false;
    for (auto _ : state) {
        // Alternate the direction so every run really reorders the rows.
        options.SortDirection = descending ? sdDescending : sdAscending;
        descending = !descending;
        grid.SortByColumn(column, options);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SortNumeric(benchmark::State& state) { Sort(state, ssNumeric, 0); }
void BM_SortAlphabetic(benchmark::State& state) { Sort(state, ssAlphabetic, 1); }
void BM_SortAutomatic(benchmark::State& state) { Sort(state, ssAutomatic, 0); }

}  // namespace

BENCHMARK(BM_SortNumeric)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortAlphabetic)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortAutomatic)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

// Pairing whole Swiss tournaments: 64 players over 9 rounds, 200 over 11, 500 over 12 and 1,000
// over 13, and 40 players over 39 rounds, where every round from the 20th on looks ahead to the
// last. Results are random (win, draw or loss); between rounds the standings are sorted by
// points, ties in random order. Only the pairing is timed; the log memo is filled as in the program.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "engine/Tschweiz.h"

namespace {

class Tournament {
public:
    explicit Tournament(int players) : points_(static_cast<size_t>(players), 0) {}

    TStringList Standings(std::mt19937& rng) const {
        std::vector<int> order(points_.size());
        std::iota(order.begin(), order.end(), 0);
        std::shuffle(order.begin(), order.end(), rng);
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return points_[size_t(a)] > points_[size_t(b)]; });
        TStringList standings;
        for (int i : order) standings.Add(std::to_string(i + 1));
        return standings;
    }

    // Takes the pairs of a path into the played list with a random result each.
    void Play(const std::string& path, std::mt19937& rng) {
        for (size_t start = 1, end; (end = path.find('|', start)) != std::string::npos; start = end + 1) {
            const std::string key = path.substr(start, end - start);
            const size_t mark = key.find("[%%]");
            const int a = std::stoi(key.substr(0, mark)) - 1, b = std::stoi(key.substr(mark + 4)) - 1;
            const int result = std::uniform_int_distribution<int>(0, 2)(rng);
            points_[size_t(a)] += 2 - result;
            points_[size_t(b)] += result;
            played.Add(key);
        }
    }

    TStringList played;

private:
    std::vector<int> points_;
};

void SwissTournament(benchmark::State& state, int players, int rounds) {
    std::mt19937 rng(17);
    int64_t paired = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Tournament tournament(players);
        TMemo memo;
        state.ResumeTiming();
        for (int round = 1; round <= rounds; ++round) {
            state.PauseTiming();
            const TStringList standings = tournament.Standings(rng);
            state.ResumeTiming();
            TSchweiz swiss(rounds, &memo);
            const std::string path = swiss.PairRound(round, standings, tournament.played);
            state.PauseTiming();
            if (path == "ERROR") {
                state.SkipWithError("no pairing");
                break;
            }
            tournament.Play(path, rng);
            memo.Lines.Clear();
            state.ResumeTiming();
            ++paired;
        }
    }
    state.SetItemsProcessed(paired);
    // Shown as a time: seconds per round.
    state.counters["je_Runde"] =
        benchmark::Counter(static_cast<double>(paired), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK_CAPTURE(SwissTournament, 64_Spieler_9_Runden, 64, 9)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SwissTournament, 200_Spieler_11_Runden, 200, 11)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SwissTournament, 500_Spieler_12_Runden, 500, 12)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SwissTournament, 1000_Spieler_13_Runden, 1000, 13)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SwissTournament, 40_Spieler_39_Runden, 40, 39)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

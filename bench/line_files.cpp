// Scrambling in memory and line files on disk, in MB/s of text (before scrambling).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "foundation/files/Dateihandling.h"
#include "foundation/files/Scrambling.h"
#include "foundation/files/TFile.h"

namespace {

constexpr size_t kFileBytes = 20u * 1024u * 1024u;

// A row of a tournament table: cells with CR LF after each, some umlauts.
std::string SampleRow(int n) {
    std::string row;
    for (int cell = 0; cell < 31; ++cell) row += "Zelle " + std::to_string(n + cell) + (cell % 7 ? "" : " Müller") + "\r\n";
    return row;
}

// Plain lines without line breaks for the key-shift scheme and the stream line file.
std::string SampleLine(int n) { return "Spiel " + std::to_string(n) + ";Müller;Schmidt;21:17;Feld 3;10:45;Gruppe A"; }

std::vector<std::string> Lines(bool rows, size_t totalBytes) {
    std::vector<std::string> lines;
    size_t bytes = 0;
    for (int n = 0; bytes < totalBytes; ++n) {
        lines.push_back(rows ? SampleRow(n) : SampleLine(n));
        bytes += lines.back().size();
    }
    return lines;
}

size_t TotalBytes(const std::vector<std::string>& lines) {
    size_t bytes = 0;
    for (const auto& line : lines) bytes += line.size();
    return bytes;
}

std::string BenchFolder() {
    static std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "bench-line-files-XXXXXX").string();
        std::string made = mkdtemp(pattern.data());
        setenv("MAROVELKA_HOME", made.c_str(), 1);
        return made + "/";
    }();
    return folder;
}

void KeyShiftScramble(benchmark::State& state) {
    auto lines = Lines(false, 1u << 20);
    prng::Generator filler(1);
    for (auto _ : state) {
        int pos = 1;
        for (const auto& line : lines) benchmark::DoNotOptimize(scrambling::KeyShiftScramble(line, pos, filler));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * TotalBytes(lines)));
}

void KeyShiftUnscramble(benchmark::State& state) {
    auto lines = Lines(false, 1u << 20);
    prng::Generator filler(1);
    int pos = 1;
    std::vector<std::string> scrambled;
    for (const auto& line : lines) scrambled.push_back(scrambling::KeyShiftScramble(line, pos, filler));
    for (auto _ : state) {
        pos = 1;
        for (const auto& line : scrambled)
            benchmark::DoNotOptimize(scrambling::KeyShiftUnscramble(line, pos, scrambling::Code11::AsCode220));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * TotalBytes(lines)));
}

void InterleaveScramble(benchmark::State& state) {
    auto lines = Lines(true, 1u << 20);
    prng::Generator filler(1);
    for (auto _ : state)
        for (const auto& line : lines) benchmark::DoNotOptimize(scrambling::InterleaveScramble(line, filler));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * TotalBytes(lines)));
}

void InterleaveUnscramble(benchmark::State& state) {
    auto lines = Lines(true, 1u << 20);
    prng::Generator filler(1);
    std::vector<std::string> scrambled;
    for (const auto& line : lines) scrambled.push_back(scrambling::InterleaveScramble(line, filler));
    for (auto _ : state)
        for (const auto& line : scrambled) benchmark::DoNotOptimize(scrambling::InterleaveUnscramble(line));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * TotalBytes(lines)));
}

// The tournament file's way: header lines key-shift, rows interleaved, safe write.
void WriteTFile(const std::vector<std::string>& rows, const std::string& path) {
    TFile file;
    file.SetSafeWrite(true);
    file.OpenWrite(path, true);
    file.WriteLine("<DATEI>");
    file.SetShiftScheme(false);
    for (const auto& row : rows) file.WriteLine(row);
    file.Close();
}

void TFileWrite(benchmark::State& state) {
    auto rows = Lines(true, kFileBytes);
    std::string path = BenchFolder() + "write.tur";
    for (auto _ : state) WriteTFile(rows, path);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * TotalBytes(rows)));
}

void TFileRead(benchmark::State& state) {
    auto rows = Lines(true, kFileBytes);
    std::string path = BenchFolder() + "read.tur";
    WriteTFile(rows, path);
    for (auto _ : state) {
        TFile file;
        file.OpenRead(path, true);
        benchmark::DoNotOptimize(file.ReadLine());
        file.SetShiftScheme(false);
        while (!file.Eof()) benchmark::DoNotOptimize(file.ReadLine());
        file.Close();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * TotalBytes(rows)));
}

void WriteDateihandling(const std::vector<std::string>& lines, const std::string& path) {
    Dateihandling file;
    file.Open(path, "W", true);
    for (const auto& line : lines) file.WriteLine(line);
    file.Close();
}

void DateihandlingWrite(benchmark::State& state) {
    auto lines = Lines(false, kFileBytes);
    std::string path = BenchFolder() + "write.exp";
    for (auto _ : state) WriteDateihandling(lines, path);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * TotalBytes(lines)));
}

void DateihandlingRead(benchmark::State& state) {
    auto lines = Lines(false, kFileBytes);
    std::string path = BenchFolder() + "read.exp";
    WriteDateihandling(lines, path);
    for (auto _ : state) {
        Dateihandling file;
        file.Open(path, "R", true);
        while (!file.Eof()) benchmark::DoNotOptimize(file.ReadLine());
        file.Close();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * TotalBytes(lines)));
}

}  // namespace

BENCHMARK(KeyShiftScramble);
BENCHMARK(KeyShiftUnscramble);
BENCHMARK(InterleaveScramble);
BENCHMARK(InterleaveUnscramble);
BENCHMARK(TFileWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(TFileRead)->Unit(benchmark::kMillisecond);
BENCHMARK(DateihandlingWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(DateihandlingRead)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(BenchFolder());
    return 0;
}

#include "engine/PairingSchedule.h"

#include "engine/PairingFile.h"
#include "foundation/Conversions.h"
#include "foundation/files/Dateihandling.h"

namespace {

// Sides for a pair of circle positions i and j out of m (m odd): i is first when j lies less
// than half the circle ahead. Every position is then first exactly (m - 1) / 2 times.
std::pair<int, int> Oriented(int i, int j, int m) {
    const int ahead = ((j - i) % m + m) % m;
    return ahead <= (m - 1) / 2 ? std::pair{i, j} : std::pair{j, i};
}

// Circle method over the odd number m of rotating positions 0 .. m-1; with a fixed partner
// (even group size) position r meets it in round r, else position r rests in round r.
std::vector<std::pair<int, int>> CircleRounds(int m, bool withFixed) {
    std::vector<std::pair<int, int>> pairs;
    for (int r = 0; r < m; ++r) {
        if (withFixed) pairs.push_back(r % 2 == 0 ? std::pair{r, m} : std::pair{m, r});
        for (int k = 1; k <= (m - 1) / 2; ++k) pairs.push_back(Oriented((r + k) % m, (r - k + m) % m, m));
    }
    return pairs;
}

}  // namespace

std::vector<std::pair<int, int>> RoundRobinSchedule(int n) {
    if (n < 2) return {};
    const bool even = n % 2 == 0;
    std::vector<std::pair<int, int>> pairs = CircleRounds(even ? n - 1 : n, even);
    for (auto& [a, b] : pairs) {
        ++a;
        ++b;
    }
    return pairs;
}

int LargestScheduledSize() {
    int lines = 1;  // "<EOF>"
    int n = 1;
    while (lines + (n + 1) * n / 2 + 2 <= kPairingLineLimit) {
        ++n;
        lines += n * (n - 1) / 2 + 2;
    }
    return n;
}

std::vector<std::string> PairingFileLines() {
    std::vector<std::string> lines;
    for (int n = 2; n <= LargestScheduledSize(); ++n) {
        lines.push_back(PairingKey(n));
        const auto pairs = RoundRobinSchedule(n);
        const size_t perRound = static_cast<size_t>(n / 2);
        for (size_t i = 0; i < pairs.size(); ++i)
            lines.push_back(IntToStr(static_cast<long long>(i / perRound + 1)) + "|" + IntToStr(pairs[i].first) +
                            "|" + IntToStr(pairs[i].second) + "|");
        lines.push_back("<END>");
    }
    lines.push_back("<EOF>");
    return lines;
}

bool WritePairingFile(const std::string& path) {
    Dateihandling file;
    if (!file.Open(path, "W", true)) return false;
    for (const std::string& line : PairingFileLines()) file.WriteLine(line);
    return file.Close();
}

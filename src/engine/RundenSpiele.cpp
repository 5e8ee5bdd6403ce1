#include "engine/RundenSpiele.h"

#include <algorithm>
#include <climits>
#include <map>
#include <string>
#include <vector>

#include "engine/PairingFile.h"
#include "engine/Spielzeiten.h"
#include "foundation/Accessors.h"
#include "foundation/ClockTime.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/MessageBoxes.h"
#include "foundation/Settings.h"
#include "foundation/Texts.h"
#include "foundation/MainForm.h"
#include "platform/ProgramFolder.h"
#include "platform/Random.h"

namespace {

// Adds pairs to a group, exchanging the sides on a coin when the order is random. A coin is drawn
// for every pair either way, so the sequence does not depend on the setting.
class PairAdder {
public:
    PairAdder(GroupPairs& group, bool randomSides) : group_(group), randomSides_(randomSides) {}
    void Add(int a, int b) {
        const bool swap = prng::Rand() % 2 == 1;
        if (randomSides_ && swap) std::swap(a, b);
        group_.pairs.emplace_back(a, b);
    }

private:
    GroupPairs& group_;
    bool randomSides_;
};

// The Teams rows of a group in table order.
std::vector<int> MemberRows(const TSortGrid& teams, int group) {
    std::vector<int> rows;
    for (int row = 1; row < teams.RowCount(); ++row)
        if (IntGet(teams, Teams_InGr, row, true) == group) rows.push_back(row);
    return rows;
}

// The row of the participant at a 1-based position of the group; 0 outside the group.
int RowAt(const std::vector<int>& members, int position) {
    if (position < 1 || position > static_cast<int>(members.size())) return 0;
    return members[static_cast<size_t>(position - 1)];
}

// Blocks of the pairing file read so far in this round, by group size.
class PairingCache {
public:
    const PairingBlock& Block(int size) {
        auto it = blocks_.find(size);
        if (it != blocks_.end()) return it->second;
        const std::string path = ProgramFile(kPairingFileName);
        it = blocks_.emplace(size, ReadPairingBlock(path, size)).first;
        // The plain order serves, but the schedule is not the intended one: said once a round.
        if (!it->second.readable && !reported_) {
            reported_ = true;
            ErrorLog("[X] Do_RundenSpiele: Paarungsdatei " + path +
                     " fehlt oder ist nicht lesbar, die Spiele folgen der Listenreihenfolge");
        }
        return it->second;
    }

private:
    std::map<int, PairingBlock> blocks_;
    bool reported_ = false;
};

void AddPlainOrder(PairAdder& add, const std::vector<int>& members, int n) {
    // Positions beyond the group's rows name nobody; a count larger than the group (a damaged
    // form) must not make the walk run through them.
    n = std::min(n, static_cast<int>(members.size()));
    for (int i = 1; i < n; ++i)
        for (int j = i + 1; j <= n; ++j) {
            const int a = RowAt(members, i), b = RowAt(members, j);
            if (a > 0 && b > 0) add.Add(a, b);
        }
}

void RoundRobin(GroupPairs& group, PairAdder& add, const std::vector<int>& members, int n, bool twoLegs,
                PairingCache& cache) {
    const PairingBlock& block = cache.Block(n);
    if (block.faulty) ShowMsg(3, lngText(33));
    if (block.found) {
        for (const auto& [pa, pb] : block.positions) {
            const int a = RowAt(members, pa), b = RowAt(members, pb);
            // Nobody plays against himself, whatever the file says.
            if (a > 0 && b > 0 && a != b) add.Add(a, b);
        }
    } else {
        AddPlainOrder(add, members, n);
    }
    // The return games follow the first leg in its order, each with the other team at home;
    // without a block as well, so that a double round robin never loses its second leg.
    if (!twoLegs) return;
    const std::vector<std::pair<int, int>> firstLeg = group.pairs;
    for (const auto& [a, b] : firstLeg) add.Add(b, a);
}

// Participants in list order, taken alternately as first and second side; with `games` > 0 the
// list is walked again and again until that many pairs are made.
void ListOrder(const TSortGrid& teams, PairAdder& add, const std::vector<int>& members, int games) {
    std::vector<int> numbers;
    for (int row : members) numbers.push_back(IntGet(teams, Teams_Nr, row, true));
    const bool cycling = games > 0;
    if (numbers.size() < 2) return;
    int made = 0, pending = 0, idleWalks = 0;
    bool havePending = false;
    while (true) {
        bool madeThisWalk = false;
        for (int number : numbers) {
            if (!havePending) {
                pending = number;
                havePending = true;
                continue;
            }
            havePending = false;
            if (pending < 1 || number < 1) {
                ErrorLog("[X] Do_RundenSpiele: SV: TNr1/TNr2 konnte keinen Wert ermitteln");
                continue;
            }
            add.Add(pending, number);
            madeThisWalk = true;
            if (cycling && ++made == games) return;
        }
        if (!cycling) return;
        // Two walks without a pair bring the alternation back to where it was: no pair will come.
        idleWalks = madeThisWalk ? 0 : idleWalks + 1;
        if (idleWalks >= 2) return;
    }
}

GroupPairs GroupGames(const TMainForm& form, int row, bool randomSides, PairingCache& cache) {
    const TSortGrid& gruppe = form.Gruppe;
    GroupPairs group;
    group.group = IntGet(gruppe, Gruppe_Nr, row, true);
    PairAdder add(group, randomSides);
    const std::string system = Get(gruppe, Gruppe_System, row, true);
    const std::vector<int> members = MemberRows(form.Teams, group.group);
    if (system == "JGJ" || system == "JGJ2")
        RoundRobin(group, add, members, IntGet(gruppe, Gruppe_AnzTeams, row, true), system == "JGJ2", cache);
    else if (system == "SV")
        ListOrder(form.Teams, add, members, 0);
    else if (!system.empty() && system[0] == 'A' && ToInt(system.substr(1)) > 0)
        ListOrder(form.Teams, add, members, ToInt(system.substr(1)));
    return group;
}

RoundTiming TimingOf(const TSortGrid& gruppe, int row) {
    RoundTiming t;
    t.start = TimeToMinutes(Get(gruppe, Gruppe_Startzeit, row, true));
    t.duration = IntGet(gruppe, Gruppe_Spielzeit, row, true);
    t.pause = IntGet(gruppe, Gruppe_Pause, row, true);
    t.day = IntGet(gruppe, Gruppe_Spieltag, row, true);
    return t;
}

// Three columns per group in Schiris: group number, first and second participant, a row per pair.
void WritePairTable(TSortGrid& table, const std::vector<GroupPairs>& round, int groupCount) {
    const int width = 3 * std::max(groupCount, static_cast<int>(round.size()));
    if (table.ColCount() < width) table.SetColCount(width);
    size_t longest = 0;
    for (size_t g = 0; g < round.size(); ++g) {
        const int c = 3 * static_cast<int>(g);
        const auto& pairs = round[g].pairs;
        for (size_t p = 0; p < pairs.size(); ++p) {
            const int row = static_cast<int>(p) + 1;
            Put(table, c, row, round[g].group, true);
            Put(table, c + 1, row, pairs[p].first, true);
            Put(table, c + 2, row, pairs[p].second, true);
        }
        longest = std::max(longest, pairs.size());
    }
    if (longest > 0) table.SetRowCount(static_cast<int>(longest) + 1);
}

}  // namespace

void Do_RundenSpiele(TMainForm& form, int startRow, int groupCount) {
    Log("[F] Do_RundenSpiele(" + IntToStr(startRow) + "): Runden starten bei Gruppe->Row");
    const bool randomSides = GetSetting(form, "Reihenfolge", "") == "Zufall";
    prng::SeedFromClock();
    ClearGrid(form.Temp);
    ClearGrid(form.Schiris);

    PairingCache cache;
    std::vector<GroupPairs> round;
    RoundTiming timing;
    const TSortGrid& gruppe = form.Gruppe;
    for (int row = std::max(1, startRow); row < gruppe.RowCount(); ++row) {
        round.push_back(GroupGames(form, row, randomSides, cache));
        timing = TimingOf(gruppe, row);
    }
    WritePairTable(form.Schiris, round, groupCount);
    LayOutRound(form, round, timing);
}

int FewestGamesOfGroup(const std::string& system, int participants) {
    if (participants < 2) return 0;
    const long long n = participants;
    long long games = 0;
    if (system == "JGJ" || system == "JGJ2") games = n * (n - 1) / 2;
    else if (system == "SV") games = n / 2;
    else if (!system.empty() && system[0] == 'A') games = std::max(ToInt(system.substr(1)), 0);
    return static_cast<int>(std::min<long long>(games, INT_MAX));
}

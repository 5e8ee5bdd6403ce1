#include "engine/Schiris.h"

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/CellNumbers.h"
#include "engine/RundenBaum.h"
#include "engine/TextNumbers.h"
#include "foundation/Accessors.h"
#include "foundation/ClockTime.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/Tables.h"

namespace {

enum Mode { kOwnGroup = 0, kRound = 1, kNeutralCourt = 2, kNeutrals = 3, kNone = 4 };

// One game to get a referee. Its time span runs from `from` to `to` on one time line; untimed
// games have a zero-length span per pass over the fields.
struct Game {
    int row = 0;
    int day = 0;
    long long start = 0;  // within the day (minutes, or the pass counter)
    long long from = 0, to = 0;
    int t1 = 0, t2 = 0;
    int referee = 0;
    bool assigned = false;
};

// The candidates change places after every game: their names stay apart.
struct Candidate {
    int number = 0;
    int uses = 0;
};

bool Refused(int mode, int round, int group, int neutralCount) {
    const char* message = nullptr;
    if (mode < 0)
        message = "[X] generateSchiris: Keine Auswahl getroffen";
    else if (mode == kOwnGroup && group == 0)
        message = "[X] generateSchiris: Gruppe aber keine GruppenNummer";
    else if (mode == kRound && round == 0)
        message = "[X] generateSchiris: Runde aber keine RundenNummer";
    else if (mode == kNeutrals && neutralCount == 0)
        message = "[X] generateSchiris: AnzNeutrale ohne Anzahl";
    if (message) ErrorLog(message);
    return message != nullptr;
}

// Groups of the call that have no results yet.
std::set<int> QualifyingGroups(const TMainForm& form, int round, int group, int upToGroup) {
    std::set<int> groups;
    const TSortGrid& gruppe = form.Gruppe;
    for (int row = 1; row < gruppe.RowCount(); ++row) {
        const std::string state = Get(gruppe, Gruppe_State, row, true);
        const int number = IntGet(gruppe, Gruppe_Nr, row, true);
        if (number < 1 || !(state.empty() || state == "Open" || state == "None")) continue;
        const bool chosen = (upToGroup > 0 && number <= upToGroup) ||
                            (round > 0 && IntGet(gruppe, Gruppe_RNr, row, true) == round) || number == group;
        if (chosen) groups.insert(number);
    }
    return groups;
}

// The rows of the groups' games in table order.
std::vector<int> GameRows(const TSortGrid& plan, const std::set<int>& groups) {
    std::vector<int> rows;
    for (int group : groups) {
        const std::vector<int>& ofGroup = RowsWithNumber(plan, Spielplan_GrNr, group);
        rows.insert(rows.end(), ofGroup.begin(), ofGroup.end());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

// The games of the groups in table order, then in order of day and start. Untimed games count the
// passes over the fields: a new pass starts at each game on the first game's field.
std::vector<Game> CollectGames(const TMainForm& form, const std::set<int>& groups) {
    const TSortGrid& plan = form.Spielplan;
    const bool timed = form.XZeitSpiele.Checked();
    std::vector<Game> games;
    std::string firstField;
    long long pass = 1;
    for (int row : GameRows(plan, groups)) {
        if (plan.Cells(0, row).empty()) continue;
        Game g;
        g.row = row;
        g.day = CellInt(plan, Spielplan_Tag, row);
        g.t1 = CellInt(plan, Spielplan_T1, row);
        g.t2 = CellInt(plan, Spielplan_T2, row);
        const std::string field = Get(plan, Spielplan_Feld, row, true);
        if (timed) {
            const int start = TimeToMinutes(Get(plan, Spielplan_Von, row, true));
            int length = TimeToMinutes(Get(plan, Spielplan_Bis, row, true)) - start;
            if (length < 0) length += kMinutesPerDay;  // runs over midnight
            g.start = start;
            g.from = static_cast<long long>(g.day) * kMinutesPerDay + start;
            g.to = g.from + length;
        } else {
            if (games.empty())
                firstField = field;
            else if (field == firstField)
                ++pass;
            g.start = pass;
            g.from = g.to = (static_cast<long long>(g.day) << 32) + pass;
        }
        games.push_back(g);
    }
    std::stable_sort(games.begin(), games.end(),
                     [](const Game& a, const Game& b) { return a.day != b.day ? a.day < b.day : a.start < b.start; });
    return games;
}

// Two games are at the same time when they start together or their spans overlap.
bool SameTime(const Game& a, const Game& b) { return a.from == b.from || (a.from < b.to && b.from < a.to); }

// The name a referee code is shown with, as getSchiriName gives it: a participant number's name
// straight from the lists, read in place (a round asks for every earlier game); any other code
// (none, neutral referees, texts the lists do not cover) through getSchiriName, once per code.
class RefereeNames {
public:
    explicit RefereeNames(const TMainForm& form) : form_(form) {}
    const std::string& Of(int row) {
        const std::string& code = form_.Spielplan.Cells(Spielplan_Schir, row);
        int number = 0;
        if (cell_numbers::PlainWholeNumber(code, number)) {
            const TStrings& tur = form_.XATeamsTur.Items;
            const TStrings& teams = form_.XATeams.Items;
            if (number < tur.Count() && !tur[number].empty()) return tur[number];
            if (number < tur.Count() && number < teams.Count()) return teams[number];
        }
        auto [other, added] = others_.try_emplace(code);
        if (added) other->second = form_.getSchiriName(row);
        return other->second;
    }

private:
    const TMainForm& form_;
    std::unordered_map<std::string, std::string> others_;
};

// Duties of the groups before this one count, matched by the name the referee is shown with.
void CountEarlierDuties(const TMainForm& form, std::vector<Candidate>& candidates, int group) {
    // Candidates of one name in a chain: by the name's number the first, each the next. The names
    // stay in the lists while this runs.
    constexpr size_t kNone = ~size_t{0};
    TextNumbers names(candidates.size());
    std::vector<size_t> firstOfName;
    std::vector<size_t> next(candidates.size(), kNone);
    const TStrings& tur = form.XATeamsTur.Items;
    for (size_t i = 0; i < candidates.size(); ++i) {
        const int number = candidates[i].number;
        if (number < 0 || number >= tur.Count()) {
            ListGet(form.XATeamsTur, number);  // tells the error log, as reading the name always did
        } else if (!tur[number].empty()) {
            const auto name = static_cast<size_t>(names.Number(tur[number]));
            if (name == firstOfName.size())
                firstOfName.push_back(i);
            else
                next[i] = std::exchange(firstOfName[name], i);
        }
    }
    RefereeNames referees(form);
    const TSortGrid& plan = form.Spielplan;
    for (int row = 1; row < plan.RowCount(); ++row) {
        if (plan.Cells(0, row).empty() || CellInt(plan, Spielplan_GrNr, row) >= group) continue;
        if (const int name = names.Find(referees.Of(row)); name != TextNumbers::kNone)
            for (size_t i = firstOfName[static_cast<size_t>(name)]; i != kNone; i = next[i]) ++candidates[i].uses;
    }
}

// Teams of the games in the order they play first. A round's teams are few: sorted with the
// place of each appearance, each team's first place shows without a set of the teams seen.
std::vector<Candidate> TeamCandidates(const TMainForm& form, const std::vector<Game>& games, int group) {
    std::vector<std::pair<int, size_t>> appearances;  // team, place
    appearances.reserve(2 * games.size());
    for (const Game& g : games)
        for (int team : {g.t1, g.t2}) appearances.emplace_back(team, appearances.size());
    std::ranges::sort(appearances);
    std::vector<std::pair<size_t, int>> firsts;  // place, team
    for (size_t i = 0; i < appearances.size(); ++i)
        if (i == 0 || appearances[i].first != appearances[i - 1].first)
            firsts.emplace_back(appearances[i].second, appearances[i].first);
    std::ranges::sort(firsts);
    std::vector<Candidate> candidates;
    candidates.reserve(firsts.size());
    for (const auto& [place, team] : firsts) candidates.push_back({team, 0});
    if (group > 1) CountEarlierDuties(form, candidates, group);
    return candidates;
}

std::vector<Candidate> NeutralCandidates(int count) {
    std::vector<Candidate> candidates;
    for (int k = 1; k <= count; ++k) candidates.push_back({k, 0});
    return candidates;
}

bool FewerUses(const Candidate& a, const Candidate& b) { return a.uses < b.uses; }

void SortByUses(std::vector<Candidate>& candidates) { std::stable_sort(candidates.begin(), candidates.end(), FewerUses); }

// Who is busy during a game: the players (teams only; neutral referees are not teams) and the
// referees already chosen of every game at the same time. The games are in start order, so the
// games at the same time lie within the longest span before and after it.
// A few numbers at a time: a list serves better than a hash set, and one list serves every game.
void BusyDuring(const std::vector<Game>& games, size_t i, long long longest, bool teamsPlay, std::vector<int>& busy) {
    busy.clear();
    const Game& game = games[i];
    auto look = [&](const Game& other) {
        if (!SameTime(game, other)) return;
        if (teamsPlay) busy.insert(busy.end(), {other.t1, other.t2});
        if (other.assigned) busy.push_back(other.referee);
    };
    for (size_t j = i + 1; j-- > 0;) {
        if (games[j].from < game.from - longest) break;
        look(games[j]);
    }
    for (size_t j = i + 1; j < games.size() && games[j].from <= game.to; ++j) look(games[j]);
}

// Takes the least used free candidate; the one chosen goes to the end of its equals, so duties
// rotate. Without a free candidate the game gets 0.
void AssignReferees(std::vector<Game>& games, std::vector<Candidate>& candidates, bool teamsPlay) {
    long long longest = 0;
    for (const Game& g : games) longest = std::max(longest, g.to - g.from);
    std::vector<int> busy;
    for (size_t i = 0; i < games.size(); ++i) {
        BusyDuring(games, i, longest, teamsPlay, busy);
        auto free = std::find_if(candidates.begin(), candidates.end(),
                                 [&](const Candidate& c) { return std::find(busy.begin(), busy.end(), c.number) == busy.end(); });
        games[i].assigned = true;
        if (free == candidates.end()) {
            games[i].referee = 0;
            continue;
        }
        games[i].referee = free->number;
        Candidate chosen = *free;
        ++chosen.uses;
        candidates.erase(free);
        // The others are in order but for the one chosen before, which stands last: sorted
        // stably by uses, it goes to the end of its equals.
        if (!candidates.empty()) {
            const auto last = candidates.end() - 1;
            std::rotate(std::upper_bound(candidates.begin(), last, *last, FewerUses), last, candidates.end());
        }
        candidates.push_back(std::move(chosen));
    }
}

void WriteBack(TMainForm& form, const std::vector<Game>& games, int mode) {
    for (const Game& g : games) {
        std::string code;
        if (mode == kNeutralCourt)
            code = "0";
        else if (mode == kNeutrals)
            code = "N" + IntToStr(g.referee);
        else if (mode != kNone)
            code = IntToStr(g.referee);
        Put(form.Spielplan, Spielplan_Schir, g.row, code, true);
    }
}

}  // namespace

void generateSchiris(TMainForm& form, int round, int group, const TRadioGroup& modeGroup, int neutralCount,
                     int upToGroup) {
    Log("[F] generateSchiris(" + IntToStr(round) + "," + IntToStr(group) + "," + IntToStr(neutralCount) +
        "): Schiris generieren");
    const int mode = modeGroup.ItemIndex();
    if (Refused(mode, round, group, neutralCount)) return;
    const std::set<int> groups = QualifyingGroups(form, round, group, upToGroup);
    if (groups.empty()) return;
    std::vector<Game> games = CollectGames(form, groups);
    if (mode == kOwnGroup || mode == kRound || mode == kNeutrals) {
        std::vector<Candidate> candidates =
            mode == kNeutrals ? NeutralCandidates(neutralCount) : TeamCandidates(form, games, group);
        SortByUses(candidates);
        AssignReferees(games, candidates, mode != kNeutrals);
    }
    WriteBack(form, games, mode);
}

void SchirisAktualisieren(TMainForm& form) {
    Log("[F] IAeverButton40Click(): Schiris aktualisieren");
    const RoundTreeSelection selected = SelectedInRoundTree(form);
    if (!selected.node) return;
    const int round = selected.round, group = selected.group;
    const TRadioGroup& modes = form.RadioGroup2;
    if (modes.ItemIndex() == kOwnGroup) {
        const TSortGrid& gruppe = form.Gruppe;
        for (int row = 1; row < gruppe.RowCount(); ++row)
            if (IntGet(gruppe, Gruppe_RNr, row, true) == round && IntGet(gruppe, Gruppe_Nr, row, true) > 0)
                generateSchiris(form, 0, IntGet(gruppe, Gruppe_Nr, row, true), modes, 0, 0);
    } else {
        const int neutrals = modes.ItemIndex() == kNeutrals ? ToInt(form.umNeutral.Text()) : 0;
        generateSchiris(form, round, group, modes, neutrals, 0);
    }
    form.DoPlan(form.XPlan2, 0, 0, nullptr);
    setTurChanged(form, true);
}

#include "engine/Gruppenstatus.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <map>
#include <set>
#include <utility>

#include "engine/CellNumbers.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/MainForm.h"
#include "foundation/Texts.h"

namespace {

bool IsGroupRow(const TMainForm& f, int g) { return g >= 1 && g < f.Gruppe.RowCount(); }

std::string State(const TMainForm& f, int g) { return IsGroupRow(f, g) ? Get(f.Gruppe, Gruppe_State, g, true) : ""; }

// A state written again as it stands leaves the groups' table unchanged, so that what was read
// of the states holds.
void SetState(TMainForm& f, int g, const std::string& state) {
    if (g >= 1 && f.Gruppe.Cells(Gruppe_State, g) != state) Put(f.Gruppe, Gruppe_State, g, state, true);
}

bool Finished(const std::string& state) { return state == "Done" || state == "Closed"; }

// A blank row is no game.
bool IsGame(const TSortGrid& plan, int r) { return !plan.Cells(Spielplan_SpNr, r).empty(); }

// The group a participant slot takes its participant from; 0 for a team of its own.
int SourceGroup(const TMainForm& f, int team) { return team >= 1 ? CellInt(f.Teams, Teams_GrNr, team) : 0; }

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Whether a best-of code ("B" + i + "/" + k + "/" + ids) lists the group id: every id after the
// second "/" counts, the first one too, and only as a whole.
bool BestOfListsGroup(const std::string& code, const std::string& id) {
    if (code.empty() || code[0] != 'B' || id.empty()) return false;
    const size_t first = code.find('/');
    const size_t second = first == std::string::npos ? first : code.find('/', first + 1);
    if (second == std::string::npos) return false;
    const std::string list = code.substr(second + 1) + ",";
    for (size_t start = 0, comma; (comma = list.find(',', start)) != std::string::npos; start = comma + 1)
        if (Trim(list.substr(start, comma - start)) == id) return true;
    return false;
}

// A final placing text such as "2. Gruppe A" naming a place of group id, and no other group.
bool NamesPlaceOfGroup(const std::string& text, const std::string& id) {
    const std::string tail = ". " + lngText(3) + " " + id;
    if (text.size() <= tail.size() || text.compare(text.size() - tail.size(), tail.size(), tail) != 0) return false;
    return text.find_first_not_of("0123456789") == text.size() - tail.size();
}

// Games played, then points, sets and balls won and lost, as the standings columns hold them.
constexpr std::array<int, 7> kTotalsColumns{Platz_AnzSpiele, Platz_PPkt, Platz_MPkt, Platz_PSatz,
                                            Platz_MSatz,     Platz_PBall, Platz_MBall};
using Totals = std::array<double, 7>;

Totals ReadTotals(const TSortGrid& platz, int row) {
    Totals totals{};
    for (size_t i = 0; i < kTotalsColumns.size(); ++i) totals[i] = ToDouble(Get(platz, kTotalsColumns[i], row, true));
    return totals;
}

const std::string kNoName;

const std::string& TeamName(const TMainForm& f, int team) {
    return team >= 0 && team < f.XATeamsTur.Items.Count() ? f.XATeamsTur.Items[team] : kNoName;
}

// A group's standings rows in table order and the totals each is to show.
struct GroupTotals {
    std::vector<int> rows;
    std::vector<Totals> totals;
    std::vector<std::pair<int, size_t>> byTeam;  // (participant, index of its first row), by participant

    GroupTotals(const TSortGrid& platz, int group) : rows(RowsWithNumber(platz, Platz_GrNr, group)), totals(rows.size()) {
        for (size_t i = 0; i < rows.size(); ++i) byTeam.emplace_back(CellInt(platz, Platz_TeamNr, rows[i]), i);
        std::stable_sort(byTeam.begin(), byTeam.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    }
    // The totals of the participant's first row; none without a row.
    Totals* Of(int team) {
        const auto at = std::lower_bound(byTeam.begin(), byTeam.end(), team,
                                         [](const auto& entry, int wanted) { return entry.first < wanted; });
        return at != byTeam.end() && at->first == team ? &totals[at->second] : nullptr;
    }
};

// The participants of h, named, take the totals their names reached in the round before h's.
// A name met in several rows of that round takes the totals of the last one, group by group:
// the order of rows of different groups in the table means nothing.
void CarryOver(const TMainForm& f, int h, GroupTotals& ofH) {
    const int previous = IntGet(f.Gruppe, Gruppe_RNr, h, true) - 1;
    if (previous < 1) return;
    const TSortGrid& platz = f.Platz;
    std::map<int, int> roundOfGroup;
    std::map<int, std::vector<int>> rowsOfGroup;  // the previous round's rows per group
    for (int p = 1; p < platz.RowCount(); ++p) {
        const int group = IntGet(platz, Platz_GrNr, p, true);
        auto round = roundOfGroup.find(group);
        if (round == roundOfGroup.end()) {
            const int roundNumber = IsGroupRow(f, group) ? IntGet(f.Gruppe, Gruppe_RNr, group, true) : 0;
            round = roundOfGroup.emplace(group, roundNumber).first;
        }
        if (round->second == previous) rowsOfGroup[group].push_back(p);
    }
    for (const auto& [group, rows] : rowsOfGroup)
        for (int p : rows) {
            const std::string name = TeamName(f, IntGet(platz, Platz_TeamNr, p, true));
            if (name.empty()) continue;
            for (size_t i = 0; i < ofH.rows.size(); ++i)
                if (TeamName(f, IntGet(platz, Platz_TeamNr, ofH.rows[i], true)) == name) {
                    ofH.totals[i] = ReadTotals(platz, p);
                    break;
                }
        }
}

// The standings of the groups from the stored results of their games; with carryOver, on top of
// the totals their participants reached in the round before (for groups that carry results
// over). Returns the groups that have a result.
std::set<int> Rebuild(TMainForm& f, const std::set<int>& groups, bool carryOver) {
    TSortGrid& platz = f.Platz;
    const TSortGrid& plan = f.Spielplan;
    std::set<int> played;
    // Every group's totals first: a group carries over what the round before showed until now.
    std::vector<GroupTotals> all;
    for (int group : groups) {
        GroupTotals& standings = all.emplace_back(platz, group);
        if (carryOver && ToInt(Get(f.Gruppe, Gruppe_ErgUE, group, true)) != 0) CarryOver(f, group, standings);
        // Each participant's totals add up its group's games in table order.
        for (int r : std::vector<int>(RowsWithNumber(plan, Spielplan_GrNr, group))) {
            if (!SpielHatErgebnis(f, r)) continue;
            played.insert(group);
            for (const bool mirrored : {false, true}) {
                Totals* t = standings.Of(CellInt(plan, mirrored ? Spielplan_T2 : Spielplan_T1, r));
                if (!t) continue;
                (*t)[0] += 1;
                // The second participant's won values stand in the first one's lost columns.
                for (int i = 0; i < 6; ++i) {
                    const int column = Spielplan_PPkt + (mirrored ? i ^ 1 : i);
                    (*t)[static_cast<size_t>(i) + 1] += CellNumber(plan, column, r);
                }
            }
        }
    }
    // A group opened shows mostly the same few values, many of them 0: each is put in words once.
    double shown = 0;
    std::string text = FloatToStr(shown);
    for (const GroupTotals& standings : all)
        for (size_t k = 0; k < standings.rows.size(); ++k)
            for (size_t i = 0; i < kTotalsColumns.size(); ++i) {
                if (const double value = standings.totals[k][i]; value != shown || std::signbit(value) != std::signbit(shown)) {
                    shown = value;
                    text = FloatToStr(value);
                }
                if (platz.Cells(kTotalsColumns[i], standings.rows[k]) != text)
                    Put(platz, kTotalsColumns[i], standings.rows[k], text, true);
            }
    return played;
}

// The participants that came from group g lose their names again; the groups they play in
// wait for them anew. Returns those groups.
std::set<int> TakeBackFrom(TMainForm& f, int g) {
    const std::string label = ListGet(f.XAGruppBez, g);
    TSortGrid& teams = f.Teams;
    TSortGrid& platz = f.Platz;
    std::set<int> waiting;
    for (int t = 1; t < teams.RowCount(); ++t) {
        const int source = IntGet(teams, Teams_GrNr, t, true);
        const bool fromG = source == g || (source == 0 && BestOfListsGroup(Get(teams, Teams_SV, t, true), label));
        if (!fromG) continue;
        Put(teams, Teams_Name_Tur, t, "", true);
        const std::string number = Get(teams, Teams_Nr, t, true);
        const std::string placeholder = Get(teams, Teams_Name, t, true);
        for (int p = 1; p < platz.RowCount(); ++p)
            if (Get(platz, Platz_TeamNr, p, true) == number) Put(platz, Platz_Team, p, placeholder, true);
        ListPut(f.XATeamsTur, t, "");
        if (const int h = IntGet(teams, Teams_InGr, t, true); h > 0) {
            SetState(f, h, "");
            waiting.insert(h);
        }
    }
    // Their groups keep the results already played; the standings are rebuilt from them.
    if (!waiting.empty()) Rebuild(f, waiting, false);
    for (int t = 1; t < teams.RowCount(); ++t)
        if (!Get(teams, Teams_Platz, t, true).empty() && NamesPlaceOfGroup(Get(teams, Teams_Name, t, true), label))
            Put(teams, Teams_Name_Tur, t, "", true);
    return waiting;
}

// The change counts of the cells that ShowNames reads: the participants' names and the
// standings rows' participants and names, whatever the rows' order.
std::array<std::uint64_t, 3> NameSources(const TMainForm& f) {
    return {f.XATeamsTur.Items.Changes(), f.Platz.ColumnContentChanges(Platz_TeamNr),
            f.Platz.ColumnContentChanges(Platz_Team)};
}

// A standings row takes its participant's name, unless that is empty; a row that had no name
// goes into `named` with its group.
void ShowName(TMainForm& f, int p, const std::string& name, std::set<int>& named) {
    TSortGrid& platz = f.Platz;
    if (name.empty()) return;
    const std::string& row = platz.Cells(Platz_Team, p);
    if (name == row) return;
    // A row without a name takes no part in the ranking: with one it does.
    if (row.empty()) named.insert(CellInt(platz, Platz_GrNr, p));
    Put(platz, Platz_Team, p, name, true);
}

// Whether FindRow finds the row of this participant number by its text: the digits of the
// number as IntToStr writes them.
bool WrittenAsFound(const std::string& text) {
    int value = 0;
    return cell_numbers::PlainWholeNumber(text, value) && (text.size() == 1 || text[0] != '0');
}

// Every standings row, and whether each participant has at most one, written as FindRow finds it.
bool ShowAllNames(TMainForm& f, std::set<int>& named) {
    const TSortGrid& platz = f.Platz;
    std::vector<char> hasRow(static_cast<size_t>(f.XATeamsTur.Items.Count()), 0);
    bool oneRowEach = true;
    for (int p = 1; p < platz.RowCount(); ++p) {
        const int team = CellInt(platz, Platz_TeamNr, p);
        if (team >= 0 && static_cast<size_t>(team) < hasRow.size()) {
            oneRowEach = oneRowEach && !hasRow[static_cast<size_t>(team)] && WrittenAsFound(platz.Cells(Platz_TeamNr, p));
            hasRow[static_cast<size_t>(team)] = 1;
        }
        ShowName(f, p, TeamName(f, team), named);
    }
    return oneRowEach;
}

// Every standings row shows the name its participant has; nothing to do while nothing that
// decides it changed since every row did. While only names changed, and each participant has
// one row at most, only the rows of the participants whose names changed are looked at (a
// round's end names the next round's players: a few of many). Returns the groups with a row
// that had no name.
std::set<int> ShowNames(TMainForm& f) {
    std::set<int> named;
    TMainForm::LaterGroupsMemo& memo = f.LaterGroupsRead;
    const std::array<std::uint64_t, 3> sources = NameSources(f);
    if (memo.namesShown == sources) return named;
    const TStrings& names = f.XATeamsTur.Items;
    std::vector<std::string>& seen = memo.namesSeen;
    const bool rowsAsShown = memo.namesShown[1] == sources[1] && memo.namesShown[2] == sources[2];
    if (rowsAsShown && memo.oneRowEach && seen.size() == static_cast<size_t>(names.Count())) {
        for (int team = 0; team < names.Count(); ++team)
            if (std::string& before = seen[static_cast<size_t>(team)]; before != names[team]) {
                before = names[team];
                if (const int p = FindRow(f.Platz, Platz_TeamNr, IntToStr(team)); p > 0) ShowName(f, p, before, named);
            }
    } else {
        memo.oneRowEach = ShowAllNames(f, named);
        seen.assign(static_cast<size_t>(names.Count()), {});
        for (int team = 0; team < names.Count(); ++team) seen[static_cast<size_t>(team)] = names[team];
    }
    memo.namesShown = NameSources(f);
    return named;
}

// The change counts of the cells that the participants' and the referees' source groups are
// read from: the games' groups and participants or referees, whatever the rows' order, the
// participant slots' source groups and the number of groups.
std::array<std::uint64_t, 5> PlayerSources(const TMainForm& f) {
    const TSortGrid& plan = f.Spielplan;
    return {plan.ColumnContentChanges(Spielplan_GrNr), plan.ColumnContentChanges(Spielplan_T1),
            plan.ColumnContentChanges(Spielplan_T2), f.Teams.ColumnChanges(Teams_GrNr),
            static_cast<std::uint64_t>(f.Gruppe.RowCount())};
}

std::array<std::uint64_t, 4> RefereeSources(const TMainForm& f) {
    const TSortGrid& plan = f.Spielplan;
    return {plan.ColumnContentChanges(Spielplan_GrNr), plan.ColumnContentChanges(Spielplan_Schir),
            f.Teams.ColumnChanges(Teams_GrNr), static_cast<std::uint64_t>(f.Gruppe.RowCount())};
}

// The group of a game row and the groups the slots of these columns (at most two; a referee
// counts when above 0) come from, 0 where none.
std::array<int, 3> SlotSourcesOfRow(const TMainForm& f, std::initializer_list<int> columns, int r) {
    const TSortGrid& plan = f.Spielplan;
    std::array<int, 3> row{};
    const int h = CellInt(plan, Spielplan_GrNr, r);
    if (!IsGroupRow(f, h)) return row;
    row[0] = h;
    size_t slot = 1;
    for (int column : columns) {
        const int team = CellInt(plan, column, r);
        row[slot++] = SourceGroup(f, column == Spielplan_Schir && team <= 0 ? 0 : team);
    }
    return row;
}

// For every group (by number), the groups that the slots of these columns of its games come
// from, each once, ascending. Only the game rows written since the last read are read again,
// unless the participant slots' sources or the number of groups changed.
void ReadSlotSources(const TMainForm& f, std::initializer_list<int> columns, TMainForm::SlotSources& memo) {
    const TSortGrid& plan = f.Spielplan;
    const std::array<std::uint64_t, 2> teams{f.Teams.ColumnChanges(Teams_GrNr), static_cast<std::uint64_t>(f.Gruppe.RowCount())};
    const size_t rows = static_cast<size_t>(std::max(plan.RowCount(), 1));
    const bool all = memo.teamsRead != teams || memo.ofRow.size() != rows || memo.planRead == TMainForm::LaterGroupsMemo::kNever;
    memo.ofRow.resize(rows);
    for (int r = 1; r < plan.RowCount(); ++r)
        if (all || plan.RowChanges(r) > memo.planRead) memo.ofRow[static_cast<size_t>(r)] = SlotSourcesOfRow(f, columns, r);
    memo.planRead = plan.Changes();
    memo.teamsRead = teams;
    std::vector<std::vector<int>>& sources = memo.ofGroup;
    sources.assign(static_cast<size_t>(std::max(f.Gruppe.RowCount(), 1)), {});
    for (size_t r = 1; r < rows; ++r) {
        const auto& [h, first, second] = memo.ofRow[r];
        // A group's games mostly name the same source group one after the other.
        std::vector<int>& of = sources[static_cast<size_t>(h)];
        for (int source : {first, second})
            if (source > 0 && (of.empty() || of.back() != source)) of.push_back(source);
    }
    for (std::vector<int>& of : sources) {
        std::sort(of.begin(), of.end());
        of.erase(std::unique(of.begin(), of.end()), of.end());
    }
}

// For every group (by number), the groups its participants and referees come from: those that
// must be finished before it can open. Each half is read anew only when something it is read
// from changed.
const std::vector<std::vector<int>>& SourceGroups(TMainForm& f) {
    TMainForm::LaterGroupsMemo& memo = f.LaterGroupsRead;
    bool changed = false;
    if (const std::array<std::uint64_t, 5> read = PlayerSources(f); memo.playersRead != read) {
        ReadSlotSources(f, {Spielplan_T1, Spielplan_T2}, memo.players);
        memo.playersRead = read;
        changed = true;
    }
    if (const std::array<std::uint64_t, 4> read = RefereeSources(f); memo.refereesRead != read) {
        ReadSlotSources(f, {Spielplan_Schir}, memo.referees);
        memo.refereesRead = read;
        changed = true;
    }
    if (!changed) return memo.sourcesOf;
    ++memo.sourcesRead;
    std::vector<std::vector<int>>& sources = memo.sourcesOf;
    const std::vector<std::vector<int>>& players = memo.players.ofGroup;
    const std::vector<std::vector<int>>& referees = memo.referees.ofGroup;
    sources.assign(players.size(), {});
    for (size_t h = 0; h < sources.size(); ++h)
        std::set_union(players[h].begin(), players[h].end(), referees[h].begin(), referees[h].end(),
                       std::back_inserter(sources[h]));
    return sources;
}

// The groups that group g waits for: those its participants and referees come from that are
// not finished, ascending.
std::vector<int> UnfinishedSources(const TMainForm& f, int g) {
    const TSortGrid& plan = f.Spielplan;
    std::set<int> waitingFor;
    for (int r : RowsWithNumber(plan, Spielplan_GrNr, g))
        for (int column : {Spielplan_T1, Spielplan_T2, Spielplan_Schir})
            if (const int s = SourceGroup(f, std::max(CellInt(plan, column, r), 0)); s > 0 && !Finished(State(f, s)))
                waitingFor.insert(s);
    return {waitingFor.begin(), waitingFor.end()};
}

// "Gruppe A ist", "Gruppe A und B sind", "Gruppe A, B und C sind".
std::string GroupsAre(const TMainForm& f, const std::vector<int>& groups) {
    std::string text = "Gruppe ";
    for (size_t i = 0; i < groups.size(); ++i)
        text += (i == 0 ? "" : i + 1 == groups.size() ? " und " : ", ") + ListGet(f.XAGruppBez, groups[i]);
    return text + (groups.size() == 1 ? " ist" : " sind");
}

// A participant that comes from another group or game (a winner, loser, place or best-of code);
// a direct slot has its name from the start of the tournament on.
bool IsPlaceholder(const TSortGrid& teams, int team) {
    return !teams.Cells(Teams_GrNr, team).empty() || !teams.Cells(Teams_SV, team).empty();
}

}  // namespace

bool NimmtErgebnisse(const std::string& state) {
    return state == "Open" || state == "None" || state == "Edit" || state == "Done";
}

std::string OffeneTeilnehmer(const TMainForm& form, int row) {
    const TSortGrid& teams = form.Teams;
    std::vector<std::string> open;
    for (int column : {Spielplan_T1, Spielplan_T2}) {
        const int team = IntGet(form.Spielplan, column, row, true);
        const bool isTeam = team >= 1 && team < teams.RowCount();
        if (isTeam && (!IsPlaceholder(teams, team) || !teams.Cells(Teams_Name_Tur, team).empty())) continue;
        open.push_back("„" + (isTeam ? teams.Cells(Teams_Name, team) : IntToStr(team)) + "“");
    }
    if (open.empty()) return {};
    if (open.size() == 1) return "der Teilnehmer " + open[0] + " steht noch nicht fest";
    return "die Teilnehmer " + open[0] + " und " + open[1] + " stehen noch nicht fest";
}

std::string KeinErgebnisGrund(const TMainForm& form, int row) {
    const int g = IntGet(form.Spielplan, Spielplan_GrNr, row, true);
    const std::string state = State(form, g);
    if (NimmtErgebnisse(state)) return OffeneTeilnehmer(form, row);
    const std::string group = "Gruppe " + ListGet(form.XAGruppBez, g);
    if (state == "Closed") return group + " ist abgeschlossen: ein späteres Spiel baut auf ihr auf";
    const std::vector<int> waitingFor = UnfinishedSources(form, g);
    return "die Teilnehmer von " + group + " stehen noch nicht fest" +
           (waitingFor.empty() ? "" : " (" + GroupsAre(form, waitingFor) + " noch nicht fertig)");
}

bool SpielHatErgebnis(const TMainForm& form, int row) {
    return !Get(form.Spielplan, Spielplan_Sieger, row, true).empty();
}

GroupProgress CountProgress(const TMainForm& form, int g) {
    GroupProgress progress;
    const TSortGrid& plan = form.Spielplan;
    for (int r : RowsWithNumber(plan, Spielplan_GrNr, g)) {
        if (!IsGame(plan, r)) continue;
        ++progress.games;
        if (!plan.Cells(Spielplan_Sieger, r).empty()) ++progress.decided;
    }
    return progress;
}

bool AllGamesDecided(const TMainForm& form) {
    const TSortGrid& plan = form.Spielplan;
    for (int r = 1; r < plan.RowCount(); ++r)
        if (IsGame(plan, r) && plan.Cells(Spielplan_Sieger, r).empty()) return false;
    return true;
}

void MarkResultTaken(TMainForm& form, int g, int t1, int t2) {
    for (int team : {t1, t2})
        if (const int s = SourceGroup(form, team); s > 0) SetState(form, s, "Closed");
    SetState(form, g, "Edit");
}

std::set<int> MarkResultRemoved(TMainForm& form, int g, const GroupProgress& progress) {
    std::set<int> rebuilt;
    if (progress.games - 1 == progress.decided) {
        SetState(form, g, "Edit");
        if (g >= 1) rebuilt = TakeBackFrom(form, g);
    }
    if (progress.decided == 0) SetState(form, g, "Open");
    return rebuilt;
}

std::set<int> ShowParticipantNames(TMainForm& form) { return ShowNames(form); }

LaterGroups OpenLaterGroups(TMainForm& form) {
    LaterGroups result;
    result.changedStandings = ShowNames(form);
    const TSortGrid& gruppe = form.Gruppe;
    const std::vector<std::vector<int>>& sourcesOf = SourceGroups(form);
    // Which groups open follows from the groups' states and numbers and their sources alone: while
    // none of them changed since no group opened, none opens.
    TMainForm::LaterGroupsMemo& memo = form.LaterGroupsRead;
    const std::array<std::uint64_t, 3> read{gruppe.ColumnChanges(Gruppe_State), gruppe.ColumnChanges(0), memo.sourcesRead};
    if (memo.nothingOpened == read) return result;
    const size_t groups = static_cast<size_t>(gruppe.RowCount());
    std::vector<char> finished(groups, 0);
    for (int h = 1; h < gruppe.RowCount(); ++h) finished[static_cast<size_t>(h)] = Finished(gruppe.Cells(Gruppe_State, h));
    auto sourceFinished = [&](int source) {
        return static_cast<size_t>(source) < groups ? finished[static_cast<size_t>(source)] != 0
                                                    : Finished(State(form, source));
    };
    std::set<int> opened;
    for (int h = 1; h < gruppe.RowCount(); ++h) {
        const std::string& state = gruppe.Cells(Gruppe_State, h);
        const bool waiting = state.empty() || state == "None" || state == "Open";
        if (gruppe.Cells(0, h).empty() || !waiting) continue;
        if (!std::ranges::all_of(sourcesOf[static_cast<size_t>(h)], sourceFinished)) continue;
        opened.insert(h);
        result.opened.push_back(IntToStr(h));
    }
    if (opened.empty()) {
        memo.nothingOpened = read;
        return result;
    }
    result.changedStandings.insert(opened.begin(), opened.end());
    // A group taken back keeps the results it had: it is open again only without any.
    const std::set<int> played = Rebuild(form, opened, true);
    for (int h : opened) SetState(form, h, played.count(h) ? "Edit" : "Open");
    return result;
}

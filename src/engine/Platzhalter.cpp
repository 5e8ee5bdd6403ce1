#include "engine/Platzhalter.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>
#include <vector>

#include "engine/Platzierung.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/Notation.h"
#include "foundation/MainForm.h"

namespace {

// A best-of code split into its three parts; valid only when both "/" are present.
struct BestOf {
    bool valid = false;
    std::string i, k, groups;
};

BestOf ParseBestOf(const std::string& code) {
    BestOf b;
    const std::string rest = code.substr(1);
    const size_t first = rest.find('/');
    if (first == std::string::npos) return b;
    const size_t second = rest.find('/', first + 1);
    if (second == std::string::npos) return b;
    b.valid = true;
    b.i = rest.substr(0, first);
    b.k = rest.substr(first + 1, second - first - 1);
    b.groups = rest.substr(second + 1);
    return b;
}

std::string GameText(char kind, const std::string& game) { return GameCodeText(kind, game); }

std::string PlaceText(const std::string& place, const std::string& groupId) { return PlaceCodeText(place, groupId); }

// Row of the game with this number; 0 when there is none.
int GameRow(const TMainForm& f, const std::string& game) {
    if (game.empty()) return 0;
    return FindRow(f.Spielplan, Spielplan_SpNr, game);
}

int GroupRow(const TMainForm& f, int g) { return g < 1 ? 0 : FindRow(f.Gruppe, Gruppe_Nr, IntToStr(g)); }

int GroupNumberOf(const TMainForm& f, const std::string& groupId) { return f.XAGruppBez.Items.IndexOf(groupId); }

std::string PutGamePlaceholder(TMainForm& f, char kind, const std::string& code, int row) {
    const std::string game = code.substr(1);
    if (row > 0) {
        TSortGrid& teams = f.Teams;
        Put(teams, Teams_Pos, row, game, true);
        if (int gameRow = GameRow(f, game); gameRow > 0)
            Put(teams, Teams_GrNr, row, Get(f.Spielplan, Spielplan_GrNr, gameRow, true), true);
        Put(teams, Teams_SV, row, std::string(1, kind), true);
    }
    return GameText(kind, game);
}

std::string PutPlacePlaceholder(TMainForm& f, const std::string& code, int row) {
    const size_t dot = code.find('.');
    const std::string place = code.substr(0, dot);
    const std::string groupId = code.substr(dot + 1);
    if (row > 0) {
        TSortGrid& teams = f.Teams;
        Put(teams, Teams_Pos, row, place, true);
        Put(teams, Teams_SV, row, "", true);
        const int group = GroupNumberOf(f, groupId);
        if (group < 1)
            ErrorLog("[X] PutPlatzhalter: Keine Gruppe " + groupId + " gefunden");
        else
            Put(teams, Teams_GrNr, row, group, true);
    }
    return PlaceText(place, groupId);
}

// The participants of group g in standings order; item 0 is the group's id.
std::vector<std::string> StandingsOf(const TMainForm& f, int g, int groupRow) {
    std::vector<std::string> list{Get(f.Gruppe, Gruppe_Bez, groupRow, true)};
    const TSortGrid& platz = f.Platz;
    for (int row = 1; row < platz.RowCount(); ++row)
        if (IntGet(platz, Platz_GrNr, row, true) == g) list.push_back(Get(platz, Platz_TeamNr, row, true));
    return list;
}

struct Resolution {
    std::string name;
    int team = 0;
    bool open = false;  // the source is not decided: the slot waits for its participant again
};

std::string TeamName(const TMainForm& f, int team) { return team < 0 ? "" : ListGet(f.XATeamsTur, team); }

// The texts by which final placing rows name a place of the group (or the winner or loser of
// game x) when they name their source only by text, each with its place; the first place a text
// stands for wins.
std::unordered_map<std::string, size_t> PlacesByText(const std::vector<std::string>& places, int x) {
    std::unordered_map<std::string, size_t> byText;
    const std::string game = IntToStr(x);
    for (size_t p = 1; p < places.size(); ++p) {
        byText.emplace(PlaceText(IntToStr(static_cast<long long>(p)), places[0]), p);
        if (p == 1) byText.emplace(GameText('S', game), p);
        if (p == 2) byText.emplace(GameText('V', game), p);
    }
    return byText;
}

Resolution ResolveByText(const TMainForm& f, int row, const std::vector<std::string>& places,
                         const std::unordered_map<std::string, size_t>& byText) {
    const auto found = byText.find(Get(f.Teams, Teams_Name, row, true));
    if (found == byText.end()) return {};
    return {TeamName(f, ToInt(places[found->second])), 0};
}

Resolution ResolvePlace(const TMainForm& f, int row, const std::vector<std::string>& places) {
    const int p = IntGet(f.Teams, Teams_Pos, row, true);
    if (p < 1 || p >= static_cast<int>(places.size())) {
        ErrorLog("[X] calcAfterRound: TeamNr " + Get(f.Teams, Teams_Nr, row, true) + " verlangt Platz " +
                 IntToStr(p) + ", die Gruppe hat " + IntToStr(static_cast<long long>(places.size()) - 1));
        return {};
    }
    const int team = ToInt(places[static_cast<size_t>(p)]);
    return {TeamName(f, team), team};
}

// Winner or loser of a game; a game without a winner (not played, drawn) decides nothing yet, and
// a participant it gave before, when its result was different, is taken back.
Resolution ResolveGame(const TMainForm& f, int row, bool winner) {
    const TSortGrid& plan = f.Spielplan;
    const int gameRow = GameRow(f, Get(f.Teams, Teams_Pos, row, true));
    if (gameRow < 1) return {};
    const int w = IntGet(plan, Spielplan_Sieger, gameRow, true);
    if (w < 1) return {"", 0, true};
    int team = w;
    if (!winner) {
        team = IntGet(plan, Spielplan_T1, gameRow, true) == w ? IntGet(plan, Spielplan_T2, gameRow, true)
                                                               : IntGet(plan, Spielplan_T1, gameRow, true);
    }
    return {TeamName(f, team), team};
}

// Group numbers of a best-of list when every one of them is finished; empty otherwise.
std::set<int> FinishedGroups(const TMainForm& f, std::string list) {
    if (list.empty() || list.back() != ',') list += ',';
    std::set<int> groups;
    const TSortGrid& gruppe = f.Gruppe;
    for (size_t start = 0, comma; (comma = list.find(',', start)) != std::string::npos; start = comma + 1) {
        const int row = FindRow(gruppe, Gruppe_Bez, list.substr(start, comma - start));
        const std::string state = row > 0 ? Get(gruppe, Gruppe_State, row, true) : "";
        if (state != "Done" && state != "Closed") return {};
        groups.insert(IntGet(gruppe, Gruppe_Nr, row, true));
    }
    return groups;
}

// The i-th best of the k-th placed of the listed groups. A group's k-th placed is the k-th row of
// its standings; they are compared by their own values (head-to-head compares two participants
// of one group only), and the earlier group comes first where their values are level.
Resolution ResolveBestOf(const TMainForm& f, int row) {
    const BestOf b = ParseBestOf(Get(f.Teams, Teams_SV, row, true));
    if (!b.valid) return {};
    const std::set<int> groups = FinishedGroups(f, b.groups);
    const int i = ToInt(b.i), k = ToInt(b.k);
    if (groups.empty() || i < 1 || k < 1) return {};
    const TSortGrid& platz = f.Platz;
    std::map<int, std::vector<int>> rowsOfGroup;  // standings rows per group, in table order
    for (int r = 1; r < platz.RowCount(); ++r) {
        const int group = IntGet(platz, Platz_GrNr, r, true);
        if (groups.count(group)) rowsOfGroup[group].push_back(r);
    }
    std::vector<int> placed;
    for (const auto& [group, rows] : rowsOfGroup)
        if (static_cast<int>(rows.size()) >= k) placed.push_back(rows[static_cast<size_t>(k) - 1]);
    if (i > static_cast<int>(placed.size())) return {};
    const std::vector<int> ranked = RankedByValues(f, placed);
    const int team = IntGet(platz, Platz_TeamNr, ranked[static_cast<size_t>(i) - 1], true);
    return {TeamName(f, team), team};
}

Resolution ResolveRow(const TMainForm& f, int row, int g, const std::vector<std::string>& places,
                      const std::unordered_map<std::string, size_t>& byText) {
    const TSortGrid& teams = f.Teams;
    const std::string kind = Get(teams, Teams_SV, row, true);
    const int source = IntGet(teams, Teams_GrNr, row, true);
    const bool concerned = (!kind.empty() && kind[0] == 'B') || (g >= 1 && source == g);
    if (!concerned) {
        if (IntGet(teams, Teams_Platz, row, true) > 0) return ResolveByText(f, row, places, byText);
        return {};
    }
    if (kind.empty()) return ResolvePlace(f, row, places);
    if (kind == "S" || kind == "V") return ResolveGame(f, row, kind == "S");
    if (kind[0] == 'B') return ResolveBestOf(f, row);
    ErrorLog("[X] TeamNr: " + Get(teams, Teams_Nr, row, true) + " konnte nicht zugeordnet werden");
    return {};
}

// The slot shows its placeholder text again and has no participant.
void LeaveOpen(TMainForm& f, int row) {
    TSortGrid& teams = f.Teams;
    if (Get(teams, Teams_Name_Tur, row, true).empty()) return;
    Put(teams, Teams_Name_Tur, row, "", true);
    const std::string number = Get(teams, Teams_Nr, row, true);
    ListPut(f.XATeamsTur, ToInt(number), "");
    TSortGrid& platz = f.Platz;
    const std::string placeholder = Get(teams, Teams_Name, row, true);
    for (int p = 1; p < platz.RowCount(); ++p)
        if (Get(platz, Platz_TeamNr, p, true) == number) Put(platz, Platz_Team, p, placeholder, true);
}

}  // namespace

std::string PlatzhalterText(const TMainForm& f, const std::string& code) { return CodeDisplayText(f, code); }

std::string PutPlatzhalter(TMainForm& f, const std::string& code, int row) {
    if (code.empty()) {
        ErrorLog("PutPlatzhalter FEHLER");
        return {};
    }
    const char first = code[0];
    if (first == 'S' || first == 'V') return PutGamePlaceholder(f, first, code, row);
    if (first == 'M') {
        if (row > 0) Put(f.Teams, Teams_SV, row, "", true);
        return TeamCodeText(f, code.substr(1));
    }
    if (first == 'B') {
        if (row > 0) Put(f.Teams, Teams_SV, row, code, true);
        return CodeDisplayText(f, code);
    }
    if (code.find('.') != std::string::npos) return PutPlacePlaceholder(f, code, row);
    return {};
}

std::string GetPlatzhalter(const TMainForm& f, int row, bool asCode) {
    if (row < 1) {
        ErrorLog("[F] GetPlatzhalter FEHLER");
        return {};
    }
    if (!asCode) return ListGet(f.XATeamsTur, row);
    const TSortGrid& teams = f.Teams;
    const std::string kind = Get(teams, Teams_SV, row, true);
    const std::string pos = Get(teams, Teams_Pos, row, true);
    if (!kind.empty() && (kind[0] == 'S' || kind[0] == 'V')) return kind.substr(0, 1) + pos;
    if (!kind.empty() && kind[0] == 'B') return kind;
    return pos + "." + ListGet(f.XAGruppBez, IntGet(teams, Teams_GrNr, row, true));
}

void calcAfterRound(TMainForm& f, int g, int x) {
    const int groupRow = GroupRow(f, g);
    const std::vector<std::string> places = groupRow > 0 ? StandingsOf(f, g, groupRow) : std::vector<std::string>{};
    const int count = groupRow > 0 ? IntGet(f.Gruppe, Gruppe_AnzTeams, groupRow, true) : 0;
    if (places.size() < 2 || static_cast<int>(places.size()) - 1 != count) {
        ErrorLog("[X] calcAfterRound FEHLER: Anzahl unbekannt");
        return;
    }
    const std::unordered_map<std::string, size_t> byText = PlacesByText(places, x);
    TSortGrid& teams = f.Teams;
    for (int row = 1; row < teams.RowCount(); ++row) {
        if (Get(teams, 0, row, true).empty()) continue;
        const Resolution found = ResolveRow(f, row, g, places, byText);
        if (found.open) LeaveOpen(f, row);
        if (found.name.empty()) continue;
        Put(teams, Teams_Name_Tur, row, found.name, true);
        ListPut(f.XATeamsTur, IntGet(teams, Teams_Nr, row, true), found.name);
        if (found.team > 0) Put(teams, Teams_TMP, row, Get(teams, Teams_TMP, found.team, true), true);
    }
}

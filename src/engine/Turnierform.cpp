#include "engine/Turnierform.h"

#include <algorithm>
#include <map>

#include "dialogs/Dialogs.h"
#include "dialogs/FormGenerators.h"
#include "engine/PairingFile.h"
#include "engine/Platzhalter.h"
#include "engine/RundeAnlegen.h"
#include "foundation/Accessors.h"
#include "foundation/Busy.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/MessageBoxes.h"
#include "foundation/Notation.h"
#include "foundation/Texts.h"
#include "platform/ProgramFolder.h"
#include "platform/Strings.h"
#include "platform/Utf8.h"

namespace {

// A tournament holds at most this many groups (the Gruppe table's limit of 199 rows), games and
// final places.
constexpr int kMaxGroups = 198;
constexpr int kMaxGames = 20000;
constexpr int kMaxPlaces = 1000;

bool LongerThanTwoCharacters(std::string_view s) {
    size_t pos = 0;
    for (int n = 0; n < 3; ++n) {
        if (pos >= s.size()) return false;
        pos += utf8::CharSize(s, pos);
    }
    return true;
}

// Character position (from 1) of a byte offset of the text.
int CharacterPosition(const std::string& text, size_t byte) {
    return static_cast<int>(utf8::Length(std::string_view(text).substr(0, std::min(byte, text.size())))) + 1;
}

std::string At(const std::string& text, size_t byte) {
    return " (Zeichen " + IntToStr(CharacterPosition(text, byte)) + ")";
}

// Drops the last character (the ";" that ends the last item, or the "|" that closes the round).
void DropLastCharacter(std::string& text) {
    if (text.empty()) return;
    size_t last = text.size() - 1;
    while (last > 0 && (static_cast<unsigned char>(text[last]) & 0xC0) == 0x80) --last;
    if (utf8::CharSize(text, last) != text.size() - last) last = text.size() - 1;
    text.erase(last);
}

// The groups of one round: `groups` is the text after the round's "|", starting at byte `base`
// of the whole text.
void ReadGroups(const std::string& whole, const std::string& groups, size_t base, ParsedRound& round, ParsedForm& out) {
    if (!groups.empty() && groups[0] != '$') {
        out.error = "Die Turnierform ist fehlerhaft: eine Gruppe muss mit $ beginnen" + At(whole, base);
        return;
    }
    // The round's text with one "$" appended and the opening "$" taken off.
    const std::string r = groups.empty() ? std::string() : groups.substr(1) + "$";
    const size_t offset = base + 1;
    size_t p = 0;
    while (r.find('$', p) != std::string::npos) {
        ParsedGroup group;
        group.position = CharacterPosition(whole, offset + p - 1);
        std::string* fields[] = {&group.id, &group.name, &group.system};
        for (std::string* field : fields) {
            const size_t end = r.find('$', p);
            if (end == std::string::npos) {
                out.error = "Die Turnierform ist fehlerhaft: die Gruppe ist unvollständig (Zeichen " +
                            IntToStr(group.position) + ")";
                return;
            }
            *field = r.substr(p, end - p);
            p = end + 1;
        }
        const size_t end = r.find('$', p);
        if (end == std::string::npos) {
            out.error = "Die Turnierform ist fehlerhaft: der Gruppe " + group.id + " fehlen die Teilnehmer (Zeichen " +
                        IntToStr(group.position) + ")";
            return;
        }
        group.items = r.substr(p, end - p);
        DropLastCharacter(group.items);
        if (!group.items.empty() && group.items.back() == ';') group.items.pop_back();
        group.count = CountChar(group.items, U';') + 1;
        round.groups.push_back(std::move(group));
        p = end + 1;
    }
    if (round.groups.empty())
        out.error = "Die Turnierform ist fehlerhaft: die Runde " + round.name + " hat keine Gruppe" + At(whole, base);
}

bool IsBlank(std::string_view text) { return text.find_first_not_of(" \t\r\n") == std::string_view::npos; }

// Games a group makes: round robins as the pairing table file lists them for the group's size.
class GameCounter {
public:
    int Games(const std::string& system, int n) {
        if (system != "JGJ" && system != "JGJ2") return GamesOfSystem(system, n);
        auto it = roundRobin_.find(n);
        if (it == roundRobin_.end()) it = roundRobin_.emplace(n, RoundRobinGames(n)).first;
        return system == "JGJ2" ? 2 * it->second : it->second;
    }

private:
    static int RoundRobinGames(int n) {
        const PairingBlock block = ReadPairingBlock(ProgramFile(kPairingFileName), n);
        if (!block.found) return n * (n - 1) / 2;
        return static_cast<int>(std::count_if(block.positions.begin(), block.positions.end(), [n](const auto& pair) {
            return pair.first >= 1 && pair.first <= n && pair.second >= 1 && pair.second <= n &&
                   pair.first != pair.second;
        }));
    }
    std::map<int, int> roundRobin_;
};

// The groups known so far, ids compared regardless of case as the lookup of group numbers does.
class KnownGroups {
public:
    explicit KnownGroups(const std::vector<std::pair<std::string, int>>& groups) {
        for (const auto& [id, count] : groups) Add(id, count);
    }
    void Add(const std::string& id, int count) { counts_[UpperAscii(id)] = count; }
    // Participant count of a group, -1 for an unknown one.
    int Count(const std::string& id) const {
        const auto it = counts_.find(UpperAscii(id));
        return it == counts_.end() ? -1 : it->second;
    }
    int Size() const { return static_cast<int>(counts_.size()); }

private:
    std::map<std::string, int> counts_;
};

// Why an item cannot stand in a group (own id) or in the final placing (own id empty): it must be
// a code of the notation, and its source must exist before it.
std::string ItemProblem(const std::string& item, const KnownGroups& known, int gamesBefore, const std::string& ownId) {
    const ParticipantCode code = ReadParticipantCode(item);
    switch (code.kind) {
        case CodeKind::Invalid:
            return "ungültiger Teilnehmer \"" + item + "\"";
        case CodeKind::Team:
            return {};
        case CodeKind::Winner:
        case CodeKind::Loser:
            if (code.number > gamesBefore) return "das Spiel " + IntToStr(code.number) + " gibt es davor nicht";
            return {};
        default:
            break;
    }
    int groupsWithRank = 0;
    for (const std::string& id : code.groups) {
        const int count = known.Count(id);
        if (count < 0 || SameText(id, ownId)) return "die Gruppe " + id + " gibt es davor nicht (\"" + item + "\")";
        if (code.kind == CodeKind::Place && code.number > count)
            return "Platz " + IntToStr(code.number) + " der Gruppe " + id + " gibt es nicht";
        if (count >= code.rank) ++groupsWithRank;
    }
    if (code.kind == CodeKind::BestOf && code.number > groupsWithRank)
        return "\"" + item + "\": so viele " + IntToStr(code.rank) + ". Plätze gibt es nicht";
    return {};
}

std::vector<std::string> PlacingItems(const std::string& placing) {
    std::vector<std::string> items;
    const size_t last = placing.rfind(';');
    if (last == std::string::npos) return items;
    for (const std::string& item : SplitItems(std::string_view(placing).substr(0, last)))
        if (!item.empty()) items.push_back(item);
    return items;
}

std::string GroupProblem(const ParsedGroup& group, const KnownGroups& known, int gamesBefore) {
    const std::string where = "Gruppe " + group.id + " (Zeichen " + IntToStr(group.position) + "): ";
    if (std::string problem = GroupIdProblem(group.id); !problem.empty()) return where + problem;
    if (known.Count(group.id) >= 0) return where + GroupIdTakenText();
    if (group.count > kMaxGroupSize) return where + "mehr als " + IntToStr(kMaxGroupSize) + " Teilnehmer";
    if (group.system.size() > 1 && group.system[0] == 'A' && ToInt(group.system.substr(1)) > kMaxGamesPerGroup)
        return where + "mehr als " + IntToStr(kMaxGamesPerGroup) + " Spiele";
    // A group without participants is built with one empty slot, as the notation reads it.
    if (group.items.empty()) return {};
    for (const std::string& item : SplitItems(group.items))
        if (std::string problem = ItemProblem(item, known, gamesBefore, group.id); !problem.empty())
            return where + problem;
    return {};
}

// The final placing a form without one gets, by the wizard's system and participant count N:
// the groups' places from the last group back (group systems, Swiss), or the game results of a
// knock-out with the pools' third and fourth places (knock-out, pool play).
std::string BuiltPlacing(TMainForm& form) {
    const TfrmNeuTur& wizard = DialogsOf(form).frmNeuTur;
    const int system = wizard.RadioGroup4.ItemIndex();
    const int n = ToInt(wizard.Feld1.Text());
    const TSortGrid& gruppe = form.Gruppe;
    const TSortGrid& plan = form.Spielplan;
    std::string placing, tail;
    int c = 0;
    for (int j = gruppe.RowCount() - 1; j >= 1 && c != n; --j) {
        if (Get(gruppe, Gruppe_Nr, j, true).empty()) continue;
        const std::string id = Get(gruppe, Gruppe_Bez, j, true);
        const int count = IntGet(gruppe, Gruppe_AnzTeams, j, true);
        if (system == 0 || system == 1) {
            for (int i = 1; i <= count; ++i, ++c) placing += IntToStr(i) + "." + id + ";";
        } else if (system == 2 || system == 3) {
            const int group = IntGet(gruppe, Gruppe_Nr, j, true);
            const int first = FindRow(plan, Spielplan_GrNr, IntToStr(group));
            if (system == 3 && count == 4 && c >= 3) {
                placing += "3." + id + ";";
                tail += "4." + id + ";";
                c += 2;
            } else if (count != 2) {
                for (int row = plan.RowCount() - 1; row >= 1 && c != n; --row)
                    if (IntGet(plan, Spielplan_GrNr, row, true) == group) {
                        placing += "V" + Get(plan, Spielplan_SpNr, row, true) + ";";
                        ++c;
                    }
            } else if (first > 0) {
                const std::string game = Get(plan, Spielplan_SpNr, first, true);
                placing += (c == 0 ? "S" + game + ";" : std::string()) + "V" + game + ";";
                c += c == 0 ? 2 : 1;
            }
        }
    }
    return placing + tail;
}

// The final placing list: one Teams row per place at the first free row, with its lookup entries
// at the same index, and the place grid.
void WritePlacing(TMainForm& form, const std::string& placing) {
    TSortGrid& teams = form.Teams;
    TStringGrid& places = form.TPlatz;
    ClearListGrid(places);
    int p = 1;
    for (const std::string& item : PlacingItems(placing)) {
        const int row = FirstFreeRow(teams, 0);
        if (row >= teams.RowCount()) teams.SetRowCount(row + 1);
        Put(teams, 0, row, form.AktTurNr, true);
        Put(teams, 1, row, TabelleTeams, true);
        Put(teams, Teams_Nr, row, row, true);
        Put(teams, Teams_Platz, row, p, true);
        for (int column : {Teams_Pos, Teams_GrNr, Teams_InGr, Teams_SV, Teams_Name_Tur, Teams_TMP})
            Put(teams, column, row, "", true);
        const std::string shown = PlatzhalterText(form, item);
        Put(teams, Teams_Name, row, shown, true);
        Put(teams, Teams_Name_Tmp, row, shown, true);
        PutListItem(form.XATeams, row, PutPlatzhalter(form, item, row));
        PutListItem(form.XATeamsTur, row, "");
        if (places.RowCount() <= p) places.SetRowCount(p + 1);
        places.SetCells(0, p, IntToStr(p));
        places.SetCells(1, p, form.XATeams.Items[row]);
        ++p;
    }
    places.SetRowCount(std::max(2, p));
}

void FillRoundPage(TMainForm& form, const ParsedRound& round, int number) {
    form.Edit4.SetText(IntToStr(number));
    form.Edit3.SetText(round.name);
    TStringGrid& list = form.Gruppen;
    ClearListGrid(list);
    list.SetRowCount(static_cast<int>(round.groups.size()) + 1);
    for (size_t i = 0; i < round.groups.size(); ++i) {
        const ParsedGroup& g = round.groups[i];
        const int row = static_cast<int>(i) + 1;
        list.SetCells(0, row, g.id);
        list.SetCells(1, row, g.name);
        list.SetCells(2, row, g.items);
        list.SetCells(3, row, IntToStr(g.count));
        list.SetCells(4, row, g.system);
    }
}

}  // namespace

ParsedForm ParseTurnierform(const std::string& text) {
    ParsedForm out;
    std::string s = text;
    if (const size_t marker = s.find("<$$>"); marker != std::string::npos) {
        out.placing = s.substr(marker + 4);
        s.erase(marker);
        s += '!';
    }
    for (size_t pos = 0;;) {
        const size_t bang = s.find('!', pos);
        if (bang == std::string::npos || !LongerThanTwoCharacters(std::string_view(s).substr(pos))) break;
        const size_t begin = bang + 1;
        const size_t next = s.find('!', begin);
        if (next == std::string::npos) break;
        const std::string r = s.substr(begin, next - begin);
        pos = next;
        const size_t bar = r.find('|');
        if (bar == std::string::npos) {
            if (IsBlank(r)) continue;
            out.error = "Die Turnierform ist fehlerhaft: dem Rundennamen fehlt das Zeichen |" + At(s, begin);
            return out;
        }
        ParsedRound round;
        round.name = r.substr(0, bar);
        round.position = CharacterPosition(s, begin);
        ReadGroups(s, r.substr(bar + 1), begin + bar + 1, round, out);
        if (!out.error.empty()) return out;
        out.rounds.push_back(std::move(round));
    }
    if (out.rounds.empty()) out.error = "Die Turnierform enthält keine Runde";
    return out;
}

FormStart StartOf(const TMainForm& form) {
    FormStart start;
    const TSortGrid& gruppe = form.Gruppe;
    for (int row = 1; row < gruppe.RowCount(); ++row)
        if (!Get(gruppe, Gruppe_Nr, row, true).empty())
            start.groups.emplace_back(Get(gruppe, Gruppe_Bez, row, true), IntGet(gruppe, Gruppe_AnzTeams, row, true));
    const TSortGrid& plan = form.Spielplan;
    start.games = Get(plan, 0, 1, true).empty() ? 0 : plan.RowCount() - 1;
    return start;
}

std::string CheckTurnierform(const ParsedForm& form, const FormStart& start) {
    if (!form.error.empty()) return form.error;
    KnownGroups known(start.groups);
    GameCounter counter;
    int games = start.games;
    for (const ParsedRound& round : form.rounds) {
        int roundGames = 0;
        for (const ParsedGroup& group : round.groups) {
            if (std::string problem = GroupProblem(group, known, games); !problem.empty()) return problem;
            known.Add(group.id, group.count);
            if (known.Size() > kMaxGroups) return "Die Turnierform hat mehr als " + IntToStr(kMaxGroups) + " Gruppen";
            roundGames += counter.Games(group.system, group.count);
            if (games + roundGames > kMaxGames)
                return "Die Turnierform ergibt mehr als " + IntToStr(kMaxGames) + " Spiele";
        }
        games += roundGames;
    }
    const std::vector<std::string> places = PlacingItems(form.placing);
    if (places.size() > static_cast<size_t>(kMaxPlaces))
        return "Die Endplatzierung hat mehr als " + IntToStr(kMaxPlaces) + " Plätze";
    for (const std::string& item : places)
        if (std::string problem = ItemProblem(item, known, games, ""); !problem.empty())
            return "Endplatzierung: " + problem;
    return {};
}

std::string TurnierformProblem(const std::string& text) {
    return CheckTurnierform(ParseTurnierform(text), FormStart{});
}

bool buildTurnierform(TMainForm& form, const std::string& text) {
    Log("[F] buildTurnierform(): Turnierform anlegen");
    const ParsedForm parsed = ParseTurnierform(text);
    std::string problem = CheckTurnierform(parsed, StartOf(form));
    // Every round takes the page's timing and fields.
    if (problem.empty()) problem = RoundPageProblem(form, false);
    if (!problem.empty()) {
        ErrorLog("[X] buildTurnierform: " + problem);
        ShowMsg(3, "Die Turnierform kann nicht angelegt werden. " + problem);
        return false;
    }
    BusyScope busy(form, "Turnierform anlegen");
    int number = 0;
    for (const ParsedRound& round : parsed.rounds) {
        FillRoundPage(form, round, ++number);
        form.TurFormBuild = true;
        CreateRound(form);
        form.TurFormBuild = false;
    }
    WritePlacing(form, parsed.placing.empty() ? BuiltPlacing(form) : parsed.placing);
    form.DoPlan(form.XPlan1, 0, 0, nullptr);
    form.DoPlan(form.XPlan2, 0, 0, nullptr);
    return true;
}

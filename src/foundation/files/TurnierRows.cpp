#include "foundation/files/TurnierRows.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <set>
#include <utility>

#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Notation.h"
#include "platform/Strings.h"

namespace {

constexpr size_t kMasterColumns = 31;
// Columns of each table by its number; a row carries no cells beyond them.
constexpr size_t kColumnsOfKind[] = {0, 22, 29, 17, 27, 18, 5, 17};

const std::string& CellOf(const TurnierRow& row, int column) {
    static const std::string empty;
    return static_cast<size_t>(column) < row.size() ? row[static_cast<size_t>(column)] : empty;
}

// A number as the program writes the numbers of its rows: decimal, from 1, without a sign or a
// leading zero. 0 for any other text.
int NumberOf(const std::string& text) {
    if (text.empty() || text.size() > 10 || text[0] < '1' || text[0] > '9') return 0;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
    }
    return value <= INT_MAX ? static_cast<int>(value) : 0;
}

// Numbers up to this are kept in a table; beyond it, apart (a file may hold any number, and a
// number of nine digits must cost no memory).
constexpr size_t kDenseNumbers = size_t{1} << 20;

// The numbers of one table's rows as they come: each stands once, and together they run from 1
// without a gap. A row without a number is not counted.
class Numbering {
public:
    explicit Numbering(std::string what) : what_(std::move(what)) {}

    void Add(const std::string& text) {
        if (text.empty()) return;
        const int number = NumberOf(text);
        if (number < 1) return Note(what_ + " hat die Nummer „" + text + "“.");
        if (!Mark(number)) Note(what_ + " " + text + " steht zweimal darin.");
        highest_ = std::max(highest_, number);
    }
    bool Has(int number) const {
        if (number < 1) return false;
        const size_t at = static_cast<size_t>(number);
        return at < seen_.size() ? seen_[at] : beyond_.count(number) != 0;
    }
    // The first number of another form or written twice, in the order of the rows; else the
    // first number missing.
    std::string Problem() const {
        if (!problem_.empty()) return problem_;
        for (int number = 1; number <= highest_; ++number)
            if (!Has(number)) return what_ + " " + IntToStr(number) + " fehlt.";
        return {};
    }
    const std::string& What() const { return what_; }

private:
    // False when the number was there before.
    bool Mark(int number) {
        const size_t at = static_cast<size_t>(number);
        if (at >= kDenseNumbers) return beyond_.insert(number).second;
        if (at >= seen_.size()) seen_.resize(std::max(at + 1, 2 * seen_.size()), false);
        if (seen_[at]) return false;
        seen_[at] = true;
        return true;
    }
    void Note(std::string problem) {
        if (problem_.empty()) problem_ = std::move(problem);
    }

    std::string what_;
    std::vector<bool> seen_;
    std::set<int> beyond_;
    int highest_ = 0;
    std::string problem_;
};

// A cell that names a row of another table by its number; 0 for a text no row is numbered by.
struct Reference {
    int number;
    const Numbering* table;
    const std::string* text;
};

struct Group {
    int number = 0;
    std::string id;
    std::string system;
    int participants = 0;
};

// A participant slot of a group or an entry of the final placing.
struct Slot {
    const std::string* number;  // its cell
    int group = 0;              // the group it plays in; 0 for the final placing
    ParticipantCode source;     // where its participant comes from
};

// Counts by the number of a group or participant; numbers no file reaches are not counted.
class Tally {
public:
    void Count(int number) {
        if (number < 1 || static_cast<size_t>(number) >= kDenseNumbers) return;
        const size_t at = static_cast<size_t>(number);
        if (at >= counts_.size()) counts_.resize(std::max(at + 1, 2 * counts_.size()), 0);
        ++counts_[at];
    }
    int Of(int number) const {
        return number >= 1 && static_cast<size_t>(number) < counts_.size() ? counts_[static_cast<size_t>(number)] : 0;
    }

private:
    std::vector<int> counts_;
};

// The code a slot or placing entry takes its participant from: the code the slot keeps, or for
// an entry of an older release's final placing the one its shown name stands for.
ParticipantCode SourceOf(const TurnierRow& row) {
    const std::string& kind = CellOf(row, Teams_SV);
    if (kind == "S" || kind == "V") {
        ParticipantCode game;
        game.number = NumberOf(CellOf(row, Teams_Pos));
        if (game.number > 0) game.kind = kind == "S" ? CodeKind::Winner : CodeKind::Loser;
        return game;
    }
    if (!kind.empty()) return ReadParticipantCode(kind);
    if (ToInt(CellOf(row, Teams_Platz)) > 0 && ToInt(CellOf(row, Teams_GrNr)) == 0)
        return ReadParticipantCode(PlacingCodeOfName(CellOf(row, Teams_Name)));
    return {};
}

}  // namespace

// What the pass over the rows gathers.
class TurnierRowsCheck::Survey {
public:
    explicit Survey(FewestGamesRule fewestGames)
        : fewestGames_(fewestGames), groups_("Gruppe"), teams_("Teilnehmer"), games_("Spiel") {}

    void Take(const TurnierRow& row);
    TurnierRowsVerdict Verdict() const;

private:
    std::string RowProblem(const TurnierRow& row, int kind) const;
    void TakeGroup(const TurnierRow& row);
    void TakeGame(const TurnierRow& row);
    void TakeTeam(const TurnierRow& row);
    void TakeStanding(const TurnierRow& row);
    std::string ReferenceProblem() const;
    std::string StandingsProblem() const;
    std::string CountProblem() const;
    std::string CodeProblem() const;
    std::string SourceProblem(const Slot& slot) const;
    bool HasGroupId(const std::string& id) const { return groupIds_.count(UpperAscii(id)) != 0; }
    void Refer(const std::string& text, const Numbering& table);

    FewestGamesRule fewestGames_;
    size_t rows_ = 0;
    std::string rowProblem_;  // the first row that belongs to no table or holds too many cells
    Numbering groups_, teams_, games_;
    std::vector<Reference> references_;
    std::vector<Group> groupRows_;
    std::set<std::string> groupIds_;  // upper case: ids match regardless of case
    std::vector<Slot> slots_;
    Tally gamesOfGroup_, slotsOfGroup_, standingsOfTeam_, standingsOfGroup_;
    bool olderGroups_ = false;
};


std::string TurnierRowsCheck::Survey::RowProblem(const TurnierRow& row, int kind) const {
    auto where = [this] { return "Zeile " + IntToStr(static_cast<long long>(rows_) + 1) + " der Tabelle "; };
    if (rows_ == 0 && kind != TabelleTurnier) return "die Tabelle beginnt nicht mit der Turnierzeile.";
    if (kind == 0) return where() + "gehört zu keiner Tabelle.";
    if (kind == TabelleTurnier && rows_ > 0) return "sie enthält mehr als eine Turnierzeile.";
    if (row.size() > kMasterColumns) return where() + "hat mehr Zellen als ihre Tabelle.";
    for (size_t c = kColumnsOfKind[kind]; c < row.size(); ++c)
        if (!row[c].empty()) return where() + "hat mehr Zellen als ihre Tabelle.";
    return {};
}

// Past the first row that is no row of a tournament the rest says nothing more.
void TurnierRowsCheck::Survey::Take(const TurnierRow& row) {
    if (!rowProblem_.empty()) return;
    const int kind = TurnierRowKind(row);
    rowProblem_ = RowProblem(row, kind);
    ++rows_;
    if (!rowProblem_.empty()) return;
    switch (kind) {
        case TabelleGruppe: TakeGroup(row); break;
        case TabelleSpielplan: TakeGame(row); break;
        case TabelleTeams: TakeTeam(row); break;
        case TabellePlatz: TakeStanding(row); break;
        default: break;
    }
}

void TurnierRowsCheck::Survey::TakeGroup(const TurnierRow& row) {
    groups_.Add(CellOf(row, Gruppe_Nr));
    const Group group{NumberOf(CellOf(row, Gruppe_Nr)), CellOf(row, Gruppe_Bez), CellOf(row, Gruppe_System),
                      ToInt(CellOf(row, Gruppe_AnzTeams))};
    groupRows_.push_back(group);
    groupIds_.insert(UpperAscii(group.id));
    if (!CellOf(row, Gruppe_Name).empty() && CellOf(row, Gruppe_Teams).empty() && CellOf(row, Gruppe_Felder).empty())
        olderGroups_ = true;
}

// The number is read now, while the cell is at hand; whether its row is there is known at the end.
// An empty cell, "0" or a text that is no number names no row.
void TurnierRowsCheck::Survey::Refer(const std::string& text, const Numbering& table) {
    const int number = NumberOf(text);
    if (number > 0 || (!text.empty() && ToInt(text) >= 1)) references_.push_back({number, &table, &text});
}

void TurnierRowsCheck::Survey::TakeGame(const TurnierRow& row) {
    games_.Add(CellOf(row, Spielplan_SpNr));
    Refer(CellOf(row, Spielplan_GrNr), groups_);
    Refer(CellOf(row, Spielplan_T1), teams_);
    Refer(CellOf(row, Spielplan_T2), teams_);
    gamesOfGroup_.Count(NumberOf(CellOf(row, Spielplan_GrNr)));
}

void TurnierRowsCheck::Survey::TakeTeam(const TurnierRow& row) {
    teams_.Add(CellOf(row, Teams_Nr));
    Refer(CellOf(row, Teams_InGr), groups_);
    Refer(CellOf(row, Teams_GrNr), groups_);
    const int group = NumberOf(CellOf(row, Teams_InGr));
    slotsOfGroup_.Count(group);
    slots_.push_back({&CellOf(row, Teams_Nr), group, SourceOf(row)});
}

void TurnierRowsCheck::Survey::TakeStanding(const TurnierRow& row) {
    Refer(CellOf(row, Platz_GrNr), groups_);
    Refer(CellOf(row, Platz_TeamNr), teams_);
    standingsOfTeam_.Count(NumberOf(CellOf(row, Platz_TeamNr)));
    standingsOfGroup_.Count(NumberOf(CellOf(row, Platz_GrNr)));
}

// Games, participants and standings name their groups and participants by number: a number that
// no row of the file has is a row lost.
std::string TurnierRowsCheck::Survey::ReferenceProblem() const {
    for (const Reference& reference : references_)
        if (!reference.table->Has(reference.number)) return reference.table->What() + " " + *reference.text + " fehlt.";
    return {};
}

// A group with standings has one row for each of its participants.
std::string TurnierRowsCheck::Survey::StandingsProblem() const {
    for (const Slot& slot : slots_) {
        if (standingsOfGroup_.Of(slot.group) == 0) continue;
        const int standings = standingsOfTeam_.Of(NumberOf(*slot.number));
        if (standings == 0) return "der Tabellenplatz von Teilnehmer " + *slot.number + " fehlt.";
        if (standings > 1) return "der Tabellenplatz von Teilnehmer " + *slot.number + " steht zweimal darin.";
    }
    return {};
}

// A group holds a slot for each of its participants and the games its system makes for them.
// More games are no damage: what the program makes of a group is never taken as its limit.
std::string TurnierRowsCheck::Survey::CountProblem() const {
    for (const Group& group : groupRows_) {
        const int slots = slotsOfGroup_.Of(group.number);
        if (slots < group.participants)
            return "in Gruppe " + group.id + " fehlen Teilnehmer (" + IntToStr(slots) + " statt " +
                   IntToStr(group.participants) + ").";
        if (!fewestGames_) continue;
        const int games = gamesOfGroup_.Of(group.number), fewest = fewestGames_(group.system, group.participants);
        if (games < fewest)
            return "in Gruppe " + group.id + " fehlen Spiele (" + IntToStr(games) + " statt " + IntToStr(fewest) + ").";
    }
    return {};
}

std::string TurnierRowsCheck::Survey::SourceProblem(const Slot& slot) const {
    const ParticipantCode& code = slot.source;
    auto who = [&slot] {
        return slot.group > 0 ? "Teilnehmer " + *slot.number + " kommt aus " : std::string("die Endplatzierung nennt ");
    };
    if (code.kind == CodeKind::Winner || code.kind == CodeKind::Loser) {
        if (!games_.Has(code.number)) return who() + "Spiel " + IntToStr(code.number) + ", das es nicht gibt.";
    } else if (code.kind == CodeKind::BestOf || code.kind == CodeKind::Place) {
        for (const std::string& id : code.groups)
            if (!HasGroupId(id)) return who() + "Gruppe " + id + ", die es nicht gibt.";
    }
    return {};
}

// The slots and the final placing take their participants from games and groups that are there.
std::string TurnierRowsCheck::Survey::CodeProblem() const {
    for (const Slot& slot : slots_)
        if (std::string problem = SourceProblem(slot); !problem.empty()) return problem;
    return {};
}

TurnierRowsVerdict TurnierRowsCheck::Survey::Verdict() const {
    if (rows_ == 0) return {"die Tabelle beginnt nicht mit der Turnierzeile.", false};
    if (!rowProblem_.empty()) return {rowProblem_, false};
    for (const std::string& problem : {groups_.Problem(), teams_.Problem(), games_.Problem(), ReferenceProblem(),
                                       StandingsProblem()})
        if (!problem.empty()) return {problem, false};
    // Groups of an older release have neither slots nor games to count.
    if (olderGroups_) return {{}, true};
    for (const std::string& problem : {CountProblem(), CodeProblem()})
        if (!problem.empty()) return {problem, false};
    return {};
}

TurnierRowsCheck::TurnierRowsCheck(FewestGamesRule fewestGames) : survey_(std::make_unique<Survey>(fewestGames)) {}

TurnierRowsCheck::~TurnierRowsCheck() = default;

void TurnierRowsCheck::Take(const TurnierRow& row) { survey_->Take(row); }

TurnierRowsVerdict TurnierRowsCheck::Verdict() const { return survey_->Verdict(); }

int TurnierRowKind(const TurnierRow& row) {
    if (row.size() < 2 || row[1].size() != 1) return 0;
    const char kind = row[1][0];
    return kind >= '0' + TabelleTurnier && kind <= '0' + TabelleUkSound ? kind - '0' : 0;
}

TurnierRowsVerdict CheckTurnierRows(const std::vector<TurnierRow>& rows, FewestGamesRule fewestGames) {
    TurnierRowsCheck check(fewestGames);
    for (const TurnierRow& row : rows) check.Take(row);
    return check.Verdict();
}

#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

class TMainForm;
class TStringGrid;
class TStrings;

// The game list of one plan: view 1 (all games; key 0 by number, 1 by time, 2 by group, 3 by
// field), 4 (the games of group key), 5 (of round key) or 7 (by time of day: key 0 running now,
// 1 still to come, 2 without a result). Every listed row carries ">>" in column 0 when its group
// takes results (the same mark goes into the game's Spielplan_Status) and the game number in
// column 1.
//
// After a result most of a large plan stays as it was, so the list remembers what it showed and
// what from. Filled again for the same view, with the plan untouched meanwhile, it rebuilds only
// the rows whose game changed, whose group's mark changed, or whose participants' or referee's
// names changed; anything else that the texts depend on (settings, the first day, the scoring
// names, group names, the participant lists' length, which games are listed or their order)
// rebuilds the whole list. The views by time of day and filtered lists are always built whole.
// A list to be built whole takes the rows of a twin, the list of the other plan, when the twin
// shows the same view and nothing has changed since it was filled: both plans mostly show all
// games, and a tournament made current fills both.
class GameList {
public:
    void Fill(TMainForm& f, TStringGrid& plan, int mode, int key, const TStrings* filter,
              const GameList* twin = nullptr);
    // The plan shows something else now.
    void Forget() { valid_ = false; }

    // What a game's place in the lists depends on.
    struct Placement {
        bool listed = false;
        int number = 0, group = 0, round = 0, field = 0;
        std::int64_t start = 0;
        friend bool operator==(const Placement&, const Placement&) = default;
    };
    // What every row's texts depend on beyond its game, its group's mark and the lookup lists.
    struct Surroundings {
        std::uint64_t settings = 0;
        std::string firstDay;
        std::string scoring[3];
        bool minusShown = false;
        std::uint8_t started = 0;
        friend bool operator==(const Surroundings&, const Surroundings&) = default;
    };
    // The lookup lists as the rows were made from them: group ids and names, participants'
    // slot texts and assigned names.
    struct Lists {
        std::vector<std::string> groupIds, groupNames, teams, teamsTur;
    };
    // The change counts of those lists.
    struct ListChanges {
        std::uint64_t groupIds = 0, groupNames = 0, teams = 0, teamsTur = 0;
        friend bool operator==(const ListChanges&, const ListChanges&) = default;
    };
    // What a group row tells the marks: its number, when it has one, and whether it takes results.
    struct GroupRow {
        bool numbered = false;
        int number = 0;
        bool marked = false;
        friend bool operator==(const GroupRow&, const GroupRow&) = default;
    };
    // A listed game: its Spielplan row and the numbers its texts were made from.
    struct Shown {
        int row = 0;
        int group = 0;
        int teams[3] = {0, 0, -1};  // the two participants and the referee team (-1: none)
        bool marked = false;
    };

private:
    void FillWhole(TMainForm& f, TStringGrid& plan, int mode, int key, const TStrings* filter);
    bool Refresh(TMainForm& f, TStringGrid& plan);
    // Whether the plan this list filled last shows this view as it would be built now.
    bool ShowsNow(const TMainForm& f, int mode, int key) const;
    void CopyTwin(const GameList& twin, TStringGrid& plan);
    bool StillFits(const TMainForm& f, const TStringGrid& plan) const;
    void FindRowsOfChangedGroups(const TMainForm& f, std::vector<char>& stale);
    void FindRowsOfChangedNames(const TMainForm& f, std::vector<char>& stale);
    void KeepWidths(TStringGrid& plan) const;
    // The counts of changes that the next fill compares with.
    void Remember(const TMainForm& f, const TStringGrid& plan);

    bool valid_ = false;
    const TStringGrid* plan_ = nullptr;  // the plan filled last
    int mode_ = 0, key_ = 0;
    std::uint64_t planChanges_ = 0, gameChanges_ = 0, groupChanges_ = 0;
    int gameRows_ = 0;
    Surroundings surroundings_;
    Lists lists_;
    ListChanges listChanges_;
    std::vector<GroupRow> groupRows_;    // [Gruppe row]
    std::map<int, bool> marks_;          // whether a group takes results, by its number
    std::vector<Placement> placements_;  // [Spielplan row]
    std::vector<int> planRowOf_;         // [Spielplan row]: index into shown_, -1 when not listed
    std::vector<Shown> shown_;           // [plan row - 1]
    std::vector<int> widths_;            // the column widths of the settings
};

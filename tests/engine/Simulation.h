#pragma once
#include <map>
#include <string>
#include <vector>

class TMainForm;

// Plays a built tournament through on paper: the lower team number always wins, standings order
// by wins and then by team number. Every slot gets its real team (1 .. N for "M" + k), so that
// tests can see who meets whom and who ends where.
class Simulation {
public:
    explicit Simulation(const TMainForm& form);

    // Real team of a Teams row (0 when it has none).
    int TeamOfSlot(int row) const;
    // Real teams of the final placing list in place order.
    std::vector<int> Placing();
    // Problems found while playing: a game without two different teams, a code naming nothing.
    const std::vector<std::string>& Problems() const { return problems_; }

private:
    int Resolve(const std::string& code, const std::string& where);
    void PlayGroup(int groupRow);

    const TMainForm& form_;
    std::map<int, int> slotTeam_;                         // Teams row -> real team
    std::map<int, std::pair<int, int>> gameResult_;       // game number -> winner, loser
    std::map<std::string, std::vector<int>> standings_;   // upper-case group id -> teams by place
    std::vector<std::string> problems_;
};

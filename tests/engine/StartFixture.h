#pragma once
#include <string>
#include <vector>

#include "EngineFixture.h"

// A tournament of four teams: round 1 has groups A (slots 1, 2) and B (slots 3, 4) with one game
// each, round 2 has group C of the two group winners, and the final placing has two places.
class StartTest : public EngineTest {
protected:
    void SetUp() override;

    std::string Grid(int column, int row) const { return form->Xplatzgrid.Cells(column, row); }
    std::string Team(int column, int row) const;
    std::string State(int group) const;
    void SetState(int group, const std::string& state);
    // The team list ListView2 holds these names; those in `selected` are selected.
    void Offer(const std::vector<std::string>& names, const std::vector<std::string>& selected = {});
    // Names typed straight into the grid's rows 1, 2, ...
    void Fill(const std::vector<std::string>& names);
    // Column 2 of every grid row.
    std::vector<std::string> Names() const;

    int a = 0, b = 0, c = 0;
    int m1 = 0, m2 = 0, m3 = 0, m4 = 0, winnerA = 0, winnerB = 0, place1 = 0, place2 = 0;
    int gameA = 0, gameB = 0, gameC = 0;
};

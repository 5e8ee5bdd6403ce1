#pragma once
#include <string>
#include <vector>

#include "RoundsFixture.h"

// A tournament built from a form text on one field, with helpers that name participants and
// games by the names they show, so that tests see the same rows before and after numbers move.
class EditingTest : public RoundsTest {
protected:
    void SetUp() override;

    // Builds the form (rounds "!" ... without the closing "!") into the tournament.
    void Build(const std::string& text);
    // Row of the participant slot showing this name (Teams_Name); 0 when none does.
    int Team(const std::string& name) const;
    // Teams_Name of the participant a cell names.
    std::string NameOf(const std::string& number) const;
    // Number of the game between the two slots named so (either order); 0 when there is none.
    int GameBetween(const std::string& a, const std::string& b) const;
    // Number of the first game of the group with this id.
    int FirstGameOf(const std::string& id) const;
    int GroupNumber(const std::string& id) const;
    // Every slot of a participant of the tournament's list takes the name "Echt " + its text.
    void NameDirectSlots();
    // A made-up result for the game, as the play-through takes one.
    void Play(int game);
    // Deletes the group and closes the numbers up; the group must have no dependents.
    void Delete(const std::string& id);
    // The broken rules of the tables (TableInvariants.h).
    std::vector<std::string> Problems() const;
    std::string Cell(const TStringGrid& grid, int column, int row) const { return grid.Cells(column, row); }
};

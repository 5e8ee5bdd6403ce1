#pragma once
#include <string>
#include <vector>

#include "EngineFixture.h"

// A main window with a fresh tournament whose rounds are made on the round page or from a
// tournament form; games are timed, on one field from 10:00, 20 minutes with 5 minutes pause.
class RoundsTest : public EngineTest {
protected:
    void SetUp() override;
    // A fresh window and tournament in the same program folder.
    void FreshTournament();

    // Appends a group to the round page's list.
    void ListGroup(const std::string& id, const std::string& name, const std::string& codes, const std::string& system);
    // The round page for round `number` named `name`.
    void RoundPage(int number, const std::string& name);
    // The wizard's system choice and participant count, which a form without placing list uses.
    void WizardSystem(int system, int participants);

    // Every cell of the table's data rows, one text per row ("a|b|c").
    static std::vector<std::string> Rows(const TStringGrid& grid);
    // The cells of one column from row 1 up to RowCount - 1.
    static std::vector<std::string> Column(const TStringGrid& grid, int column);
    // Texts of the message boxes shown so far.
    std::vector<std::string> Boxes() const;
    // Tables, lookup lists and the round page, to show that an operation changed nothing.
    std::vector<std::string> Snapshot() const;
};

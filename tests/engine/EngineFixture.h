#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TestEnvironment.h"
#include "LightForm.h"

// A main window with one open tournament whose tables the tests fill by hand.
class EngineTest : public ProgramTest {
protected:
    void SetUp() override;
    // A new window with one open tournament, in the same program folder.
    void NewForm();

    // Appends a group (number = its row) and returns the number.
    int AddGroup(const std::string& id, const std::string& system, int teamCount);
    // Appends a participant slot of a group (number = its row) and returns the number.
    int AddTeam(int group, const std::string& name = "");
    // Appends a game (number = its row) and returns the number.
    int AddGame(int group, int t1, int t2, const std::string& winner = "");
    // Appends a standings row.
    void AddStanding(int group, int team);
    void SetGroupTiming(int group, const std::string& start, int duration, int pause, int day);

    // (T1, T2) of every game in table order.
    std::vector<std::pair<int, int>> Games() const;
    // The error log so far.
    std::string ErrorLogText() const { return ReadProgramFile("error.log"); }
    // Copies the shipped pairing table file into the program folder.
    void InstallPairingFile() const;

    std::unique_ptr<LightForm> form;
};

// The next free data row of a table: row 1 of an empty table, else a new last row.
int AppendRow(TSortGrid& grid);

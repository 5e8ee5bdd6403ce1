#pragma once
#include <string>
#include <vector>

#include "platform/Dialog.h"
#include "platform/Grids.h"

// Player lists: a text file of semicolon-separated fields (UTF-8 or Windows-1252).
//
//     Mannschaft;Spieler
//     Adler;Anna Berg
//     Adler;Bernd Cremer
//     Bären;Clara Dorn
//     Condor
//
// The first line is the header "Mannschaft;Spieler". Every further line names a team and one
// of its players; a line with the team alone (with or without ";") lists a team without players.
// Lines of the same team gather its players in file order. Blank lines are skipped, blanks
// around a field dropped, empty fields after the second ignored. Team names longer than 30
// characters are cut. A player name must not hold "|", which joins the players of a team.

struct SpielerTeam {
    std::string name;  // cut to the longest allowed
    std::vector<std::string> players;
    bool cut = false;  // the name had to be cut
};

struct Spielerliste {
    std::vector<SpielerTeam> teams;
    std::string problem;  // why the file cannot be taken; empty when all is well
};

// The header line of a player list, "Mannschaft;Spieler" in any case and with blanks around its
// fields; a list of names that starts with it is a player list given to the wrong import.
bool IsSpielerlistenKopf(const std::string& line);
// Whether the file's first line is that header; false when it cannot be read.
bool IstSpielerliste(const std::string& path);

// Reads a player list of at most `maxTeams` teams; reading stops at the first problem.
Spielerliste ReadSpielerliste(const std::string& path, int maxTeams);

// The player-list import: reads the chosen file and, on confirmation, writes each team's name
// into column 2 of the placeholder grid and its players joined by "|" into column 6. A team
// whose name stands in the grid already gets its players there; every other team takes the next
// open slot without a name. All teams or none are taken over.
class TImport : public TDialog {
public:
    TImport();
    std::string ClassName() const override { return "TImport"; }

    // The placeholder grid the teams go into; set by the caller before showing.
    TStringGrid* Platzgrid = nullptr;
    // The path of the player list.
    TEdit Edit1;

    std::vector<DialogField> Fields() override;
    std::vector<DialogAction> Actions() override;

protected:
    void FormShow() override;
    bool CheckOk() override;
    void AcceptOk() override;

private:
    // The target row of every team of the list; false with the reason when they do not fit.
    bool PlanRows(const Spielerliste& list, std::string& problem);

    Spielerliste list_;
    std::vector<int> rows_;
};

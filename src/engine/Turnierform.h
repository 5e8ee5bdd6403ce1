#pragma once
#include <string>
#include <utility>
#include <vector>

class TMainForm;

// The tournament-form notation read into rounds and groups, checked as a whole, and built into a
// tournament: every round through round creation, then the final placing list.
//
// form  = round round ... [ "<$$>" placing ]
// round = "!" name "|" group group ... [ "|" ]
// group = "$" id "$" name "$" system "$" item ";" item ";" ...

struct ParsedGroup {
    std::string id, name, system;
    std::string items;  // the participant codes, ";" between them, none after the last
    int count = 0;      // number of ";" in items + 1
    int position = 0;   // character position of the group in the text, from 1
};

struct ParsedRound {
    std::string name;
    std::vector<ParsedGroup> groups;
    int position = 0;
};

struct ParsedForm {
    std::vector<ParsedRound> rounds;
    std::string placing;  // the text after "<$$>"
    std::string error;    // a German message naming the position; empty when the text reads
};

// Reads the rounds and groups. Rounds whose text between two "!" is blank are no rounds; a round
// without "|", a group not opened by "$" and a group whose id, name or system is not closed by
// "$" make the error.
ParsedForm ParseTurnierform(const std::string& text);

// What a tournament holds before a form is added: its group ids with their participant counts
// and its number of games.
struct FormStart {
    std::vector<std::pair<std::string, int>> groups;
    int games = 0;
};
FormStart StartOf(const TMainForm& form);

// The first reason the form cannot be built on top of `start`, as a German message; the empty
// text when every group has a valid id, every participant and placing item names a team, a group
// before it or a game of an earlier round, and the tournament stays within its bounds.
std::string CheckTurnierform(const ParsedForm& form, const FormStart& start);
// The same for a form text and an empty tournament (the new-tournament wizard's check).
std::string TurnierformProblem(const std::string& text);

// Builds the form into the current tournament. A form that fails its checks changes nothing and
// is refused with a warning; returns whether it was built.
bool buildTurnierform(TMainForm& form, const std::string& text);

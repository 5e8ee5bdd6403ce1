#pragma once
#include <string>
#include <string_view>
#include <vector>

class TMainForm;

// The tournament-form notation as text: the characters that give it its structure, the
// participant codes of a group or of the final placing, and the texts they are shown as.
//
// "!" starts a round, "|" ends a round name, "$" ends a group field, ";" ends a participant item
// (the final placing's marker "<$$>" is made of them). None of them may stand inside a name or an
// id; a group id must not hold a "," either, which separates the ids of a best-of code.
inline constexpr std::string_view kNotationCharacters = "!|$;";
inline constexpr std::string_view kGroupIdCharacters = "!|$;,";
// A group id has at most this many characters.
inline constexpr int kMaxGroupIdLength = 4;
// Bounds that keep a form from asking for more than any tournament holds: participants of one
// group, and games of an "A" + n group.
inline constexpr int kMaxGroupSize = 256;
inline constexpr int kMaxGamesPerGroup = 1000;

bool HasAnyOf(std::string_view text, std::string_view characters);

enum class CodeKind { Invalid, Team, Winner, Loser, Place, BestOf };

// One participant code read strictly: "M" + k (team k), "S" + g / "V" + g (winner / loser of
// game g), i + "." + group id (placed i-th in that group), "B" + i + "/" + k + "/" + ids separated
// by "," (the i-th best of the k-th placed teams of those groups). Numbers are positive decimals.
struct ParticipantCode {
    CodeKind kind = CodeKind::Invalid;
    int number = 0;                   // k of a team, g of a game, i of a place or best-of
    int rank = 0;                     // k of a best-of
    std::vector<std::string> groups;  // the group id of a place, the ids of a best-of
};
ParticipantCode ReadParticipantCode(std::string_view item);

// The items of a participant list "a;b;c" (no ";" after the last); the empty text is one empty
// item, as round creation reads it.
std::vector<std::string> SplitItems(std::string_view list);

// Display texts of the codes. CodeDisplayText takes any text as the placeholders do: an empty
// code or one of no known form gives the empty text.
std::string GameCodeText(char kind, std::string_view game);
std::string TeamCodeText(const TMainForm& form, std::string_view number);
std::string PlaceCodeText(std::string_view place, std::string_view groupId);
std::string CodeDisplayText(const TMainForm& form, std::string_view code);

// The participant code a final-placing name stands for ("Sieger Spiel 12" gives "S12",
// "1. Gruppe A" gives "1.A"): entries of an older release's final placing keep only their shown
// names. The empty text for any other name.
std::string PlacingCodeOfName(const std::string& name);

#pragma once
#include <string>
#include <utility>
#include <vector>

class TMainForm;

// The pairs one group of a new round is to play, in the order the game system gives them.
struct GroupPairs {
    int group = 0;                             // the group's number
    std::vector<std::pair<int, int>> pairs;    // participant numbers, first and second side
};

// One game position of a time slot; an idle position keeps its field free for the slot.
struct SlotEntry {
    bool idle = true;
    int groupIndex = -1, pairIndex = -1;  // where the pair came from
    int group = 0, first = 0, second = 0;
};

// When and how long the games of a round are played.
struct RoundTiming {
    int start = 0;     // minutes since midnight
    int duration = 0;  // minutes
    int pause = 0;     // minutes
    int day = 1;       // day number
};

// More fields than any venue has; a longer list is refused rather than built.
inline constexpr int kMaxFelder = 1000;

// Fills XTempList with the fields of a list such as "1-3,6"; false (and the list left partly
// filled) for an invalid text.
bool parseFeldListe(TMainForm& form, const std::string& text);

// Packs the pairs into slots of `fields` games: no participant twice in a slot, the groups
// taking turns. Full slots come as `fields` entries, idle ones included; the last slot only as
// far as it is filled.
std::vector<SlotEntry> PackSlots(const std::vector<GroupPairs>& groups, int fields);

// Lays the round's pairs out over the fields of XTempList (rows of Temp) and appends them to
// Spielplan with their game numbers; with timed games it stores where the next round may start.
void LayOutRound(TMainForm& form, const std::vector<GroupPairs>& groups, const RoundTiming& timing);

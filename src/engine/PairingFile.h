#pragma once
#include <string>
#include <utility>
#include <vector>

#include "foundation/ProgramFiles.h"

// The pairing table file: per group size a block of pairs in the order they are to be played.
// Blocks start with "T" + size + "F1" and end with "<END>"; pair lines are "x|a|b|" with the
// positions a and b of the two participants in the group (from 1); the file ends with "<EOF>".
// The file beside the program is kPairingFileName (foundation/ProgramFiles.h).
// Lines a search reads at most, and lines a block holds at most.
inline constexpr int kPairingLineLimit = 5000;

struct PairingBlock {
    bool readable = true;    // the file could be opened for reading
    bool found = false;      // a whole block for the size exists
    bool faulty = false;     // a block ended without "<END>" (it is not used)
    std::vector<std::pair<int, int>> positions;
};

// The key line of a group size.
std::string PairingKey(int size);
// The pairs of every whole block for this size; a block cut short (a damaged or truncated file)
// adds nothing. A missing or unreadable file gives an empty result that is not readable.
PairingBlock ReadPairingBlock(const std::string& path, int size);

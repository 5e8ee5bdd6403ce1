#pragma once
#include <string>
#include <utility>
#include <vector>

// The pairing table file: per group size a block of pairs in the order they are to be played.
// Blocks start with "T" + size + "F1" and end with "<END>"; pair lines are "x|a|b|" with the
// positions a and b of the two participants in the group (from 1); the file ends with "<EOF>".
inline constexpr const char* kPairingFileName = "Spklrs.dat";
// Lines a search reads at most, and lines a block holds at most.
inline constexpr int kPairingLineLimit = 5000;

struct PairingBlock {
    bool found = false;      // a block for the size exists
    bool faulty = false;     // a block ended without "<END>"
    std::vector<std::pair<int, int>> positions;
};

// The key line of a group size.
std::string PairingKey(int size);
// The pairs of every block for this size; a missing file gives an empty result.
PairingBlock ReadPairingBlock(const std::string& path, int size);

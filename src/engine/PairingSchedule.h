#pragma once
#include <string>
#include <utility>
#include <vector>

// Round-robin schedules for the pairing table file. Every consecutive block of n / 2 pairs
// (rounded down) is one round in which nobody plays twice; with an odd n one participant rests
// each round. Every participant is first side in half of his games, or one more or one fewer.

// The pairs (1-based positions) of a group of n in playing order.
std::vector<std::pair<int, int>> RoundRobinSchedule(int n);
// The largest group size whose blocks all fit, with the file's key, end and closing lines, into
// the lines one search reads.
int LargestScheduledSize();
// The plain lines of the whole pairing table file, sizes 2 to LargestScheduledSize().
std::vector<std::string> PairingFileLines();
// Writes the file scrambled, as the program reads it; false when it cannot be written.
bool WritePairingFile(const std::string& path);

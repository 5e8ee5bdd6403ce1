#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/TemporaryFile.h"

// The results exchange file (".exp"): the results of one tournament for a second installation.
// Key-shift scrambled lines with bare line feeds: "<DATEI>", "MAROVELKA4 EXPORT", "v4.111",
// "<START>", the tournament file's name, then eleven lines per game with a result, "<ENDE>".
// Readers stop at "<ENDE>"; after it, in the same scrambled lines, the file may name the
// participants of its games: "<TEILNEHMER>", per block its game number and the names of its two
// participants as the exporting copy knows them, then "<ENDE>" again. Older files end without.

// A game's result in file order: game number, both participants, points, sets and balls of
// each side, the set results and the winner.
using ExchangeBlock = std::array<std::string, 11>;
// The names of a block's first and second participant.
using ParticipantNames = std::array<std::string, 2>;

struct ExchangeContent {
    std::string magic;     // line 2
    std::string fileName;  // line 5
    std::vector<ExchangeBlock> blocks;  // the blocks read before any damage
    // One per block, in block order, when the file names the participants; empty when it does
    // not (a file of an older version, or one without results).
    std::vector<ParticipantNames> participants;
    // Empty when every block is whole and well-formed and "<ENDE>" ends them; else what is wrong,
    // as the rest of a German sentence about the file ("ist unvollständig: ...", "ist beschädigt:
    // ..."). A file with damage anywhere is taken by nobody, not even in part.
    std::string damage;
};

// Writes the file beside its target first: an earlier file stays until the new one is complete.
// participants: one per block, named after "<ENDE>"; none (or not one per block) writes the file
// as older versions did. False when it could not be written; error, when given, then gets the
// system's error number. links: as for TFile::SetSafeWrite.
bool WriteExchangeFile(const std::string& path, const std::string& fileName, const std::vector<ExchangeBlock>& blocks,
                       const std::vector<ParticipantNames>& participants = {}, int* error = nullptr,
                       TargetLink links = TargetLink::Follow);
// The file's blocks and, when it is not whole, its damage; nullopt when the file cannot be opened
// (error, when given, then gets the system's error number).
std::optional<ExchangeContent> ReadExchangeFile(const std::string& path, int* error = nullptr);
// Where the results of a tournament go: beside its file with the extension ".exp", for a
// tournament never saved "Turnier.exp" in the user's home folder.
std::string ExchangeFilePath(const std::string& turnierPath);

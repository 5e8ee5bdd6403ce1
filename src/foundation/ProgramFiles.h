#pragma once
#include <array>

// The files the program itself reads or keeps in its program folder, each named here once: the
// places that open them take their names from here, and a file the user chooses to write is
// checked against the same list (see files/ChosenFile.h), so that no save or export ever
// replaces one of them.
inline constexpr const char* kTurFormenFile = "TurFormen.dat";
inline constexpr const char* kEigenFormFile = "EigenForm.dat";
inline constexpr const char* kPairingFileName = "Spklrs.dat";
inline constexpr const char* kTeamsListFile = "teams.dat";
inline constexpr const char* kSchirisListFile = "schiris.dat";
inline constexpr const char* kZeitnehmerListFile = "zeitnehmer.dat";
inline constexpr const char* kIniFileName = "Marovelka4.ini";
inline constexpr const char* kDebugLogFile = "debug.log";
inline constexpr const char* kErrorLogFile = "error.log";
inline constexpr const char* kInstanceLockFile = "Marovelka4.lock";
// The recovery copies kept in the program folder are this name followed by ".sicherung-" and a
// number (files/RecoveryCopy.h); every file of such a name is refused as a target.
inline constexpr const char* kRecoveryCopyWithoutFile = "Turnier-ohne-Datei";

// One of them, with what it is to the program, in words that follow "ist".
struct ProgramOwnFile {
    const char* name;
    const char* role;
};

inline constexpr std::array<ProgramOwnFile, 10> kProgramOwnFiles = {{
    {kTurFormenFile, "die Datei der vorgegebenen Turnierformen"},
    {kEigenFormFile, "die Datei der eigenen Turnierformen"},
    {kPairingFileName, "die Datei der Paarungstabellen"},
    {kTeamsListFile, "die Teilnehmerliste"},
    {kSchirisListFile, "die Schiedsrichterliste"},
    {kZeitnehmerListFile, "die Zeitnehmerliste"},
    {kIniFileName, "die Einstellungsdatei"},
    {kDebugLogFile, "das Protokoll"},
    {kErrorLogFile, "das Fehlerprotokoll"},
    {kInstanceLockFile, "die Sperrdatei"},
}};

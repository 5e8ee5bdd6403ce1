#pragma once
#include <array>
#include <string>

#include "foundation/ProgramFiles.h"
#include "platform/Colors.h"

// The user's program settings: values in the registry key of the program and two print
// options in the ini file beside the program. Reads that find nothing give the caller's
// default; writes that cannot be stored are lost without a message.

constexpr const char* kRegistryKey = "Software\\Durnwalde\\Marovelkandis4";
constexpr const char* kIniSection = "Einstellungen";

// Registry values where every reader falls back to the same plain value.
constexpr const char* kDefaultFarbschema = "Blau";
constexpr int kDefaultTree1Height = 280;
constexpr const char* kDefaultSoundMinuten = "5";
constexpr int kDefaultCombo = 0;  // "Combo2" and "Combo3"
constexpr int kDefaultRadio = 1;

// "Farbe1" .. "Farbe6": the main window and the colour dialog differ in the second colour.
// The fourth is a system-colour reference (the hint background).
constexpr TColor kSystemHintBackground = static_cast<TColor>(0x80000018u);
constexpr std::array<TColor, 6> kMainWindowColours = {0xBD9273, 0x6E6E6E, 0x844929, kSystemHintBackground, 0xFFFFFF,
                                                      0};
constexpr std::array<TColor, 6> kColourDialogColours = {0xBD9273, 0xEFCBA5, 0x844929, kSystemHintBackground, 0xFFFFFF,
                                                        0};

// "printTurName", "printTurDatum", "printLogo" in this order, as the print engine and the
// print options dialog default them.
constexpr std::array<const char*, 3> kPrintEnginePlacement = {"ONMITTE", "OFF", "ONMITTE"};
constexpr std::array<const char*, 3> kPrintDialogPlacement = {"ONMITTE", "ONLINKS", "OFF"};

// Ini keys of the print options and their defaults.
constexpr const char* kIniDruckSatz = "DruckSatz";
constexpr const char* kIniDruckBall = "DruckBall";
constexpr int kDefaultDruckSatz = 2;
constexpr int kDefaultDruckBall = 25;

bool RegWriteInt(const std::string& name, int value);
bool RegWriteString(const std::string& name, const std::string& value);
// The default also when the value exists with the other kind.
int RegReadInt(const std::string& name, int defaultValue);
std::string RegReadString(const std::string& name, const std::string& defaultValue);

// At most 99 characters are read; an empty value gives the default.
std::string IniReadString(const std::string& key, const std::string& defaultValue);
bool IniWriteString(const std::string& key, const std::string& value);
// The default when the key is missing or empty; 0 when its text is not a whole number.
int IniReadInt(const std::string& key, int defaultValue);
bool IniWriteInt(const std::string& key, int value);

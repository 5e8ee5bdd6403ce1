#pragma once
#include <string>
#include <string_view>

// Names of teams, referees and time keepers are at most this many characters.
inline constexpr int kMaxNameLength = 30;

// The name cut to the longest allowed, without telling anyone.
std::string CutNameQuietly(const std::string& name);
// The information box that tells the user a name was cut.
void TellNameCut();
// The name cut to the longest allowed; tells the user when it had to be cut.
std::string CutName(const std::string& name);

// True when the text holds no control character (C0, DEL or C1): bytes of a binary file read
// as text show up as such.
bool IsPlainText(std::string_view text);
// Without blanks and tabs at either end, and without a byte-order mark at the start.
std::string TrimName(std::string_view text);

// The number k of a default participant name, "Mannschaft k", "Mannschaften k" or "Spieler k"
// (k from 1, as the tournament forms name their slots); 0 for any other name. Names prepared
// before a tournament is made or loaded take the places of these.
int DefaultParticipantNumber(const std::string& name);

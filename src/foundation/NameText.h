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
// True when the text holds no character that steers a terminal (utf8::IsControl): what may be
// typed as a name, a designation or a list entry. The terminal shows such characters of texts
// from elsewhere (files) escaped; typed ones are refused where they are typed, so that they never
// get into the tables or files.
bool IsTypedText(std::string_view text);
// what + " enthält Zeichen, die kein Text sind" when the text is not fit to be typed as a name,
// else empty; what names the field ("Der Turniername").
std::string TypedTextProblem(const std::string& what, std::string_view text);
// Without blanks and tabs at either end, and without a byte-order mark at the start.
std::string TrimName(std::string_view text);

// The number k of a default participant name, "Mannschaft k", "Mannschaften k" or "Spieler k"
// (k from 1, as the tournament forms name their slots); 0 for any other name. Names prepared
// before a tournament is made or loaded take the places of these.
int DefaultParticipantNumber(const std::string& name);

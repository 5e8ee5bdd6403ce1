#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Random.h"

// The two line-scrambling schemes of the program's own data files. Both file classes share them;
// nothing here touches a file.
namespace scrambling {

inline constexpr std::string_view kKey = "591730482615937048261593704";
inline constexpr std::string_view kAlphabet = "k7#Rm2=Qv9!Lp4?Xz8&Nw3%Ht6$Bc1+Fy5-Jd0<Gs>Ea]Ub[Io{Yu}eWP";
inline constexpr std::string_view kMarker = "<:>";
inline constexpr std::string_view kEmptyLine = "[LEER]";
// Only the first 20 key digits and the first 40 alphabet characters take part.
inline constexpr int kKeyCycle = 20;
inline constexpr int kFillerChoices = 40;
// Lines are padded with filler up to about this length.
inline constexpr int kPaddedLength = 60;

// What a byte that unscrambles to code 11 becomes. The block file class has always delivered 220
// there and its files rely on it; the stream line file never had that rule.
enum class Code11 { Keep, AsCode220 };

// A seed for a filler generator of its own, so that scrambling never disturbs the program's
// shared random sequence.
uint32_t FillerSeed();
// From now on every file class draws its filler from this seed, so that the same content gives
// the same bytes (tests of written files); nullopt returns to seeds from the clock.
void FixFillerSeed(std::optional<uint32_t> seed);

// The key position after pos (1..20, cyclic); any out-of-range pos is brought into the cycle.
int NextKeyPosition(int pos);

// Key-shift scheme on bytes: every byte moves by the key digit at keyPosition plus 10, then the
// marker and filler follow. keyPosition advances.
std::string KeyShiftScramble(std::string_view bytes, int& keyPosition, prng::Generator& filler);
// Bytes before the marker move back and keyPosition advances; a line without marker stays as it
// is and keyPosition stays. "[LEER]" comes back as the empty line.
std::string KeyShiftUnscramble(std::string_view line, int& keyPosition, Code11 code11);

// Interleave scheme: one or two filler bytes before every byte; CR and LF are stored as 21 and 22
// so that a value with line breaks stays on one file line.
std::string InterleaveScramble(std::string_view bytes, prng::Generator& filler);
std::string InterleaveUnscramble(std::string_view line);

// A text line (UTF-8) as it goes into a key-shift file: encoded for the file, then scrambled.
// A line feed splits a line on reading, a carriage return may be taken for a line end, and a zero
// byte ends the line for readers that keep lines as C strings, so a scrambled line holds none of
// them. Windows-1252 bytes that would scramble to one (for example "É" under key digit 7, "Ä"
// under key digit 2, "Ó" under key digit 0) are written in UTF-8 instead. Text whose UTF-8 would do so as well (Cyrillic under key digit 0, Greek under 1 and 2)
// is written as a plain line, which every reader takes as it stands without moving the key
// position. Nothing, with the key position unchanged and the error log told, when not even a plain
// line would come back as the text.
std::optional<std::string> KeyShiftScrambleText(std::string_view text, int& keyPosition, prng::Generator& filler);

}  // namespace scrambling

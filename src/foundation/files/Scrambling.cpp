#include "foundation/files/Scrambling.h"

#include <atomic>

#include "foundation/Logs.h"
#include "platform/Clock.h"
#include "platform/Encoding.h"

namespace scrambling {
namespace {

constexpr unsigned char kStoredLineFeed = 22;
constexpr unsigned char kStoredCarriageReturn = 21;
constexpr int kInterleaveFillerBase = 44;  // filler codes 44..83, "," through "S"

int Normalized(int keyPosition) { return ((keyPosition - 1) % kKeyCycle + kKeyCycle) % kKeyCycle + 1; }

unsigned char Shift(int keyPosition) {
    return static_cast<unsigned char>(kKey[static_cast<size_t>(Normalized(keyPosition) - 1)] + 10);
}

// Filler is appended one character at a time while the free room up to the padded length is at
// least the number of characters appended so far plus one.
size_t FillerCount(size_t length) {
    if (length >= static_cast<size_t>(kPaddedLength)) return 0;
    return (kPaddedLength + 1 - length) / 2;
}

// A line without the marker is taken as it stands: it must not be split, shortened by the CR that
// a text-mode reader drops before the line feed, taken for a scrambled line, or read as the empty line.
bool ReadsBackAsPlainLine(std::string_view bytes) {
    if (bytes.empty() || bytes == kEmptyLine || bytes.back() == '\r') return false;
    return bytes.find('\n') == std::string_view::npos && bytes.find(kMarker) == std::string_view::npos;
}

}  // namespace

namespace {
std::atomic<bool> fillerSeedFixed{false};
std::atomic<uint32_t> fixedFillerSeed{0};

// Bytes a scrambled line must not hold on disk.
bool HoldsLineBreakOrZero(std::string_view line) { return line.find_first_of(std::string_view("\n\r\0", 3)) != std::string_view::npos; }
}  // namespace

void FixFillerSeed(std::optional<uint32_t> seed) {
    fixedFillerSeed = seed.value_or(0);
    fillerSeedFixed = seed.has_value();
}

uint32_t FillerSeed() {
    if (fillerSeedFixed) return fixedFillerSeed;
    static std::atomic<uint32_t> instances{0};
    auto now = static_cast<uint64_t>(datetime::ToMilliseconds(Now())) ^ static_cast<uint64_t>(GetTickCount());
    return static_cast<uint32_t>(now ^ (now >> 32)) + 0x9E3779B9u * ++instances;
}

int NextKeyPosition(int pos) { return Normalized(pos) % kKeyCycle + 1; }

std::string KeyShiftScramble(std::string_view bytes, int& keyPosition, prng::Generator& filler) {
    std::string_view data = bytes.empty() ? kEmptyLine : bytes;
    size_t fillerCount = FillerCount(data.size() + kMarker.size());
    std::string line(data.size() + kMarker.size() + fillerCount, '\0');
    unsigned char shift = Shift(keyPosition);
    for (size_t i = 0; i < data.size(); ++i)
        line[i] = static_cast<char>(static_cast<unsigned char>(data[i]) + shift);
    line.replace(data.size(), kMarker.size(), kMarker);
    for (size_t i = data.size() + kMarker.size(); i < line.size(); ++i)
        line[i] = kAlphabet[static_cast<size_t>(filler.Next() % kFillerChoices)];
    keyPosition = NextKeyPosition(keyPosition);
    return line;
}

std::string KeyShiftUnscramble(std::string_view line, int& keyPosition, Code11 code11) {
    // The last marker, not the first: scrambled bytes can form "<:>" themselves ("úøü" under key
    // digit 8), while the filler after the real marker never contains a colon.
    size_t marker = line.rfind(kMarker);
    if (marker == std::string_view::npos) return line == kEmptyLine ? std::string() : std::string(line);
    std::string bytes(line.substr(0, marker));
    unsigned char shift = Shift(keyPosition);
    for (char& c : bytes) {
        auto plain = static_cast<unsigned char>(static_cast<unsigned char>(c) - shift);
        if (plain == 11 && code11 == Code11::AsCode220) plain = 220;
        c = static_cast<char>(plain);
    }
    keyPosition = NextKeyPosition(keyPosition);
    return bytes == kEmptyLine ? std::string() : bytes;
}

std::string InterleaveScramble(std::string_view bytes, prng::Generator& filler) {
    std::string line(bytes.size() * 2 + bytes.size() / 2, '\0');
    char* out = line.data();
    auto fill = [&] { *out++ = static_cast<char>(filler.Next() % kFillerChoices + kInterleaveFillerBase); };
    auto put = [&](char c) {
        if (c == '\n') c = static_cast<char>(kStoredLineFeed);
        else if (c == '\r') c = static_cast<char>(kStoredCarriageReturn);
        *out++ = c;
    };
    // One filler byte before the odd bytes, two before the even ones.
    size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        fill();
        put(bytes[i]);
        fill();
        fill();
        put(bytes[i + 1]);
    }
    if (i < bytes.size()) {
        fill();
        put(bytes[i]);
    }
    return line;
}

std::string InterleaveUnscramble(std::string_view line) {
    // Stored bytes stand at 0-based offsets 1, 4, 6, 9, 11, ...: five bytes hold two.
    size_t count = line.size() / 5 * 2 + (line.size() % 5 >= 2 ? 1 : 0);
    std::string bytes(count, '\0');
    for (size_t k = 0; k < count; ++k) {
        char c = line[k / 2 * 5 + (k % 2 ? 4 : 1)];
        if (c == static_cast<char>(kStoredLineFeed)) c = '\n';
        else if (c == static_cast<char>(kStoredCarriageReturn)) c = '\r';
        bytes[k] = c;
    }
    return bytes;
}

std::optional<std::string> KeyShiftScrambleText(std::string_view text, int& keyPosition, prng::Generator& filler) {
    const int start = keyPosition;
    std::string bytes = encoding::ToFileBytes(text);
    std::string line = KeyShiftScramble(bytes, keyPosition, filler);
    if (!HoldsLineBreakOrZero(line)) return line;
    if (bytes != text) {
        keyPosition = start;
        line = KeyShiftScramble(text, keyPosition, filler);
        if (!HoldsLineBreakOrZero(line)) return line;
    }
    keyPosition = start;
    if (ReadsBackAsPlainLine(bytes)) return bytes;
    ErrorLog("[X] Zeile kann nicht verschlüsselt gespeichert werden: " + std::string(text));
    return std::nullopt;
}

}  // namespace scrambling

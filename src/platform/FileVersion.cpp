#include "platform/FileVersion.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Odd constants with their bits spread evenly, as multiplicative mixing wants them.
constexpr uint64_t kMix1 = 0x9E3779B185EBCA87ull;
constexpr uint64_t kMix2 = 0xC2B2AE3D27D4EB4Full;
constexpr uint64_t kMix3 = 0x165667B19E3779F9ull;

uint64_t RotateLeft(uint64_t x, int bits) { return (x << bits) | (x >> (64 - bits)); }

uint64_t Word(const char* bytes) {
    uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// One word into one lane: every bit of the word reaches every bit of the lane within a few rounds.
uint64_t Round(uint64_t lane, uint64_t word) { return RotateLeft(lane + word * kMix2, 31) * kMix1; }

uint64_t Merge(uint64_t digest, uint64_t lane) { return (digest ^ Round(0, lane)) * kMix1 + kMix3; }

// Every input bit flips about half of the output bits.
uint64_t Avalanche(uint64_t digest) {
    digest ^= digest >> 33;
    digest *= kMix2;
    digest ^= digest >> 29;
    digest *= kMix3;
    return digest ^ (digest >> 32);
}

}  // namespace

void FileDigest::Stripe(const char* bytes) {
    for (int lane = 0; lane < 4; ++lane) lanes_[lane] = Round(lanes_[lane], Word(bytes + 8 * lane));
}

void FileDigest::Add(const char* bytes, size_t length) {
    length_ += length;
    if (pendingLength_ > 0) {
        const size_t taken = std::min(length, kStripe - pendingLength_);
        std::memcpy(pending_ + pendingLength_, bytes, taken);
        pendingLength_ += taken;
        bytes += taken;
        length -= taken;
        if (pendingLength_ < kStripe) return;
        Stripe(pending_);
        pendingLength_ = 0;
    }
    for (; length >= kStripe; bytes += kStripe, length -= kStripe) Stripe(bytes);
    std::memcpy(pending_, bytes, length);
    pendingLength_ = length;
}

std::string FileDigest::Text() const {
    uint64_t digest = RotateLeft(lanes_[0], 1) + RotateLeft(lanes_[1], 7) + RotateLeft(lanes_[2], 12) +
                      RotateLeft(lanes_[3], 18);
    for (uint64_t lane : lanes_) digest = Merge(digest, lane);
    digest += length_;
    size_t at = 0;
    for (; at + 8 <= pendingLength_; at += 8) digest = RotateLeft(digest ^ Round(0, Word(pending_ + at)), 27) * kMix1 + kMix3;
    for (; at < pendingLength_; ++at)
        digest = RotateLeft(digest ^ (static_cast<unsigned char>(pending_[at]) * kMix3), 11) * kMix1;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(Avalanche(digest)));
    return std::to_string(length_) + ":" + text;
}

void ByteTrace::Passed(const char* bytes, size_t length) {
    if (inOrder_ && position_ == static_cast<off_t>(digest_.Length())) digest_.Add(bytes, length);
    else inOrder_ = false;
    position_ += static_cast<off_t>(length);
}

std::optional<std::string> ByteTrace::Version() const {
    if (!inOrder_) return std::nullopt;
    return digest_.Text();
}

std::optional<std::string> FileVersionOf(const std::string& path, bool followLink) {
    if (path.empty()) return std::nullopt;
    // Not blocking: a pipe in the file's place has no version and must not stop the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW));
    if (fd < 0) return std::nullopt;
    struct stat info {};
    std::optional<std::string> version;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        FileDigest digest;
        std::vector<char> buffer(64 * 1024);
        for (;;) {
            const ssize_t n = ::read(fd, buffer.data(), buffer.size());
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                if (n == 0) version = digest.Text();
                break;
            }
            digest.Add(buffer.data(), static_cast<size_t>(n));
        }
    }
    ::close(fd);
    return version;
}

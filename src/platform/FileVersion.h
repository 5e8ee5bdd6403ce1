#pragma once
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// What tells one version of a file from another: its length and a digest of its bytes. The file
// system's inode numbers, sizes and times cannot: a save within the same second (on a file
// system that keeps whole seconds), of the same size, onto an inode the system has just freed,
// leaves all three as they were. Two versions of different content share a version text only by
// a chance of one in 2^64; a file written anew with the same content is the same version, and
// nobody's work is lost when it is replaced.
//
// The digest is taken as the bytes pass, in any pieces: reading a file or writing it costs no
// second pass over it.
class FileDigest {
public:
    void Add(const char* bytes, size_t length);
    // The version of the bytes added so far: "length:digest", the digest as 16 hex digits.
    std::string Text() const;
    uint64_t Length() const { return length_; }

private:
    void Stripe(const char* bytes);

    static constexpr size_t kStripe = 32;
    uint64_t lanes_[4] = {0x60EA27EEADC0B5D6ull, 0xC2B2AE3D27D4EB4Full, 0ull, 0x61C8864E7A143579ull};
    char pending_[kStripe] = {};
    size_t pendingLength_ = 0;
    uint64_t length_ = 0;
};

// The bytes that go through an open file, in order from its start: read or written, a piece at
// a time, each where the one before ended. A move anywhere else (a seek to another place, a file
// appended to) ends the trace; the digest then stands for no version.
class ByteTrace {
public:
    void Passed(const char* bytes, size_t length);
    // The file's position is now `position` (after a seek).
    void MovedTo(off_t position) { position_ = position; }
    // The version of every byte from the start up to where the bytes ended; none when they did
    // not go in order.
    std::optional<std::string> Version() const;

private:
    FileDigest digest_;
    off_t position_ = 0;
    bool inOrder_ = true;
};

// The version of the file a name leads to now, read whole. A symbolic link is followed unless
// followLink is false: then a link in the name's place counts as no file. None when there is no
// file that can be read there.
std::optional<std::string> FileVersionOf(const std::string& path, bool followLink = true);

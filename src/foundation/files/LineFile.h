#pragma once
#include <sys/types.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>

#include "platform/FileOperations.h"
#include "platform/FileVersion.h"
#include "platform/TemporaryFile.h"

// The longest line any reader of the program takes, and so the longest any writer writes: a
// longer line means the file is not one of ours, and reading it whole could exhaust memory. A
// file the program writes is one it reads again, so the limit is one for both sides.
inline constexpr size_t kMaxLineBytes = 16u * 1024u * 1024u;
// The error a write reports for a line beyond that limit. No system call on a file fails so; it
// names the program's own refusal (FileProblems.h).
inline constexpr int kLineTooLongError = EMSGSIZE;

// The descriptor under an open stream, written through the FileOperations in force.
struct FileChannel;

// The core of the two line-file classes: one open file, read line by line byte for byte
// (scrambled lines may hold NUL or any other byte) or written in whole lines. A file written
// beside its target replaces the target only on Finish, and only when every write, the flush,
// the sync and the rename succeeded; otherwise, and when the file is opened anew or destroyed
// first (an exception on the way), the temporary file goes and the previous target stays.
// A file appended to keeps its old content whole: an addition that fails is cut off again.
// Every byte goes through the FileOperations given, so a test can fill the disk half-way.
class LineFile {
public:
    explicit LineFile(FileOperations& operations) : operations_(operations) {}
    // Closes the file; a file written beside its target is thrown away, not put in place.
    ~LineFile();
    LineFile(const LineFile&) = delete;
    LineFile& operator=(const LineFile&) = delete;

    // All opens are binary: Linux keeps bytes as they are; the classes do their own line ends.
    // Reading (and updating) needs a regular file: a folder, a pipe or a device is refused at once.
    bool OpenRead(const std::string& name);
    // With besideTarget the file is written to a temporary file of its own (TemporaryFile) that
    // Finish puts in the target's place; else the target itself is written. update opens for
    // reading and writing ("w+").
    bool OpenWrite(const std::string& target, bool besideTarget, bool update = false,
                   TargetLink links = TargetLink::Follow);
    // Appends to the file (made when missing). Its length is noted: when a write, the flush or
    // the sync fails, the file is cut back to it, so no torn line stays behind.
    bool OpenAppend(const std::string& name, bool update = false);
    // Opens an existing file for reading and writing in place.
    bool OpenUpdate(const std::string& name);
    // For a file opened to append to: ends a last line an editor left without its line feed
    // (with CR LF, or LF after a lone CR), so that the first line appended stands on its own.
    bool EndLastLine();

    bool IsOpen() const { return stream_ != nullptr; }
    bool IsWriting() const { return writing_; }
    // Written beside its target, waiting for Finish to put it in place.
    bool ReplacesTarget() const { return temporary_.Pending(); }
    const std::string& Name() const { return name_; }
    std::FILE* Stream() const { return stream_; }

    // Reads up to and including the next line feed and drops that line feed; with stripCr a
    // carriage return right before it goes as well. False at the end of the file, and for a line
    // beyond the sanity limit: then TooLong holds, the error log says so, and reading stops.
    bool ReadLine(std::string& line, bool stripCr, size_t maxBytes = kMaxLineBytes);
    // The version of the file open for reading (FileVersion.h), from the bytes as they came: the
    // rest of the file is read first. None when they did not come in order from its start or
    // could not all be read.
    std::optional<std::string> VersionRead();
    // No byte left to read.
    bool AtEnd();
    // The file open for reading was read to its end, without a line beyond the sanity limit or
    // a read error.
    bool ReadCompletely();
    bool TooLong() const { return tooLong_; }

    // Writes the bytes; a short write marks the file as failed.
    bool Write(const char* bytes, size_t length);
    bool Write(const std::string& bytes) { return Write(bytes.data(), bytes.size()); }
    // Writes one line and its end ("\r\n" or "\n"). A line longer than a reader takes is not
    // written: the file fails with kLineTooLongError, so that a save never leaves a file its
    // next load refuses.
    bool WriteLine(const std::string& line, const char* end);
    void MarkFailed() { failed_ = true; }
    bool Failed() const { return failed_; }
    // The system's error number of the first step that failed (ENOSPC for a full disk); 0 when
    // none did or the failure was none of the system's (a line that cannot be stored).
    int Error() const;

    // Closes the file. False when any write, the flush, the sync of a file written beside its
    // target or appended to, the close or the rename failed; the temporary file is then removed
    // and a file appended to is cut back to its old length.
    bool Finish();
    // The version (FileVersion.h) of the file the last Finish put in the target's place, from the
    // bytes written, taken before the rename: what another program may have put there since
    // cannot pass for it. None after any other Finish.
    const std::optional<std::string>& VersionWritten() const { return versionWritten_; }
    // Closes the file; a file written beside its target is removed and the target stays as it was.
    void Discard();

private:
    bool Open(const std::string& path, int flags, const char* mode, bool writing);
    bool Attach(int fd, const char* mode, bool writing);
    bool CloseStream();
    void NoteError(int error);
    // Cuts a file appended to back to the length it had; false when that failed as well.
    bool RestoreAppendedFile();

    FileOperations& operations_;
    std::FILE* stream_ = nullptr;
    FileChannel* channel_ = nullptr;  // the descriptor under the stream; the stream owns it
    std::string name_;
    TemporaryFile temporary_;  // pending while a written file waits to replace its target
    ByteTrace trace_;          // the bytes through the stream since it was opened
    std::optional<std::string> versionWritten_;
    off_t appendStart_ = -1;   // the old length of a file opened to append to, else -1
    bool writing_ = false;
    bool failed_ = false;
    bool tooLong_ = false;
    int error_ = 0;
};

#pragma once
#include <cstddef>
#include <optional>
#include <string>

#include "foundation/files/LineFile.h"
#include "platform/FileOperations.h"
#include "platform/Random.h"

// The program's block file class: text files line by line, optionally scrambled (key-shift or
// interleave scheme), and raw blocks for binary files. Every line ends in CR LF on disk. Lines are
// UTF-8 in memory and Windows-1252 on disk wherever the text allows.
class TFile {
public:
    TFile();
    // For tests that make the last steps of a safe save fail.
    explicit TFile(FileOperations& operations);
    ~TFile();
    TFile(const TFile&) = delete;
    TFile& operator=(const TFile&) = delete;

    // The following opens for writing go to a temporary file of their own beside the target
    // (TemporaryFile) that only Close puts in the target's place; opening anew or destroying the
    // object first throws it away. links says what a symbolic link in the target's place means:
    // the file it leads to, or with AsChecked (for a target whose link was followed at a check)
    // a link swapped in since, which fails the open.
    void SetSafeWrite(bool safeWrite, TargetLink links = TargetLink::Follow);
    // true: key-shift scheme; false: interleave scheme. Applies from the next line on.
    void SetShiftScheme(bool shiftScheme);

    // mode as for stdio ("rt", "wb", "at", ...); "t" selects text mode for the line operations.
    // Anything but a readable regular file fails to open for reading.
    bool Open(const std::string& name, const std::string& mode);
    bool OpenRead(const std::string& name, bool scrambled);
    bool OpenWrite(const std::string& name, bool scrambled);
    bool OpenAppend(const std::string& name);

    void WriteLine(const std::string& line);
    // The empty string at the end of the file, without a stream, and after a line beyond the
    // sanity limit (see LineTooLong).
    std::string ReadLine();
    bool Eof();
    long Tell();
    long Size();
    size_t Write(const void* buffer, size_t length);
    size_t Read(void* buffer, size_t length);
    // False when a write failed, and with safe write when nothing was written or the target could
    // not be replaced; the previous target is then untouched. A line longer than any reader of
    // the program takes (kMaxLineBytes) is not written and fails the file (kLineTooLongError).
    bool Close();
    // The version (FileVersion.h) of the file the last Close put in place, from the bytes
    // written; none unless that Close replaced the target.
    const std::optional<std::string>& VersionWritten() const { return file_.VersionWritten(); }
    // The version of the file open for reading, as it was read; the rest of it is read first.
    std::optional<std::string> VersionRead() { return file_.VersionRead(); }

    // The empty string for a line that cannot be stored in the key-shift scheme.
    std::string ScrambleLine(const std::string& line);
    std::string UnscrambleLine(const std::string& line);

    // The key digit (1..20) of the next key-shift line. Callers that check a line by scrambling
    // it and back keep the position around that check.
    int KeyPosition() const { return keyPosition_; }
    void SetKeyPosition(int keyPosition) { keyPosition_ = keyPosition; }
    // Reading stopped at a line longer than any file of the program holds.
    bool LineTooLong() const { return file_.TooLong(); }
    // The system's error number of the step that made an open or Close fail (ENOSPC for a full
    // disk, EACCES for a file the user may not write, ...); 0 when there is none to name.
    int Error() const { return file_.Error(); }
    // Every line of the file open for reading was read: the end was reached without a line
    // beyond the sanity limit or a read error.
    bool ReadCompletely();

private:
    std::optional<std::string> Scrambled(const std::string& line);
    std::string Unscrambled(const std::string& line);
    void ForgetOpenFile();

    LineFile file_;
    bool textMode_ = false;
    long size_ = 0;
    bool shiftScheme_ = true;
    bool scrambled_ = false;
    bool safeWrite_ = false;
    TargetLink links_ = TargetLink::Follow;
    bool toTemp_ = false;
    int keyPosition_ = 1;
    prng::Generator filler_;
};


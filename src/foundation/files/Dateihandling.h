#pragma once
#include <string>

#include "foundation/files/LineFile.h"
#include "platform/FileOperations.h"
#include "platform/Random.h"

// The stream line file: one file read or written line by line, each line scrambled in the
// key-shift scheme on request. Scrambled files have bare line feeds, plain ones CR LF. Lines are
// UTF-8 in memory and Windows-1252 on disk wherever the text allows.
// A file opened for writing is written beside its target (TemporaryFile) and put in its place
// only by Close, so a failed or interrupted write never destroys the previous file.
class Dateihandling {
public:
    Dateihandling();
    explicit Dateihandling(FileOperations& operations);
    ~Dateihandling();
    Dateihandling(const Dateihandling&) = delete;
    Dateihandling& operator=(const Dateihandling&) = delete;

    // mode "R" reads; any other mode writes ("HTML" writes without scrambling). Once a file to
    // read or append to was missing (or was no readable regular file), nothing is written any
    // more and an open for writing fails. links: as for TFile::SetSafeWrite.
    bool Open(const std::string& file, const std::string& mode, bool scrambled, TargetLink links = TargetLink::Follow);
    void OpenAppend(const std::string& file, const std::string& mode, bool scrambled);
    // The empty string when nothing is open for reading, at the end of the file, and after a line
    // beyond the sanity limit (see LineTooLong).
    std::string ReadLine();
    // A line longer than any reader of the program takes is not written and fails the file
    // (Close false, Error kLineTooLongError).
    void WriteLine(const std::string& line);
    // False when a written file could not be completed and put in place (the target is then
    // unchanged), or when the file to read or append to did not exist.
    bool Close();

    std::string ScrambleLine(const std::string& line);
    std::string UnscrambleLine(const std::string& line);

    // The system's error number of the step that made the file being written fail (ENOSPC for
    // a full disk, ...); 0 when there is none to name.
    int Error() const { return output_.Error(); }
    // The system's error number of a file that could not be opened or read to its end.
    int ReadError() const { return input_.Error(); }
    // No line left to read: lets readers stop when their format's end marker is missing.
    bool Eof();
    // Reading stopped at a line longer than any file of the program holds.
    bool LineTooLong() const { return input_.TooLong(); }
    // The file open for reading was read to its end, without such a line or a read error.
    bool ReadCompletely() { return input_.ReadCompletely(); }

private:
    bool FinishOutput();

    LineFile input_;
    bool inputTextMode_ = false;
    LineFile output_;
    bool outputTextMode_ = false;
    std::string mode_;
    int keyPosition_ = 1;
    bool scrambled_ = false;
    bool error_ = false;
    // A file opened for reading does not change where the file being written goes.
    std::string outputName_;
    prng::Generator filler_;
};

#pragma once
#include <cstddef>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

// One line of the user's input.
struct InputLine {
    std::string text;      // UTF-8, without the line end; empty when the line was too long
    int number = 0;        // counted from 1
    size_t bytes = 0;      // length as read
    bool tooLong = false;  // longer than InputReader::kMaxLineBytes: not kept
    bool recoded = false;  // not UTF-8: read as Windows-1252, so no character is lost
};

// Where the input comes from. A stream (a script, a pipe, a file) ends once and is never waited
// for; a terminal can be waited on, and read again after the user ended the input (Ctrl-D).
class InputSource {
public:
    virtual ~InputSource() = default;
    // The next byte, or -1 at the end of the input.
    virtual int Get() = 0;
    // Waits up to ms milliseconds for input; true when Get will not wait.
    virtual bool Wait(int ms) {
        (void)ms;
        return true;
    }
    // Whether the input can go on after it ended.
    virtual bool Resumes() const { return false; }
    // The last end was a Ctrl-C at the terminal: an end for the moment, as Ctrl-D is.
    virtual bool Interrupted() const { return false; }
};

// A stream read as it comes.
class StreamSource : public InputSource {
public:
    explicit StreamSource(std::istream& in) : in_(in) {}
    int Get() override;

private:
    std::istream& in_;
};

// Reads the commands and dialog lines of the terminal or a script, line by line, never holding
// more than one line of bounded size. A signal that stops the program (StopSignals.h) ends the
// input for good, and it and a Ctrl-C drop a line they cut short: only whole lines run.
class InputReader {
public:
    static constexpr size_t kMaxLineBytes = 64 * 1024;

    explicit InputReader(std::istream& in);
    explicit InputReader(InputSource& source) : source_(source) {}
    InputReader(const InputReader&) = delete;
    InputReader& operator=(const InputReader&) = delete;

    // The next line; none at the end of the input.
    std::optional<InputLine> Next();
    // Waits up to ms milliseconds for the next line to begin; true when reading will not wait.
    bool Wait(int ms) { return ended_ || source_.Wait(ms); }
    // The number of the line read last (0 before the first).
    int LineNumber() const { return number_; }
    // The input has ended for good.
    bool AtEnd() const { return ended_; }
    // An end of the input is only a pause: a terminal is read again after Ctrl-D.
    bool Resumes() const { return !ended_ && source_.Resumes(); }
    // The last end was a Ctrl-C, not a Ctrl-D.
    bool Interrupted() const { return source_.Interrupted(); }

private:
    std::unique_ptr<InputSource> owned_;
    InputSource& source_;
    int number_ = 0;
    bool ended_ = false;
};

// The German note on a line that was recoded or refused; empty for an ordinary line.
std::string InputLineProblem(const InputLine& line);

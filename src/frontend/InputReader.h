#pragma once
#include <cstddef>
#include <iosfwd>
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

// Reads the commands and dialog lines of the terminal or a script, line by line, never holding
// more than one line of bounded size.
class InputReader {
public:
    static constexpr size_t kMaxLineBytes = 64 * 1024;

    explicit InputReader(std::istream& in) : in_(in) {}
    // The next line; none at the end of the input.
    std::optional<InputLine> Next();
    // The number of the line read last (0 before the first).
    int LineNumber() const { return number_; }
    bool AtEnd() const { return ended_; }

private:
    std::istream& in_;
    int number_ = 0;
    bool ended_ = false;
};

// The German note on a line that was recoded or refused; empty for an ordinary line.
std::string InputLineProblem(const InputLine& line);

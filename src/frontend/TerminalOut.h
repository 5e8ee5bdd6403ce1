#pragma once
#include <concepts>
#include <ostream>
#include <string>
#include <string_view>

// What the front end writes for the terminal to show. Its own text - string literals, characters
// and numbers - passes as written, and its line feeds end its lines. A text held as a string is
// a value, or holds one: a name or a set result from a file, a file name, a message built around
// them. A value never ends a line: a line feed inside it shows as "\x0A", so that a file cannot
// print a line that looks like one of the program's. VisibleOutput shows every other control
// character escaped, in whatever reaches the terminal.
class TerminalOut {
public:
    explicit TerminalOut(std::ostream& stream) : stream_(stream) {}

    TerminalOut& operator<<(const char* text) {
        stream_ << text;
        return *this;
    }
    TerminalOut& operator<<(char c) {
        stream_ << c;
        return *this;
    }
    template <typename Number>
        requires std::integral<Number> || std::floating_point<Number>
    TerminalOut& operator<<(Number number) {
        stream_ << number;
        return *this;
    }
    TerminalOut& operator<<(std::string_view value);
    TerminalOut& operator<<(const std::string& value) { return *this << std::string_view(value); }
    // std::flush and the like.
    TerminalOut& operator<<(std::ostream& (*manipulator)(std::ostream&)) {
        stream_ << manipulator;
        return *this;
    }

private:
    std::ostream& stream_;
};

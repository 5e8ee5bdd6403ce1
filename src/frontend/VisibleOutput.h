#pragma once
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

// What the terminal shows comes from the user's input and from files made elsewhere (names in a
// tournament file, a name list, an error message that names what was typed). A character there
// that steers the terminal (utf8::IsControl: escape sequences for colours or the window title, a
// bell, a carriage return that hides what came before, a bidi override that reorders the line)
// is shown as an escape instead: "\x1B" for a C0 control, DEL or a byte that is not UTF-8,
// "\u202E" for a control beyond ASCII. Line feeds pass as the program's own line ends, or show
// as "\x0A" in a value that must stay on its line (TerminalOut).
enum class LineFeeds { EndLines, Escaped };
std::string VisibleText(std::string_view text, LineFeeds lineFeeds = LineFeeds::EndLines);

// A stream buffer that passes everything written to it on to another one as VisibleText. A
// character split over two writes is held back until it is complete, so a flush in between
// never shows half of it as bytes that are not UTF-8.
class VisibleOutputBuffer : public std::streambuf {
public:
    explicit VisibleOutputBuffer(std::streambuf* target) : target_(target) {}
    ~VisibleOutputBuffer() override;
    VisibleOutputBuffer(const VisibleOutputBuffer&) = delete;
    VisibleOutputBuffer& operator=(const VisibleOutputBuffer&) = delete;
    std::streambuf* Target() const { return target_; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    // Passes on what is pending; all of it at the end, else all but an unfinished character.
    void Pass(bool all);

    std::streambuf* target_;
    std::string pending_;
};

// While it lives, everything written to the stream passes VisibleOutputBuffer: the program puts
// one around each of its output streams, so that no line reaches the terminal unescaped.
class VisibleOutput {
public:
    explicit VisibleOutput(std::ostream& stream);
    ~VisibleOutput();
    VisibleOutput(const VisibleOutput&) = delete;
    VisibleOutput& operator=(const VisibleOutput&) = delete;

private:
    std::ostream& stream_;
    VisibleOutputBuffer buffer_;
};

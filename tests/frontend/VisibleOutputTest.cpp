// What the terminal is sent: a text from a file or typed by someone can hold escape sequences
// that colour the terminal or set its title, a carriage return that hides what came before, or a
// bidi override that shows a name reversed. None of them reaches the terminal raw.
#include <gtest/gtest.h>

#include <sstream>

#include "frontend/TerminalOut.h"
#include "frontend/VisibleOutput.h"

TEST(VisibleOutputTest, ControlCharactersShowAsEscapes) {
    const std::pair<std::string, std::string> cases[] = {
        {"Pokal\x1B[31mROT\x1B]0;Titel\a", "Pokal\\x1B[31mROT\\x1B]0;Titel\\x07"},
        {"alt\rneu", "alt\\x0Dneu"},
        {"a\tb\x7F", "a\\x09b\\x7F"},
        {"C1 \xC2\x9B" "31m", "C1 \\u009B31m"},                    // CSI as one character
        {"\xE2\x80\xAE" "nielS", "\\u202EnielS"},                 // right-to-left override
        {"\xE2\x81\xA6x\xE2\x81\xA9 \xE2\x80\x8F", "\\u2066x\\u2069 \\u200F"},  // isolates, mark
        {"Zeile\xE2\x80\xA8weiter", "Zeile\\u2028weiter"},         // line separator
        {"roh \x9B und \xFF", "roh \\x9B und \\xFF"},              // bytes that are not UTF-8
    };
    for (const auto& [text, shown] : cases) EXPECT_EQ(VisibleText(text), shown);
}

TEST(VisibleOutputTest, OrdinaryTextAndLineEndsPassUnchanged) {
    const std::string text = "Mühlental – „hilfe“ zeigt die Befehle.\nSpiel 1: 3:0 ✓ 😀\n";
    EXPECT_EQ(VisibleText(text), text);
    EXPECT_EQ(VisibleText("C:\\x1B bleibt"), "C:\\x1B bleibt") << "a typed backslash is no control character";
}

TEST(VisibleOutputTest, AStreamPassesEverythingThroughAndIsGivenBackAfterwards) {
    std::ostringstream terminal;
    std::streambuf* own = terminal.rdbuf();
    {
        VisibleOutput visible(terminal);
        terminal << "Turnier [P\x1B[5m] " << std::string("Pokal\a") << '\n' << "> " << std::flush;
        EXPECT_EQ(terminal.str(), "Turnier [P\\x1B[5m] Pokal\\x07\n> ") << "a flush passes a prompt at once";
    }
    EXPECT_EQ(terminal.rdbuf(), own);
    terminal << "\a";
    EXPECT_EQ(terminal.str(), "Turnier [P\\x1B[5m] Pokal\\x07\n> \a");
}

// A character can be cut between two writes, with a flush between them (a prompt's flush, or
// standard error's after every write): it passes whole, once complete.
TEST(VisibleOutputTest, ACharacterSplitBetweenWritesPassesWhole) {
    std::ostringstream terminal;
    {
        VisibleOutput visible(terminal);
        terminal << "M\xC3" << std::flush;
        EXPECT_EQ(terminal.str(), "M");
        terminal << "\xBC" "hle \xE2\x80" << std::flush << "\xAE" << std::flush;
        EXPECT_EQ(terminal.str(), "Mühle \\u202E");
        terminal << "Ende \xE2\x80";
    }
    EXPECT_EQ(terminal.str(), "Mühle \\u202EEnde \\xE2\\x80") << "a character never completed shows as its bytes";
}

// The program's own line ends pass; a line feed inside a value (a name or a file name from
// elsewhere, or a message built around one) shows escaped, so that no value starts a line that
// looks like one of the program's.
TEST(TerminalOutTest, OnlyTheProgramsOwnTextEndsLines) {
    std::ostringstream terminal;
    TerminalOut out(terminal);
    const std::string name = "Pokal\nInformation: Alle Ergebnisse gespeichert";
    out << "Aktuell: " << 1 << ' ' << name << "\n"
        << std::string_view("Datei\r\n.tur") << '\n'
        << "Zeile\nund Zeile\n" << std::flush;
    EXPECT_EQ(terminal.str(),
              "Aktuell: 1 Pokal\\x0AInformation: Alle Ergebnisse gespeichert\n"
              "Datei\\x0D\\x0A.tur\n"
              "Zeile\nund Zeile\n");
    EXPECT_EQ(VisibleText("a\nb\x1B", LineFeeds::Escaped), "a\\x0Ab\\x1B");
}

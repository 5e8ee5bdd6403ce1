#include <gtest/gtest.h>

#include <string>

#include "TestEnvironment.h"
#include "foundation/files/Dateihandling.h"
#include "foundation/files/Scrambling.h"
#include "foundation/files/TFile.h"

namespace {

class DateihandlingTest : public ProgramTest {
protected:
    std::string Path(const std::string& name) const { return folder + name; }

    void WriteLines(const std::string& name, const std::string& mode, bool scrambled,
                    std::initializer_list<std::string> lines) {
        Dateihandling file;
        ASSERT_TRUE(file.Open(Path(name), mode, scrambled));
        for (const auto& line : lines) file.WriteLine(line);
        file.Close();
    }
};

}  // namespace

TEST_F(DateihandlingTest, ScrambledFilesEndLinesInLfPlainFilesInCrLf) {
    WriteLines("plain.dat", "W", false, {"EigenForm", "Müller"});
    EXPECT_EQ(ReadProgramFile("plain.dat"), "EigenForm\r\nM\xFCller\r\n");
    WriteLines("x.exp", "W", true, {"a"});
    std::string written = ReadProgramFile("x.exp");
    EXPECT_EQ(written.size(), 1u + 3u + 28u + 1u);  // "a", marker, filler, line feed
    EXPECT_EQ(written.substr(1, 3), "<:>");
    EXPECT_EQ(written.back(), '\n');
}

TEST_F(DateihandlingTest, HtmlIsNeverScrambled) {
    WriteLines("seite.html", "HTML", true, {"<p>Spielplan</p>", ""});
    EXPECT_EQ(ReadProgramFile("seite.html"), "<p>Spielplan</p>\n\n");
}

TEST_F(DateihandlingTest, ScrambledLinesComeBackAndReadingPastTheEndYieldsEmptyLines) {
    WriteLines("x.exp", "W", true, {"<EXPORT>", "", "Jürgen Götz", "Łódź", "École", "a\vb", "</EXPORT>"});
    Dateihandling in;
    ASSERT_TRUE(in.Open(Path("x.exp"), "R", true));
    for (std::string expected : {"<EXPORT>", "", "Jürgen Götz", "Łódź", "École", "a\vb", "</EXPORT>"})
        EXPECT_EQ(in.ReadLine(), expected);  // code 11 stays code 11 in this class
    EXPECT_TRUE(in.Eof());
    EXPECT_EQ(in.ReadLine(), "");
    EXPECT_EQ(in.ReadLine(), "");
    in.Close();
}

TEST_F(DateihandlingTest, ReadsLinesWrittenByTheBlockFileClass) {
    {
        TFile out;
        ASSERT_TRUE(out.OpenWrite(Path("t.tur"), true));
        out.WriteLine("<DATEI>");
        out.WriteLine("MAROVELKA4");
        out.Close();
    }
    Dateihandling in;
    ASSERT_TRUE(in.Open(Path("t.tur"), "R", true));
    EXPECT_EQ(in.ReadLine(), "<DATEI>");  // the CR falls behind the marker
    EXPECT_EQ(in.ReadLine(), "MAROVELKA4");
    in.Close();
}

TEST_F(DateihandlingTest, KeyPositionRunsOnAcrossOpens) {
    Dateihandling out;
    ASSERT_TRUE(out.Open(Path("a.exp"), "W", true));
    out.WriteLine("A");
    out.WriteLine("A");
    out.Close();
    ASSERT_TRUE(out.Open(Path("b.exp"), "W", true));
    out.WriteLine("A");
    out.Close();
    EXPECT_EQ(ReadProgramFile("b.exp")[0], static_cast<char>('A' + scrambling::kKey[2] + 10));
}

TEST_F(DateihandlingTest, MissingFileSetsTheErrorForGood) {
    Dateihandling file;
    EXPECT_FALSE(file.Open(Path("fehlt.exp"), "R", true));
    EXPECT_EQ(file.ReadLine(), "");
    EXPECT_TRUE(file.Open(Path("neu.dat"), "W", false));
    file.WriteLine("wird nicht geschrieben");
    file.Close();
    EXPECT_EQ(ReadProgramFile("neu.dat"), "");
}

TEST_F(DateihandlingTest, AppendingToAMissingFileWritesAndCreatesNothing) {
    Dateihandling file;
    file.OpenAppend(Path("EigenForm.dat"), "A", false);
    file.WriteLine("Form");
    file.Close();
    EXPECT_FALSE(ProgramFileExists("EigenForm.dat"));
}

TEST_F(DateihandlingTest, AppendingAddsCrLfLines) {
    WriteProgramFile("EigenForm.dat", "alt\r\n");
    Dateihandling file;
    file.OpenAppend(Path("EigenForm.dat"), "A", false);
    file.WriteLine("neu");
    file.Close();
    EXPECT_EQ(ReadProgramFile("EigenForm.dat"), "alt\r\nneu\r\n");
}

TEST_F(DateihandlingTest, LinesBeyondTheOldLimitStayWhole) {
    const std::string longLine(100000, 'k');
    WriteLines("lang.exp", "W", true, {longLine, "</EXPORT>"});
    Dateihandling in;
    ASSERT_TRUE(in.Open(Path("lang.exp"), "R", true));
    EXPECT_EQ(in.ReadLine(), longLine);
    EXPECT_EQ(in.ReadLine(), "</EXPORT>");
    EXPECT_FALSE(in.LineTooLong());
    in.Close();
}

TEST_F(DateihandlingTest, PlainTextFilesAreReadInEitherEncoding) {
    WriteProgramFile("namen.txt", "J\xFCrgen\r\nMüller\r\n");
    Dateihandling in;
    ASSERT_TRUE(in.Open(Path("namen.txt"), "R", false));
    EXPECT_EQ(in.ReadLine(), "Jürgen");
    EXPECT_EQ(in.ReadLine(), "Müller");
    in.Close();
}

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "foundation/files/Dateihandling.h"
#include "foundation/files/LineFile.h"
#include "foundation/files/Scrambling.h"
#include "foundation/files/TFile.h"

namespace {

class DateihandlingTest : public ProgramTest {
protected:
    std::string Path(const std::string& name) const { return folder + name; }
    // Files in the program folder but the logs and the test's settings folder.
    int OtherFiles() const {
        int files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            files += name != "config" && name != "error.log" && name != "debug.log";
        }
        return files;
    }

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
    WriteProgramFile("alt.dat", "alt\r\n");
    {
        Dateihandling file;
        EXPECT_FALSE(file.Open(Path("fehlt.exp"), "R", true));
        EXPECT_EQ(file.ReadLine(), "");
        // Nothing could be written any more, so the open for writing must not cut a file short.
        EXPECT_FALSE(file.Open(Path("neu.dat"), "W", false));
        EXPECT_FALSE(file.Open(Path("alt.dat"), "W", false));
        file.WriteLine("wird nicht geschrieben");
        EXPECT_FALSE(file.Close());
    }
    EXPECT_FALSE(ProgramFileExists("neu.dat"));
    EXPECT_EQ(ReadProgramFile("alt.dat"), "alt\r\n");
}

TEST_F(DateihandlingTest, ReadingAnotherFileDoesNotRedirectTheFileBeingWritten) {
    WriteProgramFile("quelle.dat", "Quelle\r\n");
    {
        Dateihandling file;
        ASSERT_TRUE(file.Open(Path("ziel.exp"), "W", true));
        file.WriteLine("Ergebnis");
        ASSERT_TRUE(file.Open(Path("quelle.dat"), "R", false));
        EXPECT_EQ(file.ReadLine(), "Quelle");
        file.WriteLine("noch ein Ergebnis");
        EXPECT_TRUE(file.Close());
    }
    EXPECT_EQ(ReadProgramFile("quelle.dat"), "Quelle\r\n");
    Dateihandling in;
    ASSERT_TRUE(in.Open(Path("ziel.exp"), "R", true));
    EXPECT_EQ(in.ReadLine(), "Ergebnis");
    EXPECT_EQ(in.ReadLine(), "noch ein Ergebnis");
    in.Close();
}

TEST_F(DateihandlingTest, CyrillicAndGreekLinesSurviveEveryKeyPosition) {
    std::vector<std::string> lines;
    const std::string kinds[] = {"Иван Петров", "Ολυμπιακός", "Zeile"};
    for (int i = 0; i < 60; ++i) lines.push_back(kinds[i % 3] + " " + std::to_string(i));
    {
        Dateihandling out;
        ASSERT_TRUE(out.Open(Path("x.exp"), "W", true));
        for (const auto& line : lines) out.WriteLine(line);
        EXPECT_TRUE(out.Close());
    }
    EXPECT_NE(ReadProgramFile("x.exp").find("\nИван Петров"), std::string::npos) << "some stand plain";
    Dateihandling in;
    ASSERT_TRUE(in.Open(Path("x.exp"), "R", true));
    for (const auto& line : lines) EXPECT_EQ(in.ReadLine(), line);
    EXPECT_TRUE(in.Eof());
    in.Close();
}

TEST_F(DateihandlingTest, LineThatCannotBeStoredKeepsThePreviousFile) {
    WriteProgramFile("x.exp", "alt\n");
    Dateihandling out;
    ASSERT_TRUE(out.Open(Path("x.exp"), "W", true));
    for (int i = 1; i <= 5; ++i) out.WriteLine("Zeile");
    out.WriteLine("Иван <:> Петров");  // key digit 0
    EXPECT_FALSE(out.Close());
    EXPECT_EQ(ReadProgramFile("x.exp"), "alt\n");
    EXPECT_FALSE(ProgramFileExists("x.exp.tmp"));
}

// Lines end in a bare line feed here: a line as long as the reader's limit is written and read
// back whole (the block file class, whose lines end in CR LF, takes one byte less).
TEST_F(DateihandlingTest, ALineAsLongAsAnyReaderTakesIsWrittenAndReadBack) {
    const std::string longest(kMaxLineBytes, 'x');
    Dateihandling out;
    ASSERT_TRUE(out.Open(Path("x.exp"), "HTML", true));
    out.WriteLine(longest);
    ASSERT_TRUE(out.Close());
    Dateihandling in;
    ASSERT_TRUE(in.Open(Path("x.exp"), "R", false));
    EXPECT_TRUE(in.ReadLine() == longest);
    EXPECT_FALSE(in.LineTooLong());
    in.Close();
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

TEST_F(DateihandlingTest, FailedWriteIsLoggedOnceAndKeepsThePreviousFile) {
    WriteProgramFile("ergebnis.exp", "alt\r\n");
    FileSizeLimit full(4096);  // room for the log lines, not for the file
    if (!full.Active()) GTEST_SKIP() << "no file size limit";
    Dateihandling file;
    ASSERT_TRUE(file.Open(folder + "ergebnis.exp", "W", false));
    file.WriteLine(std::string(10000, 'x'));
    file.WriteLine("zwei");
    EXPECT_FALSE(file.Close());
    EXPECT_EQ(ReadProgramFile("ergebnis.exp"), "alt\r\n");
    EXPECT_FALSE(ProgramFileExists("ergebnis.exp.tmp"));
    const std::string name = folder + "ergebnis.exp";
    EXPECT_EQ(ReadProgramFile("error.log"), "[06.12.26 09:05:03] [X] Datei " + name +
                                                " konnte nicht geschrieben werden\r\n"
                                                "[06.12.26 09:05:03] [X] Datei " + name +
                                                " konnte nicht gespeichert werden, die alte Fassung bleibt\r\n");
}

namespace {
struct FailingRename : FileOperations {
    bool Rename(const std::string&, const std::string&) override { return false; }
};
}  // namespace

TEST_F(DateihandlingTest, WrittenFileReplacesTheTargetOnlyWhenComplete) {
    WriteProgramFile("liste.csv", "alt\r\n");
    FailingRename failing;
    Dateihandling refused(failing);
    ASSERT_TRUE(refused.Open(folder + "liste.csv", "W", false));
    refused.WriteLine("neu");
    EXPECT_FALSE(ProgramFileExists("liste.csv") && ReadProgramFile("liste.csv") != "alt\r\n");
    EXPECT_FALSE(refused.Close());
    EXPECT_EQ(ReadProgramFile("liste.csv"), "alt\r\n");

    Dateihandling file;
    ASSERT_TRUE(file.Open(folder + "liste.csv", "W", false));
    file.WriteLine("neu");
    EXPECT_EQ(ReadProgramFile("liste.csv"), "alt\r\n") << "nothing replaced before Close";
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(ReadProgramFile("liste.csv"), "neu\r\n");
    EXPECT_EQ(OtherFiles(), 1) << "liste.csv alone, no temporary file";
}

TEST_F(DateihandlingTest, AnExceptionWhileWritingKeepsThePreviousFile) {
    WriteProgramFile("ergebnis.exp", "alt\n");
    try {
        Dateihandling file;
        ASSERT_TRUE(file.Open(Path("ergebnis.exp"), "W", true));
        file.WriteLine("MAROVELKA4 EXPORT");
        throw std::runtime_error("Abbruch beim Schreiben");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(ReadProgramFile("ergebnis.exp"), "alt\n");
    EXPECT_EQ(OtherFiles(), 1) << "no temporary file stays";
}

TEST_F(DateihandlingTest, AFolderToReadCountsAsMissing) {
    std::filesystem::create_directory(folder + "ordner.exp");
    WriteProgramFile("alt.dat", "alt\r\n");
    Dateihandling file;
    EXPECT_FALSE(file.Open(Path("ordner.exp"), "R", true));
    EXPECT_TRUE(file.Eof());
    EXPECT_FALSE(file.Open(Path("alt.dat"), "W", false)) << "nothing is written after a missing file";
    EXPECT_FALSE(file.Close());
    EXPECT_EQ(ReadProgramFile("alt.dat"), "alt\r\n");
}

TEST_F(DateihandlingTest, AppendingToSomethingThatIsNoFileReportsTheLoss) {
    std::filesystem::create_directory(folder + "EigenForm.dat");
    Dateihandling file;
    file.OpenAppend(Path("EigenForm.dat"), "W", false);
    file.WriteLine("T|Pokal");
    EXPECT_FALSE(file.Close());
}

// An own-forms file whose last description has no line end keeps it, and the form appended
// stands on lines of its own.
TEST_F(DateihandlingTest, AppendingEndsAnUnfinishedLastLineAndAFailedOneLeavesTheFileAsItWas) {
    WriteProgramFile("EigenForm.dat", "4|Form|<$$>\r\n|Beschreibung alt");
    {
        FullDiskFileOperations full(5);
        Dateihandling file(full);
        file.OpenAppend(Path("EigenForm.dat"), "A", false);
        file.WriteLine("8|Neu|<$$>");
        file.WriteLine("|Beschreibung neu");
        EXPECT_FALSE(file.Close());
        EXPECT_EQ(file.Error(), ENOSPC);
    }
    EXPECT_EQ(ReadProgramFile("EigenForm.dat"), "4|Form|<$$>\r\n|Beschreibung alt");
    Dateihandling file;
    file.OpenAppend(Path("EigenForm.dat"), "A", false);
    file.WriteLine("8|Neu|<$$>");
    file.WriteLine("|Beschreibung neu");
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(ReadProgramFile("EigenForm.dat"), "4|Form|<$$>\r\n|Beschreibung alt\r\n8|Neu|<$$>\r\n|Beschreibung neu\r\n");
}

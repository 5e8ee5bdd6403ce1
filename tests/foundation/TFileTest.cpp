#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "foundation/files/LineFile.h"
#include "foundation/files/TFile.h"
#include "platform/FileVersion.h"

namespace {

class TFileTest : public ProgramTest {
protected:
    std::string Path(const std::string& name) const { return folder + name; }

    // The names in the program folder, the test's own settings folder and the logs left out.
    std::set<std::string> Files() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename().string());
        for (const char* other : {"config", "error.log", "debug.log"}) names.erase(other);
        return names;
    }

    void WriteLines(const std::string& name, std::initializer_list<std::string> lines, bool scrambled) {
        TFile file;
        ASSERT_TRUE(file.OpenWrite(Path(name), scrambled));
        for (const auto& line : lines) file.WriteLine(line);
        EXPECT_TRUE(file.Close());
    }
};

// The real file system, except that the rename over the target fails.
class FailingRename : public FileOperations {
public:
    bool Rename(const std::string&, const std::string&) override { return false; }
};

// The real file system, except that no file can be made (a folder without write permission).
class RefusingCreate : public FileOperations {
public:
    int Open(const std::string& path, int flags, mode_t mode) override {
        if ((flags & O_CREAT) == 0) return FileOperations::Open(path, flags, mode);
        errno = EACCES;
        return -1;
    }
};

}  // namespace

// --- lines, line ends, size and position ---

TEST_F(TFileTest, LinesEndInCrLfInTextAndBinaryMode) {
    WriteLines("namen.dat", {"eins", "", "zwei"}, false);
    EXPECT_EQ(ReadProgramFile("namen.dat"), "eins\r\n\r\nzwei\r\n");
    TFile binary;
    ASSERT_TRUE(binary.Open(Path("b.dat"), "wb"));
    binary.WriteLine("x");
    binary.Close();
    EXPECT_EQ(ReadProgramFile("b.dat"), "x\r\n");
}

TEST_F(TFileTest, TextModeStripsTheCrBinaryModeKeepsIt) {
    WriteProgramFile("a.dat", "eins\r\nzwei\r\r\nletzte");
    TFile text;
    ASSERT_TRUE(text.OpenRead(Path("a.dat"), false));
    EXPECT_EQ(text.ReadLine(), "eins");
    EXPECT_EQ(text.ReadLine(), "zwei\r");
    EXPECT_EQ(text.ReadLine(), "letzte");
    TFile binary;
    ASSERT_TRUE(binary.Open(Path("a.dat"), "rb"));
    EXPECT_EQ(binary.ReadLine(), "eins\r");
}

TEST_F(TFileTest, EofTurnsTrueRightAfterTheLastLine) {
    WriteLines("a.dat", {"eins", "zwei"}, true);
    TFile file;
    ASSERT_TRUE(file.OpenRead(Path("a.dat"), true));
    EXPECT_EQ(file.Size(), static_cast<long>(ReadProgramFile("a.dat").size()));
    EXPECT_EQ(file.ReadLine(), "eins");
    EXPECT_FALSE(file.Eof());
    EXPECT_EQ(file.ReadLine(), "zwei");
    EXPECT_TRUE(file.Eof());
    EXPECT_EQ(file.ReadLine(), "");
}

TEST_F(TFileTest, ClosedObjectIsHarmless) {
    TFile file;
    file.WriteLine("verloren");
    char buffer[4];
    EXPECT_EQ(file.ReadLine(), "");
    EXPECT_TRUE(file.Eof());
    EXPECT_EQ(file.Tell(), 0);
    EXPECT_EQ(file.Size(), 0);
    EXPECT_EQ(file.Write("abc", 3), 0u);
    EXPECT_EQ(file.Read(buffer, 4), 0u);
    EXPECT_FALSE(file.OpenRead(Path("fehlt.dat"), false));
    EXPECT_TRUE(file.Close());
}

TEST_F(TFileTest, BlocksAreWrittenAndReadByteForByte) {
    const std::string block("\0\r\n\x1A\xFF", 5);
    TFile out;
    ASSERT_TRUE(out.Open(Path("farben.bin"), "wb"));
    EXPECT_EQ(out.Write(block.data(), block.size()), 5u);
    EXPECT_EQ(out.Size(), 5);
    EXPECT_TRUE(out.Close());
    TFile in;
    ASSERT_TRUE(in.Open(Path("farben.bin"), "rb"));
    std::string back(8, '-');
    EXPECT_EQ(in.Read(back.data(), back.size()), 5u);
    EXPECT_EQ(back.substr(0, 5), block);
    EXPECT_TRUE(in.Eof());
}

// --- scrambled lines ---

TEST_F(TFileTest, ScrambledLinesComeBackInBothSchemes) {
    TFile out;
    ASSERT_TRUE(out.OpenWrite(Path("t.tur"), true));
    out.WriteLine("<DATEI>");
    out.WriteLine("");
    out.SetShiftScheme(false);
    out.WriteLine("Gruppe A\r\nFeld 1\r\n");
    out.WriteLine("");
    out.WriteLine("Müller € Łódź");
    out.Close();
    TFile in;
    ASSERT_TRUE(in.OpenRead(Path("t.tur"), true));
    EXPECT_EQ(in.ReadLine(), "<DATEI>");
    EXPECT_EQ(in.ReadLine(), "");
    in.SetShiftScheme(false);
    EXPECT_EQ(in.ReadLine(), "Gruppe A\r\nFeld 1\r\n");
    EXPECT_EQ(in.ReadLine(), "");
    EXPECT_EQ(in.ReadLine(), "Müller € Łódź");
}

TEST_F(TFileTest, EveryOpenStartsTheKeyCycleAfresh) {
    TFile file;
    ASSERT_TRUE(file.OpenWrite(Path("a.tur"), true));
    file.WriteLine("x");
    file.WriteLine("x");
    EXPECT_EQ(file.KeyPosition(), 3);
    ASSERT_TRUE(file.OpenWrite(Path("b.tur"), true));
    EXPECT_EQ(file.KeyPosition(), 1);
}

TEST_F(TFileTest, PlainLineAmongScrambledLinesLeavesTheKeyCycleAlone) {
    TFile scrambler;
    std::string first = scrambler.ScrambleLine("MAROVELKA4");
    std::string second = scrambler.ScrambleLine("v4.002");
    WriteProgramFile("a.tur", first + "\r\nTURNIER\r\n" + second + "\r\n");
    TFile in;
    ASSERT_TRUE(in.OpenRead(Path("a.tur"), true));
    EXPECT_EQ(in.ReadLine(), "MAROVELKA4");
    EXPECT_EQ(in.ReadLine(), "TURNIER");
    EXPECT_EQ(in.ReadLine(), "v4.002");
}

TEST_F(TFileTest, CharacterDecodingToCode11ArrivesAsUUmlaut) {
    WriteLines("a.tur", {"a\vb"}, true);
    TFile in;
    ASSERT_TRUE(in.OpenRead(Path("a.tur"), true));
    EXPECT_EQ(in.ReadLine(), "aÜb");
}

TEST_F(TFileTest, LinesOfAHundredThousandCharactersStayWhole) {
    const std::string longLine(100000, 'x');
    for (bool shift : {true, false}) {
        TFile out;
        out.SetShiftScheme(shift);
        ASSERT_TRUE(out.OpenWrite(Path("lang.tur"), true));
        out.WriteLine(longLine);
        out.WriteLine("danach");
        out.Close();
        TFile in;
        in.SetShiftScheme(shift);
        ASSERT_TRUE(in.OpenRead(Path("lang.tur"), true));
        EXPECT_EQ(in.ReadLine(), longLine);
        EXPECT_EQ(in.ReadLine(), "danach");
    }
}

TEST_F(TFileTest, AbsurdlyLongLineRefusesTheFileAndSaysSo) {
    WriteProgramFile("riesig.tur", std::string(kMaxLineBytes + 1, 'x') + "\r\nweiter\r\n");
    TFile in;
    ASSERT_TRUE(in.OpenRead(Path("riesig.tur"), false));
    EXPECT_EQ(in.ReadLine(), "");
    EXPECT_TRUE(in.LineTooLong());
    EXPECT_TRUE(in.Eof());
    EXPECT_EQ(in.ReadLine(), "");
    EXPECT_NE(ReadProgramFile("error.log").find("riesig.tur hat eine Zeile mit mehr als"), std::string::npos);
}

// The writer keeps to the reader's limit, the carriage return of its line end counted as the
// reader counts it (a bare line feed ends the line): a line that with it is one byte too long
// fails the file and keeps the target, so that no save leaves a file its next load refuses.
TEST_F(TFileTest, ALineLongerThanAnyReaderTakesIsNotWrittenAndTheTargetStays) {
    WriteProgramFile("liste.dat", "alt\r\n");
    TFile out;
    out.SetSafeWrite(true);
    ASSERT_TRUE(out.OpenWrite(Path("liste.dat"), false));
    out.WriteLine("davor");
    out.WriteLine(std::string(kMaxLineBytes, 'x'));
    out.WriteLine("danach");
    EXPECT_FALSE(out.Close());
    EXPECT_EQ(out.Error(), kLineTooLongError);
    EXPECT_EQ(ReadProgramFile("liste.dat"), "alt\r\n");
}

// What the save of a file reads as its version: the bytes that went into the file, taken before
// the rename; a load takes the version of the very bytes it read, however far it read.
TEST_F(TFileTest, TheVersionWrittenIsTheVersionOfTheFileAndOfWhatALoadReads) {
    TFile out;
    out.SetSafeWrite(true);
    ASSERT_TRUE(out.OpenWrite(Path("a.tur"), true));
    for (const char* line : {"<DATEI>", "MAROVELKA4", "v4.002"}) out.WriteLine(line);
    ASSERT_TRUE(out.Close());
    ASSERT_TRUE(out.VersionWritten());
    EXPECT_EQ(out.VersionWritten(), FileVersionOf(Path("a.tur")));
    TFile in;
    ASSERT_TRUE(in.OpenRead(Path("a.tur"), true));
    EXPECT_EQ(in.ReadLine(), "<DATEI>");
    EXPECT_EQ(in.VersionRead(), out.VersionWritten()) << "the rest is read for it";
    ASSERT_TRUE(out.OpenWrite(Path("a.tur"), true));
    EXPECT_FALSE(out.Close()) << "nothing written";
    EXPECT_FALSE(out.VersionWritten()) << "no file put in place, no version";
}

TEST_F(TFileTest, PlainLinesAreStoredInTheCodePageWhereTheyFit) {
    WriteLines("teams.dat", {"Müller", "Łódź"}, false);
    EXPECT_EQ(ReadProgramFile("teams.dat"), "M\xFCller\r\nŁódź\r\n");
    WriteProgramFile("alt.dat", "J\xFCrgen\r\nG\xF6tz\r\n");
    TFile in;
    ASSERT_TRUE(in.OpenRead(Path("alt.dat"), false));
    EXPECT_EQ(in.ReadLine(), "Jürgen");
    EXPECT_EQ(in.ReadLine(), "Götz");
}

TEST_F(TFileTest, CharactersThatScrambleToLineBreaksOrMarkersSurvive) {
    // Line 4 uses key digit 7 ("É" would become a line feed), line 8 key digit 8 ("úøü" the marker).
    WriteLines("a.tur", {"1", "2", "3", "École", "5", "6", "7", "úøü Team"}, true);
    TFile in;
    ASSERT_TRUE(in.OpenRead(Path("a.tur"), true));
    for (int i = 1; i <= 3; ++i) in.ReadLine();
    EXPECT_EQ(in.ReadLine(), "École");
    for (int i = 5; i <= 7; ++i) in.ReadLine();
    EXPECT_EQ(in.ReadLine(), "úøü Team");
}

TEST_F(TFileTest, CyrillicAndGreekLinesSurviveEveryKeyPosition) {
    // Under some key digits their UTF-8 bytes would scramble to a line feed; those lines are
    // stored plain, and the lines after them still decode.
    std::vector<std::string> lines;
    const std::string kinds[] = {"Иван Петров", "Ολυμπιακός", "Zeile"};
    for (int i = 0; i < 60; ++i) lines.push_back(kinds[i % 3] + " " + std::to_string(i));
    {
        TFile out;
        ASSERT_TRUE(out.OpenWrite(Path("a.tur"), true));
        for (const auto& line : lines) out.WriteLine(line);
        EXPECT_TRUE(out.Close());
    }
    const std::string bytes = ReadProgramFile("a.tur");
    EXPECT_NE(bytes.find("\r\nИван Петров"), std::string::npos);
    EXPECT_NE(bytes.find("\r\nΟλυμπιακός"), std::string::npos);
    TFile in;
    ASSERT_TRUE(in.OpenRead(Path("a.tur"), true));
    for (const auto& line : lines) EXPECT_EQ(in.ReadLine(), line);
    EXPECT_TRUE(in.Eof());
}

TEST_F(TFileTest, LineThatCannotBeStoredFailsTheSave) {
    WriteProgramFile("t.tur", "alt");
    TFile file;
    file.SetSafeWrite(true);
    ASSERT_TRUE(file.OpenWrite(Path("t.tur"), true));
    for (int i = 1; i <= 5; ++i) file.WriteLine("Zeile");
    file.WriteLine("Иван <:> Петров");  // key digit 0: neither scrambled nor plain would read back
    file.WriteLine("Zeile");
    EXPECT_FALSE(file.Close());
    EXPECT_EQ(ReadProgramFile("t.tur"), "alt");
    TFile scrambler;
    scrambler.SetKeyPosition(6);
    EXPECT_EQ(scrambler.ScrambleLine("Иван <:> Петров"), "");
    EXPECT_EQ(scrambler.KeyPosition(), 6);
}

// --- safe write ---

TEST_F(TFileTest, SafeWriteReplacesTheTargetWhole) {
    WriteProgramFile("t.tur", "alt");
    TFile file;
    file.SetSafeWrite(true);
    ASSERT_TRUE(file.OpenWrite(Path("t.tur"), false));
    file.WriteLine("neu");
    EXPECT_EQ(ReadProgramFile("t.tur"), "alt");
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(ReadProgramFile("t.tur"), "neu\r\n");
    EXPECT_FALSE(ProgramFileExists("t.tmp"));
}

TEST_F(TFileTest, SafeWriteWithNothingWrittenKeepsTheTarget) {
    WriteProgramFile("t.tur", "alt");
    TFile file;
    file.SetSafeWrite(true);
    ASSERT_TRUE(file.OpenWrite(Path("t.tur"), true));
    EXPECT_FALSE(file.Close());
    EXPECT_EQ(ReadProgramFile("t.tur"), "alt");
    EXPECT_FALSE(ProgramFileExists("t.tmp")) << "an unused temporary file is not left behind";
}

TEST_F(TFileTest, FailedRenameReportsFailureAndKeepsTheTarget) {
    WriteProgramFile("t.tur", "alt");
    FailingRename operations;
    TFile file(operations);
    file.SetSafeWrite(true);
    ASSERT_TRUE(file.OpenWrite(Path("t.tur"), true));
    file.WriteLine("neu");
    EXPECT_FALSE(file.Close());
    EXPECT_EQ(ReadProgramFile("t.tur"), "alt");
}

TEST_F(TFileTest, RefusedTemporaryFileOrRenameKeepsThePreviousFile) {
    WriteProgramFile("t.tur", "alt");
    RefusingCreate readOnlyFolder;
    TFile file(readOnlyFolder);
    file.SetSafeWrite(true);
    EXPECT_FALSE(file.OpenWrite(Path("t.tur"), false));
    file.WriteLine("neu");
    EXPECT_FALSE(file.Close());
    FailingRename refusingFolder;
    TFile renaming(refusingFolder);
    renaming.SetSafeWrite(true);
    ASSERT_TRUE(renaming.OpenWrite(Path("u.tur"), false));
    renaming.WriteLine("neu");
    EXPECT_FALSE(renaming.Close());  // the rename into the folder fails
    EXPECT_EQ(ReadProgramFile("t.tur"), "alt");
    EXPECT_EQ(Files(), std::set<std::string>{"t.tur"}) << "no temporary file stays";
}

TEST_F(TFileTest, FailedWriteIsReported) {
    WriteProgramFile("t.tur", "alt");
    FileSizeLimit full(4096);
    if (!full.Active()) GTEST_SKIP() << "no file size limit";
    TFile plain;
    ASSERT_TRUE(plain.OpenWrite(Path("namen.dat"), false));
    plain.WriteLine(std::string(10000, 'x'));
    EXPECT_FALSE(plain.Close());
    TFile safe;
    safe.SetSafeWrite(true);
    ASSERT_TRUE(safe.OpenWrite(Path("t.tur"), true));
    safe.WriteLine(std::string(10000, 'x'));
    EXPECT_FALSE(safe.Close());
    EXPECT_EQ(ReadProgramFile("t.tur"), "alt");
}

TEST_F(TFileTest, AnExceptionWhileWritingKeepsThePreviousFile) {
    WriteProgramFile("t.tur", "alt");
    try {
        TFile file;
        file.SetSafeWrite(true);
        ASSERT_TRUE(file.OpenWrite(Path("t.tur"), true));
        file.WriteLine("halb geschrieben");
        throw std::runtime_error("Abbruch beim Schreiben");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(ReadProgramFile("t.tur"), "alt");
    EXPECT_EQ(Files(), std::set<std::string>{"t.tur"}) << "no temporary file stays";
    EXPECT_NE(ReadProgramFile("error.log").find("t.tur wurde nicht zu Ende geschrieben, die alte Fassung bleibt"),
              std::string::npos);
}

TEST_F(TFileTest, OnlyCloseReplacesTheTargetNotAnotherOpen) {
    WriteProgramFile("t.tur", "alt");
    TFile file;
    file.SetSafeWrite(true);
    ASSERT_TRUE(file.OpenWrite(Path("t.tur"), false));
    file.WriteLine("ungeschlossen");
    ASSERT_TRUE(file.OpenWrite(Path("u.tur"), false));
    file.WriteLine("u");
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(ReadProgramFile("t.tur"), "alt");
    EXPECT_EQ(Files(), (std::set<std::string>{"t.tur", "u.tur"}));
}

// --- reading what is not a file ---

TEST_F(TFileTest, AFolderOrAPipeIsRefusedAtOnceLikeAMissingFile) {
    std::filesystem::create_directory(folder + "ordner.txt");
    ASSERT_EQ(mkfifo((folder + "rohr.txt").c_str(), 0600), 0);
    for (const std::string name : {"ordner.txt", "rohr.txt"}) {
        TFile file;
        EXPECT_FALSE(file.OpenRead(Path(name), false)) << name;
        EXPECT_TRUE(file.Eof());
        EXPECT_EQ(file.ReadLine(), "");
        EXPECT_FALSE(file.OpenAppend(Path(name))) << name;
    }
}

TEST_F(TFileTest, AFileCutShortWhileItIsReadEndsTheReading) {
    WriteProgramFile("namen.dat", "eins\r\nzwei\r\ndrei\r\n");
    TFile file;
    ASSERT_TRUE(file.OpenRead(Path("namen.dat"), false));
    EXPECT_EQ(file.ReadLine(), "eins");
    ASSERT_EQ(truncate(Path("namen.dat").c_str(), 0), 0);
    int reads = 0;
    while (!file.Eof() && reads < 100) {
        file.ReadLine();
        ++reads;
    }
    EXPECT_TRUE(file.Eof());
    EXPECT_LT(reads, 100);
}

// --- appending ---

namespace {

// Appends the lines to the file with a fresh TFile over the given file operations.
bool AppendLines(FileOperations& operations, const std::string& path, std::initializer_list<std::string> lines) {
    TFile file(operations);
    if (!file.OpenAppend(path)) return false;
    for (const auto& line : lines) file.WriteLine(line);
    return file.Close();
}

}  // namespace

// An editor may leave the last line without its line end; the next name must not fuse with it.
TEST_F(TFileTest, AnAppendedLineNeverFusesWithAnUnfinishedLastLine) {
    FileOperations disk;
    const std::pair<std::string, std::string> cases[] = {{"Adler\r\nIgel", "Adler\r\nIgel\r\nNeu\r\n"},
                                                         {"Adler\r\nIgel\r", "Adler\r\nIgel\r\nNeu\r\n"},
                                                         {"Adler\r\nIgel\n", "Adler\r\nIgel\nNeu\r\n"},
                                                         {"Adler\r\n", "Adler\r\nNeu\r\n"},
                                                         {"", "Neu\r\n"}};
    for (const auto& [before, after] : cases) {
        WriteProgramFile("teams.dat", before);
        EXPECT_TRUE(AppendLines(disk, Path("teams.dat"), {"Neu"})) << before;
        EXPECT_EQ(ReadProgramFile("teams.dat"), after) << before;
    }
    std::filesystem::remove(Path("teams.dat"));
    EXPECT_TRUE(AppendLines(disk, Path("teams.dat"), {"Neu"}));
    EXPECT_EQ(ReadProgramFile("teams.dat"), "Neu\r\n") << "a missing file is made";
    // A binary append adds bytes, not lines.
    WriteProgramFile("daten.bin", "ab");
    TFile binary;
    ASSERT_TRUE(binary.Open(Path("daten.bin"), "ab"));
    EXPECT_EQ(binary.Write("cd", 2), 2u);
    EXPECT_TRUE(binary.Close());
    EXPECT_EQ(ReadProgramFile("daten.bin"), "abcd");
}

// A full disk takes the first bytes of a name; the file goes back to what it was, whole.
TEST_F(TFileTest, AFailedAppendLeavesTheFileAsItWas) {
    for (const std::string& before : {std::string("Adler\r\nIgel\r\n"), std::string("Adler\r\nIgel")}) {
        for (size_t left : {0, 1, 4, 9}) {
            WriteProgramFile("teams.dat", before);
            FullDiskFileOperations full(left);
            TFile file(full);
            ASSERT_TRUE(file.OpenAppend(Path("teams.dat")));
            file.WriteLine("Langer Name");
            file.WriteLine("Zweiter Name");
            EXPECT_FALSE(file.Close()) << left;
            EXPECT_EQ(file.Error(), ENOSPC);
            EXPECT_EQ(ReadProgramFile("teams.dat"), before) << left << " bytes left";
        }
    }
    FileOperations disk;
    ASSERT_TRUE(AppendLines(disk, Path("teams.dat"), {"Kurz"}));
    EXPECT_EQ(ReadProgramFile("teams.dat"), "Adler\r\nIgel\r\nKurz\r\n");
}

TEST_F(TFileTest, AFailedSaveNamesItsReason) {
    WriteProgramFile("t.tur", "alt");
    FullDiskFileOperations full(10);
    TFile safe(full);
    safe.SetSafeWrite(true);
    ASSERT_TRUE(safe.OpenWrite(Path("t.tur"), true));
    safe.WriteLine(std::string(100, 'x'));
    EXPECT_FALSE(safe.Close());
    EXPECT_EQ(safe.Error(), ENOSPC);
    EXPECT_EQ(ReadProgramFile("t.tur"), "alt");
    std::filesystem::create_directory(Path("ordner.tur"));
    TFile folderTarget;
    folderTarget.SetSafeWrite(true);
    EXPECT_FALSE(folderTarget.OpenWrite(Path("ordner.tur"), true));
    EXPECT_EQ(folderTarget.Error(), EISDIR);
    TFile missing;
    EXPECT_FALSE(missing.OpenRead(Path("fehlt.tur"), true));
    EXPECT_EQ(missing.Error(), ENOENT);
    EXPECT_EQ(Files(), (std::set<std::string>{"t.tur", "ordner.tur"})) << "no temporary file stays";
}

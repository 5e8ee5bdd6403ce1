#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "TestEnvironment.h"
#include "RefusingFileOperations.h"
#include "platform/IniFile.h"

namespace fs = std::filesystem;

class IniFileTest : public ProgramTest {
protected:
    TIniFile Ini() const { return TIniFile(folder + "test.ini"); }
    std::string Content() const { return ReadProgramFile("test.ini"); }
    void Write(const std::string& content) const { WriteProgramFile("test.ini", content); }
};

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(Ini().ReadString("Einstellungen", "DruckSatz", "2"), "2");
    EXPECT_FALSE(ProgramFileExists("test.ini")) << "reading creates nothing";
    Write("[Anderes]\r\nDruckSatz=9\r\n");
    EXPECT_EQ(Ini().ReadString("Einstellungen", "DruckSatz", "2"), "2");
    Write("[Einstellungen]\r\nDruckBall=30\r\n");
    EXPECT_EQ(Ini().ReadString("Einstellungen", "DruckSatz", "2"), "2");
    EXPECT_EQ(TIniFile("").ReadString("Einstellungen", "DruckSatz", "2"), "2");
}

TEST_F(IniFileTest, NamesMatchWithoutRegardToCaseAndBlanks) {
    Write("[ einstellungen ]\r\n  druckball  =  30  \r\n");
    EXPECT_EQ(Ini().ReadString("Einstellungen", "DruckBall", ""), "30");
    EXPECT_EQ(Ini().ReadString("EINSTELLUNGEN", "DRUCKBALL", ""), "30");
}

TEST_F(IniFileTest, ValuesLoseOnePairOfQuotesButKeepInnerSigns) {
    Write("[E]\na=\"  mit Blanks  \"\nb='x'\nc=\"halb\nd=x=y; kein Kommentar\ne=\n");
    EXPECT_EQ(Ini().ReadString("E", "a", "-"), "  mit Blanks  ");
    EXPECT_EQ(Ini().ReadString("E", "b", "-"), "x");
    EXPECT_EQ(Ini().ReadString("E", "c", "-"), "\"halb");
    EXPECT_EQ(Ini().ReadString("E", "d", "-"), "x=y; kein Kommentar");
    EXPECT_EQ(Ini().ReadString("E", "e", "-"), "") << "an empty value is found, not the default";
}

TEST_F(IniFileTest, FirstOfDuplicatesCountsAndCommentsAreSkipped) {
    Write("[E]\n;a=kommentar\na=eins\na=zwei\n[E]\na=drei\nb=vier\n");
    EXPECT_EQ(Ini().ReadString("E", "a", "-"), "eins");
    EXPECT_EQ(Ini().ReadString("E", "b", "-"), "-") << "only the first section of a name is searched";
    EXPECT_EQ(Ini().ReadString("E", ";a", "-"), "-");
}

TEST_F(IniFileTest, WritingCreatesFileAndSection) {
    EXPECT_TRUE(Ini().WriteString("Einstellungen", "DruckSatz", "2"));
    EXPECT_EQ(Content(), "[Einstellungen]\r\nDruckSatz=2\r\n");
    EXPECT_TRUE(Ini().WriteString("Einstellungen", "DruckBall", "25"));
    EXPECT_TRUE(Ini().WriteString("Drucker", "Name", "Büro"));
    EXPECT_EQ(Content(), "[Einstellungen]\r\nDruckSatz=2\r\nDruckBall=25\r\n\r\n[Drucker]\r\nName=Büro\r\n");
}

TEST_F(IniFileTest, WritingChangesOneLineAndKeepsEverythingElse) {
    Write("; Druckoptionen\n[Einstellungen]\nDruckSatz=2   \n; Baelle pro Satz\nDruckBall=25\n\n[Fremd]\nx = y\n");
    EXPECT_TRUE(Ini().WriteString("einstellungen", "druckball", "30"));
    EXPECT_EQ(Content(), "; Druckoptionen\n[Einstellungen]\nDruckSatz=2   \n; Baelle pro Satz\ndruckball=30\n\n[Fremd]\nx = y\n");
}

TEST_F(IniFileTest, NewKeyJoinsTheEndOfItsSection) {
    Write("[Einstellungen]\r\nDruckSatz=2\r\n\r\n[Fremd]\r\nx=y\r\n");
    EXPECT_TRUE(Ini().WriteString("Einstellungen", "DruckBall", "25"));
    EXPECT_EQ(Content(), "[Einstellungen]\r\nDruckSatz=2\r\nDruckBall=25\r\n\r\n[Fremd]\r\nx=y\r\n");
    EXPECT_EQ(Ini().ReadString("Einstellungen", "DruckBall", ""), "25");
}

TEST_F(IniFileTest, TextsWithUmlautsAndSignsRoundTrip) {
    const std::string text = "Größe=5; Ärger [laut] #1";
    EXPECT_TRUE(Ini().WriteString("Einstellungen", "Text", text));
    EXPECT_EQ(Ini().ReadString("Einstellungen", "Text", ""), text);
}

TEST_F(IniFileTest, NamesAndValuesThatCannotBeReadBackAreRefused) {
    Write("[E]\na=1\n");
    EXPECT_FALSE(Ini().WriteString("E", "a", "zwei\r\nb=3"));
    EXPECT_FALSE(Ini().WriteString("E", "a=b", "1"));
    EXPECT_FALSE(Ini().WriteString("E", " ", "1"));
    EXPECT_FALSE(Ini().WriteString("E", ";a", "1"));
    EXPECT_FALSE(Ini().WriteString("E", "[a", "1"));
    EXPECT_FALSE(Ini().WriteString("E]", "a", "1"));
    EXPECT_FALSE(Ini().WriteString("", "a", "1"));
    EXPECT_FALSE(Ini().WriteString("E\nF", "a", "1"));
    EXPECT_EQ(Content(), "[E]\na=1\n");
    EXPECT_FALSE(TIniFile("").WriteString("E", "a", "1"));
}

TEST_F(IniFileTest, FileThatCannotBeReplacedStaysAsItWas) {
    fs::create_directories(folder + "test.ini");
    EXPECT_EQ(Ini().ReadString("E", "a", "-"), "-");
    EXPECT_FALSE(Ini().WriteString("E", "a", "1"));
    EXPECT_TRUE(fs::is_directory(folder + "test.ini"));
}

TEST_F(IniFileTest, ReadOnlyFolderLosesTheWrite) {
    Write("[E]\na=1\n");
    RefusingFileOperations readOnly;
    readOnly.readOnlyFolder = folder.substr(0, folder.size() - 1);
    ScopedFileOperations scope(readOnly);
    EXPECT_FALSE(Ini().WriteString("E", "a", "2"));
    EXPECT_EQ(Ini().ReadString("E", "a", "-"), "1");
}

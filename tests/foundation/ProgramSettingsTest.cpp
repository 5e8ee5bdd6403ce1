#include <gtest/gtest.h>

#include <filesystem>

#include "TestEnvironment.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/ProgramSettings.h"
#include "platform/ProgramFolder.h"

class ProgramSettingsTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        IniPath = ProgramFile(kIniFileName);
    }
    void TearDown() override {
        IniPath.clear();
        ProgramTest::TearDown();
    }
    std::string StoreContent() const { return ReadProgramFile("config/marovelkandis/registry"); }
};

TEST_F(ProgramSettingsTest, RegistryDefaultsUntilSomethingIsWritten) {
    EXPECT_EQ(RegReadString("Farbschema", kDefaultFarbschema), "Blau");
    EXPECT_EQ(RegReadInt("Tree1Height", kDefaultTree1Height), 280);
    EXPECT_EQ(RegReadInt("Farbe4", kMainWindowColours[3]), static_cast<int>(0x80000018u));
    EXPECT_EQ(RegReadString("TurFileDir", ProgramFolder()), folder);
}

TEST_F(ProgramSettingsTest, RegistryValuesComeBackUnderTheProgramsKey) {
    EXPECT_TRUE(RegWriteString("Farbschema", "Grau"));
    EXPECT_TRUE(RegWriteInt("Farbe2", kColourDialogColours[1]));
    EXPECT_TRUE(RegWriteString("TurFileDir", "/home/anna/Turniere/Größe=5; Ärger/"));
    EXPECT_EQ(RegReadString("Farbschema", kDefaultFarbschema), "Grau");
    EXPECT_EQ(RegReadInt("Farbe2", kMainWindowColours[1]), 0xEFCBA5);
    EXPECT_EQ(RegReadString("TurFileDir", ""), "/home/anna/Turniere/Größe=5; Ärger/");
    EXPECT_NE(StoreContent().find("Software\\Durnwalde\\Marovelkandis4\tFarbschema"), std::string::npos);
}

TEST_F(ProgramSettingsTest, RegistryValueOfTheOtherKindGivesTheDefault) {
    RegWriteString("Radio", "3");
    EXPECT_EQ(RegReadInt("Radio", kDefaultRadio), 1);
    RegWriteInt("SoundMinuten", 10);
    EXPECT_EQ(RegReadString("SoundMinuten", kDefaultSoundMinuten), "5");
}

TEST_F(ProgramSettingsTest, DamagedRegistryStoreGivesDefaults) {
    RegWriteString("Farbschema", "Grau");
    WriteProgramFile("config/marovelkandis/registry", "\x01\x02 Unsinn");
    EXPECT_EQ(RegReadString("Farbschema", kDefaultFarbschema), "Blau");
}

TEST_F(ProgramSettingsTest, IniWithoutPathReadsDefaultsAndWritesNothing) {
    IniPath.clear();
    WriteProgramFile(kIniFileName, "[Einstellungen]\r\nDruckSatz=5\r\n");
    EXPECT_EQ(IniReadInt(kIniDruckSatz, kDefaultDruckSatz), 2);
    EXPECT_EQ(IniReadString(kIniDruckSatz, ""), "");
    EXPECT_FALSE(IniWriteInt(kIniDruckSatz, 7));
    EXPECT_EQ(ReadProgramFile(kIniFileName), "[Einstellungen]\r\nDruckSatz=5\r\n");
}

TEST_F(ProgramSettingsTest, PrintOptionsDefaultThenRoundTrip) {
    EXPECT_EQ(IniReadString(kIniDruckSatz, ""), "");
    EXPECT_EQ(IniReadInt(kIniDruckBall, kDefaultDruckBall), 25);
    EXPECT_TRUE(IniWriteInt(kIniDruckSatz, kDefaultDruckSatz));
    EXPECT_TRUE(IniWriteInt(kIniDruckBall, kDefaultDruckBall));
    EXPECT_EQ(ReadProgramFile(kIniFileName), "[Einstellungen]\r\nDruckSatz=2\r\nDruckBall=25\r\n");
    EXPECT_TRUE(IniWriteInt(kIniDruckBall, -3));
    EXPECT_EQ(IniReadInt(kIniDruckBall, kDefaultDruckBall), -3);
    EXPECT_EQ(IniReadInt(kIniDruckSatz, 0), 2);
}

TEST_F(ProgramSettingsTest, IniValueThatIsNotANumberReadsAsZero) {
    WriteProgramFile(kIniFileName, "[Einstellungen]\r\nDruckSatz=drei\r\nDruckBall=12x\r\nA=+-4\r\nB= 7 \r\n");
    EXPECT_EQ(IniReadInt(kIniDruckSatz, kDefaultDruckSatz), 0);
    EXPECT_EQ(IniReadInt(kIniDruckBall, kDefaultDruckBall), 0);
    EXPECT_EQ(IniReadInt("A", 1), 0);
    EXPECT_EQ(IniReadInt("B", 1), 7);
    EXPECT_EQ(IniReadInt("C", 1), 1) << "a missing key gives the default";
}

TEST_F(ProgramSettingsTest, IniTextRoundTripsAndEmptyTextGivesTheDefault) {
    EXPECT_TRUE(IniWriteString("Kopf", "Größe=5; Ärger"));
    EXPECT_EQ(IniReadString("Kopf", "x"), "Größe=5; Ärger");
    EXPECT_TRUE(IniWriteString("Kopf", ""));
    EXPECT_EQ(IniReadString("Kopf", "x"), "x");
}

TEST_F(ProgramSettingsTest, IniReadsAtMost99Characters) {
    std::string longText;
    for (int i = 0; i < 120; ++i) longText += "ä";
    IniWriteString("Lang", longText);
    std::string expected;
    for (int i = 0; i < 99; ++i) expected += "ä";
    EXPECT_EQ(IniReadString("Lang", ""), expected);
}

// The settings fall back to their defaults while the store is damaged; the error log names the
// file at every call that finds it so, and says where a write kept it.
TEST_F(ProgramSettingsTest, DamagedStoreIsLoggedByNameEachTimeItIsFound) {
    std::filesystem::create_directories(folder + "config/marovelkandis");
    WriteProgramFile("config/marovelkandis/registry", "kaputt\n");
    const std::string store = folder + "config/marovelkandis/registry";
    const std::string found = "[06.12.26 09:05:03] [X] Einstellungsspeicher " + store +
                              " ist beschädigt, seine Werte gelten nicht\r\n";
    EXPECT_EQ(RegReadString("Farbschema", kDefaultFarbschema), "Blau");
    EXPECT_EQ(RegReadInt("Radio", kDefaultRadio), 1);
    EXPECT_EQ(ReadProgramFile("error.log"), found + found);
    EXPECT_TRUE(RegWriteString("Farbschema", "Grau"));
    EXPECT_EQ(ReadProgramFile("error.log"), found + found + "[06.12.26 09:05:03] [X] Einstellungsspeicher " + store +
                                                " ist beschädigt und bleibt als " + store +
                                                ".damaged.1 erhalten; ein neuer ersetzt ihn\r\n");
    EXPECT_EQ(RegReadString("Farbschema", kDefaultFarbschema), "Grau");
}

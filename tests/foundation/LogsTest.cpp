#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "TestEnvironment.h"
#include "foundation/Logs.h"
#include "foundation/ProgramGlobals.h"
#include "platform/Controls.h"

class LogsTest : public ProgramTest {};

TEST_F(LogsTest, TraceLinesOnlyWithDebugSwitch) {
    Log("x", false);
    EXPECT_FALSE(ProgramFileExists("debug.log"));
    DebugModus = true;
    Log("[F] Start");
    EXPECT_EQ(ReadProgramFile("debug.log"), "[06.12.26 09:05:03] [F] Start\r\n");
    EXPECT_FALSE(ProgramFileExists("error.log"));
}

TEST_F(LogsTest, ErrorLineGoesToBothFilesEvenWithoutDebugSwitch) {
    ErrorLog("x");
    EXPECT_EQ(ReadProgramFile("error.log"), "[06.12.26 09:05:03] x\r\n");
    EXPECT_EQ(ReadProgramFile("debug.log"), "[06.12.26 09:05:03] x\r\n");
}

TEST_F(LogsTest, EachLineIsAppendedWithTheTimeItWasWritten) {
    ErrorLog("eins");
    clock->Advance(61 * 1000);
    ErrorLog("zwei");
    EXPECT_EQ(ReadProgramFile("error.log"), "[06.12.26 09:05:03] eins\r\n[06.12.26 09:06:04] zwei\r\n");
}

TEST_F(LogsTest, EmbeddedLineBreakIsWrittenUnchanged) {
    ErrorLog("a\nb");
    EXPECT_EQ(ReadProgramFile("error.log"), "[06.12.26 09:05:03] a\nb\r\n");
}

TEST_F(LogsTest, DebugSwitchIsCaseInsensitive) {
    SetProgramGlobals("-d");
    EXPECT_TRUE(DebugModus);
    SetProgramGlobals("-D");
    EXPECT_TRUE(DebugModus);
    SetProgramGlobals("-Dx");
    EXPECT_FALSE(DebugModus);
    SetProgramGlobals("turnier.tur");
    EXPECT_FALSE(DebugModus);
}

TEST_F(LogsTest, ClearFlagEmptiesTheLogMemoEvenWithoutTracing) {
    TMemo memo;
    memo.Lines.Add("alt");
    LogMemo = &memo;
    Log("neu", true);
    EXPECT_EQ(memo.Lines.Count(), 0);
    EXPECT_FALSE(ProgramFileExists("debug.log"));
}

TEST_F(LogsTest, UnwritableLogLosesTheLineSilently) {
    // A folder in place of the log refuses it, whatever rights the test runs with.
    std::filesystem::create_directory(folder + "error.log");
    ErrorLog("verloren");
    EXPECT_TRUE(std::filesystem::is_empty(folder + "error.log"));
}

TEST_F(LogsTest, DeveloperModeAlsoShowsErrorsAsWarningBox) {
    setenv("MAROVELKA_DEVELOPER", "1", 1);
    ErrorLog("[X] kaputt");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].kind, TMsgKind::Warning);
    EXPECT_EQ(ui.boxes[0].text, "[X] kaputt");
}

#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "foundation/files/TournamentForms.h"

class TournamentFormsTest : public ProgramTest {};

TEST_F(TournamentFormsTest, RecordLinesKeepTheGrammarsCharactersOutOfTheTexts) {
    EXPECT_EQ(StructureLine("8", "A|B;C$D", "!R|<$$>"), "8|A B,C?D|!R|<$$>");
    EXPECT_EQ(DescriptionLine("Zeile 1\r\nZeile 2\nZeile 3"), "|Zeile 1&&Zeile 2&Zeile 3");
}

TEST_F(TournamentFormsTest, AppendingNeedsTheFileAndSaysWhetherItWorked) {
    EXPECT_FALSE(AppendTurnierform(folder + "EigenForm.dat", "4|x|<$$>", "|y"));
    EXPECT_FALSE(ProgramFileExists("EigenForm.dat"));
    WriteProgramFile("EigenForm.dat", FormFileHeader()[0] + "\r\n" + FormFileHeader()[1] + "\r\n");
    EXPECT_TRUE(AppendTurnierform(folder + "EigenForm.dat", "4|Süd|<$$>", "|y"));
    EXPECT_EQ(ReadProgramFile("EigenForm.dat"),
              "Bitte diese Datei nicht editieren\r\n|-------------------------------------------------\r\n"
              "4|S\xFC" "d|<$$>\r\n|y\r\n");
}

#include <gtest/gtest.h>

#include "ScrambledFiles.h"
#include "TestEnvironment.h"
#include "foundation/files/TournamentForms.h"

using namespace scrambled_files;

class TournamentFormsTest : public ProgramTest {};

TEST_F(TournamentFormsTest, GoldenFileGivesItsTwoRecords) {
    const auto records = ReadTurnierformen(GoldenPath("EigenForm.dat"));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].teilnehmer, "4");
    EXPECT_EQ(records[0].kurz, "Zwei Gruppen?Finale");
    EXPECT_EQ(records[0].form,
              "!Vorrunde|$A$Gruppe A$JGJ$M1;M2|$B$Gruppe B$JGJ$M3;M4|!Finale|$F$Finale$SV$1.A;1.B|<$$>S3;V3;");
    EXPECT_EQ(records[0].beschreibung, "Zwei Gruppen, dann das Finale\r\nFür vier Mannschaften");
    EXPECT_EQ(records[1].form, "!Runde 1|$A$Jeder gegen Jeden$JGJ$M1;M2;M3|<$$>");
    EXPECT_EQ(records[1].beschreibung, "Turnierform mit 1 Runden und 3 Spielen");
}

TEST_F(TournamentFormsTest, EndMarkerHalfRecordsAndStrayLinesAreHandled) {
    WriteProgramFile("TurFormen.dat",
                     "Bitte diese Datei nicht editieren\r\n|---\r\n8|KO|!Finale|$F$F$SV$M1;M2|<$$>\r\n"
                     "|Zwei & drei\r\nkein Satz\r\n2|ohne Beschreibung|!R|\r\n6|Pool|!R|$P$P$JGJ$M1;M2|<$$>\r\n"
                     "|Pool\r\n##ENDE##\r\n9|danach|x\r\n|nie\r\n");
    const auto records = ReadTurnierformen(folder + "TurFormen.dat");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].kurz, "KO");
    EXPECT_EQ(records[0].beschreibung, "Zwei & drei");
    EXPECT_EQ(records[1].teilnehmer, "6");
    EXPECT_TRUE(ReadTurnierformen(folder + "fehlt.dat").empty());
}

TEST_F(TournamentFormsTest, RecordLinesKeepTheGrammarsCharactersOutOfTheTexts) {
    EXPECT_EQ(StructureLine("8", "A|B;C$D", "!R|<$$>"), "8|A B,C?D|!R|<$$>");
    EXPECT_EQ(DescriptionLine("Zeile 1\r\nZeile 2\nZeile 3"), "|Zeile 1&&Zeile 2&Zeile 3");
}

TEST_F(TournamentFormsTest, AppendingNeedsTheFileAndSaysWhetherItWorked) {
    EXPECT_FALSE(AppendTurnierform(folder + "EigenForm.dat", "4|x|<$$>", "|y"));
    EXPECT_FALSE(ProgramFileExists("EigenForm.dat"));
    WriteProgramFile("EigenForm.dat", std::string(kEigenFormHeader1) + "\r\n" + EigenFormHeader2() + "\r\n");
    EXPECT_TRUE(AppendTurnierform(folder + "EigenForm.dat", "4|Süd|<$$>", "|y"));
    EXPECT_EQ(ReadProgramFile("EigenForm.dat"),
              "Bitte diese Datei nicht editieren\r\n|-------------------------------------------------\r\n"
              "4|S\xFC" "d|<$$>\r\n|y\r\n");
}

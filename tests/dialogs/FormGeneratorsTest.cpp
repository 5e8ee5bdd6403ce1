#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "dialogs/FormGenerators.h"

using ::testing::ElementsAre;

class FormGeneratorsTest : public ProgramTest {};

// --- generated forms ---

TEST_F(FormGeneratorsTest, KnockOutSeedsMeetAsLateAsPossible) {
    EXPECT_EQ(KnockOutForm(8),
              "!Viertelfinale|$R1$Viertelfinale$SV$M1;M8;M4;M5;M2;M7;M3;M6;|"
              "!Halbfinale|$R2$Halbfinale$SV$S1;S2;S3;S4;|"
              "!Finale|$P3$Spiel um Platz 3$SV$V5;V6;$R3$Finale$SV$S5;S6;|"
              "<$$>S8;V8;S7;V7;V4;V3;V2;V1;");
}

TEST_F(FormGeneratorsTest, TheBestSeedsGetTheByes) {
    EXPECT_EQ(KnockOutForm(6),
              "!Viertelfinale|$R1$Viertelfinale$SV$M4;M5;M3;M6;|"
              "!Halbfinale|$R2$Halbfinale$SV$M1;S1;M2;S2;|"
              "!Finale|$P3$Spiel um Platz 3$SV$V3;V4;$R3$Finale$SV$S3;S4;|"
              "<$$>S6;V6;S5;V5;V2;V1;");
    EXPECT_EQ(KnockOutForm(3), "!Halbfinale|$R1$Halbfinale$SV$M2;M3;|!Finale|$R2$Finale$SV$M1;S1;|<$$>S2;V2;V1;");
    EXPECT_EQ(KnockOutForm(2), "!Finale|$R1$Finale$SV$M1;M2;|<$$>S1;V1;");
    EXPECT_EQ(KnockOutForm(1), "");
    EXPECT_EQ(KnockOutForm(257), "");
}

TEST_F(FormGeneratorsTest, SwissRoundsPairTheLastStandings) {
    EXPECT_EQ(SwissForm(4, 2), "!Runde 1|$R1$Runde 1$SV$M1;M2;M3;M4;|!Runde 2|$R2$Runde 2$SV$1.R1;2.R1;3.R1;4.R1;|");
    EXPECT_EQ(SwissForm(4, 3).empty(), false);
    EXPECT_EQ(SwissForm(4, 4), "");
    EXPECT_EQ(SwissForm(4, 0), "");
}

TEST_F(FormGeneratorsTest, PoolPlayNeedsPoolsInPairs) {
    EXPECT_EQ(PoolForm(8),
              "!Vorrunde|$A$Gruppe A$JGJ$M1;M2;M3;M4;$B$Gruppe B$JGJ$M5;M6;M7;M8;|"
              "!Halbfinale|$R2$Halbfinale$SV$1.A;2.B;1.B;2.A;|"
              "!Finale|$P3$Spiel um Platz 3$SV$V13;V14;$R3$Finale$SV$S13;S14;|"
              "<$$>S16;V16;S15;V15;3.B;3.A;4.B;4.A;");
    EXPECT_EQ(PoolForm(12), "");
    EXPECT_EQ(PoolForm(4), "");
}

TEST_F(FormGeneratorsTest, GroupsOfARoundTakeTurnsInTheNumbering) {
    FormText form;
    form.AddRound("R", {{"A", "a", "JGJ", {"M1", "M2", "M3"}}});
    const auto numbers = form.AddRound("S", {{"X", "x", "SV", {"1.A", "2.A", "3.A", "M4"}}, {"Y", "y", "SV", {"M5", "M6"}}});
    EXPECT_THAT(numbers[0], ElementsAre(4, 6));
    EXPECT_THAT(numbers[1], ElementsAre(5));
    EXPECT_EQ(form.Rounds(), 2);
}

TEST_F(FormGeneratorsTest, CatalogueKindsComeFromTheShortText) {
    for (const FormRecord& record : FormCatalogue()) {
        const FormKind kind = KindOfShortText(record.shortText);
        if (record.form.find("$SV$1.R1;") != std::string::npos) {
            EXPECT_EQ(kind, FormKind::Swiss) << record.shortText;
        }
        EXPECT_EQ(record.rounds, CountRounds(record.form));
    }
}

// --- forms files ---

TEST_F(FormGeneratorsTest, RecordsAreReadAsFarAsTheyAreRecords) {
    WriteProgramFile("Formen.dat",
                     "Bitte diese Datei nicht editieren\r\n|-----\r\n"
                     "8|Kurz|!R|$A$x$JGJ$M1;M2;|<$$>1.A;\r\n|Zeile 1&&Zeile 2\r\n"
                     "Unsinn ohne Strich\r\n"
                     "0|Null|!R|$A$x$JGJ$M1;M2;\r\n|gehört zu keinem Eintrag\r\n"
                     "4|Ohne Beschreibung|!R|$A$x$SV$M1;M2;M3;M4;|!S|$B$y$SV$S1;S2;\r\n"
                     "##ENDE##\r\n5|Dahinter|!R|$A$x$JGJ$M1;\r\n");
    const std::vector<FormRecord> records = ReadFormRecords(folder + "Formen.dat");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].count, 8);
    EXPECT_EQ(records[0].shortText, "Kurz");
    EXPECT_EQ(records[0].form, "!R|$A$x$JGJ$M1;M2;|<$$>1.A;");
    EXPECT_EQ(records[0].description, "Zeile 1\nZeile 2");
    EXPECT_EQ(records[0].rounds, 1);
    EXPECT_EQ(records[1].description, "");
    EXPECT_EQ(records[1].rounds, 2);
    EXPECT_TRUE(ReadFormRecords(folder + "fehlt.dat").empty());
}

TEST_F(FormGeneratorsTest, TheShippedFileIsTheCatalogue) {
    const std::vector<FormRecord> shipped = ReadFormRecords(std::string(MAROVELKA_DATA_DIR) + "/TurFormen.dat");
    const std::vector<FormRecord> catalogue = FormCatalogue();
    ASSERT_EQ(shipped.size(), catalogue.size());
    for (size_t i = 0; i < shipped.size(); ++i) {
        EXPECT_EQ(shipped[i].count, catalogue[i].count);
        EXPECT_EQ(shipped[i].shortText, catalogue[i].shortText);
        EXPECT_EQ(shipped[i].form, catalogue[i].form);
        EXPECT_EQ(shipped[i].description, catalogue[i].description);
    }
}

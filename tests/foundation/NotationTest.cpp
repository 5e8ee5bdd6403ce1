#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "LightForm.h"
#include "TestEnvironment.h"
#include "foundation/Notation.h"
#include "foundation/Settings.h"

using ::testing::ElementsAre;

class NotationTest : public ProgramTest {};

TEST_F(NotationTest, CodesAreReadStrictly) {
    EXPECT_EQ(ReadParticipantCode("M12").kind, CodeKind::Team);
    EXPECT_EQ(ReadParticipantCode("S3").number, 3);
    EXPECT_EQ(ReadParticipantCode("V3").kind, CodeKind::Loser);
    const ParticipantCode place = ReadParticipantCode("2.AB");
    EXPECT_EQ(place.kind, CodeKind::Place);
    EXPECT_EQ(place.number, 2);
    EXPECT_THAT(place.groups, ElementsAre("AB"));
    const ParticipantCode best = ReadParticipantCode("B1/2/A,B,C");
    EXPECT_EQ(best.kind, CodeKind::BestOf);
    EXPECT_EQ(best.rank, 2);
    EXPECT_THAT(best.groups, ElementsAre("A", "B", "C"));
    EXPECT_EQ(ReadParticipantCode("B1/2/A,B,").groups.size(), 2u);
    for (const char* bad : {"", "M", "M0", "M-1", "M+1", "S", "Sx", "V1x", "M9999999999", ".A", "0.A", "1.", "x.A",
                            "1.A,B", "B1/2", "B1/2/", "B0/2/A", "B1/0/A", "B1/2/A,,B", "X1", "1A"})
        EXPECT_EQ(ReadParticipantCode(bad).kind, CodeKind::Invalid) << bad;
}

TEST_F(NotationTest, ItemsSplitAtEverySemicolon) {
    EXPECT_THAT(SplitItems("a;b;c"), ElementsAre("a", "b", "c"));
    EXPECT_THAT(SplitItems("a;b;"), ElementsAre("a", "b", ""));
    EXPECT_THAT(SplitItems(""), ElementsAre(""));
}

TEST_F(NotationTest, DisplayTextsOfEveryForm) {
    LightForm form;
    EXPECT_EQ(CodeDisplayText(form, "M3"), "Mannschaft 3");
    form.AktTurNr = 1;
    SetSetting(form, "TeamTyp", "Spieler");
    EXPECT_EQ(CodeDisplayText(form, "M3"), "Spieler 3");
    EXPECT_EQ(CodeDisplayText(form, "S7"), "Sieger Spiel 7");
    EXPECT_EQ(CodeDisplayText(form, "V7"), "Verlierer Spiel 7");
    EXPECT_EQ(CodeDisplayText(form, "2.A"), "2. Gruppe A");
    EXPECT_EQ(CodeDisplayText(form, "B1/2/A,B,C"), "1. Bester aller 2. der Gruppen A,B,C");
    EXPECT_EQ(CodeDisplayText(form, "B1/2"), "");
    EXPECT_EQ(CodeDisplayText(form, "xyz"), "");
    EXPECT_EQ(CodeDisplayText(form, ""), "");
}

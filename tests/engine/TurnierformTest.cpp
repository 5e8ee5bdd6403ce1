#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "RoundsFixture.h"
#include "engine/RundeAnlegen.h"
#include "engine/Turnierform.h"
#include "engine/TurnierformExport.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class TurnierformTest : public RoundsTest {
protected:
    // Builds the text as the new-tournament command hands it over, with its closing "!".
    bool Build(const std::string& text) { return buildTurnierform(*form, text + "!"); }
    std::vector<std::string> Placing() const {
        std::vector<std::string> places;
        for (int r = 1; r < form->TPlatz.RowCount(); ++r)
            places.push_back(form->TPlatz.Cells(0, r) + " " + form->TPlatz.Cells(1, r));
        return places;
    }
    std::string Problem(const std::string& text) { return TurnierformProblem(text + "!"); }
};

// --- reading the text ---

TEST_F(TurnierformTest, OneRoundFillsTheGroupFields) {
    const ParsedForm parsed = ParseTurnierform("!Runde 1|$A$Gruppe A$JGJ$M1;M2;M3;!");
    ASSERT_THAT(parsed.error, IsEmpty());
    ASSERT_EQ(parsed.rounds.size(), 1u);
    const ParsedGroup& g = parsed.rounds[0].groups.at(0);
    EXPECT_EQ(parsed.rounds[0].name, "Runde 1");
    EXPECT_EQ(g.id + "/" + g.name + "/" + g.items + "/" + IntToStr(g.count) + "/" + g.system,
              "A/Gruppe A/M1;M2;M3/3/JGJ");
}

TEST_F(TurnierformTest, TheLastItemLosesItsSemicolonAndTheRoundItsBar) {
    const ParsedForm parsed = ParseTurnierform("!Runde 1|$A$x$JGJ$M1;M2;|!Runde 2|$B$y$SV$1.A;2.A;!");
    ASSERT_EQ(parsed.rounds.size(), 2u);
    EXPECT_EQ(parsed.rounds[0].groups[0].items, "M1;M2");
    EXPECT_EQ(parsed.rounds[1].groups[0].items, "1.A;2.A");
    EXPECT_EQ(parsed.rounds[1].name, "Runde 2");
}

TEST_F(TurnierformTest, GroupsFollowingEachOtherWithoutBar) {
    const ParsedForm parsed = ParseTurnierform("!R|$A$x$JGJ$M1;M2;$B$y$JGJ$M3;M4;|!");
    ASSERT_EQ(parsed.rounds.at(0).groups.size(), 2u);
    EXPECT_EQ(parsed.rounds[0].groups[0].items, "M1;M2");
    EXPECT_EQ(parsed.rounds[0].groups[1].items, "M3;M4");
}

TEST_F(TurnierformTest, AnItemWithoutItsSemicolonLosesItsLastCharacter) {
    const ParsedForm parsed = ParseTurnierform("!R|$A$x$JGJ$M1;M22$B$y$JGJ$M3;M4;!");
    EXPECT_EQ(parsed.rounds.at(0).groups.at(0).items, "M1;M2");
}

TEST_F(TurnierformTest, TheDroppedCharacterIsAWholeCharacter) {
    const ParsedForm parsed = ParseTurnierform("!R|$A$x$JGJ$M1;M2;ä$B$y$JGJ$M3;M4;!");
    EXPECT_EQ(parsed.rounds.at(0).groups.at(0).items, "M1;M2");
}

TEST_F(TurnierformTest, EmptyParticipantFieldsReadAsOneEmptyItem) {
    for (const char* text : {"!R|$A$Jeder gegen Jeden$JGJ$!", "!R|$A$x$JGJ$$B$y$JGJ$M1;M2;!"}) {
        const ParsedForm parsed = ParseTurnierform(text);
        ASSERT_THAT(parsed.error, IsEmpty()) << text;
        EXPECT_EQ(parsed.rounds[0].groups[0].items, "") << text;
        EXPECT_EQ(parsed.rounds[0].groups[0].count, 1) << text;
    }
}

TEST_F(TurnierformTest, BlankRoundsAreNoRounds) {
    const ParsedForm parsed = ParseTurnierform("!Runde 1|$A$x$JGJ$M1;M2;!!");
    EXPECT_THAT(parsed.error, IsEmpty());
    EXPECT_EQ(parsed.rounds.size(), 1u);
}

TEST_F(TurnierformTest, MalformedTextIsRefusedWithItsPosition) {
    EXPECT_THAT(ParseTurnierform("!Runde 1|$A$Gruppe A!").error,
                AllOf(HasSubstr("unvollständig"), HasSubstr("Zeichen 10")));
    EXPECT_THAT(ParseTurnierform("!R|$A$x$JGJ!").error, HasSubstr("fehlen die Teilnehmer"));
    EXPECT_THAT(ParseTurnierform("!Runde 1 ohne Strich!").error, HasSubstr("|"));
    EXPECT_THAT(ParseTurnierform("!R|A$x$JGJ$M1;!").error, HasSubstr("mit $ beginnen"));
    EXPECT_THAT(ParseTurnierform("!Runde|!").error, HasSubstr("keine Gruppe"));
    EXPECT_EQ(ParseTurnierform("kein Ausrufezeichen").error, "Die Turnierform enthält keine Runde");
    EXPECT_EQ(ParseTurnierform("").error, "Die Turnierform enthält keine Runde");
}

// --- what a form may hold ---

TEST_F(TurnierformTest, WellFormedExamplesPassTheChecks) {
    EXPECT_THAT(Problem("!Runde 1|$A$Jeder gegen Jeden$JGJ$M1;M2;M3;M4;"), IsEmpty());
    EXPECT_THAT(Problem("!Runde 1|$R1$Runde 1$SV$M1;M2;M3;M4;|!Runde 2|$R2$Runde 2$SV$1.R1;2.R1;3.R1;4.R1;"),
                IsEmpty());
    EXPECT_THAT(Problem("!Halbfinale|$R1$Halbfinale$SV$M1;M2;M3;M4;|!Finale|$R2$Finale$SV$S1;S2;<$$>S3;V3;V1;V2;"),
                IsEmpty());
    EXPECT_THAT(Problem("!V|$A$a$JGJ$M1;M2;M3;$B$b$JGJ$M4;M5;M6;|!F|$C$c$JGJ$B1/1/A,B;B2/1/A,B;"), IsEmpty());
}

TEST_F(TurnierformTest, GroupIdsMustBeValidAndUnique) {
    EXPECT_THAT(Problem("!R|$$x$JGJ$M1;M2;"), HasSubstr("Bitte Bezeichnung angeben"));
    EXPECT_THAT(Problem("!R|$ABCDE$x$JGJ$M1;M2;"), HasSubstr("höchstens 4 Zeichen"));
    EXPECT_THAT(Problem("!R|$A,B$x$JGJ$M1;M2;"), HasSubstr("keines der Zeichen"));
    EXPECT_THAT(Problem("!R|$A|$x$JGJ$M1;M2;"), HasSubstr("keines der Zeichen"));
    EXPECT_THAT(Problem("!R|$A$x$JGJ$M1;M2;$a$y$JGJ$M3;M4;"), HasSubstr("existiert schon"));
}

TEST_F(TurnierformTest, ParticipantsMustNameWhatExistsBeforeThem) {
    EXPECT_THAT(Problem("!R|$A$x$JGJ$M1;X2;"), HasSubstr("ungültiger Teilnehmer \"X2\""));
    EXPECT_THAT(Problem("!R|$A$x$JGJ$M1;;M2;"), HasSubstr("ungültiger Teilnehmer \"\""));
    EXPECT_THAT(Problem("!R|$A$x$JGJ$M1;M0;"), HasSubstr("ungültiger Teilnehmer"));
    EXPECT_THAT(Problem("!R|$A$x$JGJ$M1;1.B;$B$y$JGJ$M2;M3;"), HasSubstr("die Gruppe B gibt es davor nicht"));
    EXPECT_THAT(Problem("!R|$A$x$JGJ$M1;1.A;"), HasSubstr("die Gruppe A gibt es davor nicht"));
    EXPECT_THAT(Problem("!R|$A$x$JGJ$M1;M2;|!S|$B$y$SV$1.A;3.A;"), HasSubstr("Platz 3 der Gruppe A gibt es nicht"));
    // Game 1 of the round does not exist while the round is made; the next round may name it.
    EXPECT_THAT(Problem("!R|$A$x$SV$M1;M2;$B$y$SV$S1;M3;"), HasSubstr("das Spiel 1 gibt es davor nicht"));
    EXPECT_THAT(Problem("!R|$A$x$SV$M1;M2;|!S|$B$y$SV$S1;M3;"), IsEmpty());
    EXPECT_THAT(Problem("!R|$A$x$SV$M1;M2;|!S|$B$y$SV$S2;M3;"), HasSubstr("das Spiel 2"));
    EXPECT_THAT(Problem("!R|$A$x$JGJ$M1;M2;|!S|$B$y$SV$B3/1/A;M3;"), HasSubstr("so viele 1. Plätze"));
    EXPECT_THAT(Problem("!R|$A$x$JGJ$M1;M2;<$$>1.A;2.A;3.A;"), HasSubstr("Endplatzierung: Platz 3"));
    EXPECT_THAT(Problem("!R|$A$x$JGJ$M1;M2;<$$>S9;"), HasSubstr("Endplatzierung: das Spiel 9"));
}

TEST_F(TurnierformTest, FormsBeyondTheTournamentsBoundsAreRefused) {
    std::string big;
    for (int k = 1; k <= 257; ++k) big += "M" + IntToStr(k) + ";";
    EXPECT_THAT(Problem("!R|$A$x$SV$" + big), HasSubstr("mehr als 256 Teilnehmer"));
    EXPECT_THAT(Problem("!R|$A$x$A1001$M1;M2;"), HasSubstr("mehr als 1000 Spiele"));
    std::string many;
    for (int g = 0; g < 199; ++g) many += "$G" + IntToStr(g) + "$x$SV$M1;M2;";
    EXPECT_THAT(Problem("!R|" + many), HasSubstr("mehr als 198 Gruppen"));
    std::string large;
    for (int k = 1; k <= 150; ++k) large += "M" + IntToStr(k) + ";";
    EXPECT_THAT(Problem("!R|$A$x$JGJ$" + large + "$B$y$JGJ$" + large), HasSubstr("mehr als 20000 Spiele"));
}

// --- building ---

TEST_F(TurnierformTest, EveryRoundGoesThroughRoundCreation) {
    WizardSystem(4, 2);
    ASSERT_TRUE(Build("!Runde 1|$A$x$JGJ$M1;M2;|!Runde 2|$B$y$SV$1.A;2.A;"));
    EXPECT_EQ(form->AnzRunden, 2);
    EXPECT_THAT(Column(form->Gruppe, Gruppe_RNr), ElementsAre("1", "2"));
    EXPECT_THAT(Column(form->Gruppe, Gruppe_Teams), ElementsAre("M1;M2", "1.A;2.A"));
    EXPECT_THAT(Column(form->Teams, Teams_Name),
                ElementsAre("Mannschaft 1", "Mannschaft 2", "1. Gruppe A", "2. Gruppe A"));
    EXPECT_THAT(Boxes(), IsEmpty());
    EXPECT_FALSE(form->TurFormBuild);
    EXPECT_THAT(form->calls, testing::Contains("DoPlan(XPlan1)"));
}

// The form's text is taken as it stands: an empty round name stays empty and is exported so,
// while a round typed on the page still needs its name.
TEST_F(TurnierformTest, AnEmptyRoundNameStaysEmptyAndIsExportedSo) {
    WizardSystem(4, 2);  // exported forms: no placing list is built
    ASSERT_TRUE(Build("!|$A$x$JGJ$M1;M2;"));
    EXPECT_EQ(Get(form->Gruppe, Gruppe_RundeName, 1, true), "");
    EXPECT_THAT(Boxes(), IsEmpty());
    EXPECT_EQ(TurnierformOfTurnier(*form), "!|$A$x$JGJ$M1;M2|<$$>");
    form->Edit3.SetText("");
    EXPECT_EQ(RoundPageProblem(*form, true), "Bitte geben Sie einen korrekten Rundennamen ein");
}

// A group without participants is built with an empty participant text and one empty slot, and
// its exported form reads back the same.
TEST_F(TurnierformTest, AGroupWithoutParticipantsIsBuiltWithOneEmptySlot) {
    WizardSystem(4, 3);
    ASSERT_TRUE(Build("!R|$A$x$JGJ$M1;M2;$B$Jeder gegen Jeden$JGJ$"));
    EXPECT_THAT(Boxes(), IsEmpty());
    EXPECT_THAT(Column(form->Gruppe, Gruppe_Teams), ElementsAre("M1;M2", ""));
    EXPECT_THAT(Column(form->Gruppe, Gruppe_AnzTeams), ElementsAre("2", "1"));
    EXPECT_THAT(Column(form->Teams, Teams_Name), ElementsAre("Mannschaft 1", "Mannschaft 2", ""));
    EXPECT_EQ(Get(form->Teams, Teams_InGr, 3, true), "2");
    const std::string exported = TurnierformOfTurnier(*form);
    EXPECT_EQ(exported, "!R|$A$x$JGJ$M1;M2|$B$Jeder gegen Jeden$JGJ$|<$$>");
    EXPECT_THAT(TurnierformProblem(exported + "!"), IsEmpty());
    // An empty item among others is still a slip.
    EXPECT_THAT(Problem("!R|$A$x$JGJ$M1;;M2;"), HasSubstr("ungültiger Teilnehmer \"\""));
}

TEST_F(TurnierformTest, KnockOutPlacingIsBuiltFromTheGamesBackwards) {
    WizardSystem(2, 4);
    ASSERT_TRUE(Build("!Halbfinale|$R1$Halbfinale$SV$M1;M2;M3;M4;|!Finale|$R2$Finale$SV$S1;S2;"));
    EXPECT_THAT(Placing(),
                ElementsAre("1 Sieger Spiel 3", "2 Verlierer Spiel 3", "3 Verlierer Spiel 2", "4 Verlierer Spiel 1"));
}

TEST_F(TurnierformTest, SwissPlacingIsTheLastRoundsStandings) {
    WizardSystem(1, 4);
    ASSERT_TRUE(Build("!Runde 1|$R1$Runde 1$SV$M1;M2;M3;M4;|!Runde 2|$R2$Runde 2$SV$1.R1;2.R1;3.R1;4.R1;"));
    EXPECT_THAT(Placing(), ElementsAre("1 1. Gruppe R2", "2 2. Gruppe R2", "3 3. Gruppe R2", "4 4. Gruppe R2"));
}

TEST_F(TurnierformTest, GroupSizesMissingTheCountListEveryGroup) {
    WizardSystem(0, 6);
    ASSERT_TRUE(Build("!V|$A$a$JGJ$M1;M2;M3;$B$b$JGJ$M4;M5;M6;|!F|$F$f$SV$1.A;1.B;"));
    EXPECT_THAT(Placing(), ElementsAre("1 1. Gruppe F", "2 2. Gruppe F", "3 1. Gruppe B", "4 2. Gruppe B",
                                       "5 3. Gruppe B", "6 1. Gruppe A", "7 2. Gruppe A", "8 3. Gruppe A"));
}

TEST_F(TurnierformTest, PoolPlayPutsThirdPlacesBeforeFourthPlaces) {
    WizardSystem(3, 8);
    ASSERT_TRUE(Build("!V|$A$a$JGJ$M1;M2;M3;M4;$B$b$JGJ$M5;M6;M7;M8;|!H|$H$h$SV$1.A;2.B;1.B;2.A;|!F|$F$f$SV$S13;S14;"));
    EXPECT_THAT(Placing(),
                ElementsAre("1 Sieger Spiel 15", "2 Verlierer Spiel 15", "3 Verlierer Spiel 14", "4 Verlierer Spiel 13",
                            "5 3. Gruppe B", "6 3. Gruppe A", "7 4. Gruppe B", "8 4. Gruppe A"));
}

TEST_F(TurnierformTest, AGivenPlacingListWinsOverTheBuiltOne) {
    WizardSystem(2, 2);
    ASSERT_TRUE(Build("!F|$F$f$SV$M1;M2;|<$$>V1;S1;"));
    EXPECT_THAT(Placing(), ElementsAre("1 Verlierer Spiel 1", "2 Sieger Spiel 1"));
}

TEST_F(TurnierformTest, PlacingRowsStandAtTheFirstFreeRowsWithTheirLookupEntries) {
    WizardSystem(0, 2);
    ASSERT_TRUE(Build("!F|$F$f$SV$M1;M2;"));
    ASSERT_EQ(form->Teams.RowCount(), 5);
    for (int row = 3; row <= 4; ++row) {
        EXPECT_EQ(IntGet(form->Teams, Teams_Nr, row, true), row);
        EXPECT_EQ(IntGet(form->Teams, Teams_Platz, row, true), row - 2);
        EXPECT_EQ(form->XATeams.Items[row], Get(form->Teams, Teams_Name, row, true));
        EXPECT_EQ(form->XATeamsTur.Items[row], "");
    }
    EXPECT_EQ(form->XATeams.Items.Count(), 5);
    EXPECT_EQ(Get(form->Teams, Teams_GrNr, 3, true), "1");
}

TEST_F(TurnierformTest, ARefusedFormChangesNothing) {
    ListGroup("X", "Liste", "M1;M2", "JGJ");
    const std::vector<std::string> before = Snapshot();
    for (const char* text : {"!Runde 1|$A$Gruppe A$JGJ$M1;M2;$B$Gruppe B", "!R|$A$x$JGJ$M1;M2;|!S|$B$y$SV$1.C;2.A;",
                             "!R|$A$x$JGJ$M1;M2;<$$>1.A;9.A;"}) {
        ui.boxes.clear();
        EXPECT_FALSE(Build(text)) << text;
        EXPECT_EQ(Snapshot(), before) << text;
        ASSERT_EQ(ui.boxes.size(), 1u) << text;
        EXPECT_EQ(ui.boxes[0].kind, TMsgKind::Warning);
        EXPECT_THAT(ui.boxes[0].text, HasSubstr("Die Turnierform kann nicht angelegt werden."));
    }
    EXPECT_THAT(ErrorLogText(), HasSubstr("[X] buildTurnierform: "));
}

TEST_F(TurnierformTest, ABadRoundPageRefusesTheWholeForm) {
    form->Edit11.SetText("3-1");
    const std::vector<std::string> before = Snapshot();
    EXPECT_FALSE(Build("!R|$A$x$JGJ$M1;M2;"));
    EXPECT_EQ(Snapshot(), before);
    EXPECT_THAT(Boxes(), ElementsAre(HasSubstr("Die Feldereingabe ist nicht korrekt")));
}

TEST_F(TurnierformTest, ARoundByHandAndFromItsNotationGiveTheSameTables) {
    const std::string text =
        "!Vorrunde|$A$Gruppe A$JGJ$M1;M2;M3;M4;$B$Gruppe B$JGJ2$M5;M6;M7;|!Finale|$F$Finale$SV$1.A;1.B;$P$Platz "
        "3$A3$2.A;2.B;";
    WizardSystem(4, 7);  // exported forms: no placing list is built
    form->Edit11.SetText("1-2");
    ASSERT_TRUE(Build(text));
    const std::vector<std::string> fromNotation = Snapshot();

    FreshTournament();
    form->Edit11.SetText("1-2");
    RoundPage(1, "Vorrunde");
    ListGroup("A", "Gruppe A", "M1;M2;M3;M4", "JGJ");
    ListGroup("B", "Gruppe B", "M5;M6;M7", "JGJ2");
    CreateRound(*form);
    RoundPage(2, "Finale");
    ListGroup("F", "Finale", "1.A;1.B", "SV");
    ListGroup("P", "Platz 3", "2.A;2.B", "A3");
    CreateRound(*form);
    ClearListGrid(form->TPlatz);
    EXPECT_EQ(Snapshot(), fromNotation);
}

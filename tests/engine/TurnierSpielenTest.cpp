#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EditingFixture.h"
#include "dialogs/FormGenerators.h"
#include "engine/RundeAnlegen.h"
#include "engine/TurnierSpielen.h"
#include "engine/Turnierform.h"
#include "foundation/Accessors.h"
#include "foundation/Busy.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Settings.h"
#include "foundation/TableSnapshot.h"
#include "platform/Messages.h"
#include "platform/Random.h"
#include "platform/Window.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

std::vector<std::string> Lines(const TRichEdit& edit) {
    std::vector<std::string> lines;
    for (const TRichEdit::Line& line : edit.Lines) lines.push_back(line.text);
    return lines;
}

// A window whose message runs a command, as a click arriving while the window lets its
// messages through would.
class ClickWindow : public TWindowProc {
public:
    explicit ClickWindow(std::function<void()> click) : click_(std::move(click)) { handle = CreateWindowHandle(this, {}); }
    ~ClickWindow() override { DestroyWindow(handle); }
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_USER) click_();
    }
    HWND handle = 0;

private:
    std::function<void()> click_;
};

}  // namespace

class TurnierSpielenTest : public EditingTest {
protected:
    // The play-through as the button runs it, with a fixed seed.
    std::vector<std::string> PlayThrough() {
        SetSetting(*form, "Durchspielen", "1");
        prng::Seed(11);
        doTurnierSpielen(*form);
        return Lines(form->RichEdit3);
    }
    std::string Closing() { return Lines(form->RichEdit3).back(); }
    // Plays the tournament through as the button does; what differs afterwards (empty: nothing).
    std::string ChangesLeftByPlayThrough() {
        SetSetting(*form, "Durchspielen", "1");
        const TableSnapshot before(*form);
        doTurnierSpielen(*form);
        return before.FirstDifference(TableSnapshot(*form));
    }
};

// --- refusals ---

TEST_F(TurnierSpielenTest, AStartedTournamentIsNotPlayedAndKeepsItsMark) {
    Build("!R|$A$a$JGJ$M1;M2;M3;$B$b$JGJ$M4;M5;");
    Put(form->Gruppe, Gruppe_State, 2, "Open", true);
    EXPECT_EQ(ChangesLeftByPlayThrough(), "");
    EXPECT_THAT(Lines(form->RichEdit3), ElementsAre("", "Fehler: Turnier schon begonnen oder keine Spiele vorhanden"));
    EXPECT_EQ(GetSetting(*form, "Durchspielen", ""), "1");
}

TEST_F(TurnierSpielenTest, AGameWithAResultIsNeverPlayedOver) {
    Build("!R|$A$a$JGJ$M1;M2;M3;<$$>1.A;2.A;3.A;");
    Put(form->Spielplan, Spielplan_Sieger, 1, Cell(form->Spielplan, Spielplan_T2, 1), true);
    Put(form->Spielplan, Spielplan_PPkt, 1, "1", true);
    Put(form->Spielplan, Spielplan_MPkt, 1, "3", true);
    EXPECT_EQ(ChangesLeftByPlayThrough(), "");
    EXPECT_EQ(Closing(), "Fehler: Turnier schon begonnen oder keine Spiele vorhanden");
}

TEST_F(TurnierSpielenTest, WithoutGamesTheMarkIsTakenBack) {
    EXPECT_THAT(PlayThrough(), ElementsAre("", "Fehler: Turnier schon begonnen oder keine Spiele vorhanden"));
    EXPECT_EQ(GetSetting(*form, "Durchspielen", ""), "0");
}

// --- the report ---

TEST_F(TurnierSpielenTest, TheReportShowsRoundsGroupsGamesTablesPlacingAndReferees) {
    Build("!Vorrunde|$A$Gruppe A$JGJ$M1;M2;M3;<$$>1.A;2.A;3.A;");
    const std::vector<std::string> report = PlayThrough();
    ASSERT_GE(report.size(), 25u);
    EXPECT_THAT(std::vector<std::string>(report.begin(), report.begin() + 8),
                ElementsAre("", std::string(50, '+'), "Runde1", std::string(50, '+'), "Gruppe A (Gruppe A)",
                            std::string(50, '-'), ">> Spielpaarungen", HasSubstr("  Spiel 1 - Mannschaft ")));
    EXPECT_EQ(report[10], ">> Tabelle");
    EXPECT_THAT(report[11], HasSubstr("  1. Mannschaft "));
    EXPECT_EQ(report[16], "Endplatzierung");
    EXPECT_THAT(report[18], HasSubstr("  1. Mannschaft "));
    EXPECT_THAT(std::vector<std::string>(report.begin() + 23, report.begin() + 30),
                ElementsAre("Schiedsrichter", std::string(50, '+'), " Name            Anzahl Einsaetze ",
                            " " + std::string(49, '-'), "  Mannschaft 1              1", "  Mannschaft 2              1",
                            "  Mannschaft 3              1"));
    EXPECT_THAT(std::vector<std::string>(report.end() - 2, report.end()), ElementsAre("", "Keine Fehler im Turnier"));
    EXPECT_EQ(form->RichEdit3.Lines[2].attributes.Color, 0x0000FF);
    EXPECT_EQ(form->RichEdit3.Lines[2].attributes.Size, 11);
    EXPECT_EQ(form->RichEdit3.Lines[7].attributes.Size, 8);
    EXPECT_EQ(form->RichEdit3.Lines[27].attributes.Color, 0x008000);
    EXPECT_EQ(GetSetting(*form, "Durchspielen", ""), "1");
}

TEST_F(TurnierSpielenTest, WithScoringNamesEveryGameShowsMadeUpPointsThatDiffer) {
    form->Wertung1 = "Tore";
    Build("!R|$A$a$JGJ$M1;M2;M3;M4;<$$>1.A;2.A;3.A;4.A;");
    int games = 0;
    for (const std::string& line : PlayThrough()) {
        if (line.rfind("  Spiel ", 0) != 0) continue;
        ++games;
        const std::string points = line.substr(line.rfind('(') + 1, line.size() - line.rfind('(') - 2);
        const int a = ToInt(points.substr(0, points.find(':'))), b = ToInt(points.substr(points.find(':') + 1));
        EXPECT_NE(a, b) << line;
        EXPECT_TRUE(a >= 0 && a <= 7 && b >= 0 && b <= 7) << line;
    }
    EXPECT_EQ(games, 6);
}

TEST_F(TurnierSpielenTest, WithoutScoringNamesOnlyAWinnerIsMadeUp) {
    Build("!R|$A$a$SV$M1;M2;<$$>S1;V1;");
    const std::vector<std::string> report = PlayThrough();
    EXPECT_THAT(report[7], ::testing::EndsWith(" (:)"));
}

TEST_F(TurnierSpielenTest, ATournamentWithoutFinalPlacingIsAnError) {
    RoundPage(1, "Vorrunde");
    ListGroup("A", "Gruppe A", "M1;M2", "JGJ");
    RundeAnlegen(*form);
    PlayThrough();
    EXPECT_EQ(Closing(), "FEHLER:    Keine Endplatzierung vorhanden");
    EXPECT_EQ(GetSetting(*form, "Durchspielen", ""), "0");
}

TEST_F(TurnierSpielenTest, APlaceholderThatCannotBeResolvedStopsTheRun) {
    // A place the group does not have.
    Build("!R1|$A$a$JGJ$M1;M2;|!R2|$F$f$SV$1.A;2.A;");
    Put(form->Teams, Teams_Pos, Team("2. Gruppe A"), "3", true);
    const std::vector<std::string> report = PlayThrough();
    EXPECT_EQ(report.back(), "FEHLER: Platzhalter '2. Gruppe A' kann nicht zugeordnet werden");
    EXPECT_EQ(GetSetting(*form, "Durchspielen", ""), "0");
}

// --- putting everything back ---

TEST_F(TurnierSpielenTest, EveryTableListAndGridIsPutBackExactly) {
    Build("!R1|$A$a$JGJ$M1;M2;M3;M4;$B$b$JGJ$M5;M6;M7;M8;|!R2|$F$f$SV$1.A;2.B;2.A;1.B;<$$>S13;V13;S14;V14;");
    // A tied group whose ranking would move its standings rows, and players of an assigned team.
    Put(form->Teams, Teams_TMP, 3, "Anna|Bert", true);
    EXPECT_EQ(ChangesLeftByPlayThrough(), "");
    EXPECT_EQ(Closing(), "Keine Fehler im Turnier");
}

TEST_F(TurnierSpielenTest, NothingElseRunsWhileTheTournamentIsPlayed) {
    Build("!R|$A$a$JGJ$M1;M2;M3;<$$>1.A;2.A;3.A;");
    bool busy = false;
    ClickWindow window([&] {
        busy = IsBusy(*form);
        ListGroup("X", "x", "M7;M8", "JGJ");
        RundeAnlegen(*form);
    });
    ASSERT_TRUE(PostMessage(window.handle, WM_USER));
    PlayThrough();
    EXPECT_TRUE(busy);
    EXPECT_THAT(Boxes(), ElementsAre(HasSubstr("\"Turnier durchspielen\" ist noch nicht fertig")));
    EXPECT_EQ(Closing(), "Keine Fehler im Turnier");
    EXPECT_FALSE(IsBusy(*form));
}

// --- every shipped form ---

class ShippedPlayThroughTest : public TurnierSpielenTest, public ::testing::WithParamInterface<FormRecord> {};

TEST_P(ShippedPlayThroughTest, LeavesEveryTableAsItWasAndFindsNoErrorInASoundForm) {
    const FormRecord& record = GetParam();
    Build(record.form);
    EXPECT_EQ(ChangesLeftByPlayThrough(), "") << record.shortText;
    EXPECT_EQ(Closing(), "Keine Fehler im Turnier") << record.shortText;
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedPlayThroughTest,
                         ::testing::ValuesIn(ReadFormRecords(std::string(MAROVELKA_DATA_DIR) + "/TurFormen.dat")),
                         [](const ::testing::TestParamInfo<FormRecord>& info) {
                             return "Form" + std::to_string(info.index) + "_" + std::to_string(info.param.count);
                         });

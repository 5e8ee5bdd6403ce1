#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedWindow.h"
#include "ShippedFiles.h"
#include "TestEnvironment.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Settings.h"
#include "foundation/SortGrid.h"
#include "mainwindow/GameList.h"

namespace {

using Cells = std::vector<std::vector<std::string>>;

Cells AllCells(const TStringGrid& grid) {
    Cells cells(static_cast<size_t>(grid.RowCount()));
    for (int r = 0; r < grid.RowCount(); ++r)
        for (int c = 0; c < grid.ColCount(); ++c) cells[static_cast<size_t>(r)].push_back(grid.Cells(c, r));
    return cells;
}

std::vector<int> Widths(const TStringGrid& grid) {
    std::vector<int> widths;
    for (int c = 0; c < grid.ColCount(); ++c) widths.push_back(grid.ColWidths(c));
    return widths;
}

// A game list that keeps its rows between fills, on a plan of its own.
struct KeptView {
    int mode, key;
    GameList list;
    TStringGrid plan;
};

// A plan refreshed row by row must show exactly what a plan built whole shows, through a whole
// tournament day and through every kind of change a row's texts depend on: the example's
// tournament, ten clubs in two groups, semi-finals and games for every place.
class GameListTest : public ProgramTest, public ScriptedWindow {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        programFolder = std::make_unique<InProgramFolderWithShippedFiles>(folder);
        form = std::make_unique<TForm1>();
        form->FormCreate();
        for (auto [mode, key] : {std::pair{1, 0}, {1, 1}, {1, 2}, {1, 3}, {4, 1}, {4, 3}, {5, 1}, {5, 2}, {5, 4}})
            views.push_back(std::make_unique<KeptView>(KeptView{mode, key, {}, {}}));
        Step(kNewTournament);
    }
    void TearDown() override {
        programFolder.reset();
        ProgramTest::TearDown();
    }

    void Step(const std::string& commands) {
        ASSERT_EQ(RunCommandsAndLeave(commands), kExitOk) << commands << output;
        ExpectRefreshedAsBuiltWhole(commands);
    }
    // Every kept view, filled again, against the same view built whole; building it whole must
    // not have to mark a game anew either.
    void ExpectRefreshedAsBuiltWhole(const std::string& after) {
        for (const auto& view : views) {
            view->list.Fill(*form, view->plan, view->mode, view->key, nullptr);
            GameList whole;
            TStringGrid plan;
            const auto marked = form->Spielplan.Changes();
            whole.Fill(*form, plan, view->mode, view->key, nullptr);
            const std::string which = "view " + std::to_string(view->mode) + "/" + std::to_string(view->key) +
                                      " after " + after;
            EXPECT_EQ(form->Spielplan.Changes(), marked) << which;
            EXPECT_EQ(AllCells(view->plan), AllCells(plan)) << which;
            EXPECT_EQ(Widths(view->plan), Widths(plan)) << which;
        }
        // A list that takes the rows of its twin (the first view) where it cannot keep its own,
        // and one that takes them at once.
        const KeptView& first = *views.front();
        fromTwin.list.Fill(*form, fromTwin.plan, first.mode, first.key, nullptr, &first.list);
        GameList fresh;
        TStringGrid freshPlan;
        fresh.Fill(*form, freshPlan, first.mode, first.key, nullptr, &first.list);
        for (const TStringGrid* plan : {&fromTwin.plan, &freshPlan}) {
            EXPECT_EQ(AllCells(*plan), AllCells(first.plan)) << "from the twin after " << after;
            EXPECT_EQ(Widths(*plan), Widths(first.plan)) << "from the twin after " << after;
        }
        // The window's own plans, in the view of all games by number.
        for (TStringGrid* shown : {&form->XPlan1, &form->XPlan2}) {
            form->DoPlan(*shown, 1, 0, nullptr);
            GameList whole;
            TStringGrid plan;
            whole.Fill(*form, plan, 1, 0, nullptr);
            EXPECT_EQ(AllCells(*shown), AllCells(plan)) << "the window's plans after " << after;
        }
    }
    static std::string Result(int game, const std::string& scores) {
        return "ergebnis " + std::to_string(game) + " " + scores + " übernehmen\n";
    }

    static inline const std::string kNewTournament =
        "neu Name=Vereinsturnier Kürzel=VT Teilnehmer=10 Sportart=Volleyball Startzeit=09:00 Spieldauer=20 "
        "Pause=5 Rundenpause=10 Felder=1-3 \"Schiedsrichter=Aus der Runde\" \"Turnierform=Zwei Gruppen zu 5 mit "
        "Halbfinale, Finale und Platzierungsspielen\" ok\n";
    std::unique_ptr<InProgramFolderWithShippedFiles> programFolder;
    std::vector<std::unique_ptr<KeptView>> views;
    KeptView fromTwin{1, 0, {}, {}};
};

}  // namespace

// The shipped example day after its first command, one step at a time: a line, or a result
// dialog with its button on the next line.
TEST_F(GameListTest, TheExampleDayStepByStep) {
    std::ifstream script(std::string(MAROVELKA_DATA_DIR) + "/beispiel.skript");
    std::vector<std::string> steps;
    bool buttonFollows = false;
    for (std::string line; std::getline(script, line);) {
        // Saving and exporting leave the tables as they are.
        if (line.empty() || line[0] == '#' || line.rfind("neu ", 0) == 0 || line.rfind("speichern", 0) == 0 ||
            line.rfind("ergebnisse-", 0) == 0 || line == "ende")
            continue;
        if (buttonFollows) steps.back() += line + "\n";
        else steps.push_back(line + "\n");
        buttonFollows = line.rfind("ergebnis ", 0) == 0 && line.find(' ', 9) == std::string::npos;
    }
    ASSERT_GT(steps.size(), 30u);
    for (const std::string& step : steps) Step(step);
}

TEST_F(GameListTest, EveryChangeTheTextsDependOnReachesTheKeptRows) {
    Step("zuweisen-datei Vereine.txt\nstart\n");
    for (int game = 1; game <= 8; ++game) Step(Result(game, game % 2 ? "Sätze1=2 Sätze2=0 Bälle1=50 Bälle2=41" : "Sätze1=0 Sätze2=2 Bälle1=44 Bälle2=50"));

    ListPut(form->XATeamsTur, 3, "Umbenannt");
    ExpectRefreshedAsBuiltWhole("a participant's name");
    ListPut(form->XAGruppName, 2, "Gruppe Zwei");
    ExpectRefreshedAsBuiltWhole("a group's name");
    SetSetting(*form, "AWertung", "5");
    ExpectRefreshedAsBuiltWhole("the ranking mode");
    SetSetting(*form, "Spalte Datum", "Off");
    ExpectRefreshedAsBuiltWhole("a column switched off");
    SetSetting(*form, "N1", "Frau Roth");
    Put(form->Spielplan, Spielplan_Schir, 12, "N1", true);
    ExpectRefreshedAsBuiltWhole("a referee from the name list");
    form->Wertung3 = "Punkte";
    ExpectRefreshedAsBuiltWhole("a third scoring name");
    form->MinusAnzeigen = !form->MinusAnzeigen;
    ExpectRefreshedAsBuiltWhole("lost values shown or not");
    Put(form->Turnier, Turnier_Datum, 1, "01.05.2027", true);
    ExpectRefreshedAsBuiltWhole("another first day");
    Put(form->Gruppe, Gruppe_State, 1, "Closed", true);
    ExpectRefreshedAsBuiltWhole("a group closed");
    Put(form->Spielplan, Spielplan_Feld, 14, "3", true);
    Put(form->Spielplan, Spielplan_Von, 15, "08:00", true);
    ExpectRefreshedAsBuiltWhole("a game moved to another field and time");
    Put(form->Spielplan, Spielplan_SpNr, 16, "99", true);
    ExpectRefreshedAsBuiltWhole("a game renumbered");
    Put(form->Spielplan, Spielplan_GrNr, 17, "2", true);
    Put(form->Spielplan, Spielplan_RNr, 18, "3", true);
    ExpectRefreshedAsBuiltWhole("games moved to another group and round");
    for (const auto& view : views) view->plan.SetColWidths(2, 500);
    ExpectRefreshedAsBuiltWhole("a column width set on the plans");
    for (const auto& view : views) view->plan.SetCells(6, 1, "von außen");
    ExpectRefreshedAsBuiltWhole("the plans written from elsewhere");
    sortGrid(form->Spielplan, Spielplan_T1, true);
    ExpectRefreshedAsBuiltWhole("the games sorted");
    Put(form->Spielplan, Spielplan_Schir, 3, "N1", true);
    ExpectRefreshedAsBuiltWhole("a referee changed in a row that moved");
    DeleteGridRow(form->Spielplan, 5);
    ExpectRefreshedAsBuiltWhole("a game deleted");
}

TEST_F(GameListTest, SwitchingTournamentsRebuildsTheKeptRows) {
    Step("zuweisen-datei Vereine.txt\nstart\n");
    Step(Result(1, "Sätze1=2 Sätze2=0 Bälle1=50 Bälle2=41"));
    Step(kNewTournament);
    Step("wechseln 1\n");
    Step(Result(2, "Sätze1=2 Sätze2=0 Bälle1=50 Bälle2=41"));
    Step("wechseln 2\n");
    Step("antwort nein\nschliessen\n");
}

TEST_F(GameListTest, ATwinGivesItsRowsOnlyWhileNothingChangedSinceItsFill) {
    Step("zuweisen-datei Vereine.txt\nstart\n");
    GameList twin;
    TStringGrid twinPlan;
    auto expectTakenAsBuiltWhole = [&](int mode, int key, const std::string& after) {
        GameList taking, whole;
        TStringGrid takingPlan, wholePlan;
        taking.Fill(*form, takingPlan, mode, key, nullptr, &twin);
        whole.Fill(*form, wholePlan, mode, key, nullptr);
        EXPECT_EQ(AllCells(takingPlan), AllCells(wholePlan)) << after;
    };
    const std::vector<std::pair<std::string, std::function<void()>>> changes{
        {"a result", [&] { Put(form->Spielplan, Spielplan_Sieger, 1, "1", true); }},
        {"a group state", [&] { Put(form->Gruppe, Gruppe_State, 2, "Closed", true); }},
        {"a name", [&] { ListPut(form->XATeamsTur, 2, "Neu"); }},
        {"a setting", [&] { SetSetting(*form, "AWertung", "5"); }},
        {"the twin's plan", [&] { twinPlan.SetCells(6, 2, "von außen"); }}};
    for (const auto& [what, change] : changes) {
        twin.Fill(*form, twinPlan, 1, 0, nullptr);
        change();
        expectTakenAsBuiltWhole(1, 0, what);
    }
    twin.Fill(*form, twinPlan, 1, 0, nullptr);
    expectTakenAsBuiltWhole(1, 1, "another view");
}

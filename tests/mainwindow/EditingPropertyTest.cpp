// Random tournaments under random sequences of creating rounds, deleting groups and rounds,
// editing and entering results: after every step the numbers are row indices, every cell that
// names a group, participant or game names the one it named before, and no result is lost that
// was not deleted on purpose. Each row carries a marker in a cell beyond the visible columns,
// which moves with the row wherever the row moves.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

#include "TableInvariants.h"
#include "WindowFixture.h"
#include "dialogs/Dialogs.h"
#include "engine/SpielEinstellung.h"
#include "engine/SpielplanKlick.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Notation.h"
#include "foundation/TableSnapshot.h"
#include "foundation/Tables.h"
#include "foundation/Texts.h"
#include "mainwindow/main.h"
#include "platform/Random.h"

using ::testing::IsEmpty;

namespace {

constexpr int kMarker = 30;

struct GameModel {
    std::string group, first, second, winner, points;
};
struct TeamModel {
    std::string group, source;  // markers: the group it plays in, the group or game it comes from
};

class EditingPropertyTest : public WindowTest, public ::testing::WithParamInterface<unsigned> {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        random.seed(GetParam());
        prng::Seed(GetParam());
        Put(form->Turnier, 0, 1, "1", true);
        Put(form->Turnier, 1, 1, "1", true);
        form->XZeitSpiele.SetChecked(true);
        form->Edit11.SetText("1-2");
        form->Edit12.SetText("20");
        form->Edit13.SetText("5");
    }

    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    template <class T>
    const T& Pick(const std::vector<T>& items) { return items[static_cast<size_t>(Between(0, static_cast<int>(items.size()) - 1))]; }

    int Rows(const TSortGrid& table) const { return table_invariants::DataRows(table); }
    static std::string Marker(const TSortGrid& table, int row) { return row >= 1 ? table.Cells(kMarker, row) : ""; }
    std::string TeamMarker(const std::string& number) const { return ToInt(number) >= 1 ? Marker(form->Teams, ToInt(number)) : number; }

    // --- the operations ---

    void CreateRound() {
        const int round = form->AnzRunden + 1;
        form->Edit4.SetText(IntToStr(round));
        form->Edit3.SetText("Runde " + IntToStr(round));
        std::vector<std::string> sources;
        std::set<std::string> shown;
        for (int row = 1; row <= Rows(form->Teams); ++row) shown.insert(form->Teams.Cells(Teams_Name, row));
        for (int g = 1; g <= Rows(form->Gruppe); ++g)
            for (int place = 1; place <= IntGet(form->Gruppe, Gruppe_AnzTeams, g, true); ++place)
                sources.push_back(IntToStr(place) + "." + form->Gruppe.Cells(Gruppe_Bez, g));
        for (int s = 1; s <= Rows(form->Spielplan); ++s)
            for (const char* kind : {"S", "V"}) sources.push_back(kind + form->Spielplan.Cells(Spielplan_SpNr, s));
        const int groups = Between(1, 3);
        for (int i = 0; i < groups; ++i) {
            std::vector<std::string> items;
            const int size = Between(2, 5);
            while (static_cast<int>(items.size()) < size) {
                std::string code = "M" + IntToStr(++teamCount);
                if (!sources.empty() && Between(0, 2) > 0) code = Pick(sources);
                if (!shown.insert(CodeDisplayText(*form, code)).second) continue;
                items.push_back(code);
            }
            std::string system = Pick(std::vector<std::string>{"JGJ", "JGJ2", "A" + IntToStr(Between(1, 4))});
            if (size % 2 == 0 && Between(0, 2) == 0) system = "SV";
            ListGroup("G" + IntToStr(++groupCount), items, system);
        }
        form->IAeverButton2Click(nullptr);
    }

    void ListGroup(const std::string& id, const std::vector<std::string>& items, const std::string& system) {
        TStringGrid& list = form->Gruppen;
        const int row = list.Cells(0, 1).empty() ? 1 : list.RowCount();
        if (row >= list.RowCount()) list.SetRowCount(row + 1);
        std::string codes;
        for (const std::string& item : items) codes += (codes.empty() ? "" : ";") + item;
        const std::string cells[] = {id, "Gruppe " + id, codes, IntToStr(static_cast<long long>(items.size())), system};
        for (int c = 0; c < 5; ++c) list.SetCells(c, row, cells[c]);
    }

    // The node of group g (or its round) in the round tree, selected.
    bool SelectGroup(int g, bool itsRound) {
        form->showWerkzeug(30);
        for (TTreeNode* node : form->TreeView3.Nodes())
            if (node->Level() == 1 && node->Data == g) {
                form->TreeView3.SetSelected(itsRound ? node->Parent : node);
                return true;
            }
        return false;
    }

    // The groups a deletion targets: those that may go.
    std::set<std::string> DeleteGroup(bool wholeRound) {
        const int g = Between(1, Rows(form->Gruppe));
        if (!SelectGroup(g, wholeRound)) return {};
        std::set<std::string> targets;
        const std::string round = form->Gruppe.Cells(Gruppe_RNr, g);
        for (int row = 1; row <= Rows(form->Gruppe); ++row)
            if (row == g || (wholeRound && form->Gruppe.Cells(Gruppe_RNr, row) == round)) targets.insert(Marker(form->Gruppe, row));
        setTurChanged(*form, true);
        const TableSnapshot before(*form);
        ui.QueueAnswer(mrYes);
        ui.boxes.clear();
        if (wholeRound) form->SpeedButton8Click(nullptr);
        else form->SpeedButton7Click(nullptr);
        // A refused single group changes nothing at all.
        if (!wholeRound && ui.boxes.size() == 2) {
            EXPECT_EQ(before.FirstDifference(TableSnapshot(*form)), "");
        }
        return targets;
    }

    void Edit() {
        const int g = Between(1, Rows(form->Gruppe));
        switch (Between(0, 2)) {
            case 0:
                if (!SelectGroup(g, false)) return;
                form->Edit8.SetText("R" + IntToStr(++groupCount));
                form->Edit9.SetText("umbenannt");
                form->SpeedButton9Click(nullptr);
                return;
            case 1:
                if (!SelectGroup(g, true)) return;
                form->umValidEdit5.SetText(IntToStr(Between(-30, 30)));
                form->IAeverButton3Click(nullptr);
                return;
            default: {
                const int game = Between(1, Rows(form->Spielplan));
                ui.QueueDialog({"Beginn=08:00", "Ende=08:20", "Tag=" + IntToStr(Between(1, 3)), "ok"});
                doSpielEinstellung(*form, game, false);
            }
        }
    }

    void Result() {
        const int row = Between(1, Rows(form->Spielplan));
        doSpielplanKlick(*form, nullptr, IntGet(form->Spielplan, Spielplan_SpNr, row, true), true, false);
        GameModel& model = games[Marker(form->Spielplan, row)];
        model.winner = TeamMarker(form->Spielplan.Cells(Spielplan_Sieger, row));
        model.points = Points(row);
    }

    std::string Points(int row) const {
        std::string text;
        for (int c = Spielplan_PPkt; c <= Spielplan_MBall; ++c) text += form->Spielplan.Cells(c, row) + ":";
        return text;
    }

    // --- the model ---

    // Rows made since the last look get their markers and join the model.
    void AdoptNewRows() {
        auto mark = [&](TSortGrid& table, const char* prefix) {
            for (int row = 1; row <= Rows(table); ++row)
                if (table.Cells(kMarker, row).empty()) table.SetCells(kMarker, row, prefix + IntToStr(++markers));
        };
        mark(form->Gruppe, "g");
        mark(form->Teams, "t");
        mark(form->Spielplan, "s");
        for (int row = 1; row <= Rows(form->Teams); ++row) {
            const std::string marker = Marker(form->Teams, row);
            if (teams.count(marker)) continue;
            const TSortGrid& t = form->Teams;
            const std::string kind = t.Cells(Teams_SV, row);
            std::string source;
            if (kind == "S" || kind == "V") source = Marker(form->Spielplan, FindRow(form->Spielplan, Spielplan_SpNr, t.Cells(Teams_Pos, row)));
            else if (!t.Cells(Teams_GrNr, row).empty()) source = Marker(form->Gruppe, IntGet(t, Teams_GrNr, row, true));
            teams[marker] = {Marker(form->Gruppe, IntGet(t, Teams_InGr, row, true)), source};
        }
        for (int row = 1; row <= Rows(form->Spielplan); ++row) {
            const std::string marker = Marker(form->Spielplan, row);
            if (games.count(marker)) continue;
            const TSortGrid& s = form->Spielplan;
            games[marker] = {Marker(form->Gruppe, IntGet(s, Spielplan_GrNr, row, true)), TeamMarker(s.Cells(Spielplan_T1, row)),
                             TeamMarker(s.Cells(Spielplan_T2, row)), TeamMarker(s.Cells(Spielplan_Sieger, row)), Points(row)};
        }
    }

    // Every row still names what it named; what vanished went with a group that was deleted.
    void Verify(const std::set<std::string>& deletable, const std::string& step) {
        ASSERT_THAT(table_invariants::Check(*form), IsEmpty()) << step;
        std::set<std::string> groupsNow, teamsNow, gamesNow;
        for (int row = 1; row <= Rows(form->Gruppe); ++row)
            if (!Marker(form->Gruppe, row).empty()) groupsNow.insert(Marker(form->Gruppe, row));
        for (const std::string& group : groupsKnown)
            if (!groupsNow.count(group)) {
                EXPECT_TRUE(deletable.count(group)) << step << ": Gruppe " << group << " verschwunden";
                deleted.insert(group);
            }
        for (int row = 1; row <= Rows(form->Teams); ++row) {
            const std::string marker = Marker(form->Teams, row);
            if (marker.empty()) continue;  // made by this step
            teamsNow.insert(marker);
            const TeamModel& model = teams.at(marker);
            const TSortGrid& t = form->Teams;
            EXPECT_EQ(Marker(form->Gruppe, IntGet(t, Teams_InGr, row, true)), model.group) << step << " " << marker;
            const std::string kind = t.Cells(Teams_SV, row);
            std::string source;
            if (kind == "S" || kind == "V") source = Marker(form->Spielplan, FindRow(form->Spielplan, Spielplan_SpNr, t.Cells(Teams_Pos, row)));
            else if (!t.Cells(Teams_GrNr, row).empty()) source = Marker(form->Gruppe, IntGet(t, Teams_GrNr, row, true));
            EXPECT_EQ(source, model.source) << step << " " << marker;
        }
        for (int row = 1; row <= Rows(form->Spielplan); ++row) {
            const std::string marker = Marker(form->Spielplan, row);
            if (marker.empty()) continue;
            gamesNow.insert(marker);
            const GameModel& model = games.at(marker);
            const TSortGrid& s = form->Spielplan;
            EXPECT_EQ(Marker(form->Gruppe, IntGet(s, Spielplan_GrNr, row, true)), model.group) << step << " " << marker;
            EXPECT_EQ(TeamMarker(s.Cells(Spielplan_T1, row)) + "-" + TeamMarker(s.Cells(Spielplan_T2, row)),
                      model.first + "-" + model.second) << step << " " << marker;
            EXPECT_EQ(TeamMarker(s.Cells(Spielplan_Sieger, row)), model.winner) << step << " " << marker;
            EXPECT_EQ(Points(row), model.points) << step << " " << marker;
        }
        for (const auto& [marker, model] : teams)
            if (!teamsNow.count(marker) && !deleted.count(model.group) && !deleted.count(model.source) &&
                !deleted.count(games.count(model.source) ? games.at(model.source).group : ""))
                ADD_FAILURE() << step << ": Teilnehmer " << marker << " verschwunden";
        for (const auto& [marker, model] : games)
            if (!gamesNow.count(marker) && !deleted.count(model.group)) ADD_FAILURE() << step << ": Spiel " << marker << " verschwunden";
        groupsKnown = groupsNow;
    }

    // After AdoptNewRows every group is known.
    void KnowAllGroups() {
        for (int row = 1; row <= Rows(form->Gruppe); ++row) groupsKnown.insert(Marker(form->Gruppe, row));
    }

    std::mt19937 random;
    int teamCount = 0, groupCount = 0, markers = 0;
    std::map<std::string, GameModel> games;
    std::map<std::string, TeamModel> teams;
    std::set<std::string> groupsKnown, deleted;
};

TEST_P(EditingPropertyTest, RandomStepsKeepEveryNumberAndEveryResult) {
    CreateRound();
    AdoptNewRows();
    KnowAllGroups();
    Verify({}, "Runde 1");
    for (int step = 1; step <= 25 && !HasFailure(); ++step) {
        std::set<std::string> deletable;
        std::string what;
        const int choice = Rows(form->Gruppe) == 0 ? 0 : Between(0, 9);
        if (choice <= 1 && Rows(form->Gruppe) < 14) {
            what = "Runde anlegen";
            CreateRound();
        } else if (choice <= 3) {
            what = "Gruppe löschen";
            deletable = DeleteGroup(false);
        } else if (choice == 4) {
            what = "Runde löschen";
            deletable = DeleteGroup(true);
        } else if (choice <= 6) {
            what = "Bearbeiten";
            Edit();
        } else {
            what = "Ergebnis";
            if (Rows(form->Spielplan) > 0) Result();
        }
        EXPECT_THAT(ui.unscripted, IsEmpty()) << what;
        Verify(deletable, "Schritt " + IntToStr(step) + " " + what);
        AdoptNewRows();
        KnowAllGroups();
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, EditingPropertyTest, ::testing::Range(1u, 41u));

}  // namespace

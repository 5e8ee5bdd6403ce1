// A finished group has one order: its table, the placeholders that take their participants from
// it, the next round and the final placing. Random small tournaments whose groups end level
// again and again are played through the result dialog, with random answers to the conflict
// dialog, conflicts settled again, results changed in finished groups, ranking rules changed
// while no later game builds on a group yet, and a save and load on the way. After every result
// the table of every finished group names the participants its placeholders took, in their
// places, every standings row shows its participant, a finished group's order moves only when
// its own results, the rules or a new settlement change it, and once every game is played the
// final placing names every participant exactly once.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "ConflictAnswers.h"
#include "EditingFixture.h"
#include "engine/Gruppenstatus.h"
#include "engine/Konflikt.h"
#include "engine/SpielplanKlick.h"
#include "engine/TurnierWechsel.h"
#include "engine/Wertungsregeln.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Settings.h"
#include "foundation/files/TournamentFile.h"
#include "platform/FileOperations.h"

namespace {

std::string Codes(const std::string& prefix, int first, int last) {
    std::string codes;
    for (int i = first; i <= last; ++i) codes += prefix + IntToStr(i) + ";";
    return codes;
}

std::string Places(const std::string& group, int count) {
    std::string codes;
    for (int place = 1; place <= count; ++place) codes += IntToStr(place) + "." + group + ";";
    return codes;
}

// One group of n, round robin; the table is the final placing.
std::string OneGroup(int n) { return "!Runde 1|$A$Gruppe A$JGJ$" + Codes("M", 1, n) + "|<$$>" + Places("A", n); }

// Two groups of n (3 or 4), crossover semi-finals, a game for third place and a final; places 5
// and on go to the best thirds and fourths.
std::string TwoGroupsWithSemiFinals(int n) {
    const int groupGames = n * (n - 1);
    const std::string semi1 = IntToStr(groupGames + 1), semi2 = IntToStr(groupGames + 2);
    const std::string third = IntToStr(groupGames + 3), final = IntToStr(groupGames + 4);
    std::string text = "!Vorrunde|$A$Gruppe A$JGJ$" + Codes("M", 1, n) + "$B$Gruppe B$JGJ$" + Codes("M", n + 1, 2 * n) +
                       "|!Halbfinale|$HF$Ueberkreuzspiel$SV$1.A;2.B;1.B;2.A;|!Finale|$P3$Spiel um Platz 3$SV$V" +
                       semi1 + ";V" + semi2 + ";$F$Finale$SV$S" + semi1 + ";S" + semi2 + ";|<$$>S" + final + ";V" +
                       final + ";S" + third + ";V" + third + ";";
    for (int k = 3; k <= n; ++k) text += "B1/" + IntToStr(k) + "/A,B;B2/" + IntToStr(k) + "/A,B;";
    return text;
}

// Three groups of three; the firsts, seconds and thirds play on in groups of their own.
std::string ThreeGroupsThenPlaceGroups() {
    return "!Vorrunde|$A$Gruppe A$JGJ$M1;M2;M3;$B$Gruppe B$JGJ$M4;M5;M6;$C$Gruppe C$JGJ$M7;M8;M9;"
           "|!Endrunde|$X$Erste$JGJ$1.A;1.B;1.C;$Y$Zweite$JGJ$2.A;2.B;2.C;$Z$Dritte$JGJ$3.A;3.B;3.C;"
           "|<$$>" + Places("X", 3) + Places("Y", 3) + Places("Z", 3);
}

bool Finished(const std::string& state) { return state == "Done" || state == "Closed"; }

// The test's own folder needs no file that outlives a crash: a save skips the syncs to disk,
// which would take most of the test's time.
class UnsyncedFileOperations : public FileOperations {
public:
    bool SyncFile(int) override { return true; }
    bool SyncFolder(const std::string&) override { return true; }
};

}  // namespace

class SettledOrderTest : public EditingTest {
protected:
    void SetUp() override {
        EditingTest::SetUp();
        SetUiHost(&host);
    }

    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

    std::vector<int> RandomOrder(int count) {
        std::vector<int> order;
        for (int number = 1; number <= count; ++number) order.push_back(number);
        std::shuffle(order.begin(), order.end(), rng);
        return order;
    }

    void Tournament(const std::string& text) {
        FreshTournament();
        form->Edit11.SetText("1");
        Put(form->Turnier, 0, 1, "1", true);
        Put(form->Turnier, 1, 1, "1", true);
        Put(form->Turnier, Turnier_Name, 1, "Pokal", true);
        Build(text);
        NameDirectSlots();
        // As the start shows them: the standings rows of the first round with the names.
        for (int r = 1; r < form->Platz.RowCount(); ++r)
            if (const std::string name = Name(IntGet(form->Platz, Platz_TeamNr, r, true)); !name.empty())
                Put(form->Platz, Platz_Team, r, name, true);
        for (int g = 1; g < form->Gruppe.RowCount(); ++g)
            if (IntGet(form->Gruppe, Gruppe_RNr, g, true) == 1) Put(form->Gruppe, Gruppe_State, g, "Open", true);
        if (Between(0, 1) == 0) SetSetting(*form, "AWertung", "7");
        if (Between(0, 1) == 0) SetSetting(*form, "WertungDirektVergleich", "true");
        if (Between(0, 2) == 0) SetSetting(*form, "WertungDirektVergleichNeu", "true");
        settled.clear();
    }

    std::string State(int g) const { return Get(form->Gruppe, Gruppe_State, g, true); }
    int GroupOfGame(int game) const { return IntGet(form->Spielplan, Spielplan_GrNr, game, true); }
    std::string Name(int team) const { return ListGet(form->XATeamsTur, team); }

    // Games that take a result now: of open and played groups, and of finished ones whose
    // outcome no later game uses yet.
    std::vector<int> PlayableGames(bool finishedToo) const {
        std::vector<int> games;
        const TSortGrid& plan = form->Spielplan;
        for (int r = 1; r < plan.RowCount(); ++r) {
            const std::string state = State(IntGet(plan, Spielplan_GrNr, r, true));
            const bool undecided = plan.Cells(Spielplan_Sieger, r).empty();
            if (!OffeneTeilnehmer(*form, r).empty()) continue;
            if ((state == "Open" || state == "Edit") && undecided) games.push_back(IntGet(plan, Spielplan_SpNr, r, true));
            if (finishedToo && state == "Done") games.push_back(IntGet(plan, Spielplan_SpNr, r, true));
        }
        return games;
    }

    // A result as a user types it: narrow, so that groups end level again and again; a knock-out
    // game always has a winner. The group's rules give the points.
    void EnterResult(int game) {
        const bool knockOut = Get(form->Gruppe, Gruppe_System, GroupOfGame(game), true) == "SV";
        int first = Between(0, 1), second = Between(0, 1);
        if (knockOut && first == second) ++first;
        host.QueueDialog({"Sätze1=" + IntToStr(first), "Sätze2=" + IntToStr(second), "übernehmen"});
        doSpielplanKlick(*form, nullptr, game, false, false);
    }

    // Team numbers of a group's standings rows in table order.
    std::vector<int> Standings(int g) const {
        std::vector<int> teams;
        const TSortGrid& platz = form->Platz;
        for (int r = 1; r < platz.RowCount(); ++r)
            if (IntGet(platz, Platz_GrNr, r, true) == g) teams.push_back(IntGet(platz, Platz_TeamNr, r, true));
        return teams;
    }

    // Every finished group's table names, on each place, the participant that the placeholders of
    // that place took; a best-of place takes one that stands on its place in one of its groups.
    void ExpectOneOrder(const std::string& when) {
        const TSortGrid& teams = form->Teams;
        for (int g = 1; g < form->Gruppe.RowCount(); ++g) {
            if (!Finished(State(g))) continue;
            const std::vector<int> table = Standings(g);
            for (int r = 1; r < teams.RowCount(); ++r) {
                if (IntGet(teams, Teams_GrNr, r, true) != g || !teams.Cells(Teams_SV, r).empty()) continue;
                const int place = IntGet(teams, Teams_Pos, r, true);
                ASSERT_TRUE(place >= 1 && place <= static_cast<int>(table.size())) << when;
                EXPECT_EQ(teams.Cells(Teams_Name_Tur, r), Name(table[static_cast<size_t>(place) - 1]))
                    << when << ": Platz " << place << " der Gruppe " << ListGet(form->XAGruppBez, g);
            }
        }
        for (int r = 1; r < teams.RowCount(); ++r) {
            const std::string code = teams.Cells(Teams_SV, r);
            if (code.empty() || code[0] != 'B' || teams.Cells(Teams_Name_Tur, r).empty()) continue;
            const size_t first = code.find('/'), second = code.find('/', first + 1);
            const size_t k = static_cast<size_t>(ToInt(code.substr(first + 1, second - first - 1)));
            bool standsThere = false;
            const std::string ids = code.substr(second + 1) + ",";
            for (size_t start = 0, comma; (comma = ids.find(',', start)) != std::string::npos; start = comma + 1) {
                const std::vector<int> table = Standings(FindRow(form->Gruppe, Gruppe_Bez, ids.substr(start, comma - start)));
                standsThere = standsThere || (k <= table.size() && Name(table[k - 1]) == teams.Cells(Teams_Name_Tur, r));
            }
            EXPECT_TRUE(standsThere) << when << ": " << code << " = " << teams.Cells(Teams_Name_Tur, r);
        }
    }

    // Every standings row shows the participant its slot took, in the next round as well.
    void ExpectStandingsShowTheParticipants(const std::string& when) {
        const TSortGrid& platz = form->Platz;
        for (int r = 1; r < platz.RowCount(); ++r) {
            const std::string name = Name(IntGet(platz, Platz_TeamNr, r, true));
            if (!name.empty()) {
                EXPECT_EQ(platz.Cells(Platz_Team, r), name) << when;
            }
        }
    }

    // A finished group keeps the order it was settled in until its own results or the ranking
    // rules change it.
    void ExpectSettledOrdersKept(int changedGroup, const std::string& when) {
        for (int g = 1; g < form->Gruppe.RowCount(); ++g) {
            if (!Finished(State(g))) {
                settled.erase(g);
                continue;
            }
            const auto known = settled.find(g);
            if (known != settled.end() && g != changedGroup) {
                EXPECT_EQ(Standings(g), known->second) << when << ": Gruppe " << ListGet(form->XAGruppBez, g);
            }
            settled[g] = Standings(g);
        }
    }

    void ExpectEveryParticipantPlacedOnce() {
        std::vector<std::string> placed, participants;
        const TSortGrid& teams = form->Teams;
        for (int r = 1; r < teams.RowCount(); ++r) {
            if (IntGet(teams, Teams_Platz, r, true) > 0) {
                placed.push_back(teams.Cells(Teams_Name_Tur, r));
            } else if (teams.Cells(Teams_Name, r).rfind("Mannschaft ", 0) == 0) {
                participants.push_back(Name(r));
            }
        }
        std::sort(placed.begin(), placed.end());
        std::sort(participants.begin(), participants.end());
        EXPECT_EQ(placed, participants);
    }

    // The tie of a finished group settled again, as the konflikt command does.
    void SettleAgain() {
        std::vector<int> done;
        for (int g = 1; g < form->Gruppe.RowCount(); ++g)
            if (State(g) == "Done") done.push_back(g);
        if (done.empty()) return;
        const int g = done[static_cast<size_t>(Between(0, static_cast<int>(done.size()) - 1))];
        konfliktLoesen(*form, g);
        settled.erase(g);
    }

    // New ranking rules, as the options take them while no later game builds on a group.
    void ChangeRules() {
        for (int g = 1; g < form->Gruppe.RowCount(); ++g)
            if (State(g) == "Closed") return;
        SetSetting(*form, "WertungDirektVergleich",
                   GetSetting(*form, "WertungDirektVergleich", "false") == "true" ? "false" : "true");
        tabellenNeuOrdnen(*form);
        settled.clear();
    }

    // The tournament saved and loaded again into a new window.
    void SaveAndLoad(const std::string& name) {
        const std::string path = folder + name + ".tur";
        UnsyncedFileOperations unsynced;
        const ScopedFileOperations scope(unsynced);
        host.QueueFile(path);
        ASSERT_TRUE(saveTurnier(*form, false, true, false));
        form = std::make_unique<LightForm>();
        form->ShowLoadDialog = false;
        form->OpenDialog1.Files.Add(path);
        ASSERT_EQ(turniereLaden(*form), 1);
    }

    void Play(const std::string& text, const std::string& name) {
        Tournament(text);
        const int saveAt = Between(1, 12);
        for (int step = 1; step <= 200; ++step) {
            const std::vector<int> games = PlayableGames(Between(0, 7) == 0);
            if (games.empty()) break;
            const int game = games[static_cast<size_t>(Between(0, static_cast<int>(games.size()) - 1))];
            const std::string when = name + ", Schritt " + IntToStr(step) + ", Spiel " + IntToStr(game);
            EnterResult(game);
            ExpectSettledOrdersKept(GroupOfGame(game), when);
            ExpectOneOrder(when);
            if (step == saveAt) {
                SaveAndLoad(name);
                if (HasFatalFailure()) return;
                ExpectSettledOrdersKept(0, when + ", geladen");
                ExpectOneOrder(when + ", geladen");
            }
            if (Between(0, 29) == 0) {
                ChangeRules();
                ExpectOneOrder(when + ", neue Wertung");
            }
            if (Between(0, 19) == 0) {
                SettleAgain();
                ExpectOneOrder(when + ", Konflikt neu gelöst");
            }
            ExpectStandingsShowTheParticipants(when);
            if (HasFailure()) return;
        }
        EXPECT_THAT(PlayableGames(false), ::testing::IsEmpty()) << name;
        EXPECT_THAT(host.dialogProblems, ::testing::IsEmpty()) << name;
        ExpectEveryParticipantPlacedOnce();
    }

    // Tournaments 1 .. count of the form `text` gives, each from its own seed.
    void PlayMany(unsigned count, const std::string& kind, const std::function<std::string()>& text) {
        for (unsigned seed = 1; seed <= count; ++seed) {
            rng.seed(seed);
            Play(text(), kind + " " + IntToStr(static_cast<int>(seed)));
            ASSERT_FALSE(HasFailure());
        }
    }

    // Conflict dialogs answered so far: ties must have come up again and again.
    int Conflicts() const {
        return static_cast<int>(std::count(host.dialogCaptions.begin(), host.dialogCaptions.end(), "Platzierungskonflikt"));
    }

    std::mt19937 rng;
    ConflictAnsweringHost host{[this](int count) { return RandomOrder(count); }};
    std::map<int, std::vector<int>> settled;  // finished groups: their order when last seen
};

TEST_F(SettledOrderTest, OneGroupShowsTheDialogsOrderInTableAndPlacing) {
    PlayMany(80, "Eine Gruppe", [this] { return OneGroup(Between(3, 5)); });
    EXPECT_GT(Conflicts(), 30);
}

TEST_F(SettledOrderTest, SemiFinalsAndBestOfPlacesFollowTheTablesOfTheGroups) {
    PlayMany(80, "Halbfinale", [this] { return TwoGroupsWithSemiFinals(Between(3, 4)); });
    EXPECT_GT(Conflicts(), 50);
}

TEST_F(SettledOrderTest, GroupsOfPlacedTeamsFollowTheTablesTheyCameFrom) {
    PlayMany(50, "Platzgruppen", [] { return ThreeGroupsThenPlaceGroups(); });
    EXPECT_GT(Conflicts(), 80);
}

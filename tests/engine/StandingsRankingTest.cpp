// Result processing ranks only the groups whose standings changed. Random tournaments of three
// rounds (groups, knock-out games, places, best-of places, winners and losers) take random
// results, changes and deletions through the result dialog, the play-through and the import,
// with ties settled in the conflict dialog: once with every ranking over the whole table, as it
// used to be, and once as it is now. After every result each group's standings, every
// placeholder, the tie list and the group states must agree.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "ConflictAnswers.h"
#include "EditingFixture.h"
#include "engine/Gruppenstatus.h"
#include "engine/Platzierung.h"
#include "engine/SpielplanKlick.h"
#include "engine/Turnierform.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Settings.h"
#include "platform/Random.h"

namespace {

// Settles every placing conflict by reversing the order offered.
std::vector<int> Reversed(int count) {
    std::vector<int> order;
    for (int number = count; number >= 1; --number) order.push_back(number);
    return order;
}

struct Played {
    std::vector<std::string> states;       // what readers see, after every result
    std::vector<std::string> tableOrders;  // the order of all standings rows, after every result
    int byGroup = 0;                       // results that found the tables as the last one left them
};

std::string Letter(int i) { return std::string(1, static_cast<char>('A' + i)); }

}  // namespace

class StandingsRankingTest : public EditingTest {
protected:
    void SetUp() override {
        EditingTest::SetUp();
        SetUiHost(&host);
    }

    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

    // Round 1: groups of 2 to largestGroup teams. Round 2: knock-out games of two places, and
    // groups of places and best-of places.
    std::string FirstRounds() {
        std::string text = "!Runde 1|";
        const int groups = Between(2, 4);
        std::vector<int> sizes;
        int team = 0;
        for (int g = 0; g < groups; ++g) {
            sizes.push_back(Between(2, largestGroup));
            text += "$" + Letter(g) + "$Gruppe " + Letter(g) + "$JGJ$";
            for (int i = 0; i < sizes.back(); ++i) text += "M" + IntToStr(++team) + ";";
        }
        std::vector<std::string> sources;
        const int k = Between(1, *std::min_element(sizes.begin(), sizes.end()));
        std::string listed;
        int bestOf = 0;
        for (int g = 0; g < groups; ++g) {
            const bool inList = Between(0, 2) > 0 || (g == groups - 1 && bestOf < 2);
            if (inList) {
                listed += (listed.empty() ? "" : ",") + Letter(g);
                ++bestOf;
            }
            for (int place = 1; place <= sizes[static_cast<size_t>(g)]; ++place)
                if (!(inList && place == k)) sources.push_back(IntToStr(place) + "." + Letter(g));
        }
        for (int i = 1; i <= bestOf; ++i) sources.push_back("B" + IntToStr(i) + "/" + IntToStr(k) + "/" + listed);
        std::shuffle(sources.begin(), sources.end(), rng);
        text += "|!Runde 2|";
        int id = groups;
        for (size_t next = 0; next + 1 < sources.size();) {
            const bool knockOut = Between(0, 1) == 0;
            const size_t size = knockOut ? 2 : std::min<size_t>(static_cast<size_t>(Between(2, 4)), sources.size() - next);
            text += "$" + Letter(id) + "$Gruppe " + Letter(id) + "$" + (knockOut ? "SV" : "JGJ") + "$";
            for (size_t i = 0; i < size; ++i) text += sources[next + i] + ";";
            knockOutIds.push_back(knockOut ? Letter(id) : "");
            ++id;
            next += size;
        }
        lastId = id;
        return text;
    }

    // Round 3: winners and losers of the knock-out games in one group.
    std::string LastRound() {
        std::vector<std::string> codes;
        for (const std::string& id : knockOutIds) {
            if (id.empty()) continue;
            const int game = FirstGameOf(id);
            codes.push_back("S" + IntToStr(game));
            codes.push_back("V" + IntToStr(game));
        }
        if (codes.size() < 2) return "";
        std::string text = "!Runde 3|$" + Letter(lastId) + "$Endrunde$JGJ$";
        for (const std::string& code : codes) text += code + ";";
        return text;
    }

    void Tournament(unsigned seed) {
        rng.seed(seed);
        knockOutIds.clear();
        FreshTournament();
        form->Edit11.SetText("1");
        Put(form->Turnier, 0, 1, "1", true);
        Put(form->Turnier, 1, 1, "1", true);
        Build(FirstRounds());
        if (const std::string last = LastRound(); !last.empty()) {
            ASSERT_TRUE(buildTurnierform(*form, last + "!")) << last;
        }
        NameDirectSlots();
        for (int g = 1; g < form->Gruppe.RowCount(); ++g)
            if (IntGet(form->Gruppe, Gruppe_RNr, g, true) == 1) Put(form->Gruppe, Gruppe_State, g, "Open", true);
        // Some later groups start from the totals their participants reached in the round before.
        for (int g = 1; g < form->Gruppe.RowCount(); ++g)
            if (IntGet(form->Gruppe, Gruppe_RNr, g, true) > 1 && Between(0, 2) == 0) Put(form->Gruppe, Gruppe_ErgUE, g, 1, true);
        if (Between(0, 2) == 0) SetSetting(*form, "AWertung", "7");
        if (Between(0, 1) == 0) SetSetting(*form, "WertungDirektVergleich", "true");
        if (Between(0, 2) == 0) SetSetting(*form, "WertungDirektVergleichNeu", "true");
        // Now and then a participant that never gets a name: its row takes no part.
        if (Between(0, 4) == 0) {
            const int t = Between(1, form->XATeamsTur.Items.Count() - 1);
            if (IntGet(form->Gruppe, Gruppe_RNr, IntGet(form->Teams, Teams_InGr, t, true), true) == 1) {
                ListPut(form->XATeamsTur, t, "");
                Put(form->Teams, Teams_Name_Tur, t, "", true);
                Put(form->Platz, Platz_Team, FindRow(form->Platz, Platz_TeamNr, IntToStr(t)), "", true);
            }
        }
    }

    // Games that may take a result now; now and then also those of groups whose outcome is in use.
    // A game after a drawn knock-out game waits for its participants.
    std::vector<int> PlayableGames() {
        std::vector<int> games;
        const bool closedToo = Between(0, 9) == 0;
        const TSortGrid& plan = form->Spielplan;
        for (int r = 1; r < plan.RowCount(); ++r) {
            const std::string state = Get(form->Gruppe, Gruppe_State, IntGet(plan, Spielplan_GrNr, r, true), true);
            if (!OffeneTeilnehmer(*form, r).empty()) continue;
            if (state == "Open" || state == "Edit" || state == "Done" || (closedToo && state == "Closed"))
                games.push_back(IntGet(plan, Spielplan_SpNr, r, true));
        }
        return games;
    }

    void EnterResult(int game) {
        const bool decided = !Get(form->Spielplan, Spielplan_Sieger, game, true).empty();
        const int how = Between(0, 9);
        if (how == 0) {
            prng::Seed(static_cast<unsigned>(game));
            doSpielplanKlick(*form, nullptr, game, true, false);
        } else if (how == 1) {
            // As the import writes a result into the game's row before it is processed.
            {
                const ResultBeingWritten writing(*form);
                const int p = Between(0, 3), m = Between(0, 3);
                Put(form->Spielplan, Spielplan_PPkt, game, p, true);
                Put(form->Spielplan, Spielplan_MPkt, game, m, true);
                Put(form->Spielplan, Spielplan_Sieger, game,
                    p > m ? Get(form->Spielplan, Spielplan_T1, game, true)
                          : p < m ? Get(form->Spielplan, Spielplan_T2, game, true) : "0",
                    true);
            }
            doSpielplanKlick(*form, nullptr, game, false, true);
        } else if (decided && how == 2) {
            host.QueueDialog({"ergebnis-löschen"});
            doSpielplanKlick(*form, nullptr, game, false, false);
        } else {
            // The scores decide: a winner chosen before would contradict most new scores.
            std::vector<std::string> lines{"Sieger=automatisch", "Punkte1=" + IntToStr(Between(0, 3)),
                                           "Punkte2=" + IntToStr(Between(0, 3))};
            // Where the group awards the points they are not typed, and the goals make the result:
            // typed level when not drawn, since empty fields are no result.
            if (Between(0, 2) == 0) {
                lines.push_back("Sätze1=" + IntToStr(Between(0, 2)));
                lines.push_back("Sätze2=" + IntToStr(Between(0, 2)));
            } else {
                lines.insert(lines.end(), {"Sätze1=0", "Sätze2=0"});
            }
            lines.push_back("übernehmen");
            host.QueueDialog(lines);
            doSpielplanKlick(*form, nullptr, game, false, false);
        }
    }

    // Every group's standings in their order, the placeholders, the tie list and the states.
    std::string Seen() const {
        std::string seen;
        const TSortGrid& platz = form->Platz;
        for (int g = 1; g < form->Gruppe.RowCount(); ++g) {
            seen += "Gruppe " + IntToStr(g) + " " + Get(form->Gruppe, Gruppe_State, g, true) + ":";
            for (int p = 1; p < platz.RowCount(); ++p) {
                if (IntGet(platz, Platz_GrNr, p, true) != g) continue;
                seen += " " + platz.Cells(Platz_TeamNr, p) + "=" + platz.Cells(Platz_Team, p);
                for (int c = Platz_AnzSpiele; c <= Platz_MBall; ++c) seen += "/" + platz.Cells(c, p);
            }
            seen += "\n";
        }
        seen += "Namen:";
        for (int t = 1; t < form->Teams.RowCount(); ++t)
            seen += " " + form->Teams.Cells(Teams_Name_Tur, t) + "|" + ListGet(form->XATeamsTur, t);
        seen += "\nKonflikt:";
        for (int i = 0; i < form->KonfliktTeams.Count(); ++i) seen += " " + form->KonfliktTeams[i];
        return seen;
    }

    std::string TableOrder() const {
        std::string order;
        for (int p = 1; p < form->Platz.RowCount(); ++p) order += form->Platz.Cells(Platz_TeamNr, p) + " ";
        return order;
    }

    // wholeTable: the stamp is thrown away before every result, so every ranking takes the whole
    // table, as before.
    Played Play(unsigned seed, bool wholeTable) {
        Played played;
        Tournament(seed);
        if (HasFatalFailure()) return played;
        for (int step = 0; step < 120; ++step) {
            const std::vector<int> games = PlayableGames();
            if (games.empty()) break;
            // Now and then the ranking rules change between two results.
            if (Between(0, 24) == 0) SetSetting(*form, "WertungDirektVergleich", Between(0, 1) == 0 ? "true" : "false");
            if (Between(0, 24) == 0) SetSetting(*form, "AWertung", Between(0, 1) == 0 ? "7" : "0");
            if (wholeTable) form->RankedStandings = {};
            if (form->RankedStandings.valid) ++played.byGroup;
            EnterResult(games[static_cast<size_t>(Between(0, static_cast<int>(games.size()) - 1))]);
            played.states.push_back(Seen());
            played.tableOrders.push_back(TableOrder());
        }
        EXPECT_THAT(host.unscripted, ::testing::IsEmpty());
        return played;
    }

    ConflictAnsweringHost host{Reversed};
    std::mt19937 rng;
    int largestGroup = 5;
    std::vector<std::string> knockOutIds;  // per group of round 2: its id when it is a knock-out game
    int lastId = 0;
};

TEST_F(StandingsRankingTest, RankingTheChangedGroupsShowsWhatRankingTheWholeTableShowed) {
    int results = 0, byGroup = 0, mixedDifferently = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        const Played whole = Play(seed, true);
        const Played changed = Play(seed, false);
        ASSERT_FALSE(HasFailure()) << "Turnier " << seed;
        ASSERT_EQ(whole.states.size(), changed.states.size()) << "Turnier " << seed;
        for (size_t i = 0; i < whole.states.size(); ++i) {
            ASSERT_EQ(whole.states[i], changed.states[i]) << "Turnier " << seed << ", Ergebnis " << i + 1;
            if (whole.tableOrders[i] != changed.tableOrders[i]) ++mixedDifferently;
        }
        results += static_cast<int>(whole.states.size());
        byGroup += changed.byGroup;
    }
    // Most results ranked by group, and the rows of different groups did end up mixed otherwise.
    EXPECT_GT(byGroup, results / 2) << byGroup << " von " << results;
    EXPECT_GT(mixedDifferently, 0);
}

// In groups of up to 16 a result moves rows far: ranking only the rows between the places the
// changed rows leave and take, where the totals alone decide, shows what ranking the whole
// table shows.
TEST_F(StandingsRankingTest, LargeGroupsRankedAroundTheChangedRowsShowWhatTheWholeTableShowed) {
    largestGroup = 16;
    for (unsigned seed = 101; seed <= 120; ++seed) {
        const Played whole = Play(seed, true);
        const Played changed = Play(seed, false);
        ASSERT_FALSE(HasFailure()) << "Turnier " << seed;
        ASSERT_EQ(whole.states.size(), changed.states.size()) << "Turnier " << seed;
        for (size_t i = 0; i < whole.states.size(); ++i)
            ASSERT_EQ(whole.states[i], changed.states[i]) << "Turnier " << seed << ", Ergebnis " << i + 1;
    }
}

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

#include "WindowInProgramFolder.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"

namespace {

const char* const kPlayers[] = {"Anna", "Bernd", "Clara", "Dieter", "Emma", "Frank", "Greta", "Hans",
                                "Ida",  "Jonas", "Karla", "Lukas",  "Mia",  "Nils",  "Olga",  "Paul"};

struct Totals {
    double won = 0, lost = 0, goals = 0, against = 0;
    int games = 0;
};

// A Swiss tournament of 16 as the wizard proposes it, over five rounds, with its results typed
// in round by round: what each round's table, the next round's pairs and the final placing must
// be, worked out from the games alone.
class SwissTournamentTest : public WindowInProgramFolder {
protected:
    void SetUp() override {
        WindowInProgramFolder::SetUp();
        std::string names;
        for (const char* player : kPlayers) names += std::string(player) + "\r\n";
        WriteProgramFile("spieler.txt", names);
    }

    // Commands of a session that ends without saving; the window and its tables stay.
    int Run(const std::string& commands) { return RunCommands(commands + "antwort nein\nende\n"); }

    std::string Name(int team) const { return ListGet(form->XATeamsTur, team); }
    const TSortGrid& Plan() const { return form->Spielplan; }

    // The players of each game of group g, the first side first.
    std::vector<std::pair<std::string, std::string>> Pairs(int g) const {
        std::vector<std::pair<std::string, std::string>> pairs;
        for (int r = 1; r < Plan().RowCount(); ++r)
            if (IntGet(Plan(), Spielplan_GrNr, r, true) == g)
                pairs.emplace_back(Name(IntGet(Plan(), Spielplan_T1, r, true)), Name(IntGet(Plan(), Spielplan_T2, r, true)));
        return pairs;
    }

    // Every game with a result so far, added up per player.
    std::map<std::string, Totals> SumOfGames() const {
        std::map<std::string, Totals> sums;
        for (int r = 1; r < Plan().RowCount(); ++r) {
            if (Get(Plan(), Spielplan_Sieger, r, true).empty()) continue;
            const double p = ToDouble(Get(Plan(), Spielplan_PPkt, r, true)), m = ToDouble(Get(Plan(), Spielplan_MPkt, r, true));
            const double s = ToDouble(Get(Plan(), Spielplan_PSatz, r, true)), ms = ToDouble(Get(Plan(), Spielplan_MSatz, r, true));
            Totals& a = sums[Name(IntGet(Plan(), Spielplan_T1, r, true))];
            Totals& b = sums[Name(IntGet(Plan(), Spielplan_T2, r, true))];
            a.won += p, a.lost += m, a.goals += s, a.against += ms, ++a.games;
            b.won += m, b.lost += p, b.goals += ms, b.against += s, ++b.games;
        }
        return sums;
    }

    // The table of group g: its players in ranking order with what the table says of them.
    std::vector<std::pair<std::string, Totals>> TableOf(int g) const {
        std::vector<std::pair<std::string, Totals>> table;
        const TSortGrid& platz = form->Platz;
        for (int r = 1; r < platz.RowCount(); ++r) {
            if (IntGet(platz, Platz_GrNr, r, true) != g) continue;
            Totals t{ToDouble(Get(platz, Platz_PPkt, r, true)), ToDouble(Get(platz, Platz_MPkt, r, true)),
                     ToDouble(Get(platz, Platz_PSatz, r, true)), ToDouble(Get(platz, Platz_MSatz, r, true)),
                     IntGet(platz, Platz_AnzSpiele, r, true)};
            table.emplace_back(Name(IntGet(platz, Platz_TeamNr, r, true)), t);
        }
        return table;
    }

    // Results of round r typed in as a scorer would, made up from the generator.
    std::string RoundResults(int round, std::mt19937& rng) const {
        std::string commands;
        for (int r = 1; r < Plan().RowCount(); ++r) {
            if (IntGet(Plan(), Spielplan_GrNr, r, true) != round) continue;
            const unsigned a = rng() % 4, b = rng() % 4;
            commands += "ergebnis " + Get(Plan(), Spielplan_SpNr, r, true) + " Tore1=" + IntToStr(static_cast<int>(a)) +
                        " Tore2=" + IntToStr(static_cast<int>(b)) + " übernehmen\n";
        }
        return commands;
    }
};

using Table = std::vector<std::pair<std::string, Totals>>;
using PairList = std::vector<std::pair<std::string, std::string>>;

// The higher placed of each pair takes the best placed player below him whom he has not met
// and who is not taken by a pair above: so players meet within their score group wherever the
// earlier rounds allow it.
void ExpectPairedDownTheTable(const Table& table, const PairList& pairs, const std::set<std::set<std::string>>& met) {
    std::map<std::string, size_t> place;
    for (size_t i = 0; i < table.size(); ++i) place[table[i].first] = i;
    std::map<std::string, size_t> partnerPlace;
    for (const auto& [a, b] : pairs) {
        partnerPlace[a] = place.at(b);
        partnerPlace[b] = place.at(a);
    }
    for (const auto& [x, y] : pairs) {
        const size_t upper = std::min(place.at(x), place.at(y)), lower = std::max(place.at(x), place.at(y));
        const std::string& first = table[upper].first;
        for (size_t c = upper + 1; c < lower; ++c) {
            const std::string& skipped = table[c].first;
            const bool metBefore = met.count({first, skipped}) > 0;
            const bool takenAbove = partnerPlace.at(skipped) < upper;
            EXPECT_TRUE(metBefore || takenAbove) << first << " (" << table[upper].second.won << " Punkte) spielt gegen "
                                                 << table[lower].first << " statt gegen " << skipped << " ("
                                                 << table[c].second.won << " Punkte)";
        }
    }
}

}  // namespace

TEST_F(SwissTournamentTest, EveryRoundRanksAndPairsByAllGamesSoFar) {
    ASSERT_EQ(Run("neu Name=Schnellschach Kürzel=SS Teilnehmer=16 \"System=Schweizer System\" Runden=5 ok\n"
                          "zuweisen-datei spieler.txt\nstart\n"),
              kExitOk)
        << output;
    std::mt19937 rng(16);
    std::set<std::set<std::string>> met;
    for (int round = 1; round <= 5; ++round) {
        SCOPED_TRACE("Runde " + IntToStr(round));
        for (const auto& [a, b] : Pairs(round)) {
            EXPECT_NE(a, b);
            EXPECT_TRUE(met.insert({a, b}).second) << a << " und " << b << " spielen ein zweites Mal";
        }
        ASSERT_EQ(Run(RoundResults(round, rng)), kExitOk) << output;
        const Table table = TableOf(round);
        const std::map<std::string, Totals> sums = SumOfGames();
        ASSERT_EQ(table.size(), 16u);
        for (size_t i = 0; i < table.size(); ++i) {
            const auto& [name, shown] = table[i];
            const Totals& sum = sums.at(name);
            EXPECT_EQ(shown.games, round) << name;
            EXPECT_EQ(shown.won, sum.won) << name;
            EXPECT_EQ(shown.lost, sum.lost) << name;
            EXPECT_EQ(shown.goals, sum.goals) << name;
            EXPECT_EQ(shown.against, sum.against) << name;
            if (i > 0) {
                EXPECT_GE(table[i - 1].second.won, shown.won) << name;
            }
        }
        if (round < 5) ExpectPairedDownTheTable(table, Pairs(round + 1), met);
    }
    // The final placing is the table of the last round.
    std::vector<std::string> placing, lastTable;
    for (const auto& [name, totals] : TableOf(5)) lastTable.push_back(name);
    std::map<int, std::string> byPlace;
    for (int r = 1; r < form->Teams.RowCount(); ++r)
        if (IntGet(form->Teams, Teams_Platz, r, true) > 0)
            byPlace[IntGet(form->Teams, Teams_Platz, r, true)] = Get(form->Teams, Teams_Name_Tur, r, true);
    for (const auto& [place, name] : byPlace) placing.push_back(name);
    EXPECT_EQ(placing, lastTable);
}

// Random valid forms: rounds of groups of 2 to 12 under every game system, later rounds made of
// places, winners and losers of the earlier ones. Whatever the form, the tournament built from it
// must be playable.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "RoundsFixture.h"
#include "dialogs/FormGenerators.h"
#include "engine/Turnierform.h"
#include "foundation/Accessors.h"
#include "foundation/ClockTime.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"

namespace {

class RandomForm {
public:
    explicit RandomForm(unsigned seed) : random_(seed) {}

    std::string Make() {
        FormText form;
        int teams = 0, games = 0;
        std::vector<std::pair<std::string, int>> earlier;  // groups of the rounds before
        const int rounds = Between(1, 4);
        for (int r = 1; r <= rounds; ++r) {
            std::vector<FormGroup> groups;
            const int count = Between(1, 4);
            for (int g = 0; g < count; ++g) {
                FormGroup group{"G" + IntToStr(++groupNumber_), "Gruppe", System(), {}};
                const int size = Between(2, 12);
                std::vector<std::string> pool;
                if (r == 1 || Between(0, 3) == 0)
                    for (int k = 0; k < size; ++k) pool.push_back("M" + IntToStr(++teams));
                for (const auto& [id, n] : earlier)
                    for (int i = 1; i <= n; ++i) pool.push_back(IntToStr(i) + "." + id);
                for (int game = 1; game <= games; ++game) {
                    pool.push_back("S" + IntToStr(game));
                    pool.push_back("V" + IntToStr(game));
                }
                std::shuffle(pool.begin(), pool.end(), random_);
                pool.resize(std::min<size_t>(pool.size(), static_cast<size_t>(size)));
                group.items = pool;
                groups.push_back(group);
            }
            const auto numbers = form.AddRound("Runde " + IntToStr(r), groups);
            for (size_t g = 0; g < groups.size(); ++g) {
                earlier.emplace_back(groups[g].id, static_cast<int>(groups[g].items.size()));
                games += static_cast<int>(numbers[g].size());
            }
        }
        return form.Text();
    }
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

private:
    std::string System() {
        switch (Between(0, 3)) {
            case 0: return "JGJ";
            case 1: return "JGJ2";
            case 2: return "SV";
            default: return "A" + IntToStr(Between(1, 15));
        }
    }
    std::mt19937 random_;
    int groupNumber_ = 0;
};

struct PlannedGame {
    int number, group, t1, t2;
    long long from, to;
    std::string referee;
};

std::vector<PlannedGame> Plan(const TMainForm& form) {
    std::vector<PlannedGame> games;
    const TSortGrid& plan = form.Spielplan;
    for (int row = 1; row < plan.RowCount(); ++row) {
        if (Get(plan, 0, row, true).empty()) continue;
        const long long day = IntGet(plan, Spielplan_Tag, row, true);
        const int start = TimeToMinutes(Get(plan, Spielplan_Von, row, true));
        int length = TimeToMinutes(Get(plan, Spielplan_Bis, row, true)) - start;
        if (length < 0) length += kMinutesPerDay;
        const long long from = day * kMinutesPerDay + start;
        games.push_back({IntGet(plan, Spielplan_SpNr, row, true), IntGet(plan, Spielplan_GrNr, row, true),
                         IntGet(plan, Spielplan_T1, row, true), IntGet(plan, Spielplan_T2, row, true), from,
                         from + length, Get(plan, Spielplan_Schir, row, true)});
    }
    return games;
}

bool AtTheSameTime(const PlannedGame& a, const PlannedGame& b) {
    return a.from == b.from || (a.from < b.to && b.from < a.to);
}

}  // namespace

class RoundsPropertyTest : public RoundsTest {};

TEST_F(RoundsPropertyTest, EveryRandomFormGivesAPlayableTournament) {
    for (unsigned seed = 1; seed <= 150; ++seed) {
        RandomForm random(seed);
        const std::string text = random.Make();
        FreshTournament();
        WizardSystem(random.Between(0, 4), 8);
        const int fields = random.Between(1, 4);
        form->Edit11.SetText(fields == 1 ? "1" : "1-" + IntToStr(fields));
        form->Edit12.SetText(IntToStr(random.Between(5, 40)));
        form->Edit13.SetText(IntToStr(random.Between(0, 10)));
        form->Edit10.SetText("22:" + IntToStr(random.Between(10, 59)));
        const int mode = random.Between(0, 4);
        form->RadioGroup1.SetItemIndex(mode);
        form->umNeutral2.SetText(IntToStr(random.Between(1, 3)));
        ASSERT_TRUE(buildTurnierform(*form, text + "!")) << "seed " << seed << ": " << text << " " << (ui.boxes.empty() ? "" : ui.boxes.back().text);

        const std::vector<PlannedGame> games = Plan(*form);
        const TSortGrid& teams = form->Teams;
        for (size_t i = 0; i < games.size(); ++i) {
            const PlannedGame& g = games[i];
            SCOPED_TRACE("seed " + std::to_string(seed) + " game " + std::to_string(g.number) + " " + text);
            ASSERT_EQ(g.number, static_cast<int>(i) + 1);
            ASSERT_NE(g.t1, g.t2);
            ASSERT_EQ(IntGet(teams, Teams_InGr, g.t1, true), g.group);
            ASSERT_EQ(IntGet(teams, Teams_InGr, g.t2, true), g.group);
            const bool teamReferee = mode == 0 || mode == 1;
            const int referee = teamReferee ? ToInt(g.referee) : 0;
            if (teamReferee && referee > 0) {
                ASSERT_NE(referee, g.t1);
                ASSERT_NE(referee, g.t2);
                if (mode == 0) {
                    ASSERT_EQ(IntGet(teams, Teams_InGr, referee, true), g.group);
                }
            }
            for (size_t j = i + 1; j < games.size(); ++j) {
                const PlannedGame& h = games[j];
                if (!AtTheSameTime(g, h)) continue;
                const std::set<int> players{g.t1, g.t2};
                ASSERT_FALSE(players.count(h.t1) || players.count(h.t2)) << "spielt zweimal zugleich: Spiel " << h.number;
                if (teamReferee && referee > 0) {
                    ASSERT_FALSE(referee == h.t1 || referee == h.t2) << "pfeift und spielt: Spiel " << h.number;
                }
                const bool counted = g.referee != "0" && g.referee != "N0" && !g.referee.empty();
                if (counted) {
                    ASSERT_NE(g.referee, h.referee) << "pfeift zweimal: Spiel " << h.number;
                }
            }
        }
    }
}

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "RoundsFixture.h"
#include "Simulation.h"
#include "dialogs/FormGenerators.h"
#include "engine/Turnierform.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"

using ::testing::IsEmpty;

namespace {

std::vector<FormRecord> Shipped() { return ReadFormRecords(std::string(MAROVELKA_DATA_DIR) + "/TurFormen.dat"); }

int WizardIndex(FormKind kind) {
    switch (kind) {
        case FormKind::Swiss: return 1;
        case FormKind::KnockOut: return 2;
        case FormKind::Pool: return 3;
        default: return 0;
    }
}

// Builds a form and checks the tournament it makes: games numbered 1..n, two different teams in
// every game, and a final placing that names every participant exactly once.
void ExpectCompleteTournament(TMainForm& form, int participants) {
    const TSortGrid& plan = form.Spielplan;
    for (int row = 1; row < plan.RowCount(); ++row) EXPECT_EQ(IntGet(plan, Spielplan_SpNr, row, true), row);
    Simulation simulation(form);
    std::vector<int> placing = simulation.Placing();
    EXPECT_THAT(simulation.Problems(), IsEmpty());
    std::sort(placing.begin(), placing.end());
    std::vector<int> everyone(static_cast<size_t>(participants));
    std::iota(everyone.begin(), everyone.end(), 1);
    EXPECT_EQ(placing, everyone);
}

}  // namespace

class CatalogueTest : public RoundsTest, public ::testing::WithParamInterface<FormRecord> {};

TEST_P(CatalogueTest, TheFormBuildsATournamentThatPlacesEveryParticipantOnce) {
    const FormRecord& record = GetParam();
    WizardSystem(WizardIndex(KindOfShortText(record.shortText)), record.count);
    form->Edit11.SetText("1-4");
    ASSERT_TRUE(buildTurnierform(*form, record.form + "!")) << record.shortText;
    EXPECT_EQ(form->AnzRunden, record.rounds);
    ExpectCompleteTournament(*form, record.count);
    EXPECT_THAT(Boxes(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Shipped, CatalogueTest, ::testing::ValuesIn(Shipped()),
                         [](const ::testing::TestParamInfo<FormRecord>& info) {
                             std::string name = "Form" + std::to_string(info.index) + "_" + std::to_string(info.param.count);
                             return name;
                         });

class GeneratedFormsTest : public RoundsTest, public ::testing::WithParamInterface<int> {};

TEST_P(GeneratedFormsTest, KnockOutSwissAndPoolFormsOfAnyCountAreComplete) {
    const int n = GetParam();
    const std::pair<int, std::string> forms[] = {{2, KnockOutForm(n)}, {1, SwissForm(n, std::min(n - 1, 5))}, {3, PoolForm(n)}};
    for (const auto& [system, text] : forms) {
        if (text.empty()) continue;
        FreshTournament();
        WizardSystem(system, n);
        ASSERT_TRUE(buildTurnierform(*form, text + "!")) << text;
        ExpectCompleteTournament(*form, n);
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, GeneratedFormsTest, ::testing::Values(2, 3, 5, 6, 7, 9, 12, 13, 24, 40, 100));

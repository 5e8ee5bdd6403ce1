// Playing a tournament of 256 participants through: 64 round-robin groups of four (384 games),
// then the 64 group winners in a knock-out (63 games) down to the final, whose winner and loser
// are the final placing. Each run makes up every result, writes the report and puts all tables
// back. The clash report of the same schedule is measured beside it.
#include <benchmark/benchmark.h>

#include <string>

#include "Vorrunde256.h"
#include "dialogs/FormGenerators.h"
#include "engine/Fehlermeldungen.h"
#include "engine/TurnierSpielen.h"
#include "engine/Turnierform.h"
#include "foundation/Texts.h"
#include "mainwindow/main.h"
#include "platform/Random.h"
#include "platform/UiHost.h"

namespace {

std::string Number(int n) { return std::to_string(n); }

std::string FormText256() {
    FormText form;
    form.AddRound("Vorrunde", Vorrunde256());
    FormGroup round{"K1", "Runde der 64", "SV", {}};
    for (int g = 1; g <= 32; ++g) round.items.insert(round.items.end(), {"1.G" + Number(g), "1.G" + Number(65 - g)});
    for (int r = 2;; ++r) {
        const std::vector<int> games = form.AddRound("K.-o.-Runde " + Number(r - 1), {round})[0];
        if (games.size() == 1) {
            form.SetPlacing({"S" + Number(games[0]), "V" + Number(games[0])});
            return form.Text();
        }
        round = FormGroup{"K" + Number(r), "K.-o.-Runde " + Number(r), "SV", {}};
        for (int game : games) round.items.push_back("S" + Number(game));
    }
}

class Tournament256 {
public:
    Tournament256() {
        SetUiHost(&ui_);
        form.FormCreate();
        form.AktTurNr = 1;
        for (TListBox* list : {&form.XAGruppBez, &form.XAGruppName, &form.XAFelder, &form.XARunden}) list->Items.Add("");
        form.XATeams.Items.Add(lngText(20));
        form.XATeamsTur.Items.Add(lngText(20));
        form.XZeitSpiele.SetChecked(true);
        form.Edit5.SetText("1");
        form.Edit10.SetText("09:00");
        form.Edit11.SetText("1-16");
        built = buildTurnierform(form, FormText256() + "!");
    }
    ~Tournament256() { SetUiHost(nullptr); }
    TForm1 form;
    bool built = false;

private:
    ScriptedUiHost ui_;
};

void PlayThrough256(benchmark::State& state) {
    Tournament256 t;
    if (!t.built) state.SkipWithError("form refused");
    prng::Seed(1);
    for (auto _ : state) doTurnierSpielen(t.form);
    if (t.form.RichEdit3.Lines.empty() || t.form.RichEdit3.Lines.back().text != lngText(37))
        state.SkipWithError("the play-through found an error");
    state.counters["Spiele"] = t.form.Spielplan.RowCount() - 1;
    state.counters["Berichtszeilen"] = static_cast<double>(t.form.RichEdit3.Lines.size());
}

void ClashReport256(benchmark::State& state) {
    Tournament256 t;
    if (!t.built) state.SkipWithError("form refused");
    for (auto _ : state) doFehlermeldungen(t.form);
    state.counters["Spiele"] = t.form.Spielplan.RowCount() - 1;
}

}  // namespace

BENCHMARK(PlayThrough256)->Unit(benchmark::kMillisecond);
BENCHMARK(ClashReport256)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

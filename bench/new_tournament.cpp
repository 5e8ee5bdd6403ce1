// A new tournament of 256 participants from its form text: 64 round-robin groups of four, then
// the 64 group winners in a knock-out in which every game is played out down to the last place
// (losers play on for the lower places), and a final placing of all 256. Items are games.
// Measured twice: the form built into an empty tournament, and the whole new-tournament command
// with the wizard choosing the form among the user's exported forms.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "dialogs/Dialogs.h"
#include "dialogs/FormGenerators.h"
#include "engine/NeuesTurnier.h"
#include "engine/RundeAnlegen.h"
#include "engine/Turnierform.h"
#include "foundation/Accessors.h"
#include "foundation/files/Dateihandling.h"
#include "mainwindow/main.h"
#include "platform/ProgramFolder.h"
#include "platform/UiHost.h"

namespace {

std::string Number(int n) { return std::to_string(n); }

// Every game of a knock-out round sends its winner and its loser on, into separate groups, until
// the groups are single games: their winners and losers are the places in order.
std::string FormText256() {
    FormText form;
    std::vector<FormGroup> pools;
    for (int g = 1; g <= 64; ++g) {
        FormGroup pool{"G" + Number(g), "Gruppe " + Number(g), "JGJ", {}};
        for (int k = 1; k <= 4; ++k) pool.items.push_back("M" + Number(4 * (g - 1) + k));
        pools.push_back(pool);
    }
    form.AddRound("Vorrunde", pools);
    FormGroup first{"P1", "Runde der 64", "SV", {}};
    for (int g = 1; g <= 32; ++g) first.items.insert(first.items.end(), {"1.G" + Number(g), "1.G" + Number(65 - g)});
    std::vector<FormGroup> round{first};
    int groupId = 1;
    for (int r = 2;; ++r) {
        const std::vector<std::vector<int>> games = form.AddRound("Platzierungsrunde " + Number(r - 1), round);
        if (round[0].items.size() == 2) {
            std::vector<std::string> placing;
            for (const auto& game : games)
                placing.insert(placing.end(), {"S" + Number(game[0]), "V" + Number(game[0])});
            for (int place = 2; place <= 4; ++place)
                for (int g = 1; g <= 64; ++g) placing.push_back(Number(place) + ".G" + Number(g));
            form.SetPlacing(placing);
            return form.Text();
        }
        std::vector<FormGroup> next;
        for (const auto& game : games) {
            FormGroup winners{"P" + Number(++groupId), "Platzierung", "SV", {}};
            FormGroup losers{"P" + Number(++groupId), "Platzierung", "SV", {}};
            for (int number : game) {
                winners.items.push_back("S" + Number(number));
                losers.items.push_back("V" + Number(number));
            }
            next.push_back(winners);
            next.push_back(losers);
        }
        round = next;
    }
}

void EmptyTournament(TForm1& f) {
    for (TSortGrid* table : {&f.Gruppe, &f.Teams, &f.Spielplan, &f.Platz, &f.Ein}) ClearGrid(*table);
    for (TListBox* list : {&f.XAGruppBez, &f.XAGruppName, &f.XATeams, &f.XATeamsTur, &f.XAFelder, &f.XARunden}) {
        list->Items.Clear();
        list->Items.Add("");
    }
    f.AktTurNr = 1;
    f.AnzRunden = 0;
    f.Edit5.SetText("1");
    f.Edit10.SetText("09:00");
    f.Edit11.SetText("1-16");
}

void NewTournament256(benchmark::State& state) {
    ScriptedUiHost ui;
    SetUiHost(&ui);
    TForm1 form;
    form.FormCreate();
    form.XZeitSpiele.SetChecked(true);
    const std::string text = FormText256() + "!";
    int games = 0;
    for (auto _ : state) {
        state.PauseTiming();
        EmptyTournament(form);
        state.ResumeTiming();
        if (!buildTurnierform(form, text)) state.SkipWithError("form refused");
        games = form.Spielplan.RowCount() - 1;
    }
    state.counters["Spiele"] = games;
    state.counters["Gruppen"] = form.Gruppe.RowCount() - 1;
    state.counters["Plaetze"] = form.TPlatz.RowCount() - 1;
    state.SetItemsProcessed(state.iterations() * games);
    SetUiHost(nullptr);
}

// A program folder of its own holding the pairing table file and the form as an exported one.
void ExportedFormFolder(const std::string& text) {
    namespace fs = std::filesystem;
    const std::string pairing = ProgramFile("Spklrs.dat");
    std::string pattern = (fs::temp_directory_path() / "bench-new-tournament-XXXXXX").string();
    const std::string folder = std::string(mkdtemp(pattern.data())) + "/";
    fs::copy_file(pairing, folder + "Spklrs.dat");
    setenv("MAROVELKA_HOME", folder.c_str(), 1);
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    Dateihandling file;
    file.Open(folder + "EigenForm.dat", "W", false);
    for (const std::string& line : FormFileLines({{256, "Grossturnier", text, "", 8}})) file.WriteLine(line);
    file.Close();
}

void NewTournament256FromTheWizard(benchmark::State& state) {
    ExportedFormFolder(FormText256());
    ScriptedUiHost ui;
    SetUiHost(&ui);
    TForm1 form;
    form.FormCreate();
    for (auto _ : state) {
        ui.QueueDialog({"Name=Grossturnier", "Teilnehmer=256", "System=Exportierte Turnierformen", "Felder=1-16",
                        "Startzeit=09:00", "ok"});
        if (newTurnier(form, true) != NeuesTurnierErgebnis::MitRunden) state.SkipWithError("not built");
    }
    state.counters["Spiele"] = form.Spielplan.RowCount() - 1;
    SetUiHost(nullptr);
}

}  // namespace

BENCHMARK(NewTournament256)->Unit(benchmark::kMillisecond);
BENCHMARK(NewTournament256FromTheWizard)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

// The shipped example day through the front end, as a user runs it: the script data/beispiel.skript
// (10 teams, two groups of five, semi-finals, final and a game for every place, 27 games) from the
// wizard to the exported results. Beside it the same day scaled to 64, 128 and 256 teams: groups
// of eight on a field for every 16 teams, the first two of each pair of groups crosswise into a
// knock-out down to the final and the game for third place, the lower places of each pair of
// groups playing each other (1056 games at 256 teams), with the play-through, every result typed
// in, the views, saving and export; and one typed result of that day on its own.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "dialogs/FormGenerators.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/files/Dateihandling.h"
#include "frontend/CommandTable.h"
#include "frontend/Session.h"
#include "mainwindow/main.h"
#include "platform/ProgramFolder.h"
#include "platform/UiHost.h"

namespace {

namespace fs = std::filesystem;

std::string Number(int n) { return std::to_string(n); }

std::vector<std::string> Teams(int first, int count) {
    std::vector<std::string> items;
    for (int k = first; k < first + count; ++k) items.push_back("M" + Number(k));
    return items;
}

// The example's form for more groups (an even number): groups of `size` play round robin; the
// first two of each pair of groups meet crosswise and the winners go on in a knock-out; the other
// places of a pair of groups play each other. Every place of the final placing is played for.
std::string ClubDayForm(int groups, int size) {
    FormText form;
    std::vector<FormGroup> pools;
    for (int g = 0; g < groups; ++g) pools.push_back({LetterId(g), "Gruppe " + LetterId(g), "JGJ", Teams(size * g + 1, size)});
    form.AddRound("Vorrunde", pools);
    std::vector<FormGroup> second{{"KO1", "Ueberkreuzspiel", "SV", {}}};
    for (int g = 0; g < groups; g += 2) {
        const std::string a = LetterId(g), b = LetterId(g + 1);
        second[0].items.insert(second[0].items.end(), {"1." + a, "2." + b, "1." + b, "2." + a});
    }
    for (int place = 3; place <= size; ++place) {
        FormGroup games{"PL" + Number(place), "Platzierungsspiele " + Number(place), "SV", {}};
        for (int g = 0; g < groups; g += 2)
            games.items.insert(games.items.end(), {Number(place) + "." + LetterId(g), Number(place) + "." + LetterId(g + 1)});
        second.push_back(games);
    }
    const std::vector<std::vector<int>> secondGames = form.AddRound("Zwischenrunde", second);
    std::vector<std::vector<int>> knockOut{secondGames[0]};  // game numbers of each knock-out round
    for (int r = 2; knockOut.back().size() > 2; ++r) {
        FormGroup round{"KO" + Number(r), "K.-o.-Runde " + Number(r), "SV", {}};
        for (int game : knockOut.back()) round.items.push_back("S" + Number(game));
        knockOut.push_back(form.AddRound("K.-o.-Runde " + Number(r), {round})[0]);
    }
    const std::vector<int>& semis = knockOut.back();
    const auto last = form.AddRound("Finale", {{"P3", "Spiel um Platz 3", "SV", {"V" + Number(semis[0]), "V" + Number(semis[1])}},
                                               {"FIN", "Finale", "SV", {"S" + Number(semis[0]), "S" + Number(semis[1])}}});
    std::vector<std::string> placing;
    for (int game : {last[1][0], last[0][0]}) placing.insert(placing.end(), {"S" + Number(game), "V" + Number(game)});
    for (auto round = knockOut.rbegin() + 1; round != knockOut.rend(); ++round)
        for (int game : *round) placing.push_back("V" + Number(game));
    for (size_t level = 1; level < secondGames.size(); ++level)
        for (int game : secondGames[level]) placing.insert(placing.end(), {"S" + Number(game), "V" + Number(game)});
    form.SetPlacing(placing);
    return form.Text();
}

// A program folder of its own with the shipped files, made the current folder as the program's
// start makes it.
std::string ProgramFolderWithShippedFiles(const char* name) {
    const std::string shipped = ProgramFolder();
    std::string pattern = (fs::temp_directory_path() / (std::string(name) + "-XXXXXX")).string();
    const std::string folder = std::string(mkdtemp(pattern.data())) + "/";
    for (const char* file : {"TurFormen.dat", "Spklrs.dat", "Vereine.txt", "beispiel.skript"})
        fs::copy_file(shipped + file, folder + file);
    setenv("MAROVELKA_HOME", folder.c_str(), 1);
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    fs::current_path(folder);
    return folder;
}

std::string FileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

struct DayEnd {
    int status = -1;
    int placed = 0;  // places of the final placing that have their team
};

// One run of the program on a script in a fresh window.
DayEnd RunDay(const CommandTable& commands, const std::string& script) {
    TForm1 form;
    form.FormCreate();
    std::istringstream in(script);
    std::ostream nowhere(nullptr);
    DayEnd end;
    {
        Session session(form, commands, in, nowhere, true);
        end.status = session.Run();
    }
    for (int row = 1; row < form.Teams.RowCount(); ++row)
        if (!form.Teams.Cells(Teams_Platz, row).empty() && !form.Teams.Cells(Teams_Name_Tur, row).empty()) ++end.placed;
    return end;
}

void Measure(benchmark::State& state, const CommandTable& commands, const std::string& script, int teams) {
    DayEnd end;
    for (auto _ : state) end = RunDay(commands, script);
    if (end.status != kExitOk || end.placed != teams) state.SkipWithError("the day did not end with every place filled");
}

void ExampleDay(benchmark::State& state) {
    const std::string folder = ProgramFolderWithShippedFiles("bench-beispiel");
    const std::string script = FileText(folder + "beispiel.skript");
    const CommandTable commands = ProgramCommands();
    Measure(state, commands, script, 10);
    state.counters["Spiele"] = 27;
}

// The scaled day up to the results: the wizard with the exported form, the names, the start.
std::string ScaledDaySetup(int teams) {
    return "neu Name=Grossturnier Kürzel=GT Teilnehmer=" + Number(teams) +
           " Sportart=Volleyball Startzeit=09:00 Rundenpause=10 Felder=1-" + Number(teams / 16) +
           " \"Schiedsrichter=Aus der Runde\" \"System=Exportierte Turnierformen\" ok\n"
           "zuweisen-datei Vereine" + Number(teams) + ".txt\nstart\n";
}

// The scaled day's results, one "ergebnis" line per game in the order of the plan. A group game
// is won by the team listed first in the name list, so that no two teams of a group end level;
// every later game by the first of its pair.
std::vector<std::string> ScaledDayResults(const CommandTable& commands, const std::string& setup) {
    TForm1 form;
    form.FormCreate();
    std::istringstream in(setup + "antwort nein\nende\n");
    std::ostringstream out;
    {
        Session session(form, commands, in, out, true);
        if (session.Run() != kExitOk) {
            std::fputs(out.str().c_str(), stderr);
            return {};
        }
    }
    std::vector<std::string> results;
    const TSortGrid& plan = form.Spielplan;
    for (int row = 1; row < plan.RowCount(); ++row) {
        const bool firstWins = IntGet(plan, Spielplan_RNr, row, true) > 1 ||
                               IntGet(plan, Spielplan_T1, row, true) < IntGet(plan, Spielplan_T2, row, true);
        results.push_back("ergebnis " + plan.Cells(Spielplan_SpNr, row) +
                          (firstWins ? " Sätze1=2 Sätze2=0 Bälle1=50 Bälle2=41" : " Sätze1=0 Sätze2=2 Bälle1=41 Bälle2=50") +
                          " übernehmen");
    }
    return results;
}

// The scaled day ready to run: the commands, the set-up and one result line per game.
struct ScaledDayScript {
    CommandTable commands;
    std::string setup;
    std::vector<std::string> results;
};

// The day of `teams` (a multiple of 16 from 32 to 256) in a program folder of its own: groups of
// eight, the form in the user's forms file, the clubs' names in "Vereine<teams>.txt".
ScaledDayScript PrepareScaledDay(int teams) {
    const std::string folder = ProgramFolderWithShippedFiles(("bench-beispiel-" + Number(teams)).c_str());
    Dateihandling forms;
    forms.Open(folder + "EigenForm.dat", "W", false);
    const std::string form = ClubDayForm(teams / 8, 8);
    for (const std::string& line : FormFileLines({{teams, "Vereinstag mit " + Number(teams) + " Mannschaften", form, "", 5}}))
        forms.WriteLine(line);
    forms.Close();
    std::ofstream names(folder + "Vereine" + Number(teams) + ".txt");
    for (int k = 1; k <= teams; ++k) names << "Verein " << k << "\n";
    names.close();
    ScaledDayScript day{ProgramCommands(), ScaledDaySetup(teams), {}};
    day.results = ScaledDayResults(day.commands, day.setup);
    return day;
}

// The whole day: set-up, play-through, every result typed in, the views, saving and export.
void ScaledDay(benchmark::State& state) {
    const int teams = static_cast<int>(state.range(0));
    const ScaledDayScript day = PrepareScaledDay(teams);
    if (day.results.empty()) return state.SkipWithError("the scaled tournament was not made");
    std::string script = day.setup + "durchspielen\n";
    for (const std::string& line : day.results) script += line + "\n";
    script +=
        "plan Sortiert nach Uhrzeit\ntabelle\nplan Endplatzierung\nspeichern-unter Grossturnier\n"
        "ergebnisse-exportieren\nende\n";
    Measure(state, day.commands, script, teams);
    state.counters["Spiele"] = static_cast<double>(day.results.size());
}

// One typed result of the scaled day, the results in the day's order: the standings, states,
// placeholders and both plans after each. When every game has its result, the day starts anew
// (not timed).
void OneTypedResult(benchmark::State& state) {
    const ScaledDayScript day = PrepareScaledDay(static_cast<int>(state.range(0)));
    if (day.results.empty()) return state.SkipWithError("the scaled tournament was not made");
    std::unique_ptr<TForm1> form;
    std::unique_ptr<Session> session;
    std::istringstream in;
    std::ostream nowhere(nullptr);
    size_t next = day.results.size();
    for (auto _ : state) {
        if (next == day.results.size()) {
            state.PauseTiming();
            session.reset();
            form = std::make_unique<TForm1>();
            form->FormCreate();
            session = std::make_unique<Session>(*form, day.commands, in, nowhere, true);
            std::istringstream lines(day.setup);
            for (std::string line; std::getline(lines, line);) session->Execute(line);
            next = 0;
            state.ResumeTiming();
        }
        if (!session->Execute(day.results[next++])) return state.SkipWithError("a result was not taken");
    }
}

}  // namespace

BENCHMARK(ExampleDay)->Unit(benchmark::kMillisecond);
BENCHMARK(ScaledDay)->Arg(64)->Arg(128)->Arg(256)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(OneTypedResult)->Arg(128)->Arg(256)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();

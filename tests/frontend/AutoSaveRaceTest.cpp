// Two and three programs, each in a program folder of its own, autosave one tournament file at
// once: each enters results of games of its own, and every command is a new minute of its clock,
// so that every result is followed by an autosave. Whatever the order in which their saves
// meet, none may overwrite another's save unasked: a program whose autosave succeeded (it said
// nothing) finds its results in the file at the end, and one that found the file changed says so.
//
// MAROVELKA_AUTOSAVE_RACE_RUNS=N repeats each case N times (for a long run by hand).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <vector>

#include "LightForm.h"
#include "ProgramProcess.h"
#include "TestEnvironment.h"
#include "foundation/Columns.h"
#include "foundation/files/TournamentFile.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kTold = "wird nicht automatisch überschrieben";
constexpr const char* kMinute = "Die Uhr zeigt ";

int CountOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

int Runs() {
    const char* runs = std::getenv("MAROVELKA_AUTOSAVE_RACE_RUNS");
    return runs && std::atoi(runs) > 0 ? std::atoi(runs) : 1;
}

class AutoSaveRaceTest : public ProgramTest {
protected:
    // The example day with its names, started, autosaving every minute: twenty group games
    // wait for their results. No program enters all of a group's games, so no group ends.
    void SetUp() override {
        ProgramTest::SetUp();
        const std::string maker = folder + "anlage/";
        fs::create_directories(maker);
        for (const char* file : {"TurFormen.dat", "Spklrs.dat", "Vereine.txt"})
            fs::copy_file(std::string(MAROVELKA_DATA_DIR) + "/" + file, maker + file);
        day = folder + "tag.tur";
        std::string shown;
        ASSERT_EQ(ProgramProcess::RunScript(
                      maker,
                      {"neu Name=Vereinsturnier Kürzel=VT Teilnehmer=10 Sportart=Volleyball Startzeit=09:00 "
                       "Felder=1-3 \"Turnierform=Zwei Gruppen zu 5 mit Halbfinale, Finale und Platzierungsspielen\" ok",
                       "zuweisen-datei Vereine.txt", "start", "optionen AutoSave=ja \"AutoSave Min=1\" ok",
                       "speichern-unter " + day, "ende"},
                      &shown),
                  0)
            << shown;
    }

    struct Program {
        std::vector<int> games;
        std::unique_ptr<ProgramProcess> process;
        std::string output;
        int status = -1;
    };

    // One race: the programs start together on a fresh copy of the day, program p entering the
    // games p + 1, p + 1 + count, ... with a minute after each.
    void Race(int count, int resultsEach, int run) {
        const std::string base = folder + "lauf" + std::to_string(run) + "_" + std::to_string(count) + "/";
        fs::create_directories(base);
        const std::string tur = base + "tag.tur";
        fs::copy_file(day, tur);
        std::vector<Program> programs(static_cast<size_t>(count));
        for (int p = 0; p < count; ++p) {
            Program& program = programs[static_cast<size_t>(p)];
            for (int k = 0; k < resultsEach; ++k) program.games.push_back(p + 1 + k * count);
            program.process = std::make_unique<ProgramProcess>(base + "p" + std::to_string(p) + "/", false,
                                                               std::vector<std::string>{tur});
            ASSERT_TRUE(program.process->Started());
        }
        for (Program& program : programs) {
            for (int game : program.games) {
                program.process->Send("ergebnis " + std::to_string(game) +
                                      " Sätze1=2 Sätze2=0 Bälle1=50 Bälle2=40 übernehmen");
                program.process->Send("testuhr 1");
            }
            program.process->Send("ende");
        }
        for (Program& program : programs) {
            program.status = program.process->ExitStatus();
            program.output = program.process->Output();
        }
        const std::vector<std::string> winners = WinnersInFile(tur);
        ASSERT_FALSE(winners.empty()) << "the file does not load";
        int lost = 0;
        for (const Program& program : programs) lost += Check(program, winners);
        runs += 1;
        runsWithLoss += lost > 0;
        lostResults += lost;
    }

    // The program's results up to its last silent autosave are in the file; from the autosave
    // that found the file changed on, it says so once, and the end asks about the rest. The
    // results saved without a word and gone from the file.
    int Check(const Program& program, const std::vector<std::string>& winners) {
        const std::string& shown = program.output;
        EXPECT_EQ(shown.find("Fehler:"), std::string::npos) << shown;
        EXPECT_EQ(CountOf(shown, kMinute), static_cast<int>(program.games.size())) << "every minute passed\n" << shown;
        size_t saved = 0;
        for (size_t at = shown.find(kMinute); at != std::string::npos && saved < program.games.size();
             at = shown.find(kMinute, at + 1)) {
            const size_t next = shown.find(kMinute, at + 1);
            if (shown.substr(at, next == std::string::npos ? std::string::npos : next - at).find(kTold) !=
                std::string::npos)
                break;
            ++saved;
        }
        const bool wasTold = saved < program.games.size();
        EXPECT_EQ(program.status, wasTold ? 2 : 0) << shown;
        told += wasTold;
        int lost = 0;
        for (size_t k = 0; k < saved; ++k) {
            const size_t game = static_cast<size_t>(program.games[k]);
            if (game >= winners.size() || winners[game].empty()) {
                ++lost;
                if (firstLoss.empty()) firstLoss = "game " + std::to_string(game) + " saved without a word:\n" + shown;
            }
        }
        return lost;
    }

    void RaceAgainAndAgain(int count, int resultsEach) {
        for (int run = 0; run < Runs(); ++run) Race(count, resultsEach, run);
        EXPECT_EQ(runsWithLoss, 0) << lostResults << " results lost in " << runsWithLoss << " of " << runs
                                   << " runs; the first:\n"
                                   << firstLoss;
        // For a long run by hand: how often the programs met.
        if (Runs() > 1)
            std::cout << runs << " runs of " << count << " programs: " << told
                      << " programs found the file changed by another and said so, " << lostResults
                      << " results saved without a word were lost, in " << runsWithLoss << " runs\n";
    }

    // The winner of every game in the file, by game number (index 0 unused); empty when the
    // file does not load.
    static std::vector<std::string> WinnersInFile(const std::string& tur) {
        LightForm reader;
        reader.AnzTurniere = 1;
        if (!LoadFileToMaster(reader, tur, 1, nullptr)) return {};
        std::vector<std::string> winners(1);
        for (int r = 1; r < reader.XMasterGrid.RowCount(); ++r) {
            if (reader.XMasterGrid.Cells(1, r) != "4") continue;
            const size_t game = static_cast<size_t>(std::stoi(reader.XMasterGrid.Cells(Spielplan_SpNr, r)));
            if (winners.size() <= game) winners.resize(game + 1);
            winners[game] = reader.XMasterGrid.Cells(Spielplan_Sieger, r);
        }
        return winners;
    }

    std::string day;
    int runs = 0, runsWithLoss = 0, lostResults = 0, told = 0;
    std::string firstLoss;
};

}  // namespace

TEST_F(AutoSaveRaceTest, TwoProgramsNeverOverwriteEachOthersSavesUnasked) { RaceAgainAndAgain(2, 6); }

TEST_F(AutoSaveRaceTest, ThreeProgramsNeverOverwriteEachOthersSavesUnasked) { RaceAgainAndAgain(3, 5); }

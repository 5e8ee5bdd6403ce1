#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <thread>

#include "LightForm.h"
#include "TestEnvironment.h"
#include "TurnierBuilder.h"
#include "foundation/files/TournamentFile.h"

using namespace turnier_builder;

namespace {

// Two contents of one tournament that a torn file could not pass for.
void FillVersion(TMainForm& f, int version) {
    ClearTables(f);
    AddRow(f, TabelleTurnier, {"", "Stadtpokal " + IntToStr(version), "pokal.tur", "", "8"});
    // The group and the participants the games name, as a file must have them to load.
    AddRow(f, TabelleGruppe, {"1", "", "1", "A", "Gruppe A", "M1;M2", "1-4"});
    for (int t = 1; t <= 2; ++t) AddRow(f, TabelleTeams, {IntToStr(t), "", "", "", "Team " + IntToStr(t), "", "", "", "1"});
    for (int g = 1; g <= 400 + version; ++g)
        AddRow(f, TabelleSpielplan, {IntToStr(g), "", IntToStr(g), "1", "1", IntToStr(g % 4), "10:00", "10:20",
                                     IntToStr(version), "2", "", "", "", "", IntToStr(g % 7)});
}

std::vector<Row> RowsOfVersion(const std::string& path, int version) {
    LightForm f;
    f.AktTurNr = f.AnzTurniere = 1;
    FillVersion(f, version);
    Put(f.Turnier, Turnier_DateiNameS, 1, path, true);
    AppendTurToMaster(f);
    std::vector<Row> rows;
    for (int r = 1; r < f.XMasterGrid.RowCount(); ++r) rows.push_back(CellsOf(f.XMasterGrid, r));
    return rows;
}

std::vector<Row> RowsOnDisk(const std::string& path) {
    LightForm f;
    f.AnzTurniere = 1;
    if (!LoadFileToMaster(f, path, 1, nullptr)) return {};
    // What the file holds: the identity of the file is the reader's note, not its content.
    f.XMasterGrid.SetCells(Turnier_DateiStand, 1, "");
    std::vector<Row> rows;
    for (int r = 1; r < f.XMasterGrid.RowCount(); ++r) rows.push_back(CellsOf(f.XMasterGrid, r));
    return rows;
}

// Saves the two versions in turn until it is killed.
[[noreturn]] void SaveForever(const std::string& path) {
    LightForm f;
    f.AktTurNr = f.AnzTurniere = 1;
    for (int version = 0;; version = 1 - version) {
        FillVersion(f, version);
        Put(f.Turnier, Turnier_DateiNameS, 1, path, true);
        saveTurnier(f, false, false, false);
    }
}

int Kills() {
    const char* wanted = std::getenv("MAROVELKA_CRASH_KILLS");
    return wanted ? std::max(1, std::atoi(wanted)) : 200;
}

}  // namespace

class CrashSafetyTest : public ProgramTest {};

// A save killed at any moment leaves the complete old or the complete new file, and the
// temporary files of killed saves do not pile up.
TEST_F(CrashSafetyTest, KilledWhileSavingLeavesTheOldOrTheNewFileWhole) {
    const std::string path = folder + "pokal.tur";
    const std::vector<Row> versions[] = {RowsOfVersion(path, 0), RowsOfVersion(path, 1)};
    {
        LightForm f;
        f.AktTurNr = f.AnzTurniere = 1;
        FillVersion(f, 0);
        Put(f.Turnier, Turnier_DateiNameS, 1, path, true);
        ASSERT_TRUE(saveTurnier(f, false, false, false));
    }
    std::mt19937 random(20261206);
    int torn = 0, leftovers = 0;
    for (int kill = 0; kill < Kills(); ++kill) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) SaveForever(path);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 30000));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        const std::vector<Row> onDisk = RowsOnDisk(path);
        if (onDisk != versions[0] && onDisk != versions[1]) ++torn;
        // The save lock's file, which a killed save leaves, has one name and is no temporary file.
        int temporary = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.is_regular_file() && entry.path().filename() != "pokal.tur" &&
                entry.path().filename() != "pokal.tur.sperre" && entry.path().extension() != ".log")
                ++temporary;
        leftovers = std::max(leftovers, temporary);
    }
    EXPECT_EQ(torn, 0) << "files that were neither the old nor the new version";
    EXPECT_LE(leftovers, 1) << "temporary files piling up";
    // The next save takes over what the killed ones left and removes it.
    LightForm f;
    f.AktTurNr = f.AnzTurniere = 1;
    FillVersion(f, 0);
    Put(f.Turnier, Turnier_DateiNameS, 1, path, true);
    ASSERT_TRUE(saveTurnier(f, false, false, false));
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        EXPECT_TRUE(!entry.is_regular_file() || entry.path().filename() == "pokal.tur" || entry.path().extension() == ".log")
            << entry.path().string();
    EXPECT_TRUE(ui.boxes.empty()) << ui.boxes.front().text;
}

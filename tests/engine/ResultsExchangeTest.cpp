#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "../platform/RefusingFileOperations.h"
#include "LightForm.h"
#include "ScrambledFiles.h"
#include "TestEnvironment.h"
#include "TurnierBuilder.h"
#include "dialogs/Dialogs.h"
#include "engine/Konflikt.h"
#include "engine/ResultsExchange.h"
#include "engine/SpielplanKlick.h"
#include "engine/TurnierStart.h"
#include "engine/TurnierWechsel.h"
#include "foundation/Platzgrid.h"
#include "foundation/files/ResultsExchangeFile.h"
#include "foundation/files/TournamentFile.h"

using namespace turnier_builder;
using namespace scrambled_files;

namespace {

class ResultsExchangeTest : public ProgramTest {
protected:
    LightForm form;

    std::string Path(const std::string& name) const { return folder + name; }
    void LoadGolden() {
        std::filesystem::copy_file(GoldenPath("stadtpokal.tur"), Path("stadtpokal.tur"));
        form.ShowLoadDialog = false;
        form.OpenDialog1.Files.Clear();
        form.OpenDialog1.Files.Add(Path("stadtpokal.tur"));
        ASSERT_EQ(turniereLaden(form), 1);
    }
    std::string LastBox() const { return ui.boxes.empty() ? "" : ui.boxes.back().text; }
};

}  // namespace

TEST_F(ResultsExchangeTest, ExportOfTheGoldenTournamentIsTheGoldenExchangeFile) {
    LoadGolden();
    ASSERT_TRUE(ergebnisseExportieren(form));
    EXPECT_EQ(LastBox(), "Ergebnisse exportiert als:\r\n\r\n" + Path("stadtpokal.exp") +
                             "\r\n\r\nImportieren Sie diese Datei in einem zweiten Marovelkandis");
    EXPECT_EQ(FirstDifference(ReadProgramFile("stadtpokal.exp"), ReadBytes(GoldenPath("stadtpokal.exp")), "\n", -1), "");
}

TEST_F(ResultsExchangeTest, ExportingAgainReplacesTheEarlierFile) {
    LoadGolden();
    ASSERT_TRUE(ergebnisseExportieren(form));
    Put(form.Spielplan, Spielplan_PPkt, 3, "4", true);
    ASSERT_TRUE(ergebnisseExportieren(form));
    EXPECT_EQ(ReadExchangeFile(Path("stadtpokal.exp"))->blocks.size(), 3u);
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        EXPECT_NE(entry.path().extension(), ".tmp");
}

TEST_F(ResultsExchangeTest, NeverSavedTournamentExportsIntoTheHomeFolderAndSaysSo) {
    setenv("HOME", (folder + "heim").c_str(), 1);
    std::filesystem::create_directories(folder + "heim");
    OpenTurnier(form, "Stadtpokal", "SP");
    AddSmallStructure(form, "A", "1");
    ASSERT_TRUE(ergebnisseExportieren(form));
    const std::string target = folder + "heim/Turnier.exp";
    EXPECT_THAT(LastBox(), ::testing::HasSubstr(target));
    const auto content = ReadExchangeFile(target);
    ASSERT_TRUE(content);
    EXPECT_EQ(content->fileName, "");
    EXPECT_TRUE(content->blocks.empty());
}

TEST_F(ResultsExchangeTest, FailedExportWarnsAndKeepsTheEarlierFile) {
    LoadGolden();
    ASSERT_TRUE(ergebnisseExportieren(form));
    const std::string earlier = ReadProgramFile("stadtpokal.exp");
    Put(form.Spielplan, Spielplan_PPkt, 3, "4", true);
    {
        FileSizeLimit limit(200);
        if (!limit.Active()) GTEST_SKIP() << "no file size limit";
        EXPECT_FALSE(ergebnisseExportieren(form));
    }
    EXPECT_EQ(LastBox(),
              "Die Ergebnisse konnten nicht exportiert werden: die Datei würde zu groß werden\r\n\r\n" + Path("stadtpokal.exp"));
    EXPECT_EQ(ui.boxes.back().kind, TMsgKind::Error);
    EXPECT_EQ(ReadProgramFile("stadtpokal.exp"), earlier);
    EXPECT_FALSE(ergebnisseExportieren(form, folder + "fehlt/pokal.exp"));
    EXPECT_EQ(LastBox(), "Die Ergebnisse konnten nicht exportiert werden: der Ordner " + folder + "fehlt fehlt\r\n\r\n" +
                             folder + "fehlt/pokal.exp");
}

// --- import ---

namespace {

// A second place running the same tournament: the empty copy of the golden tournament, saved
// under the same file name in a folder of its own and loaded there.
class ImportTest : public ResultsExchangeTest {
protected:
    LightForm second;

    void SetUp() override {
        ResultsExchangeTest::SetUp();
        LoadGolden();
        std::filesystem::create_directories(Path("zweiter"));
        ui.QueueFile(Path("zweiter/stadtpokal.tur"));
        ASSERT_TRUE(saveTurnier(form, false, true, true));
        second.ShowLoadDialog = false;
        second.OpenDialog1.Files.Add(Path("zweiter/stadtpokal.tur"));
        ASSERT_EQ(turniereLaden(second), 1);
        StartWithTheSlotNames(second);
    }
    // The empty copy has no names assigned: the place starts it as the first one did, each slot
    // getting the team its placeholder names.
    // Another place with its own copy of the empty tournament, loaded.
    void LoadEmptyCopyAt(LightForm& f, const std::string& place) {
        f.ShowLoadDialog = false;
        std::filesystem::create_directories(Path(place));
        std::filesystem::copy_file(Path("zweiter/stadtpokal.tur"), Path(place + "/stadtpokal.tur"));
        f.OpenDialog1.Files.Add(Path(place + "/stadtpokal.tur"));
        ASSERT_EQ(turniereLaden(f), 1);
    }
    static void StartWithTheSlotNames(TMainForm& f) {
        setupEndPlatzierung(f);
        for (int row = 1; row < f.Xplatzgrid.RowCount(); ++row)
            f.Xplatzgrid.SetCells(Platzgrid_Mannschaft, row, f.Xplatzgrid.Cells(Platzgrid_Platzhalter, row));
        checkStartTur(f);
    }
    std::vector<Row> Rows(const TSortGrid& grid) const {
        std::vector<Row> rows;
        for (int r = 1; r < grid.RowCount(); ++r) rows.push_back(CellsOf(grid, r));
        return rows;
    }
    static constexpr int kResultColumns[] = {Spielplan_PPkt, Spielplan_MPkt, Spielplan_PSatz, Spielplan_MSatz,
                                             Spielplan_PBall, Spielplan_MBall, Spielplan_SatzErg, Spielplan_Sieger};
    void EnterResult(TMainForm& f, int game, const std::string& plus, const std::string& minus,
                     const std::string& winner) {
        Put(f.Spielplan, Spielplan_PPkt, game, plus, true);
        Put(f.Spielplan, Spielplan_MPkt, game, minus, true);
        Put(f.Spielplan, Spielplan_Sieger, game, winner, true);
        doSpielplanKlick(f, nullptr, game, false, true);
    }
};

}  // namespace

TEST_F(ImportTest, ResultsTakenAtTheSecondPlaceGiveTheSameStandings) {
    // The first place plays its games on an empty copy too, so both compute their standings.
    LightForm first;
    LoadEmptyCopyAt(first, "erster");
    StartWithTheSlotNames(first);
    EnterResult(first, 1, "3", "1", "1");
    EnterResult(first, 3, "0", "2", "3");
    ASSERT_TRUE(ergebnisseExportieren(first));
    EXPECT_EQ(ergebnisseImportieren(second, Path("erster/stadtpokal.exp")), 2);
    EXPECT_EQ(Rows(second.Platz), Rows(first.Platz));
    EXPECT_EQ(Rows(second.Gruppe), Rows(first.Gruppe));
    for (int game = 1; game <= 3; ++game)
        for (int column : kResultColumns)
            EXPECT_EQ(second.Spielplan.Cells(column, game), first.Spielplan.Cells(column, game)) << game;
    EXPECT_EQ(second.Turnier.Cells(Turnier_Changes, 1), "true");
    // The same file again finds every game decided.
    const auto standings = Rows(second.Platz);
    EXPECT_EQ(ergebnisseImportieren(second, Path("erster/stadtpokal.exp")), 0);
    EXPECT_EQ(Rows(second.Platz), standings);
}

TEST_F(ImportTest, ResultsHereAndGamesOfOtherParticipantsAreLeftAlone) {
    EnterResult(second, 1, "0", "5", "2");
    Put(second.Spielplan, Spielplan_T1, 2, "3", true);
    Put(second.Spielplan, Spielplan_T2, 2, "1", true);
    EXPECT_EQ(ergebnisseImportieren(second, GoldenPath("stadtpokal.exp")), 0);
    EXPECT_EQ(second.Spielplan.Cells(Spielplan_MPkt, 1), "5");
    EXPECT_EQ(second.Spielplan.Cells(Spielplan_PPkt, 2), "");
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(ImportTest, FileOfAnotherTournamentOrNoExchangeFileIsRefused) {
    std::filesystem::copy_file(GoldenPath("stadtpokal.exp"), Path("zweiter/fremd.exp"));
    Put(second.Turnier, Turnier_DateiName, 1, "anders.tur", true);
    EXPECT_EQ(ergebnisseImportieren(second, Path("zweiter/fremd.exp")), std::nullopt);
    EXPECT_EQ(LastBox(), "Die Datei gehört nicht zu dem aktuell geladenen Turnier\r\n\r\nImportdatei: " +
                             Path("zweiter/fremd.exp"));
    EXPECT_EQ(ui.boxes.back().kind, TMsgKind::Information);
    EXPECT_EQ(ergebnisseImportieren(second, GoldenPath("stadtpokal.tur")), std::nullopt);
    EXPECT_EQ(LastBox(), "Datei ist keine exportierte Turnierdatei");
    EXPECT_EQ(second.Spielplan.Cells(Spielplan_PPkt, 1), "");
    EXPECT_NE(second.Turnier.Cells(Turnier_Changes, 1), "true");
}

TEST_F(ImportTest, FileThatCannotBeOpenedIsNamedWithTheReason) {
    EXPECT_EQ(ergebnisseImportieren(second, Path("fehlt.exp")), std::nullopt);
    EXPECT_EQ(LastBox(), "Die Datei " + Path("fehlt.exp") + " gibt es nicht");
    EXPECT_EQ(ui.boxes.back().kind, TMsgKind::Warning);
    EXPECT_EQ(ergebnisseImportieren(second, Path("zweiter")), std::nullopt);
    EXPECT_EQ(LastBox(), Path("zweiter") + " ist ein Ordner und keine Datei");
    std::filesystem::copy_file(GoldenPath("stadtpokal.exp"), Path("zweiter/gesperrt.exp"));
    RefusingFileOperations noRights;
    noRights.unreadableFile = Path("zweiter/gesperrt.exp");
    ScopedFileOperations scope(noRights);
    EXPECT_EQ(ergebnisseImportieren(second, Path("zweiter/gesperrt.exp")), std::nullopt);
    EXPECT_EQ(LastBox(), "Die Datei " + Path("zweiter/gesperrt.exp") + " kann nicht geöffnet werden: keine Berechtigung");
    EXPECT_EQ(second.Spielplan.Cells(Spielplan_Sieger, 1), "");
}

// How a tie was settled is not in the file: the import brings the conflict dialog up again, and
// only the same order puts the later results where the exporting copy has them.
TEST_F(ImportTest, TieTheImportCompletesGoesToTheConflictDialogMarkedAsImported) {
    LightForm first;
    LoadEmptyCopyAt(first, "erster");
    StartWithTheSlotNames(first);
    ui.QueueDialog({"Reihenfolge=3,1,2", "ok"});
    for (int game = 1; game <= 3; ++game) EnterResult(first, game, "1", "1", "0");
    ASSERT_TRUE(ergebnisseExportieren(first));
    ui.QueueDialog({"Reihenfolge=3,1,2", "ok"});
    EXPECT_EQ(ergebnisseImportieren(second, Path("erster/stadtpokal.exp")), 3);
    EXPECT_TRUE(DialogsOf(second).frmKonflikt.Importiert);
    EXPECT_EQ(Rows(second.Platz), Rows(first.Platz));
    // Settled again here later, the tie is no import's.
    ui.QueueDialog({"ok"});
    EXPECT_TRUE(konfliktLoesen(second, 1));
    EXPECT_FALSE(DialogsOf(second).frmKonflikt.Importiert);
    EXPECT_EQ(ui.PendingAnswers(), 0u);
}

// A file cut short, or damaged in the middle, would otherwise be taken up to the damage: this copy
// would hold some results of the other and not the rest, and say the import failed.
TEST_F(ImportTest, DamagedFileIsTakenByNobodyNotEvenInPart) {
    const auto lines = SplitLines(ReadBytes(GoldenPath("stadtpokal.exp")), "\n");
    const auto writeFirst = [&](const std::string& name, size_t count) {
        std::string cut;
        for (size_t i = 0; i < count; ++i) cut += lines[i] + "\n";
        WriteBytes(Path("zweiter/" + name), cut);
    };
    writeFirst("kurz.exp", 5 + 11 + 7);
    writeFirst("ohne_ende.exp", lines.size() - 1);
    for (const auto& [name, damage] :
         {std::pair<std::string, std::string>{"kurz.exp", "ist unvollständig: der Block von Spiel 2 bricht nach 7 von 11 Zeilen ab"},
          {"ohne_ende.exp", "ist unvollständig: die Endzeile „<ENDE>“ fehlt"}}) {
        EXPECT_EQ(ergebnisseImportieren(second, Path("zweiter/" + name)), std::nullopt) << name;
        EXPECT_EQ(LastBox(), "Die Datei " + Path("zweiter/" + name) + " " + damage + ". Es wurde kein Ergebnis übernommen.");
        EXPECT_EQ(ui.boxes.back().kind, TMsgKind::Warning);
        EXPECT_EQ(second.Spielplan.Cells(Spielplan_Sieger, 1), "") << name << ": the whole first block was there";
        EXPECT_NE(second.Turnier.Cells(Turnier_Changes, 1), "true");
    }
    // The whole file is taken as before.
    EXPECT_EQ(ergebnisseImportieren(second, GoldenPath("stadtpokal.exp")), 2);
}

TEST_F(ImportTest, BeforeTheStartNothingIsTakenAndTheUserIsToldWhy) {
    // Results taken before the slots have names would decide later groups for nobody: their
    // placeholders would stay without names for good.
    LightForm notStarted;
    LoadEmptyCopyAt(notStarted, "dritter");
    EXPECT_EQ(ergebnisseImportieren(notStarted, GoldenPath("stadtpokal.exp")), 0);
    EXPECT_EQ(LastBox(), "2 Ergebnisse wurden nicht übernommen: die Gruppe nimmt hier noch keine Ergebnisse an, "
                         "weil das Turnier nicht begonnen hat oder ihre Teilnehmer noch nicht feststehen. Bitte "
                         "erst allen Plätzen ihre Namen zuweisen und dann noch einmal importieren.");
    EXPECT_EQ(ui.boxes.back().kind, TMsgKind::Warning);
    EXPECT_EQ(notStarted.Spielplan.Cells(Spielplan_Sieger, 1), "");
    EXPECT_NE(notStarted.Turnier.Cells(Turnier_Changes, 1), "true");
    // Started, the same file is taken in full.
    StartWithTheSlotNames(notStarted);
    EXPECT_EQ(ergebnisseImportieren(notStarted, GoldenPath("stadtpokal.exp")), 2);
}

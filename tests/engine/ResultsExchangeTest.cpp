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
#include "dialogs/ResultChecks.h"
#include "foundation/Platzgrid.h"
#include "foundation/TeilnehmerName.h"
#include "foundation/files/ResultsExchangeFile.h"
#include "foundation/files/TournamentFile.h"

using namespace turnier_builder;
using namespace scrambled_files;

namespace {

// The number of results an import took; none when it refused its file.
std::optional<int> Taken(const std::optional<ErgebnisImport>& done) {
    return done ? std::optional<int>(done->taken) : std::nullopt;
}

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
    // Up to its end line the file is as older versions write it, and their readers stop there;
    // after it come the names of each game's participants.
    const std::vector<std::string> lines = SplitLines(ReadProgramFile("stadtpokal.exp"), "\n");
    const std::string golden = ReadBytes(GoldenPath("stadtpokal.exp"));
    const size_t goldenLines = SplitLines(golden, "\n").size();
    ASSERT_EQ(lines.size(), goldenLines + 2 + 2 * 3);
    std::string head;
    for (size_t i = 0; i < goldenLines; ++i) head += lines[i] + "\n";
    EXPECT_EQ(FirstDifference(head, golden, "\n", -1), "");
    EXPECT_EQ(ReadExchangeFile(Path("stadtpokal.exp"))->participants,
              (std::vector<ParticipantNames>{{"Adler", "Bären Süd"}, {"Adler", "Crew É"}}));
}

TEST_F(ResultsExchangeTest, ExportingAgainReplacesTheEarlierFile) {
    LoadGolden();
    ASSERT_TRUE(ergebnisseExportieren(form));
    Put(form.Spielplan, Spielplan_PPkt, 3, "4", true);
    Put(form.Spielplan, Spielplan_Sieger, 3, Get(form.Spielplan, Spielplan_T1, 3, true), true);
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
    struct Result {
        int game;
        std::string plus, minus, winner;
    };
    // The first place plays these games on an empty copy of its own and exports them.
    void PlayAtTheFirstPlace(LightForm& first, const std::vector<Result>& results) {
        LoadEmptyCopyAt(first, "erster");
        StartWithTheSlotNames(first);
        for (const Result& r : results) EnterResult(first, r.game, r.plus, r.minus, r.winner);
        ASSERT_TRUE(ergebnisseExportieren(first));
    }
};

}  // namespace

TEST_F(ImportTest, ResultsTakenAtTheSecondPlaceGiveTheSameStandings) {
    // The first place plays its games on an empty copy too, so both compute their standings.
    LightForm first;
    PlayAtTheFirstPlace(first, {{1, "3", "1", "1"}, {3, "0", "2", "3"}});
    EXPECT_EQ(Taken(ergebnisseImportieren(second, Path("erster/stadtpokal.exp"))), 2);
    EXPECT_EQ(Rows(second.Platz), Rows(first.Platz));
    EXPECT_EQ(Rows(second.Gruppe), Rows(first.Gruppe));
    for (int game = 1; game <= 3; ++game)
        for (int column : kResultColumns)
            EXPECT_EQ(second.Spielplan.Cells(column, game), first.Spielplan.Cells(column, game)) << game;
    EXPECT_EQ(second.Turnier.Cells(Turnier_Changes, 1), "true");
    // The same file again finds every game decided.
    const auto standings = Rows(second.Platz);
    EXPECT_EQ(Taken(ergebnisseImportieren(second, Path("erster/stadtpokal.exp"))), 0);
    EXPECT_EQ(Rows(second.Platz), standings);
}

TEST_F(ImportTest, ResultsHereAndGamesOfOtherParticipantsAreLeftAlone) {
    EnterResult(second, 1, "0", "5", "2");
    Put(second.Spielplan, Spielplan_T1, 2, "3", true);
    Put(second.Spielplan, Spielplan_T2, 2, "1", true);
    EXPECT_EQ(Taken(ergebnisseImportieren(second, GoldenPath("stadtpokal.exp"))), 0);
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
    EXPECT_EQ(Taken(ergebnisseImportieren(second, Path("erster/stadtpokal.exp"))), 3);
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
    EXPECT_EQ(Taken(ergebnisseImportieren(second, GoldenPath("stadtpokal.exp"))), 2);
}

TEST_F(ImportTest, BeforeTheStartNothingIsTakenAndTheUserIsToldWhy) {
    // Results taken before the slots have names would decide later groups for nobody: their
    // placeholders would stay without names for good.
    LightForm notStarted;
    LoadEmptyCopyAt(notStarted, "dritter");
    EXPECT_EQ(Taken(ergebnisseImportieren(notStarted, GoldenPath("stadtpokal.exp"))), 0);
    EXPECT_EQ(LastBox(), "2 Ergebnisse wurden nicht übernommen.\r\n"
                         "Spiel 1: die Teilnehmer von Gruppe A stehen noch nicht fest\r\n"
                         "Spiel 2: die Teilnehmer von Gruppe A stehen noch nicht fest\r\n"
                         "Das Turnier hat hier noch nicht begonnen: bitte erst allen Plätzen ihre Namen zuweisen und "
                         "dann noch einmal importieren.");
    EXPECT_EQ(ui.boxes.back().kind, TMsgKind::Warning);
    EXPECT_EQ(notStarted.Spielplan.Cells(Spielplan_Sieger, 1), "");
    EXPECT_NE(notStarted.Turnier.Cells(Turnier_Changes, 1), "true");
    // Started, the same file is taken in full.
    StartWithTheSlotNames(notStarted);
    EXPECT_EQ(Taken(ergebnisseImportieren(notStarted, GoldenPath("stadtpokal.exp"))), 2);
}

// --- what counts as played ---

// A game is played once its winner is set, whatever its values add up to: a 0:0 draw without
// points goes into the file, and one typed here is neither overwritten nor counted twice.
TEST_F(ImportTest, GameWhoseValuesAddUpToNothingTravelsAndATypedOneStays) {
    LightForm first;
    PlayAtTheFirstPlace(first, {{1, "0", "0", "0"}, {2, "3", "1", "1"}});
    const auto content = ReadExchangeFile(Path("erster/stadtpokal.exp"));
    ASSERT_EQ(content->blocks.size(), 2u);
    EXPECT_EQ(content->blocks[0][0], "1");

    EnterResult(second, 2, "0", "0", "0");
    const auto standings = Rows(second.Platz);
    const std::optional<ErgebnisImport> imported = ergebnisseImportieren(second, Path("erster/stadtpokal.exp"));
    ASSERT_TRUE(imported);
    EXPECT_EQ(imported->taken, 1);
    EXPECT_EQ(imported->heldBack, 0);
    EXPECT_EQ(second.Spielplan.Cells(Spielplan_Sieger, 1), "0");
    EXPECT_EQ(second.Spielplan.Cells(Spielplan_PPkt, 2), "0") << "the result typed here stays";
    EXPECT_EQ(second.Spielplan.Cells(Spielplan_Sieger, 2), "0");
    // Participant 1 played games 1 and 2, each counted once.
    const int row = FindRow(second.Platz, Platz_TeamNr, "1");
    EXPECT_EQ(second.Platz.Cells(Platz_AnzSpiele, row), "2");
    EXPECT_EQ(second.Platz.Cells(Platz_PPkt, row), "0");
    EXPECT_NE(Rows(second.Platz), standings);
}

// --- who played ---

// Where the places hold other participants here than in the exporting copy (a tie settled
// otherwise, names given otherwise), a result would land on participants it was not played by:
// each such game is held back and named with both pairs, and nothing of it is stored.
TEST_F(ImportTest, GameOfOtherParticipantsHereIsHeldBackNamingBothPairs) {
    LightForm first;
    PlayAtTheFirstPlace(first, {{1, "3", "1", "1"}, {2, "2", "0", "1"}});

    LightForm third;
    LoadEmptyCopyAt(third, "dritter");
    setupEndPlatzierung(third);
    for (int row = 1; row < third.Xplatzgrid.RowCount(); ++row)
        third.Xplatzgrid.SetCells(Platzgrid_Mannschaft, row, third.Xplatzgrid.Cells(Platzgrid_Platzhalter, row));
    const std::string name1 = third.Xplatzgrid.Cells(Platzgrid_Mannschaft, 1);
    third.Xplatzgrid.SetCells(Platzgrid_Mannschaft, 1, third.Xplatzgrid.Cells(Platzgrid_Mannschaft, 2));
    third.Xplatzgrid.SetCells(Platzgrid_Mannschaft, 2, name1);
    checkStartTur(third);
    const auto pair = [](const TMainForm& f, int game) {
        return TeilnehmerName(f, ToInt(f.Spielplan.Cells(Spielplan_T1, game))) + " - " +
               TeilnehmerName(f, ToInt(f.Spielplan.Cells(Spielplan_T2, game)));
    };
    ASSERT_NE(pair(first, 1), pair(third, 1));

    const std::optional<ErgebnisImport> imported = ergebnisseImportieren(third, Path("erster/stadtpokal.exp"));
    ASSERT_TRUE(imported);
    EXPECT_EQ(imported->taken, 0);
    EXPECT_EQ(imported->heldBack, 2);
    EXPECT_EQ(LastBox(), "2 Ergebnisse wurden nicht übernommen.\r\n"
                         "Spiel 1: die Datei nennt " + pair(first, 1) + ", hier spielen " + pair(third, 1) + "\r\n"
                         "Spiel 2: die Datei nennt " + pair(first, 2) + ", hier spielen " + pair(third, 2) + "\r\n"
                         "Auf diesen Plätzen stehen hier andere Teilnehmer als im exportierenden Marovelkandis, etwa "
                         "weil ein Platzierungskonflikt anders gelöst wurde. So gelöst wie dort, nimmt ein neuer "
                         "Import sie an.");
    EXPECT_EQ(ui.boxes.back().kind, TMsgKind::Warning);
    for (int game : {1, 2}) EXPECT_EQ(third.Spielplan.Cells(Spielplan_Sieger, game), "") << game;
    EXPECT_NE(third.Turnier.Cells(Turnier_Changes, 1), "true");
    // A file of an older version names nobody: its results are taken by their places, as always.
    EXPECT_EQ(Taken(ergebnisseImportieren(third, GoldenPath("stadtpokal.exp"))), 2);
}

// --- the result dialog's own checks ---

namespace {

// Game 1 is whole, game 2 is what a case makes of it.
class ImportCheckTest : public ImportTest {
protected:
    static ExchangeBlock Game(const std::string& number, const std::string& t1, const std::string& t2) {
        return {number, t1, t2, "3", "1", "", "", "", "", "", t1};
    }
    ExchangeBlock GameOne() const { return Game("1", Team(1, Spielplan_T1), Team(1, Spielplan_T2)); }
    ExchangeBlock GameTwo() const { return Game("2", Team(2, Spielplan_T1), Team(2, Spielplan_T2)); }
    std::string Team(int game, int column) const { return second.Spielplan.Cells(column, game); }
    // Imports the two games; the number taken, none when refused.
    std::optional<int> Import(const ExchangeBlock& two) {
        EXPECT_TRUE(WriteExchangeFile(Path("zweiter/hand.exp"), "stadtpokal.tur", {GameOne(), two}));
        return Taken(ergebnisseImportieren(second, Path("zweiter/hand.exp")));
    }
    std::string Refusal(const std::string& reason, const std::string& game = "2") const {
        return "Die Datei " + Path("zweiter/hand.exp") + " ist beschädigt: die Ergebniseingabe nähme das Ergebnis " +
               "von Spiel " + game + " nicht an (" + reason + "). Es wurde kein Ergebnis übernommen.";
    }
};

}  // namespace

// A damaged or hand-made file: a value the result dialog refuses is refused with its reason, and
// nothing of the file is stored, not even the whole game before it.
TEST_F(ImportCheckTest, ResultTheDialogRefusesRefusesTheWholeFile) {
    struct Case {
        std::vector<std::pair<size_t, std::string>> values;
        std::string reason;
    };
    const std::string points = second.ScoreName(1), sets = ScoreLabel(&second, 2, 1);
    const std::vector<Case> cases{
        {{{4, "-5"}}, "\"" + points + "2\" darf nicht negativ sein"},
        {{{5, "2,5"}, {6, "1"}}, "Bitte bei \"" + sets + "\" eine ganze Zahl eingeben"},
        {{{3, "100000000000000000000"}}, "\"" + points + "1\" darf höchstens 99999 sein"},
        {{{3, "1E20"}}, "Bitte bei \"" + points + "1\" eine Zahl eingeben"},
        {{{3, "1"}, {4, "3"}}, "der Sieger " + TeilnehmerName(second, ToInt(Team(2, Spielplan_T1))) +
                                   " passt nicht zum Ergebnis " + points + " 1:3"},
        {{{10, "0"}}, "ein Unentschieden passt nicht zum Ergebnis " + points + " 3:1"},
        {{{10, ""}}, "der Sieger fehlt"},
        {{{9, "NULL"}, {10, "0"}}, "ein nicht gewertetes Spiel („Kein Ergebnis“) hat keine Werte"},
        {{{9, "25:20"}, {5, "0"}, {6, "1"}}, "Die Sätze passen nicht zu den Satzergebnissen"},
        {{{9, "25-20"}}, "Bitte die Satzergebnisse wie 25:20, 18:25, 15:10 eingeben"},
    };
    for (const Case& c : cases) {
        ExchangeBlock two = GameTwo();
        for (const auto& [index, value] : c.values) two[index] = value;
        EXPECT_EQ(Import(two), std::nullopt) << c.reason;
        EXPECT_EQ(LastBox(), Refusal(c.reason));
        EXPECT_EQ(ui.boxes.back().kind, TMsgKind::Warning);
        EXPECT_EQ(second.Spielplan.Cells(Spielplan_Sieger, 1), "") << c.reason;
        EXPECT_NE(second.Turnier.Cells(Turnier_Changes, 1), "true");
    }
    EXPECT_EQ(Import(GameTwo()), 2);
}

// What the import stores is what the dialog would have stored, and what a reload reads back: a
// blank value is empty, a number is written as the program writes numbers, and sets and balls a
// copy left out of its set results are taken from them and count in the standings.
TEST_F(ImportCheckTest, ValuesAreStoredAsTheDialogStoresThem) {
    ExchangeBlock two = GameTwo();
    two[3] = "2,50";
    two[4] = " ";
    two[9] = "25:20, 23:25, 15:12";
    two[10] = two[1];
    ASSERT_EQ(Import(two), 2) << LastBox();
    const auto cells = [&](int game) {
        std::vector<std::string> values;
        for (int column : kResultColumns) values.push_back(second.Spielplan.Cells(column, game));
        return values;
    };
    EXPECT_EQ(cells(2), (std::vector<std::string>{"2,5", "", "2", "1", "63", "57", "25:20, 23:25, 15:12", two[1]}));
    const int row = FindRow(second.Platz, Platz_TeamNr, two[1]);
    EXPECT_EQ(second.Platz.Cells(Platz_PBall, row), "63");
    const auto stored = cells(2);
    ui.QueueFile(Path("zweiter/gespeichert.tur"));
    ASSERT_TRUE(saveTurnier(second, false, true, false));
    LightForm reloaded;
    reloaded.ShowLoadDialog = false;
    reloaded.OpenDialog1.Files.Add(Path("zweiter/gespeichert.tur"));
    ASSERT_EQ(turniereLaden(reloaded), 1);
    for (size_t i = 0; i < stored.size(); ++i) EXPECT_EQ(reloaded.Spielplan.Cells(kResultColumns[i], 2), stored[i]);
}

// Points a group awards follow from the outcome, as the result dialog gives them: whatever the
// file says (a copy that scores otherwise, a damaged value), this copy's scoring gives them.
TEST_F(ImportCheckTest, PointsTheGroupAwardsFollowFromTheOutcomeAsInTheDialog) {
    const int g = IntGet(second.Spielplan, Spielplan_GrNr, 2, true);
    Put(second.Gruppe, Gruppe_P1, g, "2", true);
    Put(second.Gruppe, Gruppe_P2, g, "1", true);
    ExchangeBlock two = GameTwo();
    two[3] = "100000000000000000000";
    two[4] = "-1";
    two[5] = two[6] = "1";
    two[10] = two[2];
    ASSERT_EQ(Import(two), 2) << LastBox();
    EXPECT_EQ(second.Spielplan.Cells(Spielplan_PPkt, 1), "2");
    EXPECT_EQ(second.Spielplan.Cells(Spielplan_MPkt, 1), "0");
    // A level game with a winner chosen: the chosen one has won.
    EXPECT_EQ(second.Spielplan.Cells(Spielplan_PPkt, 2), "0");
    EXPECT_EQ(second.Spielplan.Cells(Spielplan_MPkt, 2), "2");
    EXPECT_EQ(second.Platz.Cells(Platz_PPkt, FindRow(second.Platz, Platz_TeamNr, two[2])), "2");
}

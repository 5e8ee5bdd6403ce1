#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "LightForm.h"
#include "ScrambledFiles.h"
#include "TestEnvironment.h"
#include "TurnierBuilder.h"
#include "foundation/Settings.h"
#include "foundation/Tables.h"
#include "foundation/Texts.h"
#include "foundation/files/TournamentFile.h"
#include "platform/FileVersion.h"
#include "platform/FileOperations.h"
#include "platform/UiHost.h"

using namespace turnier_builder;
using namespace scrambled_files;
using ::testing::HasSubstr;

namespace {

class TournamentFileTest : public ProgramTest {
protected:
    LightForm form;

    std::string Path(const std::string& name) const { return folder + name; }
    bool Load(const std::string& path) {
        ++form.AnzTurniere;
        if (LoadFileToMaster(form, path, form.AnzTurniere, nullptr)) return true;
        --form.AnzTurniere;
        return false;
    }
    // Loads "a.tur" as tournament 1 with participants prepared before the load.
    bool LoadWithPreparedNames(std::initializer_list<std::string> prepared) {
        TStringList names;
        for (const std::string& name : prepared) names.Add(name);
        ++form.AnzTurniere;
        return LoadFileToMaster(form, Path("a.tur"), 1, &names);
    }
    std::vector<Row> MasterRows() const {
        std::vector<Row> rows;
        for (int r = 1; r < form.XMasterGrid.RowCount(); ++r) rows.push_back(CellsOf(form.XMasterGrid, r));
        return rows;
    }
    std::vector<Row> GoldenRows() {
        LightForm reader;
        ++reader.AnzTurniere;
        EXPECT_TRUE(LoadFileToMaster(reader, GoldenPath("stadtpokal.tur"), 1, nullptr));
        std::vector<Row> rows;
        for (int r = 1; r < reader.XMasterGrid.RowCount(); ++r) rows.push_back(CellsOf(reader.XMasterGrid, r));
        return rows;
    }
    std::string LastBox() const { return ui.boxes.empty() ? "" : ui.boxes.back().text; }
    TMsgKind LastKind() const { return ui.boxes.back().kind; }
    // Opens a small tournament saved as `name` (or never saved with an empty name).
    void OpenSaved(const std::string& title, const std::string& name) {
        OpenTurnier(form, title, title.substr(0, 2));
        AddSmallStructure(form, "A", "1");
        if (name.empty()) return;
        Put(form.Turnier, Turnier_DateiNameS, 1, Path(name), true);
        Put(form.Turnier, Turnier_DateiName, 1, FileNameOf(name), true);
    }
};

// The 31 cells of an XMasterGrid-shaped row.
Row Cells31(std::initializer_list<std::string> cells) {
    Row row(cells);
    row.resize(31);
    return row;
}

}  // namespace

// --- row lines ---

TEST_F(TournamentFileTest, RowLineIsEveryCellFollowedByCrLfAndSplitsBack) {
    Row cells = Cells31({"1", "3", "7", "", "", "", "Bären Süd"});
    const std::string line = TurRowLine(cells);
    EXPECT_EQ(line.substr(0, 9), "1\r\n3\r\n7\r\n");
    EXPECT_EQ(SplitTurRowLine(line), cells);
}

TEST_F(TournamentFileTest, LineBreakInsideACellCannotSplitTheRow) {
    Row cells = Cells31({"1", "7", "1", "", "", "", "", "", "", "", "", "", "", "Urkunde\r\nfür den Sieger"});
    const Row back = SplitTurRowLine(TurRowLine(cells));
    ASSERT_EQ(back.size(), 31u);
    EXPECT_EQ(back[13], "Urkunde\nfür den Sieger");
}

// --- reading ---

TEST_F(TournamentFileTest, GoldenFileLoadsCellForCell) {
    ASSERT_TRUE(Load(GoldenPath("stadtpokal.tur")));
    const TSortGrid& m = form.XMasterGrid;
    ASSERT_EQ(m.RowCount() - 1, 1 + 1 + 3 + 3 + 3 + 1 + 4 + 19);
    EXPECT_EQ(m.Cells(Turnier_Name, 1), "Stadtpokal");
    EXPECT_EQ(m.Cells(Turnier_DateiNameS, 1), GoldenPath("stadtpokal.tur"));
    EXPECT_EQ(m.Cells(Turnier_DateiName, 1), "stadtpokal.tur");
    EXPECT_EQ(m.Cells(Turnier_Score, 1), "Tore");
    EXPECT_EQ(m.Cells(Gruppe_Teams, 2), "M1;M2;M3");
    EXPECT_EQ(m.Cells(Spielplan_PPkt, 3), "3");
    EXPECT_EQ(m.Cells(Spielplan_Sieger, 4), "0");
    EXPECT_EQ(m.Cells(Teams_Name, 7), "Bären Süd");
    EXPECT_EQ(m.Cells(Teams_Name_Tur, 8), "Crew É");
    EXPECT_EQ(m.Cells(Platz_Team, 11), "Crew É");
    EXPECT_EQ(m.Cells(Uk_Wert, 12), "gong.wav");
    EXPECT_EQ(m.Cells(Ein_Name, 16), "N1");
    EXPECT_EQ(m.Cells(Ein_Wert, 16), "Schiri Meier");
    for (int r = 1; r < m.RowCount(); ++r) EXPECT_EQ(m.Cells(0, r), "1");
    EXPECT_EQ(form.XComboBox1.Items.ToVector(), std::vector<std::string>{"[SP] Stadtpokal"});
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(ReadProgramFile("error.log"), "");
}

TEST_F(TournamentFileTest, OlderVersionWithKeyShiftThroughoutLoadsTheSameRows) {
    std::vector<Row> expected = GoldenRows();
    ASSERT_TRUE(Load(GoldenPath("stadtpokal_v4001.tur")));
    expected[0][Turnier_DateiNameS] = GoldenPath("stadtpokal_v4001.tur");
    expected[0][Turnier_DateiName] = "stadtpokal_v4001.tur";
    expected[0][Turnier_DateiStand] = *FileVersionOf(GoldenPath("stadtpokal_v4001.tur"));
    EXPECT_EQ(MasterRows(), expected);
    EXPECT_EQ(ReadProgramFile("error.log"), "") << "every row passes the check in its own scheme";
}

TEST_F(TournamentFileTest, LoadedTournamentGetsItsNumberBehindTheOthers) {
    OpenSaved("Kreisliga", "");
    TurToMaster(form, 1);
    ASSERT_TRUE(Load(GoldenPath("stadtpokal.tur")));
    EXPECT_EQ(form.XMasterGrid.Cells(0, form.XMasterGrid.RowCount() - 1), "2");
    EXPECT_EQ(form.XComboBox1.Items.Count(), 2);
    EXPECT_EQ(form.XMasterGrid.Cells(Turnier_Name, 1), "Kreisliga");
}

TEST_F(TournamentFileTest, CellOfASingleBlankComesBackEmptyAndChangedMarkIsDropped) {
    WriteTurFile(Path("a.tur"), {Cells31({"1", "1", "", "Cup", "", "", " ", "", "", "true"}),
                                 Cells31({"1", "6", "Wert", "", " "})});
    ASSERT_TRUE(Load(Path("a.tur")));
    EXPECT_EQ(form.XMasterGrid.Cells(Turnier_AnzMann, 1), "");
    EXPECT_EQ(form.XMasterGrid.Cells(Turnier_Changes, 1), "");
    EXPECT_EQ(form.XMasterGrid.Cells(Ein_Wert, 2), "");
}

TEST_F(TournamentFileTest, PreparedNamesReplaceTheDefaultParticipantNames) {
    WriteTurFile(Path("a.tur"), {Cells31({"1", "1", "", "Cup"}), Cells31({"1", "3", "1", "", "", "", "Mannschaft 1"}),
                                 Cells31({"1", "3", "2", "", "", "", "Mannschaften 2"}),
                                 Cells31({"1", "3", "3", "", "", "", "Mannschaft 3"})});
    ASSERT_TRUE(LoadWithPreparedNames({"Adler", "Bären"}));
    EXPECT_EQ(form.XMasterGrid.Cells(Teams_Name_Tur, 2), "Adler");
    EXPECT_EQ(form.XMasterGrid.Cells(Teams_Name_Tur, 3), "Bären");
    EXPECT_EQ(form.XMasterGrid.Cells(Teams_Name_Tur, 4), "");
}

// A tournament of players names its slots "Spieler k": they take the prepared names too.
TEST_F(TournamentFileTest, PreparedNamesReachPlayersAndOnlyWholeNumbers) {
    WriteTurFile(Path("a.tur"), {Cells31({"1", "1", "", "Cup"}), Cells31({"1", "3", "1", "", "", "", "Spieler 2"}),
                                 Cells31({"1", "3", "2", "", "", "", "Spieler 02"}),
                                 Cells31({"1", "3", "3", "", "", "", "Spieler 2a"}),
                                 Cells31({"1", "3", "4", "", "", "", "Mannschaft 3"})});
    ASSERT_TRUE(LoadWithPreparedNames({"Anna", "Ben"}));
    EXPECT_EQ(form.XMasterGrid.Cells(Teams_Name_Tur, 2), "Ben");
    EXPECT_EQ(form.XMasterGrid.Cells(Teams_Name_Tur, 3), "");
    EXPECT_EQ(form.XMasterGrid.Cells(Teams_Name_Tur, 4), "");
    EXPECT_EQ(form.XMasterGrid.Cells(Teams_Name_Tur, 5), "") << "no third name";
}

// --- files that are refused change nothing ---

class RefusedFileTest : public TournamentFileTest {
protected:
    void SetUp() override {
        TournamentFileTest::SetUp();
        OpenSaved("Kreisliga", "kreisliga.tur");
        TurToMaster(form, 1);
        form.AktTurNr = 0;
        before = MasterRows();
    }
    // The file is refused with a warning naming it, and nothing changed.
    void ExpectRefused(const std::string& path, const std::string& text) {
        EXPECT_FALSE(Load(path));
        ASSERT_FALSE(ui.boxes.empty());
        EXPECT_THAT(LastBox(), HasSubstr(text));
        EXPECT_EQ(MasterRows(), before);
        EXPECT_EQ(form.XComboBox1.Items.Count(), 1);
        EXPECT_EQ(form.AnzTurniere, 1);
    }
    std::vector<Row> before;
};

TEST_F(RefusedFileTest, FileCutShortBeforeTheEndOfTheTable) {
    const std::string golden = ReadBytes(GoldenPath("stadtpokal.tur"));
    const auto lines = SplitLines(golden, "\r\n");
    std::string cut;
    for (size_t i = 0; i < lines.size() - 2; ++i) cut += lines[i] + "\r\n";
    WriteBytes(Path("kurz.tur"), cut);
    ExpectRefused(Path("kurz.tur"), "Datei 'kurz.tur' ist unvollständig und wurde nicht geladen");
    EXPECT_EQ(LastKind(), TMsgKind::Warning);
    WriteBytes(Path("halb.tur"), golden.substr(0, golden.size() / 2));
    ExpectRefused(Path("halb.tur"), "Datei 'halb.tur' ist unvollständig");
    WriteBytes(Path("leer.tur"), "");
    ExpectRefused(Path("leer.tur"), "Keine gültige Marovelkandis Datei\r\n\r\n" + Path("leer.tur"));
}

// Each table row is a line of its own: a line lost or written twice leaves a file that reads to
// its end, but a game, a group, a participant or a standings row is missing or doubled.
TEST_F(RefusedFileTest, RowLostOrWrittenTwice) {
    const auto lines = SplitLines(ReadBytes(GoldenPath("stadtpokal.tur")), "\r\n");
    auto withLine = [&](const std::string& name, size_t line, bool twice) {
        std::string text;
        for (size_t i = 0; i + 1 < lines.size(); ++i) {
            if (i + 1 != line || twice) text += lines[i] + "\r\n";
            if (i + 1 == line && twice) text += lines[i] + "\r\n";
        }
        WriteBytes(Path(name), text + lines.back());
        return Path(name);
    };
    const std::string damaged = "ist beschädigt und wurde nicht geladen: ";
    ExpectRefused(withLine("ohne_gruppe.tur", 12, false), damaged + "Gruppe 1 fehlt.");
    ExpectRefused(withLine("ohne_spiel.tur", 13, false), damaged + "Spiel 1 fehlt.");
    ExpectRefused(withLine("spiel_doppelt.tur", 13, true), damaged + "Spiel 1 steht zweimal darin.");
    ExpectRefused(withLine("ohne_teilnehmer.tur", 18, false), damaged + "Teilnehmer 3 fehlt.");
    ExpectRefused(withLine("platz_doppelt.tur", 20, true), damaged + "der Tabellenplatz von Teilnehmer 2 steht zweimal darin.");
    EXPECT_EQ(LastKind(), TMsgKind::Warning);
}

TEST_F(RefusedFileTest, NumbersThatAreNoRowsOrStandingsThatAreMissing) {
    const Row cup = Cells31({"1", "1", "", "Cup"});
    const Row group = Cells31({"1", "2", "1", "", "1", "A", "Gruppe A", "M1;M2", "1"});
    auto team = [](const std::string& number) { return Cells31({"1", "3", number, "", "", "", "T" + number, "", "", "", "1"}); };
    auto standing = [](const std::string& number) { return Cells31({"1", "5", number, "1", "1"}); };
    WriteTurFile(Path("a.tur"), {cup, group, team("1"), team("2"), team("4"), standing("1"), standing("2"), standing("4")});
    ExpectRefused(Path("a.tur"), "Teilnehmer 3 fehlt.");
    WriteTurFile(Path("b.tur"), {cup, group, team("1"), team("02")});
    ExpectRefused(Path("b.tur"), "Teilnehmer hat die Nummer „02“.");
    WriteTurFile(Path("c.tur"), {cup, group, team("1"), team("2"), standing("1")});
    ExpectRefused(Path("c.tur"), "der Tabellenplatz von Teilnehmer 2 fehlt.");
    WriteTurFile(Path("d.tur"), {cup, group, team("1"), team("2"), standing("1"), standing("2"), standing("5")});
    ExpectRefused(Path("d.tur"), "Teilnehmer 5 fehlt.");
    WriteTurFile(Path("e.tur"), {cup, group, team("1"), team("2"), standing("1"), standing("2")});
    EXPECT_TRUE(Load(Path("e.tur")));
}

TEST_F(RefusedFileTest, TableThatDoesNotBeginWithTheTournamentRow) {
    WriteTurFile(Path("a.tur"), {Cells31({"1", "2", "1"}), Cells31({"1", "1", "", "Cup"})});
    ExpectRefused(Path("a.tur"), "Datei 'a.tur' ist beschädigt und wurde nicht geladen: die Tabelle beginnt nicht "
                                 "mit der Turnierzeile.");
    WriteTurFile(Path("b.tur"), {});
    ExpectRefused(Path("b.tur"), "die Tabelle beginnt nicht mit der Turnierzeile");
}

TEST_F(RefusedFileTest, SecondTournamentRowUnknownKindOrCellsBeyondTheTable) {
    WriteTurFile(Path("a.tur"), {Cells31({"1", "1", "", "Cup"}), Cells31({"1", "1", "", "Noch ein Cup"})});
    ExpectRefused(Path("a.tur"), "sie enthält mehr als eine Turnierzeile.");
    WriteTurFile(Path("b.tur"), {Cells31({"1", "1", "", "Cup"}), Cells31({"1", "8"})});
    ExpectRefused(Path("b.tur"), "Zeile 2 der Tabelle gehört zu keiner Tabelle.");
    WriteTurFile(Path("c.tur"), {Cells31({"1", "1", "", "Cup"}), Cells31({"1", "6", "Wert", "", "1", "zu viel"})});
    ExpectRefused(Path("c.tur"), "Zeile 2 der Tabelle hat mehr Zellen als ihre Tabelle.");
    WriteTurLines(Path("d.tur"), {TurRowLine(Cells31({"1", "1", "", "Cup"})) + "x\r\n"});
    ExpectRefused(Path("d.tur"), "Zeile 1 der Tabelle hat mehr Zellen als ihre Tabelle.");
}

TEST_F(RefusedFileTest, OlderGenerationWrongMagicAndGroupFault) {
    WriteTurFile(Path("alt.tur"), {Cells31({"1", "1"})}, "MAROVELKA3", "v3.005");
    ExpectRefused(Path("alt.tur"), "Marovelka3 Dateien werden nicht unterstützt");
    EXPECT_EQ(LastKind(), TMsgKind::Information);
    WriteTurFile(Path("x.tur"), {Cells31({"1", "1"})}, "MAROVELKA4", "v4.003");
    ExpectRefused(Path("x.tur"), "Keine gültige Marovelkandis Datei\r\n\r\n" + Path("x.tur"));
    WriteTurFile(Path("g.tur"), {Cells31({"1", "1", "", "Cup"}), Cells31({"1", "2", "1", "", "1", "A", "Gruppe A"})});
    ExpectRefused(Path("g.tur"), "Datei 'g.tur' konnte nicht geladen werden; Gruppenfehler\n\nBitte erstellen Sie das "
                                 "Turnier neu in diesem Release.");
    ExpectRefused(Path("fehlt.tur"), "Kann Datei fehlt.tur nicht oeffnen");
}

// Single blanks and cells a row stops before are empty cells: such a group has the same fault, or
// the file would load once and, saved again, never load after.
TEST_F(RefusedFileTest, GroupWithBlankOrMissingParticipantsAndFieldsHasTheGroupFault) {
    const std::string shortGroupRow = "1\r\n2\r\n1\r\n\r\n1\r\nA\r\nGruppe A\r\n";
    WriteTurLines(Path("kurz.tur"), {TurRowLine(Cells31({"1", "1", "", "Cup"})), shortGroupRow});
    ExpectRefused(Path("kurz.tur"), "Datei 'kurz.tur' konnte nicht geladen werden; Gruppenfehler\n\nBitte erstellen Sie "
                                    "das Turnier neu in diesem Release.");
    Row group = Cells31({"1", "2", "1", "", "1", "A", "Gruppe A"});
    group[Gruppe_Teams] = " ";
    group[Gruppe_Felder] = " ";
    WriteTurFile(Path("g.tur"), {Cells31({"1", "1", "", "Cup"}), group});
    ExpectRefused(Path("g.tur"), "Datei 'g.tur' konnte nicht geladen werden; Gruppenfehler\n\nBitte erstellen Sie das "
                                 "Turnier neu in diesem Release.");
}

// --- writing ---

TEST_F(TournamentFileTest, NeverSavedTournamentAsksForItsFileAndGetsTheExtension) {
    OpenSaved("Stadtpokal", "");
    std::filesystem::create_directories(Path("saison.2026"));
    ui.QueueFile(Path("saison.2026/pokal"));
    EXPECT_TRUE(saveTurnier(form, false, false, false));
    const std::string saved = Path("saison.2026/pokal.tur");
    EXPECT_TRUE(std::filesystem::exists(saved));
    EXPECT_EQ(form.Turnier.Cells(Turnier_DateiNameS, 1), saved);
    EXPECT_EQ(form.Turnier.Cells(Turnier_DateiName, 1), "pokal.tur");
    EXPECT_EQ(form.SaveDialog1.Title, "Speicher Turnier: St (Stadtpokal)");
    EXPECT_EQ(form.TurFileDir, Path("saison.2026"));
    EXPECT_THAT(form.calls, ::testing::Contains("setStatusText(1,Datei gespeichert: pokal.tur)"));
    EXPECT_EQ(form.XMasterGrid.RowCount(), 2);
    EXPECT_EQ(form.XMasterGrid.Cells(0, 1), "");
}

TEST_F(TournamentFileTest, SavingAllWritesEveryTournamentAndTheCurrentOneStaysCurrent) {
    OpenSaved("Kreisliga", "kreisliga.tur");
    OpenSaved("Stadtpokal", "stadtpokal.tur");
    TurnierRows current = CurrentRows(form);
    EXPECT_TRUE(saveTurnier(form, true, false, false));
    current[TabelleTurnier][0][Turnier_DateiStand] = *FileVersionOf(Path("stadtpokal.tur"));
    EXPECT_EQ(CurrentRows(form), current);
    EXPECT_EQ(form.XMasterGrid.Cells(Turnier_Name, 1), "Kreisliga");
    EXPECT_EQ(form.XMasterGrid.RowCount() - 1, 1 + 1 + 4 + 2 + 1);
    LightForm reader;
    reader.AnzTurniere = 2;
    ASSERT_TRUE(LoadFileToMaster(reader, Path("kreisliga.tur"), 1, nullptr));
    ASSERT_TRUE(LoadFileToMaster(reader, Path("stadtpokal.tur"), 2, nullptr));
    EXPECT_EQ(reader.XComboBox1.Items.ToVector(), (std::vector<std::string>{"[Kr] Kreisliga", "[St] Stadtpokal"}));
    EXPECT_EQ(reader.XMasterGrid.RowCount() - 1, 18);
}

TEST_F(TournamentFileTest, ChangedMarkGoesOnlyWithAFileThatWasWritten) {
    OpenSaved("Kreisliga", "kreisliga.tur");
    setTurChanged(form, true);
    OpenSaved("Stadtpokal", "fehlt/stadtpokal.tur");
    setTurChanged(form, true);
    form.calls.clear();
    EXPECT_FALSE(saveTurnier(form, false, false, false));
    EXPECT_EQ(LastBox(), "Turnier stadtpokal.tur kann nicht gespeichert werden: der Ordner " + Path("fehlt") + " fehlt");
    EXPECT_EQ(ui.boxes.back().kind, TMsgKind::Error);
    EXPECT_THAT(ReadProgramFile("error.log"), HasSubstr("[F] Kann Datei nicht schreiben"));
    EXPECT_EQ(form.Turnier.Cells(Turnier_Changes, 1), "true");
    EXPECT_TRUE(form.calls.empty()) << "no \"Datei gespeichert\" for a file that is not there";
    // Saving the current one after all leaves the parked one's mark alone.
    Put(form.Turnier, Turnier_DateiNameS, 1, Path("stadtpokal.tur"), true);
    EXPECT_TRUE(saveTurnier(form, false, false, false));
    EXPECT_EQ(form.Turnier.Cells(Turnier_Changes, 1), "");
    EXPECT_EQ(form.XMasterGrid.Cells(Turnier_Changes, MasterTurnierRow(form, 1)), "true");
    EXPECT_FALSE(std::filesystem::exists(Path("kreisliga.tur")));
}

TEST_F(TournamentFileTest, FileThatCannotBeCompletedKeepsThePreviousOneAndTheMark) {
    OpenSaved("Stadtpokal", "stadtpokal.tur");
    ASSERT_TRUE(saveTurnier(form, false, false, false));
    const std::string previous = ReadProgramFile("stadtpokal.tur");
    for (int i = 0; i < 200; ++i) AddRow(form, TabelleSpielplan, {IntToStr(10 + i), "", IntToStr(10 + i)});
    setTurChanged(form, true);
    {
        FileSizeLimit limit(previous.size() + 100);
        if (!limit.Active()) GTEST_SKIP() << "no file size limit";
        EXPECT_FALSE(saveTurnier(form, false, false, false));
    }
    EXPECT_EQ(LastBox(), "Turnier stadtpokal.tur konnte nicht gespeichert werden: die Datei würde zu groß werden");
    EXPECT_EQ(ui.boxes.back().kind, TMsgKind::Error);
    EXPECT_EQ(ReadProgramFile("stadtpokal.tur"), previous);
    EXPECT_EQ(form.Turnier.Cells(Turnier_Changes, 1), "true");
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        EXPECT_NE(entry.path().extension(), ".tmp") << "temporary file left: " << entry.path();
}

TEST_F(TournamentFileTest, CancelledDialogKeepsTheMarkAndTheFilesWrittenBefore) {
    OpenSaved("Kreisliga", "kreisliga.tur");
    setTurChanged(form, true);
    OpenSaved("Stadtpokal", "");
    setTurChanged(form, true);
    ui.QueueFile("");
    EXPECT_FALSE(saveTurnier(form, true, false, false));
    EXPECT_TRUE(std::filesystem::exists(Path("kreisliga.tur")));
    EXPECT_EQ(form.XMasterGrid.Cells(Turnier_Changes, MasterTurnierRow(form, 1)), "");
    EXPECT_EQ(form.Turnier.Cells(Turnier_Changes, 1), "true");
    EXPECT_EQ(MasterTurnierRow(form, 2), 0) << "the current tournament is not left parked";
}

TEST_F(TournamentFileTest, SaveAsOntoAnotherOpenTournamentsFileIsRefused) {
    OpenSaved("Kreisliga", "kreisliga.tur");
    ASSERT_TRUE(saveTurnier(form, false, false, false));
    const std::string kreisliga = ReadProgramFile("kreisliga.tur");
    OpenSaved("Stadtpokal", "stadtpokal.tur");
    std::filesystem::create_directories(Path("unter"));
    ui.QueueFile(Path("unter/../kreisliga.tur"));
    EXPECT_FALSE(saveTurnier(form, false, true, false));
    EXPECT_EQ(LastBox(), "Die Datei " + Path("kreisliga.tur") +
                             " gehört schon zum geöffneten Turnier [Kr] Kreisliga und wird nicht überschrieben.\r\n\r\n"
                             "Bitte wählen Sie einen anderen Dateinamen.");
    EXPECT_EQ(ReadProgramFile("kreisliga.tur"), kreisliga);
    EXPECT_EQ(form.Turnier.Cells(Turnier_DateiNameS, 1), Path("stadtpokal.tur"));
    // Its own file is fine.
    ui.QueueFile(Path("stadtpokal.tur"));
    EXPECT_TRUE(saveTurnier(form, false, true, false));
}

TEST_F(TournamentFileTest, EmptyCopyLeavesOutResultsPeopleAndSounds) {
    ASSERT_TRUE(Load(GoldenPath("stadtpokal.tur")));
    form.AktTurNr = 1;
    TakeTurFromMaster(form, 1);
    LoadTurSettings(form);
    setTurChanged(form, true);
    ui.QueueFile(Path("leer"));
    EXPECT_TRUE(saveTurnier(form, false, true, true));
    EXPECT_EQ(form.SaveDialog1.FileName, Path("leer.tur")) << "the dialog names the file it means";
    EXPECT_EQ(form.Turnier.Cells(Turnier_DateiNameS, 1), GoldenPath("stadtpokal.tur")) << "its own file stays";
    EXPECT_EQ(form.Turnier.Cells(Turnier_Changes, 1), "true") << "the tournament itself was not saved";
    LightForm reader;
    reader.AnzTurniere = 1;
    ASSERT_TRUE(LoadFileToMaster(reader, Path("leer.tur"), 1, nullptr));
    const TSortGrid& m = reader.XMasterGrid;
    ASSERT_EQ(m.RowCount() - 1, 1 + 1 + 3 + 3 + 3 + 3 + 19);
    EXPECT_EQ(m.Cells(Gruppe_State, 2), "");
    EXPECT_EQ(m.Cells(Spielplan_PPkt, 3), "");
    EXPECT_EQ(m.Cells(Spielplan_Sieger, 4), "");
    EXPECT_EQ(m.Cells(Spielplan_Spieltag, 3), "");
    EXPECT_EQ(m.Cells(Spielplan_T1, 3), "1");
    EXPECT_EQ(m.Cells(Teams_Name, 7), "Bären Süd");
    EXPECT_EQ(m.Cells(Teams_Name_Tur, 7), "");
    EXPECT_EQ(m.Cells(Platz_Team, 10), "Bären Süd");
    EXPECT_EQ(m.Cells(Platz_PPkt, 10), "");
    for (int r = 1; r < m.RowCount(); ++r) {
        EXPECT_NE(m.Cells(1, r), "7");
        EXPECT_NE(m.Cells(Ein_Name, r), "N1");
    }
}

TEST_F(TournamentFileTest, EmptyCopyProposesItsNameAndNeverReplacesTheTournamentsOwnFile) {
    OpenSaved("Stadtpokal", "stadtpokal.tur");
    ASSERT_TRUE(saveTurnier(form, false, false, false));
    const std::string own = ReadProgramFile("stadtpokal.tur");
    ui.QueueFile(Path("stadtpokal.tur"));
    EXPECT_FALSE(saveTurnier(form, false, true, true));
    EXPECT_EQ(form.SaveDialog1.FileName, Path("stadtpokal.tur"));
    EXPECT_THAT(LastBox(), HasSubstr("gehört schon zum geöffneten Turnier [St] Stadtpokal"));
    EXPECT_EQ(ReadProgramFile("stadtpokal.tur"), own);
    ui.QueueFile("");
    EXPECT_FALSE(saveTurnier(form, false, true, true));
    EXPECT_EQ(form.SaveDialog1.FileName, Path("stadtpokal_Leer.tur"));
    Put(form.Turnier, Turnier_DateiNameS, 1, "", true);
    ui.QueueFile("");
    saveTurnier(form, false, true, true);
    EXPECT_EQ(form.SaveDialog1.FileName, "_Leer.tur");
}

TEST_F(TournamentFileTest, SavedLoadedAndSavedAgainGivesTheSameTablesAndBytes) {
    scrambling::FixFillerSeed(99);
    OpenSaved("Stadtpokal", "pokal.tur");
    AddRow(form, TabelleUkSound, {"1", "", "", "", "Zeile eins\nZeile zwei"});
    AddRow(form, TabelleEin, {"Name", "", "Ärger, Élan; 100% | \"x\" ß"});
    ASSERT_TRUE(saveTurnier(form, false, false, false));
    const std::string first = ReadProgramFile("pokal.tur");
    LightForm reader;
    reader.AnzTurniere = reader.AktTurNr = 1;
    ASSERT_TRUE(LoadFileToMaster(reader, Path("pokal.tur"), 1, nullptr));
    TakeTurFromMaster(reader, 1);
    EXPECT_EQ(CurrentRows(reader), CurrentRows(form));
    ASSERT_TRUE(saveTurnier(reader, false, false, false));
    scrambling::FixFillerSeed(std::nullopt);
    EXPECT_EQ(ReadProgramFile("pokal.tur"), first);
}

TEST_F(TournamentFileTest, ControlCodesTheInterleaveSchemeCannotCarryComeBackExactly) {
    OpenSaved("Stadtpokal", "pokal.tur");
    AddRow(form, TabelleTeams, {"5", "", "", "", "Ctrl\x15\x16Name", "Bären"});
    ASSERT_TRUE(saveTurnier(form, false, false, false));
    LightForm reader;
    reader.AnzTurniere = reader.AktTurNr = 1;
    ASSERT_TRUE(LoadFileToMaster(reader, Path("pokal.tur"), 1, nullptr));
    TakeTurFromMaster(reader, 1);
    EXPECT_EQ(CurrentRows(reader), CurrentRows(form));
    EXPECT_EQ(ReadProgramFile("error.log"), "");
}

// --- the timer's save and the question before closing ---

TEST_F(TournamentFileTest, AutosaveIsDueOnlyForAUsableInterval) {
    OpenSaved("Stadtpokal", "stadtpokal.tur");
    EXPECT_FALSE(AutoSaveDue(form, 0)) << "off by default";
    SetSetting(form, "AutoSave", "true");
    EXPECT_TRUE(AutoSaveDue(form, 45)) << "every 15 minutes by default";
    EXPECT_FALSE(AutoSaveDue(form, 46));
    for (const char* interval : {"0", "-5", "abc", "", "$F", "99999999999"}) {
        SetSetting(form, "AutoSave Min", interval);
        EXPECT_FALSE(AutoSaveDue(form, 0)) << interval;
        EXPECT_FALSE(AutoSaveDue(form, 60)) << interval;
    }
    SetSetting(form, "AutoSave Min", " 7 ");
    EXPECT_TRUE(AutoSaveDue(form, 14));
    form.AktTurNr = 0;
    EXPECT_FALSE(AutoSaveDue(form, 14));
}

TEST_F(TournamentFileTest, AutosaveLooksBackOverTheMinutesSinceItsLastLook) {
    OpenSaved("Stadtpokal", "stadtpokal.tur");
    SetSetting(form, "AutoSave", "true");
    const long long day = 46000LL * 24 * 60;  // minute 0 of a day
    const long long at1014 = day + 10 * 60 + 14;
    EXPECT_TRUE(AutoSaveDueSince(form, at1014, at1014 + 2)) << "10:15 lies between 10:14 and 10:16";
    EXPECT_FALSE(AutoSaveDueSince(form, at1014 + 1, at1014 + 2)) << "10:15 was looked at already";
    EXPECT_FALSE(AutoSaveDueSince(form, -1, at1014 + 2)) << "the first look sees its own minute only";
    EXPECT_TRUE(AutoSaveDueSince(form, -1, at1014 + 1));
    EXPECT_FALSE(AutoSaveDueSince(form, at1014 + 2, at1014)) << "a clock set back looks at its minute only";
    EXPECT_TRUE(AutoSaveDueSince(form, day - 3, day + 1)) << "midnight is minute 0 of the next day";
    EXPECT_TRUE(AutoSaveDueSince(form, day + 1, day + 3 * 24 * 60 + 7)) << "days asleep: a save is due";
    SetSetting(form, "AutoSave Min", "0");
    EXPECT_FALSE(AutoSaveDueSince(form, day + 1, day + 3 * 24 * 60 + 7)) << "no interval, no save";
    SetSetting(form, "AutoSave", "false");
    SetSetting(form, "AutoSave Min", "1");
    EXPECT_FALSE(AutoSaveDueSince(form, at1014, at1014 + 2)) << "off";
}

TEST_F(TournamentFileTest, AutosaveLeavesNeverSavedTournamentsAloneAndOpensNoDialog) {
    OpenSaved("Kreisliga", "");
    setTurChanged(form, true);
    OpenSaved("Stadtpokal", "stadtpokal.tur");
    setTurChanged(form, true);
    EXPECT_TRUE(autoSaveTurniere(form));
    EXPECT_TRUE(std::filesystem::exists(Path("stadtpokal.tur")));
    EXPECT_EQ(form.Turnier.Cells(Turnier_Changes, 1), "");
    EXPECT_EQ(form.XMasterGrid.Cells(Turnier_Changes, MasterTurnierRow(form, 1)), "true");
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(TournamentFileTest, FailedAutosaveIsShownOnceAndKeepsTheMark) {
    OpenSaved("Stadtpokal", "weg/stadtpokal.tur");
    setTurChanged(form, true);
    EXPECT_FALSE(autoSaveTurniere(form));
    EXPECT_FALSE(autoSaveTurniere(form));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_THAT(LastBox(), HasSubstr("Turnier stadtpokal.tur kann nicht gespeichert werden"));
    EXPECT_EQ(form.Turnier.Cells(Turnier_Changes, 1), "true");
    EXPECT_THAT(ReadProgramFile("error.log"), HasSubstr("[X] Automatisches Speichern: Turnier stadtpokal.tur kann"));
    // Once a save succeeds, the next failure is shown again.
    std::filesystem::create_directories(Path("weg"));
    EXPECT_TRUE(autoSaveTurniere(form));
    std::filesystem::remove_all(Path("weg"));
    setTurChanged(form, true);
    EXPECT_FALSE(autoSaveTurniere(form));
    EXPECT_EQ(ui.boxes.size(), 2u);
}

TEST_F(TournamentFileTest, QuestionBeforeClosingOnlyWhenSomethingIsUnsaved) {
    OpenSaved("Kreisliga", "kreisliga.tur");
    OpenSaved("Stadtpokal", "stadtpokal.tur");
    EXPECT_TRUE(checkSaveTurnier(form));
    EXPECT_TRUE(ui.boxes.empty());
    form.XMasterGrid.SetCells(Turnier_Changes, MasterTurnierRow(form, 1), "true");
    ui.QueueAnswer(mrNo);
    EXPECT_TRUE(checkSaveTurnier(form));
    EXPECT_EQ(LastBox(), lngText(85));
    EXPECT_FALSE(std::filesystem::exists(Path("kreisliga.tur")));
    ui.QueueAnswer(mrYes);
    EXPECT_TRUE(checkSaveTurnier(form));
    EXPECT_TRUE(std::filesystem::exists(Path("kreisliga.tur")));
    EXPECT_TRUE(std::filesystem::exists(Path("stadtpokal.tur")));
    EXPECT_FALSE(AnyTurnierChanged(form));
    // A save that fails keeps the caller from going on.
    setTurChanged(form, true);
    Put(form.Turnier, Turnier_DateiNameS, 1, Path("weg/stadtpokal.tur"), true);
    ui.QueueAnswer(mrYes);
    EXPECT_FALSE(checkSaveTurnier(form));
}

// --- what a save keeps, refuses and says ---

TEST_F(TournamentFileTest, APrivateFileStaysPrivateAndAReadOnlyOneIsRefusedWithItsReason) {
    OpenSaved("Stadtpokal", "stadtpokal.tur");
    WriteProgramFile("stadtpokal.tur", "alt");
    std::filesystem::permissions(Path("stadtpokal.tur"), std::filesystem::perms(0600));
    ASSERT_TRUE(saveTurnier(form, false, false, false));
    struct stat info {};
    ASSERT_EQ(stat(Path("stadtpokal.tur").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    std::filesystem::permissions(Path("stadtpokal.tur"), std::filesystem::perms(0444));
    const std::string saved = ReadProgramFile("stadtpokal.tur");
    setTurChanged(form, true);
    EXPECT_FALSE(saveTurnier(form, false, false, false));
    EXPECT_EQ(LastBox(), "Turnier stadtpokal.tur kann nicht gespeichert werden: die Datei ist schreibgeschützt");
    EXPECT_EQ(ui.boxes.back().kind, TMsgKind::Error);
    EXPECT_EQ(ReadProgramFile("stadtpokal.tur"), saved);
    EXPECT_EQ(form.Turnier.Cells(Turnier_Changes, 1), "true");
}

TEST_F(TournamentFileTest, AFullDiskIsNamedInAnErrorAndTheSavedFileStays) {
    OpenSaved("Stadtpokal", "stadtpokal.tur");
    ASSERT_TRUE(saveTurnier(form, false, false, false));
    const std::string saved = ReadProgramFile("stadtpokal.tur");
    setTurChanged(form, true);
    {
        FullDiskFileOperations full(100);
        ScopedFileOperations scope(full);
        EXPECT_FALSE(saveTurnier(form, false, false, false));
    }
    EXPECT_EQ(LastBox(), "Turnier stadtpokal.tur konnte nicht gespeichert werden: kein Platz auf dem Datenträger");
    EXPECT_EQ(ui.boxes.back().kind, TMsgKind::Error);
    EXPECT_EQ(ReadProgramFile("stadtpokal.tur"), saved);
}

// --- a second program on the same file ---

namespace {

// This program has loaded pokal.tur as its current tournament; another program loads the same
// file, renames the tournament and saves it whenever the test says so.
class SecondProgramTest : public TournamentFileTest {
protected:
    void SetUp() override {
        TournamentFileTest::SetUp();
        WriteSmallTournament("Stadtpokal", "pokal.tur");
        LoadCurrent("pokal.tur");
    }
    void WriteSmallTournament(const std::string& title, const std::string& name) {
        LightForm writer;
        OpenTurnier(writer, title, title.substr(0, 2));
        AddSmallStructure(writer, "A", "1");
        Put(writer.Turnier, Turnier_DateiNameS, 1, Path(name), true);
        ASSERT_TRUE(saveTurnier(writer, false, false, false));
    }
    void LoadCurrent(const std::string& name) {
        ASSERT_TRUE(Load(Path(name)));
        if (form.AktTurNr > 0) AppendTurToMaster(form);
        ClearTables(form);
        form.AktTurNr = form.AnzTurniere;
        TakeTurFromMaster(form, form.AktTurNr);
    }
    void OtherProgramSaves(const std::string& name, const std::string& newName) {
        LightForm other;
        other.AnzTurniere = other.AktTurNr = 1;
        ASSERT_TRUE(LoadFileToMaster(other, Path(name), 1, nullptr));
        TakeTurFromMaster(other, 1);
        Put(other.Turnier, Turnier_Name, 1, newName, true);
        ASSERT_TRUE(saveTurnier(other, false, false, false));
    }
    std::string NameInFile(const std::string& name) {
        LightForm reader;
        reader.AnzTurniere = 1;
        EXPECT_TRUE(LoadFileToMaster(reader, Path(name), 1, nullptr));
        return reader.XMasterGrid.Cells(Turnier_Name, 1);
    }
    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : ui.boxes) texts.push_back(box.text);
        return texts;
    }
    static constexpr const char* kQuestion = "Die Datei pokal.tur wurde seit dem Laden geändert. Überschreiben?";
};

}  // namespace

TEST_F(SecondProgramTest, OverwritingWhatAnotherProgramSavedSinceTheLoadIsAskedFirst) {
    setTurChanged(form, true);
    OtherProgramSaves("pokal.tur", "Stadtpokal B");
    const std::string theirs = ReadProgramFile("pokal.tur");
    ui.QueueAnswer(mrNo);
    EXPECT_FALSE(saveTurnier(form, false, false, false));
    ASSERT_EQ(BoxTexts(), (std::vector<std::string>{kQuestion, "Turnier pokal.tur wurde nicht gespeichert; die Datei "
                                                                "bleibt, wie sie ist. Die Änderungen bleiben als "
                                                                "ungespeichert markiert."}));
    EXPECT_EQ(ui.boxes[0].kind, TMsgKind::Confirmation);
    EXPECT_EQ(ReadProgramFile("pokal.tur"), theirs);
    EXPECT_EQ(form.Turnier.Cells(Turnier_Changes, 1), "true");
    EXPECT_TRUE(form.calls.empty()) << "no \"Datei gespeichert\"";
    // Yes overwrites; the file just written is this program's own, and the next save asks nothing.
    ui.QueueAnswer(mrYes);
    EXPECT_TRUE(saveTurnier(form, false, false, false));
    EXPECT_EQ(NameInFile("pokal.tur"), "Stadtpokal");
    EXPECT_EQ(form.Turnier.Cells(Turnier_Changes, 1), "");
    ui.boxes.clear();
    EXPECT_TRUE(saveTurnier(form, false, false, false));
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(SecondProgramTest, AFileNobodyChangedOrThatWasDeletedIsWrittenUnasked) {
    EXPECT_TRUE(saveTurnier(form, false, false, false)) << "as loaded";
    EXPECT_TRUE(saveTurnier(form, false, false, false)) << "as saved";
    std::filesystem::remove(Path("pokal.tur"));
    EXPECT_TRUE(saveTurnier(form, false, false, false)) << "deleted: nothing of anyone's is lost";
    EXPECT_TRUE(std::filesystem::exists(Path("pokal.tur")));
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(SecondProgramTest, SaveAsAsksOntoItsOwnFileByAnyNameButNotOntoAnotherFile) {
    OtherProgramSaves("pokal.tur", "Stadtpokal B");
    std::filesystem::create_symlink(Path("pokal.tur"), Path("verweis.tur"));
    ui.QueueFile(Path("verweis.tur"));
    ui.QueueAnswer(mrNo);
    EXPECT_FALSE(saveTurnier(form, false, true, false));
    ASSERT_EQ(BoxTexts(), (std::vector<std::string>{"Die Datei verweis.tur wurde seit dem Laden geändert. Überschreiben?",
                                                     "Turnier verweis.tur wurde nicht gespeichert; die Datei bleibt, "
                                                     "wie sie ist."}))
        << "the link leads to the tournament's own file";
    EXPECT_EQ(NameInFile("pokal.tur"), "Stadtpokal B");
    ui.boxes.clear();
    ui.QueueFile(Path("kopie.tur"));
    EXPECT_TRUE(saveTurnier(form, false, true, false));
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(NameInFile("kopie.tur"), "Stadtpokal");
    EXPECT_EQ(NameInFile("pokal.tur"), "Stadtpokal B");
}

TEST_F(SecondProgramTest, EachOpenTournamentKeepsTheIdentityOfItsOwnFile) {
    WriteSmallTournament("Kreisliga", "kreisliga.tur");
    LoadCurrent("kreisliga.tur");
    OtherProgramSaves("pokal.tur", "Stadtpokal B");
    ui.QueueAnswer(mrNo);
    EXPECT_FALSE(saveTurnier(form, true, false, false)) << "the parked tournament's file is kept";
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{kQuestion, "Turnier pokal.tur wurde nicht gespeichert; die Datei "
                                                                "bleibt, wie sie ist."}));
    EXPECT_EQ(NameInFile("pokal.tur"), "Stadtpokal B");
    EXPECT_THAT(form.calls, ::testing::Contains("setStatusText(1,Datei gespeichert: kreisliga.tur)"));
    // The store carries the identity with the tournament's row when it changes places.
    AppendTurToMaster(form);
    ClearTables(form);
    form.AktTurNr = 1;
    TakeTurFromMaster(form, 1);
    ui.QueueAnswer(mrNo);
    EXPECT_FALSE(saveTurnier(form, false, false, false));
    EXPECT_EQ(ui.boxes.at(2).text, kQuestion);
}

TEST_F(SecondProgramTest, TheAutosaveNeverOverwritesAnotherProgramsSaveAndSaysSoOnce) {
    setTurChanged(form, true);
    OtherProgramSaves("pokal.tur", "Stadtpokal B");
    const std::string theirs = ReadProgramFile("pokal.tur");
    EXPECT_FALSE(autoSaveTurniere(form));
    EXPECT_FALSE(autoSaveTurniere(form));
    EXPECT_EQ(ReadProgramFile("pokal.tur"), theirs);
    EXPECT_EQ(form.Turnier.Cells(Turnier_Changes, 1), "true");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].kind, TMsgKind::Warning);
    EXPECT_EQ(LastBox(), "Die Datei pokal.tur wurde seit dem Laden geändert und wird nicht automatisch überschrieben."
                         "\r\n\r\n(Automatisches Speichern; die Änderungen bleiben als ungespeichert markiert. Beim "
                         "Speichern wird gefragt, ob die Datei überschrieben werden soll.)");
    EXPECT_THAT(ReadProgramFile("error.log"), HasSubstr("[X] Automatisches Speichern: Die Datei pokal.tur wurde seit "
                                                        "dem Laden geändert und wird nicht automatisch überschrieben"));
    EXPECT_FALSE(form.AutoSaveFehlerGezeigt) << "kept, not failed";
    // Once saved by hand, a later change by the other program is shown again.
    ui.QueueAnswer(mrYes);
    ASSERT_TRUE(saveTurnier(form, false, false, false));
    setTurChanged(form, true);
    EXPECT_TRUE(autoSaveTurniere(form));
    OtherProgramSaves("pokal.tur", "Stadtpokal C");
    setTurChanged(form, true);
    EXPECT_FALSE(autoSaveTurniere(form));
    EXPECT_EQ(ui.boxes.size(), 3u);
    EXPECT_EQ(NameInFile("pokal.tur"), "Stadtpokal C");
}

TEST_F(SecondProgramTest, TheAutosaveLeavesAnUnchangedTournamentsFileAlone) {
    struct stat before {}, after {};
    ASSERT_EQ(stat(Path("pokal.tur").c_str(), &before), 0);
    EXPECT_TRUE(autoSaveTurniere(form));
    ASSERT_EQ(stat(Path("pokal.tur").c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "not written: another program sees no change";
    OtherProgramSaves("pokal.tur", "Stadtpokal B");
    EXPECT_TRUE(autoSaveTurniere(form));
    EXPECT_TRUE(ui.boxes.empty()) << "nothing to save, nothing to say";
}

namespace {

// Another program's save put in the file's place by plain renaming, as a program that knows no
// lock would do it, from a copy it wrote beforehand.
void PutInPlace(const std::string& copy, const std::string& target) {
    std::filesystem::copy_file(copy, target + ".anderes", std::filesystem::copy_options::overwrite_existing);
    std::filesystem::rename(target + ".anderes", target);
}

// The file system as the save sees it, with another program's save landing right after the
// rename that put this program's file in place, before this program could look at its file.
class SavedRightAfterTheRename : public FileOperations {
public:
    SavedRightAfterTheRename(std::string copy, std::string target) : copy_(std::move(copy)), target_(std::move(target)) {}
    bool SyncFolder(const std::string& folder) override {
        if (!done_) PutInPlace(copy_, target_);
        done_ = true;
        return FileOperations::SyncFolder(folder);
    }

private:
    std::string copy_, target_;
    bool done_ = false;
};

// Answers the question whether to overwrite with yes, after another process has put a symbolic
// link to the program's name list in the place of the file while the user thought.
class LinkSwappedWhileAsked : public ScriptedUiHost {
public:
    LinkSwappedWhileAsked(std::string file, std::string linkTarget)
        : file_(std::move(file)), linkTarget_(std::move(linkTarget)) {}
    int MessageBox(TMsgKind kind, const std::string& text, TMsgButtons buttons) override {
        if (buttons != TMsgButtons::YesNo) return ScriptedUiHost::MessageBox(kind, text, buttons);
        boxes.push_back({kind, text, buttons});
        std::filesystem::remove(file_);
        std::filesystem::create_symlink(linkTarget_, file_);
        return mrYes;
    }

private:
    std::string file_, linkTarget_;
};

}  // namespace

TEST_F(SecondProgramTest, AnotherProgramsSaveRightAfterThisOnesRenameIsNeverTakenForThisOnesOwn) {
    WriteSmallTournament("Stadtpokal B", "von_b.tur");
    {
        SavedRightAfterTheRename operations(Path("von_b.tur"), Path("pokal.tur"));
        ScopedFileOperations scope(operations);
        ASSERT_TRUE(saveTurnier(form, false, false, false));
    }
    ui.QueueAnswer(mrNo);
    EXPECT_FALSE(saveTurnier(form, false, false, false));
    ASSERT_FALSE(ui.boxes.empty());
    EXPECT_EQ(ui.boxes[0].text, kQuestion) << "the file in place is the other program's";
    EXPECT_EQ(NameInFile("pokal.tur"), "Stadtpokal B");
}

// On a file system of whole seconds, a save in the same second, of the same size, onto an inode
// the system has just freed, leaves the inode, size and time this program saw: only the content
// tells the versions apart. Written in place here, which leaves all three as they were.
TEST_F(SecondProgramTest, AnotherVersionWithTheSameInodeSizeAndTimeIsStillAnotherVersion) {
    const std::string path = Path("pokal.tur");
    struct stat before {};
    ASSERT_EQ(stat(path.c_str(), &before), 0);
    std::string bytes = ReadProgramFile("pokal.tur");
    const size_t table = bytes.find("\r\n", bytes.find("\r\n", bytes.find("\r\n") + 2) + 2) + 2;
    std::swap(bytes[table + 1], bytes[table + 3]);
    {
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    struct stat after {};
    ASSERT_EQ(stat(path.c_str(), &after), 0);
    ASSERT_EQ(after.st_ino, before.st_ino);
    ASSERT_EQ(after.st_size, before.st_size);
    ui.QueueAnswer(mrNo);
    EXPECT_FALSE(saveTurnier(form, false, false, false));
    ASSERT_FALSE(ui.boxes.empty());
    EXPECT_EQ(ui.boxes[0].text, kQuestion);
    EXPECT_EQ(ReadProgramFile("pokal.tur"), bytes);
}

TEST_F(SecondProgramTest, ALinkSwappedInWhileTheUserIsAskedIsNeverWrittenThrough) {
    setTurChanged(form, true);
    WriteProgramFile("teams.dat", "Adler\r\nBären\r\n");
    OtherProgramSaves("pokal.tur", "Stadtpokal B");
    LinkSwappedWhileAsked asked(Path("pokal.tur"), Path("teams.dat"));
    SetUiHost(&asked);
    const bool saved = saveTurnier(form, false, false, false);
    SetUiHost(&ui);
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadProgramFile("teams.dat"), "Adler\r\nBären\r\n") << "the name list is not the tournament's file";
    EXPECT_TRUE(std::filesystem::is_symlink(Path("pokal.tur")));
    ASSERT_EQ(asked.boxes.size(), 2u);
    EXPECT_EQ(asked.boxes[0].text, kQuestion);
    EXPECT_EQ(asked.boxes[1].text, "Turnier pokal.tur kann nicht gespeichert werden: an die Stelle der Datei " +
                                       Path("pokal.tur") + " ist eine symbolische Verknüpfung getreten");
    EXPECT_EQ(form.Turnier.Cells(Turnier_Changes, 1), "true");
}

// A name of 7 MB (as a file of the older version, whose lines are 2.5 times shorter, may bring
// it): the current version's line of the tournament would be longer than any load reads.
TEST_F(TournamentFileTest, ASaveThatWouldWriteALineNoLoadReadsIsRefusedAndTheFileStays) {
    OpenSaved("Grosspreis", "gross.tur");
    ASSERT_TRUE(saveTurnier(form, false, false, false));
    const std::string before = ReadBytes(Path("gross.tur"));
    Put(form.Turnier, Turnier_Name, 1, std::string(7 * 1024 * 1024, 'x'), true);
    setTurChanged(form, true);
    EXPECT_FALSE(saveTurnier(form, false, false, false));
    EXPECT_EQ(LastBox(), "Turnier gross.tur konnte nicht gespeichert werden: eine Zeile wäre länger, als das Programm "
                         "sie lesen kann (mehr als 16 MiB)");
    EXPECT_TRUE(!ui.boxes.empty() && ui.boxes.back().kind == TMsgKind::Error);
    EXPECT_TRUE(ReadBytes(Path("gross.tur")) == before) << "the file stays one the program reads";
    EXPECT_EQ(form.Turnier.Cells(Turnier_Changes, 1), "true");
}

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "LightForm.h"
#include "ScrambledFiles.h"
#include "TestEnvironment.h"
#include "TurnierBuilder.h"
#include "dialogs/Dialogs.h"
#include "engine/TurnierWechsel.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Tables.h"
#include "foundation/Texts.h"
#include "foundation/files/TournamentFile.h"
#include "platform/UiHost.h"

using namespace turnier_builder;
using namespace scrambled_files;
using ::testing::Contains;
using ::testing::HasSubstr;

namespace {

class TurnierDateienTest : public ProgramTest {
protected:
    LightForm form;

    std::string Path(const std::string& name) const { return folder + name; }
    std::string CopyGolden(const std::string& name = "stadtpokal.tur") {
        std::filesystem::copy_file(GoldenPath("stadtpokal.tur"), Path(name));
        return Path(name);
    }
    // The load command with files given as the terminal gives them.
    int LoadFiles(std::initializer_list<std::string> files) {
        form.ShowLoadDialog = false;
        form.OpenDialog1.Files.Clear();
        for (const std::string& file : files) form.OpenDialog1.Files.Add(file);
        const int loaded = turniereLaden(form);
        form.ShowLoadDialog = true;
        return loaded;
    }
    std::string LastBox() const { return ui.boxes.empty() ? "" : ui.boxes.back().text; }
    void OpenSaved(const std::string& title, const std::string& name) {
        OpenTurnier(form, title, title.substr(0, 2));
        AddSmallStructure(form, "A", "1");
        if (!name.empty()) Put(form.Turnier, Turnier_DateiNameS, 1, Path(name), true);
    }
};

// The golden tournament file as the program writes it back from `path`: only the file's name in
// the tournament row (line 11) differs.
std::string GoldenSavedAs(const std::string& path) {
    auto lines = SplitLines(ReadBytes(GoldenPath("stadtpokal.tur")), "\r\n");
    std::string data;
    EXPECT_TRUE(InterleaveData(lines[10], data));
    auto cells = SplitLines(data, "\x15\x16");
    cells[Turnier_DateiNameS] = path;
    cells[Turnier_DateiName] = FileNameOf(path);
    std::string line;
    for (const std::string& cell : cells)
        for (char c : cell + "\x15\x16") line += (line.size() % 5 == 0 ? "," : line.size() % 5 == 2 ? ",," : "") + std::string(1, c);
    lines[10] = line;
    std::string file;
    for (const std::string& l : lines) file += l + "\r\n";
    return file;
}

}  // namespace

// --- the golden file ---

TEST_F(TurnierDateienTest, GoldenFileIsWrittenBackByteForByteFillerAside) {
    const std::string path = CopyGolden();
    ASSERT_EQ(LoadFiles({path}), 1);
    EXPECT_EQ(form.AktTurNr, 1);
    EXPECT_EQ(form.Label39.Caption(), "[SP] Stadtpokal");
    ASSERT_TRUE(saveTurnier(form, false, false, false));
    EXPECT_EQ(FirstDifference(ReadBytes(path), GoldenSavedAs(path), "\r\n", 3), "");
    EXPECT_EQ(ReadProgramFile("error.log"), "");
}

// --- the load command ---

TEST_F(TurnierDateienTest, TwoFilesLoadedBesideAnOpenTournamentTakeTheNextNumbers) {
    OpenSaved("Kreisliga", "");
    const std::string first = CopyGolden("a.tur");
    const std::string second = CopyGolden("b.tur");
    ASSERT_EQ(LoadFiles({first, second}), 2);
    EXPECT_EQ(form.AnzTurniere, 3);
    EXPECT_EQ(form.AktTurNr, 2);
    EXPECT_EQ(form.Turnier.Cells(Turnier_DateiNameS, 1), first);
    EXPECT_EQ(form.XComboBox1.ItemIndex(), 1);
    EXPECT_EQ(form.XComboBox1.Items.ToVector(),
              (std::vector<std::string>{"[Kr] Kreisliga", "[SP] Stadtpokal", "[SP] Stadtpokal"}));
    EXPECT_EQ(form.XMasterGrid.Cells(Turnier_Name, MasterTurnierRow(form, 1)), "Kreisliga");
    EXPECT_EQ(form.XMasterGrid.Cells(Turnier_DateiNameS, MasterTurnierRow(form, 3)), second);
    EXPECT_THAT(form.calls, Contains("showMenuEmpty(false)"));
    EXPECT_THAT(form.calls, Contains("setStatusText(1,Datei geladen: b.tur)"));
}

TEST_F(TurnierDateienTest, SameFileUnderAnyNameLoadsOnlyOnce) {
    const std::string path = CopyGolden();
    ASSERT_EQ(LoadFiles({path}), 1);
    std::filesystem::create_directories(Path("ordner"));
    std::filesystem::create_symlink(path, Path("verweis.tur"));
    EXPECT_EQ(LoadFiles({path, Path("ordner/../stadtpokal.tur"), Path("verweis.tur")}), 0);
    ASSERT_EQ(ui.boxes.size(), 3u);
    EXPECT_EQ(ui.boxes[0].text, "Datei wurde schon geladen\r\n\r\n" + path);
    EXPECT_EQ(ui.boxes[0].kind, TMsgKind::Information);
    EXPECT_EQ(form.AnzTurniere, 1);
    EXPECT_EQ(form.XComboBox1.Items.Count(), 1);
}

TEST_F(TurnierDateienTest, RefusedFileLeavesEverythingAsItWas) {
    OpenSaved("Kreisliga", "");
    setTurChanged(form, true);
    const TurnierRows current = CurrentRows(form);
    WriteTurFile(Path("kaputt.tur"), {{"1", "1", "", "Cup"}, {"1", "9"}});
    EXPECT_EQ(LoadFiles({Path("kaputt.tur"), Path("gibtsnicht.tur")}), 0);
    EXPECT_THAT(ui.boxes[0].text, HasSubstr("Datei 'kaputt.tur' ist beschädigt"));
    EXPECT_EQ(ui.boxes[1].text, "Die Datei " + Path("gibtsnicht.tur") + " gibt es nicht");
    EXPECT_EQ(form.AnzTurniere, 1);
    EXPECT_EQ(form.AktTurNr, 1);
    EXPECT_EQ(CurrentRows(form), current);
    EXPECT_EQ(form.XMasterGrid.RowCount(), 2);
    EXPECT_EQ(form.XComboBox1.Items.Count(), 1);
}

TEST_F(TurnierDateienTest, NothingLoadedWithNothingOpenLeavesTheWindowEmpty) {
    ui.QueueFile(Path("fehlt.tur"));
    EXPECT_EQ(turniereLaden(form), 0);
    EXPECT_EQ(form.OpenDialog1.Title, "Ein oder mehrere Turniere laden");
    EXPECT_EQ(form.OpenDialog1.Filter,
              "Marovelkandis4 Dateien (*.tur)|*.tur|Marovelkandis3 Dateien (*.tur,*.spl)|*.tur;*.spl");
    EXPECT_THAT(form.calls, Contains("showMenuEmpty(true)"));
    EXPECT_EQ(form.Panel11.Caption(), "");
    ui.QueueFile("");
    EXPECT_EQ(turniereLaden(form), 0) << "cancelled";
}

// A stored form prepared with participants is loaded without asking for the file; its default
// participant names take the prepared ones.
TEST_F(TurnierDateienTest, APreparedStoredFormLoadsWithItsParticipants) {
    TfrmTurPhase& phase = DialogsOf(form).frmTurPhase;
    phase.TurPhaseArt = kTurPhaseGespeichert;
    auto row = [](std::vector<std::string> cells) {
        cells.resize(31);
        return cells;
    };
    phase.TurFormDatei = Path("vorlage.tur");
    WriteTurFile(phase.TurFormDatei, {row({"1", "1", "", "Vorlage", "", "", "3"}),
                                      row({"1", "3", "1", "", "", "", "Mannschaft 1", "", "", "1"}),
                                      row({"1", "3", "2", "", "", "", "Mannschaft 2", "", "", "2"}),
                                      row({"1", "3", "3", "", "", "", "Mannschaft 3", "", "", "3"})});
    phase.Teilnehmer.Add("Nord");
    phase.Teilnehmer.Add("Süd");
    EXPECT_EQ(turniereLaden(form), 1);
    EXPECT_EQ(Get(form.Turnier, Turnier_DateiNameS, 1, true), Path("vorlage.tur"));
    EXPECT_EQ(Get(form.Turnier, Turnier_Changes, 1, true), "true") << "the names are not in the file yet";
    std::vector<std::string> given;
    for (int r = 1; r < form.Teams.RowCount(); ++r) {
        const std::string name = Get(form.Teams, Teams_Name, r, true);
        if (!name.empty()) given.push_back(name + "=" + Get(form.Teams, Teams_Name_Tur, r, true));
    }
    EXPECT_THAT(given, ::testing::ElementsAre("Mannschaft 1=Nord", "Mannschaft 2=Süd", "Mannschaft 3="));
}

// A stored form whose group has been played on keeps every name, as names from a text file do.
TEST_F(TurnierDateienTest, APreparedStoredFormThatHasBegunKeepsItsNames) {
    TfrmTurPhase& phase = DialogsOf(form).frmTurPhase;
    phase.TurPhaseArt = kTurPhaseGespeichert;
    auto row = [](int kind, std::vector<std::pair<int, std::string>> values) {
        std::vector<std::string> cells(31);
        cells[0] = "1";
        cells[1] = IntToStr(kind);
        for (const auto& [column, value] : values) cells[static_cast<size_t>(column)] = value;
        return cells;
    };
    phase.TurFormDatei = Path("begonnen.tur");
    WriteTurFile(phase.TurFormDatei,
                 {row(1, {{3, "Begonnen"}, {6, "2"}}), row(2, {{Gruppe_Nr, "1"}, {Gruppe_Bez, "A"}, {Gruppe_State, "Edit"}}),
                  row(3, {{Teams_Nr, "1"}, {Teams_Name, "Mannschaft 1"}, {Teams_Name_Tur, "Adler"}, {Teams_InGr, "1"}}),
                  row(3, {{Teams_Nr, "2"}, {Teams_Name, "Mannschaft 2"}, {Teams_Name_Tur, "Bären"}, {Teams_InGr, "1"}})});
    phase.Teilnehmer.Add("Nord");
    phase.Teilnehmer.Add("Süd");
    EXPECT_EQ(turniereLaden(form), 1);
    EXPECT_THAT(ui.boxes, ::testing::Contains(::testing::Field(&MessageBoxRecord::text, "Turnier hat schon begonnen")));
    EXPECT_EQ(Get(form.Teams, Teams_Name_Tur, 1, true), "Adler");
    EXPECT_EQ(Get(form.Teams, Teams_Name_Tur, 2, true), "Bären");
}

TEST_F(TurnierDateienTest, NinetyNineOpenTournamentsTakeNoMore) {
    const std::string path = CopyGolden();
    form.AnzTurniere = 99;
    EXPECT_EQ(LoadFiles({path}), 0);
    EXPECT_EQ(LastBox(), "Es können höchstens 99 Turniere geöffnet sein; " + path + " wurde nicht geladen");
    EXPECT_EQ(form.AnzTurniere, 99);
}

// --- closing the current tournament ---

class CloseTest : public TurnierDateienTest {
protected:
    void SetUp() override {
        TurnierDateienTest::SetUp();
        for (const char* name : {"Erster", "Zweiter", "Dritter"}) OpenSaved(name, "");
    }
    void Select(int n) {
        form.XComboBox1.SetItemIndex(n - 1);
        turnierWechseln(form);
    }
};

TEST_F(CloseTest, ClosingTheFirstMakesTheNextOneCurrent) {
    Select(1);
    ASSERT_TRUE(aktuellesTurnierEntfernen(form));
    EXPECT_EQ(form.AnzTurniere, 2);
    EXPECT_EQ(form.AktTurNr, 1);
    EXPECT_EQ(form.Turnier.Cells(Turnier_Name, 1), "Zweiter");
    EXPECT_EQ(form.Turnier.Cells(0, 1), "1");
    EXPECT_EQ(form.Label39.Caption(), "[Zw] Zweiter");
    EXPECT_EQ(form.XComboBox1.Items.ToVector(), (std::vector<std::string>{"[Zw] Zweiter", "[Dr] Dritter"}));
    EXPECT_EQ(form.XComboBox1.ItemIndex(), 0);
    EXPECT_EQ(form.XMasterGrid.Cells(Turnier_Name, MasterTurnierRow(form, 2)), "Dritter");
    for (int r = 1; r < form.XMasterGrid.RowCount(); ++r) EXPECT_EQ(form.XMasterGrid.Cells(0, r), "2");
}

TEST_F(CloseTest, ClosingALaterOneMakesTheOneBeforeCurrent) {
    Select(2);
    ASSERT_TRUE(aktuellesTurnierEntfernen(form));
    EXPECT_EQ(form.AktTurNr, 1);
    EXPECT_EQ(form.Turnier.Cells(Turnier_Name, 1), "Erster");
    Select(2);
    EXPECT_EQ(form.Turnier.Cells(Turnier_Name, 1), "Dritter");
}

TEST_F(CloseTest, ClosingTheLastOneLeavesNone) {
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(aktuellesTurnierEntfernen(form));
    EXPECT_EQ(form.AnzTurniere, 0);
    EXPECT_EQ(form.AktTurNr, 0);
    EXPECT_EQ(form.XComboBox1.Items.Count(), 0);
    EXPECT_EQ(form.XMasterGrid.RowCount(), 2);
    EXPECT_EQ(form.XMasterGrid.Cells(0, 1), "");
    EXPECT_EQ(form.Turnier.Cells(Turnier_Name, 1), "");
    EXPECT_EQ(form.Label39.Caption(), "");
    EXPECT_EQ(form.calls.back(), "showMenuEmpty(true)");
    EXPECT_FALSE(aktuellesTurnierEntfernen(form));
}

TEST_F(CloseTest, UnsavedChangesAreOfferedForSavingFirst) {
    setTurChanged(form, true);
    ui.QueueAnswer(mrYes);
    ui.QueueFile("");
    EXPECT_FALSE(aktuellesTurnierEntfernen(form)) << "the save was cancelled: it stays open";
    EXPECT_EQ(form.AnzTurniere, 3);
    EXPECT_EQ(LastBox(), lngText(85));
    ui.QueueAnswer(mrYes);
    ui.QueueFile(Path("dritter.tur"));
    EXPECT_TRUE(aktuellesTurnierEntfernen(form));
    EXPECT_TRUE(std::filesystem::exists(Path("dritter.tur")));
    setTurChanged(form, true);
    ui.QueueAnswer(mrNo);
    EXPECT_TRUE(aktuellesTurnierEntfernen(form));
    EXPECT_EQ(form.AnzTurniere, 1);
}

// A folder, a pipe or a device in place of a tournament file is there; it is named for what it is.
TEST_F(TurnierDateienTest, WhatIsNoFileIsNamedAndNotLoaded) {
    std::filesystem::create_directories(Path("ordner.tur"));
    ASSERT_EQ(mkfifo(Path("rohr.tur").c_str(), 0600), 0);
    EXPECT_EQ(LoadFiles({Path("ordner.tur"), Path("rohr.tur"), "/dev/null"}), 0);
    ASSERT_EQ(ui.boxes.size(), 3u);
    EXPECT_EQ(ui.boxes[0].text, Path("ordner.tur") + " ist ein Ordner und keine Datei");
    EXPECT_EQ(ui.boxes[1].text, Path("rohr.tur") + " ist eine benannte Pipe und keine Datei");
    EXPECT_EQ(ui.boxes[2].text, "/dev/null ist ein Gerät und keine Datei");
    EXPECT_EQ(form.AnzTurniere, 0);
}

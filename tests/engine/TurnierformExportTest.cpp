#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "LightForm.h"
#include "ScrambledFiles.h"
#include "TestEnvironment.h"
#include "TurnierBuilder.h"
#include "dialogs/Dialogs.h"
#include "dialogs/FormGenerators.h"
#include "engine/TurnierformExport.h"
#include "foundation/files/TournamentForms.h"
#include "platform/FileOperations.h"

using namespace turnier_builder;
using namespace scrambled_files;
using ::testing::HasSubstr;

namespace {

class TurnierformExportTest : public ProgramTest {
protected:
    LightForm form;

    void SetUp() override {
        ProgramTest::SetUp();
        WriteProgramFile("EigenForm.dat", FormFileHeader()[0] + "\r\n" + FormFileHeader()[1] + "\r\n");
        OpenTurnier(form, "Stadtpokal", "SP");
    }
    void Group(const std::string& round, const std::string& roundName, const std::string& id, const std::string& name,
               const std::string& system, const std::string& teams) {
        const int row = AddRow(form, TabelleGruppe, {});
        for (auto [column, text] : {std::pair{Gruppe_Nr, IntToStr(row)}, {Gruppe_Bez, id}, {Gruppe_Name, name},
                                    {Gruppe_Teams, teams}, {Gruppe_System, system}, {Gruppe_RNr, round},
                                    {Gruppe_RundeName, roundName}})
            Put(form.Gruppe, column, row, text, true);
        form.XAGruppBez.Items.Add(id);
    }
    // A final placing slot for place p that takes its participant from a game.
    void Placing(int place, const std::string& kind, int game) {
        AddRow(form, TabelleTeams, {"", "", IntToStr(game), "0", "", "", "", IntToStr(place), "0", "", kind});
    }
    void Export(std::vector<std::string> dialogLines) {
        dialogLines.push_back("ok");
        ui.QueueDialog(dialogLines);
        turnierformExportieren(form);
    }
    std::string LastBox() const { return ui.boxes.empty() ? "" : ui.boxes.back().text; }
};

}  // namespace

TEST_F(TurnierformExportTest, TwoRecordsAreWrittenAsTheGoldenFileHasThem) {
    Put(form.Turnier, Turnier_AnzMann, 1, "4", true);
    form.XAGruppBez.Items.Add("[EMPTY]");
    Group("1", "Vorrunde", "A", "Gruppe A", "JGJ", "M1;M2");
    Group("1", "Vorrunde", "B", "Gruppe B", "JGJ", "M3;M4");
    Group("2", "Finale", "F", "Finale", "SV", "1.A;1.B");
    Placing(1, "S", 3);
    Placing(2, "V", 3);
    form.Label42.SetCaption("2");
    Export({"Kurzbeschreibung=Zwei Gruppen$Finale", "Beschreibung=Zwei Gruppen, dann das Finale\\nFür vier Mannschaften"});
    EXPECT_EQ(LastBox(), "Turnier wurde exportiert");
    EXPECT_EQ(ui.dialogCaptions.back(), "Turnierform exportieren");

    form.AktTurNr = 0;
    ClearTables(form);
    form.AnzTurniere = 0;
    OpenTurnier(form, "Liga", "L");
    Put(form.Turnier, Turnier_AnzMann, 1, "3", true);
    Group("1", "Runde 1", "A", "Jeder gegen Jeden", "JGJ", "M1;M2;M3");
    for (int g = 1; g <= 3; ++g) AddRow(form, TabelleSpielplan, {IntToStr(g)});
    form.Label42.SetCaption("1");
    Export({"Kurzbeschreibung=Jeder gegen jeden", "Beschreibung=Turnierform mit 1 Runden und 3 Spielen"});
    EXPECT_EQ(DialogsOf(form).frmExport.Edit3.Text(), "3");
    EXPECT_EQ(ReadProgramFile("EigenForm.dat"), ReadBytes(GoldenPath("EigenForm.dat")));
}

TEST_F(TurnierformExportTest, GoldenFileGivesTheWizardItsTwoRecords) {
    const auto records = ReadFormRecords(GoldenPath("EigenForm.dat"));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].count, 4);
    EXPECT_EQ(records[0].shortText, "Zwei Gruppen?Finale");
    EXPECT_EQ(records[0].form,
              "!Vorrunde|$A$Gruppe A$JGJ$M1;M2|$B$Gruppe B$JGJ$M3;M4|!Finale|$F$Finale$SV$1.A;1.B|<$$>S3;V3;");
    EXPECT_EQ(records[0].description, "Zwei Gruppen, dann das Finale\nFür vier Mannschaften");
    EXPECT_EQ(records[1].form, "!Runde 1|$A$Jeder gegen Jeden$JGJ$M1;M2;M3|<$$>");
    EXPECT_EQ(records[1].description, "Turnierform mit 1 Runden und 3 Spielen");
}

TEST_F(TurnierformExportTest, DialogIsFilledFromTheTournament) {
    Put(form.Turnier, Turnier_AnzMann, 1, "8", true);
    form.Label42.SetCaption("3");
    form.TeamTyps = "Spieler";
    DialogsOf(form).frmExport.Label5.SetCaption("Spieler");
    ui.QueueDialog({"abbrechen"});
    turnierformExportieren(form);
    const TfrmExport& dialog = DialogsOf(form).frmExport;
    EXPECT_EQ(dialog.Edit1.Text(), "8");
    EXPECT_EQ(dialog.Edit2.Text(), "3");
    EXPECT_EQ(dialog.Edit3.Text(), "0") << "an empty game plan has no games";
    EXPECT_EQ(dialog.Memo1.Lines.ToVector(),
              (std::vector<std::string>{"Turnierform mit 3 Runden und 0 Spielen", "Beschreibung....."}));
    EXPECT_TRUE(ui.boxes.empty()) << "cancelled: nothing stored, nothing said";
    EXPECT_EQ(ReadFormRecords(folder + "EigenForm.dat").size(), 0u);
}

TEST_F(TurnierformExportTest, RecordEndsWithTheMarkerWhenThereIsNoFinalPlacing) {
    Group("1", "R", "A", "A", "JGJ", "M1;M2");
    Group("1", "R", "B", "B", "JGJ", "M3;M4");
    Group("2", "S", "C", "C", "SV", "1.A;1.B");
    Group("2", "S", "D", "D", "SV", "2.A;2.B");
    EXPECT_EQ(TurnierformOfTurnier(form), "!R|$A$A$JGJ$M1;M2|$B$B$JGJ$M3;M4|!S|$C$C$SV$1.A;1.B|$D$D$SV$2.A;2.B|<$$>");
}

TEST_F(TurnierformExportTest, NamesTheGrammarWouldMisreadAreRefused) {
    Group("1", "Runde 1", "A", "Gruppe A", "JGJ", "M1;M2");
    EXPECT_EQ(UnstorableTurnierformName(form), "");
    for (auto [column, text] : {std::pair{Gruppe_Name, "Gruppe A|B"}, {Gruppe_Name, "Nord!"}, {Gruppe_Bez, "A$"},
                                {Gruppe_RundeName, "Runde; 1"}, {Gruppe_Teams, "M1;M2|"}}) {
        const std::string old = form.Gruppe.Cells(column, 1);
        Put(form.Gruppe, column, 1, text, true);
        EXPECT_THAT(UnstorableTurnierformName(form), HasSubstr(text));
        Put(form.Gruppe, column, 1, old, true);
    }
    Put(form.Gruppe, Gruppe_Name, 1, "Gruppe $1", true);
    turnierformExportieren(form);
    EXPECT_EQ(LastBox(), "Die Turnierform kann nicht exportiert werden: Der Gruppenname \"Gruppe $1\" enthält eines der "
                         "Zeichen $ | ! ; oder einen Zeilenumbruch.\r\n\r\nBitte ändern Sie den Namen zuerst.");
    EXPECT_EQ(ui.boxes.back().kind, TMsgKind::Warning);
    EXPECT_TRUE(ui.dialogCaptions.empty()) << "refused before the dialog";
}

TEST_F(TurnierformExportTest, MissingFileIsAWarningNotASuccess) {
    std::remove((folder + "EigenForm.dat").c_str());
    Group("1", "Runde 1", "A", "Gruppe A", "JGJ", "M1;M2");
    Export({});
    EXPECT_EQ(LastBox(), "Die Turnierform wurde nicht exportiert: die Datei " + folder +
                             "EigenForm.dat fehlt oder kann nicht geschrieben werden.");
    EXPECT_EQ(ui.boxes.back().kind, TMsgKind::Warning);
    EXPECT_FALSE(ProgramFileExists("EigenForm.dat"));
}

// --- the forms file as it is found ---

// An editor may leave the last description without its line end: the form appended must not
// become part of it.
TEST_F(TurnierformExportTest, AFormIsAppendedOnLinesOfItsOwn) {
    WriteProgramFile("EigenForm.dat", FormFileHeader()[0] + "\r\n" + FormFileHeader()[1] + "\r\n" +
                                          "3|Alt|!R|$A$A$JGJ$M1;M2;M3|<$$>\r\n|Beschreibung alt");
    Group("1", "Runde 1", "A", "Gruppe A", "JGJ", "M1;M2");
    Export({"Kurzbeschreibung=Neu", "Beschreibung=Neue Form"});
    EXPECT_EQ(LastBox(), "Turnier wurde exportiert");
    const std::vector<FormRecord> records = ReadFormRecords(folder + "EigenForm.dat");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].description, "Beschreibung alt");
    EXPECT_EQ(records[1].shortText, "Neu");
    EXPECT_EQ(records[1].description, "Neue Form");
}

// A form behind a part of the file that is never read would be lost, though stored.
TEST_F(TurnierformExportTest, NothingIsAddedBehindAPartNobodyReads) {
    Group("1", "Runde 1", "A", "Gruppe A", "JGJ", "M1;M2");
    const std::string header = FormFileHeader()[0] + "\r\n";
    const std::pair<std::string, std::string> files[] = {
        {std::string("\xff\xfe" "B\0i\0t\0t\0e\0\r\0\n\0", 16), "kann nicht vollständig gelesen werden: Zeile 1 enthält Zeichen"},
        {header + "4|Form|<$$>\r\n|Binär\x01\x02\r\n", "kann nicht vollständig gelesen werden: Zeile 3 enthält Zeichen"},
        {header + "##ENDE##\r\n", "endet mit der Zeile „##ENDE##“"}};
    for (const auto& [content, problem] : files) {
        WriteProgramFile("EigenForm.dat", content);
        ui.boxes.clear();
        turnierformExportieren(form);
        EXPECT_THAT(LastBox(), HasSubstr("Die Datei " + folder + "EigenForm.dat " + problem));
        EXPECT_THAT(LastBox(), HasSubstr("Die Turnierform wurde nicht exportiert."));
        EXPECT_EQ(ui.boxes.back().kind, TMsgKind::Error);
        EXPECT_TRUE(ui.dialogCaptions.empty()) << "refused before the dialog";
        EXPECT_EQ(ReadProgramFile("EigenForm.dat"), content);
    }
}

TEST_F(TurnierformExportTest, AFullDiskIsNamedAndTheFileStaysAsItWas) {
    Group("1", "Runde 1", "A", "Gruppe A", "JGJ", "M1;M2");
    const std::string before = ReadProgramFile("EigenForm.dat");
    {
        FullDiskFileOperations full(10);
        ScopedFileOperations scope(full);
        Export({"Kurzbeschreibung=Neu"});
    }
    EXPECT_EQ(LastBox(), "Die Turnierform wurde nicht in die Datei " + folder +
                             "EigenForm.dat exportiert: kein Platz auf dem Datenträger.");
    EXPECT_EQ(ui.boxes.back().kind, TMsgKind::Error);
    EXPECT_EQ(ReadProgramFile("EigenForm.dat"), before);
}

// A control character in a stored line would make the file read as damaged from there on.
TEST_F(TurnierformExportTest, NoControlCharacterReachesTheFile) {
    Group("1", "Runde 1", "A", "Gruppe\tA", "JGJ", "M1;M2");
    EXPECT_EQ(UnstorableTurnierformName(form), "Der Gruppenname \"Gruppe\tA\" enthält Zeichen, die kein Text sind");
    EXPECT_EQ(StructureLine("4", "Kurz\tText", "<$$>"), "4|Kurz Text|<$$>");
    EXPECT_EQ(DescriptionLine("Zeile\r\nund\tmehr"), "|Zeile&&und mehr");
}

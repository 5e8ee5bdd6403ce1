#include <gtest/gtest.h>

#include <filesystem>

#include "EngineFixture.h"
#include "engine/NameLists.h"
#include "foundation/files/LineFile.h"
#include "platform/FileOperations.h"

class NameListTest : public EngineTest {
protected:
    std::vector<std::string> Captions(const TListView& view) {
        std::vector<std::string> out;
        for (const auto& item : view.Items) out.push_back(item.Caption);
        return out;
    }
    void AddTeamName(const std::string& name) {
        form->Edit14.SetText(name);
        addPersonName(*form);
    }
    void Select(TListView& view, const std::string& caption) {
        for (auto& item : view.Items)
            if (item.Caption == caption) item.Selected = true;
    }
};

TEST_F(NameListTest, SameNameIsStoredOnce) {
    AddTeamName("Zebras");
    AddTeamName("Adler");
    AddTeamName("Zebras");
    EXPECT_EQ(ReadProgramFile("teams.dat"), "Zebras\r\nAdler\r\n");
    EXPECT_EQ(Captions(form->ListView2), (std::vector<std::string>{"Adler", "Zebras"}));
    EXPECT_EQ(form->Edit14.Text(), "");
}

TEST_F(NameListTest, LongNameIsCutToThirtyCharacters) {
    const std::string name = "Sportfreunde Größlingen-Übersee 1899";  // 36 characters
    AddTeamName(name);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Name wurde auf 30 gekürzt");
    const std::string cut = "Sportfreunde Größlingen-Überse";
    EXPECT_EQ(ReadNameList("teams.dat"), std::vector<std::string>{cut});
}

TEST_F(NameListTest, EmptyNameIsRefused) {
    AddTeamName("");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Bitte geben Sie einen Mannschaftsnamen ein");
    EXPECT_FALSE(ProgramFileExists("teams.dat"));
}

// A name of blanks would be assigned like a name and start a tournament with a nameless team.
TEST_F(NameListTest, BlanksAroundANameAreDroppedAndBlanksAloneAreNoName) {
    AddTeamName("   \t ");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Bitte geben Sie einen Mannschaftsnamen ein");
    AddTeamName("  Adler ");
    AddTeamName("Adler");
    EXPECT_EQ(ReadProgramFile("teams.dat"), "Adler\r\n");
    WriteProgramFile("neu.txt", "  \r\n Bären \r\n");
    ui.QueueFile(folder + "neu.txt");
    importNameFile(*form, true);
    EXPECT_EQ(ReadNameList("teams.dat"), (std::vector<std::string>{"Adler", "Bären"}));
}

TEST_F(NameListTest, RefereesGoToTheirOwnList) {
    form->RadioButton9.SetChecked(true);
    AddTeamName("Schiri Meier");
    EXPECT_EQ(ReadProgramFile("schiris.dat"), "Schiri Meier\r\n");
    EXPECT_FALSE(ProgramFileExists("teams.dat"));
}

TEST_F(NameListTest, EachListLoadsSortedWithoutBlankLines) {
    WriteProgramFile("teams.dat", "Bären\r\n\r\nAdler\r\n");
    WriteProgramFile("schiris.dat", "Schulz\r\n");
    loadNamensliste(*form, true);
    EXPECT_EQ(Captions(form->ListView2), (std::vector<std::string>{"Adler", "Bären"}));
    loadNamensliste(*form, false);
    EXPECT_EQ(Captions(form->ListView2), (std::vector<std::string>{"Schulz"}));
}

TEST_F(NameListTest, DeletingKeepsTheBye) {
    WriteProgramFile("teams.dat", "Adler\r\n[FREILOS]\r\nBären\r\nCondor\r\n");
    loadNamensliste(*form, true);
    Select(form->ListView2, "[FREILOS]");
    Select(form->ListView2, "Bären");
    deletePersonNames(*form);
    EXPECT_EQ(Captions(form->ListView2), (std::vector<std::string>{"Adler", "Condor", "[FREILOS]"}));
    EXPECT_EQ(ReadNameList("teams.dat"), (std::vector<std::string>{"Adler", "Condor", "[FREILOS]"}));
}

TEST_F(NameListTest, TimeKeepersHaveNoProtectedEntry) {
    form->Edit1.SetText("[FREILOS]");
    addZeitnehmer(*form);
    form->Edit1.SetText("Uhr");
    addZeitnehmer(*form);
    Select(form->ListView1, "[FREILOS]");
    deleteZeitnehmer(*form);
    EXPECT_EQ(ReadProgramFile("zeitnehmer.dat"), "Uhr\r\n");
}

TEST_F(NameListTest, ImportKeepsDuplicatesAndCutsLongLines) {
    WriteProgramFile("teams.dat", "Adler\r\n");
    WriteProgramFile("neu.txt", "Bären\r\nBären\r\n\r\n" + std::string(31, 'x') + "\r\n");
    ui.QueueFile(folder + "neu.txt");
    importNameFile(*form, true);
    EXPECT_EQ(ui.fileFilters.back(), "Textdatei (*.txt)|*.txt");
    EXPECT_TRUE(form->RadioButton6.Checked());
    EXPECT_EQ(ReadNameList("teams.dat"), (std::vector<std::string>{"Adler", "Bären", "Bären", std::string(30, 'x')}));
    EXPECT_EQ(form->ListView2.Items.size(), 4u);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Name wurde auf 30 gekürzt");
}

TEST_F(NameListTest, CancelledImportChangesNothing) {
    ui.QueueFile("");
    importNameFile(*form, false);
    EXPECT_FALSE(ProgramFileExists("schiris.dat"));
    EXPECT_TRUE(form->ListView2.Items.empty());
}

TEST_F(NameListTest, NameThatCannotBeStoredIsReportedAndKept) {
    std::filesystem::create_directory(folder + "teams.dat");
    AddTeamName("Adler");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].kind, TMsgKind::Error);
    EXPECT_EQ(ui.boxes[0].text, "Die Namensliste teams.dat kann nicht gelesen werden. Der Name wird nicht aufgenommen.");
    EXPECT_TRUE(form->ListView2.Items.empty());
    EXPECT_EQ(form->Edit14.Text(), "Adler");
}

// --- deleting never loses what was not selected ---

TEST_F(NameListTest, TimeKeepersStoredEarlierAreShownAndKeptByADelete) {
    WriteProgramFile("zeitnehmer.dat", "Uhr Nord\r\n\r\nUhr Süd\r\nStoppuhr\r\n");
    loadZeitnehmerliste(*form);
    EXPECT_EQ(Captions(form->ListView1), (std::vector<std::string>{"Stoppuhr", "Uhr Nord", "Uhr Süd"}));
    form->Edit1.SetText("Uhr Nord");
    addZeitnehmer(*form);
    EXPECT_EQ(form->ListView1.Items.size(), 3u) << "a stored name is not added twice";
    Select(form->ListView1, "Uhr Süd");
    deleteZeitnehmer(*form);
    EXPECT_EQ(ReadNameList("zeitnehmer.dat"), (std::vector<std::string>{"Stoppuhr", "Uhr Nord"}));
}

TEST_F(NameListTest, NamesTheListDoesNotShowSurviveADelete) {
    form->Edit1.SetText("Uhr");
    addZeitnehmer(*form);
    // Added by another program window meanwhile: the file holds a name this list never showed.
    WriteProgramFile("zeitnehmer.dat", "Uhr\r\nAnzeige\r\nAnzeige\r\n");
    Select(form->ListView1, "Uhr");
    deleteZeitnehmer(*form);
    EXPECT_EQ(ReadNameList("zeitnehmer.dat"), (std::vector<std::string>{"Anzeige", "Anzeige"}));
    EXPECT_TRUE(form->ListView1.Items.empty());
}

TEST_F(NameListTest, DeletingTheLastNameLeavesAnEmptyList) {
    WriteProgramFile("teams.dat", "Adler\r\n");
    loadNamensliste(*form, true);
    Select(form->ListView2, "Adler");
    deletePersonNames(*form);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(form->ListView2.Items.empty());
    EXPECT_TRUE(ProgramFileExists("teams.dat"));
    EXPECT_EQ(ReadProgramFile("teams.dat"), "");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++files;
    EXPECT_EQ(files, 2) << "teams.dat and the settings folder, no temporary file";
}

TEST_F(NameListTest, AListNotReadToItsEndIsNeverRewritten) {
    const std::string stored = "Adler\r\n" + std::string(kMaxLineBytes + 1, 'x') + "\r\nCondor\r\n";
    WriteProgramFile("teams.dat", stored);
    loadNamensliste(*form, true);
    EXPECT_EQ(Captions(form->ListView2), std::vector<std::string>{"Adler"});
    Select(form->ListView2, "Adler");
    deletePersonNames(*form);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].kind, TMsgKind::Error);
    EXPECT_EQ(ui.boxes[0].text, "Die Namensliste teams.dat kann nicht vollständig gelesen werden: Zeile 2 ist zu lang "
                                "(mehr als 16 MiB). Sie wird nicht überschrieben; es wurde nichts gelöscht.");
    EXPECT_EQ(ReadProgramFile("teams.dat"), stored);
    EXPECT_EQ(Captions(form->ListView2), std::vector<std::string>{"Adler"});
}

TEST_F(NameListTest, AListThatCannotBeReadIsNeverRewritten) {
    std::filesystem::create_directory(folder + "schiris.dat");
    form->RadioButton9.SetChecked(true);
    loadNamensliste(*form, false);
    EXPECT_TRUE(form->ListView2.Items.empty());
    deletePersonNames(*form);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_NE(ui.boxes[0].text.find("schiris.dat"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(folder + "schiris.dat"));
}

// Taking the names before the line and the rest once the file is put right would take them twice.
TEST_F(NameListTest, ImportOfAFileReadOnlyInPartTakesNothing) {
    WriteProgramFile("neu.txt", "Bären\r\n" + std::string(kMaxLineBytes + 1, 'x') + "\r\nCondor\r\n");
    ui.QueueFile(folder + "neu.txt");
    importNameFile(*form, true);
    EXPECT_FALSE(ProgramFileExists("teams.dat"));
    EXPECT_TRUE(form->ListView2.Items.empty());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text,
              "Zeile 2 der Datei " + folder + "neu.txt ist zu lang (mehr als 16 MiB). Es wurde kein Name aufgenommen.");
}

TEST_F(NameListTest, ImportOfAFolderIsRefusedAtOnce) {
    std::filesystem::create_directory(folder + "ordner.txt");
    ui.QueueFile(folder + "ordner.txt");
    importNameFile(*form, true);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Die Datei " + folder + "ordner.txt konnte nicht gelesen werden.");
    EXPECT_FALSE(ProgramFileExists("teams.dat"));
}

// --- the edges of a list file ---

// An editor may leave the last name without its line end: the next name stands on a line of its own.
TEST_F(NameListTest, AnAddedNameNeverFusesWithTheLastOne) {
    WriteProgramFile("teams.dat", "Adler\r\nIgel");
    loadNamensliste(*form, true);
    AddTeamName("Neu");
    EXPECT_EQ(ReadProgramFile("teams.dat"), "Adler\r\nIgel\r\nNeu\r\n");
    EXPECT_EQ(ReadNameList("teams.dat"), (std::vector<std::string>{"Adler", "Igel", "Neu"}));
}

TEST_F(NameListTest, ANameTheFullDiskTookOnlyInPartIsGoneAgain) {
    WriteProgramFile("teams.dat", "Adler\r\n");
    loadNamensliste(*form, true);
    {
        FullDiskFileOperations full(4);
        ScopedFileOperations scope(full);
        AddTeamName("Langer Name");
    }
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Die Namensliste teams.dat konnte nicht gespeichert werden: kein Platz auf dem "
                                "Datenträger.");
    EXPECT_EQ(ReadProgramFile("teams.dat"), "Adler\r\n");
    EXPECT_EQ(form->Edit14.Text(), "Langer Name");
    WriteProgramFile("neu.txt", "Bären\r\nCondor\r\n");
    ui.QueueFile(folder + "neu.txt");
    {
        FullDiskFileOperations full(9);
        ScopedFileOperations scope(full);
        importNameFile(*form, true);
    }
    EXPECT_EQ(ReadProgramFile("teams.dat"), "Adler\r\n") << "an import goes in whole or not at all";
    EXPECT_EQ(ui.boxes.back().text, "Die Namensliste teams.dat konnte nicht gespeichert werden: kein Platz auf dem "
                                    "Datenträger.");
    EXPECT_EQ(Captions(form->ListView2), std::vector<std::string>{"Adler"});
    AddTeamName("Kurz");
    EXPECT_EQ(ReadNameList("teams.dat"), (std::vector<std::string>{"Adler", "Kurz"}));
}

TEST_F(NameListTest, ADeleteOnAFullDiskNamesTheReasonAndKeepsTheList) {
    WriteProgramFile("teams.dat", "Adler\r\nBären\r\n");
    loadNamensliste(*form, true);
    Select(form->ListView2, "Adler");
    {
        FullDiskFileOperations full(0);
        ScopedFileOperations scope(full);
        deletePersonNames(*form);
    }
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Die Namensliste teams.dat konnte nicht gespeichert werden: kein Platz auf dem "
                                "Datenträger.");
    EXPECT_EQ(ReadProgramFile("teams.dat"), "Adler\r\nBären\r\n");
    EXPECT_EQ(Captions(form->ListView2), (std::vector<std::string>{"Adler", "Bären"}));
}

// Names added behind a part nothing reads would never show again, though the addition was reported.
TEST_F(NameListTest, NothingIsAddedToAListThatCannotBeReadCompletely) {
    const std::string utf16("A\0d\0l\0e\0r\0\r\0\n\0", 14);
    const std::string damaged[] = {utf16, "Adler\r\nB\x0eren\r\nCondor\r\n",
                                   "Adler\r\n" + std::string(kMaxLineBytes + 1, 'x') + "\r\nCondor\r\n"};
    for (const std::string& stored : damaged) {
        WriteProgramFile("teams.dat", stored);
        ui.boxes.clear();
        loadNamensliste(*form, true);
        EXPECT_EQ(Captions(form->ListView2).size(), stored == utf16 ? 0u : 1u) << "the names before the line";
        AddTeamName("Neu");
        WriteProgramFile("neu.txt", "Bären\r\n");
        ui.QueueFile(folder + "neu.txt");
        importNameFile(*form, true);
        ASSERT_EQ(ui.boxes.size(), 2u);
        const std::string line = stored == utf16 ? "1" : "2";
        const std::string why = stored.size() > kMaxLineBytes ? "ist zu lang (mehr als 16 MiB)"
                                                              : "enthält Zeichen, die kein Text sind";
        const std::string problem =
            "Die Namensliste teams.dat kann nicht vollständig gelesen werden: Zeile " + line + " " + why + ".";
        EXPECT_EQ(ui.boxes[0].text, problem + " Der Name wird nicht aufgenommen.");
        EXPECT_EQ(ui.boxes[1].text, problem + " Es wird kein Name aufgenommen.");
        EXPECT_EQ(ui.boxes[0].kind, TMsgKind::Error);
        EXPECT_EQ(NameListProblem("teams.dat"), problem);
        EXPECT_EQ(ReadProgramFile("teams.dat"), stored);
    }
    std::filesystem::remove(folder + "teams.dat");
    EXPECT_EQ(NameListProblem("teams.dat"), "") << "a missing list is an empty one";
}

// As the placeholder import does: a file with control bytes, NUL or UTF-16 is no list of names.
TEST_F(NameListTest, LinesThatAreNotTextAreRefusedOnEveryWayIn) {
    WriteProgramFile("teams.dat", "Adler\r\n");
    const std::pair<std::string, std::string> files[] = {
        {"Bären\r\nB\x0eren\r\n", "Zeile 2"},
        {std::string("Condor\0X\r\n", 10), "Zeile 1"},
        {std::string("\xff\xfe" "D\0a\0c\0h\0s\0e\0\r\0\n\0", 18), "Zeile 1"}};
    for (const auto& [content, line] : files) {
        WriteProgramFile("namen.txt", content);
        ui.boxes.clear();
        ui.QueueFile(folder + "namen.txt");
        importNameFile(*form, true);
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, line + " der Datei " + folder +
                                        "namen.txt enthält Zeichen, die kein Text sind. Es wurde kein Name aufgenommen.");
    }
    ui.boxes.clear();
    AddTeamName("Bä\x1bren");
    // Typed, a bidi override is refused as well: the list would show the name reversed.
    AddTeamName("\xE2\x80\xAE" "nerä" "B");
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].text, "Der Name enthält Zeichen, die kein Text sind.");
    EXPECT_EQ(ui.boxes[1].text, "Der Name enthält Zeichen, die kein Text sind.");
    EXPECT_EQ(ReadProgramFile("teams.dat"), "Adler\r\n");
    EXPECT_EQ(Captions(form->ListView2), std::vector<std::string>{"Adler"});
}

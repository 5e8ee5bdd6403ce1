#include <gtest/gtest.h>

#include <memory>

#include "TestEnvironment.h"
#include "foundation/ProgramGlobals.h"
#include "mainwindow/main.h"

class StartTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        form = std::make_unique<TForm1>();
        form->FormCreate();
    }
    std::unique_ptr<TForm1> form;
};

TEST_F(StartTest, TournamentFileArgumentRunsTheLoadCommandWithoutItsDialog) {
    DebugModus = true;
    int runs = 0;
    form->FormShow("/daten/Pokal.TUR", [&] {
        ++runs;
        EXPECT_FALSE(form->ShowLoadDialog);
        EXPECT_EQ(form->OpenDialog1.Files.ToVector(), std::vector<std::string>{"/daten/Pokal.TUR"});
    });
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(form->ShowLoadDialog);
    EXPECT_NE(ReadProgramFile("debug.log").find("] Datei direkt geladen: /daten/Pokal.TUR\r\n"), std::string::npos);
    for (const char* other : {"", "-D", "liste.txt", ".tur"}) {
        TForm1 second;
        second.FormShow(other, [&] { ADD_FAILURE() << "loaded " << other; });
    }
}

TEST_F(StartTest, StoredTimeKeepersAreShownAndADeletionKeepsTheOthers) {
    WriteProgramFile("zeitnehmer.dat", "Ute\r\n\r\nBernd\r\nAnna\r\n");
    form->FormShow("", nullptr);
    ASSERT_EQ(form->ListView1.Items.size(), 3u);
    EXPECT_EQ(form->ListView1.Items[0].Caption, "Anna");
    form->ListView1.Items[1].Selected = true;  // Bernd
    form->Button4.Click();
    EXPECT_EQ(ReadProgramFile("zeitnehmer.dat"), "Anna\r\nUte\r\n");
    form->Edit1.SetText("Anna");
    form->Button3.Click();
    EXPECT_EQ(form->ListView1.Items.size(), 2u) << "a stored name is not added twice";
}

TEST_F(StartTest, EndingClosesTheWindowAndTheLogSaysSo) {
    DebugModus = true;
    form->Ende1Click(nullptr);
    EXPECT_TRUE(form->Closed);
    form.reset();
    EXPECT_NE(ReadProgramFile("debug.log").find("] [F] Marovelkandis ordentlich beendet\r\n"), std::string::npos);
}

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "LightForm.h"
#include "ScrambledFiles.h"
#include "TestEnvironment.h"
#include "TurnierBuilder.h"
#include "engine/ResultsExchange.h"
#include "engine/TurnierWechsel.h"
#include "foundation/files/ResultsExchangeFile.h"

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
    EXPECT_EQ(LastBox(), "Die Ergebnisse konnten nicht exportiert werden:\r\n\r\n" + Path("stadtpokal.exp"));
    EXPECT_EQ(ui.boxes.back().kind, TMsgKind::Warning);
    EXPECT_EQ(ReadProgramFile("stadtpokal.exp"), earlier);
    EXPECT_FALSE(ergebnisseExportieren(form, folder + "fehlt/pokal.exp"));
    EXPECT_EQ(LastBox(), "Die Ergebnisse konnten nicht exportiert werden:\r\n\r\n" + folder + "fehlt/pokal.exp");
}
